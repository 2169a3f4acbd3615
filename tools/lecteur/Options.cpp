#include "Options.h"

#include <cstdlib>

#include "pilot/CommandLine.h"

namespace lecteur {

const char kUsage[] =
    "usage: lecteur [--log FILE] [--timeout SECONDS] [--cwd DIR] [--wait-all] [--kill-rest]\n"
    "               [--press TITLE [once] BUTTON]... -- PROGRAM ARGS...\n";

bool ParseOptions(const std::string& cmd, Options& o, std::string& error) {
  const auto args = pilot::SplitCommandLine(cmd);
  size_t i = 1;
  // The next argument, for the option at `i`.
  auto next = [&](std::string& out) {
    if (i + 1 >= args.size()) return error = args[i].value + " needs a value", false;
    out = args[++i].value;
    return true;
  };
  for (; i < args.size(); ++i) {
    const std::string& a = args[i].value;
    std::string v;
    if (a == "--") {
      if (i + 1 >= args.size()) return error = "no program after --", false;
      o.command = pilot::DosCommandLine(cmd.substr(args[i + 1].begin));
      return true;
    } else if (a == "--log" || a == "--cwd") {
      if (!next(v)) return false;
      (a == "--log" ? o.log : o.cwd) = pilot::DosPath(v);
    } else if (a == "--timeout") {
      if (!next(v)) return false;
      char* end = nullptr;
      const long n = std::strtol(v.c_str(), &end, 10);
      if (v.empty() || *end || n <= 0 || n > 86400) return error = "bad number \"" + v + "\" for --timeout", false;
      o.timeout = static_cast<int>(n);
    } else if (a == "--wait-all") {
      o.waitAll = true;
    } else if (a == "--kill-rest") {
      o.killRest = true;
    } else if (a == "--press") {
      PressRule r;
      if (!next(r.pattern)) return false;
      if (i + 2 < args.size() && args[i + 1].value == "once" && args[i + 2].value != "--") {
        r.once = true;
        ++i;
      }
      if (!next(r.button) || r.button == "--") return error = "--press needs a title and a button", false;
      o.rules.push_back(r);
    } else {
      return error = "unknown option " + a, false;
    }
  }
  error = "no -- PROGRAM";
  return false;
}

}  // namespace lecteur
