// A console probe the end-to-end scripts run inside the Wine prefix to read
// what only the Windows side can tell.
//   probe filetime PATH   prints the creation, last-access and last-write
//                         times as 64-bit counts of 100 ns, one per line
#include "platform/win32/Windows.h"

#include <cstdio>
#include <cstring>

static unsigned long long Value(const FILETIME& t) {
  return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "filetime") == 0) {
    HANDLE h = CreateFileA(argv[2], GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
      std::fprintf(stderr, "probe: cannot open %s (error %lu)\n", argv[2], GetLastError());
      return 2;
    }
    FILETIME c, a, w;
    BOOL ok = GetFileTime(h, &c, &a, &w);
    CloseHandle(h);
    if (!ok) return 2;
    std::printf("%llu\n%llu\n%llu\n", Value(c), Value(a), Value(w));
    return 0;
  }
  std::fprintf(stderr, "usage: probe filetime PATH\n");
  return 2;
}
