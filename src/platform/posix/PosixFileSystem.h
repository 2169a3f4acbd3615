#pragma once
// platform::FileSystem on a POSIX host, for the host tools: the system's
// Windows-form cp1252 paths are mapped onto host paths and errno onto the
// Windows system error codes.
//
// Paths: drive Z: is the host root, as under Wine ("Z:\home\a" is
// "/home/a"); other drives do not exist (3). "\" and "/" separate; relative
// paths are taken from this object's own current folder (the process's at
// creation; SetCurrentDirectory does not change the process's). Names are
// cp1252 in the system and UTF-8 on the host. A name that does not exist as
// spelt is looked for without regard to case, as Windows would find it, in an
// index of the folder's names: each folder is read once, kept up to date by
// this object's own changes, and read again when its modification time shows
// a change from elsewhere.
//
// Sharing modes are not enforced (the host has no mandatory locks). Files are
// never written through a link: CreateAlways and CopyFile create the new
// file exclusively, at once when the name is free, and otherwise replace a
// file or a link by removing its name first; a read-only file (no write
// permission at all) refuses it, as on Windows.
// Nothing that is not a regular file is opened: a folder, a FIFO, a device or
// a socket under the name is refused (5) without waiting, and left as it is.
// With a write root set, nothing is created, written, emptied or deleted
// outside that folder (5).

#include <sys/types.h>

#include <ctime>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/FileSystem.h"

namespace platform {

class PosixFileSystem : public FileSystem {
public:
  PosixFileSystem();

  std::unique_ptr<File> Open(const std::string& path, Access access, Share share, Disposition disposition,
                             uint32_t* error) override;
  uint32_t CreateDirectory(const std::string& path) override;
  bool FileExists(const std::string& path) override;
  uint32_t CopyFile(const std::string& from, const std::string& to) override;
  uint32_t DeleteFile(const std::string& path) override;
  std::string GetCurrentDirectory() override;
  uint32_t SetCurrentDirectory(const std::string& path) override;
  std::string SystemMessage(uint32_t code) override;
  // The host has no short aliases: the entry's name as the folder spells it.
  std::optional<std::string> FindFile(const std::string& path) override;

  // Allows changes only to entries directly inside the host folder (and below it).
  void SetWriteRoot(const std::string& hostFolder);

  // The Windows form of an absolute or relative host path; nullopt when a
  // name has no cp1252 form.
  static std::optional<std::string> ToWindows(const std::string& hostPath);
  // The host path of a Windows-form path, with the case of existing entries
  // found as Windows would; *error gets 3 for another drive.
  std::string ToHost(const std::string& path, uint32_t* error) const;

  // The Windows code for an errno value.
  static uint32_t ErrnoToWindows(int e);

private:
  struct FolderIndex {
    dev_t Device = 0;
    ino_t Inode = 0;
    timespec Modified{};
    // Folded cp1252 name -> the host names that fold to it, in the folder's
    // order; the first is the one found (none once they were all removed).
    std::unordered_map<std::string, std::vector<std::string>> Names;
  };

  uint32_t CheckWritable(const std::string& host) const;
  // Removes a file or a link at host so that a new file can be created
  // there (*removed tells whether there was one); an error code when it may
  // not go.
  uint32_t Replace(const std::string& host, bool* removed);
  // The host name of the entry of the host folder that Windows would find for
  // the cp1252 name, or "" when there is none.
  std::string FindWithoutCase(const std::string& folder, const std::string& name) const;
  // Whether the index of the host folder, if there is one, still matches it:
  // asked just before this object changes the folder.
  bool IndexCurrent(const std::string& folder) const;
  // Keep the index of host's folder true after this object created or
  // removed host, or drop it when it was no longer current.
  void Created(const std::string& host, bool indexWasCurrent);
  void Removed(const std::string& host, bool indexWasCurrent);
  // For both: the spellings indexed under host's folded name, the folder's
  // time taken as the index's own; null when the index is missing or dropped.
  std::vector<std::string>* Follow(const std::string& host, bool indexWasCurrent);

  std::string current_;  // Windows form
  std::string writeRoot_;
  mutable std::unordered_map<std::string, FolderIndex> folders_;  // by host folder
};

}  // namespace platform
