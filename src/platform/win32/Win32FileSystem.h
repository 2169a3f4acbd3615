#pragma once
// The file system on Win32: each call translates arguments and error codes
// and nothing more, except that a file is replaced where it is created or
// copied over another, as platform::FileSystem promises: a free name is
// created exclusively in place; over a name that is taken, the new file is
// made exclusively under a name of its own beside it, then moved over the
// name.

#include "platform/FileSystem.h"
#include "platform/win32/Handles.h"

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

}  // namespace win32
