#pragma once
// A Canvas on a 24-bit pixel buffer in memory, with a small built-in font, so
// that drawing can be checked to the pixel on any host.
//
// The font ignores the face name. Its metrics, with em = MulDiv(size, ppi, 72)
// (at least 1):
// - every byte's advance depends on the byte and em; bold adds one pixel;
// - the cell height is em * 12 / 10 rounded, one pixel less when bold (so the
//   bold size compensation of the markup shows);
// - glyphs are stroked from segment tables, so text really puts pixels down:
//   printable ASCII has its own shapes, other bytes but the spaces a box.
// Pixels outside the buffer are neither drawn nor read (they read as black),
// whatever the coordinates. A buffer too large for memory raises EOutOfMemory.

#include <vector>

#include "draw/Canvas.h"

class RasterCanvas : public Canvas {
public:
  RasterCanvas(int width, int height, Colour fill = clWhite, int ppi = 96);

  int Width() const { return width_; }
  int Height() const { return height_; }
  const std::vector<Colour>& Pixels() const { return pixels_; }
  Bitmap ToBitmap() const { return Bitmap{width_, height_, pixels_}; }
  // Fills the whole surface with c, ignoring pen and brush.
  void Clear(Colour c);

  // System colours (high byte 0xFF) as this canvas shows them: the
  // platform's default scheme (DefaultSystemColour).
  static Colour Resolve(Colour c);

  const Font& GetFont() const override { return font_; }
  void SetFont(const Font& f) override { font_ = f; }
  const Pen& GetPen() const override { return pen_; }
  void SetPen(const Pen& p) override { pen_ = p; }
  const Brush& GetBrush() const override { return brush_; }
  void SetBrush(const Brush& b) override { brush_ = b; }

  void TextOut(int x, int y, std::string_view text) override;
  int TextWidth(std::string_view text) override;
  int TextHeight(std::string_view text) override;

  void Rectangle(int x1, int y1, int x2, int y2) override;
  void FillRect(const Rect& r) override;
  void MoveTo(int x, int y) override { pos_ = {x, y}; }
  void LineTo(int x, int y) override;

  Colour GetPixel(int x, int y) override;
  void SetPixel(int x, int y, Colour c) override;

  void CopyRect(const Rect& dest, const Rect& src) override;
  void StretchDraw(const Rect& dest, const Bitmap& bmp) override;

  Colour ResolveColour(Colour c) override { return Resolve(c); }
  // Whether r meets the buffer.
  bool RectVisible(const Rect& r) override;

  // Metrics of the built-in font for a given font, without a canvas.
  static int CharWidth(const Font& f, unsigned char c);
  static int CellHeight(const Font& f);

private:
  void Put(int x, int y, Colour c);
  // Clipped, right and bottom exclusive; wide enough for sums of coordinates.
  void Fill(int64_t x1, int64_t y1, int64_t x2, int64_t y2, Colour c);
  void BrushFill(int64_t x1, int64_t y1, int64_t x2, int64_t y2);
  void DrawGlyph(int x, int y, unsigned char c, Colour colour);

  int width_, height_;
  std::vector<Colour> pixels_;
  Font font_;
  Pen pen_;
  Brush brush_;
  Point pos_;
};
