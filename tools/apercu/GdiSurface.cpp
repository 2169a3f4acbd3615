#include "draw/win32/GdiCanvas.h"

#include "Surface.h"

namespace {

class GdiSurface : public Surface {
public:
  GdiSurface(int w, int h) : dib_(w, h, 32) { dib_.Fill(clWhite); }
  Canvas& GetCanvas() override { return dib_.Canvas(); }
  Bitmap Pixels() override { return dib_.ToBitmap(); }

private:
  DibSection dib_;
};

}  // namespace

std::unique_ptr<Surface> MakeSurface(int width, int height) { return std::make_unique<GdiSurface>(width, height); }
