#pragma once
// The registry service on the Win32 registry functions.

#include "platform/win32/Handles.h"

#include "platform/Registry.h"

namespace win32 {

class Win32Registry : public platform::Registry {
public:
  std::unique_ptr<platform::RegistryKey> OpenOrCreateCurrentUserKey(const std::string& path) override;
};

}  // namespace win32
