#pragma once
// TGradient: a window-less control that fills its rectangle with a
// two-colour gradient in one of 24 shapes. It builds a colour ramp and from
// it a small pattern bitmap whenever a property changes, and paints by
// stretching that pattern over its whole area (nearest pixel), covering
// everything beneath it. The stretched picture is kept between paints and
// made again only when the pattern or the control's size changes, so that a
// paint of part of the control copies just that part.

#include <cstdint>
#include <functional>

#include "controls/GraphicControl.h"
#include "draw/GradientPattern.h"

class TGradient : public GraphicControl {
public:
  // Builds gsCustom's pattern: sets its size and every pixel.
  using TCustomGradientEvent = std::function<void(TGradient& sender, const TGradientColors& colors, Bitmap& pattern)>;

  // 100 x 100, white to the button face colour, gsRadialC, no shift, no
  // rotation, not reversed; the pattern is built once.
  TGradient();

  // The setters do nothing when the value is unchanged. Setting a colour
  // turns UseSysColors off and rebuilds.
  Colour ColorBegin() const { return colorBegin_; }
  void SetColorBegin(Colour c);
  Colour ColorEnd() const { return colorEnd_; }
  void SetColorEnd(Colour c);
  // On: the colours become those of an active window caption and its
  // gradient, now and whenever the system's settings change.
  bool UseSysColors() const { return useSysColors_; }
  void SetUseSysColors(bool v);
  TGradientStyle Style() const { return style_; }
  void SetStyle(TGradientStyle s);
  // Shift and Rotation are clamped to -100..100 before they are compared and
  // stored.
  int Shift() const { return shift_; }
  void SetShift(int v);
  int Rotation() const { return rotation_; }
  void SetRotation(int v);
  // Swaps the two colours before the shift.
  bool Reverse() const { return reverse_; }
  void SetReverse(bool v);

  // Called for gsCustom; without it the pattern is a 2 x 2 checkerboard of
  // the two colours. Setting it rebuilds nothing.
  TCustomGradientEvent OnCustom;

  const Bitmap& Pattern() const { return pattern_; }
  // The pattern as the last paint stretched it over the control (empty
  // before the first paint and after every rebuild).
  const Bitmap& Stretched() const { return stretched_; }
  bool PatternPending() const { return patternPending_; }
  // True while the pattern is being built (painting then draws nothing).
  bool Building() const { return building_; }

  // Bracket several changes into one rebuild: the last UnlockPattern
  // rebuilds when a rebuild was asked for meanwhile.
  void LockPattern();
  void UnlockPattern();

  // Builds the ramp (system colours resolved through the parent) and the
  // pattern for the style, then asks for a repaint. While loading or locked
  // it only marks the rebuild pending. An exception from OnCustom still ends
  // the build and goes on to the caller.
  virtual void RebuildPattern();
  // ColorBegin and ColorEnd from the system colours of an active caption and
  // its gradient, in one rebuild; UseSysColors stays on.
  virtual void ReadSystemColors();

  void Loaded() override;
  void Paint(Canvas& canvas) override;
  void SettingsChanged() override;

protected:
  // A new parent may resolve system colours differently.
  void ParentChanged() override;

private:
  Colour Resolved(Colour c) const;

  Colour colorBegin_ = clWhite;
  Colour colorEnd_ = clBtnFace;
  bool useSysColors_ = false;
  TGradientStyle style_ = gsRadialC;
  int8_t shift_ = 0;
  int8_t rotation_ = 0;
  bool reverse_ = false;
  Bitmap pattern_;
  Bitmap stretched_;
  int32_t lockCount_ = 0;
  bool patternPending_ = false;
  bool building_ = false;
};
