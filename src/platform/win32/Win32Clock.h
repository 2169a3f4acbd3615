#pragma once
// The clock on Win32: the performance counter, read in days.

#include "platform/Clock.h"
#include "platform/win32/Handles.h"

namespace win32 {

class Win32Clock : public platform::Clock {
public:
  double Now() override;
};

}  // namespace win32
