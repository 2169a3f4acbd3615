#pragma once
// The pilot's own command line (README.md, "Command line").

#include <string>
#include <vector>

#include "Capture.h"
#include "Input.h"

namespace pilot {

struct Options {
  std::string log;                 // --log, in Windows form
  std::string shots;               // --shots, in Windows form
  std::string scriptFile;          // --script, in Windows form
  std::vector<std::string> lines;  // the --do lines in order
  bool answerFirst = false;
  std::string cwd;    // --cwd, in Windows form
  int timeout = 120;  // seconds
  int settle = 300;   // milliseconds
  InputMethod input = InputMethod::Send;
  CaptureMethod capture = CaptureMethod::Screen;
  bool waitAll = false;
  bool killRest = false;
  std::string command;  // the program's command line, after "--"
};

// The usage text written after a command-line error.
extern const char kUsage[];

// Reads the options from the raw command line (the pilot's own name
// first); the text after "--" is the program's command line, kept exactly
// as written but for a program given as a host path. False with `error`
// set when the line is wrong.
bool ParseOptions(const std::string& cmd, Options& o, std::string& error);

}  // namespace pilot
