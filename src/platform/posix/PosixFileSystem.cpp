#include "platform/posix/PosixFileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <vector>

#include "platform/SystemMessages.h"
#include "platform/posix/Cp1252.h"

namespace platform {

namespace {

constexpr uint32_t ErrorInvalidHandle = 6;
constexpr uint32_t ErrorDirectory = 267;

std::vector<std::string> Components(std::string_view s) {
  std::vector<std::string> parts;
  std::size_t i = 0;
  while (i <= s.size()) {
    std::size_t j = s.find_first_of("\\/", i);
    if (j == std::string_view::npos) j = s.size();
    std::string c(s.substr(i, j - i));
    i = j + 1;
    if (c.empty() || c == ".") continue;
    if (c == "..") {
      if (!parts.empty()) parts.pop_back();
      continue;
    }
    parts.push_back(c);
  }
  return parts;
}

std::string Parent(const std::string& host) {
  std::size_t i = host.rfind('/');
  return i == 0 || i == std::string::npos ? "/" : host.substr(0, i);
}

bool IsFolder(const std::string& host) {
  struct stat st;
  return stat(host.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// 2 or 3 for a missing entry, depending on whether its folder is there.
uint32_t Missing(const std::string& host) { return IsFolder(Parent(host)) ? ErrorFileNotFound : ErrorPathNotFound; }

FileTime ToFileTime(const timespec& t) {
  return (static_cast<FileTime>(t.tv_sec) + 11644473600ull) * 10000000ull + static_cast<FileTime>(t.tv_nsec) / 100;
}

bool SameTime(const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; }

timespec ToTimespec(FileTime t) {
  timespec r;
  r.tv_sec = static_cast<time_t>(t / 10000000ull) - static_cast<time_t>(11644473600ll);
  r.tv_nsec = static_cast<long>(t % 10000000ull) * 100;
  return r;
}

class PosixFile : public File {
public:
  PosixFile(int fd, Access access) : fd_(fd), access_(access) {}
  ~PosixFile() override {
    if (fd_ >= 0) ::close(fd_);
  }
  uint32_t Read(void* buf, uint32_t n, uint32_t* done) override {
    *done = 0;
    if (fd_ < 0) return ErrorInvalidHandle;
    auto p = static_cast<char*>(buf);
    while (*done < n) {
      ssize_t r = ::read(fd_, p + *done, n - *done);
      if (r < 0 && errno == EINTR) continue;
      if (r < 0) return PosixFileSystem::ErrnoToWindows(errno);
      if (r == 0) break;
      *done += static_cast<uint32_t>(r);
    }
    return 0;
  }
  uint32_t Write(const void* buf, uint32_t n, uint32_t* done) override {
    *done = 0;
    if (fd_ < 0) return ErrorInvalidHandle;
    auto p = static_cast<const char*>(buf);
    while (*done < n) {
      ssize_t r = ::write(fd_, p + *done, n - *done);
      if (r < 0 && errno == EINTR) continue;
      if (r < 0) return PosixFileSystem::ErrnoToWindows(errno);
      if (r == 0) break;
      *done += static_cast<uint32_t>(r);
    }
    return 0;
  }
  uint64_t Size() override {
    struct stat st;
    return fd_ >= 0 && fstat(fd_, &st) == 0 ? static_cast<uint64_t>(st.st_size) : 0;
  }
  uint32_t SetTimes(FileTime, FileTime access, FileTime write) override {
    if (fd_ < 0) return ErrorInvalidHandle;
    if (access_ == Access::Read) return ErrorAccessDenied;
    // The host keeps no creation time that can be set.
    timespec t[2] = {ToTimespec(access), ToTimespec(write)};
    return futimens(fd_, t) == 0 ? 0 : PosixFileSystem::ErrnoToWindows(errno);
  }
  uint32_t Close() override {
    if (fd_ < 0) return ErrorInvalidHandle;
    int r = ::close(fd_);
    fd_ = -1;
    return r == 0 ? 0 : PosixFileSystem::ErrnoToWindows(errno);
  }

private:
  int fd_;
  Access access_;
};

}  // namespace

uint32_t PosixFileSystem::ErrnoToWindows(int e) {
  switch (e) {
    case 0: return 0;
    case ENOENT: return ErrorFileNotFound;
    case ENOTDIR: return ErrorPathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ELOOP:
    case ENXIO: return ErrorAccessDenied;
    case EMFILE:
    case ENFILE: return 4;
    case ETXTBSY:
    case EBUSY: return ErrorSharingViolation;
    case ENOSPC:
    case EDQUOT: return ErrorDiskFull;
    case EEXIST: return ErrorAlreadyExists;
    case ENOMEM: return 8;
    case EINVAL: return 87;
    case ENAMETOOLONG: return 206;
    case ENOTEMPTY: return 145;
  }
  return 31;  // a device attached to the system is not functioning
}

PosixFileSystem::PosixFileSystem() {
  char buf[PATH_MAX];
  std::optional<std::string> w = getcwd(buf, sizeof buf) ? ToWindows(buf) : std::nullopt;
  current_ = w ? *w : "Z:\\";
}

std::optional<std::string> PosixFileSystem::ToWindows(const std::string& hostPath) {
  std::string abs = hostPath;
  if (abs.empty() || abs[0] != '/') {
    char buf[PATH_MAX];
    if (!getcwd(buf, sizeof buf)) return std::nullopt;
    abs = std::string(buf) + "/" + abs;
  }
  std::string r = "Z:";
  for (const std::string& c : Components(abs)) {
    std::optional<std::string> n = Utf8ToCp1252(c);
    if (!n) return std::nullopt;
    r += "\\" + *n;
  }
  if (r == "Z:") r += "\\";
  return r;
}

std::string PosixFileSystem::ToHost(const std::string& path, uint32_t* error) const {
  *error = 0;
  std::string p = path;
  std::string base;
  if (p.size() >= 2 && p[1] == ':') {
    if (p[0] != 'Z' && p[0] != 'z') {
      *error = ErrorPathNotFound;
      return "";
    }
    p = p.substr(2);
    if (p.empty() || (p[0] != '\\' && p[0] != '/')) base = current_.substr(2);
  } else if (p.empty() || (p[0] != '\\' && p[0] != '/')) {
    base = current_.substr(2);
  }
  std::string host;
  for (const std::string& c : Components(base + "\\" + p)) {
    std::string name = Cp1252ToUtf8(c);
    std::string exact = host + "/" + name;
    struct stat st;
    if (lstat(exact.c_str(), &st) != 0) {
      std::string found = FindWithoutCase(host.empty() ? "/" : host, c);
      if (!found.empty()) exact = host + "/" + found;
    }
    host = exact;
  }
  return host.empty() ? "/" : host;
}

std::string PosixFileSystem::FindWithoutCase(const std::string& folder, const std::string& name) const {
  struct stat st;
  if (stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return "";
  auto [it, fresh] = folders_.try_emplace(folder);
  FolderIndex& index = it->second;
  if (fresh || index.Device != st.st_dev || index.Inode != st.st_ino || !SameTime(index.Modified, st.st_mtim)) {
    index.Names.clear();
    DIR* d = opendir(folder.c_str());
    if (!d) {
      folders_.erase(it);
      return "";
    }
    while (dirent* e = readdir(d)) {
      if (std::optional<std::string> n = Utf8ToCp1252(e->d_name)) index.Names[FoldName(*n)].push_back(e->d_name);
    }
    closedir(d);
    index.Device = st.st_dev;
    index.Inode = st.st_ino;
    index.Modified = st.st_mtim;
  }
  auto found = index.Names.find(FoldName(name));
  // A name removed leaves its entry, empty.
  return found == index.Names.end() || found->second.empty() ? "" : found->second.front();
}

bool PosixFileSystem::IndexCurrent(const std::string& folder) const {
  auto it = folders_.find(folder);
  if (it == folders_.end()) return false;
  struct stat st;
  const FolderIndex& index = it->second;
  return stat(folder.c_str(), &st) == 0 && index.Device == st.st_dev && index.Inode == st.st_ino &&
         SameTime(index.Modified, st.st_mtim);
}

std::vector<std::string>* PosixFileSystem::Follow(const std::string& host, bool indexWasCurrent) {
  auto it = folders_.find(Parent(host));
  if (it == folders_.end()) return nullptr;
  std::optional<std::string> name = Utf8ToCp1252(host.substr(host.rfind('/') + 1));
  struct stat st;
  if (!indexWasCurrent || !name || stat(it->first.c_str(), &st) != 0) {
    folders_.erase(it);
    return nullptr;
  }
  it->second.Modified = st.st_mtim;
  return &it->second.Names[FoldName(*name)];
}

void PosixFileSystem::Created(const std::string& host, bool indexWasCurrent) {
  std::vector<std::string>* names = Follow(host, indexWasCurrent);
  if (names == nullptr) return;
  std::string base = host.substr(host.rfind('/') + 1);
  if (std::find(names->begin(), names->end(), base) == names->end()) names->push_back(base);
}

void PosixFileSystem::Removed(const std::string& host, bool indexWasCurrent) {
  std::vector<std::string>* names = Follow(host, indexWasCurrent);
  if (names == nullptr) return;
  // Another spelling of the name, if there is one, is found from now on.
  std::erase(*names, host.substr(host.rfind('/') + 1));
}

void PosixFileSystem::SetWriteRoot(const std::string& hostFolder) {
  char buf[PATH_MAX];
  writeRoot_ = realpath(hostFolder.c_str(), buf) ? buf : hostFolder;
}

uint32_t PosixFileSystem::CheckWritable(const std::string& host) const {
  if (writeRoot_.empty()) return 0;
  char buf[PATH_MAX];
  if (!realpath(Parent(host).c_str(), buf)) return Missing(host);
  std::string dir = buf;
  if (dir == writeRoot_ || (dir.size() > writeRoot_.size() && dir.compare(0, writeRoot_.size(), writeRoot_) == 0 &&
                            (writeRoot_ == "/" || dir[writeRoot_.size()] == '/')))
    return 0;
  return ErrorAccessDenied;
}

uint32_t PosixFileSystem::Replace(const std::string& host, bool* removed) {
  *removed = false;
  struct stat st;
  if (lstat(host.c_str(), &st) != 0) return errno == ENOENT ? 0 : ErrnoToWindows(errno);
  // A link goes whatever it leads to; a file only when it may be written.
  if (!S_ISLNK(st.st_mode) && (!S_ISREG(st.st_mode) || (st.st_mode & 0222) == 0)) return ErrorAccessDenied;
  if (unlink(host.c_str()) != 0) return ErrnoToWindows(errno);
  *removed = true;
  return 0;
}

std::unique_ptr<File> PosixFileSystem::Open(const std::string& path, Access access, Share, Disposition disposition,
                                            uint32_t* error) {
  std::string host = ToHost(path, error);
  if (*error) return nullptr;
  // Not blocking: a FIFO would wait for a peer before it could be refused.
  int flags = O_CLOEXEC | O_NONBLOCK;
  flags |= access == Access::Read ? O_RDONLY : access == Access::Write ? O_WRONLY : O_RDWR;
  if (access != Access::Read || disposition != Disposition::OpenExisting) {
    // Never write through a symbolic link: it could lead anywhere.
    flags |= O_NOFOLLOW;
    if ((*error = CheckWritable(host))) return nullptr;
  }
  if (disposition != Disposition::OpenExisting) flags |= O_CREAT;
  bool current = (flags & O_CREAT) && IndexCurrent(Parent(host));
  // A replaced name keeps its place in the index: it is there again at once.
  bool removed = false;
  if (disposition == Disposition::CreateAlways) flags |= O_EXCL;
  // A free name is created at once; anything at it, a link included, fails
  // the exclusive create and is then replaced or refused.
  int fd = ::open(host.c_str(), flags, 0666);
  if (fd < 0 && errno == EEXIST && disposition == Disposition::CreateAlways) {
    if ((*error = Replace(host, &removed))) return nullptr;
    fd = ::open(host.c_str(), flags, 0666);
  }
  if (fd < 0) {
    int e = errno;
    if (removed) Removed(host, current);
    *error = e == ENOENT ? Missing(host) : ErrnoToWindows(e);
    return nullptr;
  }
  if (flags & O_CREAT) Created(host, current);
  struct stat st;
  int status = fcntl(fd, F_GETFL);
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || status < 0 || fcntl(fd, F_SETFL, status & ~O_NONBLOCK) != 0) {
    ::close(fd);
    *error = ErrorAccessDenied;
    return nullptr;
  }
  return std::make_unique<PosixFile>(fd, access);
}

uint32_t PosixFileSystem::CreateDirectory(const std::string& path) {
  uint32_t e = 0;
  std::string host = ToHost(path, &e);
  if (e) return e;
  if ((e = CheckWritable(host))) return e;
  bool current = IndexCurrent(Parent(host));
  if (mkdir(host.c_str(), 0777) == 0) {
    Created(host, current);
    return 0;
  }
  return errno == ENOENT ? ErrorPathNotFound : ErrnoToWindows(errno);
}

bool PosixFileSystem::FileExists(const std::string& path) {
  uint32_t e = 0;
  std::string host = ToHost(path, &e);
  struct stat st;
  return !e && stat(host.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

uint32_t PosixFileSystem::CopyFile(const std::string& from, const std::string& to) {
  uint32_t e = 0;
  std::unique_ptr<File> in = Open(from, Access::Read, Share::Read, Disposition::OpenExisting, &e);
  if (!in) return e;
  struct stat a, b;
  uint32_t h = 0;
  // Replacing the source itself would lose it; Windows refuses to replace a
  // file open elsewhere.
  if (stat(ToHost(from, &h).c_str(), &a) == 0 && lstat(ToHost(to, &h).c_str(), &b) == 0 && a.st_dev == b.st_dev &&
      a.st_ino == b.st_ino)
    return ErrorAccessDenied;
  std::unique_ptr<File> out = Open(to, Access::Write, Share::None, Disposition::CreateAlways, &e);
  if (!out) return e;
  std::vector<char> buf(1 << 16);
  for (;;) {
    uint32_t got = 0, put = 0;
    if ((e = in->Read(buf.data(), static_cast<uint32_t>(buf.size()), &got))) return e;
    if (got == 0) break;
    if ((e = out->Write(buf.data(), got, &put))) return e;
    if (put < got) return ErrorDiskFull;
  }
  // A copy keeps the source's last-write time, as CopyFile does.
  if (stat(ToHost(from, &h).c_str(), &a) == 0) {
    FileTime t = ToFileTime(a.st_mtim);
    out->SetTimes(t, t, t);
  }
  return out->Close();
}

uint32_t PosixFileSystem::DeleteFile(const std::string& path) {
  uint32_t e = 0;
  std::string host = ToHost(path, &e);
  if (e) return e;
  if ((e = CheckWritable(host))) return e;
  struct stat st;
  if (lstat(host.c_str(), &st) != 0) return errno == ENOENT ? Missing(host) : ErrnoToWindows(errno);
  if (S_ISDIR(st.st_mode)) return ErrorAccessDenied;
  bool current = IndexCurrent(Parent(host));
  if (unlink(host.c_str()) != 0) return ErrnoToWindows(errno);
  Removed(host, current);
  return 0;
}

std::string PosixFileSystem::GetCurrentDirectory() { return current_; }

uint32_t PosixFileSystem::SetCurrentDirectory(const std::string& path) {
  uint32_t e = 0;
  std::string host = ToHost(path, &e);
  if (e) return e;
  struct stat st;
  if (stat(host.c_str(), &st) != 0) return errno == ENOENT ? ErrorFileNotFound : ErrnoToWindows(errno);
  if (!S_ISDIR(st.st_mode)) return ErrorDirectory;
  std::optional<std::string> w = ToWindows(host);
  if (!w) return 123;
  current_ = *w;
  return 0;
}

std::string PosixFileSystem::SystemMessage(uint32_t code) { return FrenchSystemMessage(code); }

std::optional<std::string> PosixFileSystem::FindFile(const std::string& path) {
  uint32_t e = 0;
  std::string host = ToHost(path, &e);
  struct stat st;
  if (e || host == "/" || lstat(host.c_str(), &st) != 0) return std::nullopt;
  return Utf8ToCp1252(host.substr(host.rfind('/') + 1));
}

}  // namespace platform
