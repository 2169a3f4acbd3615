// DessineHTML on the raster canvas with arbitrary markup and widths 0..1000,
// with pictures and form fields drawn from a folder holding a tiny JPEG, the
// check box pictures and a file that is no JPEG: no crash, no hang, no leak,
// a result below the top, and the canvas state restored. Then the text the
// same drawing reads as (TexteDessine): no crash, and nothing or whole lines.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/Errors.h"
#include "draw/RasterCanvas.h"
#include "markup/DessineHTML.h"
#include "markup/ElementsHTML.h"
#include "markup/LibJpeg.h"
#include "markup/TexteDessine.h"
#include "support/FabriqueJpeg.h"
#include "support/MemoryFileSystem.h"

namespace {

MemoryFileSystem& Dossier() {
  static MemoryFileSystem fs;
  static const bool rempli = [] {
    const std::string jpeg = EncodeJpeg(Uni(6, 4, 0x3366CC), 75);
    for (const char* nom : {"C:\\a.jpg", "C:\\coché.jpg", "C:\\checked.jpg", "C:\\A~1.JPG"}) fs.AddFile(nom, jpeg);
    fs.AddFile("C:\\casse.jpg", "GIF89a");
    fs.AddShortName("C:\\LOGO~1.JPG", "C:\\a.jpg");
    return true;
  }();
  (void)rempli;
  return fs;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const int width = (data[0] | (data[1] << 8)) % 1001;
  const std::string text(reinterpret_cast<const char*>(data + 2), size - 2);
  static RasterCanvas canvas(1100, 300);  // kept between runs: no large allocation each time
  canvas.Clear(clWhite);
  canvas.SetFont(Font{});
  canvas.SetBrush(Brush{});
  canvas.SetPen(Pen{});
  const Font font = canvas.GetFont();
  const Brush brush = canvas.GetBrush();
  const Pen pen = canvas.GetPen();
  // A cache of its own for each input: placeholders of new names would pile up.
  static DecodeurLibJpeg jpeg;
  static FabriqueImagesRaster dessins;
  CacheImages images(Dossier(), jpeg, dessins);
  ElementsHTML elements(images);
  try {
    int y = DessineHTML(canvas, 20, 5, width, text, clWhite, elements);
    if (y <= 5) __builtin_trap();
    if (!(canvas.GetFont() == font && canvas.GetBrush() == brush && canvas.GetPen() == pen)) __builtin_trap();
  } catch (const EConvertError&) {
    // A malformed number in the markup: the drawing stops there.
  } catch (const ERangeError&) {
    // A position or size past the integer range: the same.
  } catch (const EJPEG&) {
    // casse.jpg shown.
  }
  const std::string lu = TexteDessine(canvas, 20, 5, width, text, clWhite, elements);
  if (!lu.empty() && (lu.size() < 2 || lu.compare(lu.size() - 2, 2, "\r\n") != 0)) __builtin_trap();
  Dossier().ClearCalls();
  return 0;
}
