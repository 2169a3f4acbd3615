#include "HostFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>

#include "archive/Format.h"
#include "platform/posix/Cp1252.h"

namespace fcc {

std::string Cp(const std::string& utf8) {
  std::optional<std::string> s = platform::Utf8ToCp1252(utf8);
  return s ? *s : utf8;
}

std::string Quoted(const std::string& host) { return "\"" + Cp(host) + "\""; }

uint32_t CheckedSize(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) throw EFccError("fichier introuvable : " + Quoted(path));
  if (!S_ISREG(st.st_mode)) throw EFccError("pas un fichier ordinaire : " + Quoted(path));
  if (static_cast<uint64_t>(st.st_size) >= LimiteDuFormat)
    throw EFccError("fichier de 2 Go ou plus, hors du format : " + Quoted(path));
  return static_cast<uint32_t>(st.st_size);
}

HostFile HostFile::Open(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw EFccError("lecture impossible : " + Quoted(path));
  return HostFile(fd, path);
}

HostFile HostFile::Create(const std::string& path) {
  // Emptied in place, a file under a hard or symbolic link would take the
  // payload for the file it leads to, and keep it cut short after a failed
  // pack (which removes only the name). So a free name is created
  // exclusively, and a file or a link there goes first.
  constexpr int flags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
  int fd = ::open(path.c_str(), flags, 0666);
  struct stat st;
  if (fd < 0 && errno == EEXIST && lstat(path.c_str(), &st) == 0 &&
      (S_ISLNK(st.st_mode) || (S_ISREG(st.st_mode) && (st.st_mode & 0222) != 0)) && unlink(path.c_str()) == 0)
    fd = ::open(path.c_str(), flags, 0666);
  if (fd < 0) throw EFccError("écriture impossible : " + Quoted(path));
  return HostFile(fd, path);
}

HostFile::~HostFile() {
  if (fd_ >= 0) ::close(fd_);
}

std::size_t HostFile::Read(void* buf, std::size_t n) {
  auto p = static_cast<char*>(buf);
  std::size_t done = 0;
  while (done < n) {
    ssize_t r = ::read(fd_, p + done, n - done);
    if (r < 0 && errno == EINTR) continue;
    if (r < 0) throw EFccError("lecture impossible : " + Quoted(path_));
    if (r == 0) break;
    done += static_cast<std::size_t>(r);
  }
  return done;
}

void HostFile::Write(const void* buf, std::size_t n) {
  auto p = static_cast<const char*>(buf);
  while (n > 0) {
    ssize_t r = ::write(fd_, p, n);
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0) throw EFccError("écriture impossible : " + Quoted(path_));
    p += r;
    n -= static_cast<std::size_t>(r);
  }
}

void HostFile::Close() {
  int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) throw EFccError("écriture impossible : " + Quoted(path_));
}

}  // namespace fcc
