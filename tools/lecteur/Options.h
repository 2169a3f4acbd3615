#pragma once
// The reader's command line (README.md, "Command line").

#include <string>
#include <vector>

namespace lecteur {

// --press "TITLE" [once] "BUTTON": in a window whose title matches the glob
// `pattern`, press the first object whose name matches the glob `button`.
struct PressRule {
  std::string pattern;
  bool once = false;
  bool used = false;  // a `once` rule that has had its window
  std::string button;
};

struct Options {
  std::string log;  // --log, in Windows form
  std::string cwd;  // --cwd, in Windows form
  int timeout = 120;
  bool waitAll = false;
  bool killRest = false;
  std::vector<PressRule> rules;  // in order
  std::string command;           // the program's command line, after "--"
};

// The usage text written after a command-line error.
extern const char kUsage[];

// Reads the options from the raw command line (the reader's own name first,
// texts in the ANSI code page); the text after "--" is the program's command
// line, kept as written but for a program given as a host path. False with
// `error` set when the line is wrong.
bool ParseOptions(const std::string& cmd, Options& o, std::string& error);

}  // namespace lecteur
