// Reading ".BMP" files and little-endian fields: every depth the glyphs come
// in, both row orders, and a clear refusal of what is not a bitmap.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "common/LittleEndian.h"
#include "draw/BitmapFile.h"

namespace {

void Put16(std::vector<uint8_t>& b, size_t at, uint16_t v) {
  b[at] = static_cast<uint8_t>(v);
  b[at + 1] = static_cast<uint8_t>(v >> 8);
}
void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// A file with a 40-byte info header, a palette of paletteSize entries (blue,
// green, red, 0) and rows as given (each already padded), bottom row first
// unless height is negative.
std::vector<uint8_t> Bmp(int width, int height, int bpp, const std::vector<uint32_t>& palette,
                         const std::vector<uint8_t>& rows, uint32_t compression = 0) {
  const size_t pixels = 14 + 40 + 4 * palette.size();
  std::vector<uint8_t> b(pixels + rows.size());
  b[0] = 'B';
  b[1] = 'M';
  Put32(b, 2, static_cast<uint32_t>(b.size()));
  Put32(b, 10, static_cast<uint32_t>(pixels));
  Put32(b, 14, 40);
  Put32(b, 18, static_cast<uint32_t>(width));
  Put32(b, 22, static_cast<uint32_t>(height));
  Put16(b, 26, 1);
  Put16(b, 28, static_cast<uint16_t>(bpp));
  Put32(b, 30, compression);
  Put32(b, 46, static_cast<uint32_t>(palette.size()));
  for (size_t i = 0; i < palette.size(); ++i) Put32(b, 54 + 4 * i, palette[i]);
  std::copy(rows.begin(), rows.end(), b.begin() + static_cast<long>(pixels));
  return b;
}

// Pixel colours are 0x00BBGGRR; palette entries and 24-bit pixels are stored
// blue, green, red.
constexpr Colour Red = 0x0000FF, Green = 0x00FF00, Blue = 0xFF0000, Silver = 0xC0C0C0;

}  // namespace

TEST(LittleEndian, LowByteFirstWithoutSignExtension) {
  const uint8_t b[] = {0x78, 0x56, 0x34, 0x92};
  EXPECT_EQ(LitLe32(b), 0x92345678u);
  EXPECT_EQ(LitLe16(b + 2), 0x9234u);
  std::string s;
  AjouteLe32(s, 0x92345678u);
  EXPECT_EQ(s, std::string("\x78\x56\x34\x92", 4));
}

TEST(BitmapFile, TwentyFourBitsBottomUpAndTopDown) {
  // 2 x 2: bottom row red, green; top row blue, silver; rows padded to 8 bytes.
  std::vector<uint8_t> rows = {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 192, 192, 192, 0, 0};
  Bitmap b = LitBitmap(Bmp(2, 2, 24, {}, rows));
  EXPECT_EQ(b.Width, 2);
  EXPECT_EQ(b.Height, 2);
  EXPECT_EQ(b.Pixels, (std::vector<Colour>{Blue, Silver, Red, Green}));

  Bitmap t = LitBitmap(Bmp(2, -2, 24, {}, rows));
  EXPECT_EQ(t.Pixels, (std::vector<Colour>{Red, Green, Blue, Silver}));
  EXPECT_TRUE(LitEnteteBitmap(Bmp(2, -2, 24, {}, rows)).DeHautEnBas);
}

TEST(BitmapFile, PaletteDepthsPickTheirBitsFromTheLeft) {
  // Entries read as numbers are 0x00RRGGBB: silver, blue, green, red.
  const std::vector<uint32_t> palette = {0x00C0C0C0, 0x000000FF, 0x0000FF00, 0x00FF0000};
  // 1 bit, 3 wide: 1 0 1.
  EXPECT_EQ(LitBitmap(Bmp(3, 1, 1, {palette[0], palette[3]}, {0b10100000, 0, 0, 0})).Pixels,
            (std::vector<Colour>{Red, Silver, Red}));
  // 4 bits, 3 wide: 1 2 3.
  EXPECT_EQ(LitBitmap(Bmp(3, 1, 4, palette, {0x12, 0x30, 0, 0})).Pixels, (std::vector<Colour>{Blue, Green, Red}));
  // 8 bits, an index past a short palette reads black.
  EXPECT_EQ(LitBitmap(Bmp(2, 1, 8, palette, {3, 200, 0, 0})).Pixels, (std::vector<Colour>{Red, clBlack}));
}

TEST(BitmapFile, SixteenAndThirtyTwoBitsWithTheirDefaultMasks) {
  // 16 bits 5-5-5: pure red 0x7C00, pure blue 0x001F.
  EXPECT_EQ(LitBitmap(Bmp(2, 1, 16, {}, {0x00, 0x7C, 0x1F, 0x00})).Pixels, (std::vector<Colour>{Red, Blue}));
  // 32 bits, blue green red unused.
  EXPECT_EQ(LitBitmap(Bmp(1, 1, 32, {}, {0x10, 0x20, 0x30, 0})).Pixels, (std::vector<Colour>{0x102030}));
}

TEST(BitmapFile, AnythingElseIsRefusedAsAnInvalidBitmap) {
  const std::vector<uint8_t> rows = {0, 0, 255, 0};
  std::vector<std::vector<uint8_t>> bad;
  std::vector<uint8_t> b = Bmp(1, 1, 24, {}, rows);
  b[0] = 'X';
  bad.push_back(b);  // another signature
  b = Bmp(1, 1, 24, {}, rows);
  bad.push_back(std::vector<uint8_t>(b.begin(), b.begin() + 20));  // headers cut short
  bad.push_back(Bmp(0, 1, 24, {}, rows));                          // no width
  bad.push_back(Bmp(1, 0, 24, {}, rows));                          // no height
  bad.push_back(Bmp(20000, 1, 24, {}, rows));                      // beyond any glyph, and beyond the file
  bad.push_back(Bmp(1, 1, 7, {}, rows));                           // a depth that does not exist
  bad.push_back(Bmp(1, 1, 8, {0, 0}, rows, 1));                    // run-length encoded
  bad.push_back(Bmp(4, 4, 24, {}, rows));                          // pixels beyond the end of the file
  b = Bmp(1, 1, 8, {0, 0}, rows);
  Put32(b, 46, 300);  // a palette larger than the depth allows
  bad.push_back(b);
  b = Bmp(1, 1, 8, {0, 0}, rows);
  Put32(b, 46, 200);  // a palette the file does not hold
  bad.push_back(b);
  for (size_t i = 0; i < bad.size(); ++i) {
    try {
      LitBitmap(bad[i]);
      ADD_FAILURE() << "case " << i << " was read";
    } catch (const EInvalidGraphic& e) {
      EXPECT_EQ(e.Message(), "Image bitmap incorrecte") << i;
    }
  }
}
