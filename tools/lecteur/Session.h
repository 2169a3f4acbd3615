#pragma once
// A whole run of the reader: starts the program, reads every window of its
// process tree when it shows (again, or under a new title), presses the
// buttons the rules name, and ends with the program's exit code.

#include "platform/win32/Windows.h"

#include <map>
#include <string>
#include <vector>

#include "Listener.h"
#include "Objects.h"
#include "Options.h"
#include "pilot/Deadline.h"
#include "pilot/Log.h"
#include "pilot/Processes.h"

namespace lecteur {

// The reader's own failures, kept apart from the program's exit codes (the
// pilot's numbers).
constexpr int kUsageError = 100;  // bad command line
constexpr int kStartError = 101;  // the program could not be started
constexpr int kTimeout = 102;     // the run did not end in time; every process was killed
constexpr int kFailed = 103;      // a window could not be read, or a rule found no object to press

class Session {
public:
  // The deadline starts now.
  Session(Options& o, pilot::Log& log);

  // Starts the program and reads its windows until it has ended (and, with
  // --wait-all, every tracked process has). Returns its exit code, or
  // kStartError, kTimeout or kFailed.
  int Run();

private:
  void Listen();
  void Watch();
  void Forget(HWND w);
  void Appear(HWND w, const std::string& title);
  void Answer(const std::string& title, const Reading& r);
  void Fail(const std::string& line);
  int TimedOut();

  Options& o_;
  pilot::Log& log_;
  pilot::Deadline deadline_;
  pilot::ProcessTree processes_;
  Listener listener_;
  std::vector<DWORD> heard_;          // the processes whose events are hooked
  std::map<HWND, std::string> seen_;  // the windows shown and read, with their titles (ANSI)
  bool failed_ = false;
};

}  // namespace lecteur
