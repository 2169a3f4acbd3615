#pragma once
// JPEG files made by the tests themselves, with libjpeg's compressor.

#include <string>

#include "draw/Canvas.h"

// The picture as a baseline JPEG file at that quality; grey keeps one
// channel (the red one of each pixel).
std::string EncodeJpeg(const Bitmap& image, int quality = 100, bool grey = false);

// A width x height picture of one colour.
Bitmap Uni(int width, int height, Colour c);
