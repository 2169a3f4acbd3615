// Window-less controls: accelerators of "&" captions, mouse capture and click,
// anchors, and what a parent is told to repaint.
#include <gtest/gtest.h>

#include "controls/Accelerators.h"
#include "controls/GraphicControl.h"
#include "controls/ProgressBar.h"
#include "controls/SpeedButton.h"
#include "draw/RasterCanvas.h"
#include "support/FakeControlParent.h"

using FakeParent = FakeControlParent;

TEST(Accelerators, TheCharacterAfterTheLastSingleAmpersand) {
  EXPECT_EQ(AccelChar("&Oui"), 'O');
  EXPECT_EQ(AccelChar("E&xit"), 'x');
  EXPECT_EQ(AccelChar("&a&b"), 'b');
  EXPECT_EQ(AccelChar("Fish && &Chips"), 'C');
  EXPECT_EQ(AccelChar("a&&b"), 0);
  EXPECT_EQ(AccelChar("Ok&"), 0);
  EXPECT_EQ(AccelChar("Ok"), 0);
  EXPECT_EQ(AccelChar(""), 0);
  EXPECT_EQ(AccelChar("&&&x"), 'x');
}

TEST(Accelerators, ShownCaptionDropsMarkersAndPointsAtTheUnderline) {
  ShownCaption s = ShowCaption("E&xit");
  EXPECT_EQ(s.Text, "Exit");
  EXPECT_EQ(s.Underline, 1);
  s = ShowCaption("Fish && &Chips");
  EXPECT_EQ(s.Text, "Fish & Chips");
  EXPECT_EQ(s.Underline, 7);
  s = ShowCaption("Ok&");
  EXPECT_EQ(s.Text, "Ok");
  EXPECT_EQ(s.Underline, -1);
  EXPECT_EQ(UpCase('z'), 'Z');
  EXPECT_EQ(UpCase('\xE9'), '\xE9');  // é is not upper-cased
}

TEST(GraphicControl, JoinsAndLeavesItsParentAndTakesItsFont) {
  FakeParent p;
  {
    GraphicControl c;
    c.SetBounds(10, 20, 30, 40);
    c.SetParent(&p);
    ASSERT_EQ(p.controls.size(), 1u);
    EXPECT_EQ(p.invalidated.back(), (Rect{10, 20, 40, 60}));
    EXPECT_EQ(c.GetFont().Name, "Tahoma");
    c.SetFont(Font{"Arial", 8});
    EXPECT_EQ(c.GetFont().Name, "Arial");
    c.SetParentFont(true);
    EXPECT_EQ(c.GetFont().Name, "Tahoma");
  }
  EXPECT_TRUE(p.controls.empty());
}

TEST(GraphicControl, MovingRepaintsTheOldAndTheNewPlace) {
  FakeParent p;
  GraphicControl c;
  c.SetParent(&p);
  c.SetBounds(0, 0, 10, 10);
  p.invalidated.clear();
  c.SetBounds(5, 0, 10, 10);
  ASSERT_EQ(p.invalidated.size(), 2u);
  EXPECT_EQ(p.invalidated[0], (Rect{0, 0, 10, 10}));
  EXPECT_EQ(p.invalidated[1], (Rect{5, 0, 15, 10}));
  p.invalidated.clear();
  c.SetBounds(5, 0, 10, 10);
  EXPECT_TRUE(p.invalidated.empty());
}

TEST(GraphicControl, ClickOnlyWhenReleasedOverTheControlPressed) {
  GraphicControl c;
  c.SetBounds(0, 0, 100, 20);
  int clicks = 0;
  c.OnClick = [&](GraphicControl& s) {
    EXPECT_EQ(&s, &c);
    ++clicks;
  };
  c.MouseDown(MouseButton::Left, 5, 5);
  c.MouseUp(MouseButton::Left, 99, 19);
  EXPECT_EQ(clicks, 1);
  c.MouseDown(MouseButton::Left, 5, 5);
  c.MouseUp(MouseButton::Left, 100, 5);  // released outside: no click
  EXPECT_EQ(clicks, 1);
  c.MouseUp(MouseButton::Left, 5, 5);  // a release without a press
  EXPECT_EQ(clicks, 1);
  c.MouseDown(MouseButton::Right, 5, 5);
  c.MouseUp(MouseButton::Right, 5, 5);
  EXPECT_EQ(clicks, 1);
  c.SetEnabled(false);
  c.MouseDown(MouseButton::Left, 5, 5);
  c.MouseUp(MouseButton::Left, 5, 5);
  EXPECT_EQ(clicks, 1);
}

TEST(GraphicControl, AnchorsKeepTheDistanceToTheirEdges) {
  GraphicControl c;
  c.SetBounds(20, 100, 135, 27);
  c.SetAnchors(akLeft | akBottom);
  c.ParentResized(300, 50);
  EXPECT_EQ(c.BoundsRect(), (Rect{20, 150, 155, 177}));
  c.SetAnchors(akLeft | akTop | akRight);
  c.ParentResized(10, 10);
  EXPECT_EQ(c.BoundsRect(), (Rect{20, 150, 165, 177}));
  c.SetAnchors(akLeft | akTop);
  c.ParentResized(-40, -40);
  EXPECT_EQ(c.BoundsRect(), (Rect{20, 150, 165, 177}));
}

TEST(GraphicControl, AcceleratorFindsTheFirstVisibleEnabledButton) {
  FakeParent p;
  SpeedButton a, b, c;
  a.SetCaption("&Oui");
  b.SetCaption("&Non");
  c.SetCaption("&Nouveau");
  for (SpeedButton* s : {&a, &b, &c}) s->SetParent(&p);
  EXPECT_EQ(FindAccelerated(p.controls, 'n'), &b);
  EXPECT_EQ(FindAccelerated(p.controls, 'O'), &a);
  EXPECT_EQ(FindAccelerated(p.controls, 'x'), nullptr);
  EXPECT_EQ(FindAccelerated(p.controls, 0), nullptr);
  b.SetVisible(false);
  EXPECT_EQ(FindAccelerated(p.controls, 'N'), &c);
  c.SetEnabled(false);
  EXPECT_EQ(FindAccelerated(p.controls, 'N'), nullptr);
}

TEST(GraphicControl, ControlAtPrefersTheLastPainted) {
  FakeParent p;
  GraphicControl under, over;
  under.SetBounds(0, 0, 50, 50);
  over.SetBounds(40, 40, 50, 50);
  under.SetParent(&p);
  over.SetParent(&p);
  EXPECT_EQ(ControlAt(p.controls, 45, 45), &over);
  EXPECT_EQ(ControlAt(p.controls, 10, 10), &under);
  EXPECT_EQ(ControlAt(p.controls, 95, 95), nullptr);
  over.SetVisible(false);
  EXPECT_EQ(ControlAt(p.controls, 45, 45), &under);
}

TEST(SpeedButton, IsDownOnlyWhileHeldOverIt) {
  SpeedButton b;
  b.SetBounds(0, 0, 135, 27);
  int clicks = 0;
  b.OnClick = [&](GraphicControl&) { ++clicks; };
  b.MouseDown(MouseButton::Left, 3, 3);
  EXPECT_TRUE(b.Down());
  b.MouseMove(200, 3);
  EXPECT_FALSE(b.Down());
  b.MouseMove(10, 10);
  EXPECT_TRUE(b.Down());
  b.MouseUp(MouseButton::Left, 10, 10);
  EXPECT_FALSE(b.Down());
  EXPECT_EQ(clicks, 1);
  b.MouseMove(10, 10);  // hovering without a press does not push it
  EXPECT_FALSE(b.Down());
}

TEST(ProgressBar, KeepsItsPositionInRangeAndFillsInProportion) {
  ProgressBar p;
  p.SetBounds(0, 0, 102, 18);
  p.SetPosition(150);
  EXPECT_EQ(p.Position(), 100);
  p.SetPosition(-3);
  EXPECT_EQ(p.Position(), 0);
  p.SetPosition(50);
  RasterCanvas c(102, 18, clWhite);
  p.Paint(c);
  const Colour bar = RasterCanvas::Resolve(0xFF00000D);
  EXPECT_EQ(c.GetPixel(1, 9), bar);
  EXPECT_EQ(c.GetPixel(50, 9), bar);
  EXPECT_NE(c.GetPixel(51, 9), bar);
  EXPECT_NE(c.GetPixel(100, 9), bar);
  p.SetRange(10, 5);  // an empty range
  EXPECT_EQ(p.Max(), 10);
  EXPECT_EQ(p.Position(), 10);
}

TEST(SpeedButton, PaintsARaisedFaceTheGlyphWithoutItsBackgroundAndTheUnderline) {
  SpeedButton b;
  b.SetBounds(0, 0, 135, 27);
  b.SetFont(Font{"Tahoma", 10, clBlack});
  b.SetCaption("E&xit");
  Bitmap g{4, 4, std::vector<Colour>(16, 0x00FF00)};  // green: the bottom-left pixel, left out
  g.Pixels[5] = 0x0000FF;                             // (1, 1) red
  b.SetGlyph(g);
  RasterCanvas c(135, 27, clWhite);
  b.Paint(c);
  const Colour face = RasterCanvas::Resolve(clBtnFace);
  EXPECT_EQ(c.GetPixel(0, 0), RasterCanvas::Resolve(0xFF000014));
  EXPECT_EQ(c.GetPixel(134, 26), RasterCanvas::Resolve(0xFF000015));
  EXPECT_EQ(c.GetPixel(133, 25), RasterCanvas::Resolve(0xFF000010));
  // Glyph then 4 pixels then the text, the whole centred.
  Font f{"Tahoma", 10};
  int tw = 0;
  for (char ch : std::string("Exit")) tw += RasterCanvas::CharWidth(f, static_cast<unsigned char>(ch));
  int gx = (135 - (4 + 4 + tw)) / 2, gy = (27 - 4) / 2;
  EXPECT_EQ(c.GetPixel(gx + 1, gy + 1), Colour{0x0000FF});
  EXPECT_EQ(c.GetPixel(gx, gy), face);
  // The underline spans the "x" only.
  int th = RasterCanvas::CellHeight(f);
  int ty = (27 - th) / 2, ux = gx + 8 + RasterCanvas::CharWidth(f, 'E');
  int uw = RasterCanvas::CharWidth(f, 'x');
  EXPECT_EQ(c.GetPixel(ux, ty + th - 2), clBlack);
  EXPECT_EQ(c.GetPixel(ux + uw - 1, ty + th - 2), clBlack);
  EXPECT_EQ(c.GetPixel(ux - 2, ty + th - 2), face);
  EXPECT_EQ(c.GetPixel(ux + uw + 1, ty + th - 2), face);
}
