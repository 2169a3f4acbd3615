#pragma once
// The running process: its module's path and its command line.

#include <string>

#include "platform/win32/Handles.h"

namespace win32 {

// The running module's full path and its first command-line argument, as the
// run-time library splits the command line ("" when there is none).
std::string OwnModulePath();
std::string FirstArgument();

}  // namespace win32
