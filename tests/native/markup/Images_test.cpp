// Pictures of markup: JPEG decoding with libjpeg, the cache that reads each
// file once, long names of short aliases, and the placeholder of a missing file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "common/Errors.h"
#include "draw/RasterCanvas.h"
#include "markup/Images.h"
#include "markup/LibJpeg.h"
#include "support/FabriqueJpeg.h"
#include "support/MemoryFileSystem.h"

namespace {

using Op = MemoryFileSystem::Op;

bool Proche(Colour a, Colour b, int tolerance = 3) {
  for (int s = 0; s < 24; s += 8)
    if (std::abs(static_cast<int>((a >> s) & 0xFF) - static_cast<int>((b >> s) & 0xFF)) > tolerance) return false;
  return true;
}

std::span<const uint8_t> Octets(const std::string& s) { return {reinterpret_cast<const uint8_t*>(s.data()), s.size()}; }

int Ouvertures(const MemoryFileSystem& fs, const std::string& path) {
  int n = 0;
  for (const auto& c : fs.CallsOf(Op::Open)) n += fs.FullPath(c.Path) == fs.FullPath(path);
  return n;
}

struct Cache {
  MemoryFileSystem fs;
  DecodeurLibJpeg jpeg;
  FabriqueImagesRaster dessins;
  CacheImages images{fs, jpeg, dessins, LangueFrancaise};
};

TEST(LibJpeg, DecodesColourAndGreyPicturesToTheirSize) {
  // Four 8 x 8 blocks of plain colours: at quality 100 they come back within a few units.
  Bitmap b = Uni(16, 16, 0x0000FF);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      b.Pixels[y * 16 + x] = y < 8 ? (x < 8 ? 0x0000FF : 0x00FF00) : (x < 8 ? 0xFF0000 : 0x808080);
  DecodeurLibJpeg d;
  Bitmap c = d.Decode(Octets(EncodeJpeg(b)));
  ASSERT_EQ(c.Width, 16);
  ASSERT_EQ(c.Height, 16);
  for (auto [x, y] : {std::pair{2, 2}, {13, 2}, {2, 13}, {13, 13}})
    EXPECT_TRUE(Proche(c.At(x, y), b.At(x, y), 8)) << x << "," << y << ": " << std::hex << c.At(x, y);

  Bitmap g = d.Decode(Octets(EncodeJpeg(Uni(5, 3, 0x606060), 100, true)));
  ASSERT_EQ(g.Width, 5);
  ASSERT_EQ(g.Height, 3);
  EXPECT_TRUE(Proche(g.At(4, 2), 0x606060, 1)) << std::hex << g.At(4, 2);
}

TEST(LibJpeg, WhatCannotBeDecodedRaisesEJPEGAndTheProgramGoesOn) {
  DecodeurLibJpeg d;
  const std::string jpeg = EncodeJpeg(Uni(64, 64, 0x336699), 90);
  for (const std::string& bad : {std::string(), std::string("GIF89a not a jpeg"), jpeg.substr(0, 100)}) {
    try {
      d.Decode(Octets(bad));
      ADD_FAILURE() << "decoded " << bad.size() << " bytes";
    } catch (const EJPEG& e) {
      EXPECT_EQ(e.Message().rfind("Erreur JPEG #", 0), 0u) << e.Message();
      EXPECT_STREQ(e.ClassName(), "EJPEG");
    }
  }
  // Data cut inside the picture is only a warning: what was decoded shows.
  Bitmap cut = d.Decode(Octets(jpeg.substr(0, jpeg.size() - 40)));
  EXPECT_EQ(cut.Width, 64);
  EXPECT_EQ(cut.Height, 64);
  // Too large a picture is refused before any memory is given to it.
  try {
    d.Decode(Octets(EncodeJpeg(Uni(20000, 1, 0), 50)));
    ADD_FAILURE() << "a 20000-pixel-wide picture was decoded";
  } catch (const EJPEG& e) {
    EXPECT_NE(e.Message().find("20000 x 1"), std::string::npos) << e.Message();
  }
  // The decoder is still sound after its errors.
  EXPECT_EQ(d.Decode(Octets(jpeg)).Width, 64);
}

TEST(CacheImages, EachNameIsReadOnceAndComparedWithItsCase) {
  Cache t;
  t.fs.AddFile("C:\\a.jpg", EncodeJpeg(Uni(4, 2, 0x00FF00)));
  const Bitmap& p = t.images.ChargeImage("a.jpg");
  const Bitmap& q = t.images.ChargeImage("a.jpg");
  EXPECT_EQ(&p, &q);
  EXPECT_EQ(p.Width, 4);
  EXPECT_EQ(Ouvertures(t.fs, "C:\\a.jpg"), 1);
  // Another spelling is another entry, though Windows finds the same file.
  const Bitmap& r = t.images.ChargeImage("A.JPG");
  EXPECT_NE(&r, &p);
  EXPECT_EQ(Ouvertures(t.fs, "C:\\a.jpg"), 2);
  EXPECT_EQ(t.images.Taille(), 2u);
  EXPECT_EQ(t.fs.OpenHandles(), 0);
}

TEST(CacheImages, AMissingFileKeepsItsPlaceholderEvenOnceItExists) {
  Cache t;
  const Bitmap& p = t.images.ChargeImage("absent.jpg");
  EXPECT_EQ(p.Width, 300);
  EXPECT_EQ(p.Height, 200);
  t.fs.AddFile("C:\\absent.jpg", EncodeJpeg(Uni(4, 2, 0)));
  EXPECT_EQ(&t.images.ChargeImage("absent.jpg"), &p);
  EXPECT_EQ(t.fs.CallsOf(Op::Open).size(), 0u);
}

TEST(CacheImages, FilesThatCannotBeReadOrDecodedRaiseAndAreNotKept) {
  Cache t;
  t.fs.AddFile("C:\\casse.jpg", "pas une image");
  for (int i = 0; i < 2; ++i) {
    try {
      t.images.ChargeImage("casse.jpg");
      ADD_FAILURE() << "no error";
    } catch (const EJPEG& e) {
      EXPECT_EQ(e.Message().rfind("Image \"casse.jpg\" : Erreur JPEG #", 0), 0u) << e.Message();
    }
  }
  EXPECT_EQ(Ouvertures(t.fs, "casse.jpg"), 2);
  EXPECT_EQ(t.images.Taille(), 0u);

  t.fs.AddFile("C:\\b.jpg", EncodeJpeg(Uni(4, 2, 0)));
  t.fs.AddFault({Op::Open, "C:\\b.jpg", platform::ErrorAccessDenied, 0, 0, 1});
  try {
    t.images.ChargeImage("b.jpg");
    ADD_FAILURE() << "no error";
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), "Impossible d'ouvrir le fichier \"b.jpg\". Accès refusé.");
  }
  t.fs.AddFault({Op::Read, "C:\\b.jpg", 0, 3, 0, 1});
  EXPECT_THROW(t.images.ChargeImage("b.jpg"), EInOutError);
  EXPECT_EQ(t.images.ChargeImage("b.jpg").Width, 4);
  EXPECT_EQ(t.fs.OpenHandles(), 0);
}

TEST(NomLong, AShortAliasIsSearchedForAndTheFolderKept) {
  MemoryFileSystem fs;
  fs.AddFile("C:\\Images\\Logo Brannoch.jpg", "x");
  fs.AddShortName("C:\\Images\\LOGOBR~1.JPG", "C:\\Images\\Logo Brannoch.jpg");
  EXPECT_EQ(NomLong(fs, "C:\\Images\\LOGOBR~1.JPG"), "C:\\Images\\Logo Brannoch.jpg");
  EXPECT_EQ(NomLong(fs, "C:LOGOBR~1.JPG"), "C:LOGOBR~1.JPG");
  EXPECT_EQ(NomLong(fs, "C:\\Images\\AUTRE~1.JPG"), "C:\\Images\\AUTRE~1.JPG");
  fs.ClearCalls();
  EXPECT_EQ(NomLong(fs, "C:\\Images\\Logo Brannoch.jpg"), "C:\\Images\\Logo Brannoch.jpg");
  EXPECT_TRUE(fs.CallsOf(Op::FindFile).empty());

  // The folder part keeps 79 characters at most.
  const std::string dossier = "C:\\" + std::string(90, 'd') + "\\";
  fs.AddFile(dossier + "Long nom.jpg", "x");
  fs.AddShortName(dossier + "LONGNO~1.JPG", dossier + "Long nom.jpg");
  EXPECT_EQ(NomLong(fs, dossier + "LONGNO~1.JPG"), dossier.substr(0, 79) + "Long nom.jpg");

  // The cache keeps the long name: both spellings are one picture, read once.
  DecodeurLibJpeg jpeg;
  FabriqueImagesRaster dessins;
  CacheImages images(fs, jpeg, dessins);
  fs.AddFile("C:\\Images\\Logo Brannoch.jpg", EncodeJpeg(Uni(3, 3, 0)));
  const Bitmap& a = images.ChargeImage("C:\\Images\\LOGOBR~1.JPG");
  EXPECT_EQ(&images.ChargeImage("C:\\Images\\Logo Brannoch.jpg"), &a);
  EXPECT_EQ(fs.CallsOf(Op::Open).size(), 1u);
}

// Where the raster canvas puts the hatch of a diagonal cross brush.
bool Hachure(int x, int y) { return (x + y) % 8 == 0 || (x - y + 800) % 8 == 0; }

// The red band behind a text of the placeholder, on the top row of its cell
// (where no letter reaches): from x0 to x0 + w, and no further.
void BandeRouge(const Bitmap& b, int y, const std::string& texte) {
  Font f;
  f.Name = "Tahoma";
  f.Size = 14;
  f.Style = fsBold;
  int w = 0;
  for (char ch : texte) w += RasterCanvas::CharWidth(f, static_cast<unsigned char>(ch));
  const int x0 = (300 - w) / 2;
  for (int x = x0; x < x0 + w; ++x) ASSERT_EQ(b.At(x, y), 0x0000FFu) << texte << " at " << x;
  for (int x : {x0 - 1, x0 + w})
    if (!Hachure(x, y)) {
      EXPECT_EQ(b.At(x, y), clWhite) << texte << " at " << x;
    }
}

TEST(ImageIntrouvable, ARedHatchInABlackFrameWithTheNameAndTheWordsInTheLanguage) {
  FabriqueImagesRaster dessins;
  const Bitmap b = ImageIntrouvable(dessins, "coché.jpg", LangueFrancaise);
  ASSERT_EQ(b.Width, 300);
  ASSERT_EQ(b.Height, 200);
  // The frame from (1, 1) to (299, 199); the first row and column stay white.
  for (auto [x, y] : {std::pair{1, 1}, {299, 1}, {1, 199}, {299, 199}, {150, 1}, {1, 100}})
    EXPECT_EQ(b.At(x, y), clBlack) << x << "," << y;
  EXPECT_EQ(b.At(0, 0), clWhite);
  EXPECT_EQ(b.At(150, 0), clWhite);
  // Inside, away from the texts: red on the hatch lines, white between them.
  for (int y = 2; y < 50; ++y)
    for (int x = 2; x < 299; ++x) ASSERT_EQ(b.At(x, y), Hachure(x, y) ? 0x0000FFu : clWhite) << x << "," << y;
  BandeRouge(b, 60, "coché.jpg");
  BandeRouge(b, 120, "introuvable !");
  // White letters on the red bands.
  int blancs = 0;
  for (int y = 60; y < 80; ++y)
    for (int x = 100; x < 200; ++x) blancs += b.At(x, y) == clWhite && !Hachure(x, y);
  EXPECT_GT(blancs, 50);

  const Bitmap en = ImageIntrouvable(dessins, "coché.jpg", LangueAnglaise);
  BandeRouge(en, 120, "Not found !");
}

}  // namespace
