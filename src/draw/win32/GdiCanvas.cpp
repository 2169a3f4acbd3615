#include "draw/win32/GdiCanvas.h"

#include "common/Errors.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

UINT ObjectKind(HFONT) { return OBJ_FONT; }
UINT ObjectKind(HPEN) { return OBJ_PEN; }
UINT ObjectKind(HBRUSH) { return OBJ_BRUSH; }

}  // namespace

template <class Key, class H>
H GdiCanvas::Cache<Key, H>::Find(const Key& k) const {
  for (const auto& [key, h] : items_)
    if (key == k) return h.Get();
  return nullptr;
}

template <class Key, class H>
H GdiCanvas::Cache<Key, H>::Keep(const Key& k, GdiObject<H> h, HDC dc) {
  if (items_.size() >= Most) {
    const HGDIOBJ selected = GetCurrentObject(dc, ObjectKind(H{}));
    auto old = std::find_if(items_.begin(), items_.end(), [&](const auto& i) { return i.second.Get() != selected; });
    if (old != items_.end()) items_.erase(old);
  }
  const H kept = h.Get();
  items_.emplace_back(k, std::move(h));
  return kept;
}

COLORREF ToColorRef(Colour c) {
  if (IsSystemColour(c)) return GetSysColor(SystemColourIndex(c));
  return c & 0x00FFFFFF;
}

BITMAPINFO TopDownDib(int width, int height, int bitsPerPixel) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;  // negative: row 0 is the top
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = static_cast<WORD>(bitsPerPixel);
  bi.bmiHeader.biCompression = BI_RGB;
  return bi;
}

GdiObject<HFONT> MakeFont(const Font& f) {
  LOGFONTA lf{};
  lf.lfHeight = -MulDiv(f.Size, f.PixelsPerInch, 72);
  lf.lfWeight = (f.Style & fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = (f.Style & fsItalic) ? TRUE : FALSE;
  lf.lfUnderline = (f.Style & fsUnderline) ? TRUE : FALSE;
  lf.lfStrikeOut = (f.Style & fsStrikeOut) ? TRUE : FALSE;
  lf.lfCharSet = ANSI_CHARSET;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH;
  std::strncpy(lf.lfFaceName, f.Name.c_str(), LF_FACESIZE - 1);
  return GdiObject<HFONT>(CreateFontIndirectA(&lf));
}

GdiCanvas::GdiCanvas(HDC dc, int ppi) : dc_(dc), fontSel_(dc), penSel_(dc), brushSel_(dc) {
  font_.PixelsPerInch = ppi;
  SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
}

void GdiCanvas::SetFont(const Font& f) {
  font_ = f;
  fontDirty_ = true;
}

void GdiCanvas::SetPen(const Pen& p) {
  if (p == pen_) return;
  pen_ = p;
  penDirty_ = true;
}

void GdiCanvas::SetBrush(const Brush& b) {
  if (b == brush_) return;
  brush_ = b;
  brushDirty_ = true;
}

void GdiCanvas::RealizeFont() {
  if (!fontDirty_) return;
  fontDirty_ = false;
  SetTextColor(dc_, ToColorRef(font_.Color));
  Font key = font_;
  key.Color = 0;  // text colour is no part of a GDI font
  if (!fontSel_.Empty() && key == realizedFont_) return;
  HFONT h = fonts_.Find(key);
  if (!h) {
    GdiObject<HFONT> made = MakeFont(font_);
    // A font GDI refuses leaves the previous one in place: text still draws.
    if (!made.Get()) return;
    h = fonts_.Keep(key, std::move(made), dc_);
  }
  fontSel_.Select(GdiObject<HFONT>(h, false));
  realizedFont_ = key;
}

void GdiCanvas::RealizePen() {
  if (!penDirty_) return;
  penDirty_ = false;
  if (pen_.Style == PenStyle::Clear) {
    penSel_.Select(GdiObject<HPEN>(static_cast<HPEN>(GetStockObject(NULL_PEN)), false));
    return;
  }
  // Kept by the colour as drawn, so that a change of the system's colours
  // makes new ones.
  const Pen key{static_cast<Colour>(ToColorRef(pen_.Color)), pen_.Style, pen_.Width < 0 ? 0 : pen_.Width};
  HPEN h = pens_.Find(key);
  if (!h) {
    HPEN made = CreatePen(PS_SOLID, key.Width, key.Color);
    if (!made) return;
    h = pens_.Keep(key, GdiObject<HPEN>(made), dc_);
  }
  penSel_.Select(GdiObject<HPEN>(h, false));
}

void GdiCanvas::RealizeBrush() {
  if (!brushDirty_) return;
  brushDirty_ = false;
  if (brush_.Style == BrushStyle::Clear) {
    brushSel_.Select(GdiObject<HBRUSH>(static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)), false));
    return;
  }
  const Brush key{static_cast<Colour>(ToColorRef(brush_.Color)), brush_.Style};
  HBRUSH h = brushes_.Find(key);
  if (!h) {
    HBRUSH made = key.Style == BrushStyle::DiagCross ? CreateHatchBrush(HS_DIAGCROSS, key.Color)
                                                     : CreateSolidBrush(key.Color);
    if (!made) return;
    h = brushes_.Keep(key, GdiObject<HBRUSH>(made), dc_);
  }
  brushSel_.Select(GdiObject<HBRUSH>(h, false));
}

SIZE GdiCanvas::Extent(std::string_view text) {
  RealizeFont();
  SIZE sz{0, 0};
  if (text.empty()) {
    TEXTMETRICA tm{};
    GetTextMetricsA(dc_, &tm);
    sz.cy = tm.tmHeight;
    return sz;
  }
  GetTextExtentPoint32A(dc_, text.data(), static_cast<int>(text.size()), &sz);
  return sz;
}

void GdiCanvas::Text(int x, int y, std::string_view text, UINT options) {
  RealizeFont();
  if (brush_.Style == BrushStyle::Clear) {
    SetBkMode(dc_, TRANSPARENT);
  } else {
    SetBkMode(dc_, OPAQUE);
    SetBkColor(dc_, ToColorRef(brush_.Color));
  }
  ExtTextOutA(dc_, x, y, options, nullptr, text.data(), static_cast<UINT>(text.size()), nullptr);
}

void GdiCanvas::TextOut(int x, int y, std::string_view text) { Text(x, y, text, 0); }

void GdiCanvas::TextOutRightToLeft(int x, int y, std::string_view text) { Text(x, y, text, ETO_RTLREADING); }

int GdiCanvas::TextWidth(std::string_view text) { return text.empty() ? 0 : Extent(text).cx; }

int GdiCanvas::TextHeight(std::string_view text) { return Extent(text).cy; }

void GdiCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  RealizePen();
  RealizeBrush();
  // Hatches only: the gaps between them keep what was there.
  SetBkMode(dc_, TRANSPARENT);
  ::Rectangle(dc_, x1, y1, x2, y2);
}

void GdiCanvas::FillRect(const Rect& r) {
  RealizeBrush();
  if (brush_.Style == BrushStyle::Clear) return;
  SetBkMode(dc_, TRANSPARENT);
  RECT rc{r.left, r.top, r.right, r.bottom};
  HBRUSH h = static_cast<HBRUSH>(GetCurrentObject(dc_, OBJ_BRUSH));
  ::FillRect(dc_, &rc, h);
}

void GdiCanvas::MoveTo(int x, int y) { MoveToEx(dc_, x, y, nullptr); }

void GdiCanvas::LineTo(int x, int y) {
  RealizePen();
  ::LineTo(dc_, x, y);
}

Colour GdiCanvas::GetPixel(int x, int y) {
  COLORREF c = ::GetPixel(dc_, x, y);
  return c == CLR_INVALID ? clBlack : static_cast<Colour>(c);
}

void GdiCanvas::SetPixel(int x, int y, Colour c) { ::SetPixelV(dc_, x, y, ToColorRef(c)); }

void GdiCanvas::CopyRect(const Rect& dest, const Rect& src) {
  if (dest.Width() <= 0 || dest.Height() <= 0) return;
  BitBlt(dc_, dest.left, dest.top, dest.Width(), dest.Height(), dc_, src.left, src.top, SRCCOPY);
}

const uint32_t* GdiCanvas::Converted(const Bitmap& bmp, int left, int top, int width, int height) {
  pixels_.resize(static_cast<size_t>(width) * height);
  uint32_t* out = pixels_.data();
  for (int y = 0; y < height; ++y) {
    const Colour* row = bmp.Pixels.data() + static_cast<size_t>(top + y) * bmp.Width + left;
    for (int x = 0; x < width; ++x) {
      const Colour c = row[x];
      *out++ = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);  // BGRx in memory
    }
  }
  return pixels_.data();
}

void GdiCanvas::StretchDraw(const Rect& dest, const Bitmap& bmp) {
  if (bmp.Width <= 0 || bmp.Height <= 0) return;
  const uint32_t* px = Converted(bmp, 0, 0, bmp.Width, bmp.Height);
  BITMAPINFO bi = TopDownDib(bmp.Width, bmp.Height, 32);
  int oldMode = SetStretchBltMode(dc_, COLORONCOLOR);
  StretchDIBits(dc_, dest.left, dest.top, dest.Width(), dest.Height(), 0, 0, bmp.Width, bmp.Height, px, &bi,
                DIB_RGB_COLORS, SRCCOPY);
  SetStretchBltMode(dc_, oldMode);
}

Bitmap GdiCanvas::Stretched(const Bitmap& bmp, int width, int height) {
  if (width <= 0 || height <= 0 || bmp.Width <= 0 || bmp.Height <= 0) return Bitmap{};
  DibSection surface(width, height, 32, font_.PixelsPerInch);
  surface.Canvas().StretchDraw(Rect{0, 0, width, height}, bmp);
  return surface.ToBitmap();
}

void GdiCanvas::Draw(int x, int y, const Bitmap& bmp) {
  if (bmp.Width <= 0 || bmp.Height <= 0) return;
  RECT clip{};
  const int kind = GetClipBox(dc_, &clip);
  if (kind == NULLREGION) return;
  int64_t l = x, t = y, r = int64_t{x} + bmp.Width, b = int64_t{y} + bmp.Height;
  if (kind != ERROR) {
    l = std::max<int64_t>(l, clip.left);
    t = std::max<int64_t>(t, clip.top);
    r = std::min<int64_t>(r, clip.right);
    b = std::min<int64_t>(b, clip.bottom);
  }
  if (l >= r || t >= b) return;
  const int w = static_cast<int>(r - l), h = static_cast<int>(b - t);
  const uint32_t* px = Converted(bmp, static_cast<int>(l - x), static_cast<int>(t - y), w, h);
  BITMAPINFO bi = TopDownDib(w, h, 32);
  StretchDIBits(dc_, static_cast<int>(l), static_cast<int>(t), w, h, 0, 0, w, h, px, &bi, DIB_RGB_COLORS, SRCCOPY);
}

bool GdiCanvas::RectVisible(const Rect& r) {
  RECT rc{r.left, r.top, r.right, r.bottom};
  return ::RectVisible(dc_, &rc) != FALSE;
}

DibSection::DibSection(int width, int height, int bitsPerPixel, int ppi)
    : width_(width), height_(height), bpp_(bitsPerPixel) {
  if (width <= 0 || height <= 0 || (bitsPerPixel != 24 && bitsPerPixel != 32)) throw ERangeError(SRangeError);
  // Rows of whole 32-bit words; a section whose bytes would not fit an int
  // is more than GDI makes anyway.
  const int64_t stride = (int64_t{width} * bitsPerPixel + 31) / 32 * 4;
  if (stride * height > INT32_MAX) throw EOutOfMemory(SOutOfMemory);
  stride_ = static_cast<int>(stride);
  BITMAPINFO bi = TopDownDib(width, height, bitsPerPixel);
  if (!dc_.Get()) throw EOutOfMemory(SOutOfMemory);
  void* bits = nullptr;
  HBITMAP h = CreateDIBSection(dc_.Get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!h) throw EOutOfMemory(SOutOfMemory);
  bitmap_.Select(GdiObject<HBITMAP>(h));
  bits_ = static_cast<uint8_t*>(bits);
  canvas_ = std::make_unique<GdiCanvas>(dc_.Get(), ppi);
}

uint8_t* DibSection::Row(int y) {
  GdiFlush();
  return bits_ + static_cast<size_t>(y) * stride_;
}

Colour DibSection::Pixel(int x, int y) {
  const uint8_t* p = Row(y) + static_cast<size_t>(x) * (bpp_ / 8);
  return p[2] | (p[1] << 8) | (p[0] << 16);
}

void DibSection::SetPixelDirect(int x, int y, Colour c) {
  uint8_t* p = Row(y) + static_cast<size_t>(x) * (bpp_ / 8);
  p[0] = static_cast<uint8_t>(c >> 16);
  p[1] = static_cast<uint8_t>(c >> 8);
  p[2] = static_cast<uint8_t>(c);
}

void DibSection::Fill(Colour c) {
  COLORREF rgb = ToColorRef(c);
  GdiFlush();
  for (int y = 0; y < height_; ++y) {
    uint8_t* p = bits_ + static_cast<size_t>(y) * stride_;
    for (int x = 0; x < width_; ++x, p += bpp_ / 8) {
      p[0] = static_cast<uint8_t>(rgb >> 16);
      p[1] = static_cast<uint8_t>(rgb >> 8);
      p[2] = static_cast<uint8_t>(rgb);
    }
  }
}

Bitmap DibSection::ToBitmap() {
  Bitmap b;
  b.Width = width_;
  b.Height = height_;
  b.Pixels.resize(static_cast<size_t>(width_) * height_);
  GdiFlush();
  for (int y = 0; y < height_; ++y) {
    const uint8_t* row = bits_ + static_cast<size_t>(y) * stride_;
    for (int x = 0; x < width_; ++x) {
      const uint8_t* p = row + static_cast<size_t>(x) * (bpp_ / 8);
      b.Pixels[static_cast<size_t>(y) * width_ + x] = p[2] | (p[1] << 8) | (p[0] << 16);
    }
  }
  return b;
}
