#include "markup/Champs.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "common/Entiers.h"
#include "common/TextUtils.h"
#include "draw/ColourOperations.h"

namespace {

constexpr Colour Gris = 0x808080;
constexpr Colour Argent = 0xC0C0C0;

// How many characters of the paragraph the next line takes. Widths grow
// with the length, so a search finds the longest front part with 6 pixels
// to spare; a line that must lose characters ends after its last space that
// leaves it narrow enough, else between characters, and keeps at least one.
std::size_t LongueurDeLigne(Canvas& c, int largeur, std::string_view paragraphe) {
  auto tient = [&](std::size_t n) { return int64_t{c.TextWidth(paragraphe.substr(0, n))} + 6 <= largeur; };
  if (tient(paragraphe.size())) return paragraphe.size();
  std::size_t lo = 0, hi = paragraphe.size() - 1;
  while (lo < hi) {
    std::size_t mid = (lo + hi + 1) / 2;
    if (tient(mid)) lo = mid;
    else hi = mid - 1;
  }
  std::size_t espace = paragraphe.substr(0, lo).rfind(' ');
  if (espace != std::string_view::npos) return espace + 1;
  return std::max<std::size_t>(lo, 1);
}

}  // namespace

void Traits(Canvas& canvas, Colour couleur, std::initializer_list<Point> points) {
  Pen p = canvas.GetPen();
  p.Color = couleur;
  p.Style = PenStyle::Solid;
  canvas.SetPen(p);
  auto it = points.begin();
  if (it == points.end()) return;
  canvas.MoveTo(it->x, it->y);
  for (++it; it != points.end(); ++it) canvas.LineTo(it->x, it->y);
}

void DessineImage(Canvas& canvas, const Rect& Box, const Bitmap& Picture) { canvas.StretchDraw(Box, Picture); }

TableauDeLignes DecoupeLignes(Canvas& canvas, int Width, const std::string& Text) {
  TableauDeLignes lignes;
  const bool etroit = Width < canvas.TextWidth("i");
  if (Text.empty() || etroit) {
    lignes.emplace_back(etroit ? std::string_view(Text) : std::string_view());
    return lignes;
  }
  for (std::size_t debut = 0; debut < Text.size();) {
    std::size_t cr = Text.find('\r', debut);
    std::size_t fin = cr == std::string::npos ? Text.size() : cr + 1;
    std::string_view paragraphe = std::string_view(Text).substr(debut, fin - debut);
    debut = fin;
    do {
      std::size_t n = LongueurDeLigne(canvas, Width, paragraphe);
      std::string ligne(paragraphe.substr(0, n));
      paragraphe.remove_prefix(n);
      std::erase_if(ligne, [](char ch) { return ch == '\r' || ch == '\n'; });
      lignes.emplace_back(ligne);
    } while (!paragraphe.empty());
  }
  return lignes;
}

Font PoliceDe(const Font& base, const std::string& nom, int taille, FontStyles style, Colour couleur) {
  Font f = base;
  f.Name = nom;
  f.Size = taille;
  f.Style = style;
  f.Color = couleur;
  return f;
}

Font PoliceDesChamps(const Font& base) { return PoliceDe(base, "Microsoft Sans Serif", 10, 0, clBlack); }

void DessineZoneTexte(Canvas& canvas, const Rect& Box, const std::string& Text) {
  const CanvasState avant(canvas, csFont);
  canvas.SetFont(PoliceDesChamps(avant.SavedFont()));

  const int L = Box.left, T = Box.top, R = Box.right, B = Box.bottom;
  const int L1 = Somme(L, 1), T1 = Somme(T, 1);
  Traits(canvas, Gris, {{L, B}, {L, T}, {Somme(R, 1), T}});
  Traits(canvas, clBlack, {{L1, Somme(B, -1)}, {L1, T1}, {R, T1}});
  Traits(canvas, Argent, {{L1, B}, {R, B}, {R, T}});
  Pen p = canvas.GetPen();
  p.Color = clBlack;
  canvas.SetPen(p);
  canvas.SetBrush({canvas.GetBrush().Color, BrushStyle::Clear});

  const TableauDeLignes lignes = DecoupeLignes(canvas, VersEntier(int64_t{R} - L - 6), Text);
  const int x = Somme(L, 3);
  for (std::size_t i = 0; i < lignes.size(); ++i) {
    const int64_t y = int64_t{T} + 3 + static_cast<int64_t>(i) * 15;
    if (y + canvas.TextHeight(lignes[i]) > B) break;
    canvas.TextOut(x, static_cast<int>(y), lignes[i]);
  }
}

Rect DessineBulle(Canvas& canvas, int X, int Y, const std::string& Text, int Size, Colour BackColour, Colour TextColour,
                  int Alignment) {
  // The pen keeps the colour of the last line drawn.
  const CanvasState avant(canvas, csFont | csBrush | csPenWidth);
  canvas.SetFont(PoliceDe(avant.SavedFont(), "Tahoma", Size, 0, TextColour));
  canvas.SetBrush({BackColour, BrushStyle::Solid});
  Pen p = canvas.GetPen();
  p.Width = 0;
  p.Style = PenStyle::Solid;
  canvas.SetPen(p);

  std::string texte = Text;
  RemplaceTout("#13", "\r", texte, false);
  std::vector<std::string> lignes;
  for (std::size_t debut = 0;;) {
    std::size_t cr = texte.find('\r', debut);
    lignes.push_back(texte.substr(debut, cr == std::string::npos ? std::string::npos : cr - debut));
    if (cr == std::string::npos) break;
    debut = cr + 1;
  }
  std::vector<int> hauteurs;
  int64_t hauteur = 6, largeur = 0;
  for (const std::string& l : lignes) {
    const std::string net = SansEspaces(l);
    hauteurs.push_back(canvas.TextHeight(net));
    hauteur += hauteurs.back();
    largeur = std::max<int64_t>(largeur, canvas.TextWidth(net));
  }
  largeur += 6;
  const int64_t gauche = Alignment == abDroite ? X - largeur : Alignment == abCentre ? X - largeur / 2 : X;
  const int g = VersEntier(gauche), d = VersEntier(gauche + largeur), b = VersEntier(Y + hauteur);

  ShadeRect(canvas, VersEntier(gauche + 3), Somme(Y, 3), VersEntier(gauche + 3 + largeur), VersEntier(Y + 3 + hauteur),
            BlendColors(Gris, clBlack, 0.5), false);
  canvas.Rectangle(g, Y, d, b);
  Traits(canvas, Argent, {{g, Y}, {g, b}});
  Traits(canvas, Argent, {{g, Y}, {d, Y}});
  Traits(canvas, clBlack, {{g, b}, {d, b}, {d, Y}});
  int64_t y = int64_t{Y} + 3;
  const int x = VersEntier(gauche + 3);
  for (std::size_t i = 0; i < lignes.size(); ++i) {
    canvas.TextOut(x, VersEntier(y), lignes[i]);
    y += hauteurs[i];
  }
  return {g, Y, Somme(d, 5), Somme(b, 5)};
}
