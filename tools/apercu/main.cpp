// apercu: a markup text drawn by DessineHTML, as a PNG.
#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "Options.h"
#include "Png.h"
#include "Surface.h"
#include "Vues.h"
#include "markup/DessineHTML.h"
#include "common/Errors.h"
#ifdef _WIN32
#include "Boite.h"
#endif

namespace {

bool ReadInput(const std::string& name, std::string& text) {
  if (name == "-") {
    text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    return true;
  }
  std::ifstream in(name, std::ios::binary);
  if (!in) return false;
  text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

void SetCallerFont(Canvas& c, const Options& o) {
  Font f = c.GetFont();
  if (!o.FontName.empty()) f.Name = o.FontName;
  if (o.FontSize != 0) f.Size = o.FontSize;
  c.SetFont(f);
}

// Drops the white columns on the right beyond minWidth.
Bitmap CropRight(const Bitmap& b, int minWidth) {
  int w = std::min(minWidth, b.Width);
  for (int y = 0; y < b.Height; ++y)
    for (int x = b.Width - 1; x >= w; --x)
      if (b.At(x, y) != clWhite) {
        w = x + 1;
        break;
      }
  Bitmap r{w, b.Height, {}};
  r.Pixels.reserve(static_cast<size_t>(w) * b.Height);
  for (int y = 0; y < b.Height; ++y)
    r.Pixels.insert(r.Pixels.end(), b.Pixels.begin() + static_cast<std::ptrdiff_t>(y) * b.Width,
                    b.Pixels.begin() + static_cast<std::ptrdiff_t>(y) * b.Width + w);
  return r;
}

// Draws once on a one-pixel-high surface to learn the height, then for real
// on a surface that holds it all (with room for words that run past the
// right limit).
int Preview(const Options& o, const std::string& text) {
  const int width = o.X + o.Width + 400;
  Images images;
  auto probe = MakeSurface(width, 1);
  SetCallerFont(probe->GetCanvas(), o);
  int y = DessineHTML(probe->GetCanvas(), o.X, o.Y, o.Width, text, o.Back, images.elements);
  auto surface = MakeSurface(width, std::max(y + o.Y, 1));
  SetCallerFont(surface->GetCanvas(), o);
  y = DessineHTML(surface->GetCanvas(), o.X, o.Y, o.Width, text, o.Back, images.elements);
  if (!WritePng(o.Output, CropRight(surface->Pixels(), o.X + o.Width + o.X))) {
    std::cerr << "apercu: cannot write " << o.Output << "\n";
    return 1;
  }
  std::cout << y << "\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (int code = 0; RunVue(std::vector<std::string>(argv + 1, argv + argc), code)) return code;
#ifdef _WIN32
  if (IsBoite(std::vector<std::string>(argv + 1, argv + argc))) return Boite(std::vector<std::string>(argv + 1, argv + argc));
#endif
  std::string error;
  auto options = ParseOptions(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!options) {
    std::cerr << "apercu: " << error << "\n" << Usage;
    return 2;
  }
  std::string text;
  if (!ReadInput(options->Input, text)) {
    std::cerr << "apercu: cannot read " << options->Input << "\n";
    return 1;
  }
  try {
    return Preview(*options, text);
  } catch (const EConvertError& e) {
    std::cerr << "apercu: conversion error in the markup: " << e.Message() << "\n";
    return 1;
  } catch (const Exception& e) {
    // A picture that cannot be read or decoded, a position out of range.
    std::cerr << "apercu: " << e.ClassName() << ": " << e.Message() << "\n";
    return 1;
  }
}
