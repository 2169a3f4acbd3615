#pragma once
// Pictures drawn in memory: a drawing is handed a fresh white surface of the
// size asked, and what it drew comes back as a Bitmap. The raster canvas makes
// them on any host; the Windows builds draw them with GDI and real fonts.

#include <functional>

#include "draw/Canvas.h"

class FabriqueImages {
public:
  virtual ~FabriqueImages() = default;
  // A white width x height surface (both positive) after dessin drew on it.
  virtual Bitmap Dessine(int width, int height, const std::function<void(Canvas&)>& dessin) = 0;
};

// On the raster canvas, with its built-in font, at 96 pixels per inch.
class FabriqueImagesRaster : public FabriqueImages {
public:
  Bitmap Dessine(int width, int height, const std::function<void(Canvas&)>& dessin) override;
};
