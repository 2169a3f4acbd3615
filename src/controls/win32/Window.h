#pragma once
// The one thin window base: a single window procedure for every window of the
// program, forwarding each message to the virtual HandleMessage of the object
// that owns the window. The object owns its window handle: destroying the
// object destroys the window. Exceptions never leave the window procedure;
// they are kept by the Application until a loop rethrows them.

#include "platform/win32/Windows.h"

#include <string>

namespace win32 {

class WindowImpl {
public:
  WindowImpl(const WindowImpl&) = delete;
  WindowImpl& operator=(const WindowImpl&) = delete;
  virtual ~WindowImpl();

  HWND Handle() const { return hwnd_; }

protected:
  WindowImpl() = default;
  // Registers the window class className (once per name, with the common
  // window procedure) and creates the window; throws EOSError on failure.
  void CreateHandle(const char* className, DWORD style, DWORD exStyle, const std::string& caption, int x, int y,
                    int width, int height);
  // Handles one message; the default is the system's default processing.
  virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Default(UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcA(hwnd_, msg, wp, lp); }

private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  HWND hwnd_ = nullptr;
};

}  // namespace win32
