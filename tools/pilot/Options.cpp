#include "Options.h"

#include <cstdlib>

#include "CommandLine.h"

namespace pilot {

const char kUsage[] =
    "usage: pilot [--log FILE] [--shots DIR] [--timeout SECONDS] [--settle MS]\n"
    "             [--script FILE] [--do LINE]... [--answer-first] [--cwd DIR]\n"
    "             [--input send|post] [--capture screen|window|print]\n"
    "             [--wait-all] [--kill-rest] -- PROGRAM ARGS...\n";

bool ParseOptions(const std::string& cmd, Options& o, std::string& error) {
  auto args = SplitCommandLine(cmd);
  size_t i = 1;
  auto value = [&](std::string& out) {
    if (i + 1 >= args.size()) {
      error = args[i].value + " needs a value";
      return false;
    }
    out = args[++i].value;
    return true;
  };
  auto number = [&](int& out) {
    std::string v;
    if (!value(v)) return false;
    char* end = nullptr;
    long n = std::strtol(v.c_str(), &end, 10);
    if (v.empty() || *end || n < 0 || n > 86400000) {
      error = "bad number \"" + v + "\" for " + args[i - 1].value;
      return false;
    }
    out = static_cast<int>(n);
    return true;
  };
  for (; i < args.size(); ++i) {
    const std::string& a = args[i].value;
    std::string v;
    if (a == "--") {
      if (i + 1 >= args.size()) {
        error = "no program after --";
        return false;
      }
      o.command = DosCommandLine(cmd.substr(args[i + 1].begin));
      return true;
    } else if (a == "--log") {
      if (!value(v)) return false;
      o.log = DosPath(v);
    } else if (a == "--shots") {
      if (!value(v)) return false;
      o.shots = DosPath(v);
    } else if (a == "--script") {
      if (!value(v)) return false;
      o.scriptFile = DosPath(v);
    } else if (a == "--cwd") {
      if (!value(v)) return false;
      o.cwd = DosPath(v);
    } else if (a == "--do") {
      if (!value(v)) return false;
      o.lines.push_back(v);
    } else if (a == "--timeout") {
      if (!number(o.timeout)) return false;
    } else if (a == "--settle") {
      if (!number(o.settle)) return false;
    } else if (a == "--answer-first") {
      o.answerFirst = true;
    } else if (a == "--wait-all") {
      o.waitAll = true;
    } else if (a == "--kill-rest") {
      o.killRest = true;
    } else if (a == "--input") {
      if (!value(v)) return false;
      if (v == "send") o.input = InputMethod::Send;
      else if (v == "post") o.input = InputMethod::Post;
      else return error = "--input takes send or post", false;
    } else if (a == "--capture") {
      if (!value(v)) return false;
      if (v == "screen") o.capture = CaptureMethod::Screen;
      else if (v == "window") o.capture = CaptureMethod::Window;
      else if (v == "print") o.capture = CaptureMethod::Print;
      else return error = "--capture takes screen, window or print", false;
    } else {
      error = "unknown option " + a;
      return false;
    }
  }
  error = "no -- PROGRAM";
  return false;
}

}  // namespace pilot
