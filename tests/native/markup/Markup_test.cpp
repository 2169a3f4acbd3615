// Reading the markup language: numbers, words, references, tags, their recognition and attribute values.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "common/Errors.h"
#include "markup/Markup.h"

namespace {

std::string Decode(const std::string& s) {
  ShortString w(s);
  DecodeEntites(w);
  return w.str();
}

TEST(StrToInt, ReadsAsTheRunTimeLibraryDoes) {
  EXPECT_EQ(StrToInt("12"), 12);
  EXPECT_EQ(StrToInt("  -7"), -7);
  EXPECT_EQ(StrToInt("$FF"), 255);
  EXPECT_EQ(StrToInt("$ffFFffFF"), -1);
  EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
  for (const char* bad : {"", " ", "12 ", "1a", "$", "#FF", "2147483648", "$100000000", "+"}) {
    int v = 99;
    EXPECT_FALSE(TryStrToInt(bad, v)) << bad;
    EXPECT_EQ(v, 99);
    EXPECT_THROW(StrToInt(bad), EConvertError) << bad;
  }
  try {
    StrToInt("x");
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'x' n'est pas une valeur entière correcte");
  }
}

TEST(ProchainMot, WordsEndWithTheirSpaceAndHoldAtMost255Characters) {
  std::string pending = "a  b\r\nc";
  std::vector<std::string> words;
  while (!pending.empty()) words.push_back(ProchainMot(pending).str());
  EXPECT_EQ(words, (std::vector<std::string>{"a ", " ", "b\r\nc"}));
  pending = std::string(300, 'x') + " y";
  EXPECT_EQ(ProchainMot(pending).str(), std::string(255, 'x'));
  EXPECT_EQ(pending, "y");
}

TEST(DecodeEntites, NamedReferencesInTheirOrderAndCase) {
  EXPECT_EQ(Decode("&amp;lt;"), "<");
  EXPECT_EQ(Decode("&amp;eacute;"), "é");
  EXPECT_EQ(Decode("&AMP;"), "&AMP;");
  EXPECT_EQ(Decode("&lt;B&gt;"), "<B>");
  EXPECT_EQ(Decode("&quot;x&quot;&nbsp;"), "\"x\"\xA0");
  EXPECT_EQ(Decode("&euro;&foo;"), "&euro;&foo;");
  EXPECT_EQ(Decode("&Eacute;t&eacute;"), "Été");
  // Exactly the hundred names, Latin-1 from &iexcl; to &yuml; in code order.
  for (int i = 3; i < 98; ++i) EXPECT_EQ(EntitesNommees[i].Octet, 0xA1 + i - 3) << EntitesNommees[i].Nom;
  for (const EntiteNommee& e : EntitesNommees) EXPECT_EQ(Decode(e.Nom), std::string(1, char(e.Octet))) << e.Nom;
}

TEST(DecodeEntites, NumericReferences) {
  EXPECT_EQ(Decode("&#233;t&#233;"), "été");
  EXPECT_EQ(Decode("&#321;"), "A");  // mod 256
  EXPECT_EQ(Decode("&#38;#65;"), "A");
  EXPECT_EQ(Decode("&#1;x"), "\x01x");
  EXPECT_THROW(Decode("&#65 "), EConvertError);
  EXPECT_THROW(Decode("&#x41;"), EConvertError);
  // Without a ";" nothing could ever match: it stays as written.
  EXPECT_EQ(Decode("&#65"), "&#65");
  EXPECT_EQ(Decode("&#66;&#65"), "B&#65");
}

TEST(LitBalise, ReadsThroughTheFirstClosingBracket) {
  std::string text = "<B>x";
  std::size_t pos = 0;
  EXPECT_EQ(LitBalise(text, pos).str(), "<B>");
  EXPECT_EQ(pos, 3u);
  // Unclosed at the end: the last character becomes ">".
  text = "ab<B";
  pos = 2;
  EXPECT_EQ(LitBalise(text, pos).str(), "<>");
  EXPECT_EQ(pos, 4u);
  text = "<";
  pos = 0;
  EXPECT_EQ(LitBalise(text, pos).str(), ">");
  // A long tag is cut at 255, and the reading still goes on to its ">".
  text = "<" + std::string(300, 'x') + ">z";
  pos = 0;
  EXPECT_EQ(LitBalise(text, pos).str(), "<" + std::string(254, 'x'));
  EXPECT_EQ(pos, 302u);
}

TEST(NormaliseBalise, RemovesSpacesAfterOpeningAndBeforeClosing) {
  ShortString b("<  /B  >");
  NormaliseBalise(b);
  EXPECT_EQ(b.str(), "</B>");
  ShortString f("< FONT SIZE=3 >");
  NormaliseBalise(f);
  EXPECT_EQ(f.str(), "<FONT SIZE=3>");
}

TEST(ReconnaitBalise, TheTableInItsOrderWithItsThreeKindsOfTest) {
  using T = TypeBalise;
  const std::vector<std::pair<const char*, T>> cases = {
      {"<FONT SIZE=3>", T::Font},
      {"<font>", T::Font},
      {"</Font>", T::FontFin},
      {"<A HREF=\"x\">", T::Lien},
      {"<ADDRESS>", T::Lien},
      {"<àpropos>", T::Lien},
      {"</a>", T::LienFin},
      {"<IMG SRC=\"a\">", T::Image},
      {"<hr>", T::Regle},
      {"<H1>", T::Titre},
      {"<HTML>", T::Titre},
      {"<H>", T::Titre},
      {"</H2>", T::TitreFin},
      {"<BLOCKQUOTE>", T::Retrait},
      {"<dir>", T::Retrait},
      {"</DIR>", T::RetraitFin},
      {"<P>", T::Ligne},
      {"<PRE>", T::Ligne},
      {"<br>", T::Ligne},
      {"<p align=center>", T::Ligne},
      {"<B>", T::Gras},
      {"<b>", T::Gras},
      {"</b>", T::GrasFin},
      {"<I>", T::Italique},
      {"</i>", T::ItaliqueFin},
      {"<U>", T::Souligne},
      {"</U>", T::SouligneFin},
      {"<o>", T::Ombre},
      {"</O>", T::OmbreFin},
      {"<S>", T::Surligne},
      {"<s#FF0000>", T::Surligne},
      {"</s>", T::SurligneFin},
      {"<TEXTAREA ROWS=2>", T::ZoneTexte},
      {"<input type=text>", T::Saisie},
      {"<Bold>", T::Inconnue},
      {"<Bé>", T::Inconnue},
      {"<TABLE>", T::Inconnue},
      {"<!-- -->", T::Inconnue},
      {"</P>", T::Inconnue},
      {"</TEXTAREA>", T::Inconnue},
      {"<S #FF>", T::Inconnue},
      {"<>", T::Inconnue},
  };
  for (const auto& [tag, type] : cases) EXPECT_EQ(ReconnaitBalise(ShortString(tag)), type) << tag;
}

// Collects (name index, value) pairs of a tag's attribute list.
std::vector<std::pair<std::size_t, std::string>> Attributs(const char* tag, std::size_t nameLength,
                                                           std::initializer_list<std::string_view> names,
                                                           std::initializer_list<int> forms) {
  std::vector<int> form(forms);
  ShortString list = PrepareAttributs(ShortString(tag), nameLength);
  std::vector<std::pair<std::size_t, std::string>> r;
  ParcourtAttributs(list, names, [&](std::size_t i, ShortString& l) {
    switch (form[i]) {
      case 0: r.emplace_back(i, ValeurNue(l)); break;
      case 1: r.emplace_back(i, ValeurGuillemets(l)); break;
      default: r.emplace_back(i, std::to_string(ValeurNombre(l))); break;
    }
  });
  return r;
}

TEST(Attributs, ListsArePreparedAndReadInOrder) {
  EXPECT_EQ(PrepareAttributs(ShortString("<FONT  COLOR = #FF   SIZE=  12 >"), 5).str(), "COLOR=#FF   SIZE=12");
  using V = std::vector<std::pair<std::size_t, std::string>>;
  auto font = [](const char* tag) { return Attributs(tag, 5, {"COLOR=", "FACE=", "SIZE="}, {0, 1, 2}); };
  EXPECT_EQ(font("<FONT COLOR=#FF SIZE=12>"), (V{{0, "#FF"}, {2, "12"}}));
  EXPECT_EQ(font("<font size=3 color=\"#FF0000\">"), (V{{2, "3"}, {0, "\"#FF0000\""}}));
  EXPECT_EQ(font("<FONT STYLE=x FACE=\"Arial\" SIZE=\"7\">"), (V{{1, "Arial"}, {2, "7"}}));
  // An unquoted quoted-form value takes the rest and loses its ends.
  EXPECT_EQ(font("<FONT FACE=Arial SIZE=3>"), (V{{1, "rial SIZE="}}));
  EXPECT_EQ(font("<FONT SIZE=1 SIZE=2>"), (V{{2, "1"}, {2, "2"}}));
  EXPECT_EQ(font("<FONT>"), V{});
  EXPECT_THROW(font("<FONT SIZE=>"), EConvertError);
  EXPECT_THROW(font("<FONT SIZE=big>"), EConvertError);
}

}  // namespace
