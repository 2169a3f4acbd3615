#include "Vues.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <iostream>

#include "Png.h"
#include "Surface.h"
#include "archive/Progression.h"
#include "common/Duree.h"
#include "common/Echappe.h"
#include "controls/CurvedSpeedButton.h"
#include "controls/Gradient.h"

namespace {

constexpr int Fait = 0, Echec = 1;
// The progress window's button face, 236, 233, 216.
constexpr Colour FaceBouton = 14215660;
constexpr int TailleMax = 10000;

int Erreur(const std::string& why) {
  std::cerr << "apercu: " << EchappeControles(why) << "\n";
  return Echec;
}

bool Entier(const std::string& s, int& v) {
  const char* end = s.data() + s.size();
  auto [p, ec] = std::from_chars(s.data(), end, v);
  return ec == std::errc() && p == end && !s.empty();
}

// "RRGGBB" as a Colour (0x00BBGGRR).
bool Rgb(const std::string& s, Colour& c) {
  unsigned v = 0;
  const char* end = s.data() + s.size();
  auto [p, ec] = std::from_chars(s.data(), end, v, 16);
  if (s.size() != 6 || ec != std::errc() || p != end) return false;
  c = ((v >> 16) & 0xFF) | (v & 0xFF00) | ((v & 0xFF) << 16);
  return true;
}

int Ecrit(const std::string& out, const Bitmap& b) { return WritePng(out, b) ? Fait : Erreur("cannot write " + out); }

int Gradient(const std::vector<std::string>& args) {
  TGradient g;
  g.BeginLoading();
  std::string out;
  bool from = false, to = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool valeur = i + 1 < args.size();
    Colour c = 0;
    int v = 0;
    if (a == "--gradient" && valeur) {
      int s = GradientStyleByName(args[++i].c_str());
      if (s < 0) return Erreur("unknown style " + args[i] + " (gsCustom, gsRadialC ... gsButterfly)");
      g.SetStyle(static_cast<TGradientStyle>(s));
    } else if ((a == "--from" || a == "--to") && valeur) {
      if (!Rgb(args[++i], c)) return Erreur(a + " wants RRGGBB in hexadecimal");
      (a == "--from" ? from : to) = true;
      if (a == "--from") g.SetColorBegin(c);
      else g.SetColorEnd(c);
    } else if ((a == "--shift" || a == "--rotation") && valeur) {
      if (!Entier(args[++i], v)) return Erreur(a + " wants a whole number (-100 to 100)");
      if (a == "--shift") g.SetShift(v);
      else g.SetRotation(v);
    } else if (a == "--reverse") {
      g.SetReverse(true);
    } else if ((a.size() > 1 && a[0] == '-') || !out.empty()) {
      return Erreur(
          "usage: apercu --gradient STYLE --from RRGGBB --to RRGGBB [--shift S] [--rotation R] "
          "[--reverse] OUT.png");
    } else {
      out = a;
    }
  }
  if (!from || !to) return Erreur("--gradient wants --from and --to");
  if (out.empty()) return Erreur("no output file");
  g.Loaded();
  return Ecrit(out, g.Pattern());
}

int Bouton(const std::vector<std::string>& args) {
  TCurvedSpeedButton b;
  b.SetParentColor(false);
  b.SetColor(FaceBouton);
  b.SetFont(PoliceProgression());
  int w = 0, h = 0;
  bool taille = false, presse = false;
  std::string out;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool valeur = i + 1 < args.size();
    Colour c = 0;
    if (a == "--bouton" && i + 2 < args.size()) {
      if (!Entier(args[i + 1], w) || !Entier(args[i + 2], h) || w < 1 || h < 1 || w > TailleMax || h > TailleMax)
        return Erreur("--bouton wants a width and a height from 1 to " + std::to_string(TailleMax));
      taille = true;
      i += 2;
    } else if (a == "--pressed") {
      presse = true;
    } else if (a == "--caption" && valeur) {
      b.SetCaption(args[++i]);
    } else if (a == "--couleur" && valeur) {
      if (!Rgb(args[++i], c)) return Erreur("--couleur wants RRGGBB in hexadecimal");
      b.SetColor(c);
    } else if ((a.size() > 1 && a[0] == '-') || !out.empty()) {
      return Erreur("usage: apercu --bouton W H [--pressed] [--caption T] [--couleur RRGGBB] OUT.png");
    } else {
      out = a;
    }
  }
  if (!taille) return Erreur("--bouton wants a width and a height");
  if (out.empty()) return Erreur("no output file");
  b.SetBounds(0, 0, w, h);
  if (presse) b.MouseDown(MouseButton::Left, 0, 0);
  auto surface = MakeSurface(w, h);
  b.Paint(surface->GetCanvas());
  return Ecrit(out, surface->Pixels());
}

int Duree(const std::vector<std::string>& args) {
  if (args.size() != 2) return Erreur("usage: apercu --duree SECONDS");
  const std::string& s = args[1];
  char* end = nullptr;
  const double secondes = std::strtod(s.c_str(), &end);
  if (s.empty() || *end != '\0' || !std::isfinite(secondes)) return Erreur("--duree wants a number of seconds");
  std::cout << DureeEnTexte(secondes / 86400).str() << "\n";
  return Fait;
}

}  // namespace

bool RunVue(const std::vector<std::string>& args, int& code) {
  for (const std::string& a : args) {
    if (a == "--gradient") {
      code = Gradient(args);
      return true;
    }
    if (a == "--bouton") {
      code = Bouton(args);
      return true;
    }
    if (a == "--duree") {
      code = Duree(args);
      return true;
    }
#ifdef _WIN32
    if (a == "--progression") {
      code = Progression(args);
      return true;
    }
#endif
  }
  return false;
}
