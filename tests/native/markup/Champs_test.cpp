// The drawing pieces of form-field previews: lines cut to a width, and the
// framed label with its drop shadow.
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>

#include "common/Errors.h"
#include "draw/RasterCanvas.h"
#include "markup/Champs.h"

namespace {

std::vector<std::string> Lignes(const TableauDeLignes& t) {
  std::vector<std::string> r;
  for (const ShortString& s : t) r.push_back(s.str());
  return r;
}

using V = std::vector<std::string>;

TEST(DecoupeLignes, WordsMoveWholeAndLongWordsAreCutBetweenCharacters) {
  RasterCanvas c(10, 10);
  auto w = [&](const char* s) { return c.TextWidth(s) + 6; };
  EXPECT_EQ(Lignes(DecoupeLignes(c, w("aaa b"), "aaa bbb")), (V{"aaa ", "bbb"}));
  EXPECT_EQ(Lignes(DecoupeLignes(c, w("aaa bbb"), "aaa bbb")), (V{"aaa bbb"}));
  EXPECT_EQ(Lignes(DecoupeLignes(c, w("aaa bbb") - 1, "aaa bbb")), (V{"aaa ", "bbb"}));
  EXPECT_EQ(Lignes(DecoupeLignes(c, w("abc"), "abcdefgh")), (V{"abc", "def", "gh"}));
  // The space that ends a line counts in its width and stays there.
  EXPECT_EQ(Lignes(DecoupeLignes(c, w("ab cd "), "ab cd ef")), (V{"ab cd ", "ef"}));
  EXPECT_EQ(Lignes(DecoupeLignes(c, w("ab cd"), "ab cd ef")), (V{"ab ", "cd ef"}));
  // Carriage returns end paragraphs; line feeds are dropped from the lines.
  EXPECT_EQ(Lignes(DecoupeLignes(c, 200, "ab\r\ncd\r\rx y")), (V{"ab", "cd", "", "x y"}));
}

TEST(DecoupeLignes, EveryWidthEnds) {
  RasterCanvas c(10, 10);
  EXPECT_EQ(Lignes(DecoupeLignes(c, 100, "")), (V{""}));
  const int i = c.TextWidth("i");
  const std::string texte = "abc de\rf";
  EXPECT_EQ(Lignes(DecoupeLignes(c, i - 1, texte)), (V{texte}));
  EXPECT_EQ(Lignes(DecoupeLignes(c, -5, std::string(300, 'x'))), (V{std::string(255, 'x')}));
  // From the width of "i" on, however narrow: lines of one character at
  // least, no wider than the width unless they hold only one, and all the text
  // is there (a carriage return alone on its line leaves an empty line).
  for (int width = i; width <= 3 * c.TextWidth("W") + 6; ++width) {
    std::string ensemble;
    for (const std::string& l : Lignes(DecoupeLignes(c, width, texte))) {
      if (l.size() > 1) {
        EXPECT_LE(c.TextWidth(l) + 6, width) << l;
      }
      ensemble += l;
    }
    EXPECT_EQ(ensemble, "abc def") << width;
  }
  EXPECT_EQ(Lignes(DecoupeLignes(c, i, "ab c")), (V{"a", "b", " ", "c"}));
}

TEST(DessineBulle, AFramedLabelOverAShadowAlignedOnX) {
  Font f;
  f.Name = "Tahoma";
  f.Size = 6;
  int lw = 0;
  for (char ch : std::string("abc")) lw += RasterCanvas::CharWidth(f, static_cast<unsigned char>(ch));
  const int largeur = 6 + lw, h = RasterCanvas::CellHeight(f);

  for (int alignement : {abGauche, abDroite, abCentre}) {
    RasterCanvas c(200, 80);
    c.SetPen({0x00FF00, PenStyle::Solid, 3});
    const Brush brosse{0x123456, BrushStyle::DiagCross};
    c.SetBrush(brosse);
    const Font avant = c.GetFont();
    const Rect r = DessineBulle(c, 100, 20, "abc", 6, 0xE1FFFF, 0x800080, alignement);
    const int g = alignement == abGauche ? 100 : alignement == abDroite ? 100 - largeur : 100 - largeur / 2;
    const int d = g + largeur, b = 20 + 6 + h;
    EXPECT_EQ(r, (Rect{g, 20, d + 5, b + 5})) << alignement;
    // Silver left and top, black bottom and right; the rectangle's own border in the pen's colour inside them.
    EXPECT_EQ(c.GetPixel(g, 20), 0xC0C0C0u);
    EXPECT_EQ(c.GetPixel(g, b - 1), 0xC0C0C0u);
    EXPECT_EQ(c.GetPixel(d - 1, 20), 0xC0C0C0u);
    EXPECT_EQ(c.GetPixel(g, b), clBlack);
    EXPECT_EQ(c.GetPixel(d, b), clBlack);
    EXPECT_EQ(c.GetPixel(d, 21), clBlack);
    EXPECT_EQ(c.GetPixel(d - 1, b - 1), 0x00FF00u);
    EXPECT_EQ(c.GetPixel(d - 2, 21), 0xE1FFFFu);
    // The shadow: white less 0x404040, from 3 pixels right and down to the far corner included.
    EXPECT_EQ(c.GetPixel(d + 1, 23), 0xBFBFBFu);
    EXPECT_EQ(c.GetPixel(d + 3, b + 3), 0xBFBFBFu);
    EXPECT_EQ(c.GetPixel(g + 3, b + 1), 0xBFBFBFu);
    EXPECT_EQ(c.GetPixel(g + 2, b + 1), clWhite);
    EXPECT_EQ(c.GetPixel(d + 4, b + 3), clWhite);
    EXPECT_EQ(c.GetPixel(d + 1, 22), clWhite);
    // The text in its colour, 3 pixels in.
    RasterCanvas ref(200, 80);
    Font t = f;
    t.Color = 0x800080;
    ref.SetFont(t);
    ref.SetBrush({clWhite, BrushStyle::Clear});
    ref.TextOut(g + 3, 23, "abc");
    for (int y = 23; y < 23 + h; ++y)
      for (int x = g + 3; x < g + 3 + lw; ++x)
        ASSERT_EQ(c.GetPixel(x, y) == 0x800080, ref.GetPixel(x, y) == 0x800080) << x << "," << y;
    // Font, brush and pen width return; the pen is left black.
    EXPECT_EQ(c.GetFont(), avant);
    EXPECT_EQ(c.GetBrush(), brosse);
    EXPECT_EQ(c.GetPen().Width, 3);
    EXPECT_EQ(c.GetPen().Color, clBlack);
  }

  // "#13" breaks lines; the size is measured on the lines without their outer spaces.
  RasterCanvas c(200, 80);
  const Rect r = DessineBulle(c, 10, 10, "  abc #13ab", 6, 0xFFFFFF, 0, abGauche);
  EXPECT_EQ(r, (Rect{10, 10, 10 + largeur + 5, 10 + 6 + 2 * h + 5}));
}

// A position past the integer range stops the drawing half way; what it had
// set of the canvas goes back all the same.
TEST(DessineBulle, AFailureHalfWayPutsTheCanvasBack) {
  Font f;
  f.Name = "Arial";
  f.Style = fsItalic;
  const Brush brosse{0x654321, BrushStyle::DiagCross};
  const Pen stylo{0x00FF00, PenStyle::Clear, 3};
  auto fresh = [&] {
    auto c = std::make_unique<RasterCanvas>(50, 50);
    c->SetFont(f);
    c->SetBrush(brosse);
    c->SetPen(stylo);
    return c;
  };
  auto c = fresh();
  EXPECT_THROW(DessineBulle(*c, 10, INT_MAX - 5, "abc", 6, 0xFFFFFF, 0, abGauche), ERangeError);
  EXPECT_EQ(c->GetFont(), f);
  EXPECT_EQ(c->GetBrush(), brosse);
  EXPECT_EQ(c->GetPen().Width, 3);
  EXPECT_EQ(c->GetPen().Style, PenStyle::Solid);  // as the drawing left it

  c = fresh();
  EXPECT_THROW(DessineZoneTexte(*c, {INT_MAX, 0, INT_MAX, 40}, "abc"), ERangeError);
  EXPECT_EQ(c->GetFont(), f);
}

}  // namespace
