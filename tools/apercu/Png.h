#pragma once
// PNG files of bitmaps.

#include <string>

#include "draw/Canvas.h"

// Writes bmp as a 24-bit PNG; false when the file cannot be written.
bool WritePng(const std::string& path, const Bitmap& bmp);
