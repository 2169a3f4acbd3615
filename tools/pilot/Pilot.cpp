// pilot: starts a Windows program, watches the top-level windows of its
// process tree, logs and photographs each one, and answers them from a
// script the way a person at the keyboard would. README.md has the command
// line, the script language, the log lines and the exit codes.

#include "platform/win32/Windows.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "Log.h"
#include "Options.h"
#include "Runner.h"
#include "Script.h"
#include "Text.h"

namespace pilot {
namespace {

// Makes the folder and the missing ones above it; true when it is there.
bool MakeFolders(const std::string& path) {
  for (size_t i = 1; i <= path.size(); ++i) {
    if (i == path.size() || path[i] == '\\' || path[i] == '/') {
      std::string part = path.substr(0, i);
      if (!CreateDirectoryA(part.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        if (i == path.size()) return false;
    }
  }
  DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

int Main() {
  _setmode(_fileno(stdout), _O_BINARY);
  Options o;
  std::string error;
  if (!ParseOptions(GetCommandLineA(), o, error)) {
    std::fprintf(stderr, "pilot: %s\n%s", error.c_str(), kUsage);
    return kUsageError;
  }
  Script script;
  try {
    if (!o.scriptFile.empty()) {
      std::ifstream in(o.scriptFile, std::ios::binary);
      if (!in) {
        std::fprintf(stderr, "pilot: cannot read %s\n", o.scriptFile.c_str());
        return kUsageError;
      }
      std::stringstream text;
      text << in.rdbuf();
      script = ParseScript(ScriptToAnsi(text.str()), o.scriptFile);
    }
    for (size_t i = 0; i < o.lines.size(); ++i) ParseLine(script, o.lines[i], "--do " + std::to_string(i + 1));
    if (o.answerFirst) ParseLine(script, "when \"*\" key Enter", "--answer-first");
  } catch (const ScriptError& e) {
    std::fprintf(stderr, "pilot: %s\n", e.what());
    return kUsageError;
  }
  Log log;
  if (!o.log.empty() && !log.Open(o.log)) {
    std::fprintf(stderr, "pilot: cannot write %s\n", o.log.c_str());
    return kUsageError;
  }
  if (!o.shots.empty() && !MakeFolders(o.shots)) {
    std::fprintf(stderr, "pilot: cannot make %s\n", o.shots.c_str());
    return kUsageError;
  }
  return Runner(o, script, log).Run();
}

}  // namespace
}  // namespace pilot

int main() { return pilot::Main(); }
