#include "markup/DessineHTML.h"

#include <algorithm>
#include <cstdint>

#include "common/Entiers.h"
#include "common/Errors.h"
#include "common/TextUtils.h"
#include "markup/Markup.h"

void HTMLItems::Image(MiseEnPage&, const BaliseImage&) {}
void HTMLItems::ZoneTexte(MiseEnPage&, const BaliseZoneTexte&) {}
void HTMLItems::Saisie(MiseEnPage&, const BaliseSaisie&) {}

void MiseEnPage::Efface(int x1, int y1, int x2, int y2) {
  Pen p = Surface.GetPen();
  p.Color = Fond;
  p.Style = PenStyle::Solid;
  Surface.SetPen(p);
  Surface.SetBrush({Fond, BrushStyle::Solid});
  Surface.Rectangle(x1, y1, x2, y2);
  Surface.SetBrush({Fond, BrushStyle::Clear});
}

void MiseEnPage::FinDeLigne(int L, int R) {
  int top = Y;
  Y = Somme(Y, HauteurLigne != 0 ? HauteurLigne : HauteurParDefaut);
  HauteurLigne = 0;
  int bottom = Y;
  // The alignment in force now decides, whatever it was when the line began.
  int64_t shift = 0;
  if (Alignement == 'R') shift = int64_t{LimiteDroite} - R;
  else if (Alignement == 'C') shift = (int64_t{LimiteDroite} - R) / 2;
  if (Alignement != 'L') {
    const int l = Somme(L, shift), r = Somme(R, shift);
    Surface.CopyRect({l, top, r, bottom}, {L, top, R, bottom});
    // The strip the pixels left: on the left, or on the right for a line
    // wider than the width (painting left of L would erase its first pixels).
    if (shift >= 0) Efface(L, top, l, bottom);
    else Efface(r, top, R, bottom);
  }
  LigneFinie();
}

namespace {

constexpr Colour Noir = 0x000000;
constexpr Colour Bleu = 0xFF0000;
constexpr Colour JaunePale = 0x99FFFF;
constexpr int CaracteresZoneTexte = 500;

bool Commence(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

struct PoliceSauvee {
  ShortString Nom;
  int Taille;
  Colour Couleur;
  FontStyles Style;
};

class Rendu {
public:
  Rendu(Canvas& c, int X, int Y, int Width, Colour fond, HTMLItems& items, SuiviDesLignes* suivi)
      : c_(c), items_(items), s_{c, X, Y, Somme(X, Width), X, 0, 0, 0, 'L', false, fond, suivi} {}

  int Dessine(const std::string& text);

private:
  Font Police() const { return c_.GetFont(); }
  void Police(const Font& f) { c_.SetFont(f); }
  void FondTexte(Colour couleur, BrushStyle style) { c_.SetBrush({couleur, style}); }

  void PlaceMots();
  void PlaceMot(ShortString mot);
  void Coupe();
  void NouvelleLigne();
  void Applique(ShortString b, const std::string& text, std::size_t& pos);
  void Empile();
  void Depile();
  void AttributsFont(const ShortString& b);
  void Lien(const ShortString& b);
  void Image(const ShortString& b);
  void Regle();
  void Titre(const ShortString& b);
  void TitreFin(const ShortString& b);
  void Retrait(bool entre);
  void Ligne(const ShortString& b);
  void Gras(bool debut);
  void Italique(bool debut);
  void Souligne(bool debut);
  void Surligne(const ShortString& b);
  void Inconnue(const ShortString& b);
  void ZoneTexte(const ShortString& b, const std::string& text, std::size_t& pos);
  void Saisie(ShortString b);
  void Queue();

  Canvas& c_;
  HTMLItems& items_;
  MiseEnPage s_;
  std::vector<PoliceSauvee> pile_;  // PileDePolices
  std::string enAttente_;
};

int Rendu::Dessine(const std::string& text) {
  // A conversion error ends the drawing where it is, settings and all, for
  // the caller to report; the pen keeps the width the items leave it with.
  const CanvasState avant(c_, csFont | csBrush | csPenColour | csPenStyle, CanvasRestore::OnReturnOnly);
  s_.HauteurParDefaut = c_.TextHeight("W");
  Font f = avant.SavedFont();
  f.Name = "Tahoma";
  f.Size = 10;
  f.Color = Noir;
  Police(f);
  FondTexte(avant.SavedBrush().Color, BrushStyle::Clear);

  std::size_t pos = 0;
  while (pos < text.size()) {
    if (text[pos] != '<') {
      enAttente_ += text[pos++];
      continue;
    }
    PlaceMots();
    ShortString b = LitBalise(text, pos);
    // What stands before a second "<" is plain text; the tag starts there.
    for (std::size_t p; (p = b.str().find('<', 1)) != std::string::npos;) {
      std::string devant = b.str().substr(0, p);
      c_.TextOut(s_.PenX, s_.Y, devant);
      s_.PenX = Somme(s_.PenX, c_.TextWidth(devant));
      b.Delete(0, p);
    }
    NormaliseBalise(b);
    Applique(b, text, pos);
  }
  Queue();
  s_.FinDeLigne(s_.MargeGauche, s_.PenX);
  return s_.Y;
}

void Rendu::PlaceMots() {
  for (std::size_t pos = 0; pos < enAttente_.size();) PlaceMot(ProchainMot(enAttente_, pos));
  enAttente_.clear();
}

void Rendu::PlaceMot(ShortString mot) {
  DecodeEntites(mot);
  int w = c_.TextWidth(mot);
  // The first word of a line stays, however wide.
  if (int64_t{s_.PenX} + w > s_.LimiteDroite && s_.PenX != s_.MargeGauche) Coupe();
  if (s_.Ombre) {
    const CanvasState avant(c_, csFont);
    Font noir = avant.SavedFont();
    noir.Color = Noir;
    Police(noir);
    c_.TextOut(Somme(s_.PenX, 1), Somme(s_.Y, 1), mot);
  }
  c_.TextOut(s_.PenX, s_.Y, mot);
  s_.PenX = Somme(s_.PenX, w);
  if (mot.str().find(' ') != std::string::npos) s_.DerniereCoupure = Somme(s_.PenX, -1);
  s_.HauteurLigne = std::max(s_.HauteurLigne, c_.TextHeight(mot));
}

// Moves to the next line before a word; the part of the word already drawn
// since the last space (glued to it by tags) moves down with it.
void Rendu::Coupe() {
  int R = s_.PenX;
  if (s_.DerniereCoupure > s_.MargeGauche) {
    const int dc = s_.DerniereCoupure, h = s_.HauteurLigne;
    const int bas = Somme(s_.Y, h), droite = Somme(s_.MargeGauche, int64_t{R} - dc);
    c_.CopyRect({s_.MargeGauche, bas, droite, Somme(bas, h)}, {dc, s_.Y, R, bas});
    s_.Efface(dc, s_.Y, R, bas);
    s_.PenX = droite;
    s_.DerniereCoupure = s_.PenX;
  } else {
    s_.PenX = s_.MargeGauche;
    s_.DerniereCoupure = s_.MargeGauche;
  }
  s_.FinDeLigne(s_.MargeGauche, R);
}

void Rendu::NouvelleLigne() {
  int R = s_.PenX;
  s_.PenX = s_.MargeGauche;
  s_.DerniereCoupure = s_.MargeGauche;
  s_.FinDeLigne(s_.MargeGauche, R);
}

void Rendu::Empile() {
  Font f = Police();
  pile_.push_back({ShortString(f.Name), f.Size, f.Color, f.Style});
}

void Rendu::Depile() {
  if (pile_.empty()) return;
  const PoliceSauvee& e = pile_.back();
  Font f = Police();
  f.Name = e.Nom.str();
  f.Style = e.Style;
  f.Color = e.Couleur;
  f.Size = e.Taille;
  Police(f);
  pile_.pop_back();
}

void Rendu::AttributsFont(const ShortString& b) {
  ShortString liste = PrepareAttributs(b, NomFont.size());
  ParcourtAttributs(liste, {"COLOR=", "FACE=", "NAME=", "SIZE="}, [&](std::size_t i, ShortString& l) {
    Font f = Police();
    if (i == 0) {
      std::string v = ValeurNue(l);
      if (v.empty() || v[0] != '#') return;  // colour names and quoted values change nothing
      v[0] = '$';
      f.Color = EchangeRougeBleu(static_cast<uint32_t>(StrToInt(v)));
    } else if (i == 3) {
      int n = ValeurNombre(l);
      f.Size = n < 8 ? VersEntier(int64_t{n} * 4) : n;
    } else {
      f.Name = ValeurGuillemets(l);
    }
    Police(f);
  });
}

void Rendu::Titre(const ShortString& b) {
  std::string plie = MajusculesSansAccents(b.str());
  if (Commence(plie, "<HTML") || Commence(plie, "<HEAD")) return;
  Empile();
  int n = StrToInt(b.str().substr(std::min<std::size_t>(2, b.size()), 1));
  Font f = Police();
  f.Size = VersEntier((int64_t{5} - n) * 4);
  f.Style = fsBold;
  Police(f);
}

void Rendu::Surligne(const ShortString& b) {
  std::size_t fin = b.str().find('>');
  std::string v = b.str().substr(2, fin == std::string::npos ? std::string::npos : fin - 2);
  v = SansEspaces(v);
  Colour couleur = JaunePale;
  if (!v.empty()) {
    std::replace(v.begin(), v.end(), '#', '$');
    int n;
    if (!TryStrToInt(v, n)) return;
    couleur = EchangeRougeBleu(static_cast<uint32_t>(n));
  }
  FondTexte(couleur, BrushStyle::Solid);
}

// An unrecognised tag shows as text: "<" and ">" regular, the inside bold
// italic, all black, wrapping before any character that passes the limit.
void Rendu::Inconnue(const ShortString& b) {
  const CanvasState avant(c_, csFont);
  Font f = avant.SavedFont();
  f.Color = Noir;
  for (std::size_t k = 0; k < b.size(); ++k) {
    f.Style = (k == 0 || k + 1 == b.size()) ? FontStyles{0} : FontStyles{fsBold | fsItalic};
    Police(f);
    std::string_view ch = std::string_view(b.str()).substr(k, 1);
    int w = c_.TextWidth(ch);
    if (int64_t{s_.PenX} + w > s_.LimiteDroite) NouvelleLigne();
    c_.TextOut(s_.PenX, s_.Y, ch);
    s_.PenX = Somme(s_.PenX, w);
  }
}

void Rendu::ZoneTexte(const ShortString& b, const std::string& text, std::size_t& pos) {
  BaliseZoneTexte t;
  t.Attributs = PrepareAttributs(b, NomZoneTexte.size());
  ShortString liste = t.Attributs;
  ParcourtAttributs(liste, {"NAME=", "VALUE=", "ROWS=", "COLS="}, [&](std::size_t i, ShortString& l) {
    switch (i) {
      case 0: t.Nom = ValeurGuillemets(l); break;
      case 1: t.Valeur = ValeurGuillemets(l); break;
      case 2: t.Lignes = ValeurNombre(l); break;
      case 3: t.Colonnes = ValeurNombre(l); break;
    }
  });
  t.Texte = text.substr(pos, CaracteresZoneTexte);
  std::size_t fin = MajusculesSansAccents(t.Texte).find("</TEXTAREA>");
  if (fin != std::string::npos) t.Texte.resize(fin);
  pos += t.Texte.size();
  items_.ZoneTexte(s_, t);
}

void Rendu::Saisie(ShortString b) {
  BaliseSaisie t;
  std::size_t p = b.str().find(MotCoche);
  if (p != std::string::npos) {
    t.Coche = true;
    b.Delete(p, MotCoche.size());
  }
  t.Attributs = PrepareAttributs(b, NomSaisie.size());
  ShortString liste = t.Attributs;
  ParcourtAttributs(liste, {"NAME=", "VALUE=", "SRC=", "TYPE=", "SIZE=", "MAXLENGTH="},
                    [&](std::size_t i, ShortString& l) {
                      switch (i) {
                        case 0: t.Nom = ValeurGuillemets(l); break;
                        case 1: t.Valeur = ValeurGuillemets(l); break;
                        case 2: t.Src = ValeurGuillemets(l); break;
                        case 3: t.Type = ValeurNue(l); break;
                        case 4: t.Taille = ValeurNombre(l); break;
                        case 5: t.LongueurMax = ValeurNombre(l); break;
                      }
                    });
  items_.Saisie(s_, t);
}

void Rendu::Applique(ShortString b, const std::string& text, std::size_t& pos) {
  const TypeBalise type = ReconnaitBalise(b);
  switch (type) {
    case TypeBalise::Font:
      Empile();
      AttributsFont(b);
      break;
    case TypeBalise::FontFin:
    case TypeBalise::LienFin: Depile(); break;
    case TypeBalise::Lien: Lien(b); break;
    case TypeBalise::Image: Image(b); break;
    case TypeBalise::Regle: Regle(); break;
    case TypeBalise::Titre: Titre(b); break;
    case TypeBalise::TitreFin: TitreFin(b); break;
    case TypeBalise::Retrait:
    case TypeBalise::RetraitFin: Retrait(type == TypeBalise::Retrait); break;
    case TypeBalise::Ligne: Ligne(b); break;
    case TypeBalise::Gras:
    case TypeBalise::GrasFin: Gras(type == TypeBalise::Gras); break;
    case TypeBalise::Italique:
    case TypeBalise::ItaliqueFin: Italique(type == TypeBalise::Italique); break;
    case TypeBalise::Souligne:
    case TypeBalise::SouligneFin: Souligne(type == TypeBalise::Souligne); break;
    case TypeBalise::Ombre: s_.Ombre = true; break;
    case TypeBalise::OmbreFin: s_.Ombre = false; break;
    case TypeBalise::Surligne: Surligne(b); break;
    case TypeBalise::SurligneFin: FondTexte(c_.GetBrush().Color, BrushStyle::Clear); break;
    case TypeBalise::ZoneTexte: ZoneTexte(b, text, pos); break;
    case TypeBalise::Saisie: Saisie(b); break;
    case TypeBalise::Inconnue: Inconnue(b); break;
  }
}

void Rendu::Lien(const ShortString& b) {
  Empile();
  ShortString liste = PrepareAttributs(b, NomLien.size());
  ParcourtAttributs(liste, {"HREF="}, [&](std::size_t, ShortString& l) {
    ValeurGuillemets(l);  // the target is not used
    Font g = Police();
    g.Color = Bleu;
    g.Style |= fsUnderline;
    Police(g);
  });
}

void Rendu::Image(const ShortString& b) {
  BaliseImage t;
  t.Attributs = PrepareAttributs(b, NomImage.size());
  ShortString liste = t.Attributs;
  ParcourtAttributs(liste, {"SRC=", "WIDTH="}, [&](std::size_t i, ShortString& l) {
    if (i == 0) {
      t.Src = ValeurGuillemets(l);
    } else {
      t.AvecLargeur = true;
      t.Largeur = ValeurNombreTexte(l);
    }
  });
  items_.Image(s_, t);
}

// <HR>: a black line across the width, a line's height below the current
// one, and as much again under it.
void Rendu::Regle() {
  s_.PenX = s_.MargeGauche;
  int pas = s_.HauteurLigne != 0 ? s_.HauteurLigne : s_.HauteurParDefaut;
  s_.Y = Somme(s_.Y, pas);
  s_.LigneFinie();
  Pen p = c_.GetPen();
  p.Color = Noir;
  c_.SetPen(p);
  c_.MoveTo(s_.MargeGauche, s_.Y);
  c_.LineTo(s_.LimiteDroite, s_.Y);
  s_.DerniereCoupure = s_.MargeGauche;
  s_.Y = Somme(s_.Y, pas);
  s_.HauteurLigne = 0;
  s_.LigneFinie();
}

void Rendu::TitreFin(const ShortString& b) {
  std::string plie = MajusculesSansAccents(b.str());
  if (!Commence(plie, "</HTML") && !Commence(plie, "</HEAD")) Depile();
}

// <BLOCKQUOTE> and <DIR> indent by a third of an inch, their ends go back.
void Rendu::Retrait(bool entre) {
  if (s_.PenX != s_.MargeGauche) s_.FinDeLigne(s_.MargeGauche, s_.PenX);
  int d = c_.PixelsPerInch() / 3;
  s_.MargeGauche = Somme(s_.MargeGauche, entre ? d : -d);
  s_.PenX = s_.MargeGauche;
  s_.DerniereCoupure = s_.MargeGauche;
}

void Rendu::Ligne(const ShortString& b) {
  NouvelleLigne();
  std::string plie = MajusculesSansAccents(b.str());
  if (plie.find("CENTER") != std::string::npos) s_.Alignement = 'C';
  if (plie.find("LEFT") != std::string::npos) s_.Alignement = 'L';
  if (plie.find("RIGHT") != std::string::npos) s_.Alignement = 'R';
}

// A bold face never lower than the regular one, nor the regular face higher
// than the bold: the size follows by a point when it would be.
void Rendu::Gras(bool debut) {
  Font f = Police();
  if (((f.Style & fsBold) != 0) == debut) return;
  int h = c_.TextHeight("W");
  if (debut) f.Style |= fsBold;
  else f.Style &= ~fsBold;
  Police(f);
  if (debut ? c_.TextHeight("W") < h : c_.TextHeight("W") > h) {
    f.Size = Somme(f.Size, debut ? 1 : -1);
    Police(f);
  }
  if (debut) s_.PenX = Somme(s_.PenX, 1);
}

void Rendu::Italique(bool debut) {
  Font f = Police();
  if (((f.Style & fsItalic) != 0) == debut) return;
  if (debut) f.Style |= fsItalic;
  else f.Style &= ~fsItalic;
  Police(f);
  s_.PenX = Somme(s_.PenX, debut ? -1 : 1);
}

void Rendu::Souligne(bool debut) {
  Font f = Police();
  if (debut) f.Style |= fsUnderline;
  else f.Style &= ~fsUnderline;
  Police(f);
  if (!debut) s_.PenX = Somme(s_.PenX, 1);
}

// The text after the last tag, fitted character by character from the pen
// position; at least one character goes on a line that starts at the margin,
// so even a width narrower than one character ends.
void Rendu::Queue() {
  while (!enAttente_.empty()) {
    std::string s = enAttente_.substr(0, ShortString::MaxCapacity);
    // The longest front part that fits; widths grow with the length, so a
    // search gives what dropping one character at a time would.
    std::size_t lo = 0, hi = s.size();
    while (lo < hi) {
      std::size_t mid = (lo + hi + 1) / 2;
      if (int64_t{s_.PenX} + c_.TextWidth(std::string_view(s).substr(0, mid)) > s_.LimiteDroite) hi = mid - 1;
      else lo = mid;
    }
    s.resize(lo);
    if (s.empty() && s_.PenX == s_.MargeGauche) s = enAttente_.substr(0, 1);
    if (s != enAttente_ && s.find(' ') != std::string::npos)
      while (s.back() != ' ') s.pop_back();
    enAttente_.erase(0, s.size());
    c_.TextOut(s_.PenX, s_.Y, s);
    s_.PenX = Somme(s_.PenX, c_.TextWidth(s));
    s_.HauteurLigne = std::max(s_.HauteurLigne, c_.TextHeight(s));
    OteEspaces(enAttente_);
    if (!enAttente_.empty()) {
      int R = s_.PenX;
      s_.PenX = s_.MargeGauche;
      s_.FinDeLigne(s_.MargeGauche, R);
    }
  }
}

}  // namespace

int DessineHTML(Canvas& canvas, int X, int Y, int Width, const std::string& Text, Colour BackColour, HTMLItems& items,
                SuiviDesLignes& suivi) {
  return Rendu(canvas, X, Y, Width, BackColour, items, &suivi).Dessine(Text);
}

int DessineHTML(Canvas& canvas, int X, int Y, int Width, const std::string& Text, Colour BackColour, HTMLItems& items) {
  return Rendu(canvas, X, Y, Width, BackColour, items, nullptr).Dessine(Text);
}

int DessineHTML(Canvas& canvas, int X, int Y, int Width, const std::string& Text, Colour BackColour) {
  HTMLItems rien;
  return Rendu(canvas, X, Y, Width, BackColour, rien, nullptr).Dessine(Text);
}
