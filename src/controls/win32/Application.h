#pragma once
// The application object: the one place that pumps the thread's pending
// messages outside a modal loop, and the keeper of an exception raised by a
// window handler. Window procedures catch everything (an exception must not
// unwind through the system's code); the loops rethrow the kept exception
// once control is back in the program, so the entry point's standard report
// sees it as if it had been raised directly.

#include "platform/win32/Windows.h"

#include <exception>

#include "platform/Pump.h"

namespace win32 {

class Application : public platform::Pump {
public:
  static Application& Instance();

  // PeekMessage, TranslateMessage, DispatchMessage until the queue is empty
  // (a WM_QUIT is put back and ends it); then rethrows a kept exception.
  void ProcessMessages() override;

  // Keeps e unless an earlier exception is still waiting (the first wins).
  void KeepException(std::exception_ptr e);
  bool ExceptionPending() const { return static_cast<bool>(pending_); }
  // Rethrows the kept exception, if any, and forgets it.
  void RethrowPending();

private:
  Application() = default;
  std::exception_ptr pending_;
};

}  // namespace win32
