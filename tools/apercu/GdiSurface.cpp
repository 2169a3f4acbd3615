#include "draw/win32/GdiCanvas.h"

#include "Surface.h"
#include "draw/win32/FabriqueImagesGdi.h"
#include "platform/win32/Win32FileSystem.h"

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

std::unique_ptr<platform::FileSystem> MakeFileSystem() { return std::make_unique<win32::Win32FileSystem>(); }

std::unique_ptr<FabriqueImages> MakeFabriqueImages() { return std::make_unique<FabriqueImagesGdi>(); }
