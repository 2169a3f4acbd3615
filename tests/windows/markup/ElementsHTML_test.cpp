// Pictures and form-field previews on GDI with real fonts, files read through
// the Win32 file system from a folder of the test's own JPEG pictures, and
// in the real message box.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>

#include "dialogs/win32/TFMB.h"
#include "draw/win32/FabriqueImagesGdi.h"
#include "draw/win32/GdiCanvas.h"
#include "markup/ElementsHTML.h"
#include "markup/LibJpeg.h"
#include "platform/win32/Win32FileSystem.h"
#include "support/FabriqueJpeg.h"

using namespace win32;

namespace {

constexpr Colour Bleu = 0xFF0000, Vert = 0x00FF00, Rouge = 0x0000FF;

bool Proche(Colour a, Colour b) {
  for (int s = 0; s < 24; s += 8)
    if (std::abs(static_cast<int>((a >> s) & 0xFF) - static_cast<int>((b >> s) & 0xFF)) > 6) return false;
  return true;
}

Rect Boite(const std::function<Colour(int, int)>& pixel, int w, int h, Colour couleur) {
  Rect r{w, h, -1, -1};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (Proche(pixel(x, y), couleur)) {
        r.left = std::min(r.left, x);
        r.top = std::min(r.top, y);
        r.right = std::max(r.right, x + 1);
        r.bottom = std::max(r.bottom, y + 1);
      }
  return r.right < 0 ? Rect{} : r;
}

Rect Boite(DibSection& d, Colour couleur) {
  return Boite([&](int x, int y) { return d.Pixel(x, y); }, d.Width(), d.Height(), couleur);
}

void Ecrit(const std::string& nom, const std::string& octets) {
  FILE* f = fopen(nom.c_str(), "wb");
  ASSERT_NE(f, nullptr) << nom;
  fwrite(octets.data(), 1, octets.size(), f);
  fclose(f);
}

// A folder of its own with the pictures, current while the test runs.
class Dossier : public ::testing::Test {
protected:
  void SetUp() override {
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    dossier_ = std::string(tmp) + "brannoch-images-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(dossier_.c_str(), nullptr);
    GetCurrentDirectoryA(MAX_PATH, avant_);
    ASSERT_TRUE(SetCurrentDirectoryA(dossier_.c_str()));
    Ecrit("a.jpg", EncodeJpeg(Uni(40, 21, Bleu)));
    Ecrit("coché.jpg", EncodeJpeg(Uni(13, 13, Vert)));
    Ecrit("Logo Brannoch.jpg", EncodeJpeg(Uni(8, 6, Rouge)));
  }
  void TearDown() override {
    SetCurrentDirectoryA(avant_);
    for (const char* f : {"a.jpg", "coché.jpg", "Logo Brannoch.jpg"}) DeleteFileA((dossier_ + "\\" + f).c_str());
    RemoveDirectoryA(dossier_.c_str());
  }
  int Dessine(DibSection& d, const std::string& texte) {
    d.Fill(clWhite);
    return DessineHTML(d.Canvas(), 10, 5, 350, texte, clWhite, elements_);
  }

  std::string dossier_;
  char avant_[MAX_PATH]{};
  Win32FileSystem fichiers_;
  DecodeurLibJpeg jpeg_;
  FabriqueImagesGdi dessins_;
  CacheImages images_{fichiers_, jpeg_, dessins_};
  ElementsHTML elements_{images_};
};

TEST_F(Dossier, PicturesAtTheirSizeAndScaledFromTheCurrentFolder) {
  DibSection d(400, 120, 24);
  EXPECT_EQ(Dessine(d, "<IMG SRC=\"a.jpg\">"), 5 + 21);
  EXPECT_EQ(Boite(d, Bleu), (Rect{10, 5, 50, 26}));
  EXPECT_EQ(Dessine(d, "<IMG SRC=\"a.jpg\" WIDTH=100>"), 5 + 52);
  EXPECT_EQ(Boite(d, Bleu), (Rect{10, 5, 110, 57}));
  EXPECT_EQ(Dessine(d, "<IMG SRC=\"a.jpg\" WIDTH=50%>"), 5 + 10);
  EXPECT_EQ(Boite(d, Bleu), (Rect{10, 5, 30, 15}));
  EXPECT_EQ(images_.Taille(), 1u);
}

TEST_F(Dossier, FormFieldsWithTheirFramesLabelsAndPictures) {
  DibSection d(450, 300, 24);
  Dessine(d, "<TEXTAREA ROWS=2 COLS=10>abc</TEXTAREA>");
  const int L = 10, T = 5, R = 110, B = 42;
  EXPECT_EQ(d.Pixel(L, B), 0x808080u);
  EXPECT_EQ(d.Pixel(R, T), 0x808080u);
  EXPECT_EQ(d.Pixel(L + 1, T + 1), clBlack);
  EXPECT_EQ(d.Pixel(R, B), 0xC0C0C0u);
  EXPECT_EQ(d.Pixel(R + 1, B), clWhite);
  // «abc» in black inside, the closing tag below.
  EXPECT_NE(Boite(d, clBlack).bottom, 0);
  Rect abc = Boite([&](int x, int y) { return x > L + 1 && x < R && y > T + 1 && y < B ? d.Pixel(x, y) : clWhite; },
                   d.Width(), d.Height(), clBlack);
  EXPECT_GE(abc.left, L + 3);
  EXPECT_GT(abc.right, abc.left);

  Dessine(d, "<INPUT TYPE=text SIZE=10 NAME=\"nom\" VALUE=\"Dupont\">");
  EXPECT_EQ(d.Pixel(10, 5 + 21), 0x808080u);
  EXPECT_EQ(d.Pixel(95, 5 + 21), 0xC0C0C0u);
  const Rect violet = Boite(d, 0x800080), rouge = Boite(d, Rouge);
  EXPECT_GT(violet.right, violet.left);
  EXPECT_LE(violet.right, 95 - 7);
  EXPECT_EQ(rouge.left, 10 + 4 + 1);
  EXPECT_EQ(rouge.top, 5 - 3 + 1);

  // A check box's picture about the middle of the line; a missing radio picture's placeholder.
  Dessine(d, "<INPUT TYPE=checkbox CHECKED><INPUT TYPE=radio>");
  EXPECT_EQ(Boite(d, Vert), (Rect{13, -1 + 1, 26, 12}));
  const int x = 26 + 5 + 3, y = 5 + 13 / 2 - 6;
  EXPECT_EQ(d.Pixel(x + 1, y + 1), clBlack);
  EXPECT_EQ(d.Pixel(x + 299, y + 199), clBlack);

  Dessine(d, "<INPUT TYPE=submit VALUE=\"Envoyer\">");
  EXPECT_EQ(d.Pixel(12, 8), ToColorRef(clBtnFace) & 0xFFFFFF);
  EXPECT_EQ(d.Pixel(10, 28), clBlack);
  EXPECT_EQ(d.Pixel(11, 27), 0x808080u);
}

TEST_F(Dossier, ThePlaceholderInTahomaOnRedHatch) {
  const Bitmap b = ImageIntrouvable(dessins_, "coché.jpg", LangueFrancaise);
  ASSERT_EQ(b.Width, 300);
  ASSERT_EQ(b.Height, 200);
  EXPECT_EQ(b.At(1, 1), clBlack);
  EXPECT_EQ(b.At(299, 199), clBlack);
  EXPECT_EQ(b.At(0, 0), clWhite);
  // A hatch: red lines with white between them, nothing else.
  int rouges = 0, blancs = 0, autres = 0;
  for (int y = 5; y < 50; ++y)
    for (int x = 5; x < 295; ++x) ++(b.At(x, y) == Rouge ? rouges : b.At(x, y) == clWhite ? blancs : autres);
  EXPECT_GT(rouges, 1000);
  EXPECT_GT(blancs, 1000);
  EXPECT_EQ(autres, 0);
  // The red bands of the two texts, centred.
  for (int y : {61, 121}) {
    int g = 0, d = 299;
    while (g < 299 && b.At(g, y) != Rouge) ++g;
    while (d > 0 && b.At(d, y) != Rouge) --d;
    EXPECT_LE(std::abs((g + d) - 299), 8) << y;
  }
}

TEST_F(Dossier, TheDirectorySearchGivesTheLongNameOfAShortOne) {
  char court[MAX_PATH] = {};
  const std::string longue = dossier_ + "\\Logo Brannoch.jpg";
  ASSERT_GT(GetShortPathNameA(longue.c_str(), court, MAX_PATH), 0u);
  const std::string nomCourt = court;
  EXPECT_EQ(fichiers_.FindFile(nomCourt), std::optional<std::string>("Logo Brannoch.jpg"));
  EXPECT_EQ(fichiers_.FindFile(dossier_ + "\\absent.jpg"), std::nullopt);
  ASSERT_NE(nomCourt.find('~'), std::string::npos) << nomCourt;
  const std::string nom = NomLong(fichiers_, nomCourt);
  EXPECT_EQ(nom.substr(nom.rfind('\\') + 1), "Logo Brannoch.jpg");
  EXPECT_EQ(images_.ChargeImage(nomCourt).Width, 8);
  EXPECT_EQ(&images_.ChargeImage(nom), &images_.ChargeImage(nomCourt));
}

// The real message box: the label measures and paints with the items.
class BoiteVisible : public TFMB {
public:
  std::function<void(BoiteVisible&)> Visible;

protected:
  void FormShow() override {
    TFMB::FormShow();
    PostMessageA(Handle(), WM_APP, 0, 0);
  }
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_APP && Visible) {
      Visible(*this);
      return 0;
    }
    return TFMB::HandleMessage(msg, wp, lp);
  }
};

TEST_F(Dossier, TheMessageBoxShowsThePictureAndGrowsWithIt) {
  BoiteVisible b;
  b.LeMessage.SetElements(&elements_);
  int sansImage = 0, avecImage = 0;
  Rect bleu;
  b.Visible = [&](BoiteVisible& s) {
    UpdateWindow(s.Handle());
    // The label's own paint has set its height: one pixel above the text.
    (sansImage == 0 ? sansImage : avecImage) = s.LeMessage.Height();
    WindowDc dc(s.Handle());
    bleu = Boite(
        [&](int x, int y) {
          COLORREF c = GetPixel(dc.Get(), x, y);
          return Colour{GetRValue(c)} | Colour{GetGValue(c)} << 8 | Colour{GetBValue(c)} << 16;
        },
        200, 120, Bleu);
    PostMessageA(s.Handle(), WM_KEYDOWN, VK_RETURN, 0);
  };
  EXPECT_EQ(b.BoiteMessage("Image", "Le logo :", "Ok", 0), 1);
  EXPECT_EQ(b.BoiteMessage("Image", "Le logo : <IMG SRC=\"a.jpg\" WIDTH=80>", "Ok", 0), 1);
  // 80 pixels wide, 42 high, after the words, one pixel in from the label's corner.
  EXPECT_EQ(bleu.bottom - bleu.top, 42);
  EXPECT_EQ(bleu.right - bleu.left, 80);
  EXPECT_EQ(bleu.top, 5 + 1);
  EXPECT_EQ(avecImage, 1 + 42);
  EXPECT_LT(sansImage, avecImage);
}

}  // namespace
