#pragma once
// The processes a run watches: those the pilot starts and, found by a
// process snapshot, every process whose parent is one of them or the desktop
// shell (an elevated installer has the shell start its application).

#include "platform/win32/Windows.h"

#include <memory>
#include <string>
#include <vector>

#include "Log.h"
#include "platform/win32/Handles.h"

namespace pilot {

struct Process {
  DWORD pid = 0;
  DWORD parent = 0;     // 0 for the processes the pilot started itself
  bool logged = false;  // a child's "process" line is written
  win32::UniqueHandle handle;
  bool ended = false;
  DWORD code = 0;  // the exit code, once ended
};

class ProcessTree {
public:
  // Lines go to `log`; programs start in `cwd` (the pilot's own when empty).
  ProcessTree(Log& log, std::string cwd);

  // Starts the command line (its program turned into Windows form when
  // given as a host path), tracks it and logs "VERB PID CMD". When it cannot
  // start: an error line in the log and on standard error, and null. The
  // process stays owned by the tree.
  Process* Start(const std::string& command, const char* verb);

  // Starts the program of a run as Start does, logged as "start", after
  // setting the tracking up for it: Wine's desktop process is made the
  // caller's, not the program's, and what the program has the desktop shell
  // start is tracked as its own.
  Process* StartProgram(const std::string& command);

  // Whether the process is tracked (ended or not).
  bool Tracked(DWORD pid) const;

  // The ids of the tracked processes, in the order they were found.
  std::vector<DWORD> Pids() const;

  // Tracks the new children of tracked processes. A child is logged once
  // its name shows, which takes a moment after its creation, or when it ends.
  void Discover();

  // Notes and logs the tracked processes that have ended, with their codes.
  void Reap();

  // Whether every tracked process has ended.
  bool AllEnded() const;

  // Kills every tracked process still running, logging "VERB PID" for each.
  void KillAll(const char* verb);

private:
  // Tracks, from now on, the new children of the desktop shell's process too;
  // the ones it has now are left alone.
  void FollowShell(DWORD shell);
  Process* Find(DWORD pid);
  void LogChild(Process& p, const std::string& name);

  Log& log_;
  std::string cwd_;
  std::vector<std::unique_ptr<Process>> processes_;
  DWORD shell_ = 0;
  std::vector<DWORD> shellBefore_;  // the shell's children before the run
};

}  // namespace pilot
