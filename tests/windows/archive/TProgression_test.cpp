// The progress window on the real platform: its layout and what it puts on
// the screen, the texts of SetPosition, the "Interrompre" button and the
// close request, the settings-changed notification reaching the gradient,
// and an expansion interrupted by a click.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "archive/UConcatene.h"
#include "archive/win32/TProgression.h"
#include "archive/win32/Win32ProgressWindow.h"
#include "controls/win32/Application.h"
#include "draw/win32/GdiCanvas.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32FileSystem.h"

using namespace win32;

namespace {

constexpr double Seconde = 1.0 / 86400;

class Horloge : public platform::Clock {
public:
  double t = 0;
  double Now() override { return t; }
};

Rect Bounds(const GraphicControl& c) { return c.BoundsRect(); }
int Right(const GraphicControl& c) { return c.Left() + c.Width(); }

// The centre of "Interrompre" in client coordinates.
constexpr int BoutonX = 394 + 79, BoutonY = 104 + 14;

void Click(HWND w, int x, int y) {
  PostMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  PostMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// The client area as the window shows it.
Bitmap Shot(Form& f) {
  UpdateWindow(f.Handle());
  DibSection dib(f.ClientWidth(), f.ClientHeight(), 32);
  WindowDc dc(f.Handle());
  BitBlt(dib.Handle(), 0, 0, f.ClientWidth(), f.ClientHeight(), dc.Get(), 0, 0, SRCCOPY);
  return dib.ToBitmap();
}

// Whether the screen pixel (x, y) of a pattern stretched over w x h shows a
// pattern pixel next to the one nearest-pixel scaling picks (the rounding
// of the system's stretch is its own).
bool FromPattern(const Bitmap& pattern, int w, int h, int x, int y, Colour shown) {
  const int sx = x * pattern.Width / w, sy = y * pattern.Height / h;
  for (int j = sy - 1; j <= sy + 2; ++j)
    for (int i = sx - 1; i <= sx + 2; ++i)
      if (i >= 0 && j >= 0 && i < pattern.Width && j < pattern.Height && pattern.At(i, j) == shown) return true;
  return false;
}

}  // namespace

TEST(TProgression, IsLaidOutAsDesigned) {
  Horloge h;
  TProgression p(h, Application::Instance());
  char name[64] = {};
  GetClassNameA(p.Handle(), name, sizeof name);
  EXPECT_STREQ(name, "TProgression");
  EXPECT_FALSE(p.Visible());
  EXPECT_EQ(p.Caption(), "Progression");
  EXPECT_EQ(p.ClientWidth(), 606);
  EXPECT_EQ(p.ClientHeight(), 158);
  const LONG_PTR style = GetWindowLongPtrA(p.Handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_FALSE(style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));

  EXPECT_EQ(Bounds(p.Gradient1), (Rect{0, 0, 606, 158}));
  EXPECT_EQ(p.Gradient1.Style(), gsRadialC);
  EXPECT_EQ(p.Gradient1.ColorBegin(), 8454143u);
  EXPECT_EQ(p.Gradient1.ColorEnd(), 5220351u);
  EXPECT_EQ(p.Gradient1.Pattern().At(180, 180), 0x80FFFFu);
  EXPECT_EQ(p.ProgressBar1.BoundsRect(), (Rect{21, 49, 554, 67}));
  EXPECT_EQ(Bounds(p.SpeedButton1), (Rect{394, 104, 552, 133}));
  EXPECT_EQ(p.SpeedButton1.Caption(), "Interrompre");
  EXPECT_EQ(p.SpeedButton1.Color(), 14215660u);
  EXPECT_EQ(p.SpeedButton1.Glyph().Width, 16);
  EXPECT_EQ(Bounds(p.Label7), (Rect{395, 136, 551, 148}));
  for (auto [l, x, y] :
       {std::tuple{&p.Label1, 21, 5}, {&p.Label6, 22, 22}, {&p.Label2, 122, 68}, {&p.Label3, 23, 88}}) {
    EXPECT_EQ(l->Left(), x) << l->Caption();
    EXPECT_EQ(l->Top(), y) << l->Caption();
  }
  for (auto [l, x, y] :
       {std::tuple{&p.Label4, 90, 104}, {&p.Totale, 161, 104}, {&p.Label5, 90, 120}, {&p.Restante, 161, 120}}) {
    EXPECT_EQ(Right(*l), x) << l->Caption();
    EXPECT_EQ(l->Top(), y) << l->Caption();
  }
  EXPECT_EQ(p.Label2.Color(), 16711169u);
  EXPECT_EQ(p.Totale.Color(), clWhite);
  EXPECT_FALSE(p.Totale.Transparent());
  EXPECT_TRUE(p.Label3.Transparent());

  // Labels fitting their text keep their left edge, right-aligned ones their right edge.
  p.Totale.SetCaption("10h07mn30s");
  p.Label6.SetCaption("Extraction de Liste des articles a reapprovisionner.lst");
  EXPECT_EQ(Right(p.Totale), 161);
  EXPECT_EQ(p.Label6.Left(), 22);
  EXPECT_GT(p.Label6.Width(), 200);

  // Courier New with a character height of 13 pixels.
  EXPECT_EQ(p.GetFont().Name, "Courier New");
  MemoryDc dc;
  GdiCanvas c(dc.Get());
  c.SetFont(p.GetFont());
  TEXTMETRICA tm{};
  c.TextHeight("W");
  GetTextMetricsA(dc.Get(), &tm);
  EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 13);
}

TEST(TProgression, SetPositionWritesTheTextsFromTheTimeSinceItShowed) {
  Horloge h;
  TProgression p(h, Application::Instance());
  h.t = 1.5;
  p.SetPosition(0);  // before showing there is no start time yet
  EXPECT_EQ(p.Debut, 0);
  h.t = 0;
  p.Show();
  EXPECT_EQ(p.Debut, 0);
  h.t = 10.0 / 86400;
  p.SetPosition(50);
  EXPECT_EQ(p.ProgressBar1.Position(), 50);
  EXPECT_EQ(p.Label2.Caption(), " 50% réalisé en 10s ");
  EXPECT_EQ(p.Totale.Caption(), "20s");
  EXPECT_EQ(p.Restante.Caption(), "10s");
  p.Hide();
  h.t = 1.5;
  p.Show();
  EXPECT_EQ(p.Debut, 1.5);
  p.Hide();
}

TEST(TProgression, InterrompreAndClosingAskForAnInterruptionSeenAtTheNextUpdate) {
  Horloge h;
  TProgression p(h, Application::Instance());
  p.Show();
  PostMessageA(p.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(BoutonX, BoutonY));
  Application::Instance().ProcessMessages();
  EXPECT_TRUE(p.SpeedButton1.Pressed());
  PostMessageA(p.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(BoutonX, BoutonY));
  Application::Instance().ProcessMessages();
  EXPECT_FALSE(p.SpeedButton1.Pressed());
  EXPECT_EQ(p.Label2.Caption(), "interrompu");

  p.Label2.SetCaption("Réalisé");
  Click(p.Handle(), BoutonX, BoutonY);
  Click(p.Handle(), BoutonX, BoutonY);
  p.SetPosition(10);  // the texts first, then the messages
  EXPECT_EQ(p.Label2.Caption(), "interrompu");
  p.SetPosition(11);
  EXPECT_NE(p.Label2.Caption(), "interrompu");

  PostMessageA(p.Handle(), WM_CLOSE, 0, 0);
  p.SetPosition(12);
  EXPECT_EQ(p.Label2.Caption(), "interrompu");
  EXPECT_FALSE(p.Visible());
}

TEST(TProgression, ItsScreenShowsTheGradientTheLabelsAndTheButton) {
  Horloge h;
  TProgression p(h, Application::Instance());
  p.SetCaption("Déconcaténation de C:\\Brannoch\\Brannoch.CTN");
  p.Label1.SetCaption("Extraction des fichiers de l'archive C:\\Brannoch\\Brannoch.CTN");
  p.Label6.SetCaption("Extraction de brannoch.exe");
  p.Show();
  h.t = 10.0 / 86400;
  p.SetPosition(50);
  const Bitmap s = Shot(p);
  p.Hide();
  ASSERT_EQ(s.Width, 606);
  ASSERT_EQ(s.Height, 158);

  // The radial gradient: yellow in the middle, orange in the corners.
  const Bitmap& g = p.Gradient1.Pattern();
  for (auto [x, y] : {std::pair{303, 79}, {0, 0}, {605, 0}, {0, 157}, {605, 157}, {303, 0}, {590, 79}, {350, 150}})
    EXPECT_TRUE(FromPattern(g, 606, 158, x, y, s.At(x, y))) << x << "," << y << ": " << std::hex << s.At(x, y);
  EXPECT_EQ(s.At(303, 79), 0x80FFFFu);
  EXPECT_EQ(s.At(0, 0), 0x4FA7FFu);
  EXPECT_EQ(s.At(605, 157), 0x4FA7FFu);

  // The button's face, row by row, left of its glyph, and its bevel.
  const int bx = 394, by = 104;
  EXPECT_EQ(s.At(bx + 3, by + 1), 0xFFFFFFu);
  EXPECT_EQ(s.At(bx + 3, by + 2), 0xFBFBFCu);
  EXPECT_EQ(s.At(bx + 3, by + 14), 0xCCD4D6u);
  EXPECT_EQ(s.At(bx + 3, by + 26), 0x9CADB0u);
  EXPECT_EQ(s.At(bx + 3, by + 27), 0x99AAADu);
  EXPECT_EQ(s.At(bx, by), 0xFFFFFFu);
  EXPECT_EQ(s.At(bx + 157, by + 1), 0x464646u);
  EXPECT_EQ(s.At(bx + 10, by + 28), 0x464646u);
  EXPECT_TRUE(FromPattern(g, 606, 158, bx + 157, by, s.At(bx + 157, by)));
  int red = 0;
  for (int y = by; y < by + 29; ++y)
    for (int x = bx; x < bx + 60; ++x) red += s.At(x, y) == 0x0000FF;
  EXPECT_GT(red, 20);  // the glyph's cross

  // Label2 on its own colour, the estimates on white, the bar half filled.
  EXPECT_EQ(s.At(123, 70), 16711169u);
  int white = 0;
  for (int y = p.Totale.Top(); y < p.Totale.Top() + p.Totale.Height(); ++y)
    for (int x = p.Totale.Left(); x < Right(p.Totale); ++x) white += s.At(x, y) == clWhite;
  EXPECT_GT(white, 10);
  EXPECT_EQ(s.At(30, 58), static_cast<Colour>(GetSysColor(COLOR_HIGHLIGHT)));
  EXPECT_EQ(s.At(500, 58), static_cast<Colour>(GetSysColor(COLOR_BTNFACE)));
}

// Painted a member at a time, the window keeps its back buffer and paints
// only what changed: what it shows must be what one full paint shows.
TEST(TProgression, PaintedAMemberAtATimeItShowsWhatOneFullPaintShows) {
  auto state = [](TProgression& p, Horloge& h, int member) {
    p.Label6.SetCaption("Extraction de membre " + std::to_string(member) + (member % 2 ? "" : ".dat"));
    h.t = member * 0.37 * Seconde;
    p.SetPosition(member * 100 / 40);
  };
  Horloge h1;
  Bitmap stepwise;
  {
    TProgression p(h1, Application::Instance());
    p.Label1.SetCaption("Extraction des fichiers de l'archive C:\\Brannoch\\Brannoch.CTN");
    p.Show();
    for (int m = 1; m <= 21; ++m) state(p, h1, m);
    stepwise = Shot(p);
    p.Hide();
  }
  Horloge h2;
  TProgression p(h2, Application::Instance());
  p.Label1.SetCaption("Extraction des fichiers de l'archive C:\\Brannoch\\Brannoch.CTN");
  p.Show();
  state(p, h2, 21);
  const Bitmap once = Shot(p);
  p.Hide();
  ASSERT_EQ(once.Width, stepwise.Width);
  ASSERT_EQ(once.Height, stepwise.Height);
  int differ = 0;
  for (int y = 0; y < once.Height; ++y)
    for (int x = 0; x < once.Width; ++x) differ += once.At(x, y) != stepwise.At(x, y);
  EXPECT_EQ(differ, 0);
}

namespace {

class CountingGradient : public TGradient {
public:
  int reads = 0;
  void ReadSystemColors() override {
    ++reads;
    TGradient::ReadSystemColors();
  }
};

}  // namespace

TEST(TGradient, TheSettingsChangedNotificationReachesItThroughTheForm) {
  Form f;
  CountingGradient g;
  g.SetParent(&f);
  g.SetUseSysColors(true);
  EXPECT_EQ(g.reads, 1);
  EXPECT_EQ(g.ColorBegin(), static_cast<Colour>(GetSysColor(COLOR_ACTIVECAPTION)));
  EXPECT_EQ(g.ColorEnd(), static_cast<Colour>(GetSysColor(COLOR_GRADIENTACTIVECAPTION)));
  SendMessageA(f.Handle(), WM_SETTINGCHANGE, 0, 0);
  SendMessageA(f.Handle(), WM_SYSCOLORCHANGE, 0, 0);
  EXPECT_EQ(g.reads, 3);
  g.SetColorEnd(0x010203);
  SendMessageA(f.Handle(), WM_SYSCOLORCHANGE, 0, 0);
  EXPECT_EQ(g.reads, 3);
  // System colours in the ramp are the system's, not a default scheme.
  g.SetColorBegin(clBtnFace);
  g.SetStyle(gsLinearH);
  EXPECT_EQ(g.Pattern().At(0, 0), static_cast<Colour>(GetSysColor(COLOR_BTNFACE)));
}

namespace {

constexpr int Membres = 40;
constexpr int Taille = 3000;

std::string Nom(int i) {
  char n[16];
  std::snprintf(n, sizeof n, "m%02d.bin", i);
  return n;
}

// A concatenation archive of Membres members of Taille bytes in a folder of
// its own, removed afterwards.
class Dossier {
public:
  Dossier() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    path = std::string(temp) + "brannoch-progression-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(path.c_str(), nullptr);
    archive = path + "\\Brannoch.CTN";
    std::string a;
    auto le32 = [&](uint32_t v) {
      for (int i = 0; i < 4; ++i) a += static_cast<char>(v >> (8 * i));
    };
    le32(Membres);
    a += static_cast<char>(8);
    for (int i = 1; i <= Membres; ++i) {
      std::string n = Nom(i);
      a += static_cast<char>(n.size());
      a += n;
      le32(Taille);
    }
    for (int i = 1; i <= Membres; ++i) a += std::string(Taille, static_cast<char>('A' + i % 26));
    FILE* f = std::fopen(archive.c_str(), "wb");
    std::fwrite(a.data(), 1, a.size(), f);
    std::fclose(f);
  }
  ~Dossier() {
    for (int i = 1; i <= Membres; ++i) DeleteFileA(Membre(i).c_str());
    DeleteFileA(archive.c_str());
    RemoveDirectoryA(path.c_str());
  }
  std::string Membre(int i) const { return path + "\\" + Nom(i); }
  // How many members are there whole.
  int Complets() const {
    int n = 0;
    for (int i = 1; i <= Membres; ++i) {
      WIN32_FILE_ATTRIBUTE_DATA d{};
      if (GetFileAttributesExA(Membre(i).c_str(), GetFileExInfoStandard, &d) && d.nFileSizeLow == Taille) ++n;
    }
    return n;
  }
  std::string path, archive;
};

// The real file system, which clicks "Interrompre" on the progress window
// as member `at` is created.
class CliqueA : public Win32FileSystem {
public:
  std::unique_ptr<platform::File> Open(const std::string& path, platform::Access access, platform::Share share,
                                       platform::Disposition disposition, uint32_t* error) override {
    if (fenetre && path.size() >= Nom(at).size() &&
        path.compare(path.size() - Nom(at).size(), std::string::npos, Nom(at)) == 0)
      Click(fenetre->Form().Handle(), BoutonX, BoutonY);
    return Win32FileSystem::Open(path, access, share, disposition, error);
  }
  int at = 0;
  Win32ProgressWindow* fenetre = nullptr;
};

// Boxes asked for, with the members whole at that moment.
class Refus : public MessageBoxService {
public:
  int BoiteMessage(const std::string& titre, const std::string&, const std::string& boutons, Colour) override {
    titres.push_back(titre + "/" + boutons);
    complets.push_back(dossier.Complets());
    return 1;
  }
  explicit Refus(const Dossier& d) : dossier(d) {}
  const Dossier& dossier;
  std::vector<std::string> titres;
  std::vector<int> complets;
};

struct Expansion {
  Dossier d;
  CliqueA files;
  Win32Clock clock;
  Refus box{d};
  void Run(int at) {
    files.at = at;
    ArchiveServices s{files, clock, box, [this]() -> std::unique_ptr<ProgressWindow> {
                        auto w = std::make_unique<Win32ProgressWindow>(clock, Application::Instance());
                        files.fenetre = w.get();
                        return w;
                      }};
    Deconcatene(s, ShortString(d.archive));
    files.fenetre = nullptr;
  }
};

}  // namespace

TEST(Deconcatene, AClickOnInterrompreBringsOneRefusalAfterTheMemberItTookEffectAt) {
  Expansion e;
  // Clicked while member 12 is written: the click is seen during the update
  // for member 13, and refused before member 14 is written.
  e.Run(12);
  ASSERT_EQ(e.box.titres.size(), 1u);
  EXPECT_EQ(e.box.titres[0], "Interruption Interdite/Ok");
  EXPECT_EQ(e.box.complets[0], 13);
  EXPECT_EQ(e.d.Complets(), Membres);
}

TEST(Deconcatene, AClickSeenDuringTheLastUpdateBringsNoRefusal) {
  Expansion e;
  e.Run(Membres - 1);
  EXPECT_TRUE(e.box.titres.empty());
  EXPECT_EQ(e.d.Complets(), Membres);
  Application::Instance().ProcessMessages();  // the click left for a window now gone
}
