// The message box's rules: caption lists, accelerator letters, glyph names,
// button rows, the client height, the message's line breaks and the answers.
#include <gtest/gtest.h>

#include "dialogs/UBM.h"

using namespace ubm;

namespace {
std::vector<std::string> Texts(const std::vector<ShortString>& v) {
  std::vector<std::string> r;
  for (const ShortString& s : v) r.push_back(s.str());
  return r;
}
using V = std::vector<std::string>;
constexpr int Outer = 487;  // the designed 481 client width and a 3-pixel frame
}  // namespace

TEST(UBM, CaptionListsSkipEmptyItems) {
  EXPECT_EQ(Texts(Legendes("Oui#13Non")), (V{"Oui", "Non"}));
  EXPECT_EQ(Texts(Legendes("Ok")), (V{"Ok"}));
  EXPECT_EQ(Texts(Legendes("Annuler#13#13Ok")), (V{"Annuler", "Ok"}));
  EXPECT_EQ(Texts(Legendes("Annuler#13 #13Ok")), (V{"Annuler", "Ok"}));
  EXPECT_EQ(Texts(Legendes("Oui#13")), (V{"Oui"}));
  EXPECT_EQ(Texts(Legendes("Oui\rNon\r")), (V{"Oui", "Non"}));
  EXPECT_EQ(Texts(Legendes("  Oui  \r\tNon ")), (V{"Oui", "\tNon"}));  // spaces only
  EXPECT_TRUE(Legendes("").empty());
  EXPECT_TRUE(Legendes("#13\r#13").empty());
}

TEST(UBM, LongCaptionsAreCutTo255) {
  std::string longue(300, 'a');
  auto l = Legendes(longue + "#13b");
  ASSERT_EQ(l.size(), 2u);
  EXPECT_EQ(l[0].size(), 255u);
  ShortString c = l[0];
  EXPECT_EQ(ToucheDe(c), 'A');
  EXPECT_EQ(c.size(), 255u);  // "&" in front, the last "a" pushed out
  EXPECT_EQ(c.str().substr(0, 2), "&a");
}

TEST(UBM, AcceleratorLettersAndCaptions) {
  ShortString c("Oui");
  EXPECT_EQ(ToucheDe(c), 'O');
  EXPECT_EQ(c.str(), "&Oui");
  c = "E&xit";
  EXPECT_EQ(ToucheDe(c), 'X');
  EXPECT_EQ(c.str(), "E&xit");
  c = "&a&b";  // the first "&" decides for Touches
  EXPECT_EQ(ToucheDe(c), 'A');
  c = "\xE9t\xE9";  // "été": only a-z are upper-cased
  EXPECT_EQ(ToucheDe(c), '\xE9');
  c = "Ok&";
  EXPECT_EQ(ToucheDe(c), 0);
  EXPECT_EQ(c.str(), "Ok&");
}

TEST(UBM, OuiNonMakesTwoButtonsOnOneRow) {
  DispositionBM d = Dispose("Oui#13Non", 40, Outer);
  ASSERT_EQ(d.Boutons.size(), 2u);
  EXPECT_EQ(d.Boutons[0].Caption.str(), "&Oui");
  EXPECT_EQ(d.Boutons[0].Name, "B1");
  EXPECT_EQ(d.Boutons[0].Bounds, (Rect{20, 55, 155, 82}));
  EXPECT_EQ(d.Boutons[0].Glyphe, "Oui.BMP");
  EXPECT_EQ(d.Boutons[1].Caption.str(), "&Non");
  EXPECT_EQ(d.Boutons[1].Name, "B2");
  EXPECT_EQ(d.Boutons[1].Bounds, (Rect{160, 55, 295, 82}));
  EXPECT_EQ(d.Touches.str(), "ON");
  EXPECT_EQ(d.ClientHeight, 40 + 52);
}

TEST(UBM, EmptyItemsDoNotAdvanceNumbersOrPlaces) {
  DispositionBM d = Dispose("Annuler#13 #13Ok", 10, Outer);
  ASSERT_EQ(d.Boutons.size(), 2u);
  EXPECT_EQ(d.Boutons[1].Name, "B2");
  EXPECT_EQ(d.Boutons[1].Bounds.left, 160);
  EXPECT_EQ(d.Touches.str(), "AO");
  d = Dispose("", 10, Outer);
  EXPECT_TRUE(d.Boutons.empty());
  EXPECT_EQ(d.Touches.str(), "");
  EXPECT_EQ(d.ClientHeight, 10 + 52);
}

TEST(UBM, FourButtonsMakeTwoRows) {
  DispositionBM d = Dispose("Un#13Deux#13Trois#13Quatre", 30, Outer);
  ASSERT_EQ(d.Boutons.size(), 4u);
  EXPECT_EQ(d.Boutons[0].Bounds.left, 20);
  EXPECT_EQ(d.Boutons[1].Bounds.left, 160);
  EXPECT_EQ(d.Boutons[2].Bounds.left, 300);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(d.Boutons[i].Bounds.top, 45);
  EXPECT_EQ(d.Boutons[3].Bounds, (Rect{20, 75, 155, 102}));
  EXPECT_EQ(d.ClientHeight, 75 + 37);
  EXPECT_EQ(d.Touches.str(), "UDTQ");
  // The row breaks on the outer width: 445 - 145 = 300 still fits a third.
  EXPECT_EQ(Dispose("a#13b#13c", 0, 445).Boutons[2].Bounds.top, 15);
  EXPECT_EQ(Dispose("a#13b#13c", 0, 444).Boutons[2].Bounds.top, 45);
}

TEST(UBM, TouchesStaysAlignedWithButtonNumbers) {
  DispositionBM d = Dispose("Ok&#13E&xit#13&", 0, Outer);
  ASSERT_EQ(d.Boutons.size(), 3u);
  ASSERT_EQ(d.Touches.size(), 3u);
  EXPECT_EQ(d.Touches[1], 'X');
  EXPECT_EQ(d.Boutons[1].Glyphe, "Exit.BMP");
  EXPECT_EQ(d.Boutons[2].Glyphe, ".BMP");
  EXPECT_EQ(ReponseTouche(d.Touches, 'x'), 2);
  EXPECT_EQ(ReponseTouche(d.Touches, 0), 0);  // no key answers the placeholder
}

TEST(UBM, Beyond255ButtonsNoMoreLetters) {
  std::string liste;
  for (int i = 0; i < 300; ++i) liste += "b#13";
  DispositionBM d = Dispose(liste, 0, Outer);
  EXPECT_EQ(d.Boutons.size(), 300u);
  EXPECT_EQ(d.Touches.size(), 255u);
  EXPECT_EQ(d.Boutons.back().Name, "B300");
}

TEST(UBM, MessageLineBreaksBecomeParagraphs) {
  EXPECT_EQ(TexteDuMessage("Une ligne#13Une autre"), "Une ligne<P>Une autre");
  EXPECT_EQ(TexteDuMessage("Une ligne\rUne autre\r"), "Une ligne<P>Une autre<P>");
  EXPECT_EQ(TexteDuMessage("<B>Sans</B>"), "<B>Sans</B>");
}

TEST(UBM, Answers) {
  ShortString t("ON");
  EXPECT_EQ(ReponseTouche(t, 'n'), 2);
  EXPECT_EQ(ReponseTouche(t, 'N'), 2);
  EXPECT_EQ(ReponseTouche(t, 'o'), 1);
  EXPECT_EQ(ReponseTouche(t, 'x'), 0);
  EXPECT_EQ(ReponseTouche(ShortString("O"), 'N'), 0);
  EXPECT_EQ(ReponseTouche(ShortString("OO"), 'o'), 1);
  EXPECT_EQ(ReponseToucheBas(13), 1);
  EXPECT_EQ(ReponseToucheBas(27), 0);
  EXPECT_EQ(ReponseToucheBas('N'), std::nullopt);
  EXPECT_EQ(NumeroDuBouton("B1"), 1);
  EXPECT_EQ(NumeroDuBouton("B12"), 12);
  EXPECT_EQ(NumeroDuBouton("LeMessage"), 0);
  EXPECT_EQ(NumeroDuBouton("B"), 0);
  EXPECT_EQ(NumeroDuBouton("B1x"), 0);
}
