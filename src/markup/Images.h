#pragma once
// The pictures of markup: JPEG files read once and kept, and a placeholder
// that names a file that is missing.

#include <deque>
#include <string>

#include "common/ShortString.h"
#include "draw/Canvas.h"
#include "draw/FabriqueImages.h"
#include "markup/DecodeurJpeg.h"
#include "platform/FileSystem.h"

// Languages of the interface texts (CodeLangue).
inline constexpr int LangueFrancaise = 12;
inline constexpr int LangueAnglaise = 9;

// FileName with a "~" (a short alias) is searched for: when the search finds
// it, the result is the name's folder part (up to its last "\" or ":", cut to
// 79 characters) followed by the long name found. Otherwise, and for names
// without "~", FileName unchanged. Cut to 255 characters.
std::string NomLong(platform::FileSystem& fichiers, const std::string& FileName);

// The 300 x 200 picture shown for a missing file: a red diagonal cross hatch
// inside a black frame, and in white bold Tahoma 14 pt on red the name
// centred at y = 60 and "introuvable !" ("Not found !" for CodeLangue 9)
// centred at y = 120.
Bitmap ImageIntrouvable(FabriqueImages& dessins, const std::string& nom, int CodeLangue);

// Every picture markup has shown, by name. Entries are added and never
// removed: a file changed or created after its first use is not read again.
// The cache is made once at start-up and its pictures go with it when the
// program ends.
class CacheImages {
public:
  CacheImages(platform::FileSystem& fichiers, DecodeurJpeg& jpeg, FabriqueImages& dessins,
              int CodeLangue = LangueFrancaise);
  CacheImages(const CacheImages&) = delete;
  CacheImages& operator=(const CacheImages&) = delete;

  // The picture of NomLong(FileName): the cached one when the name is there
  // (compared exactly, case included); else, when the file exists, the file
  // read and decoded; else a placeholder naming it. A file that exists but
  // cannot be opened raises EFOpenError, one that cannot be read EInOutError,
  // one that cannot be decoded EJPEG naming it; nothing is cached then. The
  // reference lives as long as the cache.
  const Bitmap& ChargeImage(const std::string& FileName);

  platform::FileSystem& Fichiers() { return fichiers_; }
  std::size_t Taille() const { return entrees_.size(); }

private:
  struct Entree {
    ShortString Nom;
    Bitmap Image;
  };
  Bitmap Lit(const std::string& nom);

  platform::FileSystem& fichiers_;
  DecodeurJpeg& jpeg_;
  FabriqueImages& dessins_;
  int codeLangue_;
  std::deque<Entree> entrees_;  // a deque keeps the pictures in place as it grows
};
