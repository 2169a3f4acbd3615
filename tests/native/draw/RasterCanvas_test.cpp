// The raster canvas: font metrics that vary as real ones do, glyphs that leave ink, and GDI's shape rules.
#include <gtest/gtest.h>

#include <climits>

#include "common/Errors.h"
#include "draw/RasterCanvas.h"

namespace {

constexpr Colour Red = 0x0000FF, Green = 0x00FF00, Blue = 0xFF0000;

int Ink(RasterCanvas& c, int x1, int y1, int x2, int y2, Colour ink) {
  int n = 0;
  for (int y = y1; y < y2; ++y)
    for (int x = x1; x < x2; ++x) n += c.GetPixel(x, y) == ink;
  return n;
}

Font Tahoma(int size, FontStyles style = 0) {
  Font f;
  f.Name = "Tahoma";
  f.Size = size;
  f.Color = clBlack;
  f.Style = style;
  return f;
}

TEST(RasterCanvas, WidthsDependOnCharacterSizeAndBoldHeightsOnSizeAndBold) {
  RasterCanvas c(10, 10);
  c.SetFont(Tahoma(10));
  int i = c.TextWidth("i"), w = c.TextWidth("W"), h = c.TextHeight("W");
  EXPECT_LT(i, w);
  EXPECT_EQ(c.TextWidth("Wi"), w + i);
  EXPECT_EQ(c.TextWidth(""), 0);
  EXPECT_EQ(h, 16);  // em 13 at 96 ppi
  EXPECT_EQ(c.TextHeight("i"), h);
  c.SetFont(Tahoma(10, fsBold));
  EXPECT_EQ(c.TextWidth("W"), w + 1);
  EXPECT_EQ(c.TextHeight("W"), h - 1);
  c.SetFont(Tahoma(20));
  EXPECT_GT(c.TextWidth("W"), w);
  EXPECT_GT(c.TextHeight("W"), h);
  Font big = Tahoma(10);
  big.PixelsPerInch = 192;
  EXPECT_EQ(RasterCanvas::CellHeight(big), RasterCanvas::CellHeight(Tahoma(20)));
}

TEST(RasterCanvas, GlyphsLeaveInkInsideTheirCellOnlyAndSpacesNone) {
  RasterCanvas c(100, 40);
  c.SetFont(Tahoma(10));
  c.SetBrush({clWhite, BrushStyle::Clear});
  int w = c.TextWidth("Hé");
  c.TextOut(5, 3, "Hé");
  int h = c.TextHeight("W");
  EXPECT_GT(Ink(c, 5, 3, 5 + w, 3 + h, clBlack), 20);
  EXPECT_EQ(Ink(c, 0, 0, 100, 40, clBlack), Ink(c, 5, 3, 5 + w, 3 + h, clBlack));
  // Different letters, different ink.
  RasterCanvas a(20, 20), b(20, 20);
  a.SetFont(Tahoma(10));
  b.SetFont(Tahoma(10));
  a.TextOut(0, 0, "o");
  b.TextOut(0, 0, "c");
  EXPECT_NE(a.Pixels(), b.Pixels());
  RasterCanvas s(20, 20);
  s.TextOut(0, 0, "  ");
  EXPECT_EQ(Ink(s, 0, 0, 20, 20, clBlack), 0);
}

TEST(RasterCanvas, OpaqueBrushPaintsTheTextCellClearBrushDoesNot) {
  RasterCanvas c(60, 30, Red);
  c.SetFont(Tahoma(10));
  int w = c.TextWidth("  "), h = c.TextHeight("  ");
  c.SetBrush({Green, BrushStyle::Solid});
  c.TextOut(2, 2, "  ");
  EXPECT_EQ(Ink(c, 2, 2, 2 + w, 2 + h, Green), w * h);
  EXPECT_EQ(c.GetPixel(2 + w, 2), Red);
  c.Clear(Red);
  c.SetBrush({Green, BrushStyle::Clear});
  c.TextOut(2, 2, "  ");
  EXPECT_EQ(Ink(c, 0, 0, 60, 30, Red), 60 * 30);
}

TEST(RasterCanvas, StylesChangeTheInk) {
  auto draw = [](FontStyles st) {
    RasterCanvas c(40, 30);
    c.SetFont(Tahoma(10, st));
    c.TextOut(0, 0, "Il");
    return c.Pixels();
  };
  auto plain = draw(0);
  EXPECT_NE(draw(fsItalic), plain);
  EXPECT_NE(draw(fsUnderline), plain);
  EXPECT_NE(draw(fsBold), plain);
}

TEST(RasterCanvas, ShapesFollowGdi) {
  RasterCanvas c(12, 12);
  c.SetPen({Red, PenStyle::Solid, 1});
  c.SetBrush({Green, BrushStyle::Solid});
  c.Rectangle(2, 2, 8, 7);
  EXPECT_EQ(c.GetPixel(2, 2), Red);
  EXPECT_EQ(c.GetPixel(7, 6), Red);
  EXPECT_EQ(c.GetPixel(4, 4), Green);
  EXPECT_EQ(c.GetPixel(8, 4), clWhite);
  EXPECT_EQ(c.GetPixel(4, 7), clWhite);
  // No border: the fill stops one pixel short.
  c.Clear(clWhite);
  c.SetPen({Red, PenStyle::Clear, 1});
  c.Rectangle(2, 2, 8, 7);
  EXPECT_EQ(c.GetPixel(2, 2), Green);
  EXPECT_EQ(c.GetPixel(6, 5), Green);
  EXPECT_EQ(c.GetPixel(7, 5), clWhite);

  c.Clear(clWhite);
  c.SetPen({Blue, PenStyle::Solid, 1});
  c.MoveTo(9, 1);
  c.LineTo(1, 1);
  c.LineTo(1, 9);
  c.LineTo(5, 5);
  EXPECT_EQ(c.GetPixel(9, 1), Blue);
  EXPECT_EQ(c.GetPixel(2, 1), Blue);
  EXPECT_EQ(c.GetPixel(1, 1), Blue);  // the start of the second line
  EXPECT_EQ(c.GetPixel(1, 8), Blue);
  EXPECT_EQ(c.GetPixel(3, 7), Blue);
  EXPECT_EQ(c.GetPixel(5, 5), clWhite);
}

TEST(RasterCanvas, DiagonalCrossHatchAndSystemColours) {
  RasterCanvas c(16, 16);
  c.SetBrush({Red, BrushStyle::DiagCross});
  c.FillRect({0, 0, 16, 16});
  EXPECT_EQ(c.GetPixel(0, 0), Red);
  EXPECT_EQ(c.GetPixel(1, 1), Red);
  EXPECT_EQ(c.GetPixel(1, 0), clWhite);
  EXPECT_EQ(c.GetPixel(7, 1), Red);
  c.SetBrush({clBtnFace, BrushStyle::Solid});
  c.FillRect({0, 0, 1, 1});
  EXPECT_EQ(c.GetPixel(0, 0), RasterCanvas::Resolve(clBtnFace));
  EXPECT_EQ((RasterCanvas::Resolve(clBtnFace) >> 24), 0u);
}

TEST(RasterCanvas, EverySystemColourThePlatformDefinesHasItsOwnValue) {
  // Mid grey is what an undefined index shows; no defined one falls back to it.
  for (int i = 0; i <= 30; ++i) {
    if (i == 25) continue;  // the one index the platform leaves undefined
    EXPECT_NE(DefaultSystemColour(i), 0x808080u) << i;
  }
  EXPECT_EQ(DefaultSystemColour(25), 0x808080u);
  EXPECT_EQ(DefaultSystemColour(31), 0x808080u);
  EXPECT_EQ(RasterCanvas::Resolve(clHighlight), DefaultSystemColour(13));
  EXPECT_EQ(RasterCanvas::Resolve(clGrayText), DefaultSystemColour(17));
  EXPECT_EQ(RasterCanvas::Resolve(cl3DDkShadow), DefaultSystemColour(21));
  EXPECT_EQ(RasterCanvas::Resolve(0x01123456), 0x123456u) << "a high byte other than 0xFF is dropped";
}

TEST(RasterCanvas, CopiesOverlapSafelyAndClipAtTheEdges) {
  RasterCanvas c(16, 4);
  for (int x = 0; x < 6; ++x) c.SetPixel(x, 1, 0x010101 * (x + 1));
  c.CopyRect({3, 1, 9, 2}, {0, 1, 6, 2});
  for (int x = 0; x < 6; ++x) EXPECT_EQ(c.GetPixel(x + 3, 1), 0x010101u * (x + 1)) << x;
  EXPECT_EQ(c.GetPixel(2, 1), 0x030303u);
  c.CopyRect({12, 1, 22, 2}, {0, 1, 10, 2});  // half off the surface
  EXPECT_EQ(c.GetPixel(12, 1), 0x010101u);
  EXPECT_EQ(c.GetPixel(-1, 0), clBlack);
  c.SetPixel(100, 100, Red);  // ignored
}

TEST(RasterCanvas, StretchDrawScalesNearest) {
  Bitmap b{2, 2, {Red, Green, Blue, clBlack}};
  RasterCanvas c(10, 10);
  c.StretchDraw({2, 2, 6, 6}, b);
  EXPECT_EQ(c.GetPixel(2, 2), Red);
  EXPECT_EQ(c.GetPixel(5, 3), Green);
  EXPECT_EQ(c.GetPixel(3, 5), Blue);
  EXPECT_EQ(c.GetPixel(5, 5), clBlack);
  EXPECT_EQ(c.GetPixel(6, 6), clWhite);
}

}  // namespace

// Coordinates anywhere in the integer range: what falls outside is clipped,
// with no arithmetic that leaves the range on the way.
TEST(RasterCanvas, CoordinatesAtTheEndsOfTheIntegerRangeClipAndNeverOverflow) {
  RasterCanvas c(20, 10, clWhite);
  c.SetFont(Tahoma(10, fsBold | fsItalic | fsUnderline));
  c.SetBrush({Red, BrushStyle::Solid});
  c.SetPen({Blue, PenStyle::Solid, 3});
  for (int far : {INT_MIN, INT_MIN + 1, INT_MAX - 1, INT_MAX}) {
    c.TextOut(far, 0, "Wg");
    c.TextOut(0, far, "Wg");
    c.Rectangle(far, far, far, far);
    c.FillRect({far, 0, far, 10});
    c.MoveTo(far, 5);
    c.LineTo(far, 5);
    c.MoveTo(5, far);
    c.LineTo(5, -far - 1);
    c.CopyRect({far, far, far, far}, {0, 0, 20, 10});
    c.StretchDraw({far, far, far, far}, Bitmap{1, 1, {Green}});
  }
  // Only the vertical lines through x = 5 crossed the surface.
  EXPECT_EQ(Ink(c, 0, 0, 20, 10, clWhite), 20 * 10 - 3 * 10);
  EXPECT_EQ(Ink(c, 4, 0, 7, 10, Blue), 3 * 10);

  // Shapes that span the whole range cover the whole surface.
  c.SetPen({Blue, PenStyle::Clear, 1});
  c.Rectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  EXPECT_EQ(Ink(c, 0, 0, 20, 10, Red), 200);
  c.StretchDraw({INT_MIN, INT_MIN, INT_MAX, INT_MAX}, Bitmap{1, 1, {Green}});
  EXPECT_EQ(Ink(c, 0, 0, 20, 10, Green), 200);
  c.SetPixel(0, 0, Red);
  c.CopyRect({INT_MIN + 1, INT_MIN + 1, INT_MAX, INT_MAX}, {INT_MIN, INT_MIN, INT_MAX - 1, INT_MAX - 1});
  EXPECT_EQ(c.GetPixel(1, 1), Red);
}

TEST(RasterCanvas, ABufferTooLargeForMemoryIsRefusedBeforeItsSizeWraps) {
  EXPECT_THROW(RasterCanvas(INT_MAX, INT_MAX), EOutOfMemory);
  // 2^32 pixels: a 32-bit size_t would make that an empty buffer.
  if constexpr (sizeof(size_t) == 4) {
    EXPECT_THROW(RasterCanvas(1 << 16, 1 << 16), EOutOfMemory);
  }
}
