// GdiCanvas on a DIB section: fonts by points and ppi, text backgrounds, shapes, copies and restore of the DC.
#include <gtest/gtest.h>

#include <climits>

#include "common/Errors.h"
#include "draw/win32/GdiCanvas.h"

namespace {

constexpr Colour Red = 0x0000FF, Green = 0x00FF00, Blue = 0xFF0000;

TEST(GdiCanvas, PixelsRoundTripThroughCanvasAndRowsAtBothDepths) {
  for (int bpp : {24, 32}) {
    DibSection dib(7, 5, bpp);
    dib.Fill(clWhite);
    dib.Canvas().SetPixel(3, 2, 0x123456);
    EXPECT_EQ(dib.Canvas().GetPixel(3, 2), 0x123456u) << bpp;
    EXPECT_EQ(dib.Pixel(3, 2), 0x123456u) << bpp;
    // Row bytes are blue, green, red.
    const uint8_t* p = dib.Row(2) + 3 * (bpp / 8);
    EXPECT_EQ(p[0], 0x12);
    EXPECT_EQ(p[2], 0x56);
    dib.SetPixelDirect(0, 4, Blue);
    EXPECT_EQ(dib.Canvas().GetPixel(0, 4), Blue);
    EXPECT_EQ(dib.ToBitmap().At(3, 2), 0x123456u);
    EXPECT_EQ(dib.Canvas().GetPixel(6, 4), clWhite);
  }
}

TEST(GdiCanvas, FontHeightFollowsPointsAndPixelsPerInch) {
  DibSection dib(10, 10);
  GdiCanvas& c = dib.Canvas();
  Font f = c.GetFont();
  f.Name = "Tahoma";
  f.Size = 10;
  c.SetFont(f);
  c.TextWidth("W");  // realizes the font
  TEXTMETRICA tm{};
  GetTextMetricsA(dib.Handle(), &tm);
  EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, MulDiv(10, 96, 72));
  int h96 = c.TextHeight("W");
  EXPECT_EQ(h96, tm.tmHeight);

  f.PixelsPerInch = 192;
  c.SetFont(f);
  c.TextWidth("W");
  GetTextMetricsA(dib.Handle(), &tm);
  EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, MulDiv(10, 192, 72));
  EXPECT_GT(c.TextHeight("W"), h96 * 3 / 2);

  f.PixelsPerInch = 96;
  int regular = (c.SetFont(f), c.TextWidth("Brannoch"));
  f.Style = fsBold;
  c.SetFont(f);
  EXPECT_GT(c.TextWidth("Brannoch"), regular);
  EXPECT_EQ(c.TextWidth(""), 0);
  EXPECT_EQ(c.TextHeight(""), c.TextHeight("W"));
}

// Every font the system makes asks for the ANSI character set, so cp1252
// texts show as written on systems of any language.
TEST(GdiCanvas, FontsAreMadeWithTheAnsiCharacterSet) {
  LOGFONTA lf{};
  GdiObject<HFONT> made = MakeFont(Font{"Tahoma", 10, clBlack, fsBold, 96});
  ASSERT_NE(made.Get(), nullptr);
  ASSERT_EQ(GetObjectA(made.Get(), sizeof lf, &lf), static_cast<int>(sizeof lf));
  EXPECT_EQ(lf.lfCharSet, ANSI_CHARSET);

  DibSection dib(10, 10);
  for (const char* face : {"Tahoma", "MS Sans Serif"}) {
    Font f = dib.Canvas().GetFont();
    f.Name = face;
    dib.Canvas().SetFont(f);
    dib.Canvas().TextWidth("W");  // realizes the font
    HGDIOBJ selected = GetCurrentObject(dib.Handle(), OBJ_FONT);
    lf = {};
    ASSERT_EQ(GetObjectA(selected, sizeof lf, &lf), static_cast<int>(sizeof lf)) << face;
    EXPECT_EQ(lf.lfCharSet, ANSI_CHARSET) << face;
    EXPECT_STREQ(lf.lfFaceName, face);
    EXPECT_EQ(GetTextCharset(dib.Handle()), ANSI_CHARSET) << face;
  }
}

TEST(GdiCanvas, SectionsOfNoPixelsOrTooManyBytesAreRefused) {
  EXPECT_THROW(DibSection(0, 5), ERangeError);
  EXPECT_THROW(DibSection(5, 5, 16), ERangeError);
  // Rows of 2^30 bytes: two of them pass what an int counts.
  EXPECT_THROW(DibSection(1 << 28, 2), EOutOfMemory);
  EXPECT_THROW(DibSection(INT_MAX, INT_MAX), EOutOfMemory);
}

TEST(GdiCanvas, ConstructorPpiIsTheInitialFontsOwn) {
  DibSection dib(4, 4, 32, 120);
  EXPECT_EQ(dib.Canvas().PixelsPerInch(), 120);
}

TEST(GdiCanvas, ClearBrushDrawsTextOnTransparentBackgroundOthersOpaque) {
  DibSection dib(60, 30);
  GdiCanvas& c = dib.Canvas();
  Font f = c.GetFont();
  f.Name = "Tahoma";
  f.Size = 10;
  f.Color = clBlack;
  c.SetFont(f);
  int w = c.TextWidth("   ");
  ASSERT_GT(w, 2);

  dib.Fill(Red);
  c.SetBrush({Green, BrushStyle::Solid});
  c.TextOut(0, 0, "   ");
  EXPECT_EQ(c.GetPixel(1, 1), Green);
  EXPECT_EQ(c.GetPixel(w - 1, 1), Green);
  EXPECT_EQ(c.GetPixel(w, 1), Red);

  dib.Fill(Red);
  c.SetBrush({Green, BrushStyle::Clear});
  c.TextOut(0, 0, "   ");
  EXPECT_EQ(c.GetPixel(1, 1), Red);

  // Glyphs are drawn in the font colour.
  dib.Fill(clWhite);
  f.Color = Blue;
  c.SetFont(f);
  c.TextOut(0, 0, "WWW");
  int blue = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) blue += c.GetPixel(x, y) == Blue;
  EXPECT_GT(blue, 10);
}

TEST(GdiCanvas, SystemColoursAreResolvedWhenDrawn) {
  EXPECT_EQ(ToColorRef(clBtnFace), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(ToColorRef(0x00123456), 0x123456u);
  DibSection dib(8, 8);
  GdiCanvas& c = dib.Canvas();
  c.SetBrush({clBtnFace, BrushStyle::Solid});
  c.FillRect({0, 0, 8, 8});
  EXPECT_EQ(c.GetPixel(4, 4), GetSysColor(COLOR_BTNFACE));
}

TEST(GdiCanvas, RectangleBordersWithPenFillsWithBrushAndStopsBeforeItsEnd) {
  DibSection dib(12, 12);
  dib.Fill(clWhite);
  GdiCanvas& c = dib.Canvas();
  c.SetPen({Red, PenStyle::Solid, 1});
  c.SetBrush({Green, BrushStyle::Solid});
  c.Rectangle(2, 2, 8, 7);
  EXPECT_EQ(c.GetPixel(2, 2), Red);
  EXPECT_EQ(c.GetPixel(7, 6), Red);
  EXPECT_EQ(c.GetPixel(4, 4), Green);
  EXPECT_EQ(c.GetPixel(8, 4), clWhite);
  EXPECT_EQ(c.GetPixel(4, 7), clWhite);

  // A clear brush leaves the inside alone.
  dib.Fill(clWhite);
  c.SetBrush({Green, BrushStyle::Clear});
  c.Rectangle(2, 2, 8, 7);
  EXPECT_EQ(c.GetPixel(4, 4), clWhite);
  EXPECT_EQ(c.GetPixel(2, 4), Red);
}

TEST(GdiCanvas, DiagonalCrossHatchLeavesGapsUntouched) {
  DibSection dib(32, 32);
  dib.Fill(clWhite);
  GdiCanvas& c = dib.Canvas();
  c.SetBrush({Red, BrushStyle::DiagCross});
  c.FillRect({0, 0, 32, 32});
  int red = 0, white = 0;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      Colour p = c.GetPixel(x, y);
      red += p == Red;
      white += p == clWhite;
    }
  EXPECT_GT(red, 100);
  EXPECT_GT(white, 300);
  EXPECT_EQ(red + white, 32 * 32);
}

TEST(GdiCanvas, LineToLeavesOutTheEndPoint) {
  DibSection dib(12, 4);
  dib.Fill(clWhite);
  GdiCanvas& c = dib.Canvas();
  c.SetPen({Blue, PenStyle::Solid, 1});
  c.MoveTo(1, 1);
  c.LineTo(9, 1);
  EXPECT_EQ(c.GetPixel(1, 1), Blue);
  EXPECT_EQ(c.GetPixel(8, 1), Blue);
  EXPECT_EQ(c.GetPixel(9, 1), clWhite);
  EXPECT_EQ(c.GetPixel(5, 2), clWhite);
}

TEST(GdiCanvas, CopyRectMovesPixelsWithinTheSurfaceEvenWhenOverlapping) {
  DibSection dib(16, 4);
  dib.Fill(clWhite);
  GdiCanvas& c = dib.Canvas();
  for (int x = 0; x < 6; ++x) c.SetPixel(x, 1, 0x010101 * (x + 1));
  c.CopyRect({3, 1, 9, 2}, {0, 1, 6, 2});
  for (int x = 0; x < 6; ++x) EXPECT_EQ(c.GetPixel(x + 3, 1), 0x010101u * (x + 1)) << x;
  EXPECT_EQ(c.GetPixel(9, 1), clWhite);
}

TEST(GdiCanvas, StretchDrawScalesABitmapOverTheRectangle) {
  Bitmap b{2, 2, {Red, Green, Blue, clBlack}};
  DibSection dib(10, 10);
  dib.Fill(clWhite);
  GdiCanvas& c = dib.Canvas();
  c.StretchDraw({2, 2, 6, 6}, b);
  EXPECT_EQ(c.GetPixel(2, 2), Red);
  EXPECT_EQ(c.GetPixel(5, 3), Green);
  EXPECT_EQ(c.GetPixel(3, 5), Blue);
  EXPECT_EQ(c.GetPixel(5, 5), clBlack);
  EXPECT_EQ(c.GetPixel(6, 6), clWhite);
  EXPECT_EQ(c.GetPixel(1, 1), clWhite);
}

TEST(GdiCanvas, GivesTheDcItsOwnObjectsBackWhenDestroyed) {
  win32::MemoryDc memory;
  HDC dc = memory.Get();
  HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT), pen = GetCurrentObject(dc, OBJ_PEN),
          brush = GetCurrentObject(dc, OBJ_BRUSH);
  {
    GdiCanvas c(dc);
    Font f = c.GetFont();
    f.Name = "Tahoma";
    c.SetFont(f);
    c.TextWidth("x");
    c.SetPen({Red, PenStyle::Solid, 2});
    c.SetBrush({Red, BrushStyle::Solid});
    c.Rectangle(0, 0, 1, 1);
    EXPECT_NE(GetCurrentObject(dc, OBJ_FONT), font);
    EXPECT_NE(GetCurrentObject(dc, OBJ_PEN), pen);
  }
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
}

}  // namespace
