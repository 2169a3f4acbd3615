#include "Capture.h"

#include <cstdint>
#include <vector>

#include "draw/win32/GdiCanvas.h"
#include "platform/win32/Handles.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wsign-compare"
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

namespace pilot {

ShotResult SaveShot(HWND window, CaptureMethod method, const std::string& path) {
  ShotResult r;
  RECT cr;
  POINT origin{0, 0};
  if (!GetClientRect(window, &cr) || !ClientToScreen(window, &origin)) {
    r.error = "no client rectangle";
    return r;
  }
  r.width = cr.right - cr.left;
  r.height = cr.bottom - cr.top;
  if (r.width <= 0 || r.height <= 0) {
    r.error = "empty window";
    return r;
  }

  win32::WindowDc screen(nullptr);
  win32::WindowDc own(window);
  HDC source = method == CaptureMethod::Screen ? screen.Get() : own.Get();
  if (!source) {
    r.error = "no device context";
    return r;
  }

  // A top-down 32-bit DIB section: its bits are the pixels, no GetDIBits pass.
  BITMAPINFO bi = TopDownDib(r.width, r.height, 32);
  void* bits = nullptr;
  win32::MemoryDc memory(source);
  win32::GdiObject<HBITMAP> bitmap(CreateDIBSection(memory.Get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!memory.Get() || !bitmap.Get() || !bits) {
    r.error = "no bitmap";
    return r;
  }
  {
    // Selected for the copy only: the bits are read after it is selected out.
    win32::GdiSelection<HBITMAP> select(memory.Get());
    select.Select(win32::GdiObject<HBITMAP>(bitmap.Get(), false));
    BOOL done = FALSE;
    switch (method) {
      case CaptureMethod::Screen:
        done = BitBlt(memory.Get(), 0, 0, r.width, r.height, source, origin.x, origin.y, SRCCOPY);
        break;
      case CaptureMethod::Window:
        done = BitBlt(memory.Get(), 0, 0, r.width, r.height, source, 0, 0, SRCCOPY);
        break;
      case CaptureMethod::Print:
        done = PrintWindow(window, memory.Get(), PW_CLIENTONLY);
        break;
    }
    if (!done) {
      r.error = "capture failed";
      return r;
    }
  }
  GdiFlush();

  const auto* bgra = static_cast<const uint8_t*>(bits);
  const size_t count = static_cast<size_t>(r.width) * r.height;
  std::vector<uint8_t> rgb(count * 3);
  r.blank = true;
  for (size_t i = 0; i < count; ++i) {
    rgb[i * 3] = bgra[i * 4 + 2];
    rgb[i * 3 + 1] = bgra[i * 4 + 1];
    rgb[i * 3 + 2] = bgra[i * 4];
    if (r.blank && (bgra[i * 4] != bgra[0] || bgra[i * 4 + 1] != bgra[1] || bgra[i * 4 + 2] != bgra[2]))
      r.blank = false;
  }
  if (!stbi_write_png(path.c_str(), r.width, r.height, 3, rgb.data(), r.width * 3)) {
    r.error = "cannot write " + path;
    return r;
  }
  r.ok = true;
  return r;
}

}  // namespace pilot
