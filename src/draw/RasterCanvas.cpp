#include "draw/RasterCanvas.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "common/Errors.h"

namespace {

// 5 x 8 glyphs of printable ASCII from 0x21, rows top to bottom, bit 4 the
// leftmost column; the last row is for descenders.
constexpr uint8_t Glyphs[94][8] = {
    {0x04, 0x04, 0x04, 0x04, 0x00, 0x00, 0x04, 0x00}, {0x0A, 0x0A, 0x0A, 0x00, 0x00, 0x00, 0x00, 0x00},  // ! "
    {0x0A, 0x0A, 0x1F, 0x0A, 0x1F, 0x0A, 0x0A, 0x00}, {0x04, 0x0F, 0x14, 0x0E, 0x05, 0x1E, 0x04, 0x00},  // # $
    {0x18, 0x19, 0x02, 0x04, 0x08, 0x13, 0x03, 0x00}, {0x0C, 0x12, 0x14, 0x08, 0x15, 0x12, 0x0D, 0x00},  // % &
    {0x0C, 0x04, 0x08, 0x00, 0x00, 0x00, 0x00, 0x00}, {0x02, 0x04, 0x08, 0x08, 0x08, 0x04, 0x02, 0x00},  // ' (
    {0x08, 0x04, 0x02, 0x02, 0x02, 0x04, 0x08, 0x00}, {0x00, 0x04, 0x15, 0x0E, 0x15, 0x04, 0x00, 0x00},  // ) *
    {0x00, 0x04, 0x04, 0x1F, 0x04, 0x04, 0x00, 0x00}, {0x00, 0x00, 0x00, 0x00, 0x0C, 0x04, 0x08, 0x00},  // + ,
    {0x00, 0x00, 0x00, 0x1F, 0x00, 0x00, 0x00, 0x00}, {0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x0C, 0x00},  // - .
    {0x00, 0x01, 0x02, 0x04, 0x08, 0x10, 0x00, 0x00}, {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E, 0x00},  // / 0
    {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E, 0x00}, {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F, 0x00},  // 1 2
    {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E, 0x00}, {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02, 0x00},  // 3 4
    {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E, 0x00}, {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E, 0x00},  // 5 6
    {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08, 0x00}, {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E, 0x00},  // 7 8
    {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C, 0x00}, {0x00, 0x0C, 0x0C, 0x00, 0x0C, 0x0C, 0x00, 0x00},  // 9 :
    {0x00, 0x0C, 0x0C, 0x00, 0x0C, 0x04, 0x08, 0x00}, {0x02, 0x04, 0x08, 0x10, 0x08, 0x04, 0x02, 0x00},  // ; <
    {0x00, 0x00, 0x1F, 0x00, 0x1F, 0x00, 0x00, 0x00}, {0x08, 0x04, 0x02, 0x01, 0x02, 0x04, 0x08, 0x00},  // = >
    {0x0E, 0x11, 0x01, 0x02, 0x04, 0x00, 0x04, 0x00}, {0x0E, 0x11, 0x01, 0x0D, 0x15, 0x15, 0x0E, 0x00},  // ? @
    {0x0E, 0x11, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x00}, {0x1E, 0x11, 0x11, 0x1E, 0x11, 0x11, 0x1E, 0x00},  // A B
    {0x0E, 0x11, 0x10, 0x10, 0x10, 0x11, 0x0E, 0x00}, {0x1C, 0x12, 0x11, 0x11, 0x11, 0x12, 0x1C, 0x00},  // C D
    {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F, 0x00}, {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x10, 0x00},  // E F
    {0x0E, 0x11, 0x10, 0x17, 0x11, 0x11, 0x0F, 0x00}, {0x11, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11, 0x00},  // G H
    {0x0E, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E, 0x00}, {0x07, 0x02, 0x02, 0x02, 0x02, 0x12, 0x0C, 0x00},  // I J
    {0x11, 0x12, 0x14, 0x18, 0x14, 0x12, 0x11, 0x00}, {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F, 0x00},  // K L
    {0x11, 0x1B, 0x15, 0x15, 0x11, 0x11, 0x11, 0x00}, {0x11, 0x11, 0x19, 0x15, 0x13, 0x11, 0x11, 0x00},  // M N
    {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E, 0x00}, {0x1E, 0x11, 0x11, 0x1E, 0x10, 0x10, 0x10, 0x00},  // O P
    {0x0E, 0x11, 0x11, 0x11, 0x15, 0x12, 0x0D, 0x00}, {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11, 0x00},  // Q R
    {0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E, 0x00}, {0x1F, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04, 0x00},  // S T
    {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E, 0x00}, {0x11, 0x11, 0x11, 0x11, 0x11, 0x0A, 0x04, 0x00},  // U V
    {0x11, 0x11, 0x11, 0x15, 0x15, 0x15, 0x0A, 0x00}, {0x11, 0x11, 0x0A, 0x04, 0x0A, 0x11, 0x11, 0x00},  // W X
    {0x11, 0x11, 0x11, 0x0A, 0x04, 0x04, 0x04, 0x00}, {0x1F, 0x01, 0x02, 0x04, 0x08, 0x10, 0x1F, 0x00},  // Y Z
    {0x0E, 0x08, 0x08, 0x08, 0x08, 0x08, 0x0E, 0x00}, {0x00, 0x10, 0x08, 0x04, 0x02, 0x01, 0x00, 0x00},  // [ backslash
    {0x0E, 0x02, 0x02, 0x02, 0x02, 0x02, 0x0E, 0x00}, {0x04, 0x0A, 0x11, 0x00, 0x00, 0x00, 0x00, 0x00},  // ] ^
    {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x1F, 0x00}, {0x08, 0x04, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00},  // _ `
    {0x00, 0x00, 0x0E, 0x01, 0x0F, 0x11, 0x0F, 0x00}, {0x10, 0x10, 0x16, 0x19, 0x11, 0x11, 0x1E, 0x00},  // a b
    {0x00, 0x00, 0x0E, 0x10, 0x10, 0x11, 0x0E, 0x00}, {0x01, 0x01, 0x0D, 0x13, 0x11, 0x11, 0x0F, 0x00},  // c d
    {0x00, 0x00, 0x0E, 0x11, 0x1F, 0x10, 0x0E, 0x00}, {0x06, 0x09, 0x08, 0x1C, 0x08, 0x08, 0x08, 0x00},  // e f
    {0x00, 0x00, 0x0F, 0x11, 0x11, 0x0F, 0x01, 0x0E}, {0x10, 0x10, 0x16, 0x19, 0x11, 0x11, 0x11, 0x00},  // g h
    {0x04, 0x00, 0x0C, 0x04, 0x04, 0x04, 0x0E, 0x00}, {0x02, 0x00, 0x06, 0x02, 0x02, 0x02, 0x12, 0x0C},  // i j
    {0x10, 0x10, 0x12, 0x14, 0x18, 0x14, 0x12, 0x00}, {0x0C, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E, 0x00},  // k l
    {0x00, 0x00, 0x1A, 0x15, 0x15, 0x11, 0x11, 0x00}, {0x00, 0x00, 0x16, 0x19, 0x11, 0x11, 0x11, 0x00},  // m n
    {0x00, 0x00, 0x0E, 0x11, 0x11, 0x11, 0x0E, 0x00}, {0x00, 0x00, 0x1E, 0x11, 0x11, 0x1E, 0x10, 0x10},  // o p
    {0x00, 0x00, 0x0F, 0x11, 0x11, 0x0F, 0x01, 0x01}, {0x00, 0x00, 0x16, 0x19, 0x10, 0x10, 0x10, 0x00},  // q r
    {0x00, 0x00, 0x0E, 0x10, 0x0E, 0x01, 0x1E, 0x00}, {0x08, 0x08, 0x1C, 0x08, 0x08, 0x09, 0x06, 0x00},  // s t
    {0x00, 0x00, 0x11, 0x11, 0x11, 0x13, 0x0D, 0x00}, {0x00, 0x00, 0x11, 0x11, 0x11, 0x0A, 0x04, 0x00},  // u v
    {0x00, 0x00, 0x11, 0x11, 0x15, 0x15, 0x0A, 0x00}, {0x00, 0x00, 0x11, 0x0A, 0x04, 0x0A, 0x11, 0x00},  // w x
    {0x00, 0x00, 0x11, 0x11, 0x11, 0x0F, 0x01, 0x0E}, {0x00, 0x00, 0x1F, 0x02, 0x04, 0x08, 0x1F, 0x00},  // y z
    {0x02, 0x04, 0x04, 0x08, 0x04, 0x04, 0x02, 0x00}, {0x04, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04, 0x00},  // { |
    {0x08, 0x04, 0x04, 0x02, 0x04, 0x04, 0x08, 0x00}, {0x00, 0x00, 0x08, 0x15, 0x02, 0x00, 0x00, 0x00},  // } ~
};

// Any other byte that is not a space: an open box.
constexpr uint8_t BoxGlyph[8] = {0x1E, 0x12, 0x12, 0x12, 0x12, 0x12, 0x1E, 0x00};

// The accented lower-case letters of French: their base letter with the
// accent in the two free top rows.
struct Accented {
  unsigned char byte;
  char base;
  uint8_t top0, top1;
};
constexpr Accented Accents[] = {
    {0xE0, 'a', 0x08, 0x04}, {0xE2, 'a', 0x04, 0x0A}, {0xE4, 'a', 0x0A, 0x00}, {0xE7, 'c', 0x00, 0x00},
    {0xE8, 'e', 0x08, 0x04}, {0xE9, 'e', 0x02, 0x04}, {0xEA, 'e', 0x04, 0x0A}, {0xEB, 'e', 0x0A, 0x00},
    {0xEE, 'i', 0x04, 0x0A}, {0xEF, 'i', 0x0A, 0x00}, {0xF4, 'o', 0x04, 0x0A}, {0xF6, 'o', 0x0A, 0x00},
    {0xF9, 'u', 0x08, 0x04}, {0xFB, 'u', 0x04, 0x0A}, {0xFC, 'u', 0x0A, 0x00},
};

bool IsBlank(unsigned char c) { return c == ' ' || c == 0xA0; }

// The rows of a byte's glyph; nullptr for blanks.
const uint8_t* GlyphRows(unsigned char c, uint8_t (&buf)[8]) {
  if (IsBlank(c)) return nullptr;
  if (c > 0x20 && c < 0x7F) return Glyphs[c - 0x21];
  for (const Accented& a : Accents)
    if (a.byte == c) {
      std::copy(Glyphs[a.base - 0x21], Glyphs[a.base - 0x21] + 8, buf);
      buf[0] = a.top0;
      buf[1] = a.top1;
      if (c == 0xE7) buf[7] = 0x04;  // cedilla
      return buf;
    }
  return BoxGlyph;
}

// Leftmost used column and count of columns of a glyph (of 5).
void Columns(const uint8_t* rows, int& first, int& count) {
  uint8_t all = 0;
  for (int r = 0; r < 8; ++r) all |= rows[r];
  first = 0;
  while (first < 5 && !(all & (0x10 >> first))) ++first;
  int last = 4;
  while (last > first && !(all & (0x10 >> last))) --last;
  count = first < 5 ? last - first + 1 : 1;
}

int Em(const Font& f) {
  int64_t v = static_cast<int64_t>(f.Size) * f.PixelsPerInch;
  v = (std::llabs(v) * 2 + 72) / 144;  // MulDiv rounding
  return static_cast<int>(std::clamp<int64_t>(v, 1, 1024));
}

// Pixel span [a, b) of unit u out of 8 per em, at least one pixel wide.
void Span(int u, int em, int& a, int& b) {
  a = u * em / 8;
  b = std::max((u + 1) * em / 8, a + 1);
}

int Mod(int a, int m) { return ((a % m) + m) % m; }

// A coordinate brought within [0, size].
int Clip(int64_t v, int size) { return static_cast<int>(std::clamp<int64_t>(v, 0, size)); }

}  // namespace

namespace {

// The pixel count of a buffer, checked before a 32-bit size_t could wrap it.
size_t PixelCount(int width, int height) {
  const uint64_t n = uint64_t(std::max(width, 0)) * uint64_t(std::max(height, 0));
  if (n > std::vector<Colour>().max_size()) throw EOutOfMemory(SOutOfMemory);
  return static_cast<size_t>(n);
}

}  // namespace

RasterCanvas::RasterCanvas(int width, int height, Colour fill, int ppi)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), pixels_(PixelCount(width, height), Resolve(fill)) {
  font_.PixelsPerInch = ppi;
}

void RasterCanvas::Clear(Colour c) { std::fill(pixels_.begin(), pixels_.end(), Resolve(c)); }

Colour RasterCanvas::Resolve(Colour c) { return ResolveDefault(c); }

namespace {

// Advance of each byte in eighths of an em: its columns and one of spacing.
struct Advances {
  int units[256];
  Advances() {
    for (int c = 0; c < 256; ++c) {
      uint8_t buf[8];
      if (const uint8_t* rows = GlyphRows(static_cast<unsigned char>(c), buf)) {
        int first, count;
        Columns(rows, first, count);
        units[c] = count + 1;
      } else {
        units[c] = 3;
      }
    }
  }
};
const Advances advances;

}  // namespace

int RasterCanvas::CharWidth(const Font& f, unsigned char c) {
  return std::max(1, (advances.units[c] * Em(f) + 4) / 8) + ((f.Style & fsBold) ? 1 : 0);
}

int RasterCanvas::CellHeight(const Font& f) {
  int h = (Em(f) * 12 + 5) / 10 - ((f.Style & fsBold) ? 1 : 0);
  return std::max(h, 1);
}

int RasterCanvas::TextWidth(std::string_view text) {
  const int em = Em(font_), bold = (font_.Style & fsBold) ? 1 : 0;
  int64_t w = 0;
  for (char c : text) w += std::max(1, (advances.units[static_cast<unsigned char>(c)] * em + 4) / 8) + bold;
  return static_cast<int>(std::min<int64_t>(w, INT32_MAX));
}

int RasterCanvas::TextHeight(std::string_view) { return CellHeight(font_); }

void RasterCanvas::Put(int x, int y, Colour c) {
  if (x >= 0 && y >= 0 && x < width_ && y < height_) pixels_[static_cast<size_t>(y) * width_ + x] = c;
}

void RasterCanvas::Fill(int64_t x1, int64_t y1, int64_t x2, int64_t y2, Colour c) {
  const int l = Clip(x1, width_), t = Clip(y1, height_), r = Clip(x2, width_), b = Clip(y2, height_);
  for (int y = t; y < b; ++y)
    std::fill_n(pixels_.begin() + static_cast<std::ptrdiff_t>(y) * width_ + l, std::max(r - l, 0), c);
}

void RasterCanvas::BrushFill(int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
  Colour c = Resolve(brush_.Color);
  switch (brush_.Style) {
    case BrushStyle::Clear: return;
    case BrushStyle::Solid: Fill(x1, y1, x2, y2, c); return;
    case BrushStyle::DiagCross: {
      const int l = Clip(x1, width_), t = Clip(y1, height_), r = Clip(x2, width_), b = Clip(y2, height_);
      for (int y = t; y < b; ++y)
        for (int x = l; x < r; ++x)
          if (Mod(x + y, 8) == 0 || Mod(x - y, 8) == 0) Put(x, y, c);
      return;
    }
  }
}

void RasterCanvas::DrawGlyph(int x, int y, unsigned char ch, Colour colour) {
  int em = Em(font_);
  int top = y + (CellHeight(font_) - em) / 2;
  bool bold = font_.Style & fsBold;
  uint8_t buf[8];
  if (const uint8_t* rows = GlyphRows(ch, buf)) {
    int first, count;
    Columns(rows, first, count);
    for (int r = 0; r < 8; ++r) {
      if (!rows[r]) continue;
      int ya, yb;
      Span(r, em, ya, yb);
      int slant = (font_.Style & fsItalic) ? (7 - r) * em / 32 : 0;
      for (int col = first; col < 5; ++col) {
        if (!(rows[r] & (0x10 >> col))) continue;
        int xa, xb;
        Span(col - first, em, xa, xb);
        Fill(x + xa + slant, top + ya, x + xb + slant + (bold ? 1 : 0), top + yb, colour);
      }
    }
  }
  int w = CharWidth(font_, ch);
  if (font_.Style & fsUnderline) {
    int ya, yb;
    Span(7, em, ya, yb);
    Fill(x, top + ya, x + w, top + ya + 1, colour);
  }
  if (font_.Style & fsStrikeOut) {
    int ya, yb;
    Span(4, em, ya, yb);
    Fill(x, top + ya, x + w, top + ya + 1, colour);
  }
}

void RasterCanvas::TextOut(int x, int y, std::string_view text) {
  if (brush_.Style != BrushStyle::Clear)
    Fill(x, y, int64_t{x} + TextWidth(text), int64_t{y} + TextHeight(text), Resolve(brush_.Color));
  // Glyphs stay within their cell: a line wholly above or below the buffer
  // draws nothing (and no arithmetic near the ends of the integer range).
  if (y >= height_ || int64_t{y} + CellHeight(font_) <= 0) return;
  Colour colour = Resolve(font_.Color);
  for (char c : text) {
    auto b = static_cast<unsigned char>(c);
    if (x >= width_) break;
    int w = CharWidth(font_, b);
    if (x + w + Em(font_) >= 0) DrawGlyph(x, y, b, colour);
    x += w;
  }
}

void RasterCanvas::Rectangle(int left, int top, int right, int bottom) {
  int64_t x1 = left, y1 = top, x2 = right, y2 = bottom;
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  if (pen_.Style == PenStyle::Clear) {
    // As GDI does: without a border the fill is one pixel smaller.
    BrushFill(x1, y1, x2 - 1, y2 - 1);
    return;
  }
  BrushFill(x1 + 1, y1 + 1, x2 - 1, y2 - 1);
  Colour c = Resolve(pen_.Color);
  if (x2 - x1 < 1 || y2 - y1 < 1) return;
  Fill(x1, y1, x2, y1 + 1, c);
  Fill(x1, y2 - 1, x2, y2, c);
  Fill(x1, y1, x1 + 1, y2, c);
  Fill(x2 - 1, y1, x2, y2, c);
}

void RasterCanvas::FillRect(const Rect& r) { BrushFill(r.left, r.top, r.right, r.bottom); }

void RasterCanvas::LineTo(int x, int y) {
  Point from = pos_;
  pos_ = {x, y};
  if (pen_.Style == PenStyle::Clear) return;
  Colour c = Resolve(pen_.Color);
  const int64_t w = std::max(pen_.Width, 1);
  const int64_t off = (w - 1) / 2;
  // Straight lines in one fill, the end point left out.
  if (from.y == y || from.x == x) {
    int64_t x1 = from.x, x2 = x, y1 = from.y, y2 = y;
    if (from.y == y) {
      if (x1 == x2) return;
      if (x1 < x2) x2 -= 1;
      else {
        std::swap(x1, x2);
        x1 += 1;
      }
      Fill(x1 - off, y1 - off, x2 - off + w, y1 - off + w, c);
    } else {
      if (y1 < y2) y2 -= 1;
      else {
        std::swap(y1, y2);
        y1 += 1;
      }
      Fill(x1 - off, y1 - off, x1 - off + w, y2 - off + w, c);
    }
    return;
  }
  // Bresenham otherwise.
  int64_t dx = std::llabs(static_cast<int64_t>(x) - from.x), dy = -std::llabs(static_cast<int64_t>(y) - from.y);
  int sx = from.x < x ? 1 : -1, sy = from.y < y ? 1 : -1;
  int64_t err = dx + dy;
  int64_t steps = std::max(dx, -dy);
  int64_t px = from.x, py = from.y;
  for (int64_t i = 0; i < steps; ++i) {
    if (px >= -w && py >= -w && px < width_ + w && py < height_ + w) {
      if (w == 1) Put(static_cast<int>(px), static_cast<int>(py), c);
      else Fill(px - off, py - off, px - off + w, py - off + w, c);
    }
    int64_t e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      px += sx;
    }
    if (e2 <= dx) {
      err += dx;
      py += sy;
    }
  }
}

Colour RasterCanvas::GetPixel(int x, int y) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return clBlack;
  return pixels_[static_cast<size_t>(y) * width_ + x];
}

void RasterCanvas::SetPixel(int x, int y, Colour c) { Put(x, y, Resolve(c)); }

void RasterCanvas::CopyRect(const Rect& dest, const Rect& src) {
  const int64_t w = int64_t{dest.right} - dest.left, h = int64_t{dest.bottom} - dest.top;
  if (w <= 0 || h <= 0) return;
  // Only pixels whose source and destination are both on the surface move.
  const int64_t x0 = std::max<int64_t>({0, -int64_t{dest.left}, -int64_t{src.left}});
  const int64_t y0 = std::max<int64_t>({0, -int64_t{dest.top}, -int64_t{src.top}});
  const int64_t x1 = std::min<int64_t>({w, width_ - int64_t{dest.left}, width_ - int64_t{src.left}});
  const int64_t y1 = std::min<int64_t>({h, height_ - int64_t{dest.top}, height_ - int64_t{src.top}});
  if (x0 >= x1 || y0 >= y1) return;
  // Within the surface from here on: every coordinate fits an int.
  const int n = static_cast<int>(x1 - x0), rows = static_cast<int>(y1 - y0);
  const int sx = static_cast<int>(src.left + x0), sy = static_cast<int>(src.top + y0);
  const int dx = static_cast<int>(dest.left + x0), dy = static_cast<int>(dest.top + y0);
  std::vector<Colour> tmp(static_cast<size_t>(n) * rows);
  for (int y = 0; y < rows; ++y)
    std::copy_n(pixels_.begin() + static_cast<std::ptrdiff_t>(sy + y) * width_ + sx, n,
                tmp.begin() + static_cast<std::ptrdiff_t>(y) * n);
  for (int y = 0; y < rows; ++y)
    std::copy_n(tmp.begin() + static_cast<std::ptrdiff_t>(y) * n, n,
                pixels_.begin() + static_cast<std::ptrdiff_t>(dy + y) * width_ + dx);
}

bool RasterCanvas::RectVisible(const Rect& r) {
  return r.left < r.right && r.top < r.bottom && r.right > 0 && r.bottom > 0 && r.left < width_ && r.top < height_;
}

void RasterCanvas::StretchDraw(const Rect& dest, const Bitmap& bmp) {
  const int64_t w = int64_t{dest.right} - dest.left, h = int64_t{dest.bottom} - dest.top;
  if (w <= 0 || h <= 0 || bmp.Width <= 0 || bmp.Height <= 0) return;
  for (int y = std::max(dest.top, 0); y < std::min(dest.bottom, height_); ++y) {
    const int sy = NearestSource(int64_t{y} - dest.top, h, bmp.Height);
    for (int x = std::max(dest.left, 0); x < std::min(dest.right, width_); ++x) {
      const int sx = NearestSource(int64_t{x} - dest.left, w, bmp.Width);
      Put(x, y, bmp.At(sx, sy) & 0x00FFFFFF);
    }
  }
}
