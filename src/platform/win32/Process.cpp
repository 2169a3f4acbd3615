#include "platform/win32/Process.h"

namespace win32 {

std::string OwnModulePath() {
  char buf[MAX_PATH + 1];
  DWORD n = GetModuleFileNameA(nullptr, buf, sizeof buf);
  return std::string(buf, n < sizeof buf ? n : 0);
}

// The run-time library's rules: blanks separate, double quotes group and are
// dropped, the program name comes first.
std::string FirstArgument() {
  const char* p = GetCommandLineA();
  auto next = [&p]() {
    while (*p && static_cast<unsigned char>(*p) <= ' ') ++p;
    std::string arg;
    while (*p && static_cast<unsigned char>(*p) > ' ') {
      if (*p == '"') {
        ++p;
        while (*p && *p != '"') arg += *p++;
        if (*p) ++p;
      } else {
        arg += *p++;
      }
    }
    return arg;
  };
  next();
  return next();
}

}  // namespace win32
