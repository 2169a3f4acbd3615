// The progress window's texts after an update of its position, and its
// button's glyph.
#include <gtest/gtest.h>

#include <set>

#include "archive/Progression.h"

namespace {
// Seconds as the clock's difference gives them, in days.
double Secondes(double s) { return s / 86400; }
}  // namespace

TEST(TextesDeProgression, AtZeroTheTotalIsUnknownAndTheRemainingTimeIsTheElapsedOne) {
  TextesProgression t = TextesDeProgression(0, 0, Secondes(7));
  EXPECT_EQ(t.Label2, " 0% réalisé en 07s ");
  EXPECT_EQ(t.Totale, "???");
  EXPECT_EQ(t.Restante, "07s");
}

TEST(TextesDeProgression, HalfWayAfterTenSeconds) {
  TextesProgression t = TextesDeProgression(50, 50, Secondes(10));
  EXPECT_EQ(t.Label2, " 50% réalisé en 10s ");
  EXPECT_EQ(t.Totale, "20s");
  EXPECT_EQ(t.Restante, "10s");
}

TEST(TextesDeProgression, AtAHundredNothingRemainsAndTheTotalIsTheElapsedTime) {
  TextesProgression t = TextesDeProgression(100, 100, Secondes(75));
  EXPECT_EQ(t.Label2, " 100% réalisé en 01mn15s ");
  EXPECT_EQ(t.Totale, "01mn15s");
  EXPECT_EQ(t.Restante, "0s");
}

TEST(TextesDeProgression, TheLabelShowsTheBarsPositionAndTheEstimatesThePercentage) {
  // 25% after 30 s: 2 minutes in all, 1 mn 30 s to go.
  TextesProgression t = TextesDeProgression(25, 25, Secondes(30));
  EXPECT_EQ(t.Totale, "02mn");
  EXPECT_EQ(t.Restante, "01mn30s");
  // A percentage past the bar's range shows the bar's 100 and no time left.
  t = TextesDeProgression(150, 100, Secondes(30));
  EXPECT_EQ(t.Label2, " 100% réalisé en 30s ");
  EXPECT_EQ(t.Restante, "0s");
}

TEST(GlypheInterrompre, ARedCrossOnSilverWhoseCornerIsTheLeftOutColour) {
  Bitmap g = GlypheInterrompre();
  ASSERT_EQ(g.Width, 16);
  ASSERT_EQ(g.Height, 16);
  ASSERT_EQ(g.Pixels.size(), 256u);
  EXPECT_EQ(g.At(0, 0), 0xC0C0C0u);
  std::set<Colour> colours(g.Pixels.begin(), g.Pixels.end());
  EXPECT_EQ(colours, (std::set<Colour>{0xC0C0C0, 0x0000FF, 0xFFFFFF, 0x000080}));
  // The two strokes cross in the middle, in red.
  EXPECT_EQ(g.At(7, 7), 0x0000FFu);
  EXPECT_EQ(g.At(8, 8), 0x0000FFu);
  // Lit on the upper left of a stroke, shaded on its lower right.
  EXPECT_EQ(g.At(2, 2), 0xFFFFFFu);
  EXPECT_EQ(g.At(5, 3), 0x000080u);
}
