#include "Finder.h"

#include "Script.h"

namespace pilot {
namespace {

BOOL CALLBACK Collect(HWND w, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
  return TRUE;
}

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> out;
  EnumWindows(Collect, reinterpret_cast<LPARAM>(&out));
  return out;
}

}  // namespace

std::string WindowTitle(HWND w) {
  char buf[512];
  int n = GetWindowTextA(w, buf, sizeof buf);
  return std::string(buf, n > 0 ? n : 0);
}

std::string ControlText(HWND w) {
  DWORD_PTR len = 0;
  if (!SendMessageTimeoutA(w, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &len)) return {};
  std::string buf(len + 1, '\0');
  DWORD_PTR got = 0;
  if (!SendMessageTimeoutA(w, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()), SMTO_ABORTIFHUNG, 2000,
                           &got))
    return {};
  buf.resize(got);
  return buf;
}

std::vector<HWND> ChildWindows(HWND w) {
  std::vector<HWND> out;
  EnumChildWindows(w, Collect, reinterpret_cast<LPARAM>(&out));
  return out;
}

SIZE ClientSize(HWND w) {
  RECT r{};
  GetClientRect(w, &r);
  return {r.right - r.left, r.bottom - r.top};
}

std::vector<HWND> ShownWindows(const std::function<bool(DWORD pid)>& ofProcess) {
  std::vector<HWND> out;
  for (HWND w : TopLevelWindows()) {
    if (!IsWindowVisible(w)) continue;
    RECT r;
    if (!GetWindowRect(w, &r) || r.right <= r.left || r.bottom <= r.top) continue;
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == GetCurrentProcessId() || !ofProcess(pid)) continue;
    out.push_back(w);
  }
  return out;
}

HWND FindControl(HWND w, const std::string& pattern) {
  for (HWND c : ChildWindows(w)) {
    if (!IsWindowVisible(c)) continue;
    std::string t = ControlText(c), plain;
    for (char ch : t)
      if (ch != '&') plain += ch;
    if (MatchTitle(pattern, t) || MatchTitle(pattern, plain)) return c;
  }
  return nullptr;
}

}  // namespace pilot
