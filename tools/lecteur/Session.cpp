#include "Session.h"

#include <algorithm>
#include <cstdio>

#include "pilot/Finder.h"
#include "pilot/Script.h"
#include "pilot/Text.h"

namespace lecteur {
namespace {

// How long a window that fails to answer is asked again: it answers only
// while it pumps its messages.
constexpr ULONGLONG kBusyMs = 3000;
constexpr DWORD kRetryMs = 50;

bool Showing(HWND w, const std::string& title) {
  return IsWindow(w) && IsWindowVisible(w) && pilot::WindowTitle(w) == title;
}

}  // namespace

Session::Session(Options& o, pilot::Log& log)
    : o_(o), log_(log), deadline_(o.timeout), processes_(log, o.cwd), listener_(log) {}

int Session::Run() {
  if (!listener_.Start()) {
    std::fprintf(stderr, "lecteur: cannot start the event thread\n");
    return kStartError;
  }
  pilot::Process* main = processes_.StartProgram(o_.command);
  if (!main) return kStartError;
  Listen();
  ULONGLONG nextProcesses = 0;
  for (;;) {
    if (GetTickCount64() >= nextProcesses) {
      processes_.Discover();
      processes_.Reap();
      Listen();
      nextProcesses = GetTickCount64() + pilot::kPollMs;
    }
    Watch();
    if (main->ended && (!o_.waitAll || processes_.AllEnded())) break;
    if (deadline_.Passed()) return TimedOut();
    Sleep(pilot::kWindowPollMs);
  }
  // Killed first: a call of the event thread into a process that hangs ends
  // with the process.
  if (o_.killRest) processes_.KillAll("killed");
  listener_.Stop();
  log_.Line("exit " + std::to_string(main->code));
  if (failed_) {
    std::fprintf(stderr, "lecteur: a window could not be read or answered (see the log)\n");
    return kFailed;
  }
  return static_cast<int>(main->code);
}

void Session::Listen() {
  for (DWORD pid : processes_.Pids()) {
    if (std::find(heard_.begin(), heard_.end(), pid) != heard_.end()) continue;
    heard_.push_back(pid);
    listener_.Track(pid);
  }
}

// A window is read when it shows, when its title changes, and when it shows
// again after its dialog ended (the message box is one window for every
// question).
void Session::Watch() {
  for (HWND w : listener_.TakeEnded()) Forget(w);
  const std::vector<HWND> now = pilot::ShownWindows([this](DWORD pid) { return processes_.Tracked(pid); });
  for (HWND w : now) {
    const std::string title = pilot::WindowTitle(w);
    auto it = seen_.find(w);
    if (it == seen_.end() || it->second != title) Appear(w, title);
  }
  std::vector<HWND> gone;
  for (const auto& [w, title] : seen_)
    if (std::find(now.begin(), now.end(), w) == now.end()) gone.push_back(w);
  for (HWND w : gone) Forget(w);
}

void Session::Forget(HWND w) {
  auto it = seen_.find(w);
  if (it == seen_.end()) return;
  log_.Line("gone " + pilot::Quote(it->second));
  seen_.erase(it);
}

void Session::Appear(HWND w, const std::string& title) {
  seen_[w] = title;
  Reading r;
  HRESULT hr;
  const ULONGLONG end = GetTickCount64() + kBusyMs;
  while (FAILED(hr = ReadWindow(w, r)) && GetTickCount64() < end && Showing(w, title)) Sleep(kRetryMs);
  if (FAILED(hr)) {
    // One that went before it could be read is no failure of the reader's.
    if (Showing(w, title)) Fail("error read " + pilot::Quote(title) + ": " + HresultText(hr));
    else log_.Line("unread " + pilot::Quote(title) + " (" + HresultText(hr) + ")");
    return;
  }
  std::string lines = WindowLine(r.self.said);
  for (const Element& e : r.children) lines += "\n  " + ObjectLine(e.said);
  log_.Lines(lines);
  Answer(title, r);
}

void Session::Answer(const std::string& title, const Reading& r) {
  PressRule* rule = pilot::FirstRule(o_.rules, title);
  if (!rule) return;
  const std::string what = "press " + pilot::Quote(rule->button) + " in " + pilot::Quote(title) + ": ";
  for (const Element& e : r.children) {
    if (!pilot::MatchTitle(rule->button, pilot::Convert(e.said.name, CP_UTF8, CP_ACP))) continue;
    const HRESULT hr = Press(e);
    log_.Line(what + (SUCCEEDED(hr) ? "ok" : "refused (" + HresultText(hr) + ")"));
    return;
  }
  Fail(what + "no such object");
}

void Session::Fail(const std::string& line) {
  failed_ = true;
  log_.Line(line);
}

int Session::TimedOut() {
  log_.Line("timeout after " + std::to_string(o_.timeout) + " s");
  processes_.KillAll("killed");
  listener_.Stop();
  std::fprintf(stderr, "lecteur: timeout after %d s; every process it started was killed\n", o_.timeout);
  return kTimeout;
}

}  // namespace lecteur
