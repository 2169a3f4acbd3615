#include "platform/win32/Win32Registry.h"

#include <vector>

namespace win32 {
namespace {

class Win32Key : public platform::RegistryKey {
public:
  explicit Win32Key(HKEY h) : key_(h) {}

  std::optional<std::string> ReadString(const std::string& subkey, const std::string& name) override {
    UniqueKey sub;
    if (RegOpenKeyExA(key_.Get(), subkey.c_str(), 0, KEY_READ, sub.Put()) != ERROR_SUCCESS) return std::nullopt;
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(sub.Get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
    // Expandable strings are taken as written, like plain ones.
    if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
    std::vector<char> data(size + 1);
    if (RegQueryValueExA(sub.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
        ERROR_SUCCESS)
      return std::nullopt;
    // The stored size may or may not count the terminating null.
    std::string s(data.data(), size);
    while (!s.empty() && s.back() == '\0') s.pop_back();
    return s;
  }

private:
  UniqueKey key_;
};

}  // namespace

std::unique_ptr<platform::RegistryKey> Win32Registry::OpenOrCreateCurrentUserKey(const std::string& path) {
  HKEY h = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &h,
                      nullptr) != ERROR_SUCCESS)
    return nullptr;
  return std::make_unique<Win32Key>(h);
}

}  // namespace win32
