#pragma once
// The screen's device context, for measuring and making bitmaps outside
// painting; released on every way out.

#include "platform/win32/Windows.h"

namespace win32 {

class ScreenDc {
public:
  ScreenDc() : dc_(GetDC(nullptr)) {}
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  ~ScreenDc() { ReleaseDC(nullptr, dc_); }
  HDC Get() const { return dc_; }

private:
  HDC dc_;
};

}  // namespace win32
