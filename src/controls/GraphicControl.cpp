#include "controls/GraphicControl.h"

#include "controls/Accelerators.h"

GraphicControl::~GraphicControl() {
  if (parent_) parent_->RemoveControl(*this);
}

void GraphicControl::SetParent(ControlParent* p) {
  if (p == parent_) return;
  if (parent_) {
    Invalidate();
    parent_->RemoveControl(*this);
  }
  parent_ = p;
  pressed_ = false;
  if (parent_) {
    parent_->InsertControl(*this);
    Invalidate();
  }
  if (parentFont_) FontChanged();
  ParentChanged();
}

void GraphicControl::SetBounds(int left, int top, int width, int height) {
  Rect r{left, top, left + width, top + height};
  if (r == bounds_) return;
  Invalidate();
  bounds_ = r;
  Invalidate();
}

void GraphicControl::SetVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  pressed_ = false;
  if (parent_) parent_->InvalidateRect(bounds_);
}

void GraphicControl::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  Invalidate();
}

const Font& GraphicControl::GetFont() const { return parentFont_ && parent_ ? parent_->GetFont() : font_; }

void GraphicControl::SetFont(const Font& f) {
  font_ = f;
  parentFont_ = false;
  FontChanged();
  Invalidate();
}

void GraphicControl::SetParentFont(bool v) {
  if (v == parentFont_) return;
  if (!v && parent_) font_ = parent_->GetFont();
  parentFont_ = v;
  FontChanged();
  Invalidate();
}

void GraphicControl::SetAutoSize(bool v) {
  if (v == autoSize_) return;
  autoSize_ = v;
  Invalidate();
}

void GraphicControl::ParentResized(int dw, int dh) {
  int l = Left(), t = Top(), w = Width(), h = Height();
  if (anchors_ & akRight) {
    if (anchors_ & akLeft) w += dw;
    else l += dw;
  } else if (!(anchors_ & akLeft)) {
    l += dw / 2;
  }
  if (anchors_ & akBottom) {
    if (anchors_ & akTop) h += dh;
    else t += dh;
  } else if (!(anchors_ & akTop)) {
    t += dh / 2;
  }
  SetBounds(l, t, w < 0 ? 0 : w, h < 0 ? 0 : h);
}

void GraphicControl::Invalidate() {
  if (parent_ && visible_) parent_->InvalidateRect(bounds_);
}

void GraphicControl::Paint(Canvas&) {}

void GraphicControl::MouseDown(MouseButton b, int, int) {
  if (b == MouseButton::Left && enabled_) pressed_ = true;
}

void GraphicControl::MouseMove(int, int) {}

void GraphicControl::MouseUp(MouseButton b, int x, int y) {
  if (b != MouseButton::Left || !pressed_) return;
  pressed_ = false;
  // Last: the click may close the window or destroy this control.
  if (Contains(x, y) && enabled_) Click();
}

void GraphicControl::DblClick() {
  if (OnDblClick) OnDblClick(*this);
}

void GraphicControl::Click() {
  if (OnClick) OnClick(*this);
}

AccessibleDescription GraphicControl::Describe() const {
  if (!visible_) return {};
  AccessibleDescription d = DescribeSelf();
  if (d.Role == AccessibleRole::None) return {};
  d.Bounds = bounds_;
  if (!enabled_) d.State |= asUnavailable;
  return d;
}

bool GraphicControl::DoDefaultAction() {
  if (!visible_ || !enabled_ || Describe().DefaultAction.empty()) return false;
  Click();  // last: the click may close the window or destroy this control
  return true;
}

GraphicControl* FindAccelerated(const std::vector<GraphicControl*>& controls, char c) {
  if (c == 0) return nullptr;
  for (GraphicControl* g : controls) {
    char a = g->Accelerator();
    if (a != 0 && g->Visible() && g->Enabled() && UpCase(a) == UpCase(c)) return g;
  }
  return nullptr;
}

GraphicControl* ControlAt(const std::vector<GraphicControl*>& controls, int x, int y) {
  for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
    const Rect& r = (*it)->BoundsRect();
    if ((*it)->Visible() && x >= r.left && x < r.right && y >= r.top && y < r.bottom) return *it;
  }
  return nullptr;
}
