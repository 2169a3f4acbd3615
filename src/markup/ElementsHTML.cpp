#include "markup/ElementsHTML.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string_view>

#include "common/Entiers.h"
#include "common/TextUtils.h"
#include "markup/Champs.h"
#include "markup/Markup.h"

namespace {

// The types of "<INPUT" in the order of their kinds.
constexpr std::array<std::string_view, 12> Types = {"hidden",   "text",  "int",      "float", "date",  "file",
                                                    "password", "image", "checkbox", "radio", "reset", "submit"};
constexpr int GenreTexte = 1, DernierGenreTexte = 6, GenreImage = 7, GenreCase = 8, GenreRadio = 9;

constexpr int HauteurChamp = 21, HauteurLigneChamp = 23;
constexpr int TaillePoliceBulle = 6;
constexpr Colour Violet = 0x800080, JaunePale = 0xE1FFFF, Rouge = 0x0000FF, Gris = 0x808080;

// Nearest integer, halves to even.
int Arrondi(double v) {
  const double r = std::nearbyint(v);
  if (!(r >= INT32_MIN && r <= INT32_MAX)) throw ERangeError(SRangeError);
  return static_cast<int>(r);
}

// A form field's own line change: the finished line is not shifted for
// alignment.
void LigneSuivante(MiseEnPage& s, int hauteur) {
  s.PenX = s.MargeGauche;
  s.Y = VersEntier(int64_t{s.Y} + (s.HauteurLigne != 0 ? s.HauteurLigne : s.HauteurParDefaut));
  s.HauteurLigne = hauteur;
  s.DerniereCoupure = s.MargeGauche;
  s.LigneFinie();
}

}  // namespace

void ElementsHTML::Image(MiseEnPage& s, const BaliseImage& t) {
  const std::string nom = t.Src.substr(0, t.Src.size() - std::min<std::size_t>(t.Src.size(), 4)) + ".jpg";
  if (!images_.Fichiers().FileExists(nom)) return;
  const Bitmap& image = images_.ChargeImage(nom);
  int largeur = image.Width, hauteur = image.Height;
  if (t.AvecLargeur) {
    std::string w = t.Largeur;
    if (w.find('%') != std::string::npos) {
      std::erase(w, '%');
      const double p = StrToInt(w);
      largeur = Arrondi(image.Width * p / 100);
      hauteur = Arrondi(image.Height * p / 100);
    } else {
      largeur = StrToInt(w);
      hauteur = image.Width == 0 ? 0 : Arrondi(static_cast<double>(image.Height) * largeur / image.Width);
    }
  }
  const Rect box{s.PenX, s.Y, Somme(s.PenX, largeur), Somme(s.Y, hauteur)};
  DessineImage(s.Surface, box, image);
  s.HauteurLigne = std::max(s.HauteurLigne, hauteur);
  s.PenX = Somme(box.right, 1);
}

void ElementsHTML::ZoneTexte(MiseEnPage& s, const BaliseZoneTexte& t) {
  const int hauteur = VersEntier(int64_t{t.Lignes} * 16 + 5);
  const Rect box{s.PenX, s.Y, Somme(s.PenX, int64_t{t.Colonnes} * 8 + 20), Somme(s.Y, hauteur)};
  s.HauteurLigne = std::max(s.HauteurLigne, hauteur);
  DessineZoneTexte(s.Surface, box, t.Texte);
  LigneSuivante(s, 0);
}

void ElementsHTML::Saisie(MiseEnPage& s, const BaliseSaisie& t) {
  const std::string type = EnMinuscules(t.Type);
  const auto it = std::find(Types.begin(), Types.end(), type);
  const int genre = it == Types.end() ? GenreTexte : static_cast<int>(it - Types.begin());
  if (genre <= DernierGenreTexte) ChampTexte(s, t, type);
  else if (genre == GenreImage) ChampImage(s, t.Src, false);
  else if (genre == GenreCase) ChampImage(s, t.Coche ? "coché.jpg" : "noncoché.jpg", true);
  else if (genre == GenreRadio) ChampImage(s, t.Coche ? "checked.jpg" : "unchecked.jpg", true);
  else Bouton(s, t);
}

void ElementsHTML::ChampTexte(MiseEnPage& s, const BaliseSaisie& t, const std::string& type) {
  const int w = VersEntier(int64_t{t.Taille} * 8 + 5);
  if (s.PenX > s.MargeGauche && int64_t{s.PenX} + w > s.LimiteDroite) LigneSuivante(s, HauteurLigneChamp);
  s.HauteurLigne = std::max(s.HauteurLigne, HauteurLigneChamp);
  const int droite = Somme(s.PenX, w);
  DessineZoneTexte(s.Surface, {s.PenX, s.Y, droite, Somme(s.Y, HauteurChamp)}, t.Valeur);
  DessineBulle(s.Surface, Somme(droite, -7), Somme(s.Y, -1), t.Nom, TaillePoliceBulle, JaunePale, Violet, abDroite);
  DessineBulle(s.Surface, Somme(s.PenX, 4), Somme(s.Y, -3), type, TaillePoliceBulle, Rouge, clWhite, abGauche);
  s.PenX = Somme(droite, 4);
  if (s.PenX > s.LimiteDroite) LigneSuivante(s, 0);
}

void ElementsHTML::ChampImage(MiseEnPage& s, const std::string& nom, bool centre) {
  const Bitmap& image = images_.ChargeImage(nom);
  // Check boxes and radio buttons sit about the middle of the line.
  const int haut = centre ? Somme(s.Y, s.HauteurLigne / 2 - 6) : s.Y;
  const Rect box{Somme(s.PenX, 3), haut, Somme(s.PenX, image.Width + 3), Somme(haut, image.Height)};
  DessineImage(s.Surface, box, image);
  s.HauteurLigne = std::max(s.HauteurLigne, image.Height);
  s.PenX = Somme(box.right, 5);
}

void ElementsHTML::Bouton(MiseEnPage& s, const BaliseSaisie& t) {
  Canvas& c = s.Surface;
  const CanvasState avant(c, csFont);
  c.SetFont(PoliceDesChamps(avant.SavedFont()));
  const int w = Somme(c.TextWidth(t.Valeur), 20);
  const int x = s.PenX, y = s.Y, droite = Somme(x, w), bas = Somme(y, 23);
  Pen p = c.GetPen();
  p.Color = clBtnFace;
  p.Style = PenStyle::Solid;
  c.SetPen(p);
  c.SetBrush({clBtnFace, BrushStyle::Solid});
  c.Rectangle(x + 1, y + 2, droite - 2, bas - 1);
  Traits(c, Gris, {{x + 1, bas - 1}, {droite - 2, bas - 1}, {droite - 2, y + 1}});
  Traits(c, clBlack, {{x, bas}, {droite - 1, bas}, {droite - 1, y}});
  c.SetBrush({clBtnFace, BrushStyle::Clear});
  c.TextOut(x + 10, y + 3, t.Valeur);
  s.PenX = Somme(droite, 4);
}
