#include "archive/Format.h"

#include "common/Echappe.h"
#include "common/LittleEndian.h"
#include "common/TextUtils.h"

namespace {

std::string Guillemets(std::string_view text) { return "\"" + EchappeControles(text) + "\""; }

TRefus Membre(const char* quoi, uint32_t i, const std::string& pourquoi) {
  return {quoi, "membre " + std::to_string(i) + ", " + pourquoi};
}

bool EstPeripherique(std::string_view nom) {
  // Windows reads a device in the part before the first dot, blanks before
  // that dot ignored.
  std::string base(nom.substr(0, nom.find('.')));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  base = MajusculesSansAccents(base);
  if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL" || base == "CONIN$" || base == "CONOUT$")
    return true;
  if (base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0)) {
    auto d = static_cast<unsigned char>(base[3]);
    // Superscript one, two and three count as digits for Windows as well.
    return (d >= '1' && d <= '9') || d == 0xB9 || d == 0xB2 || d == 0xB3;
  }
  return false;
}

}  // namespace

TTete LitTete(const uint8_t* octets) { return {LitLe32(octets), octets[4]}; }

std::string TRefus::Texte(std::string_view archive) const {
  std::string r = Quoi;
  if (!archive.empty()) r += " dans l'archive " + std::string(archive);
  return r + " : " + Detail;
}

TRefus LitEntree(const uint8_t* octets, uint8_t l, uint32_t i, TEntree* entree) {
  // With L = 0 there is no length byte: every name is empty.
  const unsigned n = l > 0 ? octets[0] : 0;
  if (l > 0 && n > l - 1u)
    return Membre("Longueur de nom incorrecte", i,
                  std::to_string(n) + " caractères pour " + std::to_string(l - 1) + " au plus");
  entree->Nom.assign(reinterpret_cast<const char*>(octets + 1), n);
  std::string motif = MotifDeRefus(entree->Nom);
  if (!motif.empty()) return Membre("Nom de membre interdit", i, Guillemets(entree->Nom) + " (" + motif + ")");
  entree->Taille = LitLe32(octets + l);
  if (entree->Taille >= LimiteDuFormat)
    return Membre("Taille de membre incorrecte", i, std::to_string(entree->Taille) + " octets");
  return {};
}

TRefus DonneesEnTrop(uint64_t longueur, uint64_t fin) {
  if (fin >= longueur) return {};
  return {"Données en trop", std::to_string(longueur - fin) + " octets après le dernier membre"};
}

std::string MotifDeRefus(std::string_view nom) {
  if (nom.empty()) return "nom vide";
  if (nom == "." || nom == "..") return "nom réservé";
  for (char c : nom) {
    auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos) return "caractère interdit";
  }
  if (nom.back() == '.' || nom.back() == ' ') return "point ou espace final";
  if (EstPeripherique(nom)) return "nom de périphérique";
  return "";
}

TEcritTable::TEcritTable(uint32_t nombre, uint8_t l) : champ_(l, '\0') {
  AjouteLe32(octets_, nombre);
  octets_ += static_cast<char>(l);
}

void TEcritTable::Ajoute(std::string_view nom, uint32_t taille) {
  if (!champ_.empty()) {
    champ_[0] = static_cast<char>(nom.size());
    champ_.replace(1, nom.size(), nom);
  }
  octets_ += champ_;
  AjouteLe32(octets_, taille);
}
