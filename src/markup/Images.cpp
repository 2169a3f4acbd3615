#include "markup/Images.h"

#include <cstdint>
#include <memory>
#include <vector>

#include "common/Errors.h"
#include "markup/Champs.h"

using platform::Access;
using platform::Disposition;
using platform::File;
using platform::Share;

namespace {

constexpr int LargeurIntrouvable = 300, HauteurIntrouvable = 200;
constexpr Colour Rouge = 0x0000FF;
constexpr std::size_t CapaciteDossier = 79;
constexpr uint32_t Tranche = 1u << 30;

}  // namespace

std::string NomLong(platform::FileSystem& fichiers, const std::string& FileName) {
  if (FileName.find('~') == std::string::npos) return FileName;
  std::optional<std::string> trouve = fichiers.FindFile(FileName);
  if (!trouve) return FileName;
  std::size_t sep = FileName.find_last_of("\\:");
  ShortString nom(sep == std::string::npos ? std::string_view() : std::string_view(FileName).substr(0, sep + 1),
                  CapaciteDossier);
  return (nom + *trouve).substr(0, ShortString::MaxCapacity);
}

Bitmap ImageIntrouvable(FabriqueImages& dessins, const std::string& nom, int CodeLangue) {
  return dessins.Dessine(LargeurIntrouvable, HauteurIntrouvable, [&](Canvas& c) {
    c.SetBrush({Rouge, BrushStyle::DiagCross});
    c.Rectangle(1, 1, LargeurIntrouvable, HauteurIntrouvable);
    c.SetFont(PoliceDe(c.GetFont(), "Tahoma", 14, fsBold, clWhite));
    c.SetBrush({Rouge, BrushStyle::Solid});
    c.TextOut((LargeurIntrouvable - c.TextWidth(nom)) / 2, 60, nom);
    const char* introuvable = CodeLangue == LangueAnglaise ? "Not found !" : "introuvable !";
    c.TextOut((LargeurIntrouvable - c.TextWidth(introuvable)) / 2, 120, introuvable);
  });
}

CacheImages::CacheImages(platform::FileSystem& fichiers, DecodeurJpeg& jpeg, FabriqueImages& dessins, int CodeLangue)
    : fichiers_(fichiers), jpeg_(jpeg), dessins_(dessins), codeLangue_(CodeLangue) {}

const Bitmap& CacheImages::ChargeImage(const std::string& FileName) {
  const ShortString nom(NomLong(fichiers_, FileName));
  for (const Entree& e : entrees_)
    if (e.Nom == nom) return e.Image;
  // Read before it is added: a picture that fails is not kept half made.
  Bitmap image = fichiers_.FileExists(nom.str()) ? Lit(nom.str()) : ImageIntrouvable(dessins_, nom.str(), codeLangue_);
  entrees_.push_back({nom, std::move(image)});
  return entrees_.back().Image;
}

Bitmap CacheImages::Lit(const std::string& nom) {
  std::vector<uint8_t> octets;
  {
    uint32_t e = 0;
    std::unique_ptr<File> f = fichiers_.Open(nom, Access::Read, Share::Read, Disposition::OpenExisting, &e);
    if (!f) throw EFOpenError(FOpenErrorMessage(nom, fichiers_.SystemMessage(e)));
    const uint64_t taille = f->Size();
    if (taille > SIZE_MAX) throw EOutOfMemory(SOutOfMemory);
    octets.resize(static_cast<std::size_t>(taille));
    for (std::size_t fait = 0; fait < octets.size();) {
      uint32_t part = static_cast<uint32_t>(std::min<std::size_t>(octets.size() - fait, Tranche)), lu = 0;
      if (uint32_t err = f->Read(octets.data() + fait, part, &lu)) throw EInOutError(err);
      if (lu < part) throw EInOutError(EInOutError::ReadPastEnd);
      fait += lu;
    }
  }
  try {
    return jpeg_.Decode(octets);
  } catch (const EJPEG& e) {
    throw EJPEG("Image \"" + nom + "\" : " + e.Message());
  }
}
