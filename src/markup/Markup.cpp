#include "markup/Markup.h"

#include "common/Errors.h"

namespace {

bool Commence(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

}  // namespace

bool TryStrToInt(std::string_view s, int& value) {
  std::size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  bool hex = i < s.size() && s[i] == '$';
  if (hex) ++i;
  if (i == s.size()) return false;
  uint64_t v = 0;
  for (; i < s.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    int d;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (hex && c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else if (hex && c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else return false;
    v = v * (hex ? 16 : 10) + d;
    if (v > (hex ? 0xFFFFFFFFull : 0x80000000ull)) return false;
  }
  if (!hex && !negative && v > 0x7FFFFFFFull) return false;
  uint32_t u = static_cast<uint32_t>(v);
  if (negative) u = 0u - u;
  value = static_cast<int>(u);
  return true;
}

int StrToInt(std::string_view s) {
  int v;
  if (!TryStrToInt(s, v)) throw EConvertError("'" + std::string(s) + "' n'est pas une valeur entière correcte");
  return v;
}

ShortString ProchainMot(std::string_view enAttente, std::size_t& pos) {
  std::size_t sp = enAttente.find(' ', pos);
  std::size_t fin = sp == std::string_view::npos ? enAttente.size() : sp + 1;
  ShortString mot(enAttente.substr(pos, fin - pos));
  pos = fin;
  return mot;
}

ShortString ProchainMot(std::string& enAttente) {
  std::size_t pos = 0;
  ShortString mot = ProchainMot(enAttente, pos);
  enAttente.erase(0, pos);
  return mot;
}

const EntiteNommee EntitesNommees[100] = {
    {"&quot;", '"'},    {"&amp;", '&'},     {"&nbsp;", 0xA0},   {"&iexcl;", 0xA1},  {"&cent;", 0xA2},
    {"&pound;", 0xA3},  {"&curren;", 0xA4}, {"&yen;", 0xA5},    {"&brvbar;", 0xA6}, {"&sect;", 0xA7},
    {"&uml;", 0xA8},    {"&copy;", 0xA9},   {"&ordf;", 0xAA},   {"&laquo;", 0xAB},  {"&not;", 0xAC},
    {"&shy;", 0xAD},    {"&reg;", 0xAE},    {"&macr;", 0xAF},   {"&deg;", 0xB0},    {"&plusmn;", 0xB1},
    {"&sup2;", 0xB2},   {"&sup3;", 0xB3},   {"&acute;", 0xB4},  {"&micro;", 0xB5},  {"&para;", 0xB6},
    {"&middot;", 0xB7}, {"&cedil;", 0xB8},  {"&sup1;", 0xB9},   {"&ordm;", 0xBA},   {"&raquo;", 0xBB},
    {"&frac14;", 0xBC}, {"&frac12;", 0xBD}, {"&frac34;", 0xBE}, {"&iquest;", 0xBF}, {"&Agrave;", 0xC0},
    {"&Aacute;", 0xC1}, {"&Acirc;", 0xC2},  {"&Atilde;", 0xC3}, {"&Auml;", 0xC4},   {"&Aring;", 0xC5},
    {"&AElig;", 0xC6},  {"&Ccedil;", 0xC7}, {"&Egrave;", 0xC8}, {"&Eacute;", 0xC9}, {"&Ecirc;", 0xCA},
    {"&Euml;", 0xCB},   {"&Igrave;", 0xCC}, {"&Iacute;", 0xCD}, {"&Icirc;", 0xCE},  {"&Iuml;", 0xCF},
    {"&ETH;", 0xD0},    {"&Ntilde;", 0xD1}, {"&Ograve;", 0xD2}, {"&Oacute;", 0xD3}, {"&Ocirc;", 0xD4},
    {"&Otilde;", 0xD5}, {"&Ouml;", 0xD6},   {"&times;", 0xD7},  {"&Oslash;", 0xD8}, {"&Ugrave;", 0xD9},
    {"&Uacute;", 0xDA}, {"&Ucirc;", 0xDB},  {"&Uuml;", 0xDC},   {"&Yacute;", 0xDD}, {"&THORN;", 0xDE},
    {"&szlig;", 0xDF},  {"&agrave;", 0xE0}, {"&aacute;", 0xE1}, {"&acirc;", 0xE2},  {"&atilde;", 0xE3},
    {"&auml;", 0xE4},   {"&aring;", 0xE5},  {"&aelig;", 0xE6},  {"&ccedil;", 0xE7}, {"&egrave;", 0xE8},
    {"&eacute;", 0xE9}, {"&ecirc;", 0xEA},  {"&euml;", 0xEB},   {"&igrave;", 0xEC}, {"&iacute;", 0xED},
    {"&icirc;", 0xEE},  {"&iuml;", 0xEF},   {"&eth;", 0xF0},    {"&ntilde;", 0xF1}, {"&ograve;", 0xF2},
    {"&oacute;", 0xF3}, {"&ocirc;", 0xF4},  {"&otilde;", 0xF5}, {"&ouml;", 0xF6},   {"&divide;", 0xF7},
    {"&oslash;", 0xF8}, {"&ugrave;", 0xF9}, {"&uacute;", 0xFA}, {"&ucirc;", 0xFB},  {"&uuml;", 0xFC},
    {"&yacute;", 0xFD}, {"&thorn;", 0xFE},  {"&yuml;", 0xFF},   {"&lt;", '<'},      {"&gt;", '>'},
};

void DecodeEntites(ShortString& mot) {
  for (const EntiteNommee& e : EntitesNommees) {
    const char octet = static_cast<char>(e.Octet);
    RemplaceToutCourt(e.Nom, std::string_view(&octet, 1), mot, true);
  }
  std::size_t p;
  while ((p = mot.str().find("&#")) != std::string::npos) {
    std::string ref = mot.str().substr(p);
    std::size_t fin = ref.find(';');
    if (fin != std::string::npos) ref.resize(fin);
    int n = StrToInt(std::string_view(ref).substr(2));
    // Without a ";" the reference can never match its own pattern, and none
    // after it has one either: it stays as written.
    if (fin == std::string::npos) break;
    const char octet = static_cast<char>(static_cast<unsigned>(n) & 0xFF);
    RemplaceToutCourt(ref + ";", std::string_view(&octet, 1), mot, true);
  }
}

ShortString LitBalise(std::string_view Text, std::size_t& pos) {
  ShortString balise;
  bool ferme = false;
  while (pos < Text.size()) {
    char c = Text[pos++];
    balise += c;
    if (c == '>') {
      ferme = true;
      break;
    }
  }
  if (!ferme && !balise.empty()) {
    balise.Delete(balise.size() - 1, 1);
    balise += '>';
  }
  return balise;
}

void NormaliseBalise(ShortString& balise) {
  while (RemplaceToutCourt("< ", "<", balise, false) > 0) {
  }
  while (RemplaceToutCourt(" >", ">", balise, false) > 0) {
  }
}

TypeBalise ReconnaitBalise(const ShortString& balise) {
  const std::string& b = balise.str();
  const std::string f = MajusculesSansAccents(b);
  auto exact = [&](std::string_view a, std::string_view c) { return b == a || b == c; };
  using T = TypeBalise;
  if (Commence(f, NomFont)) return T::Font;
  if (Commence(f, "</FONT")) return T::FontFin;
  if (Commence(f, NomLien)) return T::Lien;
  if (Commence(f, "</A")) return T::LienFin;
  if (Commence(f, NomImage)) return T::Image;
  if (Commence(f, "<HR")) return T::Regle;
  if (Commence(f, "<H")) return T::Titre;
  if (Commence(f, "</H")) return T::TitreFin;
  if (Commence(f, "<BLOCKQUOTE") || Commence(f, "<DIR")) return T::Retrait;
  if (Commence(f, "</BLOCKQUOTE") || Commence(f, "</DIR")) return T::RetraitFin;
  if (Commence(f, "<P") || Commence(f, "<BR")) return T::Ligne;
  if (exact("<B>", "<b>")) return T::Gras;
  if (exact("</B>", "</b>")) return T::GrasFin;
  if (exact("<I>", "<i>")) return T::Italique;
  if (exact("</I>", "</i>")) return T::ItaliqueFin;
  if (exact("<U>", "<u>")) return T::Souligne;
  if (exact("</U>", "</u>")) return T::SouligneFin;
  if (exact("<O>", "<o>")) return T::Ombre;
  if (exact("</O>", "</o>")) return T::OmbreFin;
  for (std::string_view s : {"<S>", "<s>", "<S#", "<s#"})
    if (b.find(s) != std::string::npos) return T::Surligne;
  if (exact("</S>", "</s>")) return T::SurligneFin;
  if (Commence(f, NomZoneTexte)) return T::ZoneTexte;
  if (Commence(f, NomSaisie)) return T::Saisie;
  return T::Inconnue;
}

ShortString PrepareAttributs(const ShortString& balise, std::size_t nameLength) {
  ShortString liste(balise);
  liste.Delete(0, nameLength);
  RemplaceToutCourt(">", " ", liste, true);
  while (RemplaceToutCourt(" =", "=", liste, true) > 0) {
  }
  while (RemplaceToutCourt("= ", "=", liste, true) > 0) {
  }
  OteEspaces(liste);
  return liste;
}

std::string ValeurNue(ShortString& liste) {
  std::size_t sp = liste.str().find(' ');
  std::size_t n = sp == std::string::npos ? liste.size() : sp;
  std::string v = liste.str().substr(0, n);
  liste.Delete(0, n);
  return v;
}

std::string ValeurGuillemets(ShortString& liste) {
  std::size_t n = 0;
  int guillemets = 0;
  while (n < liste.size() && guillemets < 2)
    if (liste[n++] == '"') ++guillemets;
  std::string pris = liste.str().substr(0, n);
  liste.Delete(0, n);
  return pris.size() >= 2 ? pris.substr(1, pris.size() - 2) : std::string();
}

std::string ValeurNombreTexte(ShortString& liste) {
  if (liste.empty() || liste[0] != '"') {
    liste.Insert(0, "\"");
    std::size_t sp = liste.str().find(' ');
    liste.Insert(sp == std::string::npos ? liste.size() : sp, "\"");
  }
  return ValeurGuillemets(liste);
}

int ValeurNombre(ShortString& liste) { return StrToInt(ValeurNombreTexte(liste)); }
