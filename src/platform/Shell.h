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

// The shell of the signed-in user's desktop, for a process that may run with
// more rights than that user: what it starts runs with the user's own.
class DesktopShell {
public:
  virtual ~DesktopShell() = default;
  // Whether this process runs elevated.
  virtual bool Elevated() = 0;
  // Starts as Shell::Execute does, with the same verb and window, but through
  // the desktop's shell; false when that shell could not be reached or did
  // not take the request, so that nothing was started.
  virtual bool Execute(const std::string& file, const std::string& parameters, const std::string& folder) = 0;
};

// Starts programs without handing the process's elevation on: an elevated
// process through the desktop shell; any other, or one whose desktop shell
// cannot be reached, directly as before.
class UnelevatedShell : public Shell {
public:
  UnelevatedShell(Shell& direct, DesktopShell& desktop) : direct_(direct), desktop_(desktop) {}
  void Execute(const std::string& file, const std::string& parameters, const std::string& folder) override;

private:
  Shell& direct_;
  DesktopShell& desktop_;
};

class Resources {
public:
  virtual ~Resources() = default;
  // The bytes of resource (type, id) of the module with the given file name,
  // or nothing when the module or the resource is not there.
  virtual std::optional<std::span<const uint8_t>> Find(const std::string& module, const std::string& type, int id) = 0;
};

}  // namespace platform
