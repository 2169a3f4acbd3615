// Layout and painting of markup, checked to the pixel on the raster canvas against the same text drawn directly.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "common/Errors.h"
#include "draw/RasterCanvas.h"
#include "markup/DessineHTML.h"

namespace {

constexpr int X0 = 10, Y0 = 5;
constexpr int Line = 16;     // Tahoma 10 pt at 96 ppi on the raster font
constexpr int Default = 13;  // the canvas's own 8 pt font: HauteurParDefaut

Font Txt(int size = 10, FontStyles style = 0, Colour colour = clBlack) {
  Font f;
  f.Name = "Tahoma";
  f.Size = size;
  f.Color = colour;
  f.Style = style;
  return f;
}

int Wd(std::string_view s, const Font& f = Txt()) {
  int w = 0;
  for (char c : s) w += RasterCanvas::CharWidth(f, static_cast<unsigned char>(c));
  return w;
}

// Draws s at (x, y) on a reference canvas, on a transparent background.
void Put(RasterCanvas& ref, int x, int y, std::string_view s, const Font& f = Txt()) {
  ref.SetFont(f);
  ref.SetBrush({clWhite, BrushStyle::Clear});
  ref.TextOut(x, y, s);
}

::testing::AssertionResult SamePixels(const RasterCanvas& got, const RasterCanvas& want) {
  for (int y = 0; y < got.Height(); ++y)
    for (int x = 0; x < got.Width(); ++x) {
      Colour a = got.Pixels()[y * got.Width() + x], b = want.Pixels()[y * want.Width() + x];
      if (a != b)
        return ::testing::AssertionFailure()
               << "first difference at (" << x << ", " << y << "): " << std::hex << a << " instead of " << b;
    }
  return ::testing::AssertionSuccess();
}

// Leftmost and rightmost columns holding a pixel of colour ink, -1 when none.
std::pair<int, int> InkColumns(RasterCanvas& c, int y1, int y2, Colour ink = clBlack) {
  int lo = -1, hi = -1;
  for (int x = 0; x < c.Width(); ++x)
    for (int y = y1; y < y2; ++y)
      if (c.GetPixel(x, y) == ink) {
        if (lo < 0) lo = x;
        hi = x;
      }
  return {lo, hi};
}

TEST(DessineHTML, EmptyTextReturnsOneLineOfTheCallersFont) {
  RasterCanvas c(100, 60);
  EXPECT_EQ(DessineHTML(c, X0, Y0, 80, "", clWhite), Y0 + c.TextHeight("W"));
  Font big = c.GetFont();
  big.Size = 20;
  c.SetFont(big);
  EXPECT_EQ(DessineHTML(c, X0, Y0, 80, "", clWhite), Y0 + c.TextHeight("W"));
  EXPECT_EQ(InkColumns(c, 0, 60).first, -1);
}

TEST(DessineHTML, ReturnedHeightIsTheSumOfTheLinesAndTheLastLineIsAlwaysFinished) {
  RasterCanvas c(200, 100);
  EXPECT_EQ(DessineHTML(c, X0, Y0, 150, "A<P>B", clWhite), Y0 + 2 * Line);
  EXPECT_EQ(DessineHTML(c, X0, Y0, 150, "A<P>B<P>", clWhite), Y0 + 2 * Line + Default);
  EXPECT_EQ(DessineHTML(c, X0, Y0, 150, "<P><P>", clWhite), Y0 + 3 * Default);
  // The line height is its tallest item; items share the top line.
  int h12 = RasterCanvas::CellHeight(Txt(12));
  EXPECT_EQ(DessineHTML(c, X0, Y0, 150, "a <FONT SIZE=12>b</FONT> c", clWhite), Y0 + h12);
}

TEST(DessineHTML, RightAlignmentEndsTheLineAtTheRightLimit) {
  RasterCanvas c(300, 60), ref(300, 60);
  EXPECT_EQ(DessineHTML(c, X0, Y0, 200, "<P ALIGN=RIGHT>abc", clWhite), Y0 + Default + Line);
  Put(ref, X0 + 200 - Wd("abc"), Y0 + Default, "abc");
  EXPECT_TRUE(SamePixels(c, ref));
}

TEST(DessineHTML, CentringHalvesTheRemainderTruncatingTowardZero) {
  RasterCanvas c(300, 60), ref(300, 60);
  int width = 201;
  ASSERT_EQ((width - Wd("abc")) % 2, 1);
  DessineHTML(c, X0, Y0, width, "<p align=center>abc", clWhite);
  Put(ref, X0 + (width - Wd("abc")) / 2, Y0 + Default, "abc");
  EXPECT_TRUE(SamePixels(c, ref));

  // A line wider than the width moves left by half the excess, rounded toward zero.
  std::string word = "Brannoch";
  int excess = 5;
  int w = Wd(word) - excess;
  RasterCanvas left(300, 60), centred(300, 60);
  DessineHTML(left, X0, Y0, w, word + "<BR>", clWhite);
  DessineHTML(centred, X0, Y0, w, "<BR ALIGN=CENTER>" + word + "<BR>", clWhite);
  int shift = -2;
  const int R = X0 + Wd(word);
  for (int x = X0 + shift; x < R + shift; ++x)
    for (int y = 0; y < Line; ++y)
      ASSERT_EQ(centred.GetPixel(x, Y0 + Default + y), left.GetPixel(x - shift, Y0 + y)) << x << "," << y;
  // The strip vacated on the right is painted; the moved line keeps its start.
  EXPECT_EQ(InkColumns(centred, Y0 + Default, Y0 + Default + Line).first,
            InkColumns(left, Y0, Y0 + Line).first + shift);
  for (int x = R + shift; x < R; ++x)
    for (int y = 0; y < Line; ++y) ASSERT_EQ(centred.GetPixel(x, Y0 + Default + y), clWhite);
}

TEST(DessineHTML, TheAlignmentInForceWhenALineIsFinishedDecides) {
  RasterCanvas c(300, 80), ref(300, 80);
  DessineHTML(c, X0, Y0, 200, "abc<P ALIGN=RIGHT>def<P ALIGN=LEFT>ghi", clWhite);
  Put(ref, X0, Y0, "abc");
  Put(ref, X0 + 200 - Wd("def"), Y0 + Line, "def");
  Put(ref, X0, Y0 + 2 * Line, "ghi");
  EXPECT_TRUE(SamePixels(c, ref));
}

TEST(DessineHTML, AWordThatDoesNotFitStartsTheNextLineOneRightOfTheMargin) {
  RasterCanvas c(300, 60), ref(300, 60);
  int width = Wd("aaa bbb") - 1;
  EXPECT_EQ(DessineHTML(c, X0, Y0, width, "aaa bbb<P>", clWhite), Y0 + 2 * Line + Default);
  Put(ref, X0, Y0, "aaa ");
  Put(ref, X0 + 1, Y0 + Line, "bbb");
  EXPECT_TRUE(SamePixels(c, ref));

  // The first word of a line stays, however wide.
  RasterCanvas w(300, 60), wref(300, 60);
  DessineHTML(w, X0, Y0, 20, "Brannoch <P>", clWhite);
  Put(wref, X0, Y0, "Brannoch ");
  EXPECT_TRUE(SamePixels(w, wref));
}

TEST(DessineHTML, APartGluedToTheWrappedWordMovesDownWithIt) {
  // "<B>" makes the raster font one pixel shorter, so the size goes up by one.
  const Font bold = Txt(11, fsBold);
  const int first = Wd("xx ");
  const int R = X0 + first + 1 + Wd("Bran", bold);  // the bold tag nudges the pen by one
  const int width = R - X0 + Wd("noch") - 1;        // "noch" just does not fit
  const int h1 = std::max(Line, RasterCanvas::CellHeight(bold));
  RasterCanvas c(300, 80), ref(300, 80);
  EXPECT_EQ(DessineHTML(c, X0, Y0, width, "xx <B>Bran</B>noch<BR>", clWhite), Y0 + h1 + Line + Default);
  Put(ref, X0, Y0, "xx ");
  Put(ref, X0 + 2, Y0 + h1, "Bran", bold);
  Put(ref, X0 + 2 + Wd("Bran", bold), Y0 + h1, "noch");
  EXPECT_TRUE(SamePixels(c, ref));
}

TEST(DessineHTML, MovedPixelsLeaveTheBackgroundColour) {
  constexpr Colour Grey = 0xC0C0C0;
  RasterCanvas c(300, 60, Grey);
  DessineHTML(c, X0, Y0, 200, "<P ALIGN=RIGHT>abc", Grey);
  EXPECT_EQ(c.GetPixel(X0, Y0 + Default), Grey);
  // White passed for a grey surface: the vacated strip shows white.
  RasterCanvas w(300, 60, Grey);
  DessineHTML(w, X0, Y0, 200, "<P ALIGN=RIGHT>abc", clWhite);
  EXPECT_EQ(w.GetPixel(X0, Y0 + Default), clWhite);
  EXPECT_EQ(w.GetPixel(X0 - 1, Y0 + Default), Grey);
}

TEST(DessineHTML, BlockquoteIndentsByAThirdOfAnInch) {
  RasterCanvas c(300, 60), ref(300, 60);
  EXPECT_EQ(DessineHTML(c, X0, Y0, 200, "<BLOCKQUOTE>text</BLOCKQUOTE>", clWhite), Y0 + Line + Default);
  Put(ref, X0 + 32, Y0, "text");
  EXPECT_TRUE(SamePixels(c, ref));

  RasterCanvas hi(300, 60, clWhite, 120);
  DessineHTML(hi, X0, Y0, 200, "<DIR>text", clWhite);
  EXPECT_EQ(InkColumns(hi, 0, 60).first, X0 + 40);
  // Extra closing tags move the margin left of X.
  RasterCanvas out(300, 60);
  DessineHTML(out, 100, Y0, 100, "</DIR>text", clWhite);
  EXPECT_EQ(InkColumns(out, 0, 60).first, 100 - 32);
}

TEST(DessineHTML, RuleOnAnEmptyLineAdvancesTwiceTheDefaultHeight) {
  RasterCanvas c(300, 60);
  EXPECT_EQ(DessineHTML(c, X0, Y0, 200, "<HR>", clWhite), Y0 + 3 * Default);
  for (int x = X0; x < X0 + 200; ++x) ASSERT_EQ(c.GetPixel(x, Y0 + Default), clBlack) << x;
  EXPECT_EQ(c.GetPixel(X0 + 200, Y0 + Default), clWhite);
  EXPECT_EQ(c.GetPixel(X0 - 1, Y0 + Default), clWhite);
  EXPECT_EQ(InkColumns(c, 0, Y0 + Default).first, -1);
  // After a line of text the rule advances by that line's height.
  RasterCanvas t(300, 80);
  EXPECT_EQ(DessineHTML(t, X0, Y0, 200, "ab<HR>", clWhite), Y0 + 2 * Line + Default);
  EXPECT_EQ(t.GetPixel(X0 + 150, Y0 + Line), clBlack);
}

TEST(DessineHTML, UnrecognisedTagsAreShownAndWrapCharacterByCharacter) {
  RasterCanvas c(300, 60), ref(300, 60);
  DessineHTML(c, X0, Y0, 200, "a<TABLE>", clWhite);
  const Font inside = Txt(10, fsBold | fsItalic);
  int x = X0;
  Put(ref, x, Y0, "a");
  x += Wd("a");
  Put(ref, x, Y0, "<");
  x += Wd("<");
  Put(ref, x, Y0, "TABLE", inside);
  x += Wd("TABLE", inside);
  Put(ref, x, Y0, ">");
  EXPECT_TRUE(SamePixels(c, ref));

  // Narrow: each character that would pass the limit starts a new line.
  RasterCanvas n(300, 80), nref(300, 80);
  int width = Wd("<") + Wd("SP", inside);
  DessineHTML(n, X0, Y0, width, "<SPAN>", clWhite);
  Put(nref, X0, Y0, "<");
  Put(nref, X0 + Wd("<"), Y0, "SP", inside);
  Put(nref, X0, Y0 + Default, "AN", inside);
  Put(nref, X0 + Wd("AN", inside), Y0 + Default, ">");
  EXPECT_TRUE(SamePixels(n, nref));
}

TEST(DessineHTML, ATagLeftOpenAtTheEndIsShown) {
  RasterCanvas c(300, 60), ref(300, 60);
  DessineHTML(c, X0, Y0, 200, "x<B", clWhite);
  Put(ref, X0, Y0, "x<>");
  EXPECT_TRUE(SamePixels(c, ref));
}

TEST(DessineHTML, TextBeforeASecondOpeningBracketIsDrawnAsItIs) {
  RasterCanvas c(300, 60), ref(300, 60);
  DessineHTML(c, X0, Y0, 200, "a < b <B>c", clWhite);
  Put(ref, X0, Y0, "a < b ");
  Put(ref, X0 + Wd("a < b ") + 1, Y0, "c", Txt(11, fsBold));
  EXPECT_TRUE(SamePixels(c, ref));
}

TEST(DessineHTML, EntitiesAreDecodedInWordsButNotInTheTail) {
  RasterCanvas c(300, 60), ref(300, 60);
  DessineHTML(c, X0, Y0, 250, "&amp;lt; &AMP; &#233;&#65<P>x &amp; y", clWhite);
  Put(ref, X0, Y0, "< &AMP; é&#65");
  Put(ref, X0, Y0 + Line, "x &amp; y");
  EXPECT_TRUE(SamePixels(c, ref));
}

TEST(DessineHTML, AWordOf300LettersIsCutTo255) {
  RasterCanvas c(3000, 30), ref(3000, 30);
  DessineHTML(c, 0, 0, 2900, std::string(300, 'a') + "<P>", clWhite);
  Put(ref, 0, 0, std::string(255, 'a'));
  EXPECT_TRUE(SamePixels(c, ref));
}

TEST(DessineHTML, TheTailFitsFromThePenAndAlwaysMakesProgress) {
  // What fits holds a space: it ends after the last one.
  RasterCanvas c(300, 60), ref(300, 60);
  DessineHTML(c, X0, Y0, Wd("aaa bb"), "aaa bbbb", clWhite);
  Put(ref, X0, Y0, "aaa ");
  Put(ref, X0, Y0 + Line, "bbbb");
  EXPECT_TRUE(SamePixels(c, ref));
  // No space: the word is cut where the width ends.
  RasterCanvas d(300, 60), dref(300, 60);
  DessineHTML(d, X0, Y0, Wd("abc"), "abcdef", clWhite);
  Put(dref, X0, Y0, "abc");
  Put(dref, X0, Y0 + Line, "def");
  EXPECT_TRUE(SamePixels(d, dref));
  // Narrower than a character: one character per line, and it ends.
  RasterCanvas z(300, 80);
  EXPECT_EQ(DessineHTML(z, X0, Y0, 0, "abc", clWhite), Y0 + 3 * Line);
}

TEST(DessineHTML, FontTagsSetColourSizeAndFaceAndTheStackRestores) {
  RasterCanvas c(300, 60), ref(300, 60);
  DessineHTML(c, X0, Y0, 250, "<FONT COLOR=#FF SIZE=12>a </FONT>b <FONT COLOR=red>c </FONT></FONT>d", clWhite);
  Put(ref, X0, Y0, "a ", Txt(12, 0, 0xFF0000));
  int x = X0 + Wd("a ", Txt(12));
  Put(ref, x, Y0, "b c d");
  EXPECT_TRUE(SamePixels(c, ref));
  // </FONT> also ends a <B> opened inside it.
  RasterCanvas b(300, 60), bref(300, 60);
  DessineHTML(b, X0, Y0, 250, "<FONT COLOR=#FF0000><B>a </FONT>b", clWhite);
  Put(bref, X0 + 1, Y0, "a ", Txt(11, fsBold, 0x0000FF));
  Put(bref, X0 + 1 + Wd("a ", Txt(11, fsBold)), Y0, "b");
  EXPECT_TRUE(SamePixels(b, bref));
}

TEST(DessineHTML, LinksHeadingsAndStyles) {
  RasterCanvas c(400, 60), ref(400, 60);
  DessineHTML(c, X0, Y0, 350, "<A HREF=\"x.htm\">a </A><H1>b </H1><HTML><I>c </I><U>d </U>e", clWhite);
  int x = X0;
  Put(ref, x, Y0, "a ", Txt(10, fsUnderline, 0xFF0000));
  x += Wd("a ");
  Put(ref, x, Y0, "b ", Txt(16, fsBold));
  x += Wd("b ", Txt(16, fsBold)) - 1;
  Put(ref, x, Y0, "c ", Txt(10, fsItalic));
  x += Wd("c ") + 1;
  Put(ref, x, Y0, "d ", Txt(10, fsUnderline));
  x += Wd("d ") + 1;
  Put(ref, x, Y0, "e");
  EXPECT_TRUE(SamePixels(c, ref));
}

TEST(DessineHTML, HighlightsPaintTheTextBackground) {
  RasterCanvas c(300, 60);
  DessineHTML(c, X0, Y0, 250, "<S>a </S>b <S#FF0000>c <S#zz>d", clWhite);
  int x = X0;
  EXPECT_EQ(c.GetPixel(x, Y0), 0x99FFFFu);
  x += Wd("a ");
  EXPECT_EQ(c.GetPixel(x, Y0), clWhite);
  x += Wd("b ");
  EXPECT_EQ(c.GetPixel(x, Y0), 0x0000FFu);
  x += Wd("c ");
  EXPECT_EQ(c.GetPixel(x, Y0), 0x0000FFu);  // an unreadable colour changes nothing
}

TEST(DessineHTML, ShadowIsABlackCopyOnePixelRightAndDown) {
  RasterCanvas c(300, 60), ref(300, 60);
  DessineHTML(c, X0, Y0, 250, "<FONT COLOR=#FF0000><O>ab </O>c", clWhite);
  Put(ref, X0 + 1, Y0 + 1, "ab ");
  Put(ref, X0, Y0, "ab ", Txt(10, 0, 0x0000FF));
  Put(ref, X0 + Wd("ab "), Y0, "c", Txt(10, 0, 0x0000FF));
  EXPECT_TRUE(SamePixels(c, ref));
}

TEST(DessineHTML, CanvasStateIsRestoredOnANormalReturn) {
  RasterCanvas c(300, 80);
  Font f = Txt(12, fsItalic, 0x123456);
  f.Name = "Arial";
  c.SetFont(f);
  c.SetBrush({0x00FF00, BrushStyle::Solid});
  c.SetPen({0xFF0000, PenStyle::Clear, 3});
  DessineHTML(c, X0, Y0, 100, "<B><FONT COLOR=#00FF00 SIZE=20>x <S>y <P ALIGN=RIGHT>z<HR>wrap wrap wrap", clWhite);
  EXPECT_EQ(c.GetFont(), f);
  EXPECT_EQ(c.GetBrush(), (Brush{0x00FF00, BrushStyle::Solid}));
  EXPECT_EQ(c.GetPen(), (Pen{0xFF0000, PenStyle::Clear, 3}));
}

TEST(DessineHTML, MalformedNumbersStopTheDrawingThere) {
  for (const char* text :
       {"a <H>b", "<FONT SIZE=x>", "<FONT COLOR=#GG>", "&#65 x<P>", "<TEXTAREA ROWS=a>", "<INPUT SIZE=\"\">"}) {
    RasterCanvas c(300, 60);
    EXPECT_THROW(DessineHTML(c, X0, Y0, 200, text, clWhite), EConvertError) << text;
  }
  // The canvas keeps the renderer's settings of that moment.
  RasterCanvas c(300, 60);
  EXPECT_THROW(DessineHTML(c, X0, Y0, 200, "<U>a <H>", clWhite), EConvertError);
  EXPECT_EQ(c.GetFont().Name, "Tahoma");
  EXPECT_EQ(c.GetFont().Style, fsUnderline);
}

// Records what the items seam receives.
struct Recorder : HTMLItems {
  std::vector<std::string> seen;
  void Image(MiseEnPage& s, const BaliseImage& t) override {
    seen.push_back("img " + t.Src + " " + (t.AvecLargeur ? t.Largeur : "-"));
    s.PenX += 50;
    s.HauteurLigne = std::max(s.HauteurLigne, 40);
  }
  void ZoneTexte(MiseEnPage&, const BaliseZoneTexte& t) override {
    seen.push_back("area " + t.Nom + " " + std::to_string(t.Lignes) + "x" + std::to_string(t.Colonnes) + " [" +
                   t.Texte + "]");
  }
  void Saisie(MiseEnPage&, const BaliseSaisie& t) override {
    seen.push_back("input " + t.Type + " " + t.Nom + " " + t.Valeur + " " + std::to_string(t.Taille) +
                   (t.Coche ? " checked" : ""));
  }
};

TEST(DessineHTML, PicturesAndFormFieldsGoThroughTheItemsSeam) {
  RasterCanvas c(400, 100);
  Recorder r;
  int y = DessineHTML(c, X0, Y0, 350,
                      "<IMG SRC=\"a.jpg\" WIDTH=50%>x<IMG SRC=\"b.jpg\"><TEXTAREA NAME=\"t\" ROWS=2 COLS=10>abc "
                      "def</textarea><INPUT TYPE=checkbox CHECKED NAME=\"n\" VALUE=\"v\" SIZE=5>",
                      clWhite, r);
  EXPECT_EQ(r.seen, (std::vector<std::string>{"img a.jpg 50%", "img b.jpg -", "area t 2x10 [abc def]",
                                              "input checkbox n v 5 checked"}));
  EXPECT_EQ(y, Y0 + 40);
  // The text area's text is not read as markup; its closing tag is shown.
  RasterCanvas plain(400, 100);
  DessineHTML(plain, X0, Y0, 350, "<TEXTAREA>abc</TEXTAREA>", clWhite);
  EXPECT_GT(InkColumns(plain, 0, 100).first, 0);
  RasterCanvas ref(400, 100);
  DessineHTML(ref, X0, Y0, 350, "</TEXTAREA>", clWhite);
  EXPECT_TRUE(SamePixels(plain, ref));
}

}  // namespace

namespace {

TEST(DessineHTML, FontSizesHeadingsAndTagsWithoutEffect) {
  RasterCanvas c(300, 80);
  EXPECT_EQ(DessineHTML(c, X0, Y0, 250, "<FONT SIZE=3>x", clWhite), Y0 + RasterCanvas::CellHeight(Txt(12)));
  EXPECT_EQ(DessineHTML(c, X0, Y0, 250, "<FONT SIZE=8>x", clWhite), Y0 + RasterCanvas::CellHeight(Txt(8)));
  EXPECT_EQ(DessineHTML(c, X0, Y0, 250, "<FONT SIZE=7>x", clWhite), Y0 + RasterCanvas::CellHeight(Txt(28)));
  EXPECT_EQ(DessineHTML(c, X0, Y0, 250, "<H1>x", clWhite), Y0 + RasterCanvas::CellHeight(Txt(16, fsBold)));
  EXPECT_EQ(DessineHTML(c, X0, Y0, 250, "<H3>x", clWhite), Y0 + RasterCanvas::CellHeight(Txt(8, fsBold)));

  // Closing tags on an empty stack, HTML and HEAD: nothing drawn, nothing changed.
  RasterCanvas a(300, 40), ref(300, 40);
  DessineHTML(a, X0, Y0, 250, "<HTML><HEAD></HEAD></FONT></A></H1>a  b<B >c</HTML>", clWhite);
  Put(ref, X0, Y0, "a  b");
  Put(ref, X0 + Wd("a  b") + 1, Y0, "c", Txt(11, fsBold));
  EXPECT_TRUE(SamePixels(a, ref));
}

}  // namespace

// Positions and sizes stay integers: a text that would push one past the
// range raises ERangeError instead of wrapping round to a wrong picture.
TEST(DessineHTML, PositionsAndSizesPastTheIntegerRangeRaiseRangeError) {
  RasterCanvas c(60, 20);
  // The last line may end exactly at the top of the range.
  EXPECT_EQ(DessineHTML(c, 0, INT_MAX - Line, 50, "a", clWhite), INT_MAX);
  EXPECT_THROW(DessineHTML(c, 0, INT_MAX - Line, 50, "a<P>b", clWhite), ERangeError);
  EXPECT_EQ(DessineHTML(c, 0, INT_MAX - 3 * Line, 50, "a<HR>b", clWhite), INT_MAX);
  EXPECT_THROW(DessineHTML(c, 0, INT_MAX - 3 * Line + 1, 50, "a<HR>b", clWhite), ERangeError);
  EXPECT_THROW(DessineHTML(c, 0, INT_MAX - Line, 5, "abc def ghi", clWhite), ERangeError);  // the tail wraps
  // The right limit X + Width, the pen and the margins.
  EXPECT_NO_THROW(DessineHTML(c, INT_MAX - 10, 0, 10, "", clWhite));
  EXPECT_THROW(DessineHTML(c, INT_MAX - 10, 0, 11, "", clWhite), ERangeError);
  EXPECT_THROW(DessineHTML(c, INT_MAX - 5, 0, 0, "Wwwww <B>", clWhite), ERangeError);
  EXPECT_THROW(DessineHTML(c, INT_MAX - 40, 0, 0, "<BLOCKQUOTE><BLOCKQUOTE>", clWhite), ERangeError);
  EXPECT_THROW(DessineHTML(c, INT_MIN + 40, 0, 0, "</DIR></DIR>", clWhite), ERangeError);
  EXPECT_THROW(DessineHTML(c, INT_MIN, 0, 100, "<I>", clWhite), ERangeError);
  // Font sizes: SIZE=n below 8 is n x 4 points, bold may add one.
  EXPECT_NO_THROW(DessineHTML(c, 0, 0, 50, "<FONT SIZE=-536870912>x", clWhite));
  EXPECT_THROW(DessineHTML(c, 0, 0, 50, "<FONT SIZE=-536870913>x", clWhite), ERangeError);
  EXPECT_THROW(DessineHTML(c, 0, 0, 50, "<FONT SIZE=2147483647><B>x", clWhite), ERangeError);
}

TEST(DessineHTML, AHugeFontAndManyRulesEndWithRangeError) {
  // Each "x<HR>" moves down by twice the height of a 100000-point "x".
  RasterCanvas c(60, 20);
  const int step = 2 * RasterCanvas::CellHeight(Txt(100000));
  std::string text = "<FONT SIZE=100000>";
  for (int i = 0; i < 1000; ++i) text += "x<HR>";
  EXPECT_EQ(DessineHTML(c, 0, 0, 50, text, clWhite), 1000 * step + Default);
  EXPECT_THROW(DessineHTML(c, 0, INT_MAX - 999 * step, 50, text, clWhite), ERangeError);
}
