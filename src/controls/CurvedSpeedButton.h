#pragma once
// TCurvedSpeedButton: a window-less push button with a one-pixel bevel, a
// face shaded from top to bottom, a caption with a one-pixel shadow and an
// optional glyph whose background pixels are left out. It never takes the
// focus and has no accelerator; a left press released over it clicks it.

#include <string>

#include "controls/GraphicControl.h"

class TCurvedSpeedButton : public GraphicControl {
public:
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& v);
  // The face colour; with ParentColor or Transparent every paint first makes
  // it the parent's colour (in RGB).
  Colour Color() const { return color_; }
  void SetColor(Colour c);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool v);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v);
  // Drawn left of the caption; its pixels of the top-left pixel's colour are
  // left out. Setting it copies the bitmap.
  const Bitmap& Glyph() const { return glyph_; }
  void SetGlyph(const Bitmap& b);
  // Between a press of any mouse button on the button and its release
  // (wherever it is released: the parent keeps the mouse meanwhile). Unlike
  // GraphicControl's left press, this is what the face shows.
  bool Pressed() const { return pressed_; }

  void Paint(Canvas& canvas) override;
  void MouseDown(MouseButton b, int x, int y) override;
  void MouseUp(MouseButton b, int x, int y) override;

protected:
  // A push button named by its caption as shown, "Appuyer" as its default
  // action; no shortcut, since it has no accelerator.
  AccessibleDescription DescribeSelf() const override;

private:
  std::string caption_;
  Colour color_ = clBtnFace;
  bool parentColor_ = true;
  bool transparent_ = false;
  Bitmap glyph_;
  bool pressed_ = false;
};
