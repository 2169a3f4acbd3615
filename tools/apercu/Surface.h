#pragma once
// A drawing surface whose pixels can be read back, and the pictures of the
// markup, as each build has them.

#include <memory>

#include "draw/Canvas.h"
#include "draw/FabriqueImages.h"
#include "markup/ElementsHTML.h"
#include "markup/LibJpeg.h"
#include "platform/FileSystem.h"

class Surface {
public:
  virtual ~Surface() = default;
  virtual Canvas& GetCanvas() = 0;
  virtual Bitmap Pixels() = 0;
};

// A white surface of the given size.
std::unique_ptr<Surface> MakeSurface(int width, int height);

// The files of the build's system (relative names from the current folder)
// and how it draws pictures in memory.
std::unique_ptr<platform::FileSystem> MakeFileSystem();
std::unique_ptr<FabriqueImages> MakeFabriqueImages();

// The pictures and form fields of the markup, each file read once however
// often the preview draws it.
struct Images {
  std::unique_ptr<platform::FileSystem> fichiers = MakeFileSystem();
  std::unique_ptr<FabriqueImages> dessins = MakeFabriqueImages();
  DecodeurLibJpeg jpeg;
  CacheImages cache{*fichiers, jpeg, *dessins, LangueFrancaise};
  ElementsHTML elements{cache};
};
