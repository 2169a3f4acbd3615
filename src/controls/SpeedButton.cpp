#include "controls/SpeedButton.h"

#include "controls/Accelerators.h"

namespace {

constexpr int GlyphSpacing = 4;

void Line(Canvas& c, Colour col, int x1, int y1, int x2, int y2) {
  c.SetPen(Pen{col, PenStyle::Solid, 1});
  c.MoveTo(x1, y1);
  c.LineTo(x2, y2);
}

}  // namespace

void SpeedButton::SetCaption(const std::string& v) {
  if (v == caption_) return;
  caption_ = v;
  Invalidate();
}

void SpeedButton::SetGlyph(Bitmap b) {
  glyph_ = std::move(b);
  Invalidate();
}

char SpeedButton::Accelerator() const { return AccelChar(caption_); }

void SpeedButton::SetDown(bool v) {
  if (v == down_) return;
  down_ = v;
  Invalidate();
}

void SpeedButton::MouseDown(MouseButton b, int x, int y) {
  GraphicControl::MouseDown(b, x, y);
  if (Pressed()) SetDown(true);
}

void SpeedButton::MouseMove(int x, int y) {
  if (Pressed()) SetDown(Contains(x, y));
}

void SpeedButton::MouseUp(MouseButton b, int x, int y) {
  if (b == MouseButton::Left) SetDown(false);
  GraphicControl::MouseUp(b, x, y);
}

void SpeedButton::Paint(Canvas& c) {
  const int w = Width(), h = Height();
  if (w <= 0 || h <= 0) return;
  c.SetBrush(Brush{clBtnFace, BrushStyle::Solid});
  c.FillRect(Rect{0, 0, w, h});
  // Two-pixel bevel: light outside top-left and dark outside bottom-right when
  // raised, the other way round when down.
  Colour outerLight = down_ ? cl3DDkShadow : clBtnHighlight;
  Colour outerDark = down_ ? clBtnHighlight : cl3DDkShadow;
  Colour innerDark = down_ ? clBtnFace : clBtnShadow;
  Line(c, outerLight, 0, h - 1, 0, 0);
  Line(c, outerLight, 0, 0, w - 1, 0);
  Line(c, outerDark, w - 1, 0, w - 1, h - 1);
  Line(c, outerDark, w - 1, h - 1, -1, h - 1);
  if (down_) {
    Line(c, clBtnShadow, 1, h - 2, 1, 1);
    Line(c, clBtnShadow, 1, 1, w - 2, 1);
  } else {
    Line(c, innerDark, w - 2, 1, w - 2, h - 2);
    Line(c, innerDark, w - 2, h - 2, 0, h - 2);
  }

  const int shift = down_ ? 1 : 0;
  ShownCaption shown = ShowCaption(caption_);
  Font f = GetFont();
  if (!Enabled()) f.Color = clGrayText;
  c.SetFont(f);
  int tw = shown.Text.empty() ? 0 : c.TextWidth(shown.Text);
  int th = c.TextHeight(shown.Text.empty() ? "W" : shown.Text);
  int gw = glyph_.Width, gh = glyph_.Height;
  int total = gw + (gw > 0 && tw > 0 ? GlyphSpacing : 0) + tw;
  int x = (w - total) / 2 + shift;
  if (gw > 0 && gh > 0) {
    int gy = (h - gh) / 2 + shift;
    Colour clear = glyph_.At(0, gh - 1);
    for (int y = 0; y < gh; ++y)
      for (int gx = 0; gx < gw; ++gx) {
        Colour p = glyph_.At(gx, y);
        if (p != clear) c.SetPixel(x + gx, gy + y, p);
      }
    x += gw + (tw > 0 ? GlyphSpacing : 0);
  }
  if (tw == 0) return;
  int y = (h - th) / 2 + shift;
  c.SetBrush(Brush{clBtnFace, BrushStyle::Clear});
  DrawShownCaption(c, x, y, shown);
}

AccessibleDescription SpeedButton::DescribeSelf() const { return ButtonDescription(caption_, down_, Accelerator()); }
