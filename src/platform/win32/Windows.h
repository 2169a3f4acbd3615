#pragma once
// <windows.h> for this program: the ANSI functions are called by their "A"
// names, so the macros that would rename the platform interfaces' own
// members (FileSystem::CopyFile, Canvas::TextOut ...) are taken away. Win32
// code includes this header instead of <windows.h>.

#include <windows.h>

#include "platform/win32/UndefWin32Names.h"
