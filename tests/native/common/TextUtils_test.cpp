// Accent-folding upper case: the one comparison of the system that ignores case.
#include <gtest/gtest.h>

#include "common/TextUtils.h"

TEST(MajusculesSansAccents, FoldsOnlyTheFrenchLowerCaseAccents) {
  EXPECT_EQ(MajusculesSansAccents("abc xyz"), "ABC XYZ");
  EXPECT_EQ(MajusculesSansAccents("àâäçèéêëîïôöùûü"), "AAACEEEEIIOOUUU");
  // Accented capitals and the other accented letters stay as they are.
  EXPECT_EQ(MajusculesSansAccents("ÀÉÇáñÿ"), "ÀÉÇáñÿ");
  EXPECT_EQ(MajusculesSansAccents(""), "");
}

TEST(RemplaceTout, FoldedOrExactComparisonReplacesEveryOccurrence) {
  std::string t = "a#13b#13";
  EXPECT_EQ(RemplaceTout("#13", "\r", t, false), 2);
  EXPECT_EQ(t, "a\rb\r");

  t = "ABC abc Abc";
  EXPECT_EQ(RemplaceTout("abc", "X", t, false), 3);
  EXPECT_EQ(t, "X X X");
  t = "ABC abc Abc";
  EXPECT_EQ(RemplaceTout("abc", "X", t, true), 1);
  EXPECT_EQ(t, "ABC X Abc");

  // Accents fold on the lower-case side only; the replacement is not folded.
  t = "été";
  EXPECT_EQ(RemplaceTout("ete", "x", t, false), 1);
  EXPECT_EQ(t, "x");
  t = "ÉTÉ";
  EXPECT_EQ(RemplaceTout("ETE", "x", t, false), 0);
  EXPECT_EQ(t, "ÉTÉ");
  t = "<p>";
  EXPECT_EQ(RemplaceTout("<P>", "<br>", t, false), 1);
  EXPECT_EQ(t, "<br>");
}

TEST(RemplaceTout, MatchesDoNotOverlapNorRepeatThroughTheReplacement) {
  std::string t = "aaa";
  EXPECT_EQ(RemplaceTout("aa", "b", t, true), 1);
  EXPECT_EQ(t, "ba");
  t = "aaa";
  EXPECT_EQ(RemplaceTout("a", "aa", t, true), 3);
  EXPECT_EQ(t, "aaaaaa");
  t = "abc";
  EXPECT_EQ(RemplaceTout("", "x", t, true), 0);
  EXPECT_EQ(t, "abc");
}

TEST(RemplaceTout, BytesThatLookLikeMarkersAreReplacedToo) {
  std::string t =
      "a\x01"
      "b\x01";
  EXPECT_EQ(RemplaceTout("zz", "y", t, true), 2);
  EXPECT_EQ(t, "ayby");
}

TEST(RemplaceTout, PatternAndReplacementAreShortStrings) {
  std::string longer(300, 'n');
  std::string t = "<" + longer + ">";
  EXPECT_EQ(RemplaceTout(longer, "x", t, true), 1);
  // Only the first 255 bytes of the pattern are looked for.
  EXPECT_EQ(t, "<x" + std::string(45, 'n') + ">");
  t = "a";
  RemplaceTout("a", longer, t, true);
  EXPECT_EQ(t.size(), 255u);
}

TEST(RemplaceToutCourt, InsertionsPushMarkersPastTheCapacity) {
  ShortString s("aaaaaaaaaa", 10);
  EXPECT_EQ(RemplaceToutCourt("a", "bb", s, true), 5);
  EXPECT_EQ(s.str(), "bbbbbbbbbb");

  ShortString room("xax", 255);
  EXPECT_EQ(RemplaceToutCourt("A", "bb", room, false), 1);
  EXPECT_EQ(room.str(), "xbbx");
  EXPECT_EQ(RemplaceToutCourt("A", "bb", room, true), 0);
}

TEST(RemplaceToutCourt, ShrinkingReplacementsWithinTheCapacity) {
  ShortString tag("< <B > >", 255);
  while (RemplaceToutCourt("< ", "<", tag, false) > 0) {
  }
  while (RemplaceToutCourt(" >", ">", tag, false) > 0) {
  }
  EXPECT_EQ(tag.str(), "<<B>>");

  // Even a shrinking replacement loses the last byte of a full string: the
  // first marker pushes it out before the pattern is deleted.
  ShortString full(std::string(255, 'e'), 255);
  EXPECT_EQ(RemplaceToutCourt("ee", "E", full, true), 127);
  EXPECT_EQ(full.str(), std::string(127, 'E'));
}

TEST(EnMinuscules, LowersOnlyAsciiCapitals) {
  EXPECT_EQ(EnMinuscules("ÀB"), "Àb");
  EXPECT_EQ(EnMinuscules("CheckBox 1"), "checkbox 1");
}

TEST(OteEspaces, TrimsSpacesOnlyAtBothEnds) {
  std::string t = "  a b  ";
  OteEspaces(t);
  EXPECT_EQ(t, "a b");
  t = "    ";
  OteEspaces(t);
  EXPECT_EQ(t, "");
  ShortString s(" \tx\r ", 255);
  OteEspaces(s);
  EXPECT_EQ(s.str(), "\tx\r");
  EXPECT_EQ(SansEspaces("  #FF  "), "#FF");
  EXPECT_EQ(SansEspaces(""), "");
}

TEST(RemplaceToutCourt, AMarkerByteInTheReplacementDoesNotLoop) {
  // "&#1;" decodes to the marker byte itself; each position is replaced once.
  ShortString s("a&#1;b&#1;", 255);
  EXPECT_EQ(RemplaceToutCourt("&#1;", "\x01", s, true), 2);
  EXPECT_EQ(s.str(),
            "a\x01"
            "b\x01");
  std::string t = "x\x01y";
  EXPECT_EQ(RemplaceTout("\x01", "\x01\x01", t, true), 1);
  EXPECT_EQ(t, "x\x01\x01y");
}
