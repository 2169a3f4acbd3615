#pragma once
// Loading a ".BMP" file into a Bitmap (a glyph of the message box's buttons).

#include <string>

#include "draw/BitmapFile.h"

namespace win32 {

// Reads the bitmap file at path; throws EFOpenError when it cannot be opened
// and EInvalidGraphic when it is not a bitmap LitBitmap reads.
Bitmap LoadBitmapFile(const std::string& path);

}  // namespace win32
