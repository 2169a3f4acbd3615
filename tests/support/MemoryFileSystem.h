#pragma once
// An in-memory platform::FileSystem that behaves like the Windows file system
// the installer meets, with faults to order.
//
// Paths are cp1252 texts in Windows form. "/" counts as "\"; repeated
// separators, "." and ".." are resolved (".." stops at the root); trailing dots
// and blanks of each component are dropped, as Windows does. A path is
// absolute ("C:\a\b"), relative to the root of the current drive ("\a"), or
// relative to the current folder ("a\b", "C:a"). Paths are compared without
// regard to case the way Windows does it: ASCII letters and the cp1252 letters
// with a capital (é = É, but é is not e). Components holding control bytes or
// any of : * ? " < > | are invalid names (123); network paths are refused (53).
//
// Drive C: exists from the start, with its root as the current folder. Files
// and folders keep the spelling they were created with.
//
// Error codes, as Windows gives them:
//   2   file missing (OpenExisting, CopyFile source, DeleteFile, SetCurrentDirectory)
//   3   parent folder missing, or the drive does not exist
//   5   the path is a folder; writing, replacing or deleting a read-only file;
//       replacing (CreateAlways, a copy onto it) or deleting a file in use;
//       replacing a file with open handles, or a copy's source under any of
//       its names; reading or writing through a handle not opened for it
//   6   any call on a handle after Close
//   32  sharing violation: an open, copy or delete that conflicts with the access
//       and sharing of the handles open on the file, or that opens a file in
//       use (SetInUse) for writing
//   112 disk full (SetFreeSpace with DiskFull::Error)
//   183 CreateDirectory on an existing file or folder
//   267 SetCurrentDirectory on a file
// plus any code a Fault returns.
//
// Sharing follows CreateFile: an open succeeds only when every handle already
// open shares what the new one asks for and the new one shares what they hold.
//
// CreateAlways and CopyFile replace, as platform::FileSystem promises: the
// name is taken away as DeleteFile would (a link whatever it leads to), then
// a new file is made under the spelling given. Hard links are further names
// of one file (its bytes, times, read-only flag and handles); a symbolic link
// names a file by its absolute path and is followed by every other open, by
// a copy's source, FileExists, IsFile, Contents and TimesOf (1921 after 8
// links). Folders are never links.
//
// Handles stay valid after the file system object is gone (they share its
// state); DeleteFile of a file with open handles fails with 32, so a handle's
// file never vanishes under it.
//
// Times: a file takes Now() as its creation, access and write times when it is
// created; writes, emptying and CreateAlways set its write time to Now();
// CopyFile gives the copy the source's write time. Now() is 0 until SetNow.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"

class MemoryFileSystem : public platform::FileSystem {
public:
  // The operations, as the call log, the faults and the hook name them.
  // Read, Write, SetTimes and Close are calls on a File, named by its path.
  enum class Op {
    Open,
    Read,
    Write,
    SetTimes,
    Close,
    CreateDirectory,
    FileExists,
    CopyFile,
    DeleteFile,
    GetCurrentDirectory,
    SetCurrentDirectory,
    FindFile,
  };

  // A failure to order: a matching call fails instead of running.
  struct Fault {
    Op Operation = Op::Open;
    std::string Path;          // "" matches every path; else compared as paths are
                               // (for CopyFile, either path matches)
    uint32_t Error = 0;        // the code returned; for Read and Write, 0 makes a
                               // short transfer that reports no error
    uint32_t Transferred = 0;  // Read/Write: bytes really moved (cut to the count asked)
    int Skip = 0;              // matching calls that still succeed first
    int Times = -1;            // how often it fires; -1 for ever
    // Close closes the handle even when it fails; FileExists answers false.
    // GetCurrentDirectory cannot fail.
  };

  // One call, in the order made: the path as given (CopyFile: "from|to") and
  // the code returned (FileExists: 1 for true, 0 for false; a File's Read and
  // Write: the error code).
  struct Call {
    Op Operation;
    std::string Path;
    uint32_t Result;
  };

  // How a write beyond the free space fails: storing what fits and reporting
  // success for fewer bytes, or storing nothing and returning 112.
  enum class DiskFull { ShortWrite, Error };

  struct Times {
    platform::FileTime Creation = 0, Access = 0, Write = 0;
    friend bool operator==(const Times&, const Times&) = default;
  };

  MemoryFileSystem();
  ~MemoryFileSystem() override;

  // --- platform::FileSystem
  std::unique_ptr<platform::File> Open(const std::string& path, platform::Access access, platform::Share share,
                                       platform::Disposition disposition, uint32_t* error) override;
  uint32_t CreateDirectory(const std::string& path) override;
  bool FileExists(const std::string& path) override;
  uint32_t CopyFile(const std::string& from, const std::string& to) override;
  uint32_t DeleteFile(const std::string& path) override;
  std::string GetCurrentDirectory() override;
  uint32_t SetCurrentDirectory(const std::string& path) override;
  // The French Windows texts for the usual codes (platform::FrenchSystemMessage).
  std::string SystemMessage(uint32_t code) override;
  // An entry found by its own name or by a short name given with AddShortName.
  std::optional<std::string> FindFile(const std::string& path) override;

  // --- Setting up (none of these is logged, hooked or faulted)
  void AddDrive(char letter);
  // Creates the folder and every missing folder above it.
  void AddFolder(const std::string& path);
  // Creates or replaces a file, with its missing folders; open handles see the new bytes.
  void AddFile(const std::string& path, std::string_view bytes);
  // A further name of an existing file, or a symbolic link to an absolute path
  // (which need not exist); what was at path goes.
  void AddHardLink(const std::string& path, const std::string& target);
  void AddSymbolicLink(const std::string& path, const std::string& target);
  // A read-only file refuses writing, emptying, replacement and deletion (5).
  void SetReadOnly(const std::string& path, bool readOnly);
  // A short "~" alias path for the entry at path, known to the directory search only.
  void AddShortName(const std::string& alias, const std::string& path);
  // A file in use, like the program file of a running program: it can be read
  // and copied from, but opens that want to write it fail with 32, and
  // replacing or deleting it with 5. The file need not exist yet.
  void SetInUse(const std::string& path, bool inUse);
  // Limits the bytes that files may grow by from now on; nullopt: no limit.
  void SetFreeSpace(std::optional<uint64_t> bytes, DiskFull mode = DiskFull::ShortWrite);
  void SetNow(platform::FileTime now);
  void AddFault(const Fault& fault);
  void ClearFaults();
  // Runs before every logged call (before faults are looked at) with its
  // operation and path; it may change the file system, e.g. end an "in use".
  std::function<void(Op, const std::string&)> BeforeCall;

  // --- Inspecting
  bool IsFile(const std::string& path) const;
  bool IsLink(const std::string& path) const;
  bool IsFolder(const std::string& path) const;
  // The bytes of a file; nullopt when there is no such file.
  std::optional<std::string> Contents(const std::string& path) const;
  std::optional<Times> TimesOf(const std::string& path) const;
  // The names of a folder's entries as they were spelt, sorted by their folded form.
  std::vector<std::string> List(const std::string& folder) const;
  // The absolute path as the file system spells it; "" for an invalid path.
  std::string FullPath(const std::string& path) const;
  // Handles open on one file, or on all files.
  int OpenHandles(const std::string& path) const;
  int OpenHandles() const;
  // Bytes held by all files.
  uint64_t UsedSpace() const;
  const std::vector<Call>& Calls() const;
  void ClearCalls();
  // The calls of one operation, in order.
  std::vector<Call> CallsOf(Op op) const;

  struct State;

private:
  std::shared_ptr<State> s_;
};
