#pragma once
// Loading a ".BMP" file into a Bitmap (a glyph of the message box's buttons).

#include <string>

#include "common/Errors.h"
#include "platform/Canvas.h"

namespace win32 {

// The bitmap loader's error: the file is not a bitmap it can read.
BRANNOCH_EXCEPTION(EInvalidGraphic, Exception);

// Reads the bitmap file at path (any depth the system reads); throws
// EFOpenError when it cannot be opened and EInvalidGraphic when it is not a
// valid bitmap.
Bitmap LoadBitmapFile(const std::string& path);

}  // namespace win32
