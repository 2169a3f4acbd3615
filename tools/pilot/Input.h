#pragma once
// Keyboard and mouse input delivered to another process's window as a
// person's would be.

#include "platform/win32/Windows.h"

#include <string>

namespace pilot {

enum class InputMethod {
  Send,  // SetForegroundWindow, then SendInput: the system routes it like real input
  Post,  // PostMessage of the key and mouse messages to the window itself
};

// Makes `window` the foreground window; false when the system refused.
bool Focus(HWND window);

// Presses and releases `vk` with the modifiers (Script.h's kShift, kCtrl,
// kAlt) held. The target's TranslateMessage makes the WM_CHAR, as for a
// real key.
bool PressKey(HWND window, InputMethod method, int vk, int mods, std::string& error);

// Types the characters of `text` (ANSI code page).
bool TypeChars(HWND window, InputMethod method, const std::string& text, std::string& error);

// A left click at client coordinates of `window` (on the child window under
// that point when there is one).
bool ClickAt(HWND window, InputMethod method, int x, int y, std::string& error);

}  // namespace pilot
