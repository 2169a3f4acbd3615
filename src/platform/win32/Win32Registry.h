#pragma once
// The registry service on the Win32 registry functions.

#include "platform/win32/Windows.h"

#include "platform/Registry.h"

namespace win32 {

// Owns an open registry key; closes it once.
class UniqueKey {
public:
  UniqueKey() = default;
  explicit UniqueKey(HKEY h) : h_(h) {}
  UniqueKey(const UniqueKey&) = delete;
  UniqueKey& operator=(const UniqueKey&) = delete;
  ~UniqueKey() {
    if (h_) RegCloseKey(h_);
  }
  HKEY Get() const { return h_; }
  HKEY* Put() { return &h_; }

private:
  HKEY h_ = nullptr;
};

class Win32Registry : public platform::Registry {
public:
  std::unique_ptr<platform::RegistryKey> OpenOrCreateCurrentUserKey(const std::string& path) override;
};

}  // namespace win32
