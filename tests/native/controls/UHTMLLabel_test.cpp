// The markup label: what a caption change repaints and widens, the height
// its painting sets, on the raster canvas, and the text it reads as.
#include <gtest/gtest.h>

#include "common/Errors.h"
#include "controls/UHTMLLabel.h"
#include "dialogs/UBM.h"
#include "draw/RasterCanvas.h"
#include "installer/Messages.h"
#include "markup/DessineHTML.h"
#include "markup/ElementsHTML.h"
#include "markup/LibJpeg.h"
#include "support/FabriqueJpeg.h"
#include "support/FakeControlParent.h"
#include "support/MemoryFileSystem.h"

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

// LeMessage as the message box sets it up, read as its painting draws it:
// Tahoma 10 pt on the raster font, 441 pixels wide.
TEST(THTMLLabel, ReadsAsTheTextItsPaintingDraws) {
  MemoryFileSystem fs;
  fs.AddFile("C:\\logo.jpg", EncodeJpeg(Uni(40, 21, clBlack)));
  DecodeurLibJpeg jpeg;
  FabriqueImagesRaster dessins;
  CacheImages images{fs, jpeg, dessins};
  ElementsHTML elements{images};
  FakeControlParent p;
  THTMLLabel l;
  l.SetParent(&p);
  l.SetBounds(ubm::MargeGauche, ubm::HautDuMessage, ubm::LargeurClient - 2 * ubm::MargeGauche, 13);
  l.SetElements(&elements);
  const std::pair<std::string, const char*> cas[] = {
      {installer::MiseAJourTerminee(),
       "La mise à jour de Brannoch.exe © corvanel\r\nest terminée\r\n\r\nVoulez-vous lancer\r\n"
       "Brannoch.exe tout de suite ?\r\n\r\n(Version du Vendredi 17/ 4/2009 18h38)\r\n"},
      {installer::RemplacementEchoue(),
       "La mise à jour de Brannoch.exe © corvanel a\r\néchoué\r\n\r\n"
       "La copie à échoué pour une raison inconnue\r\nTéléphonez au 04 72 00 00 00\r\n"},
      // References are decoded in words, not after the last tag.
      {"Pr&eacute;sentation &copy; 2009 &AMP; &amp;lt;C:&gt;#13&eacute;t&eacute;",
       "Présentation © 2009 &AMP; <C:>\r\n&eacute;t&eacute;\r\n"},
      {"Voir le tableau <TABLE> ci-dessous", "Voir le tableau <TABLE> ci-dessous\r\n"},
      {"<P ALIGN=CENTER>Bienvenue dans l'installation#13", "\r\nBienvenue dans l'installation\r\n\r\n"},
      // "Brannoch" fits the first line, ".exe " does not: it takes "Brannoch" down.
      {"Voulez-vous lancer l'installation de <B>Brannoch</B>.exe ?#13",
       "Voulez-vous lancer l'installation de\r\nBrannoch.exe ?\r\n\r\n"},
      {"<O>Ombre port&eacute;e</O> et fin", "Ombre portée et fin\r\n"},
      // A field's value and name label, two buttons side by side, a picture.
      {"Nom : <INPUT NAME=\"nom\" VALUE=\"Dupont\"> <INPUT TYPE=submit VALUE=\"Envoyer\"><INPUT TYPE=reset "
       "VALUE=\"Effacer\"> <IMG SRC=\"logo.jpg\">fin",
       "Nom : Dupont nom Envoyer Effacer\r\nfin\r\n"},
  };
  for (const auto& [message, nom] : cas) {
    l.SetCaption(ubm::TexteDuMessage(message));
    EXPECT_EQ(l.Describe().Name, nom) << message;
  }
  // The text read is kept, but not past a change of width.
  l.SetWidth(200);
  EXPECT_EQ(l.Describe().Name, "Nom :\r\nDupont nom\r\nEnvoyer Effacer\r\nfin\r\n");
}
