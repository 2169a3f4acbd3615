#pragma once
// The system's own text for an error code.

#include <string>

#include "platform/win32/Handles.h"

namespace win32 {

// The system's text for an error code, without its trailing line break.
std::string SystemErrorMessage(DWORD code);

}  // namespace win32
