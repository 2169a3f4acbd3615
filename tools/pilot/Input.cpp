#include "Input.h"

#include <vector>

#include "Script.h"

namespace pilot {
namespace {

// Time for the target to take the input before the next step looks at it.
constexpr DWORD kSettleMs = 60;

INPUT KeyInput(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return in;
}

bool Send(std::vector<INPUT>& inputs, std::string& error) {
  UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  if (sent != inputs.size()) {
    error = "SendInput refused the input";
    return false;
  }
  Sleep(kSettleMs);
  return true;
}

void AddModifiers(std::vector<INPUT>& in, int mods, bool up) {
  if (mods & kShift) in.push_back(KeyInput(VK_SHIFT, up));
  if (mods & kCtrl) in.push_back(KeyInput(VK_CONTROL, up));
  if (mods & kAlt) in.push_back(KeyInput(VK_MENU, up));
}

bool SendKey(HWND window, int vk, int mods, std::string& error) {
  if (!Focus(window)) {
    error = "the window did not become the foreground window";
    return false;
  }
  std::vector<INPUT> in;
  AddModifiers(in, mods, false);
  in.push_back(KeyInput(static_cast<WORD>(vk), false));
  in.push_back(KeyInput(static_cast<WORD>(vk), true));
  AddModifiers(in, mods, true);
  return Send(in, error);
}

// Key messages as the system would queue them: Alt makes them system keys,
// lParam carries the repeat count, scan code, context and transition bits.
bool PostKey(HWND window, int vk, int mods, std::string& error) {
  const bool alt = (mods & kAlt) != 0;
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC)) << 16;
  const LPARAM context = alt ? (1 << 29) : 0;
  const UINT down = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
  const UINT up = alt ? WM_SYSKEYUP : WM_KEYUP;
  if (!PostMessageA(window, down, vk, 1 | scan | context) ||
      !PostMessageA(window, up, vk, 1 | scan | context | (1 << 30) | (1u << 31))) {
    error = "PostMessage failed";
    return false;
  }
  Sleep(kSettleMs);
  return true;
}

// The innermost visible child under a client point, and the point in its
// own client coordinates.
HWND ChildAt(HWND window, POINT& p) {
  HWND w = window;
  for (;;) {
    HWND c = RealChildWindowFromPoint(w, p);
    if (!c || c == w) return w;
    MapWindowPoints(w, c, &p, 1);
    w = c;
  }
}

}  // namespace

bool Focus(HWND window) {
  for (int i = 0; i < 20; ++i) {
    if (GetForegroundWindow() == window) return true;
    SetForegroundWindow(window);
    Sleep(25);
  }
  return GetForegroundWindow() == window;
}

bool PressKey(HWND window, InputMethod method, int vk, int mods, std::string& error) {
  return method == InputMethod::Send ? SendKey(window, vk, mods, error) : PostKey(window, vk, mods, error);
}

bool TypeChars(HWND window, InputMethod method, const std::string& text, std::string& error) {
  for (char ch : text) {
    const unsigned char c = static_cast<unsigned char>(ch);
    if (method == InputMethod::Post) {
      if (!PostMessageA(window, WM_CHAR, c, 1)) {
        error = "PostMessage failed";
        return false;
      }
      Sleep(kSettleMs);
      continue;
    }
    SHORT scan = VkKeyScanA(static_cast<CHAR>(ch));
    if (scan != -1) {
      const int mods = ((scan >> 8) & 1 ? kShift : 0) | ((scan >> 8) & 2 ? kCtrl : 0) | ((scan >> 8) & 4 ? kAlt : 0);
      if (!SendKey(window, scan & 0xFF, mods, error)) return false;
      continue;
    }
    // No key makes it on this layout: send the character itself.
    if (!Focus(window)) {
      error = "the window did not become the foreground window";
      return false;
    }
    wchar_t wide = 0;
    MultiByteToWideChar(CP_ACP, 0, &ch, 1, &wide, 1);
    std::vector<INPUT> in(2);
    for (int i = 0; i < 2; ++i) {
      in[i].type = INPUT_KEYBOARD;
      in[i].ki.wScan = wide;
      in[i].ki.dwFlags = KEYEVENTF_UNICODE | (i ? KEYEVENTF_KEYUP : 0);
    }
    if (!Send(in, error)) return false;
  }
  return true;
}

bool ClickAt(HWND window, InputMethod method, int x, int y, std::string& error) {
  POINT screen{x, y};
  ClientToScreen(window, &screen);
  if (method == InputMethod::Send) {
    if (!Focus(window)) {
      error = "the window did not become the foreground window";
      return false;
    }
    if (!SetCursorPos(screen.x, screen.y)) {
      error = "SetCursorPos failed";
      return false;
    }
    Sleep(kSettleMs);
    std::vector<INPUT> in(2);
    for (auto& i : in) i.type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    return Send(in, error);
  }
  POINT p{x, y};
  HWND target = ChildAt(window, p);
  const LPARAM at = MAKELPARAM(p.x, p.y);
  if (!PostMessageA(target, WM_MOUSEMOVE, 0, at) || !PostMessageA(target, WM_LBUTTONDOWN, MK_LBUTTON, at) ||
      !PostMessageA(target, WM_LBUTTONUP, 0, at)) {
    error = "PostMessage failed";
    return false;
  }
  Sleep(kSettleMs);
  return true;
}

}  // namespace pilot
