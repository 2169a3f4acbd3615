#include "Boite.h"

#include <fstream>
#include <iostream>
#include <iterator>

#include "Surface.h"
#include "common/Echappe.h"
#include "common/Errors.h"
#include "dialogs/win32/TFMB.h"

namespace {

constexpr int Echec = 255;

// "RRGGBB" as a Colour (0x00BBGGRR); false when it is not six hex digits.
bool ReadRgb(const std::string& s, Colour& c) {
  if (s.size() != 6 || s.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) return false;
  unsigned long v = std::stoul(s, nullptr, 16);
  c = static_cast<Colour>(((v >> 16) & 0xFF) | (v & 0xFF00) | ((v & 0xFF) << 16));
  return true;
}

}  // namespace

bool IsBoite(const std::vector<std::string>& args) {
  for (const std::string& a : args)
    if (a == "--boite") return true;
  return false;
}

int Boite(const std::vector<std::string>& args) {
  std::string boutons, titre = "apercu", input = "-";
  Colour couleur = 0;
  bool avecBoutons = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    bool valeur = i + 1 < args.size();
    if (a == "--boite" && valeur) {
      boutons = args[++i];
      avecBoutons = true;
    } else if (a == "--titre" && valeur) {
      titre = args[++i];
    } else if (a == "--couleur" && valeur) {
      if (!ReadRgb(args[++i], couleur)) {
        std::cerr << "apercu: --couleur wants RRGGBB in hexadecimal\n";
        return Echec;
      }
    } else if (a.size() > 1 && a[0] == '-' && a[1] == '-') {
      std::cerr << "apercu: usage: apercu --boite BUTTONS [--titre T] [--couleur RRGGBB] [INPUT]\n";
      return Echec;
    } else {
      input = a;
    }
  }
  if (!avecBoutons) {
    std::cerr << "apercu: --boite wants the button list\n";
    return Echec;
  }
  std::string text;
  if (input == "-") {
    text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
  } else {
    std::ifstream in(input, std::ios::binary);
    if (!in) {
      std::cerr << "apercu: cannot read " << EchappeControles(input) << "\n";
      return Echec;
    }
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  try {
    Images images;
    // The box goes before the pictures its label draws.
    struct Libere {
      ~Libere() { win32::LibereFMB(); }
    } libere;
    win32::CreeFMB().LeMessage.SetElements(&images.elements);
    int r = win32::BoiteMessage(titre, text, boutons, couleur);
    std::cout << r << "\n";
    return r;
  } catch (const Exception& e) {
    std::cerr << "apercu: " << e.ClassName() << ": " << EchappeControles(e.Message()) << "\n";
    return Echec;
  }
}
