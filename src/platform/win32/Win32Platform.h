#pragma once
// The Win32 implementations of the platform services: each call translates
// arguments and error codes and nothing more, except that the file system
// replaces an existing file where it creates or copies one, as
// platform::FileSystem promises: the new file is made exclusively under a
// name of its own beside it, then moved over the name.

#include "platform/win32/Handles.h"

#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Shell.h"

namespace win32 {

class Win32FileSystem : public platform::FileSystem {
public:
  std::unique_ptr<platform::File> Open(const std::string& path, platform::Access access, platform::Share share,
                                       platform::Disposition disposition, uint32_t* error) override;
  uint32_t CreateDirectory(const std::string& path) override;
  bool FileExists(const std::string& path) override;
  uint32_t CopyFile(const std::string& from, const std::string& to) override;
  uint32_t DeleteFile(const std::string& path) override;
  std::string GetCurrentDirectory() override;
  uint32_t SetCurrentDirectory(const std::string& path) override;
  std::string SystemMessage(uint32_t code) override;
  std::optional<std::string> FindFile(const std::string& path) override;
};

class Win32Resources : public platform::Resources {
public:
  std::optional<std::span<const uint8_t>> Find(const std::string& module, const std::string& type, int id) override;
};

class Win32Shell : public platform::Shell {
public:
  void Execute(const std::string& file, const std::string& parameters, const std::string& folder) override;
};

class Win32Clock : public platform::Clock {
public:
  double Now() override;
};

// The system's text for an error code, without its trailing line break.
std::string SystemErrorMessage(DWORD code);

// The running module's full path and its first command-line argument, as the
// run-time library splits the command line ("" when there is none).
std::string OwnModulePath();
std::string FirstArgument();

}  // namespace win32
