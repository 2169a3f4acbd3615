#include "platform/win32/BitmapFile.h"

#include <vector>

#include "platform/win32/GdiCanvas.h"
#include "platform/win32/ScreenDc.h"
#include "platform/win32/Win32Platform.h"

namespace win32 {

namespace {
constexpr const char* SInvalidBitmap = "Image bitmap incorrecte";
}  // namespace

Bitmap LoadBitmapFile(const std::string& path) {
  {
    UniqueHandle probe(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!probe.Valid()) throw EFOpenError(FOpenErrorMessage(path, SystemErrorMessage(GetLastError())));
  }
  GdiObject<HBITMAP> bmp(static_cast<HBITMAP>(
      LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
  if (!bmp.Get()) throw EInvalidGraphic(SInvalidBitmap);
  BITMAP info{};
  if (!GetObjectA(bmp.Get(), sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0)
    throw EInvalidGraphic(SInvalidBitmap);
  Bitmap r;
  r.Width = info.bmWidth;
  r.Height = info.bmHeight;
  std::vector<uint8_t> bgra(static_cast<size_t>(r.Width) * r.Height * 4);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = r.Width;
  bi.bmiHeader.biHeight = -r.Height;  // top-down rows
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  ScreenDc screen;
  if (GetDIBits(screen.Get(), bmp.Get(), 0, static_cast<UINT>(r.Height), bgra.data(), &bi, DIB_RGB_COLORS) !=
      r.Height)
    throw EInvalidGraphic(SInvalidBitmap);
  r.Pixels.resize(static_cast<size_t>(r.Width) * r.Height);
  for (size_t i = 0; i < r.Pixels.size(); ++i)
    r.Pixels[i] = Colour{bgra[4 * i + 2]} | Colour{bgra[4 * i + 1]} << 8 | Colour{bgra[4 * i]} << 16;
  return r;
}

}  // namespace win32
