#pragma once
// fcc's own access to host files (host paths, UTF-8): the checks of an input
// file, and files read or written in pieces. Failures raise EFccError naming
// the file.

#include <cstddef>
#include <cstdint>
#include <string>

#include "Fcc.h"

namespace fcc {

// A host text as the system's messages hold it (cp1252), and quoted.
std::string Cp(const std::string& utf8);
std::string Quoted(const std::string& host);

// The size of an existing regular file under 2 GiB.
uint32_t CheckedSize(const std::string& path);

class HostFile {
public:
  // Opens an existing file for reading.
  static HostFile Open(const std::string& path);
  // Creates a new file for writing, replacing a file or a link of that name
  // (never written through); a folder, a FIFO, a device or a file without
  // write permission there is refused and stays.
  static HostFile Create(const std::string& path);

  HostFile(HostFile&& o) noexcept : fd_(o.fd_), path_(std::move(o.path_)) { o.fd_ = -1; }
  HostFile& operator=(HostFile&&) = delete;
  ~HostFile();

  // Reads up to n bytes; fewer only at the end of the file.
  std::size_t Read(void* buf, std::size_t n);
  void Write(const void* buf, std::size_t n);
  // Closes now, reporting a failure (a write the system kept back).
  void Close();

private:
  HostFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
  int fd_;
  std::string path_;
};

}  // namespace fcc
