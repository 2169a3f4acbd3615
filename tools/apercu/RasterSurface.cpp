#include "Surface.h"
#include "draw/RasterCanvas.h"
#include "platform/posix/PosixFileSystem.h"

namespace {

class RasterSurface : public Surface {
public:
  RasterSurface(int w, int h) : canvas_(w, h, clWhite) {}
  Canvas& GetCanvas() override { return canvas_; }
  Bitmap Pixels() override { return canvas_.ToBitmap(); }

private:
  RasterCanvas canvas_;
};

}  // namespace

std::unique_ptr<Surface> MakeSurface(int width, int height) { return std::make_unique<RasterSurface>(width, height); }

std::unique_ptr<platform::FileSystem> MakeFileSystem() { return std::make_unique<platform::PosixFileSystem>(); }

std::unique_ptr<FabriqueImages> MakeFabriqueImages() { return std::make_unique<FabriqueImagesRaster>(); }
