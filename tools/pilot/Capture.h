#pragma once
// Screenshots of top-level windows, saved as PNG.

#include "platform/win32/Windows.h"

#include <string>
#include <vector>

namespace pilot {

enum class CaptureMethod {
  Screen,  // BitBlt from the screen DC over the client area
  Window,  // BitBlt from the window's client DC
  Print,   // PrintWindow of the client area into a memory DC
};

// A captured client area, red-green-blue bytes row by row.
struct Picture {
  int width = 0;
  int height = 0;
  bool blank = false;  // every pixel has the same colour
  std::vector<unsigned char> rgb;
};

// Captures the window's client area; false with `error` set when it cannot.
// The frame is left out: under Wine without a window manager nobody draws it.
bool Capture(HWND window, CaptureMethod method, Picture& picture, std::string& error);

// Writes a capture as a PNG file; false when it cannot.
bool WritePicture(const Picture& picture, const std::string& path);

}  // namespace pilot
