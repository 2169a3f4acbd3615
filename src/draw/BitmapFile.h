#pragma once
// Reading ".BMP" files: the glyphs of the message box's buttons.

#include <cstdint>
#include <span>

#include "common/Errors.h"
#include "draw/Canvas.h"

// What the headers of a ".BMP" file say: the 14-byte file header ("BM", the
// file size, where the pixels start) and the info header that follows it
// (the 12-byte core header, or 40 bytes or more).
struct EnteteBitmap {
  int Largeur = 0, Hauteur = 0;      // in pixels, both positive
  bool DeHautEnBas = false;          // rows stored top row first
  int BitsParPixel = 0;              // 1, 4, 8, 16, 24 or 32
  uint32_t Compression = 0;          // 0 plain, 3 bit fields
  uint32_t DebutPixels = 0;          // offset of the first row in the file
  uint32_t TaillePalette = 0;        // colours in the palette (depths up to 8)
  uint32_t DebutPalette = 0;         // offset of the palette in the file
  uint32_t TaillePaletteEntree = 4;  // bytes per palette entry (3 in a core header)
  uint32_t Masques[3] = {0, 0, 0};   // red, green, blue for bit fields
};

// Reads and checks the headers; raises EInvalidGraphic "Image bitmap
// incorrecte" for a file that is not a bitmap this reader draws: another
// signature, headers cut short, a size of 0 or beyond 16384 pixels, a depth
// or a compression it does not know (run-length encoded bitmaps included),
// a palette or pixels that the file does not hold.
EnteteBitmap LitEnteteBitmap(std::span<const uint8_t> file);

// The picture of a ".BMP" file, rows from the top, with the same errors.
Bitmap LitBitmap(std::span<const uint8_t> file);
