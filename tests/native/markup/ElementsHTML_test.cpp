// Pictures and form-field previews placed by DessineHTML on the raster
// canvas, with JPEG files the tests make in an in-memory file system.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "common/Errors.h"
#include "draw/RasterCanvas.h"
#include "markup/ElementsHTML.h"
#include "markup/LibJpeg.h"
#include "support/FabriqueJpeg.h"
#include "support/MemoryFileSystem.h"

namespace {

constexpr int X0 = 10, Y0 = 5;
constexpr int Line = 16;     // Tahoma 10 pt on the raster font
constexpr int Default = 13;  // the canvas's own 8 pt font
constexpr Colour Bleu = 0xFF0000, Vert = 0x00FF00, Rouge = 0x0000FF;

Font Police(const char* name, int size, FontStyles style = 0) {
  Font f;
  f.Name = name;
  f.Size = size;
  f.Style = style;
  f.Color = clBlack;
  return f;
}

int Wd(std::string_view s, const Font& f) {
  int w = 0;
  for (char c : s) w += RasterCanvas::CharWidth(f, static_cast<unsigned char>(c));
  return w;
}

bool Proche(Colour a, Colour b) {
  for (int s = 0; s < 24; s += 8)
    if (std::abs(static_cast<int>((a >> s) & 0xFF) - static_cast<int>((b >> s) & 0xFF)) > 6) return false;
  return true;
}

// The smallest rectangle holding every pixel that passes, {0, 0, 0, 0} when none does.
Rect Boite(RasterCanvas& c, const std::function<bool(Colour)>& passe) {
  Rect r{c.Width(), c.Height(), -1, -1};
  for (int y = 0; y < c.Height(); ++y)
    for (int x = 0; x < c.Width(); ++x)
      if (passe(c.GetPixel(x, y))) {
        r.left = std::min(r.left, x);
        r.top = std::min(r.top, y);
        r.right = std::max(r.right, x + 1);
        r.bottom = std::max(r.bottom, y + 1);
      }
  return r.right < 0 ? Rect{} : r;
}

Rect BoiteDe(RasterCanvas& c, Colour couleur) {
  return Boite(c, [couleur](Colour p) { return Proche(p, couleur); });
}

::testing::AssertionResult MemesPixels(RasterCanvas& a, RasterCanvas& b, int y0 = 0) {
  for (int y = y0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.GetPixel(x, y) != b.GetPixel(x, y))
        return ::testing::AssertionFailure() << "first difference at (" << x << ", " << y << ")";
  return ::testing::AssertionSuccess();
}

// Tahoma 10 pt black text drawn alone at (x, Y0).
RasterCanvas Texte(const char* s, int x) {
  RasterCanvas c(300, 60);
  c.SetFont(Police("Tahoma", 10));
  c.SetBrush({clWhite, BrushStyle::Clear});
  c.TextOut(x, Y0, s);
  return c;
}

// The first column from x0 on that holds black in rows y1 to y2, -1 when none does.
int EncreApres(const RasterCanvas& c, int x0, int y1 = 0, int y2 = 1 << 20) {
  for (int x = std::max(x0, 0); x < c.Width(); ++x)
    for (int y = std::max(y1, 0); y < std::min(y2, c.Height()); ++y)
      if (c.Pixels()[static_cast<size_t>(y) * c.Width() + x] == clBlack) return x;
  return -1;
}

struct Page {
  MemoryFileSystem fs;
  DecodeurLibJpeg jpeg;
  FabriqueImagesRaster dessins;
  CacheImages images{fs, jpeg, dessins};
  ElementsHTML elements{images};

  Page() {
    fs.AddFile("C:\\a.jpg", EncodeJpeg(Uni(40, 21, Bleu)));
    fs.AddFile("C:\\coché.jpg", EncodeJpeg(Uni(13, 13, Vert)));
    fs.AddFile("C:\\noncoché.jpg", EncodeJpeg(Uni(13, 13, Bleu)));
  }
  int Dessine(RasterCanvas& c, const std::string& texte, int largeur = 350) {
    return DessineHTML(c, X0, Y0, largeur, texte, clWhite, elements);
  }
  int Ouvertures(const std::string& nom) {
    int n = 0;
    for (const auto& call : fs.CallsOf(MemoryFileSystem::Op::Open)) n += fs.FullPath(call.Path) == fs.FullPath(nom);
    return n;
  }
};

TEST(ElementsHTML, APictureAtItsOwnSizeByWidthOrByPercentage) {
  struct Cas {
    const char* balise;
    int largeur, hauteur;
  };
  // 21 x 100 / 40 = 52.5 and 21 x 60 / 40 = 31.5: halves go to the even neighbour.
  for (Cas k : {Cas{"<IMG SRC=\"a.jpg\">", 40, 21}, Cas{"<IMG SRC=\"a.jpg\" WIDTH=50%>", 20, 10},
                Cas{"<IMG SRC=\"a.jpg\" WIDTH=100>", 100, 52}, Cas{"<IMG SRC=\"a.jpg\" WIDTH=60>", 60, 32},
                Cas{"<img src=\"a.bmp\" width=\"200%\">", 80, 42}}) {
    Page p;
    RasterCanvas c(400, 120);
    const int y = p.Dessine(c, std::string(k.balise) + "x");
    EXPECT_EQ(BoiteDe(c, Bleu), (Rect{X0, Y0, X0 + k.largeur, Y0 + k.hauteur})) << k.balise;
    EXPECT_EQ(y, Y0 + std::max(k.hauteur, Line)) << k.balise;
    // The pen moves one past the picture.
    EXPECT_EQ(EncreApres(c, 0), EncreApres(Texte("x", X0 + k.largeur + 1), 0)) << k.balise;
  }
}

TEST(ElementsHTML, AMissingPictureDrawsNothingAndTheSameOneIsReadOnce) {
  Page p;
  RasterCanvas a(300, 60), b(300, 60);
  EXPECT_EQ(p.Dessine(a, "a <IMG SRC=\"absent.jpg\">b"), p.Dessine(b, "a b"));
  EXPECT_TRUE(MemesPixels(a, b));
  EXPECT_EQ(p.images.Taille(), 0u);

  RasterCanvas c(300, 60);
  p.Dessine(c, "<IMG SRC=\"a.jpg\"><IMG SRC=\"a.jpg\" WIDTH=10>");
  p.Dessine(c, "<IMG SRC=\"a.jpg\">");
  EXPECT_EQ(BoiteDe(c, Bleu), (Rect{X0, Y0, X0 + 40 + 1 + 10, Y0 + 21}));
  EXPECT_EQ(p.Ouvertures("a.jpg"), 1);
}

TEST(ElementsHTML, APictureThatCannotBeDecodedStopsTheDrawingWithEJPEG) {
  Page p;
  p.fs.AddFile("C:\\casse.jpg", "GIF89a");
  RasterCanvas c(300, 60);
  try {
    p.Dessine(c, "a <IMG SRC=\"casse.jpg\"> b");
    ADD_FAILURE() << "no error";
  } catch (const EJPEG& e) {
    EXPECT_NE(e.Message().find("casse.jpg"), std::string::npos) << e.Message();
  }
}

TEST(ElementsHTML, ATextAreaShowsTheTextThatFollowsAndTheTextGoesOnBelowIt) {
  Page p;
  RasterCanvas c(300, 100);
  // COLS=10 and ROWS=2: 100 x 37 pixels.
  const int y = p.Dessine(c, "<TEXTAREA ROWS=2 COLS=10>abc</TEXTAREA>");
  const int L = X0, T = Y0, R = X0 + 100, B = Y0 + 37;
  EXPECT_EQ(y, B + Default);  // the unrecognised closing tag adds no line height
  // Grey top and left, black inside them, silver bottom and right.
  for (auto [x, yy] : {std::pair{L, B}, {L, T}, {R, T}}) EXPECT_EQ(c.GetPixel(x, yy), 0x808080u) << x << "," << yy;
  for (auto [x, yy] : {std::pair{L + 1, B - 1}, {L + 1, T + 1}, {R - 1, T + 1}})
    EXPECT_EQ(c.GetPixel(x, yy), clBlack) << x << "," << yy;
  for (auto [x, yy] : {std::pair{L + 1, B}, {R, B}, {R, T + 1}})
    EXPECT_EQ(c.GetPixel(x, yy), 0xC0C0C0u) << x << "," << yy;
  EXPECT_EQ(c.GetPixel(R + 1, T), clWhite);
  EXPECT_EQ(c.GetPixel(L, B + 1), clWhite);

  // Inside: «abc» 3 pixels in; below: the closing tag at the left margin.
  RasterCanvas ref(300, 100);
  ref.SetFont(Police("Microsoft Sans Serif", 10));
  ref.SetBrush({clWhite, BrushStyle::Clear});
  ref.TextOut(L + 3, T + 3, "abc");
  DessineHTML(ref, X0, B, 350, "</TEXTAREA>", clWhite);
  EXPECT_TRUE(MemesPixels(c, ref, B + 1));
  for (int yy = T + 2; yy < B; ++yy)
    for (int x = L + 2; x < R; ++x) ASSERT_EQ(c.GetPixel(x, yy), ref.GetPixel(x, yy)) << x << "," << yy;
}

TEST(ElementsHTML, ATextAreaShowsTheLinesThatFitItsHeight) {
  Page p;
  RasterCanvas c(300, 100);
  const Font f = Police("Microsoft Sans Serif", 10);
  // Room for «aaa » and «bbb » but not «aaa bbb»; two rows show two of the three lines.
  const int cols = (Wd("aaa ", f) + 6 + 20 + 7) / 8 - 2;
  ASSERT_LT(cols * 8 + 20 - 6, Wd("aaa bbb", f));
  ASSERT_GE(cols * 8 + 20 - 6, Wd("aaa ", f));
  const int y = p.Dessine(c, "<TEXTAREA ROWS=2 COLS=" + std::to_string(cols) + ">aaa bbb ccc");
  EXPECT_EQ(y, Y0 + 37 + Default);
  RasterCanvas ref(300, 100);
  ref.SetFont(f);
  ref.SetBrush({clWhite, BrushStyle::Clear});
  ref.TextOut(X0 + 3, Y0 + 3, "aaa ");
  ref.TextOut(X0 + 3, Y0 + 18, "bbb ");
  const int B = Y0 + 37;
  for (int yy = Y0 + 2; yy < B; ++yy)
    for (int x = X0 + 2; x < X0 + cols * 8 + 20; ++x)
      ASSERT_EQ(c.GetPixel(x, yy), ref.GetPixel(x, yy)) << x << "," << yy;
  for (int yy = B + 1; yy < 100; ++yy)
    for (int x = 0; x < 300; ++x) ASSERT_EQ(c.GetPixel(x, yy), clWhite) << x << "," << yy;
}

TEST(ElementsHTML, AnInputFieldIsABoxLabelledWithItsNameAndType) {
  Page p;
  RasterCanvas c(300, 60);
  const int y = p.Dessine(c, "<INPUT TYPE=Text SIZE=10 NAME=\"field\">x");
  EXPECT_EQ(y, Y0 + 23);
  // The box: 85 x 21.
  const int L = X0, R = X0 + 85, B = Y0 + 21;
  EXPECT_EQ(c.GetPixel(L, B), 0x808080u);
  EXPECT_EQ(c.GetPixel(R, B), 0xC0C0C0u);
  EXPECT_EQ(c.GetPixel(R - 1, Y0 + 1), clBlack);
  EXPECT_EQ(c.GetPixel(R + 1, B), clWhite);

  // The name in purple on pale yellow, its frame ending 7 pixels left of the box's right edge.
  const Font bulle = Police("Tahoma", 6);
  const int largeurNom = 6 + Wd("field", bulle), hauteur = 6 + RasterCanvas::CellHeight(bulle);
  const Rect nom{R - 7 - largeurNom, Y0 - 1, R - 7, Y0 - 1 + hauteur};
  const Rect violet = BoiteDe(c, 0x800080);
  EXPECT_GE(violet.left, nom.left + 3);
  EXPECT_LE(violet.right, nom.right - 2);
  EXPECT_GE(violet.top, nom.top + 3);
  EXPECT_EQ(c.GetPixel(nom.right - 2, nom.top + 1), 0xE1FFFFu);
  EXPECT_EQ(c.GetPixel(nom.right + 3, nom.bottom + 3), 0xBFBFBFu);  // its shadow

  // The type, lower-cased, in white on red at the top left.
  const int largeurType = 6 + Wd("text", bulle);
  const Rect type{L + 4, Y0 - 3, L + 4 + largeurType, Y0 - 3 + hauteur};
  EXPECT_EQ(Boite(c, [](Colour pixel) { return pixel == Rouge; }),
            (Rect{type.left + 1, type.top + 1, type.right - 1, type.bottom - 1}));

  // The text goes on 4 pixels after the box.
  EXPECT_EQ(EncreApres(c, R + 1), EncreApres(Texte("x", R + 4), R + 1));
}

TEST(ElementsHTML, InputFieldsThatDoNotFitGoToTheNextLineUnshifted) {
  Page p;
  RasterCanvas c(300, 100);
  // The second field passes the right limit: a line of 23 pixels starts, and
  // the line it leaves keeps its place; the last line is right-aligned when
  // the text ends, as any last line is.
  EXPECT_EQ(p.Dessine(c, "<P ALIGN=RIGHT><INPUT SIZE=10><INPUT SIZE=10>", 150), Y0 + Default + 23 + 23);
  EXPECT_EQ(c.GetPixel(X0, Y0 + Default + 21), 0x808080u);
  EXPECT_EQ(c.GetPixel(X0 + 150 - 89, Y0 + Default + 23 + 21), 0x808080u);
  EXPECT_EQ(c.GetPixel(X0, Y0 + Default + 23 + 21), clWhite);
  // A field that passes the limit itself sends the pen to the next line after
  // it, where a picture (which never wraps by itself) then starts.
  RasterCanvas d(300, 100);
  EXPECT_EQ(p.Dessine(d, "<INPUT SIZE=20><IMG SRC=\"a.jpg\">", 100), Y0 + 23 + 21);
  EXPECT_EQ(BoiteDe(d, Bleu), (Rect{X0, Y0 + 23, X0 + 40, Y0 + 23 + 21}));
  // SIZE=0 leaves no room for any text: the value is cut into lines all the same.
  RasterCanvas e(300, 100);
  EXPECT_EQ(p.Dessine(e, "<INPUT SIZE=0 VALUE=\"abc def\"><INPUT SIZE=-3>"), Y0 + 23);
}

TEST(ElementsHTML, CheckBoxesAndRadioButtonsShowTheirPicturesOrThePlaceholder) {
  const Font t10 = Police("Tahoma", 10);
  const int x = X0 + Wd("a", t10);
  struct Cas {
    const char* balise;
    Colour couleur;
  };
  for (Cas k : {Cas{"<INPUT TYPE=checkbox CHECKED>", Vert}, Cas{"<INPUT TYPE=CHECKBOX>", Bleu},
                Cas{"<INPUT TYPE=checkbox checked>", Bleu}}) {
    Page p;
    RasterCanvas c(300, 60);
    // After a word of 16 pixels: 8 - 6 pixels below the line's top.
    EXPECT_EQ(p.Dessine(c, std::string("a") + k.balise), Y0 + Line) << k.balise;
    EXPECT_EQ(BoiteDe(c, k.couleur), (Rect{x + 3, Y0 + 2, x + 16, Y0 + 15})) << k.balise;
  }
  // Missing pictures: the 300 x 200 placeholder naming the file.
  Page p;
  p.fs.DeleteFile("C:\\noncoché.jpg");
  RasterCanvas c(400, 260);
  EXPECT_EQ(p.Dessine(c, "a<INPUT TYPE=radio CHECKED>"), Y0 + 200);
  const int gauche = x + 3, haut = Y0 + 2;
  EXPECT_EQ(c.GetPixel(gauche + 1, haut + 1), clBlack);
  EXPECT_EQ(c.GetPixel(gauche + 299, haut + 199), clBlack);
  EXPECT_EQ(c.GetPixel(gauche + 10, haut + 10), Rouge);
  EXPECT_EQ(c.GetPixel(gauche + 9, haut + 10), clWhite);
  FabriqueImagesRaster dessins;
  const Bitmap attendu = ImageIntrouvable(dessins, "checked.jpg", LangueFrancaise);
  for (int yy = 0; yy < 200; ++yy)
    for (int xx = 0; xx < 300; ++xx) ASSERT_EQ(c.GetPixel(gauche + xx, haut + yy), attendu.At(xx, yy));
  p.Dessine(c, "<INPUT TYPE=checkbox><INPUT TYPE=radio>");
  EXPECT_EQ(p.images.Taille(), 3u);  // checked.jpg, noncoché.jpg, unchecked.jpg
}

TEST(ElementsHTML, AnImageFieldShowsItsSourceFromTheLineTop) {
  Page p;
  RasterCanvas c(400, 260);
  EXPECT_EQ(p.Dessine(c, "<INPUT TYPE=image SRC=\"a.jpg\">"), Y0 + 21);
  EXPECT_EQ(BoiteDe(c, Bleu), (Rect{X0 + 3, Y0, X0 + 43, Y0 + 21}));
  // No existence check: a missing source shows the placeholder.
  EXPECT_EQ(p.Dessine(c, "<INPUT TYPE=image SRC=\"b.gif\">"), Y0 + 200);
  EXPECT_EQ(c.GetPixel(X0 + 3 + 1, Y0 + 1), clBlack);
}

TEST(ElementsHTML, SubmitAndResetAreRaisedButtonsAsWideAsTheirValuePlus20) {
  for (const char* type : {"submit", "reset"}) {
    Page p;
    RasterCanvas c(300, 60);
    const int w = Wd("OK", Police("Microsoft Sans Serif", 10)) + 20;
    EXPECT_EQ(p.Dessine(c, std::string("<INPUT TYPE=") + type + " VALUE=\"OK\">x"), Y0 + Line);
    const int g = X0, d = X0 + w, y = Y0;
    EXPECT_EQ(c.GetPixel(g + 2, y + 3), DefaultSystemColour(15));
    EXPECT_EQ(c.GetPixel(g + 1, y + 22), 0x808080u);
    EXPECT_EQ(c.GetPixel(d - 2, y + 22), 0x808080u);
    EXPECT_EQ(c.GetPixel(d - 2, y + 2), 0x808080u);
    EXPECT_EQ(c.GetPixel(g, y + 23), clBlack);
    EXPECT_EQ(c.GetPixel(d - 1, y + 23), clBlack);
    EXPECT_EQ(c.GetPixel(d - 1, y + 1), clBlack);
    EXPECT_EQ(c.GetPixel(d - 1, y), clWhite);
    EXPECT_EQ(c.GetPixel(d, y + 23), clWhite);
    // «OK» 10 pixels in, and the pen 4 pixels past the button.
    EXPECT_EQ(EncreApres(c, g + 3, y + 3, y + 21), EncreApres(Texte("OK", g + 10), 0));
    EXPECT_EQ(EncreApres(c, d + 1), EncreApres(Texte("x", d + 4), 0));
  }
}

TEST(ElementsHTML, TheCanvasIsLeftAsItWasFound) {
  Page p;
  RasterCanvas c(400, 300);
  Font f = c.GetFont();
  f.Name = "Arial";
  f.Size = 9;
  c.SetFont(f);
  c.SetPen({0x123456, PenStyle::Solid, 2});
  c.SetBrush({0x654321, BrushStyle::Solid});
  p.Dessine(c,
            "<S>a <IMG SRC=\"a.jpg\"><INPUT NAME=\"n\" VALUE=\"v\"><INPUT TYPE=submit VALUE=\"Ok\">"
            "<INPUT TYPE=checkbox><TEXTAREA>t</TEXTAREA>");
  EXPECT_EQ(c.GetFont(), f);
  EXPECT_EQ(c.GetPen(), (Pen{0x123456, PenStyle::Solid, 2}));
  EXPECT_EQ(c.GetBrush(), (Brush{0x654321, BrushStyle::Solid}));
}

TEST(ElementsHTML, NumbersOutOfRangeRaiseERangeError) {
  Page p;
  RasterCanvas c(100, 40);
  EXPECT_THROW(p.Dessine(c, "<TEXTAREA COLS=300000000>"), ERangeError);
  EXPECT_THROW(p.Dessine(c, "<TEXTAREA ROWS=200000000>"), ERangeError);
  EXPECT_THROW(p.Dessine(c, "<INPUT SIZE=2147483647>"), ERangeError);
  EXPECT_THROW(p.Dessine(c, "<IMG SRC=\"a.jpg\" WIDTH=2147483647>"), ERangeError);
  EXPECT_THROW(p.Dessine(c, "<IMG SRC=\"a.jpg\" WIDTH=99999999999%>"), EConvertError);
  EXPECT_THROW(p.Dessine(c, "<IMG SRC=\"a.jpg\" WIDTH=x>"), EConvertError);
}

}  // namespace
