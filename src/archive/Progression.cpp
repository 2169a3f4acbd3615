#include "archive/Progression.h"

#include "common/Duree.h"

namespace {

constexpr Colour Argent = 0xC0C0C0;
constexpr Colour Rouge = 0x0000FF;
constexpr Colour Blanc = 0xFFFFFF;
constexpr Colour RougeSombre = 0x000080;

constexpr const char* Croix[16] = {
    "................", "................", "..WWR......WWR..", "..WRRD....WRRD..",
    "...WRRD..WRRD...", "....WRRDWRRD....", ".....WRRRRD.....", "......WRRD......",
    "......WRRD......", ".....WRRRRD.....", "....WRRDWRRD....", "...WRRD..WRRD...",
    "..WRRD....WRRD..", "..RRD......RRD..", "................", "................",
};

}  // namespace

TextesProgression TextesDeProgression(int percent, int shown, double elapsed) {
  TextesProgression t;
  t.Label2 = " " + std::to_string(shown) + "% réalisé en " + DureeEnTexte(elapsed).str() + " ";
  const double v = percent;
  double total = elapsed;
  if (percent == 0) {
    t.Totale = "???";
  } else {
    total = elapsed * 100 / v;
    t.Totale = DureeEnTexte(total).str();
  }
  const double reste = percent == 100 ? 0 : total / 100 * (100 - v);
  t.Restante = DureeEnTexte(reste).str();
  return t;
}

Font PoliceProgression() { return Font{"Courier New", 10, clWindowText, 0, 96}; }

Bitmap GlypheInterrompre() {
  Bitmap b{16, 16, {}};
  b.Pixels.reserve(256);
  for (const char* row : Croix)
    for (int x = 0; x < 16; ++x) {
      switch (row[x]) {
        case 'W': b.Pixels.push_back(Blanc); break;
        case 'R': b.Pixels.push_back(Rouge); break;
        case 'D': b.Pixels.push_back(RougeSombre); break;
        default: b.Pixels.push_back(Argent); break;
      }
    }
  return b;
}
