#pragma once
// Files and folders as the system sees them: paths are cp1252 texts in
// Windows form, and every failure is a Windows system error code (0 = none),
// so the callers raise the run-time library's errors the same way whichever
// implementation stands behind the interface.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// System error codes the algorithms look at.
inline constexpr uint32_t ErrorFileNotFound = 2;
inline constexpr uint32_t ErrorPathNotFound = 3;
inline constexpr uint32_t ErrorAccessDenied = 5;
// Another process holds the file open in a way that excludes this open.
inline constexpr uint32_t ErrorSharingViolation = 32;
// Another process has locked a part of the file.
inline constexpr uint32_t ErrorLockViolation = 33;
inline constexpr uint32_t ErrorHandleDiskFull = 39;
inline constexpr uint32_t ErrorAlreadyExists = 183;
inline constexpr uint32_t ErrorDiskFull = 112;

enum class Access { Read, Write, ReadWrite };
// What other openers may do while the file is open.
enum class Share { None, Read, Write, ReadWrite };
enum class Disposition {
  // A new file: an existing file of that name is replaced, never written
  // through. The file is created exclusively, under the name itself when
  // nothing is there (one look-up of the name), and otherwise takes the
  // name's place (the name removed first, or the file made beside and moved
  // over it), so that a hard or symbolic link there leaves what it leads to
  // untouched. A
  // folder, a read-only file, a file open elsewhere or anything else that is
  // not a file or a link under the name is refused (ErrorAccessDenied) and
  // left as it is.
  CreateAlways,
  OpenExisting,  // fail when absent
  OpenAlways,    // open, or create when absent; an existing file is written in place
};

// A name as the file system compares names, without regard to case: Windows'
// folding of cp1252, where the ASCII letters and the letters that have a
// capital in the code page become that capital (é is É, but not E).
std::string FoldName(std::string_view name);

// 100-nanosecond units since 1601-01-01 UTC.
using FileTime = uint64_t;

// An open file; the destructor closes it.
class File {
public:
  virtual ~File() = default;
  // Reads up to n bytes; *done receives the count. Returns a system error code.
  virtual uint32_t Read(void* buf, uint32_t n, uint32_t* done) = 0;
  // Writes n bytes; *done receives the count stored. Returns a system error code.
  virtual uint32_t Write(const void* buf, uint32_t n, uint32_t* done) = 0;
  // Current size in bytes.
  virtual uint64_t Size() = 0;
  // Sets creation, last-access and last-write times. Returns a system error code.
  virtual uint32_t SetTimes(FileTime creation, FileTime access, FileTime write) = 0;
  // Closes now; later calls fail. Returns a system error code.
  virtual uint32_t Close() = 0;
};

class FileSystem {
public:
  virtual ~FileSystem() = default;
  // Opens a file; on failure returns null and sets *error.
  virtual std::unique_ptr<File> Open(const std::string& path, Access access, Share share, Disposition disposition,
                                     uint32_t* error) = 0;
  // Creates one folder; returns the system error code (ErrorAlreadyExists when it is there).
  virtual uint32_t CreateDirectory(const std::string& path) = 0;
  // True when path names an existing file (not a folder).
  virtual bool FileExists(const std::string& path) = 0;
  // Copies from onto to, an existing destination replaced as CreateAlways
  // replaces it (never written through; a folder or a read-only file there
  // fails). A destination that is the source itself, under any name, fails
  // with ErrorAccessDenied, as does one open elsewhere. Returns a system
  // error code.
  virtual uint32_t CopyFile(const std::string& from, const std::string& to) = 0;
  // Returns a system error code.
  virtual uint32_t DeleteFile(const std::string& path) = 0;
  // Current folder, without a trailing separator except at a drive root.
  virtual std::string GetCurrentDirectory() = 0;
  // Returns a system error code.
  virtual uint32_t SetCurrentDirectory(const std::string& path) = 0;
  // The system's own text for an error code, as the platform words it.
  virtual std::string SystemMessage(uint32_t code) = 0;
  // Directory search: the name, as the folder spells it in full, of the
  // first entry that path names (a short "~" alias finds its long name);
  // nullopt when there is none. A file system without the search finds none.
  virtual std::optional<std::string> FindFile(const std::string& path) {
    (void)path;
    return std::nullopt;
  }
};

}  // namespace platform
