#include "controls/CurvedSpeedButton.h"

#include "draw/ColourOperations.h"

namespace {

// What the face's shading adds at the top and takes at the bottom.
constexpr Colour FaceLight = 0x3F3F3F;
// Room between the glyph and the caption.
constexpr int GlyphGap = 5;

}  // namespace

void TCurvedSpeedButton::SetCaption(const std::string& v) {
  if (v == caption_) return;
  caption_ = v;
  Invalidate();
}

void TCurvedSpeedButton::SetColor(Colour c) {
  if (c == color_) return;
  color_ = c;
  Invalidate();
}

void TCurvedSpeedButton::SetParentColor(bool v) {
  if (v == parentColor_) return;
  parentColor_ = v;
  Invalidate();
}

void TCurvedSpeedButton::SetTransparent(bool v) {
  if (v == transparent_) return;
  transparent_ = v;
  Invalidate();
}

void TCurvedSpeedButton::SetGlyph(const Bitmap& b) {
  glyph_ = b;
  Invalidate();
}

void TCurvedSpeedButton::MouseDown(MouseButton b, int x, int y) {
  GraphicControl::MouseDown(b, x, y);
  if (!Enabled()) return;
  pressed_ = true;
  Invalidate();
}

void TCurvedSpeedButton::MouseUp(MouseButton b, int x, int y) {
  pressed_ = false;
  Invalidate();
  GraphicControl::MouseUp(b, x, y);  // may click: last
}

void TCurvedSpeedButton::Paint(Canvas& c) {
  const Font font = GetFont();
  c.SetFont(font);
  // The parent's colour is stored without a repaint: this paint shows it.
  if ((parentColor_ || transparent_) && Parent()) color_ = Parent()->ResolveColour(Parent()->GetColor());
  const Colour face = c.ResolveColour(color_);

  const bool hasGlyph = glyph_.Width > 0 && glyph_.Height > 0;
  const int gw = hasGlyph ? glyph_.Width + GlyphGap : 0;
  const int gh = hasGlyph ? glyph_.Height : 0;

  DrawButtonFrame(c, Width() - 1, Height() - 1, pressed_, face, FaceLight);

  c.SetBrush(Brush{face, BrushStyle::Clear});
  int tx = (Width() - c.TextWidth(caption_) - gw) / 2 + gw;
  int ty = (Height() - c.TextHeight(caption_)) / 2;
  if (pressed_) {
    ++tx;
    ++ty;
  }
  // The inner factor is 75, not 0.75: each channel of the font colour goes
  // 75 times the way to white and wraps modulo 256 (black gives 0xB5B5B5).
  const Colour text = c.ResolveColour(font.Color);
  Font shadow = font;
  shadow.Color = BlendColors(face, BlendColors(text, clWhite, 75), 0.5);
  c.SetFont(shadow);
  c.TextOut(tx + 1, ty + 1, caption_);
  c.SetFont(font);
  c.TextOut(tx, ty, caption_);

  if (!hasGlyph) return;
  const int gx = tx - gw;
  const int gy = (Height() - gh) / 2 + 1 + (pressed_ ? 1 : 0);
  const Colour clear = glyph_.At(0, 0);
  for (int j = 0; j < glyph_.Height; ++j)
    for (int i = 0; i < glyph_.Width; ++i)
      if (glyph_.At(i, j) != clear) c.SetPixel(gx + i - 1, gy + j - 1, glyph_.At(i, j));
}

AccessibleDescription TCurvedSpeedButton::DescribeSelf() const {
  return ButtonDescription(caption_, pressed_, Accelerator());
}
