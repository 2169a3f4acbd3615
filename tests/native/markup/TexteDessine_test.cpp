// The text a drawing of DessineHTML shows, read from the drawing on a
// canvas that only measures.
#include <gtest/gtest.h>

#include "draw/RasterCanvas.h"
#include "markup/DessineHTML.h"
#include "markup/TexteDessine.h"

TEST(TexteDessine, LinesAsDrawnRulesAndDrawingsCutShortByAnError) {
  struct Cas {
    const char* texte;
    const char* lu;
  };
  for (Cas k : {Cas{"a<HR>b<P><P>", "a\r\n\r\nb\r\n\r\n\r\n"},  // a rule is a line and its band another
                Cas{"a\tb<P>", "a b\r\n\r\n"}, Cas{"Avant<P>milieu <FONT SIZE=x>apr&egrave;s", "Avant\r\nmilieu\r\n"},
                Cas{"", "\r\n"}}) {
    RasterCanvas mesure(1, 1);
    HTMLItems rien;
    EXPECT_EQ(TexteDessine(mesure, 1, 1, 200, k.texte, clWhite, rien), k.lu) << k.texte;
  }
}

TEST(TexteDessine, DrawsNothingOnTheCanvasItMeasuresOn) {
  RasterCanvas mesure(120, 80);
  HTMLItems rien;
  const std::string texte = "<O>Une ombre</O> <P ALIGN=RIGHT>xx <B>Bran</B>noch<P><HR><S>fin";
  EXPECT_EQ(TexteDessine(mesure, 1, 1, 100, texte, clWhite, rien), "Une ombre\r\nxx\r\nBrannoch\r\n\r\n\r\nfin\r\n");
  EXPECT_EQ(mesure.Pixels(), RasterCanvas(120, 80).Pixels());
}
