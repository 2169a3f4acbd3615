// DessineHTML on the raster canvas with arbitrary markup and widths 0..1000:
// no crash, no hang, a result below the top, and the canvas state restored.
#include <cstddef>
#include <cstdint>
#include <string>

#include "markup/DessineHTML.h"
#include "common/Errors.h"
#include "draw/RasterCanvas.h"

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
  try {
    int y = DessineHTML(canvas, 20, 5, width, text, clWhite);
    if (y <= 5) __builtin_trap();
    if (!(canvas.GetFont() == font && canvas.GetBrush() == brush && canvas.GetPen() == pen)) __builtin_trap();
  } catch (const EConvertError&) {
    // A malformed number in the markup: the drawing stops there.
  } catch (const ERangeError&) {
    // A position or size past the integer range: the same.
  }
  return 0;
}
