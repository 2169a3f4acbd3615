#pragma once
// The JPEG decoder of every build: libjpeg, from memory.
//
// An error of the library raises EJPEG "Erreur JPEG #n : <its text>" instead
// of ending the program, and everything the library allocated is freed.
// Warnings about damaged data are not errors: what could be decoded shows.
// Grey, YCbCr and RGB pictures are decoded; CMYK ones are refused (the
// library converts them to no screen colours), and so are pictures of more
// than 16384 pixels a side.

#include "markup/DecodeurJpeg.h"

class DecodeurLibJpeg : public DecodeurJpeg {
public:
  Bitmap Decode(std::span<const uint8_t> octets) override;
};
