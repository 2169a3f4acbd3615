#pragma once
// <windows.h> for this program: the ANSI functions are called by their "A"
// names, so the macros that would rename the program's own members
// (FileSystem::CopyFile, Canvas::TextOut ...) are taken away. Win32 code
// includes this header, never <windows.h> itself, so that no other file
// needs to care in which order the two are seen.

#include <windows.h>

#undef CreateDirectory
#undef CopyFile
#undef DeleteFile
#undef GetCurrentDirectory
#undef SetCurrentDirectory
#undef TextOut
#undef MessageBox
