#pragma once
// Command lines and paths as Windows programs see them, and host paths
// turned into their Windows form so tests can pass build paths unchanged.

#include <cstddef>
#include <string>
#include <vector>

namespace pilot {

// One argument of a command line and where it lies in the line: [begin, end).
struct Arg {
  std::string value;
  size_t begin = 0;
  size_t end = 0;
};

// The C run-time's splitting of a command line (quotes, backslashes before
// quotes), keeping where each argument lies so a tail can be passed on as is.
std::vector<Arg> SplitCommandLine(const std::string& s);

// A path given in the host's form (/tmp/x) as the Windows path of the same
// file (Wine's own mapping, else Z:\tmp\x); any other path unchanged.
std::string DosPath(const std::string& p);

// The command line with its program, when given as a host path, in Windows
// form and quoted; the rest of the line untouched.
std::string DosCommandLine(const std::string& cmd);

}  // namespace pilot
