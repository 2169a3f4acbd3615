#pragma once
// Carrying out the script's actions on a window, as a person at the screen
// would, and the screenshots.

#include "platform/win32/Windows.h"

#include <string>

#include "Deadline.h"
#include "Log.h"
#include "Options.h"
#include "Processes.h"
#include "Script.h"

namespace pilot {

// How long a snap waits for a window to be painted.
constexpr DWORD kSnapMs = 500;

class Actions {
public:
  // Input, capture and the shots folder come from `o`; `run` starts its
  // programs in `processes`; waits end at `deadline`.
  Actions(const Options& o, Log& log, ProcessTree& processes, const Deadline& deadline);

  // Carries out `a` on the window `w` titled `title` (null before the
  // program starts: then only the actions that need no window can run). A
  // failure is logged as an "error" line and noted; the run goes on.
  void Do(HWND w, const std::string& title, const Action& a);

  // Saves the next numbered screenshot of `w` into the shots folder (which
  // must be set) and logs it, the window brought to the front first; a
  // failure is logged and noted. Taken again while it is all of one colour
  // (not painted yet: a loaded machine paints late), for up to kSnapMs.
  // mayGo: the window's own shot as it shows, where a window gone while it
  // is being photographed is "missed", as a snapped one is; a `shot` the
  // script asks for fails then.
  void Shot(HWND w, bool mayGo = false);

  // A shot of a window that may show only for a moment, taken at once, in
  // the same way. A window gone before it was photographed is logged as
  // "missed", which is no failure.
  void Snap(HWND w);

  // Whether an action or a screenshot has failed.
  bool Failed() const { return failed_; }

private:
  void Fail(const std::string& title, const Action& a, const std::string& why);
  void Texts(HWND w, const std::string& title);
  std::string NextShotFile(HWND w);
  // The shot of Shot and Snap; mayGo: a window gone first is no failure.
  void Photograph(HWND w, bool mayGo);

  const Options& o_;
  Log& log_;
  ProcessTree& processes_;
  const Deadline& deadline_;
  int shots_ = 0;
  bool failed_ = false;
};

}  // namespace pilot
