#include "Runner.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "Finder.h"
#include "Text.h"

namespace pilot {

Runner::Runner(const Options& o, Script& s, Log& log)
    : o_(o), script_(s), log_(log), deadline_(o.timeout), processes_(log, o.cwd),
      actions_(o, log, processes_, deadline_) {}

int Runner::Run() {
  for (const auto& a : script_.before) actions_.Do(nullptr, "", a);
  if (deadline_.Passed()) return TimedOut();

  Process* main = processes_.StartProgram(o_.command);
  if (!main) return kStartError;

  // Windows are looked at far more often than processes, so that one shown
  // only for a moment is still seen (and can be snapped).
  ULONGLONG nextProcesses = 0;
  for (;;) {
    if (GetTickCount64() >= nextProcesses) {
      processes_.Discover();
      processes_.Reap();
      nextProcesses = GetTickCount64() + kPollMs;
    }
    Watch();
    if (main->ended && ExpectsMet() && (!o_.waitAll || processes_.AllEnded())) break;
    if (deadline_.Passed()) return TimedOut();
    Sleep(kWindowPollMs);
  }
  if (o_.killRest) processes_.KillAll("killed");
  log_.Line("exit " + std::to_string(main->code));
  if (actions_.Failed()) {
    std::fprintf(stderr, "pilot: an action failed (see the log)\n");
    return kActionFailed;
  }
  return static_cast<int>(main->code);
}

bool Runner::ExpectsMet() const {
  for (const auto& e : script_.expects)
    if (!seenTitles_.count(e)) return false;
  return true;
}

void Runner::Watch() {
  std::vector<HWND> now = ShownWindows([this](DWORD pid) { return processes_.Tracked(pid); });
  for (HWND w : now) {
    auto it = seen_.find(w);
    if (it == seen_.end() || it->second.title != WindowTitle(w)) Appear(w);
  }
  for (auto it = seen_.begin(); it != seen_.end();) {
    bool still = false;
    for (HWND w : now) still = still || w == it->first;
    if (still) {
      ++it;
      continue;
    }
    log_.Line("gone " + Quote(it->second.title));
    it = seen_.erase(it);
  }
}

// A window shown (or retitled) is logged at once, so that one that shows
// only for a moment is still seen; it is photographed and answered after
// it had time to paint.
void Runner::Appear(HWND w) {
  const std::string title = WindowTitle(w);
  seen_[w].title = title;
  SIZE c = ClientSize(w);
  log_.Line("window " + Quote(title) + " " + std::to_string(c.cx) + "x" + std::to_string(c.cy));
  for (const auto& e : script_.expects)
    if (MatchTitle(e, title)) seenTitles_.insert(e);
  const bool snap = !o_.shots.empty() && Snapped(script_, title);
  if (snap) actions_.Snap(w);
  Sleep(std::min<DWORD>(o_.settle, deadline_.Left()));
  if (!IsWindow(w) || !IsWindowVisible(w) || WindowTitle(w) != title) return;
  // It may still go while it is being photographed, as one gone before.
  if (!o_.shots.empty() && !snap) actions_.Shot(w, true);
  Rule* r = FindRule(script_, title);
  if (!r) return;
  for (const auto& a : r->actions) {
    log_.Line("answer " + Quote(title) + " " + a.source);
    actions_.Do(w, title, a);
  }
}

int Runner::TimedOut() {
  log_.Line("timeout after " + std::to_string(o_.timeout) + " s");
  for (const auto& e : script_.expects)
    if (!seenTitles_.count(e)) log_.Line("missing " + Quote(e));
  processes_.KillAll("killed");
  std::fprintf(stderr, "pilot: timeout after %d s; every process it started was killed\n", o_.timeout);
  return kTimeout;
}

}  // namespace pilot
