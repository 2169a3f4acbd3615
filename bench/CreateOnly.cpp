// create_only FOLDER COUNT: COUNT new files in FOLDER, named as bench/window's
// members are, each made with CREATE_NEW, given one write of its (empty)
// bytes and closed. Nothing else: under Wine this is the floor of any
// installer that writes COUNT new members into one folder, which
// bench/window compares the installation with.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/win32/Handles.h"
#include "platform/win32/Windows.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: create_only FOLDER COUNT\n");
    return 2;
  }
  const std::string folder = argv[1];
  const unsigned long count = std::strtoul(argv[2], nullptr, 10);
  for (unsigned long i = 1; i <= count; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "\\membre-%05lu.dat", i);
    const std::string path = folder + name;
    win32::UniqueHandle h(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD put = 0;
    if (!h.Valid() || !WriteFile(h.Get(), "", 0, &put, nullptr) || !h.Reset()) {
      std::fprintf(stderr, "create_only: %s: error %lu\n", path.c_str(), GetLastError());
      return 1;
    }
  }
  return 0;
}
