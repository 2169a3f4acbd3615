#pragma once
// The one drawing surface of the system. Markup, controls and windows paint
// through it only; GdiCanvas puts it on a Windows device context, RasterCanvas
// on a pixel buffer for native tests.

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "common/Colour.h"

struct Point {
  int x = 0, y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

// Left and top inclusive, right and bottom exclusive.
struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

enum FontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using FontStyles = uint8_t;

struct Font {
  std::string Name = "MS Sans Serif";
  int Size = 8;  // points
  Colour Color = clWindowText;
  FontStyles Style = 0;
  int PixelsPerInch = 96;
  friend bool operator==(const Font&, const Font&) = default;
};

enum class PenStyle { Solid, Clear };
struct Pen {
  Colour Color = clBlack;
  PenStyle Style = PenStyle::Solid;
  int Width = 1;
  friend bool operator==(const Pen&, const Pen&) = default;
};

// A clear brush also makes text backgrounds transparent; any other style
// draws text on an opaque background of the brush colour.
enum class BrushStyle { Solid, Clear, DiagCross };
struct Brush {
  Colour Color = clWhite;
  BrushStyle Style = BrushStyle::Solid;
  friend bool operator==(const Brush&, const Brush&) = default;
};

// A 24-bit picture in memory, rows top to bottom, one Colour per pixel.
struct Bitmap {
  int Width = 0, Height = 0;
  std::vector<Colour> Pixels;
  Colour At(int x, int y) const { return Pixels[static_cast<size_t>(y) * Width + x]; }
};

// Nearest-pixel scaling: the source column (or row) that destination column
// d of `to` shows, for a source of `from`; both sizes positive, 0 <= d < to.
inline int NearestSource(int64_t d, int64_t to, int64_t from) { return static_cast<int>(d * from / to); }

class Canvas {
public:
  virtual ~Canvas() = default;

  virtual const Font& GetFont() const = 0;
  virtual void SetFont(const Font& f) = 0;
  virtual const Pen& GetPen() const = 0;
  virtual void SetPen(const Pen& p) = 0;
  virtual const Brush& GetBrush() const = 0;
  virtual void SetBrush(const Brush& b) = 0;

  // Text with the top-left of its cell at (x, y), in the current font, on the
  // brush's background unless the brush is clear.
  virtual void TextOut(int x, int y, std::string_view text) = 0;
  // The same in right-to-left reading order, which only scripts written that
  // way show; a surface without bidirectional text draws it as TextOut does.
  virtual void TextOutRightToLeft(int x, int y, std::string_view text) { TextOut(x, y, text); }
  virtual int TextWidth(std::string_view text) = 0;
  virtual int TextHeight(std::string_view text) = 0;

  // Border with the pen (one pixel), inside filled with the brush.
  virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
  // Fill with the brush only.
  virtual void FillRect(const Rect& r) = 0;
  virtual void MoveTo(int x, int y) = 0;
  // Line with the pen from the current position; the end point is left out.
  virtual void LineTo(int x, int y) = 0;

  virtual Colour GetPixel(int x, int y) = 0;
  virtual void SetPixel(int x, int y, Colour c) = 0;

  // Copies the pixels of src within this surface onto dest (same size).
  virtual void CopyRect(const Rect& dest, const Rect& src) = 0;
  // Draws a bitmap stretched over dest.
  virtual void StretchDraw(const Rect& dest, const Bitmap& bmp) = 0;
  // The bitmap stretched over width x height exactly as StretchDraw would
  // draw it here: what a control that paints the same stretched picture on
  // every paint keeps, so that it stretches only when the picture changes.
  virtual Bitmap Stretched(const Bitmap& bmp, int width, int height);
  // Draws a bitmap at its own size with its top-left at (x, y). A surface
  // may copy only the part its clipping leaves visible.
  virtual void Draw(int x, int y, const Bitmap& bmp) { StretchDraw(Rect{x, y, x + bmp.Width, y + bmp.Height}, bmp); }

  // A colour as this surface shows it, in RGB: system colours take the
  // surface's current scheme (here the platform's default one).
  virtual Colour ResolveColour(Colour c) { return ResolveDefault(c); }
  // Whether any part of r may show on the surface (outside the clipping
  // region, nothing drawn there can); here always.
  virtual bool RectVisible(const Rect&) { return true; }

  // Convenience accessors in the platform's style.
  int PixelsPerInch() const { return GetFont().PixelsPerInch; }
};

inline Bitmap Canvas::Stretched(const Bitmap& bmp, int width, int height) {
  Bitmap out;
  if (width <= 0 || height <= 0 || bmp.Width <= 0 || bmp.Height <= 0) return out;
  out.Width = width;
  out.Height = height;
  out.Pixels.resize(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    const int sy = NearestSource(y, height, bmp.Height);
    for (int x = 0; x < width; ++x)
      out.Pixels[static_cast<size_t>(y) * width + x] = bmp.At(NearestSource(x, width, bmp.Width), sy) & 0x00FFFFFF;
  }
  return out;
}

// The parts of a canvas's state that a CanvasState puts back.
enum CanvasPart : unsigned { csFont = 1, csBrush = 2, csPenColour = 4, csPenStyle = 8, csPenWidth = 16 };

// When a CanvasState puts its parts back: at every end of its scope, or
// only at a normal one (a throw then leaves the drawing's state for the
// caller to see).
enum class CanvasRestore { Always, OnReturnOnly };

// Takes the state of a canvas when a drawing begins and puts back the parts
// named when the scope ends, so that a drawing may change font, brush and pen
// freely. The parts not named keep what the drawing left.
class CanvasState {
public:
  CanvasState(Canvas& c, unsigned parts, CanvasRestore when = CanvasRestore::Always)
      : c_(c), parts_(parts), font_(c.GetFont()), brush_(c.GetBrush()), pen_(c.GetPen()),
        throwing_(when == CanvasRestore::Always ? -1 : std::uncaught_exceptions()) {}
  CanvasState(const CanvasState&) = delete;
  CanvasState& operator=(const CanvasState&) = delete;
  ~CanvasState() {
    if (throwing_ >= 0 && std::uncaught_exceptions() > throwing_) return;
    try {
      if (parts_ & csFont) c_.SetFont(font_);
      if (parts_ & csBrush) c_.SetBrush(brush_);
      if (parts_ & (csPenColour | csPenStyle | csPenWidth)) {
        Pen p = c_.GetPen();
        if (parts_ & csPenColour) p.Color = pen_.Color;
        if (parts_ & csPenStyle) p.Style = pen_.Style;
        if (parts_ & csPenWidth) p.Width = pen_.Width;
        c_.SetPen(p);
      }
    } catch (...) {
      // Only a copy of the state can fail, for want of memory: nothing left
      // to draw with then.
    }
  }
  // The state as it was taken.
  const Font& SavedFont() const { return font_; }
  const Brush& SavedBrush() const { return brush_; }

private:
  Canvas& c_;
  unsigned parts_;
  Font font_;
  Brush brush_;
  Pen pen_;
  int throwing_;  // exceptions in flight when taken, -1 to put back at any end
};
