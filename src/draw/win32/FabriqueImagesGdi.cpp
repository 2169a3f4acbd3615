#include "draw/win32/FabriqueImagesGdi.h"

#include "draw/win32/GdiCanvas.h"

Bitmap FabriqueImagesGdi::Dessine(int width, int height, const std::function<void(Canvas&)>& dessin) {
  DibSection section(width, height, 24);
  section.Fill(clWhite);
  dessin(section.Canvas());
  return section.ToBitmap();
}
