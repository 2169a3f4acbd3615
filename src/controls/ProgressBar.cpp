#include "controls/ProgressBar.h"

#include <algorithm>
#include <string>

void ProgressBar::SetRange(int min, int max) {
  min_ = min;
  max_ = std::max(min, max);
  SetPosition(position_);
  Invalidate();
}

void ProgressBar::SetPosition(int v) {
  v = std::clamp(v, min_, max_);
  if (v == position_) return;
  position_ = v;
  Invalidate();
  if (Parent() && Visible()) Parent()->AccessibleValueChanged(*this);
}

AccessibleDescription ProgressBar::DescribeSelf() const {
  AccessibleDescription d;
  d.Role = AccessibleRole::ProgressBar;
  d.Value = std::to_string(position_) + "%";
  d.State = asReadOnly;
  return d;
}

void ProgressBar::Paint(Canvas& c) {
  const int w = Width(), h = Height();
  if (w <= 0 || h <= 0) return;
  c.SetBrush(Brush{clBtnFace, BrushStyle::Solid});
  c.FillRect(Rect{0, 0, w, h});
  c.SetPen(Pen{clBtnShadow, PenStyle::Solid, 1});
  c.MoveTo(0, h - 1);
  c.LineTo(0, 0);
  c.LineTo(w, 0);
  c.SetPen(Pen{clBtnHighlight, PenStyle::Solid, 1});
  c.MoveTo(w - 1, 1);
  c.LineTo(w - 1, h - 1);
  c.LineTo(0, h - 1);
  const int inner = w - 2;
  const long long span = static_cast<long long>(max_) - min_;
  int filled = span > 0 ? static_cast<int>(inner * (static_cast<long long>(position_) - min_) / span) : 0;
  if (filled <= 0) return;
  c.SetBrush(Brush{clHighlight, BrushStyle::Solid});
  c.FillRect(Rect{1, 1, 1 + filled, h - 1});
}
