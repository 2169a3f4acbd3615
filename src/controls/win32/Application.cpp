#include "controls/win32/Application.h"

namespace win32 {

Application& Application::Instance() {
  static Application app;
  return app;
}

void Application::ProcessMessages() {
  MSG m;
  while (!pending_ && PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
    if (m.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(m.wParam));
      break;
    }
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
  RethrowPending();
}

void Application::KeepException(std::exception_ptr e) {
  if (!pending_) pending_ = std::move(e);
}

void Application::RethrowPending() {
  if (!pending_) return;
  std::exception_ptr e = std::move(pending_);
  pending_ = nullptr;
  std::rethrow_exception(e);
}

}  // namespace win32
