#pragma once
// The shell, module resources and the process's own identity.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace platform {

class Shell {
public:
  virtual ~Shell() = default;
  // Starts a program or opens a document with the default verb and a normal
  // window. The result is not reported: callers never look at it.
  virtual void Execute(const std::string& file, const std::string& parameters, const std::string& folder) = 0;
};

class Resources {
public:
  virtual ~Resources() = default;
  // The bytes of resource (type, id) of the module with the given file name,
  // or nothing when the module or the resource is not there.
  virtual std::optional<std::span<const uint8_t>> Find(const std::string& module, const std::string& type,
                                                       int id) = 0;
};

}  // namespace platform
