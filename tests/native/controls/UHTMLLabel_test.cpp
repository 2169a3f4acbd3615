// The markup label: what a caption change repaints and widens, and the height
// its painting sets, on the raster canvas.
#include <gtest/gtest.h>

#include "common/Errors.h"
#include "controls/UHTMLLabel.h"
#include "draw/RasterCanvas.h"
#include "markup/DessineHTML.h"
#include "support/FakeControlParent.h"

TEST(THTMLLabel, SettingTheSameCaptionTwiceRepaintsOnce) {
  FakeControlParent p;
  THTMLLabel l;
  l.SetParent(&p);
  l.SetBounds(0, 0, 200, 20);
  p.invalidated.clear();
  l.SetCaption("Bonjour");
  l.SetCaption("Bonjour");
  EXPECT_EQ(p.invalidated.size(), 1u);
  EXPECT_EQ(l.Caption(), "Bonjour");
}

TEST(THTMLLabel, ANarrowLabelBecomes50Wide) {
  THTMLLabel l;
  l.SetBounds(3, 4, 20, 10);
  l.SetCaption("a");
  EXPECT_EQ(l.BoundsRect(), (Rect{3, 4, 53, 14}));
  l.SetWidth(200);
  l.SetCaption("b");
  EXPECT_EQ(l.Width(), 200);
  l.SetWidth(10);
  l.SetCaption("b");  // unchanged: not even widened
  EXPECT_EQ(l.Width(), 10);
}

TEST(THTMLLabel, AutoSizeTakesTheHeightOfTheText) {
  const std::string text = "Une ligne<P>Une autre ligne<P><B>et la derni\xE8re</B>";
  RasterCanvas ref(200, 200);
  int attendu = DessineHTML(ref, 1, 1, 150, text, clWhite);
  THTMLLabel l;
  l.SetBounds(0, 0, 150, 10);
  l.SetCaption(text);
  RasterCanvas c(200, 200);
  l.Paint(c);
  EXPECT_EQ(l.Height(), 10);  // AutoSize off: kept
  l.SetAutoSize(true);
  l.Paint(c);
  EXPECT_EQ(l.Height(), attendu);
  EXPECT_GT(attendu, 30);
  EXPECT_EQ(c.Pixels(), ref.Pixels());  // drawn at (1, 1), as wide as the label
  l.SetCaption("");
  l.Paint(c);
  RasterCanvas vide(10, 10);
  EXPECT_EQ(l.Height(), DessineHTML(vide, 1, 1, 150, "", clWhite));
  EXPECT_GT(l.Height(), 1);
}

TEST(THTMLLabel, PaintsNoBackground) {
  THTMLLabel l;
  l.SetBounds(0, 0, 100, 40);
  l.SetCaption("a");
  RasterCanvas c(100, 40, 0x0000FF);
  l.Paint(c);
  EXPECT_EQ(c.GetPixel(90, 35), Colour{0x0000FF});
  EXPECT_EQ(c.GetPixel(0, 0), Colour{0x0000FF});
}

TEST(THTMLLabel, AMarkupErrorLeavesTheHeightAlone) {
  THTMLLabel l;
  l.SetBounds(0, 0, 100, 7);
  l.SetAutoSize(true);
  l.SetCaption("<FONT SIZE=x>texte</FONT>");
  RasterCanvas c(100, 40);
  EXPECT_THROW(l.Paint(c), EConvertError);
  EXPECT_EQ(l.Height(), 7);
}

// Records the items it is asked to place and gives each a 30-pixel line.
struct Trente : HTMLItems {
  int images = 0;
  void Image(MiseEnPage& s, const BaliseImage&) override {
    ++images;
    s.HauteurLigne = std::max(s.HauteurLigne, 30);
  }
};

TEST(THTMLLabel, PicturesAndFieldsAreDrawnByTheItemsItIsGiven) {
  THTMLLabel l;
  l.SetBounds(0, 0, 100, 7);
  l.SetAutoSize(true);
  l.SetCaption("<IMG SRC=\"a.jpg\">");
  RasterCanvas c(100, 40);
  l.Paint(c);
  EXPECT_EQ(l.Height(), 1 + c.TextHeight("W"));  // none given: the tag draws nothing
  Trente t;
  l.SetElements(&t);
  EXPECT_EQ(l.Elements(), &t);
  l.Paint(c);
  EXPECT_EQ(t.images, 1);
  EXPECT_EQ(l.Height(), 1 + 30);
}
