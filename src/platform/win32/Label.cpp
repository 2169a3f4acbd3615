#include "platform/win32/Label.h"

#include "platform/win32/FontHandle.h"
#include "platform/win32/GdiCanvas.h"
#include "platform/win32/ScreenDc.h"

namespace win32 {

Label::Label() { GraphicControl::SetAutoSize(true); }

unsigned Label::Flags() const {
  unsigned f = DT_EXPANDTABS;
  if (alignment_ == Alignment::RightJustify) f |= DT_RIGHT;
  if (alignment_ == Alignment::Center) f |= DT_CENTER;
  if (wordWrap_) f |= DT_WORDBREAK;
  if (!showAccel_) f |= DT_NOPREFIX;
  if (rightToLeft_) f |= DT_RTLREADING;
  return f;
}

void Label::Changed() {
  AdjustBounds();
  Invalidate();
}

void Label::SetCaption(const std::string& v) {
  if (v == caption_) return;
  caption_ = v;
  Changed();
}

void Label::SetAlignment(Alignment a) {
  if (a == alignment_) return;
  alignment_ = a;
  Invalidate();
}

void Label::SetLayout(TextLayout l) {
  if (l == layout_) return;
  layout_ = l;
  Invalidate();
}

void Label::SetWordWrap(bool v) {
  if (v == wordWrap_) return;
  wordWrap_ = v;
  Changed();
}

void Label::SetTransparent(bool v) {
  if (v == transparent_) return;
  transparent_ = v;
  Invalidate();
}

Colour Label::Color() const { return parentColor_ && Parent() ? Parent()->GetColor() : color_; }

void Label::SetColor(Colour c) {
  color_ = c;
  parentColor_ = false;
  Invalidate();
}

void Label::SetRightToLeftReading(bool v) {
  if (v == rightToLeft_) return;
  rightToLeft_ = v;
  Invalidate();
}

void Label::SetShowAccelChar(bool v) {
  if (v == showAccel_) return;
  showAccel_ = v;
  Changed();
}

void Label::SetAutoSize(bool v) {
  GraphicControl::SetAutoSize(v);
  AdjustBounds();
}

void Label::AdjustBounds() {
  if (!AutoSize()) return;
  // An empty caption still measures one line.
  std::string text = caption_.empty() || (showAccel_ && caption_ == "&") ? caption_ + " " : caption_;
  ScreenDc screen;
  GdiSelection<HFONT> font(screen.Get());
  font.Select(MakeFont(GetFont()));
  RECT r{0, 0, wordWrap_ ? Width() : 0, 0};
  DrawTextA(screen.Get(), text.c_str(), static_cast<int>(text.size()), &r, Flags() | DT_CALCRECT);
  int width = wordWrap_ ? Width() : r.right;
  int left = Left();
  if (alignment_ == Alignment::RightJustify) left += Width() - width;
  SetBounds(left, Top(), width, r.bottom);
}

void Label::Paint(Canvas& canvas) {
  const int w = Width(), h = Height();
  if (!transparent_) {
    canvas.SetBrush(Brush{Color(), BrushStyle::Solid});
    canvas.FillRect(Rect{0, 0, w, h});
  }
  auto* gdi = dynamic_cast<GdiCanvas*>(&canvas);
  if (!gdi) {
    canvas.SetBrush(Brush{Color(), BrushStyle::Clear});
    canvas.TextOut(0, 0, caption_);
    return;
  }
  HDC dc = gdi->Handle();
  GdiSelection<HFONT> font(dc);
  font.Select(MakeFont(GetFont()));
  int oldMode = SetBkMode(dc, TRANSPARENT);
  COLORREF oldColour = SetTextColor(dc, ToColorRef(GetFont().Color));
  RECT r{0, 0, w, h};
  const unsigned f = Flags();
  const int n = static_cast<int>(caption_.size());
  if (layout_ != TextLayout::Top) {
    RECT c = r;
    DrawTextA(dc, caption_.c_str(), n, &c, f | DT_CALCRECT);
    r.top += layout_ == TextLayout::Center ? (h - c.bottom) / 2 : h - c.bottom;
  }
  DrawTextA(dc, caption_.c_str(), n, &r, f);
  SetTextColor(dc, oldColour);
  SetBkMode(dc, oldMode);
}

}  // namespace win32
