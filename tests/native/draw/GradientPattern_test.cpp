// The gradient's colour ramp (shift, rotation, MulDiv rounding, truncating
// divisions) and the pattern every style builds from it.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "draw/GradientPattern.h"
#include "draw/MulDiv.h"

namespace {

constexpr Colour Jaune = 0x80FFFF, Orange = 0x4FA7FF;

// A ramp whose entry i is i itself, so a pattern shows its ramp indices.
TGradientColors Indices() {
  TGradientColors p{};
  for (int i = 0; i < 256; ++i) p[static_cast<std::size_t>(i)] = static_cast<Colour>(i);
  return p;
}

Bitmap Built(TGradientStyle s) {
  Bitmap b;
  BuildGradientPattern(s, Indices(), b);
  return b;
}

}  // namespace

TEST(MulDiv, RoundsHalvesAwayFromZeroAndRefusesADivisionByZero) {
  EXPECT_EQ(MulDiv(255, 50, 100), 128);
  EXPECT_EQ(MulDiv(255, -50, 100), -128);
  EXPECT_EQ(MulDiv(-255, 50, 100), -128);
  EXPECT_EQ(MulDiv(255, 1, 100), 3);
  EXPECT_EQ(MulDiv(254, 1, 100), 3);
  EXPECT_EQ(MulDiv(249, 1, 100), 2);
  EXPECT_EQ(MulDiv(10, 96, 72), 13);
  EXPECT_EQ(MulDiv(8, 96, 72), 11);
  EXPECT_EQ(MulDiv(1, 1, 0), -1);
  EXPECT_EQ(MulDiv(1 << 30, 8, 1), -1);
}

TEST(GradientColors, TheProgressWindowsBackground) {
  TGradientColors p = MakeGradientColors(Jaune, Orange, 0, 0);
  EXPECT_EQ(p[0], 0x80FFFFu);
  EXPECT_EQ(p[1], 0x80FFFFu);
  EXPECT_EQ(p[6], 0x7FFDFFu);
  EXPECT_EQ(p[128], 0x68D3FFu);
  EXPECT_EQ(p[180], 0x5EC1FFu);
  EXPECT_EQ(p[254], 0x50A8FFu);
  EXPECT_EQ(p[255], 0x4FA7FFu);
}

TEST(GradientColors, DivisionsTruncateTowardsZero) {
  // 255 + (128 * -255) div 255 = 127 on every channel.
  EXPECT_EQ(MakeGradientColors(clWhite, clBlack, 0, 0)[128], 0x7F7F7Fu);
  EXPECT_EQ(MakeGradientColors(clBlack, clWhite, 0, 0)[128], 0x808080u);
}

TEST(GradientColors, RotationMovesThePeakEitherWay) {
  TGradientColors p = MakeGradientColors(clBlack, clWhite, 0, 50);  // r = 128, m = 127
  EXPECT_EQ(p[0], 0x000000u);
  EXPECT_EQ(p[1], 0x020202u);
  EXPECT_EQ(p[127], 0xFFFFFFu);
  EXPECT_EQ(p[128], 0xFDFDFDu);
  EXPECT_EQ(p[255], 0x000000u);
  p = MakeGradientColors(clBlack, clWhite, 0, -50);  // m = 128
  EXPECT_EQ(p[0], 0xFFFFFFu);
  EXPECT_EQ(p[128], 0x000000u);
  EXPECT_EQ(p[129], 0x030303u);
  EXPECT_EQ(p[255], 0xFFFFFFu);
  // The ends of the range: the peak at 0 or at 255, no division by zero.
  p = MakeGradientColors(clBlack, clWhite, 0, 100);
  EXPECT_EQ(p[0], 0xFFFFFFu);
  EXPECT_EQ(p[255], 0x000000u);
  p = MakeGradientColors(clBlack, clWhite, 0, -100);
  EXPECT_EQ(p[255], 0x000000u);
  EXPECT_EQ(p[0], 0xFFFFFFu);
}

TEST(GradientColors, ShiftMovesOneEndTowardsTheOther) {
  EXPECT_EQ(MakeGradientColors(clBlack, clWhite, 50, 0)[0], 0x808080u);
  EXPECT_EQ(MakeGradientColors(clBlack, clWhite, 50, 0)[255], 0xFFFFFFu);
  EXPECT_EQ(MakeGradientColors(clBlack, clWhite, -50, 0)[0], 0x000000u);
  EXPECT_EQ(MakeGradientColors(clBlack, clWhite, -50, 0)[255], 0x7F7F7Fu);
  // Channels move on their own: red falls, blue rises.
  EXPECT_EQ(MakeGradientColors(0x0000FF, 0xFF0000, 100, 0)[0], 0xFF0000u);
}

TEST(GradientPattern, EveryStyleHasItsSizeAndUsesTheWholeRamp) {
  struct Size {
    TGradientStyle s;
    int w, h, lowest;
  } sizes[] = {
      {gsRadialC, 362, 362, 0},    {gsRadialT, 362, 181, 0},    {gsRadialB, 362, 181, 0},
      {gsRadialL, 181, 362, 0},    {gsRadialR, 181, 362, 0},    {gsRadialTL, 181, 181, 0},
      {gsRadialTR, 181, 181, 0},   {gsRadialBL, 181, 181, 0},   {gsRadialBR, 181, 181, 0},
      {gsLinearH, 256, 1, 0},      {gsLinearV, 1, 256, 0},      {gsReflectedH, 1, 512, 0},
      {gsReflectedV, 512, 1, 0},   {gsDiagonalLF, 128, 129, 0}, {gsDiagonalLB, 128, 129, 0},
      {gsDiagonalRF, 256, 256, 0}, {gsDiagonalRB, 256, 256, 0}, {gsArrowL, 129, 256, 0},
      {gsArrowR, 129, 256, 0},     {gsArrowU, 256, 129, 0},     {gsArrowD, 256, 129, 0},
      {gsDiamond, 256, 256, 1},    {gsButterfly, 256, 256, 0},
  };
  ASSERT_EQ(std::size(sizes), 23u);
  for (const Size& z : sizes) {
    Bitmap b = Built(z.s);
    EXPECT_EQ(b.Width, z.w) << GradientStyleName(z.s);
    EXPECT_EQ(b.Height, z.h) << GradientStyleName(z.s);
    ASSERT_EQ(b.Pixels.size(), static_cast<std::size_t>(z.w) * z.h);
    auto [lo, hi] = std::minmax_element(b.Pixels.begin(), b.Pixels.end());
    EXPECT_EQ(*lo, static_cast<Colour>(z.lowest)) << GradientStyleName(z.s);
    EXPECT_EQ(*hi, 255u) << GradientStyleName(z.s);
  }
}

TEST(GradientPattern, RadialCentreHasTwoColumnsAndOneRow) {
  Bitmap b = Built(gsRadialC);
  EXPECT_EQ(b.At(180, 180), 0u);
  EXPECT_EQ(b.At(181, 180), 0u);
  EXPECT_EQ(b.At(180, 0), 180u);
  EXPECT_EQ(b.At(0, 180), 180u);
  EXPECT_EQ(b.At(361, 180), 180u);
  EXPECT_EQ(b.At(180, 361), 181u);
  for (auto [x, y] : {std::pair{0, 0}, {361, 0}, {0, 361}, {361, 361}}) EXPECT_EQ(b.At(x, y), 255u);
  // Distance rounded to the nearest: sqrt(3 * 3 + 4 * 4) = 5, sqrt(1 + 1) = 1.41.
  EXPECT_EQ(b.At(177, 184), 5u);
  EXPECT_EQ(b.At(182, 181), 1u);

  // The progress window's colours land where the ramp says.
  Bitmap p;
  BuildGradientPattern(gsRadialC, MakeGradientColors(Jaune, Orange, 0, 0), p);
  EXPECT_EQ(p.At(180, 180), 0x80FFFFu);
  EXPECT_EQ(p.At(180, 0), 0x5EC1FFu);
  EXPECT_EQ(p.At(361, 361), 0x4FA7FFu);
}

TEST(GradientPattern, OtherShapesAtTheirCornersAndSeams) {
  Bitmap b = Built(gsDiagonalRF);
  EXPECT_EQ(b.At(255, 0), 0u);
  EXPECT_EQ(b.At(0, 255), 0u);
  EXPECT_EQ(b.At(0, 0), 255u);
  EXPECT_EQ(b.At(255, 255), 255u);
  b = Built(gsRadialBR);
  EXPECT_EQ(b.At(180, 180), 0u);
  EXPECT_EQ(b.At(0, 180), 180u);
  b = Built(gsRadialL);
  EXPECT_EQ(b.At(0, 180), 0u);
  EXPECT_EQ(b.At(0, 181), 0u);
  b = Built(gsReflectedH);
  EXPECT_EQ(b.At(0, 0), 255u);
  EXPECT_EQ(b.At(0, 255), 0u);
  EXPECT_EQ(b.At(0, 256), 0u);
  EXPECT_EQ(b.At(0, 511), 255u);
  b = Built(gsArrowL);
  EXPECT_EQ(b.At(128, 127), 0u);
  EXPECT_EQ(b.At(128, 128), 0u);
  EXPECT_EQ(b.At(0, 0), 255u);
  b = Built(gsButterfly);
  EXPECT_EQ(b.At(127, 0), 255u);
  EXPECT_EQ(b.At(128, 0), 255u);
  EXPECT_EQ(b.At(0, 128), 0u);
  b = Built(gsDiagonalLB);
  EXPECT_EQ(b.At(127, 0), 0u);
  EXPECT_EQ(b.At(0, 128), 255u);
}

TEST(GradientPattern, EveryStyleAtItsCornersCentresAndSeams) {
  // Each value is the ramp index that the style's shape gives the pixel, as
  // Built() shows it. gsCustom is the checkerboard of the ramp's two ends
  // that a gradient without a handler makes.
  struct Px {
    int x, y;
    Colour v;
  };
  const struct {
    TGradientStyle s;
    std::vector<Px> px;
  } rows[] = {
      {gsCustom, {{0, 0, 0}, {1, 0, 255}, {0, 1, 255}, {1, 1, 0}}},
      {gsRadialC, {{181, 0, 180}, {181, 361, 181}, {100, 100, 113}, {300, 200, 121}}},
      {gsRadialT, {{180, 0, 0}, {181, 0, 0}, {0, 0, 180}, {180, 180, 180}, {361, 180, 255}}},
      {gsRadialB, {{180, 180, 0}, {181, 180, 0}, {0, 180, 180}, {180, 0, 180}, {0, 0, 255}, {361, 0, 255}}},
      {gsRadialL, {{0, 0, 180}, {180, 180, 180}, {180, 0, 255}, {180, 361, 255}}},
      {gsRadialR, {{180, 180, 0}, {180, 181, 0}, {180, 0, 180}, {0, 0, 255}, {0, 361, 255}}},
      {gsRadialTL, {{0, 0, 0}, {180, 0, 180}, {0, 180, 180}, {180, 180, 255}, {3, 4, 5}}},
      {gsRadialTR, {{180, 0, 0}, {0, 0, 180}, {180, 180, 180}, {0, 180, 255}, {177, 4, 5}}},
      {gsRadialBL, {{0, 180, 0}, {0, 0, 180}, {180, 180, 180}, {180, 0, 255}, {3, 176, 5}}},
      {gsRadialBR, {{180, 0, 180}, {0, 0, 255}, {177, 176, 5}}},
      {gsLinearH, {{0, 0, 0}, {128, 0, 128}, {255, 0, 255}}},
      {gsLinearV, {{0, 0, 0}, {0, 128, 128}, {0, 255, 255}}},
      {gsReflectedH, {{0, 128, 127}, {0, 383, 127}}},
      {gsReflectedV, {{0, 0, 255}, {128, 0, 127}, {255, 0, 0}, {256, 0, 0}, {511, 0, 255}}},
      {gsDiagonalLF, {{0, 0, 0}, {127, 0, 127}, {0, 128, 128}, {127, 128, 255}}},
      {gsDiagonalLB, {{0, 0, 127}, {127, 128, 128}}},
      {gsDiagonalRF, {{127, 127, 1}, {128, 127, 0}, {128, 128, 1}}},
      {gsDiagonalRB, {{0, 0, 0}, {255, 255, 0}, {255, 0, 255}, {0, 255, 255}, {128, 127, 1}, {100, 200, 100}}},
      {gsArrowL, {{0, 127, 128}, {0, 128, 128}, {0, 255, 255}, {128, 0, 127}, {128, 255, 127}}},
      {gsArrowR, {{0, 0, 127}, {128, 0, 255}, {0, 127, 0}, {0, 128, 0}, {128, 127, 128}, {128, 255, 255}}},
      {gsArrowU, {{0, 0, 255}, {255, 0, 255}, {127, 128, 0}, {128, 128, 0}, {0, 128, 127}, {127, 0, 128}}},
      {gsArrowD, {{0, 0, 127}, {127, 0, 0}, {128, 0, 0}, {255, 0, 127}, {0, 128, 255}, {255, 128, 255}}},
      {gsDiamond, {{0, 0, 255}, {255, 255, 255}, {127, 127, 1}, {128, 127, 1}, {127, 128, 1}, {128, 128, 1}}},
      {gsButterfly, {{0, 0, 128}, {255, 0, 128}, {0, 127, 1}, {127, 128, 127}, {255, 255, 128}, {0, 255, 127}}},
  };
  ASSERT_EQ(std::size(rows), std::size_t{GradientStyleCount});
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    const TGradientStyle s = rows[i].s;
    EXPECT_EQ(s, i);
    Bitmap b;
    if (s == gsCustom) BuildCheckerPattern(0, 255, b);
    else b = Built(s);
    for (const Px& p : rows[i].px) {
      ASSERT_TRUE(p.x < b.Width && p.y < b.Height) << GradientStyleName(s);
      EXPECT_EQ(b.At(p.x, p.y), p.v) << GradientStyleName(s) << " (" << p.x << ", " << p.y << ")";
    }
  }
}

TEST(GradientPattern, StyleNamesReadBack) {
  for (int i = 0; i < GradientStyleCount; ++i)
    EXPECT_EQ(GradientStyleByName(GradientStyleName(static_cast<TGradientStyle>(i))), i);
  EXPECT_EQ(GradientStyleByName("gsRadial"), -1);
}
