#include "controls/Gradient.h"

#include <algorithm>

namespace {

int Clamp100(int v) { return std::clamp(v, -100, 100); }

// Larger controls are stretched on every paint rather than kept stretched.
constexpr int64_t MostKeptPixels = 4096 * 4096;

// Clears the building flag on every way out of a build.
class BuildingScope {
public:
  explicit BuildingScope(bool& flag) : flag_(flag) { flag_ = true; }
  BuildingScope(const BuildingScope&) = delete;
  BuildingScope& operator=(const BuildingScope&) = delete;
  ~BuildingScope() { flag_ = false; }

private:
  bool& flag_;
};

}  // namespace

TGradient::TGradient() {
  SetBounds(0, 0, 100, 100);
  RebuildPattern();
}

void TGradient::SetColorBegin(Colour c) {
  if (c == colorBegin_) return;
  colorBegin_ = c;
  useSysColors_ = false;
  RebuildPattern();
}

void TGradient::SetColorEnd(Colour c) {
  if (c == colorEnd_) return;
  colorEnd_ = c;
  useSysColors_ = false;
  RebuildPattern();
}

void TGradient::SetUseSysColors(bool v) {
  if (v == useSysColors_) return;
  useSysColors_ = v;
  if (v) ReadSystemColors();
}

void TGradient::SetStyle(TGradientStyle s) {
  if (s == style_) return;
  style_ = s;
  RebuildPattern();
}

void TGradient::SetShift(int v) {
  v = Clamp100(v);
  if (v == shift_) return;
  shift_ = static_cast<int8_t>(v);
  RebuildPattern();
}

void TGradient::SetRotation(int v) {
  v = Clamp100(v);
  if (v == rotation_) return;
  rotation_ = static_cast<int8_t>(v);
  RebuildPattern();
}

void TGradient::SetReverse(bool v) {
  if (v == reverse_) return;
  reverse_ = v;
  RebuildPattern();
}

void TGradient::LockPattern() { ++lockCount_; }

void TGradient::UnlockPattern() {
  --lockCount_;
  if (lockCount_ == 0 && patternPending_) RebuildPattern();
}

void TGradient::ReadSystemColors() {
  LockPattern();
  SetColorBegin(Resolved(clActiveCaption));
  SetColorEnd(Resolved(clGradientActiveCaption));
  useSysColors_ = true;
  UnlockPattern();
}

Colour TGradient::Resolved(Colour c) const { return Parent() ? Parent()->ResolveColour(c) : ResolveDefault(c); }

void TGradient::RebuildPattern() {
  patternPending_ = true;
  if (Loading() || lockCount_ != 0) return;
  patternPending_ = false;

  const Colour c1 = Resolved(reverse_ ? colorEnd_ : colorBegin_);
  const Colour c2 = Resolved(reverse_ ? colorBegin_ : colorEnd_);
  const TGradientColors colors = MakeGradientColors(c1, c2, shift_, rotation_);
  stretched_ = Bitmap{};
  {
    BuildingScope scope(building_);
    if (style_ != gsCustom) BuildGradientPattern(style_, colors, pattern_);
    else if (OnCustom) OnCustom(*this, colors, pattern_);
    else BuildCheckerPattern(c1, c2, pattern_);
  }
  Invalidate();
}

void TGradient::Loaded() {
  GraphicControl::Loaded();
  RebuildPattern();
}

void TGradient::Paint(Canvas& canvas) {
  if (building_) return;
  const int w = Width(), h = Height();
  if (w <= 0 || h <= 0) return;
  if (int64_t{w} * h > MostKeptPixels) {
    canvas.StretchDraw(Rect{0, 0, w, h}, pattern_);
    return;
  }
  if (stretched_.Width != w || stretched_.Height != h) stretched_ = canvas.Stretched(pattern_, w, h);
  canvas.Draw(0, 0, stretched_);
}

void TGradient::SettingsChanged() {
  GraphicControl::SettingsChanged();
  if (useSysColors_) ReadSystemColors();
}

void TGradient::ParentChanged() {
  if (IsSystemColour(colorBegin_) || IsSystemColour(colorEnd_)) RebuildPattern();
}
