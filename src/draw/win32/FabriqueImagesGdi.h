#pragma once
// Pictures drawn in memory with GDI: a 24-bit DIB section per picture.

#include "draw/FabriqueImages.h"

class FabriqueImagesGdi : public FabriqueImages {
public:
  Bitmap Dessine(int width, int height, const std::function<void(Canvas&)>& dessin) override;
};
