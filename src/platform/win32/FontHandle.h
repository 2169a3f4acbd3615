#pragma once
// A GDI font made from a Font description, for code that draws with the
// system's text functions (DrawText) rather than through a Canvas.

#include "platform/win32/GdiCanvas.h"

namespace win32 {

// Height -MulDiv(Size, PixelsPerInch, 72): a character height in pixels.
GdiObject<HFONT> MakeFont(const Font& f);

}  // namespace win32
