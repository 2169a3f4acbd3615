#pragma once
// Screenshots of top-level windows, saved as PNG.

#include <windows.h>

#include <string>

namespace pilot {

enum class CaptureMethod {
  Screen,  // BitBlt from the screen DC over the client area
  Window,  // BitBlt from the window's client DC
  Print,   // PrintWindow of the client area into a memory DC
};

struct ShotResult {
  bool ok = false;
  int width = 0;
  int height = 0;
  bool blank = false;  // every pixel has the same colour
  std::string error;
};

// Captures the window's client area and writes it to `path`. The frame is
// left out: under Wine without a window manager nobody draws it.
ShotResult SaveShot(HWND window, CaptureMethod method, const std::string& path);

}  // namespace pilot
