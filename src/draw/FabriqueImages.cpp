#include "draw/FabriqueImages.h"

#include "draw/RasterCanvas.h"

Bitmap FabriqueImagesRaster::Dessine(int width, int height, const std::function<void(Canvas&)>& dessin) {
  RasterCanvas c(width, height, clWhite);
  dessin(c);
  return c.ToBitmap();
}
