#pragma once
// The time limit of the whole run, and how often the pilot looks again.

#include "platform/win32/Windows.h"

namespace pilot {

// Processes are polled at this interval (milliseconds), windows at the
// shorter one.
constexpr DWORD kPollMs = 50;
constexpr DWORD kWindowPollMs = 5;

// The moment `seconds` after its making.
class Deadline {
public:
  explicit Deadline(int seconds) : end_(GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000) {}

  // True once the moment has come.
  bool Passed() const { return GetTickCount64() >= end_; }

  // Milliseconds left, 0 once passed: waits are cut to it.
  DWORD Left() const {
    ULONGLONG now = GetTickCount64();
    return now >= end_ ? 0 : static_cast<DWORD>(end_ - now);
  }

private:
  ULONGLONG end_;
};

}  // namespace pilot
