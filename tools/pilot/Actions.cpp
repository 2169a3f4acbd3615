#include "Actions.h"

#include <algorithm>
#include <cstdio>

#include "Capture.h"
#include "Finder.h"
#include "Input.h"
#include "Text.h"

namespace pilot {
namespace {

bool AnyProcess(DWORD) { return true; }

}  // namespace

Actions::Actions(const Options& o, Log& log, ProcessTree& processes, const Deadline& deadline)
    : o_(o), log_(log), processes_(processes), deadline_(deadline) {}

void Actions::Fail(const std::string& title, const Action& a, const std::string& why) {
  failed_ = true;
  log_.Line("error " + Quote(title) + " " + a.source + ": " + why);
  std::fprintf(stderr, "pilot: %s: %s\n", a.source.c_str(), why.c_str());
}

std::string Actions::NextShotFile(HWND w) {
  char name[16];
  std::snprintf(name, sizeof name, "%02d-", ++shots_);
  return name + Sanitize(WindowTitle(w)) + ".png";
}

void Actions::Shot(HWND w, bool mayGo) {
  Focus(w);
  Photograph(w, mayGo);
}

void Actions::Snap(HWND w) { Photograph(w, true); }

void Actions::Photograph(HWND w, bool mayGo) {
  const std::string file = NextShotFile(w);
  const ULONGLONG end = GetTickCount64() + kSnapMs;
  for (;;) {
    Picture p;
    std::string error;
    const bool captured = Capture(w, o_.capture, p, error);
    // Checked right after the capture: what it holds is the window's.
    if (!IsWindow(w) || !IsWindowVisible(w)) {
      if (mayGo) {
        log_.Line("missed " + Quote(file));
        return;
      }
      if (captured) error = "the window went";
      failed_ = true;
      log_.Line("error shot " + Quote(file) + ": " + error);
      return;
    }
    if (!captured) {
      failed_ = true;
      log_.Line("error shot " + Quote(file) + ": " + error);
      return;
    }
    if (!p.blank || GetTickCount64() >= end) {
      if (!WritePicture(p, o_.shots + "\\" + file)) {
        failed_ = true;
        log_.Line("error shot " + Quote(file) + ": cannot write it");
        return;
      }
      log_.Line("shot " + Quote(file) + " " + std::to_string(p.width) + "x" + std::to_string(p.height) +
                (p.blank ? " blank" : ""));
      return;
    }
    Sleep(5);
  }
}

void Actions::Texts(HWND w, const std::string& title) {
  for (HWND c : ChildWindows(w)) {
    char cls[64] = "";
    GetClassNameA(c, cls, sizeof cls);
    log_.Line("text " + Quote(title) + " " + std::to_string(GetDlgCtrlID(c)) + " " + cls + " " +
              Quote(OneLine(ControlText(c))));
  }
}

void Actions::Do(HWND w, const std::string& title, const Action& a) {
  std::string error;
  const bool needsWindow = a.verb == Verb::Key || a.verb == Verb::Char || a.verb == Verb::ClickPoint ||
                           a.verb == Verb::ClickButton || a.verb == Verb::ClickControl || a.verb == Verb::Close ||
                           a.verb == Verb::Shot || a.verb == Verb::Texts;
  if (needsWindow && !w) return Fail(title, a, "no window to act on before the program starts");
  if (needsWindow && !IsWindow(w)) return Fail(title, a, "the window is gone");
  switch (a.verb) {
    case Verb::Key:
      if (!PressKey(w, o_.input, a.vk, a.mods, error)) Fail(title, a, error);
      break;
    case Verb::Char:
      if (!TypeChars(w, o_.input, a.text, error)) Fail(title, a, error);
      break;
    case Verb::ClickPoint:
      if (!ClickAt(w, o_.input, a.x, a.y, error)) Fail(title, a, error);
      break;
    case Verb::ClickButton: {
      int x = 0, y = 0;
      ButtonCentre(a.button, a.buttons, ClientSize(w).cy, x, y);
      if (!ClickAt(w, o_.input, x, y, error)) Fail(title, a, error);
      break;
    }
    case Verb::ClickControl: {
      HWND c = FindControl(w, a.text);
      if (!c) return Fail(title, a, "no control " + Quote(a.text));
      RECT r;
      GetWindowRect(c, &r);
      POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
      ScreenToClient(w, &p);
      if (!ClickAt(w, o_.input, p.x, p.y, error)) Fail(title, a, error);
      break;
    }
    case Verb::Close:
      if (!PostMessageA(w, WM_CLOSE, 0, 0)) Fail(title, a, "PostMessage failed");
      break;
    case Verb::CloseOther: {
      int closed = 0;
      for (HWND o : ShownWindows(AnyProcess)) {
        std::string t = WindowTitle(o);
        if (o == w || !MatchTitle(a.text, t)) continue;
        PostMessageA(o, WM_CLOSE, 0, 0);
        log_.Line("closed " + Quote(t));
        ++closed;
      }
      if (!closed) Fail(title, a, "no window titled " + Quote(a.text));
      break;
    }
    case Verb::Shot:
      if (o_.shots.empty()) return Fail(title, a, "no --shots folder");
      Shot(w);
      break;
    case Verb::Texts: Texts(w, title); break;
    case Verb::Sleep: Sleep(std::min<DWORD>(a.ms, deadline_.Left())); break;
    case Verb::Run:
      if (!processes_.Start(a.text, "run")) Fail(title, a, "cannot start");
      break;
    case Verb::WaitWindow:
      for (;;) {
        bool found = false;
        for (HWND o : ShownWindows(AnyProcess)) found = found || MatchTitle(a.text, WindowTitle(o));
        if (found) break;
        if (deadline_.Passed()) return Fail(title, a, "no such window in time");
        Sleep(kPollMs);
      }
      break;
  }
}

}  // namespace pilot
