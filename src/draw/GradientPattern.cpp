#include "draw/GradientPattern.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "draw/MulDiv.h"

namespace {

constexpr const char* Names[GradientStyleCount] = {
    "gsCustom",     "gsRadialC",    "gsRadialT",    "gsRadialB",    "gsRadialL",    "gsRadialR",
    "gsRadialTL",   "gsRadialTR",   "gsRadialBL",   "gsRadialBR",   "gsLinearH",    "gsLinearV",
    "gsReflectedH", "gsReflectedV", "gsDiagonalLF", "gsDiagonalLB", "gsDiagonalRF", "gsDiagonalRB",
    "gsArrowL",     "gsArrowR",     "gsArrowU",     "gsArrowD",     "gsDiamond",    "gsButterfly",
};

struct Channels {
  int r, g, b;
};

Channels Split(Colour c) {
  return {static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF)};
}

Colour Join(int r, int g, int b) {
  return static_cast<Colour>(r & 0xFF) | static_cast<Colour>(g & 0xFF) << 8 | static_cast<Colour>(b & 0xFF) << 16;
}

void Resize(Bitmap& p, int w, int h) {
  p.Width = w;
  p.Height = h;
  p.Pixels.assign(static_cast<std::size_t>(w) * h, 0);
}

// Writes every pixel, row by row, from the ramp entry index(x, y) gives.
template <class Index>
void Fill(Bitmap& p, const TGradientColors& colors, int w, int h, Index index) {
  Resize(p, w, h);
  Colour* out = p.Pixels.data();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) *out++ = colors[static_cast<std::size_t>(index(x, y))];
}

// The horizontal distance of the two-column centred radial shapes: columns
// 180 and 181 both lie at 0.
int Centred(int v) { return v <= 180 ? 180 - v : v - 181; }

// Radial shapes: the ramp index of a pixel is its distance to the centre,
// rounded to the nearest integer (a square root of an integer never ends in
// exactly .5). The squared column distances come from a table made once.
template <class Dx, class Dy>
void Radial(Bitmap& p, const TGradientColors& colors, int w, int h, Dx dx, Dy dy) {
  std::vector<int> dx2(static_cast<std::size_t>(w));
  for (int x = 0; x < w; ++x) dx2[x] = dx(x) * dx(x);
  Resize(p, w, h);
  Colour* out = p.Pixels.data();
  for (int y = 0; y < h; ++y) {
    const int dy2 = dy(y) * dy(y);
    for (int x = 0; x < w; ++x)
      *out++ = colors[static_cast<std::size_t>(std::sqrt(static_cast<double>(dx2[x] + dy2)) + 0.5)];
  }
}

}  // namespace

const char* GradientStyleName(TGradientStyle s) { return s < GradientStyleCount ? Names[s] : ""; }

int GradientStyleByName(const char* name) {
  for (int i = 0; i < GradientStyleCount; ++i)
    if (std::strcmp(Names[i], name) == 0) return i;
  return -1;
}

TGradientColors MakeGradientColors(Colour c1, Colour c2, int shift, int rotation) {
  Channels a = Split(c1), b = Split(c2);
  if (shift > 0) {
    a.r = (a.r + MulDiv(b.r - a.r, shift, 100)) & 0xFF;
    a.g = (a.g + MulDiv(b.g - a.g, shift, 100)) & 0xFF;
    a.b = (a.b + MulDiv(b.b - a.b, shift, 100)) & 0xFF;
  } else if (shift < 0) {
    b.r = (b.r + MulDiv(b.r - a.r, shift, 100)) & 0xFF;
    b.g = (b.g + MulDiv(b.g - a.g, shift, 100)) & 0xFF;
    b.b = (b.b + MulDiv(b.b - a.b, shift, 100)) & 0xFF;
  }
  const Channels d{b.r - a.r, b.g - a.g, b.b - a.b};
  const int r = MulDiv(255, rotation, 100);

  TGradientColors p{};
  // from + sign * (k * d) / div per channel; C++ division truncates towards zero.
  auto set = [&](int i, const Channels& from, int sign, int k, int div) {
    p[static_cast<std::size_t>(i)] = Join(from.r + sign * (k * d.r / div), from.g + sign * (k * d.g / div),
                                          from.b + sign * (k * d.b / div));
  };
  if (r == 0) {
    for (int i = 0; i <= 255; ++i) set(i, a, 1, i, 255);
  } else if (r > 0) {
    const int m = 255 - r;
    for (int i = 0; i < m; ++i) set(i, a, 1, i, m);
    for (int i = m; i <= 255; ++i) set(i, a, 1, 255 - i, 255 - m);
  } else {
    const int m = -r;
    for (int i = 0; i <= m; ++i) set(i, b, -1, i, m);
    for (int i = m + 1; i <= 255; ++i) set(i, b, -1, 255 - i, 255 - m);
  }
  return p;
}

void BuildCheckerPattern(Colour c1, Colour c2, Bitmap& pattern) {
  Resize(pattern, 2, 2);
  pattern.Pixels = {c1, c2, c2, c1};
}

void BuildGradientPattern(TGradientStyle style, const TGradientColors& colors, Bitmap& p) {
  const auto& P = colors;
  auto same = [](int v) { return v; };
  auto from180 = [](int v) { return 180 - v; };
  switch (style) {
    case gsCustom: break;
    case gsRadialC: Radial(p, P, 362, 362, Centred, from180); break;
    case gsRadialT: Radial(p, P, 362, 181, Centred, same); break;
    case gsRadialB: Radial(p, P, 362, 181, Centred, from180); break;
    case gsRadialL: Radial(p, P, 181, 362, same, Centred); break;
    case gsRadialR: Radial(p, P, 181, 362, from180, Centred); break;
    case gsRadialTL: Radial(p, P, 181, 181, same, same); break;
    case gsRadialTR: Radial(p, P, 181, 181, from180, same); break;
    case gsRadialBL: Radial(p, P, 181, 181, same, from180); break;
    case gsRadialBR: Radial(p, P, 181, 181, from180, from180); break;
    case gsLinearH: Fill(p, P, 256, 1, [](int x, int) { return x; }); break;
    case gsLinearV: Fill(p, P, 1, 256, [](int, int y) { return y; }); break;
    case gsReflectedH: Fill(p, P, 1, 512, [](int, int y) { return y <= 255 ? 255 - y : y - 256; }); break;
    case gsReflectedV: Fill(p, P, 512, 1, [](int x, int) { return x <= 255 ? 255 - x : x - 256; }); break;
    case gsDiagonalLF: Fill(p, P, 128, 129, [](int x, int y) { return x + y; }); break;
    case gsDiagonalLB: Fill(p, P, 128, 129, [](int x, int y) { return 127 + y - x; }); break;
    case gsDiagonalRF:
      Fill(p, P, 256, 256, [](int x, int y) { return x + y < 255 ? 255 - (x + y) : x + y - 255; });
      break;
    case gsDiagonalRB: Fill(p, P, 256, 256, [](int x, int y) { return x > y ? x - y : y - x; }); break;
    case gsArrowL: Fill(p, P, 129, 256, [](int x, int y) { return y <= 127 ? 255 - x - y : y - x; }); break;
    case gsArrowR: Fill(p, P, 129, 256, [](int x, int y) { return y <= 127 ? 127 + x - y : x + y - 128; }); break;
    case gsArrowU: Fill(p, P, 256, 129, [](int x, int y) { return x <= 127 ? 255 - x - y : x - y; }); break;
    case gsArrowD: Fill(p, P, 256, 129, [](int x, int y) { return x <= 127 ? 127 + y - x : x + y - 128; }); break;
    case gsDiamond:
      Fill(p, P, 256, 256, [](int x, int y) {
        if (y <= 127) return x <= 127 ? 255 - x - y : x - y;
        return x <= 127 ? y - x : x + y - 255;
      });
      break;
    case gsButterfly:
      Fill(p, P, 256, 256, [](int x, int y) {
        if (y <= 127) return x <= 127 ? 128 + x - y : 383 - x - y;
        return x <= 127 ? x + y - 128 : 128 + y - x;
      });
      break;
  }
}
