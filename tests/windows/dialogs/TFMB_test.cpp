// The message box on a real window: answers to keys, clicks and closing, the
// buttons of a call, its placement, colour and glyphs, and the label's height.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "dialogs/win32/TFMB.h"
#include "dialogs/win32/Win32MessageBox.h"
#include "draw/win32/BitmapFile.h"

using namespace win32;

namespace {

// A box that runs a script once it shows: the script sees the call's state
// and posts what a user would do.
class Sonde : public TFMB {
public:
  std::function<void(Sonde&)> AuMontrer;
  std::function<void(Sonde&)> Differe;  // runs from the queue, the window visible
  int gauche = 0, haut = 0;
  Colour couleur = 0;
  void Poste(UINT msg, WPARAM wp = 0, LPARAM lp = 0) { PostMessageA(Handle(), msg, wp, lp); }

protected:
  void FormShow() override {
    TFMB::FormShow();
    gauche = Left();
    haut = Top();
    couleur = Color();
    if (AuMontrer) AuMontrer(*this);
    if (Differe) Poste(WM_APP);
  }
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_APP && Differe) {
      Differe(*this);
      return 0;
    }
    return TFMB::HandleMessage(msg, wp, lp);
  }
};

LPARAM Centre(const SpeedButton& b) { return MAKELPARAM(b.Left() + b.Width() / 2, b.Top() + b.Height() / 2); }

// Writes a 16 x 16, 24-bit bitmap file of one colour.
void EcritBmp(const char* name, COLORREF c) {
  const int w = 16, h = 16, row = w * 3, size = 54 + row * h;
  std::vector<uint8_t> f(size, 0);
  auto put32 = [&](int at, uint32_t v) {
    for (int i = 0; i < 4; ++i) f[at + i] = uint8_t(v >> (8 * i));
  };
  f[0] = 'B';
  f[1] = 'M';
  put32(2, size);
  put32(10, 54);
  put32(14, 40);
  put32(18, w);
  put32(22, h);
  f[26] = 1;
  f[28] = 24;
  for (int i = 0; i < w * h; ++i) {
    f[54 + 3 * i] = GetBValue(c);
    f[55 + 3 * i] = GetGValue(c);
    f[56 + 3 * i] = GetRValue(c);
  }
  FILE* out = fopen(name, "wb");
  ASSERT_NE(out, nullptr);
  fwrite(f.data(), 1, f.size(), out);
  fclose(out);
}

}  // namespace

TEST(FMB, KeysAnswer) {
  Sonde b;
  b.Poste(WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(b.BoiteMessage("Question", "Installer ?", "Oui#13Non", 0), 1);
  b.Poste(WM_CHAR, 'n');
  EXPECT_EQ(b.BoiteMessage("Question", "Installer ?", "Oui#13Non", 0), 2);
  b.Poste(WM_KEYDOWN, 'N', 0x00310001);  // translated into its character
  EXPECT_EQ(b.BoiteMessage("Question", "Installer ?", "Oui#13Non", 0), 2);
  b.Poste(WM_SYSCHAR, 'O');  // with Alt
  EXPECT_EQ(b.BoiteMessage("Question", "Installer ?", "Oui#13Non", 0), 1);
  b.Poste(WM_KEYDOWN, VK_ESCAPE);
  EXPECT_EQ(b.BoiteMessage("Question", "Installer ?", "Oui#13Non", 0), 0);
  b.Poste(WM_CLOSE);
  EXPECT_EQ(b.BoiteMessage("Question", "Installer ?", "Oui#13Non", 0), 0);
  b.Poste(WM_SYSCOMMAND, SC_CLOSE);  // the title bar's close button
  EXPECT_EQ(b.BoiteMessage("Question", "Installer ?", "Oui#13Non", 0), 0);
  EXPECT_FALSE(b.Visible());
}

TEST(FMB, OkStaysOpenOnN) {
  Sonde b;
  bool ouverte = false;
  b.Poste(WM_CHAR, 'N');
  b.Differe = [&](Sonde& s) {  // queued after the "N": runs only if the box is still up
    ouverte = s.Visible();
    s.Poste(WM_KEYDOWN, VK_RETURN);
  };
  EXPECT_EQ(b.BoiteMessage("Information", "Fini.", "Ok", 0), 1);
  EXPECT_TRUE(ouverte);
}

TEST(FMB, ClickOnB2) {
  Sonde b;
  std::vector<std::string> noms;
  std::string touches;
  b.AuMontrer = [&](Sonde& s) {
    for (const auto& x : s.Boutons()) noms.push_back(x->Name() + "=" + x->Caption());
    touches = s.Touches.str();
    s.Poste(WM_LBUTTONDOWN, MK_LBUTTON, Centre(*s.Boutons()[1]));
    s.Poste(WM_LBUTTONUP, 0, Centre(*s.Boutons()[1]));
  };
  EXPECT_EQ(b.BoiteMessage("Question", "Continuer ?", "Annuler#13 #13Ok", 0), 2);
  EXPECT_EQ(noms, (std::vector<std::string>{"B1=&Annuler", "B2=&Ok"}));
  EXPECT_EQ(touches, "AO");
  EXPECT_TRUE(b.Boutons().empty());  // destroyed after the call
}

TEST(FMB, ButtonsRowsAndClientHeight) {
  Sonde b;
  std::vector<Rect> places;
  int hauteurClient = 0, hauteurMessage = 0;
  b.AuMontrer = [&](Sonde& s) {
    for (const auto& x : s.Boutons()) places.push_back(x->BoundsRect());
    hauteurClient = s.ClientHeight();
    hauteurMessage = s.LeMessage.Height();
    s.Poste(WM_KEYDOWN, VK_ESCAPE);
  };
  b.BoiteMessage("Choix", "Lequel ?", "Un#13Deux#13Trois#13Quatre", 0);
  ASSERT_EQ(places.size(), 4u);
  int y = hauteurMessage + 15;
  EXPECT_EQ(places[0], (Rect{20, y, 155, y + 27}));
  EXPECT_EQ(places[1].left, 160);
  EXPECT_EQ(places[2].left, 300);
  EXPECT_EQ(places[2].top, y);
  EXPECT_EQ(places[3], (Rect{20, y + 30, 155, y + 57}));
  EXPECT_EQ(hauteurClient, y + 30 + 37);
}

TEST(FMB, EmptyListStillAnswersEnterAndEscape) {
  Sonde b;
  b.Poste(WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(b.BoiteMessage("Rien", "Pas de bouton", "", 0), 1);
  b.Poste(WM_KEYDOWN, VK_ESCAPE);
  EXPECT_EQ(b.BoiteMessage("Rien", "Pas de bouton", "#13", 0), 0);
}

TEST(FMB, FirstShowingCentresThenTop106KeepsTheLeft) {
  Sonde b;
  b.AuMontrer = [](Sonde& s) { s.Poste(WM_KEYDOWN, VK_RETURN); };
  b.BoiteMessage("Un", "Premier appel", "Ok", 0);
  int w = b.Width(), h = b.Height();
  EXPECT_EQ(b.gauche, (GetSystemMetrics(SM_CXSCREEN) - w) / 2);
  EXPECT_EQ(b.haut, (GetSystemMetrics(SM_CYSCREEN) - h) / 2);
  int gauche = b.gauche;
  b.BoiteMessage("Deux", "Second appel#13sur deux lignes", "Oui#13Non", 0);
  EXPECT_EQ(b.gauche, gauche);
  EXPECT_EQ(b.haut, 106);
}

TEST(FMB, CouleurLastsOneCall) {
  Sonde b;
  COLORREF fond = 0;
  b.Differe = [&](Sonde& s) {
    UpdateWindow(s.Handle());
    WindowDc dc(s.Handle());
    fond = GetPixel(dc.Get(), 3, s.ClientHeight() - 3);
    s.Poste(WM_KEYDOWN, VK_RETURN);
  };
  b.BoiteMessage("Jaune", "Attention", "Ok", 0x00FFFF);
  EXPECT_EQ(b.couleur, Colour{0x00FFFF});
  EXPECT_EQ(fond, RGB(255, 255, 0));
  EXPECT_EQ(b.Color(), clWhite);
  b.BoiteMessage("Blanc", "Attention", "Ok", 0);
  EXPECT_EQ(b.couleur, clWhite);
  EXPECT_EQ(fond, RGB(255, 255, 255));
}

TEST(FMB, GlyphsComeFromTheCurrentFolder) {
  EcritBmp("Oui.BMP", RGB(255, 0, 0));
  Sonde b;
  int largeurOui = -1, largeurNon = -1;
  Colour pixel = 0;
  b.AuMontrer = [&](Sonde& s) {
    largeurOui = s.Boutons()[0]->Glyph().Width;
    largeurNon = s.Boutons()[1]->Glyph().Width;
    pixel = s.Boutons()[0]->Glyph().At(3, 3);
    s.Poste(WM_KEYDOWN, VK_ESCAPE);
  };
  b.BoiteMessage("Glyphe", "Avec image", "Oui#13Non", 0);
  EXPECT_EQ(largeurOui, 16);
  EXPECT_EQ(pixel, Colour{0x0000FF});
  EXPECT_EQ(largeurNon, 0);
  DeleteFileA("Oui.BMP");
}

TEST(FMB, AGlyphThatIsNoBitmapFailsTheCallCleanly) {
  FILE* f = fopen("Faux.BMP", "wb");
  ASSERT_NE(f, nullptr);
  fputs("pas une image", f);
  fclose(f);
  Sonde b;
  EXPECT_THROW(b.BoiteMessage("Erreur", "Glyphe illisible", "Oui#13Faux", 0x00FFFF), EInvalidGraphic);
  EXPECT_TRUE(b.Boutons().empty());
  EXPECT_EQ(b.Color(), clWhite);
  EXPECT_FALSE(b.Visible());
  DeleteFileA("Faux.BMP");
}

TEST(FMB, TheLabelsHeightFollowsTheText) {
  Sonde b;
  int une = 0, trois = 0, client = 0;
  b.AuMontrer = [&](Sonde& s) {
    (une == 0 ? une : trois) = s.LeMessage.Height();
    client = s.ClientHeight();
    s.Poste(WM_KEYDOWN, VK_RETURN);
  };
  b.BoiteMessage("Une", "Une ligne", "Ok", 0);
  b.BoiteMessage("Trois", "Une#13Deux\rTrois", "Ok", 0);
  EXPECT_GT(une, 5);
  EXPECT_GT(trois, une);
  EXPECT_EQ(client, trois + 52);
  EXPECT_EQ(b.LeMessage.Caption(), "Une<P>Deux<P>Trois");
}

TEST(FMB, TheSingleInstanceServesTheMessageBoxService) {
  TFMB& f = CreeFMB();
  EXPECT_EQ(&CreeFMB(), &f);
  EXPECT_EQ(FMB(), &f);
  Win32MessageBox box;
  PostMessageA(f.Handle(), WM_CHAR, 'n', 0);
  EXPECT_EQ(box.BoiteMessage("Question", "Installer ?", "Oui#13Non", 0), 2);
  PostMessageA(f.Handle(), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(BoiteMessage("Erreur d'application", "Exception EInOutError dans le module INSTALL.EXE\rDisque plein.",
                         "Ok", 0),
            1);
  LibereFMB();
  EXPECT_EQ(FMB(), nullptr);
}
