#pragma once
// The registry as the shortcut code reads it: one key of the current user's
// hive, its subkeys and their string values.

#include <memory>
#include <optional>
#include <string>

namespace platform {

// An open key; the destructor closes it.
class RegistryKey {
public:
  virtual ~RegistryKey() = default;
  // The string value name of the subkey subkey of this key, or nothing when
  // the subkey, the value or a string of that name is not there.
  virtual std::optional<std::string> ReadString(const std::string& subkey, const std::string& name) = 0;
};

class Registry {
public:
  virtual ~Registry() = default;
  // Opens the key path under HKEY_CURRENT_USER with full access, creating it
  // when missing; null when it can be neither opened nor created.
  virtual std::unique_ptr<RegistryKey> OpenOrCreateCurrentUserKey(const std::string& path) = 0;
};

}  // namespace platform
