#pragma once
// A drawing surface whose pixels can be read back, as each build has one.

#include <memory>

#include "draw/Canvas.h"

class Surface {
public:
  virtual ~Surface() = default;
  virtual Canvas& GetCanvas() = 0;
  virtual Bitmap Pixels() = 0;
};

// A white surface of the given size.
std::unique_ptr<Surface> MakeSurface(int width, int height);
