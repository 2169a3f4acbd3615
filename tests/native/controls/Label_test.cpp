// The plain label on the raster canvas: how it fits its text, keeps its edges,
// breaks and wraps lines, and where it paints them.
#include <gtest/gtest.h>

#include "controls/Label.h"
#include "draw/RasterCanvas.h"
#include "support/FakeControlParent.h"

namespace {

// The measures the parent's canvas gives for the parent's font.
struct Measure {
  RasterCanvas c{1, 1};
  explicit Measure(const Font& f) { c.SetFont(f); }
  int W(std::string_view s) { return c.TextWidth(s); }
  int H() { return c.TextHeight("W"); }
};

// The leftmost and rightmost inked columns and the lowest inked row of the
// canvas, in the colour ink; -1 when none.
struct Ink {
  int left = -1, right = -1, bottom = -1;
};
Ink InkOf(RasterCanvas& c, Colour ink) {
  Ink r;
  for (int y = 0; y < c.Height(); ++y)
    for (int x = 0; x < c.Width(); ++x)
      if (c.GetPixel(x, y) == ink) {
        if (r.left < 0 || x < r.left) r.left = x;
        r.right = std::max(r.right, x);
        r.bottom = y;
      }
  return r;
}

}  // namespace

TEST(Label, AutoSizeFitsTheTextAndARightAlignedLabelKeepsItsRightEdge) {
  FakeControlParent p;
  Measure m(p.font);
  Label l;
  l.SetBounds(100, 10, 5, 5);
  l.SetParent(&p);
  l.SetCaption("Restante :");
  EXPECT_EQ(l.BoundsRect(), (Rect{100, 10, 100 + m.W("Restante :"), 10 + m.H()}));

  l.SetAlignment(Alignment::RightJustify);
  const int right = l.BoundsRect().right;
  l.SetCaption("?");
  EXPECT_EQ(l.BoundsRect(), (Rect{right - m.W("?"), 10, right, 10 + m.H()}));
  l.SetCaption("");
  EXPECT_EQ(l.Height(), m.H()) << "an empty caption keeps one line";
  EXPECT_EQ(l.BoundsRect().right, right);

  l.SetAlignment(Alignment::LeftJustify);
  l.SetCaption("abc");
  const int left = l.Left();
  l.SetCaption("abcdefgh");
  EXPECT_EQ(l.Left(), left) << "a left-aligned label keeps its left edge";
  EXPECT_EQ(l.Width(), m.W("abcdefgh"));
}

TEST(Label, WithoutAutoSizeItKeepsItsBoundsAndAFontChangeRefitsIt) {
  FakeControlParent p;
  Label l;
  l.SetParent(&p);
  l.SetAutoSize(false);
  l.SetBounds(0, 0, 20, 7);
  l.SetCaption("un texte bien plus large que vingt");
  EXPECT_EQ(l.BoundsRect(), (Rect{0, 0, 20, 7}));

  Label f;
  f.SetParent(&p);
  f.SetCaption("Totale :");
  const int before = f.Width();
  Font big = p.font;
  big.Size = 20;
  f.SetFont(big);
  Measure m(big);
  EXPECT_GT(f.Width(), before);
  EXPECT_EQ(f.Width(), m.W("Totale :"));
  EXPECT_EQ(f.Height(), m.H());
}

TEST(Label, LinesBreakAtReturnsAndWrapAtSpaces) {
  RasterCanvas c(1, 1);
  c.SetFont(Font{"Tahoma", 10});
  auto texts = [](const std::vector<LabelLine>& lines) {
    std::vector<std::string> r;
    for (const LabelLine& l : lines) r.push_back(l.Text);
    return r;
  };
  using V = std::vector<std::string>;
  EXPECT_EQ(texts(LabelLines(c, "", false, 100)), V{""});
  EXPECT_EQ(texts(LabelLines(c, "\ra\r\nb\nc\r", false, 100)), (V{"", "a", "b", "c"}));
  EXPECT_EQ(texts(LabelLines(c, "a\r\rb", true, 100)), (V{"a", "", "b"}));

  // Room for "aaa bb" but not for "aaa bb cc": whole words move, the spaces at
  // the break are dropped.
  const int room = c.TextWidth("aaa bb");
  EXPECT_EQ(texts(LabelLines(c, "aaa bb  cc", true, room)), (V{"aaa bb", "cc"}));
  // A word wider than the line stands alone and is not cut.
  EXPECT_EQ(texts(LabelLines(c, "x motbienlong y", true, c.TextWidth("x y"))), (V{"x", "motbienlong", "y"}));
  // Without wrap a line may pass the width.
  EXPECT_EQ(texts(LabelLines(c, "aaa bb cc", false, room)), V{"aaa bb cc"});

  // The accelerator's underline follows its character onto its line.
  std::vector<LabelLine> lines = LabelLines(c, "Un\r&Deux && trois", false, 100);
  EXPECT_EQ(lines, (std::vector<LabelLine>{{"Un", -1}, {"Deux & trois", 0}}));
}

TEST(Label, AWrappingLabelKeepsItsWidthAndGrowsInHeight) {
  FakeControlParent p;
  Measure m(p.font);
  Label l;
  l.SetParent(&p);
  l.SetWordWrap(true);
  l.SetAutoSize(false);
  // Room for "long pour" (and "un texte", which is narrower) but not for
  // "assez long": the lines are "un texte", "assez", "long pour", "passer".
  ASSERT_GT(m.W("assez long"), m.W("long pour"));
  ASSERT_LT(m.W("un texte"), m.W("long pour"));
  l.SetBounds(0, 0, m.W("long pour"), 5);
  l.SetAutoSize(true);
  l.SetCaption("un texte assez long pour passer");
  EXPECT_EQ(l.Width(), m.W("long pour"));
  EXPECT_EQ(l.Height(), 4 * m.H());
}

TEST(Label, PaintsItsLinesAlignedAndLaidOutInItsBox) {
  FakeControlParent p;
  p.font.Color = clBlack;
  Measure m(p.font);
  for (Alignment a : {Alignment::LeftJustify, Alignment::Center, Alignment::RightJustify})
    for (TextLayout t : {TextLayout::Top, TextLayout::Center, TextLayout::Bottom}) {
      Label l;
      l.SetParent(&p);
      l.SetAutoSize(false);
      l.SetBounds(0, 0, 120, 60);
      l.SetAlignment(a);
      l.SetLayout(t);
      l.SetColor(0x00FFFF);
      l.SetCaption("ab");
      RasterCanvas c(120, 60, clWhite);
      c.SetFont(p.font);
      l.Paint(c);
      EXPECT_EQ(c.GetPixel(0, 0), 0x00FFFFu) << "an opaque label fills its box";
      Ink ink = InkOf(c, clBlack);
      ASSERT_GE(ink.left, 0);
      const int w = m.W("ab"), h = m.H();
      const int x = a == Alignment::LeftJustify ? 0 : a == Alignment::Center ? (120 - w) / 2 : 120 - w;
      const int y = t == TextLayout::Top ? 0 : t == TextLayout::Center ? (60 - h) / 2 : 60 - h;
      EXPECT_GE(ink.left, x);
      EXPECT_LE(ink.right, x + w - 1);
      EXPECT_GE(ink.bottom, y);
      EXPECT_LT(ink.bottom, y + h);
    }

  Label t;
  t.SetParent(&p);
  t.SetTransparent(true);
  t.SetCaption("ab");
  RasterCanvas c(t.Width(), t.Height(), 0x123456);
  c.SetFont(p.font);
  t.Paint(c);
  EXPECT_EQ(c.GetPixel(0, 0), 0x123456u) << "a transparent label leaves the surface under it";
}
