// TGradient the control: setters that rebuild only on a change, clamping,
// reversing, the custom style, locking, loading, system colours and the
// stretched painting of its pattern.
#include <gtest/gtest.h>

#include <stdexcept>

#include "controls/Gradient.h"
#include "draw/RasterCanvas.h"
#include "support/FakeControlParent.h"

namespace {

// A parent whose system colours are its own, so a test sees which scheme a
// gradient was built with.
class SchemeParent : public FakeControlParent {
public:
  Colour ResolveColour(Colour c) const override {
    if (c == clActiveCaption) return caption;
    if (c == clGradientActiveCaption) return captionGradient;
    if (c == clBtnFace) return face;
    return FakeControlParent::ResolveColour(c);
  }
  Colour caption = 0x112233, captionGradient = 0x445566, face = 0x0A0B0C;
};

// A gradient on a parent, as a linear ramp so its pattern row is the ramp.
struct OnParent {
  SchemeParent p;
  TGradient g;
  OnParent() {
    g.SetParent(&p);
    g.SetStyle(gsLinearH);
    p.invalidated.clear();
  }
  std::size_t Rebuilds() const { return p.invalidated.size(); }
};

}  // namespace

TEST(TGradient, StartsBuiltFromWhiteToTheButtonFace) {
  TGradient g;
  EXPECT_EQ(g.Width(), 100);
  EXPECT_FALSE(g.PatternPending());
  EXPECT_FALSE(g.Building());
  ASSERT_EQ(g.Pattern().Width, 362);  // gsRadialC
  EXPECT_EQ(g.Pattern().At(180, 180), clWhite);
  EXPECT_EQ(g.Pattern().At(0, 0), DefaultSystemColour(15));
}

TEST(TGradient, SettersRebuildOnlyOnAChangeAndClampShiftAndRotation) {
  OnParent t;
  t.g.SetStyle(gsLinearH);
  t.g.SetColorBegin(clWhite);
  t.g.SetReverse(false);
  t.g.SetShift(0);
  EXPECT_EQ(t.Rebuilds(), 0u);
  t.g.SetShift(120);
  EXPECT_EQ(t.g.Shift(), 100);
  t.g.SetShift(100);
  t.g.SetShift(500);
  EXPECT_EQ(t.Rebuilds(), 1u);
  t.g.SetRotation(-120);
  EXPECT_EQ(t.g.Rotation(), -100);
  t.g.SetRotation(-101);
  EXPECT_EQ(t.Rebuilds(), 2u);
  t.g.SetColorEnd(clBlack);
  t.g.SetReverse(true);
  EXPECT_EQ(t.Rebuilds(), 4u);
  EXPECT_EQ(t.p.invalidated.back(), (Rect{0, 0, 100, 100}));
}

TEST(TGradient, ReverseSwapsTheColoursBeforeTheShift) {
  TGradient a, b;
  for (TGradient* g : {&a, &b}) {
    g->SetStyle(gsLinearH);
    g->SetShift(30);
    g->SetRotation(-20);
  }
  a.SetColorBegin(0x102030);
  a.SetColorEnd(0xF0E0D0);
  a.SetReverse(true);
  b.SetColorBegin(0xF0E0D0);
  b.SetColorEnd(0x102030);
  EXPECT_EQ(a.Pattern().Pixels, b.Pattern().Pixels);
  // The start 0xF0E0D0 moved 30% towards 0x102030 is 0xADA6A0 (a shift before
  // the swap would leave 0xF0E0D0 there); the rotation of -20 (m = 51) puts
  // the end colour at both ends of the ramp and the moved start at 51.
  const Bitmap& p = a.Pattern();
  EXPECT_EQ(p.At(0, 0), 0x102030u);
  EXPECT_EQ(p.At(25, 0), 0x5C6166u);
  EXPECT_EQ(p.At(51, 0), 0xADA6A0u);
  EXPECT_EQ(p.At(52, 0), 0xACA59Fu);
  EXPECT_EQ(p.At(255, 0), 0x102030u);
}

TEST(TGradient, SystemColoursAreResolvedByTheParentWhenTheRampIsBuilt) {
  SchemeParent other;  // outlives the gradient that moves to it
  other.face = 0x333333;
  OnParent t;
  t.g.SetColorBegin(clBtnFace);
  EXPECT_EQ(t.g.Pattern().At(0, 0), 0x0A0B0Cu);
  // Another parent with another scheme: built again with its colours.
  t.g.SetParent(&other);
  EXPECT_EQ(t.g.Pattern().At(0, 0), 0x333333u);
}

TEST(TGradient, CustomStyleCallsTheHandlerOrPaintsACheckerboard) {
  OnParent t;
  t.g.SetBounds(0, 0, 4, 4);
  t.g.SetColorBegin(0x0000FF);
  t.g.SetColorEnd(0x00FF00);
  t.g.SetShift(50);  // the checkerboard takes the colours before the shift
  t.g.SetStyle(gsCustom);
  RasterCanvas c(4, 4, clBlack);
  t.g.Paint(c);
  EXPECT_EQ(c.GetPixel(0, 0), 0x0000FFu);
  EXPECT_EQ(c.GetPixel(1, 1), 0x0000FFu);
  EXPECT_EQ(c.GetPixel(2, 0), 0x00FF00u);
  EXPECT_EQ(c.GetPixel(3, 1), 0x00FF00u);
  EXPECT_EQ(c.GetPixel(0, 2), 0x00FF00u);
  EXPECT_EQ(c.GetPixel(3, 3), 0x0000FFu);

  int calls = 0;
  t.g.OnCustom = [&](TGradient& sender, const TGradientColors& colors, Bitmap& pattern) {
    ++calls;
    EXPECT_EQ(&sender, &t.g);
    EXPECT_TRUE(sender.Building());
    pattern = Bitmap{1, 1, {colors[255]}};
  };
  t.g.RebuildPattern();
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(t.g.Pattern().At(0, 0), 0x00FF00u);
}

TEST(TGradient, AFailingHandlerStillEndsTheBuild) {
  TGradient g;
  g.OnCustom = [](TGradient&, const TGradientColors&, Bitmap&) { throw std::runtime_error("handler"); };
  EXPECT_THROW(g.SetStyle(gsCustom), std::runtime_error);
  EXPECT_FALSE(g.Building());
  g.OnCustom = nullptr;
  g.RebuildPattern();
  EXPECT_EQ(g.Pattern().Width, 2);
}

TEST(TGradient, LockingAndLoadingPutOffTheRebuildToOne) {
  OnParent t;
  t.g.LockPattern();
  t.g.LockPattern();
  t.g.SetColorBegin(0x010101);
  t.g.SetColorEnd(0x020202);
  EXPECT_TRUE(t.g.PatternPending());
  t.g.UnlockPattern();
  EXPECT_EQ(t.Rebuilds(), 0u);
  t.g.UnlockPattern();
  EXPECT_EQ(t.Rebuilds(), 1u);
  EXPECT_FALSE(t.g.PatternPending());
  EXPECT_EQ(t.g.Pattern().At(0, 0), 0x010101u);
  // Unlocking with nothing asked for builds nothing.
  t.g.LockPattern();
  t.g.UnlockPattern();
  EXPECT_EQ(t.Rebuilds(), 1u);

  t.g.BeginLoading();
  t.g.SetStyle(gsLinearV);
  t.g.SetRotation(10);
  EXPECT_EQ(t.Rebuilds(), 1u);
  EXPECT_EQ(t.g.Pattern().Width, 256);
  t.g.Loaded();
  EXPECT_EQ(t.Rebuilds(), 2u);
  EXPECT_EQ(t.g.Pattern().Height, 256);
}

TEST(TGradient, SystemCaptionColoursAreFollowedUntilAColourIsSet) {
  OnParent t;
  t.g.SetUseSysColors(true);
  EXPECT_TRUE(t.g.UseSysColors());
  EXPECT_EQ(t.g.ColorBegin(), 0x112233u);
  EXPECT_EQ(t.g.ColorEnd(), 0x445566u);
  EXPECT_EQ(t.Rebuilds(), 1u);  // both colours, one rebuild

  t.p.caption = 0x778899;
  t.g.SettingsChanged();
  EXPECT_EQ(t.g.ColorBegin(), 0x778899u);
  EXPECT_EQ(t.Rebuilds(), 2u);
  t.g.SettingsChanged();  // nothing changed: nothing built
  EXPECT_EQ(t.Rebuilds(), 2u);

  t.g.SetColorBegin(0x000001);
  EXPECT_FALSE(t.g.UseSysColors());
  t.p.caption = 0x999999;
  t.g.SettingsChanged();
  EXPECT_EQ(t.g.ColorBegin(), 0x000001u);
}

TEST(TGradient, PaintsItsPatternStretchedToTheNearestPixelAndKeepsItUntilColoursOrSizeChange) {
  TGradient g;
  g.SetStyle(gsLinearH);
  g.SetColorBegin(clBlack);
  g.SetColorEnd(clWhite);
  g.SetBounds(0, 0, 512, 3);
  RasterCanvas c(600, 4, 0x123456);
  g.Paint(c);
  EXPECT_EQ(c.GetPixel(0, 0), 0x000000u);
  EXPECT_EQ(c.GetPixel(1, 2), 0x000000u);
  EXPECT_EQ(c.GetPixel(2, 1), 0x010101u);
  EXPECT_EQ(c.GetPixel(511, 2), 0xFFFFFFu);
  ASSERT_EQ(g.Stretched().Width, 512);
  EXPECT_EQ(g.Stretched().At(511, 2), 0xFFFFFFu);

  // A new end colour: the next paint shows it, not the kept picture.
  g.SetColorEnd(0x0000FF);
  EXPECT_EQ(g.Stretched().Width, 0);
  g.Paint(c);
  EXPECT_EQ(c.GetPixel(511, 2), 0x0000FFu);

  // A new size: stretched again over it, the old area's last column moved.
  g.SetBounds(0, 0, 600, 4);
  g.Paint(c);
  EXPECT_EQ(g.Stretched().Width, 600);
  EXPECT_EQ(g.Stretched().Height, 4);
  EXPECT_EQ(c.GetPixel(599, 3), 0x0000FFu);
  EXPECT_EQ(c.GetPixel(511, 3), 0x0000DAu);
}
