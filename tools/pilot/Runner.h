#pragma once
// A whole run: starts the program, watches its process tree and the windows
// it shows, answers them from the script, and ends with the exit code.

#include "platform/win32/Windows.h"

#include <map>
#include <set>
#include <string>

#include "Actions.h"
#include "Deadline.h"
#include "Log.h"
#include "Options.h"
#include "Processes.h"
#include "Script.h"

namespace pilot {

// The pilot's own failures, kept apart from the program's exit codes.
constexpr int kUsageError = 100;    // bad command line or script
constexpr int kStartError = 101;    // the program could not be started
constexpr int kTimeout = 102;       // the run did not end in time; every process was killed
constexpr int kActionFailed = 103;  // an action or a screenshot failed; the run went on

class Runner {
public:
  // The deadline starts now.
  Runner(const Options& o, Script& s, Log& log);

  // Runs the `before` actions, starts the program and polls until it has
  // ended, every expected title has shown and, with --wait-all, every
  // tracked process has ended. Returns the program's exit code, or
  // kStartError, kTimeout or kActionFailed.
  int Run();

private:
  struct Seen {
    std::string title;
  };

  bool ExpectsMet() const;
  void Watch();
  void Appear(HWND w);
  int TimedOut();

  const Options& o_;
  Script& script_;
  Log& log_;
  Deadline deadline_;
  ProcessTree processes_;
  Actions actions_;
  std::map<HWND, Seen> seen_;
  std::set<std::string> seenTitles_;
};

}  // namespace pilot
