#pragma once
// The colour ramp of a two-colour gradient and the small pattern bitmaps
// built from it, one shape per style; a gradient control paints by
// stretching its pattern over its area.

#include <array>
#include <cstdint>

#include "draw/Canvas.h"

// The pattern shapes, in their stored order (0 to 23).
enum TGradientStyle : uint8_t {
  gsCustom,
  gsRadialC,
  gsRadialT,
  gsRadialB,
  gsRadialL,
  gsRadialR,
  gsRadialTL,
  gsRadialTR,
  gsRadialBL,
  gsRadialBR,
  gsLinearH,
  gsLinearV,
  gsReflectedH,
  gsReflectedV,
  gsDiagonalLF,
  gsDiagonalLB,
  gsDiagonalRF,
  gsDiagonalRB,
  gsArrowL,
  gsArrowR,
  gsArrowU,
  gsArrowD,
  gsDiamond,
  gsButterfly,
};
inline constexpr int GradientStyleCount = 24;

// The style's name as written above ("gsRadialC"), and back; -1 for a name
// that is none.
const char* GradientStyleName(TGradientStyle s);
int GradientStyleByName(const char* name);

// 256 colours in the form of a bitmap pixel, so an entry is copied straight
// into the pattern.
using TGradientColors = std::array<Colour, 256>;

// The ramp from c1 (entry 0) to c2 (entry 255), both RGB, after moving one
// end towards the other by shift (-100..100: positive moves c1, negative
// c2, by MulDiv(c2 - c1, shift, 100) per channel) and moving the ramp's peak
// by rotation (-100..100, r = MulDiv(255, rotation, 100): positive rises to
// c2 at 255 - r and falls back to c1, negative falls to c1 at -r and rises
// back to c2). Divisions truncate; bytes are taken modulo 256.
TGradientColors MakeGradientColors(Colour c1, Colour c2, int shift, int rotation);

// Sizes the pattern for the style and writes every pixel from the ramp
// (gsCustom has no shape here: see BuildCheckerPattern).
void BuildGradientPattern(TGradientStyle style, const TGradientColors& colors, Bitmap& pattern);

// 2 x 2: (0, 0) and (1, 1) in c1, (1, 0) and (0, 1) in c2.
void BuildCheckerPattern(Colour c1, Colour c2, Bitmap& pattern);
