// The curved button's colour operations and its painting on the raster
// canvas: bevel and shaded face to the pixel, caption shadow, glyph without
// its background, the pressed state following the mouse.
#include <gtest/gtest.h>

#include <algorithm>

#include "archive/Progression.h"
#include "controls/CurvedSpeedButton.h"
#include "draw/ColourOperations.h"
#include "draw/RasterCanvas.h"
#include "support/FakeControlParent.h"

namespace {

constexpr Colour Fond = 0x123456;   // what the button leaves unpainted shows this
constexpr Colour Face = 0xD8E9EC;   // the progress window's button
constexpr Colour Ombre = 0xC6CFD0;  // its caption shadow with a black font
constexpr Colour BevelDark = 0x464646;

// A raster canvas on which only the rows from top to bottom (excluded) are
// visible, as a clipping region would make them.
class RowsVisible : public RasterCanvas {
public:
  RowsVisible(int w, int h, int top, int bottom) : RasterCanvas(w, h, Fond), top_(top), bottom_(bottom) {}
  bool RectVisible(const Rect& r) override { return r.top < bottom_ && r.bottom > top_; }

private:
  int top_, bottom_;
};

struct Box {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
  bool Empty() const { return right < 0; }
};
Box BoxOf(RasterCanvas& c, Colour ink) {
  Box b;
  for (int y = 0; y < c.Height(); ++y)
    for (int x = 0; x < c.Width(); ++x)
      if (c.GetPixel(x, y) == ink) {
        b.left = std::min(b.left, x);
        b.top = std::min(b.top, y);
        b.right = std::max(b.right, x);
        b.bottom = std::max(b.bottom, y);
      }
  return b;
}

// The progress window's button on a surface of its size.
struct Bouton {
  FakeControlParent parent;
  TCurvedSpeedButton b;
  RasterCanvas c{158, 29, Fond};
  explicit Bouton(const std::string& caption = "") {
    parent.font = Font{"Courier New", 10};
    b.SetParent(&parent);
    b.SetBounds(0, 0, 158, 29);
    b.SetParentColor(false);
    b.SetColor(Face);
    b.SetCaption(caption);
  }
  RasterCanvas& Paint() {
    b.Paint(c);
    return c;
  }
};

}  // namespace

TEST(ColourOperations, BlendRoundsEachChannelInPlaceAndWraps) {
  EXPECT_EQ(BlendColors(0x808080, 0x000000, 0.5), 0x404040u);
  EXPECT_EQ(BlendColors(clBlack, clWhite, 75), 0xB5B5B5u);
  EXPECT_EQ(BlendColors(Face, 0xB5B5B5, 0.5), Ombre);
  // Red rounds halves to even; a half of green or blue lies below the
  // channel's bits and is masked away.
  EXPECT_EQ(BlendColors(0x000001, 0x000002, 0.5), 0x000002u);
  EXPECT_EQ(BlendColors(0x000002, 0x000003, 0.5), 0x000002u);
  EXPECT_EQ(BlendColors(0x000300, 0x000400, 0.5), 0x000300u);
  EXPECT_EQ(BlendColors(0x030000, 0x040000, 0.5), 0x030000u);
  // Outside 0..1 each channel wraps modulo 256: -255 is 1.
  EXPECT_EQ(BlendColors(0x0000FF, 0x000000, 2), 0x000001u);
  EXPECT_EQ(BlendColors(0x102030, 0x405060, 0), 0x102030u);
  EXPECT_EQ(BlendColors(0x102030, 0x405060, 1), 0x405060u);
}

TEST(ColourOperations, AddAndSubtractStopAtTheChannelsEnds) {
  EXPECT_EQ(AddColors(Face, 0x3F3F3F), 0xFFFFFFu);
  EXPECT_EQ(AddColors(0x102030, 0x010101), 0x112131u);
  EXPECT_EQ(SubtractColors(Face, 0x3F3F3F), 0x99AAADu);
  EXPECT_EQ(SubtractColors(0x303030, 0x404040), 0x000000u);
  EXPECT_EQ(SubtractColors(0x30FF30, 0x404040), 0x00BF00u);
}

TEST(ColourOperations, ShadeRectDarkensItsBoundsIncludedAndNothingWhenInverted) {
  RasterCanvas c(8, 8, 0x808080);
  ShadeRect(c, 2, 3, 4, 5, 0x404040, false);
  EXPECT_EQ(c.GetPixel(2, 3), 0x404040u);
  EXPECT_EQ(c.GetPixel(4, 5), 0x404040u);
  EXPECT_EQ(c.GetPixel(5, 5), 0x808080u);
  EXPECT_EQ(c.GetPixel(4, 6), 0x808080u);
  EXPECT_EQ(c.GetPixel(1, 3), 0x808080u);
  RasterCanvas d(8, 8, 0x808080);
  ShadeRect(d, 2, 3, 4, 5, 0x404040, true);
  EXPECT_EQ(d.Pixels(), c.Pixels());
  std::vector<Colour> before = c.Pixels();
  ShadeRect(c, 4, 3, 2, 5, 0x404040, false);
  ShadeRect(c, 2, 5, 4, 3, 0x404040, true);
  EXPECT_EQ(c.Pixels(), before);
  c.Clear(0x303030);
  ShadeRect(c, 0, 0, 7, 7, BlendColors(0x808080, 0, 0.5), false);
  EXPECT_EQ(c.GetPixel(7, 7), 0x000000u);
}

TEST(ColourOperations, GradientRowsIncludeBothEndsAndSkipHiddenRows) {
  RowsVisible c(20, 20, 5, 10);
  FillGradientRect(c, 2, 0, 10, 15, clWhite, clBlack);
  for (int y = 0; y < 20; ++y) {
    bool drawn = y >= 5 && y < 10;
    EXPECT_EQ(c.GetPixel(2, y) != Fond, drawn) << "row " << y;
  }
  // Row i: round((15 - i) / 15 * 255); columns x0 .. x0 + w - 1.
  EXPECT_EQ(c.GetPixel(2, 5), 0xAAAAAAu);
  EXPECT_EQ(c.GetPixel(11, 5), 0xAAAAAAu);
  EXPECT_EQ(c.GetPixel(12, 5), Fond);
  RasterCanvas e(4, 4, Fond);
  FillGradientRect(e, 0, 0, 4, 0, clWhite, clBlack);
  EXPECT_EQ(BoxOf(e, Fond).right, 3);
  EXPECT_TRUE(BoxOf(e, clWhite).Empty());
}

TEST(TCurvedSpeedButton, TheProgressWindowsButtonFaceRowByRow) {
  Bouton t;
  RasterCanvas& c = t.Paint();
  const int x = 3;  // left of any caption
  EXPECT_EQ(c.GetPixel(x, 1), 0xFFFFFFu);
  EXPECT_EQ(c.GetPixel(x, 2), 0xFBFBFCu);
  EXPECT_EQ(c.GetPixel(x, 14), 0xCCD4D6u);
  EXPECT_EQ(c.GetPixel(x, 26), 0x9CADB0u);
  EXPECT_EQ(c.GetPixel(x, 27), 0x99AAADu);
  EXPECT_EQ(c.GetPixel(156, 14), 0xCCD4D6u);
  // Bevel: white top and left, dark right and bottom, four corner pixels
  // left as they were.
  EXPECT_EQ(c.GetPixel(0, 0), 0xFFFFFFu);
  EXPECT_EQ(c.GetPixel(155, 0), 0xFFFFFFu);
  EXPECT_EQ(c.GetPixel(0, 26), 0xFFFFFFu);
  EXPECT_EQ(c.GetPixel(157, 1), BevelDark);
  EXPECT_EQ(c.GetPixel(157, 28), BevelDark);
  EXPECT_EQ(c.GetPixel(1, 28), BevelDark);
  for (auto [px, py] : {std::pair{156, 0}, {157, 0}, {0, 27}, {0, 28}}) EXPECT_EQ(c.GetPixel(px, py), Fond);
}

TEST(TCurvedSpeedButton, CaptionCentredOverItsShadow) {
  Bouton t("Interrompre");
  RasterCanvas& c = t.Paint();
  RasterCanvas m(1, 1);
  m.SetFont(t.b.GetFont());
  const int tx = (158 - m.TextWidth("Interrompre")) / 2, ty = (29 - m.TextHeight("Interrompre")) / 2;
  Box text = BoxOf(c, clBlack), shadow = BoxOf(c, Ombre);
  ASSERT_FALSE(text.Empty());
  ASSERT_FALSE(shadow.Empty());
  EXPECT_GE(text.left, tx);
  EXPECT_GE(text.top, ty);
  EXPECT_LT(text.right, tx + m.TextWidth("Interrompre"));
  // The shadow is the text moved one pixel right and down.
  EXPECT_EQ(shadow.right, text.right + 1);
  EXPECT_EQ(shadow.bottom, text.bottom + 1);
  for (int y = 0; y + 1 < 29; ++y)
    for (int x = 0; x + 1 < 158; ++x)
      if (c.GetPixel(x, y) == clBlack) {
        Colour under = c.GetPixel(x + 1, y + 1);
        EXPECT_TRUE(under == Ombre || under == clBlack) << x << "," << y;
      }
}

TEST(TCurvedSpeedButton, PressedReversesTheFaceAndMovesTheCaption) {
  Bouton up("Interrompre"), down("Interrompre");
  down.b.MouseDown(MouseButton::Left, 5, 5);
  ASSERT_TRUE(down.b.Pressed());
  RasterCanvas& u = up.Paint();
  RasterCanvas& d = down.Paint();
  EXPECT_EQ(d.GetPixel(3, 1), 0x99AAADu);
  EXPECT_EQ(d.GetPixel(3, 27), 0xFFFFFFu);
  EXPECT_EQ(d.GetPixel(0, 0), BevelDark);
  EXPECT_EQ(d.GetPixel(157, 5), 0xFFFFFFu);
  Box a = BoxOf(u, clBlack), b = BoxOf(d, clBlack);
  EXPECT_EQ(b.left, a.left + 1);
  EXPECT_EQ(b.top, a.top + 1);
}

TEST(TCurvedSpeedButton, GlyphDrawnWithoutItsBackgroundLeftOfTheCaption) {
  // "Interrompre" is 107 pixels wide and 16 high in the raster font at 13
  // pixels an em, so the caption starts at tx = (158 - 107 - 21) div 2 + 21 =
  // 36 and glyph pixel (i, j) lands at (tx - 21 + i - 1, (29 - 16) div 2 + 1 +
  // j - 1) = (14 + i, 6 + j); pressed, one pixel further right and down.
  for (int press : {0, 1}) {
    Bouton t("Interrompre");
    t.b.SetGlyph(GlypheInterrompre());
    if (press) t.b.MouseDown(MouseButton::Left, 1, 1);
    RasterCanvas& c = t.Paint();
    EXPECT_TRUE(BoxOf(c, 0xC0C0C0).Empty());
    EXPECT_EQ(c.GetPixel(21 + press, 13 + press), 0x0000FFu);  // glyph (7, 7)
    EXPECT_EQ(c.GetPixel(16 + press, 8 + press), 0xFFFFFFu);   // glyph (2, 2)
    // The red of the cross spans glyph columns 2..13 and rows 2..13.
    Box red = BoxOf(c, 0x0000FF);
    EXPECT_EQ(red.left, 16 + press);
    EXPECT_EQ(red.top, 8 + press);
    EXPECT_EQ(red.right, 27 + press);
    EXPECT_EQ(red.bottom, 19 + press);
  }
}

TEST(TCurvedSpeedButton, ANarrowButtonDrawsNoFrame) {
  FakeControlParent p;
  TCurvedSpeedButton b;
  b.SetParent(&p);
  b.SetBounds(0, 0, 2, 10);
  RasterCanvas c(2, 10, Fond);
  b.Paint(c);
  EXPECT_EQ(BoxOf(c, Fond).right, 1);
  EXPECT_EQ(BoxOf(c, Fond).bottom, 9);
  EXPECT_TRUE(BoxOf(c, 0xFFFFFF).Empty());
}

TEST(TCurvedSpeedButton, ParentColourIsTakenAtEveryPaint) {
  FakeControlParent p;
  p.colour = 0x204060;
  TCurvedSpeedButton b;
  b.SetParent(&p);
  b.SetBounds(0, 0, 20, 20);
  RasterCanvas c(20, 20, Fond);
  b.Paint(c);
  // The face's first row is the colour plus 0x3F3F3F per channel, its last
  // (row 18 of a 20-pixel button) the colour minus it, both stopping at the
  // channel's ends.
  EXPECT_EQ(b.Color(), 0x204060u);
  EXPECT_EQ(c.GetPixel(5, 1), 0x5F7F9Fu);
  EXPECT_EQ(c.GetPixel(5, 18), 0x000121u);
  b.SetParentColor(false);
  b.SetTransparent(true);
  p.colour = clBtnFace;  // resolved by the parent: 0xF0F0F0 in the default scheme
  b.Paint(c);
  EXPECT_EQ(b.Color(), 0xF0F0F0u);
  EXPECT_EQ(c.GetPixel(5, 1), 0xFFFFFFu);
  EXPECT_EQ(c.GetPixel(5, 18), 0xB1B1B1u);
}

TEST(TCurvedSpeedButton, PressedFollowsAnyButtonAndOnlyALeftReleaseOverItClicks) {
  FakeControlParent p;
  TCurvedSpeedButton b;
  b.SetParent(&p);
  b.SetBounds(10, 10, 50, 20);
  int clicks = 0;
  b.OnClick = [&](GraphicControl&) { ++clicks; };
  p.invalidated.clear();
  b.MouseDown(MouseButton::Right, 3, 3);
  EXPECT_TRUE(b.Pressed());
  EXPECT_EQ(p.invalidated.back(), (Rect{10, 10, 60, 30}));
  b.MouseUp(MouseButton::Right, 3, 3);
  EXPECT_FALSE(b.Pressed());
  EXPECT_EQ(clicks, 0);
  b.MouseDown(MouseButton::Left, 3, 3);
  b.MouseUp(MouseButton::Left, 100, 100);  // released away from it
  EXPECT_FALSE(b.Pressed());
  EXPECT_EQ(clicks, 0);
  b.MouseDown(MouseButton::Left, 3, 3);
  b.MouseUp(MouseButton::Left, 4, 4);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(b.Accelerator(), 0);
}
