#include "platform/win32/Win32FileSystem.h"

#include <cstdio>

#include "platform/win32/SystemErrorMessage.h"

namespace win32 {

namespace {

class Win32File : public platform::File {
public:
  explicit Win32File(UniqueHandle h) : h_(std::move(h)) {}

  uint32_t Read(void* buf, uint32_t n, uint32_t* done) override {
    DWORD got = 0;
    BOOL ok = ReadFile(h_.Get(), buf, n, &got, nullptr);
    *done = got;
    return ok ? 0 : GetLastError();
  }
  uint32_t Write(const void* buf, uint32_t n, uint32_t* done) override {
    DWORD put = 0;
    BOOL ok = WriteFile(h_.Get(), buf, n, &put, nullptr);
    *done = put;
    return ok ? 0 : GetLastError();
  }
  uint64_t Size() override {
    LARGE_INTEGER size{};
    return GetFileSizeEx(h_.Get(), &size) ? static_cast<uint64_t>(size.QuadPart) : 0;
  }
  uint32_t SetTimes(platform::FileTime c, platform::FileTime a, platform::FileTime w) override {
    FILETIME fc = ToFileTime(c), fa = ToFileTime(a), fw = ToFileTime(w);
    return SetFileTime(h_.Get(), &fc, &fa, &fw) ? 0 : GetLastError();
  }
  uint32_t Close() override {
    if (!h_.Valid()) return ERROR_INVALID_HANDLE;
    return h_.Reset() ? 0 : GetLastError();
  }

private:
  static FILETIME ToFileTime(platform::FileTime t) {
    return FILETIME{static_cast<DWORD>(t & 0xFFFFFFFFu), static_cast<DWORD>(t >> 32)};
  }
  UniqueHandle h_;
};

// A name beside path, in its folder, for a new file that is then moved over
// path: moving replaces what the name held, a file or a link, without
// following it (deleting first would not do: Wine deletes what a host link
// leads to). Unique within the process; nothing else makes such names.
std::string Beside(const std::string& path) {
  static unsigned made = 0;
  std::size_t end = path.find_last_of("\\/:");
  char name[48];
  std::snprintf(name, sizeof name, "~brn%lx-%x.tmp", static_cast<unsigned long>(GetCurrentProcessId()), ++made);
  return (end == std::string::npos ? std::string() : path.substr(0, end + 1)) + name;
}

// Makes a new file beside path through make, which creates the name it is
// given exclusively, going on to further names while one is taken. Returns
// the name made, or "" with *error set.
template <class Make>
std::string MakeBeside(const std::string& path, Make make, DWORD* error) {
  for (int tries = 0; tries < 16; ++tries) {
    std::string beside = Beside(path);
    if (make(beside)) {
      *error = 0;
      return beside;
    }
    *error = GetLastError();
    if (*error != ERROR_FILE_EXISTS && *error != ERROR_ALREADY_EXISTS) break;
  }
  return "";
}

// Whether path may be replaced: a folder and a read-only file may not,
// which Windows refuses on the move as well, but Wine does not always.
DWORD Replaceable(const std::string& path) {
  DWORD a = GetFileAttributesA(path.c_str());
  if (a != INVALID_FILE_ATTRIBUTES && (a & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0)
    return ERROR_ACCESS_DENIED;
  return 0;
}

// Moves the new file beside over path; on failure the new file goes (once it
// is closed, when it is open).
DWORD MoveOver(const std::string& beside, const std::string& path) {
  if (MoveFileExA(beside.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) return 0;
  DWORD e = GetLastError();
  SetFileAttributesA(beside.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(beside.c_str());
  return e;
}

}  // namespace

std::unique_ptr<platform::File> Win32FileSystem::Open(const std::string& path, platform::Access access,
                                                      platform::Share share, platform::Disposition disposition,
                                                      uint32_t* error) {
  DWORD acc = access == platform::Access::Read    ? GENERIC_READ
              : access == platform::Access::Write ? GENERIC_WRITE
                                                  : GENERIC_READ | GENERIC_WRITE;
  DWORD sh = share == platform::Share::None    ? 0
             : share == platform::Share::Read  ? FILE_SHARE_READ
             : share == platform::Share::Write ? FILE_SHARE_WRITE
                                               : FILE_SHARE_READ | FILE_SHARE_WRITE;
  if (disposition == platform::Disposition::CreateAlways) {
    // A free name is created in place, exclusively and without following a
    // link there (without the flag, Windows would create a link's target):
    // anything at the name makes it fail, so that it is as safe as the
    // replacement below, at one look-up of the name instead of three. The
    // file is never moved, so its handle shares only what the caller asked.
    UniqueHandle h(CreateFileA(path.c_str(), acc, sh, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (h.Valid()) {
      *error = 0;
      return std::make_unique<Win32File>(std::move(h));
    }
    DWORD e = GetLastError();
    // A folder at the name is refused with ERROR_ACCESS_DENIED; so is a
    // folder that may not be written, which the replacement reports alike.
    if (e != ERROR_FILE_EXISTS && e != ERROR_ALREADY_EXISTS && e != ERROR_ACCESS_DENIED) {
      *error = e;
      return nullptr;
    }
    // The name is taken: made beside, exclusively, and moved over the name
    // while open; this handle shares deletion so that it can be moved.
    if ((*error = Replaceable(path))) return nullptr;
    std::string beside = MakeBeside(
        path,
        [&](const std::string& name) {
          h = UniqueHandle(CreateFileA(name.c_str(), acc, sh | FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
          return h.Valid();
        },
        &e);
    if (beside.empty() || (e = MoveOver(beside, path))) {
      *error = e;
      return nullptr;
    }
    *error = 0;
    return std::make_unique<Win32File>(std::move(h));
  }
  DWORD disp = disposition == platform::Disposition::OpenExisting ? OPEN_EXISTING : OPEN_ALWAYS;
  HANDLE h = CreateFileA(path.c_str(), acc, sh, nullptr, disp, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    *error = GetLastError();
    return nullptr;
  }
  *error = 0;
  return std::make_unique<Win32File>(UniqueHandle(h));
}

uint32_t Win32FileSystem::CreateDirectory(const std::string& path) {
  return CreateDirectoryA(path.c_str(), nullptr) ? 0 : GetLastError();
}

bool Win32FileSystem::FileExists(const std::string& path) {
  DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

uint32_t Win32FileSystem::CopyFile(const std::string& from, const std::string& to) {
  // The source stays open, its deletion not shared, until the copy is in
  // place: the move cannot replace the source itself, under any name.
  UniqueHandle source(CreateFileA(from.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!source.Valid()) return GetLastError();
  if (DWORD e = Replaceable(to)) return e;
  DWORD e = 0;
  std::string beside = MakeBeside(
      to, [&](const std::string& name) { return CopyFileA(from.c_str(), name.c_str(), TRUE) != 0; }, &e);
  return beside.empty() ? e : MoveOver(beside, to);
}

uint32_t Win32FileSystem::DeleteFile(const std::string& path) { return DeleteFileA(path.c_str()) ? 0 : GetLastError(); }

std::string Win32FileSystem::GetCurrentDirectory() {
  char buf[MAX_PATH + 1];
  DWORD n = GetCurrentDirectoryA(sizeof buf, buf);
  return n > 0 && n < sizeof buf ? std::string(buf, n) : std::string();
}

uint32_t Win32FileSystem::SetCurrentDirectory(const std::string& path) {
  return SetCurrentDirectoryA(path.c_str()) ? 0 : GetLastError();
}

std::string Win32FileSystem::SystemMessage(uint32_t code) { return SystemErrorMessage(code); }

std::optional<std::string> Win32FileSystem::FindFile(const std::string& path) {
  WIN32_FIND_DATAA data{};
  FindHandle search(FindFirstFileA(path.c_str(), &data));
  if (!search.Valid()) return std::nullopt;
  return std::string(data.cFileName);
}

}  // namespace win32
