#pragma once
// Reading the markup language: words, tags, their recognition, attribute
// lists and values, character references. DessineHTML puts them together.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "common/ShortString.h"
#include "common/TextUtils.h"
#include "draw/Canvas.h"

// Integers as the run-time library reads them: leading spaces, an optional
// sign, decimal digits or "$" and hexadecimal digits (up to 32 bits), nothing
// after. StrToInt raises EConvertError with the library's message otherwise.
int StrToInt(std::string_view s);
bool TryStrToInt(std::string_view s, int& value);

// Exchanges the low and the third byte: RRGGBB as written <-> 0x00BBGGRR.
inline Colour EchangeRougeBleu(uint32_t v) { return (v & 0xFF00FF00u) | ((v & 0xFFu) << 16) | ((v >> 16) & 0xFFu); }

// Takes the next word off the front of the pending text: the characters up
// to and including the first space, or all that is left. The word is a short
// string: past 255 characters it keeps the first 255 only.
ShortString ProchainMot(std::string& enAttente);
// The same reading from pos, which moves past the word.
ShortString ProchainMot(std::string_view enAttente, std::size_t& pos);

// Replaces the character references of a word in place, within its capacity:
// &quot; &amp; &nbsp;, the Latin-1 names from &iexcl; to &yuml;, &lt; &gt;,
// then numeric references &#n; (byte n mod 256). Names are case-sensitive.
// A numeric reference whose digits do not read raises EConvertError; one
// that has no ";" after it is left as written.
void DecodeEntites(ShortString& mot);

// The named references, in the order they are replaced, with their bytes.
struct EntiteNommee {
  const char* Nom;
  unsigned char Octet;
};
extern const EntiteNommee EntitesNommees[100];

// Reads a tag from Text at pos (which holds "<") into a short string and
// moves pos past its ">". A text that ends first gives a tag whose last
// character is replaced by ">".
ShortString LitBalise(std::string_view Text, std::size_t& pos);

// "< " to "<" and " >" to ">", until none is left.
void NormaliseBalise(ShortString& balise);

// The rows of the recognition table, tried in this order.
enum class TypeBalise {
  Font = 1,    // starts with <FONT
  FontFin,     // </FONT
  Lien,        // <A
  LienFin,     // </A
  Image,       // <IMG
  Regle,       // <HR
  Titre,       // <H (with <HTML and <HEAD ignored)
  TitreFin,    // </H (with </HTML and </HEAD ignored)
  Retrait,     // <BLOCKQUOTE or <DIR
  RetraitFin,  // </BLOCKQUOTE or </DIR
  Ligne,       // <P or <BR
  Gras,        // is <B> or <b>
  GrasFin,
  Italique,
  ItaliqueFin,
  Souligne,
  SouligneFin,
  Ombre,  // <O>
  OmbreFin,
  Surligne,     // contains <S> <s> <S# <s#
  SurligneFin,  // is </S> or </s>
  ZoneTexte,    // <TEXTAREA
  Saisie,       // <INPUT
  Inconnue,     // anything else: drawn as text
};

// Recognises a normalised tag.
TypeBalise ReconnaitBalise(const ShortString& balise);

// The names of the tags that carry attributes, as PrepareAttributs takes
// them off the front of the tag string.
inline constexpr std::string_view NomFont = "<FONT";
inline constexpr std::string_view NomLien = "<A";
inline constexpr std::string_view NomImage = "<IMG";
inline constexpr std::string_view NomZoneTexte = "<TEXTAREA";
inline constexpr std::string_view NomSaisie = "<INPUT";
// The word that checks a box or a radio button, in capitals only.
inline constexpr std::string_view MotCoche = "CHECKED";

// The attribute list of a tag: its name (nameLength characters) taken off,
// every ">" made a space, the spaces around "=" removed, then trimmed.
ShortString PrepareAttributs(const ShortString& balise, std::size_t nameLength);

// Goes through a prepared list: for each attribute whose name (with its
// "=", compared folded) starts the list, the name is taken off and
// lireValeur(index of the name, list) must take the value off too; unknown
// text is skipped up to the next space. Spaces are trimmed after each one.
template <class F>
void ParcourtAttributs(ShortString& liste, std::initializer_list<std::string_view> noms, F lireValeur);

// The three value forms; each takes the value off the front of the list.
std::string ValeurNue(ShortString& liste);          // up to the next space
std::string ValeurGuillemets(ShortString& liste);   // through the second double quote, less first and last
std::string ValeurNombreTexte(ShortString& liste);  // quoted first when it is not
int ValeurNombre(ShortString& liste);               // the same converted (EConvertError)

template <class F>
void ParcourtAttributs(ShortString& liste, std::initializer_list<std::string_view> noms, F lireValeur) {
  while (!liste.empty()) {
    std::string plie = MajusculesSansAccents(liste.str());
    std::size_t i = 0;
    bool trouve = false;
    for (std::string_view nom : noms) {
      if (plie.compare(0, nom.size(), nom) == 0) {
        liste.Delete(0, nom.size());
        lireValeur(i, liste);
        trouve = true;
        break;
      }
      ++i;
    }
    if (!trouve) {
      std::size_t sp = liste.str().find(' ');
      liste.Delete(0, sp == std::string::npos ? liste.size() : sp);
    }
    OteEspaces(liste);
  }
}
