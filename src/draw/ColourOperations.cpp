#include "draw/ColourOperations.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr Colour Masks[3] = {0x0000FF, 0x00FF00, 0xFF0000};
constexpr Colour BevelLight = 0xFFFFFF;
constexpr Colour BevelDark = 0x464646;

// Halves to even: the default rounding mode of the floating-point unit.
int64_t Nearest(double v) { return static_cast<int64_t>(std::nearbyint(v)); }

// The low 24 bits of the nearest integer to v (halves to even), two's
// complement for a negative v; any factor, however large, stays defined.
Colour NearestLow24(double v) {
  double r = std::fmod(std::nearbyint(v), 16777216.0);
  if (!std::isfinite(r)) return 0;
  if (r < 0) r += 16777216.0;
  return static_cast<Colour>(r);
}

void Line(Canvas& c, Colour colour, int x1, int y1, int x2, int y2) {
  c.SetPen(Pen{colour, PenStyle::Solid, 1});
  c.MoveTo(x1, y1);
  c.LineTo(x2, y2);
}

}  // namespace

Colour BlendColors(Colour a, Colour b, double f) {
  Colour r = 0;
  for (Colour m : Masks) {
    const double v = (1 - f) * static_cast<double>(a & m) + f * static_cast<double>(b & m);
    r |= NearestLow24(v) & m;
  }
  return r;
}

Colour AddColors(Colour a, Colour b) {
  Colour r = 0;
  for (Colour m : Masks) r |= std::min<Colour>((a & m) + (b & m), m);
  return r;
}

Colour SubtractColors(Colour a, Colour b) {
  Colour r = 0;
  for (Colour m : Masks) r |= (a & m) > (b & m) ? (a & m) - (b & m) : 0;
  return r;
}

void ShadeRect(Canvas& c, int x1, int y1, int x2, int y2, Colour shade, bool bottomUp) {
  if (x2 < x1 || y2 < y1) return;
  const Colour s = c.ResolveColour(shade);
  const int step = bottomUp ? -1 : 1;
  for (int y = bottomUp ? y2 : y1, n = y2 - y1 + 1; n > 0; --n, y += step)
    for (int x = x1; x <= x2; ++x) c.SetPixel(x, y, SubtractColors(c.GetPixel(x, y), s));
}

void FillGradientRect(Canvas& c, int x0, int y0, int w, int h, Colour top, Colour bottom) {
  const int p = y0, q = y0 + h;
  if (q <= p) return;
  const Colour t = c.ResolveColour(top), b = c.ResolveColour(bottom);
  const double span = q - p;
  for (int i = p; i <= q; ++i) {
    if (!c.RectVisible(Rect{x0, i, x0 + w, i + 1})) continue;
    Colour row = 0;
    for (Colour m : Masks) {
      const int64_t v = Nearest((q - i) / span * (t & m)) + Nearest((i - p) / span * (b & m));
      row |= static_cast<Colour>(std::min<int64_t>(v, m)) & m;
    }
    Line(c, row, x0, i, x0 + w, i);
  }
}

void DrawButtonFrame(Canvas& c, int w, int h, bool pressed, Colour face, Colour light) {
  if (w < 2) return;
  const Colour topLeft = pressed ? BevelDark : BevelLight;
  const Colour bottomRight = pressed ? BevelLight : BevelDark;
  Line(c, topLeft, 0, 0, w - 1, 0);
  Line(c, topLeft, 0, 0, 0, h - 1);
  Line(c, bottomRight, w, h, w, 0);
  Line(c, bottomRight, w, h, 0, h);
  const Colour f = c.ResolveColour(face), l = c.ResolveColour(light);
  const Colour lit = AddColors(f, l), shaded = SubtractColors(f, l);
  FillGradientRect(c, 1, 1, w - 1, h - 2, pressed ? shaded : lit, pressed ? lit : shaded);
}
