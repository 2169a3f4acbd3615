#pragma once
// Canvas on a Windows device context, and a memory surface (a DIB section in
// its own memory DC) whose pixels can be read and written directly.

#include "platform/win32/Windows.h"

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "draw/Canvas.h"
#include "platform/win32/Handles.h"

using win32::GdiObject;
using win32::GdiSelection;

// Resolves a Colour to a COLORREF: system colours (high byte 0xFF) through
// GetSysColor, others as they are.
COLORREF ToColorRef(Colour c);

// The header of an uncompressed device-independent bitmap whose rows run
// from the top down.
BITMAPINFO TopDownDib(int width, int height, int bitsPerPixel);

// A GDI font for a Font description: height -MulDiv(Size, PixelsPerInch, 72),
// character set ANSI (the texts are cp1252 whatever the system's language).
// Null when GDI refuses it.
GdiObject<HFONT> MakeFont(const Font& f);

// Canvas on a DC it does not own. Fonts, pens and brushes are created when
// first needed after a change and kept while the canvas lives (a few of
// each), so that a canvas that paints the same window again and again
// switches between them without making GDI objects; the DC's own objects
// are selected back when the canvas goes away. The font's PixelsPerInch
// gives its height: -MulDiv(size, ppi, 72).
class GdiCanvas : public Canvas {
public:
  // ppi: pixels per inch of the initial font (and of fonts set without
  // another value in them).
  explicit GdiCanvas(HDC dc, int ppi = 96);
  GdiCanvas(const GdiCanvas&) = delete;
  GdiCanvas& operator=(const GdiCanvas&) = delete;
  ~GdiCanvas() override = default;

  HDC Handle() const { return dc_; }

  const Font& GetFont() const override { return font_; }
  void SetFont(const Font& f) override;
  const Pen& GetPen() const override { return pen_; }
  void SetPen(const Pen& p) override;
  const Brush& GetBrush() const override { return brush_; }
  void SetBrush(const Brush& b) override;

  void TextOut(int x, int y, std::string_view text) override;
  void TextOutRightToLeft(int x, int y, std::string_view text) override;
  int TextWidth(std::string_view text) override;
  int TextHeight(std::string_view text) override;

  void Rectangle(int x1, int y1, int x2, int y2) override;
  void FillRect(const Rect& r) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;

  Colour GetPixel(int x, int y) override;
  void SetPixel(int x, int y, Colour c) override;

  void CopyRect(const Rect& dest, const Rect& src) override;
  void StretchDraw(const Rect& dest, const Bitmap& bmp) override;
  // Stretched by GDI itself, on a memory surface: the same pixels as
  // StretchDraw puts on a 32-bit surface.
  Bitmap Stretched(const Bitmap& bmp, int width, int height) override;
  // Converts and copies only the part inside the clipping box.
  void Draw(int x, int y, const Bitmap& bmp) override;

  // System colours through GetSysColor.
  Colour ResolveColour(Colour c) override { return ToColorRef(c); }
  // Whether r meets the DC's clipping region.
  bool RectVisible(const Rect& r) override;

private:
  void RealizeFont();
  void Text(int x, int y, std::string_view text, UINT options);
  void RealizePen();
  void RealizeBrush();
  SIZE Extent(std::string_view text);
  // The pixels of a part of bmp as a 32-bit DIB's memory holds them, in a
  // buffer kept between calls.
  const uint32_t* Converted(const Bitmap& bmp, int left, int top, int width, int height);

  // Objects made for a key, kept for the next use of the same key; the
  // oldest that is not selected goes when there are too many.
  template <class Key, class H>
  class Cache {
  public:
    H Find(const Key& k) const;
    H Keep(const Key& k, GdiObject<H> h, HDC dc);

  private:
    static constexpr size_t Most = 16;
    std::vector<std::pair<Key, GdiObject<H>>> items_;
  };

  HDC dc_;
  Font font_;
  Pen pen_;
  Brush brush_;
  bool fontDirty_ = true, penDirty_ = true, brushDirty_ = true;
  Font realizedFont_;  // the font the selected HFONT was made from (colour aside)
  std::vector<uint32_t> pixels_;
  // Declared before the selections: destroyed after the DC got its own
  // objects back.
  Cache<Font, HFONT> fonts_;
  Cache<Pen, HPEN> pens_;
  Cache<Brush, HBRUSH> brushes_;
  // Declared after dc_: destroyed first, so the DC gets its objects back.
  GdiSelection<HFONT> fontSel_;
  GdiSelection<HPEN> penSel_;
  GdiSelection<HBRUSH> brushSel_;
};

// A top-down DIB section of 24 or 32 bits per pixel selected into its own
// memory DC, with a GdiCanvas on it and direct access to its rows.
class DibSection {
public:
  // Zero-filled (black). ERangeError for a size that is not positive or a
  // depth other than 24 or 32; EOutOfMemory when its bytes pass 2 GiB or GDI
  // cannot make it.
  DibSection(int width, int height, int bitsPerPixel = 32, int ppi = 96);
  DibSection(const DibSection&) = delete;
  DibSection& operator=(const DibSection&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  HDC Handle() const { return dc_.Get(); }
  GdiCanvas& Canvas() { return *canvas_; }

  // Pixel rows, blue-green-red(-unused) bytes. GDI's pending drawing is
  // flushed first, so what the canvas drew is there.
  uint8_t* Row(int y);
  Colour Pixel(int x, int y);
  void SetPixelDirect(int x, int y, Colour c);
  void Fill(Colour c);
  // Copy of the whole surface.
  Bitmap ToBitmap();

private:
  int width_, height_, bpp_, stride_;
  win32::MemoryDc dc_;
  uint8_t* bits_ = nullptr;
  // Selected into dc_ while the section lives; selected out before deletion.
  GdiSelection<HBITMAP> bitmap_{dc_.Get()};
  std::unique_ptr<GdiCanvas> canvas_;  // destroyed first: the DC gets its own objects back
};
