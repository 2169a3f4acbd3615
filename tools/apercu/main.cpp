// apercu: a markup text drawn by DessineHTML, as a PNG.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <iostream>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "Options.h"
#include "Png.h"
#include "Surface.h"
#include "Vues.h"
#include "common/Echappe.h"
#include "common/Errors.h"
#include "markup/DessineHTML.h"
#ifdef _WIN32
#include "Boite.h"
#endif

namespace {

// The largest picture apercu makes: a side a bitmap holds, and pixels that
// the copies of the picture in memory leave room for.
constexpr int64_t CoteMax = 32767;
constexpr int64_t PixelsMax = int64_t{1} << 24;

// Every failure ends here: one line on the error stream, with whatever came
// from outside (names, markup) escaped, and exit code 1.
int Echec(const std::string& what) {
  std::cerr << "apercu: " << EchappeControles(what) << "\n";
  return 1;
}

int Echec(const Exception& e) {
  if (dynamic_cast<const EConvertError*>(&e)) return Echec("conversion error in the markup: " + e.Message());
  if (dynamic_cast<const ERangeError*>(&e))
    return Echec("the markup takes a position or size past the integer range: " + e.Message());
  if (dynamic_cast<const EOutOfMemory*>(&e)) return Echec("not enough memory for the picture: " + e.Message());
  return Echec(std::string(e.ClassName()) + ": " + e.Message());
}

// The whole of a file, or of standard input for "-"; false when it cannot be
// opened or a read fails (a folder opens, but does not read).
bool ReadInput(const std::string& name, std::string& text) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(nullptr, std::fclose);
  std::FILE* f = stdin;
  if (name != "-") {
    file.reset(std::fopen(name.c_str(), "rb"));
    f = file.get();
    if (!f) return false;
  }
  char buf[65536];
  for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) text.append(buf, n);
  return !std::ferror(f);
}

void SetCallerFont(Canvas& c, const Options& o) {
  Font f = c.GetFont();
  if (!o.FontName.empty()) f.Name = o.FontName;
  if (o.FontSize != 0) f.Size = o.FontSize;
  c.SetFont(f);
}

// Drops the white columns on the right beyond minWidth (kept within the picture).
Bitmap CropRight(const Bitmap& b, int64_t minWidth) {
  int w = static_cast<int>(std::clamp<int64_t>(minWidth, std::min(1, b.Width), b.Width));
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
// right limit). The options' ranges keep the width within CoteMax.
int Preview(const Options& o, const std::string& text) {
  const int64_t width = std::max<int64_t>(int64_t{o.X} + o.Width + 400, 1);
  Images images;
  auto probe = MakeSurface(static_cast<int>(width), 1);
  SetCallerFont(probe->GetCanvas(), o);
  int y = DessineHTML(probe->GetCanvas(), o.X, o.Y, o.Width, text, o.Back, images.elements);
  const int64_t height = std::max<int64_t>(int64_t{y} + o.Y, 1);
  if (height > CoteMax || width * height > PixelsMax)
    return Echec("the picture would be " + std::to_string(width) + " x " + std::to_string(height) +
                 " pixels; apercu makes at most " + std::to_string(CoteMax) + " on a side and " +
                 std::to_string(PixelsMax) + " in all");
  auto surface = MakeSurface(static_cast<int>(width), static_cast<int>(height));
  SetCallerFont(surface->GetCanvas(), o);
  y = DessineHTML(surface->GetCanvas(), o.X, o.Y, o.Width, text, o.Back, images.elements);
  if (!WritePng(o.Output, CropRight(surface->Pixels(), int64_t{o.X} + o.Width + o.X)))
    return Echec("cannot write " + o.Output);
  std::cout << y << "\n";
  return 0;
}

int Run(const std::vector<std::string>& args) {
  std::string error;
  auto options = ParseOptions(args, error);
  if (!options) {
    Echec(error);
    std::cerr << Usage;
    return 1;
  }
  std::string text;
  if (!ReadInput(options->Input, text)) return Echec("cannot read " + options->Input);
  return Preview(*options, text);
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  try {
    if (int code = 0; RunVue(args, code)) return code;
#ifdef _WIN32
    if (IsBoite(args)) return Boite(args);
#endif
    return Run(args);
  } catch (const Exception& e) {
    return Echec(e);
  } catch (const std::bad_alloc&) {
    return Echec("not enough memory");
  } catch (const std::exception& e) {
    return Echec(e.what());
  }
}
