#include "support/FabriqueJpeg.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

std::string EncodeJpeg(const Bitmap& image, int quality, bool grey) {
  jpeg_compress_struct info{};
  jpeg_error_mgr err{};
  info.err = jpeg_std_error(&err);  // the tests' own pictures: the library's exit on error is fine here
  jpeg_create_compress(&info);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &out, &size);
  info.image_width = static_cast<JDIMENSION>(image.Width);
  info.image_height = static_cast<JDIMENSION>(image.Height);
  info.input_components = grey ? 1 : 3;
  info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<JSAMPLE> row(static_cast<size_t>(image.Width) * info.input_components);
  while (info.next_scanline < info.image_height) {
    for (int x = 0; x < image.Width; ++x) {
      Colour c = image.At(x, static_cast<int>(info.next_scanline));
      if (grey) {
        row[x] = static_cast<JSAMPLE>(c & 0xFF);
      } else {
        row[3 * x] = static_cast<JSAMPLE>(c & 0xFF);
        row[3 * x + 1] = static_cast<JSAMPLE>((c >> 8) & 0xFF);
        row[3 * x + 2] = static_cast<JSAMPLE>((c >> 16) & 0xFF);
      }
    }
    JSAMPROW p = row.data();
    jpeg_write_scanlines(&info, &p, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::string bytes(reinterpret_cast<const char*>(out), size);
  free(out);
  return bytes;
}

Bitmap Uni(int width, int height, Colour c) {
  return Bitmap{width, height, std::vector<Colour>(static_cast<size_t>(width) * height, c)};
}
