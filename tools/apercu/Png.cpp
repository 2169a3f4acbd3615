#include "Png.h"

#include <cstdint>
#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

bool WritePng(const std::string& path, const Bitmap& bmp) {
  std::vector<uint8_t> rgb(static_cast<size_t>(bmp.Width) * bmp.Height * 3);
  for (size_t i = 0; i < bmp.Pixels.size(); ++i) {
    Colour c = bmp.Pixels[i];
    rgb[i * 3] = static_cast<uint8_t>(c);
    rgb[i * 3 + 1] = static_cast<uint8_t>(c >> 8);
    rgb[i * 3 + 2] = static_cast<uint8_t>(c >> 16);
  }
  return stbi_write_png(path.c_str(), bmp.Width, bmp.Height, 3, rgb.data(), bmp.Width * 3) != 0;
}
