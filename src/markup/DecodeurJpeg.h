#pragma once
// Decoding JPEG files into pictures. The layout of pictures only needs
// bytes in and a Bitmap out, so every build shares it whatever decodes.

#include <cstdint>
#include <span>

#include "draw/Canvas.h"

class DecodeurJpeg {
public:
  virtual ~DecodeurJpeg() = default;
  // The picture the bytes hold, rows from the top, in RGB. Raises EJPEG when
  // they are not a JPEG picture that can be decoded.
  virtual Bitmap Decode(std::span<const uint8_t> octets) = 0;
};
