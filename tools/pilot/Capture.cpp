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

bool Capture(HWND window, CaptureMethod method, Picture& r, std::string& error) {
  RECT cr;
  POINT origin{0, 0};
  if (!GetClientRect(window, &cr) || !ClientToScreen(window, &origin)) {
    error = "no client rectangle";
    return false;
  }
  r.width = cr.right - cr.left;
  r.height = cr.bottom - cr.top;
  if (r.width <= 0 || r.height <= 0) {
    error = "empty window";
    return false;
  }

  win32::WindowDc screen(nullptr);
  win32::WindowDc own(window);
  HDC source = method == CaptureMethod::Screen ? screen.Get() : own.Get();
  if (!source) {
    error = "no device context";
    return false;
  }

  // A top-down 32-bit DIB section: its bits are the pixels, no GetDIBits pass.
  BITMAPINFO bi = TopDownDib(r.width, r.height, 32);
  void* bits = nullptr;
  win32::MemoryDc memory(source);
  win32::GdiObject<HBITMAP> bitmap(CreateDIBSection(memory.Get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!memory.Get() || !bitmap.Get() || !bits) {
    error = "no bitmap";
    return false;
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
      case CaptureMethod::Window: done = BitBlt(memory.Get(), 0, 0, r.width, r.height, source, 0, 0, SRCCOPY); break;
      case CaptureMethod::Print: done = PrintWindow(window, memory.Get(), PW_CLIENTONLY); break;
    }
    if (!done) {
      error = "capture failed";
      return false;
    }
  }
  GdiFlush();

  const auto* bgra = static_cast<const uint8_t*>(bits);
  const size_t count = static_cast<size_t>(r.width) * r.height;
  std::vector<uint8_t>& rgb = r.rgb;
  rgb.assign(count * 3, 0);
  r.blank = true;
  for (size_t i = 0; i < count; ++i) {
    rgb[i * 3] = bgra[i * 4 + 2];
    rgb[i * 3 + 1] = bgra[i * 4 + 1];
    rgb[i * 3 + 2] = bgra[i * 4];
    if (r.blank && (bgra[i * 4] != bgra[0] || bgra[i * 4 + 1] != bgra[1] || bgra[i * 4 + 2] != bgra[2]))
      r.blank = false;
  }
  return true;
}

bool WritePicture(const Picture& p, const std::string& path) {
  return stbi_write_png(path.c_str(), p.width, p.height, 3, p.rgb.data(), p.width * 3) != 0;
}

}  // namespace pilot
