#pragma once
// Finding windows and reading what they show, in any process.

#include "platform/win32/Windows.h"

#include <functional>
#include <string>
#include <vector>

namespace pilot {

// A window's title in the ANSI code page (empty when it has none).
std::string WindowTitle(HWND w);

// The text of a control of another process: WM_GETTEXT is marshalled across
// processes; a target busy for two seconds gives an empty text instead of
// stopping the pilot.
std::string ControlText(HWND w);

// Every child window of `w`, depth first, hidden ones too.
std::vector<HWND> ChildWindows(HWND w);

// The size of a window's client area.
SIZE ClientSize(HWND w);

// The visible top-level windows with an area, in the system's order, of
// every process but the pilot's own whose id `ofProcess` accepts.
std::vector<HWND> ShownWindows(const std::function<bool(DWORD pid)>& ofProcess);

// The first visible child control of `w` whose caption, with or without
// its "&", matches the glob `pattern`; null when there is none.
HWND FindControl(HWND w, const std::string& pattern);

}  // namespace pilot
