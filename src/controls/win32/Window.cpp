#include "controls/win32/Window.h"

#include "common/Errors.h"
#include "controls/win32/Application.h"

namespace win32 {

WindowImpl::~WindowImpl() {
  if (!hwnd_) return;
  // The derived object is gone: later messages get the default processing.
  SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
  DestroyWindow(hwnd_);
}

void WindowImpl::CreateHandle(const char* className, DWORD style, DWORD exStyle, const std::string& caption, int x,
                              int y, int width, int height) {
  HINSTANCE inst = GetModuleHandleA(nullptr);
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  if (!GetClassInfoExA(inst, className, &wc)) {
    wc = WNDCLASSEXA{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &WindowImpl::WindowProc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    wc.lpszClassName = className;
    if (!RegisterClassExA(&wc)) throw EOSError("RegisterClassEx: " + std::to_string(GetLastError()));
  }
  HWND h = CreateWindowExA(exStyle, className, caption.c_str(), style, x, y, width, height, nullptr, nullptr, inst,
                           this);
  if (!h) hwnd_ = nullptr;
  Application::Instance().RethrowPending();
  if (!h) throw EOSError("CreateWindowEx: " + std::to_string(GetLastError()));
}

LRESULT WindowImpl::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) { return Default(msg, wp, lp); }

LRESULT CALLBACK WindowImpl::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<WindowImpl*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<WindowImpl*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
  try {
    return self->HandleMessage(msg, wp, lp);
  } catch (...) {
    Application::Instance().KeepException(std::current_exception());
    return msg == WM_NCCREATE ? FALSE : 0;
  }
}

}  // namespace win32
