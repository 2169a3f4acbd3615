#include "draw/BitmapFile.h"

#include <bit>

#include "common/Errors.h"
#include "common/LittleEndian.h"

namespace {

constexpr uint32_t TailleEnteteFichier = 14;
constexpr uint32_t TailleEnteteCore = 12;
constexpr uint32_t TailleEnteteInfo = 40;
constexpr int TailleMax = 16384;
constexpr uint32_t BiRgb = 0, BiBitfields = 3;

[[noreturn]] void Incorrecte() { throw EInvalidGraphic(SInvalidBitmap); }

void Verifie(bool condition) {
  if (!condition) Incorrecte();
}

// Bytes per stored row: every row is padded to a multiple of four bytes.
uint64_t Pas(const EnteteBitmap& e) { return (static_cast<uint64_t>(e.Largeur) * e.BitsParPixel + 31) / 32 * 4; }

// A channel of a bit-field pixel scaled to 0..255.
uint32_t Canal(uint32_t v, uint32_t masque) {
  if (masque == 0) return 0;
  const int decalage = std::countr_zero(masque);
  const int bits = std::popcount(masque);
  const uint64_t valeur = (v & masque) >> decalage;
  const uint64_t max = (uint64_t{1} << bits) - 1;
  return static_cast<uint32_t>((valeur * 255 + max / 2) / max);
}

}  // namespace

EnteteBitmap LitEnteteBitmap(std::span<const uint8_t> f) {
  Verifie(f.size() >= TailleEnteteFichier + TailleEnteteCore);
  Verifie(f[0] == 'B' && f[1] == 'M');
  EnteteBitmap e;
  e.DebutPixels = LitLe32(&f[10]);
  const uint32_t taille = LitLe32(&f[14]);
  Verifie(taille == TailleEnteteCore || taille >= TailleEnteteInfo);
  Verifie(f.size() >= TailleEnteteFichier + uint64_t{taille});
  const uint8_t* h = &f[TailleEnteteFichier];
  int64_t hauteur;
  if (taille == TailleEnteteCore) {
    e.Largeur = LitLe16(h + 4);
    hauteur = LitLe16(h + 6);
    Verifie(LitLe16(h + 8) == 1);
    e.BitsParPixel = LitLe16(h + 10);
    e.TaillePaletteEntree = 3;
  } else {
    e.Largeur = static_cast<int32_t>(LitLe32(h + 4));
    hauteur = static_cast<int32_t>(LitLe32(h + 8));
    Verifie(LitLe16(h + 12) == 1);
    e.BitsParPixel = LitLe16(h + 14);
    e.Compression = LitLe32(h + 16);
    e.TaillePalette = LitLe32(h + 32);
  }
  e.DeHautEnBas = hauteur < 0;
  if (hauteur < 0) hauteur = -hauteur;
  Verifie(e.Largeur > 0 && e.Largeur <= TailleMax && hauteur > 0 && hauteur <= TailleMax);
  e.Hauteur = static_cast<int>(hauteur);

  switch (e.BitsParPixel) {
    case 1:
    case 4:
    case 8:
    case 24: Verifie(e.Compression == BiRgb); break;
    case 16:
    case 32: Verifie(e.Compression == BiRgb || e.Compression == BiBitfields); break;
    default: Incorrecte();
  }
  e.DebutPalette = TailleEnteteFichier + taille;
  if (e.BitsParPixel <= 8) {
    const uint32_t max = 1u << e.BitsParPixel;
    if (e.TaillePalette == 0) e.TaillePalette = max;
    Verifie(e.TaillePalette <= max);
    Verifie(e.DebutPalette + uint64_t{e.TaillePalette} * e.TaillePaletteEntree <= f.size());
  } else if (e.Compression == BiBitfields) {
    // The three masks follow a 40-byte header; larger headers hold them.
    Verifie(f.size() >= uint64_t{TailleEnteteFichier} + TailleEnteteInfo + 12);
    for (int i = 0; i < 3; ++i) e.Masques[i] = LitLe32(&f[TailleEnteteFichier + TailleEnteteInfo + 4 * i]);
    if (taille == TailleEnteteInfo) e.DebutPalette += 12;
  } else if (e.BitsParPixel == 16) {
    e.Masques[0] = 0x7C00, e.Masques[1] = 0x03E0, e.Masques[2] = 0x001F;
  } else if (e.BitsParPixel == 32) {
    e.Masques[0] = 0xFF0000, e.Masques[1] = 0xFF00, e.Masques[2] = 0xFF;
  }
  Verifie(e.DebutPixels >= e.DebutPalette || e.BitsParPixel > 8);
  Verifie(uint64_t{e.DebutPixels} + Pas(e) * e.Hauteur <= f.size());
  return e;
}

Bitmap LitBitmap(std::span<const uint8_t> f) {
  const EnteteBitmap e = LitEnteteBitmap(f);
  std::vector<Colour> palette;
  for (uint32_t i = 0; i < e.TaillePalette; ++i) {
    const uint8_t* p = &f[e.DebutPalette + i * e.TaillePaletteEntree];
    palette.push_back(Colour{p[2]} | Colour{p[1]} << 8 | Colour{p[0]} << 16);
  }
  Bitmap b{e.Largeur, e.Hauteur, std::vector<Colour>(static_cast<size_t>(e.Largeur) * e.Hauteur)};
  const uint64_t pas = Pas(e);
  for (int y = 0; y < e.Hauteur; ++y) {
    const int ligne = e.DeHautEnBas ? y : e.Hauteur - 1 - y;
    const uint8_t* row = &f[e.DebutPixels + pas * ligne];
    for (int x = 0; x < e.Largeur; ++x) {
      Colour c;
      if (e.BitsParPixel <= 8) {
        const int bit = x * e.BitsParPixel;
        const int decalage = 8 - e.BitsParPixel - bit % 8;
        const uint32_t index = (row[bit / 8] >> decalage) & ((1u << e.BitsParPixel) - 1);
        // An index past a short palette reads as black, as the system shows it.
        c = index < palette.size() ? palette[index] : clBlack;
      } else if (e.BitsParPixel == 24) {
        const uint8_t* p = row + 3 * x;
        c = Colour{p[2]} | Colour{p[1]} << 8 | Colour{p[0]} << 16;
      } else {
        const uint32_t v = e.BitsParPixel == 16 ? LitLe16(row + 2 * x) : LitLe32(row + 4 * x);
        c = Canal(v, e.Masques[0]) | Canal(v, e.Masques[1]) << 8 | Canal(v, e.Masques[2]) << 16;
      }
      b.Pixels[static_cast<size_t>(y) * e.Largeur + x] = c;
    }
  }
  return b;
}
