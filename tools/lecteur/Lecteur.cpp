// lecteur: a screen reader for the tests. Starts a Windows program, reads
// every window of its process tree through the accessibility interface when
// it shows, prints what it hears of the events they raise, and presses the
// buttons its rules name, through the same interface only. README.md has
// the command line, the lines it prints and the exit codes.

#include "platform/win32/Windows.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>

#include "Options.h"
#include "Session.h"
#include "pilot/Log.h"

namespace lecteur {
namespace {

int Main() {
  _setmode(_fileno(stdout), _O_BINARY);
  Options o;
  std::string error;
  if (!ParseOptions(GetCommandLineA(), o, error)) {
    std::fprintf(stderr, "lecteur: %s\n%s", error.c_str(), kUsage);
    return kUsageError;
  }
  pilot::Log log;
  if (!o.log.empty() && !log.Open(o.log)) {
    std::fprintf(stderr, "lecteur: cannot write %s\n", o.log.c_str());
    return kUsageError;
  }
  // The objects read are proxies in this thread's apartment.
  const bool com = SUCCEEDED(CoInitialize(nullptr));
  const int code = Session(o, log).Run();
  if (com) CoUninitialize();
  return code;
}

}  // namespace
}  // namespace lecteur

int main() { return lecteur::Main(); }
