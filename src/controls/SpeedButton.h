#pragma once
// The speed button: a window-less push button that never takes the focus.
// Raised face, pressed (sunken) while the left button is held on it, an
// optional glyph left of the caption, the caption's accelerator underlined.
// Typing the accelerator clicks it (the parent window dispatches it).

#include <string>

#include "controls/GraphicControl.h"

class SpeedButton : public GraphicControl {
public:
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& v);
  // The glyph's bottom-left pixel colour is left out (drawn as the face).
  const Bitmap& Glyph() const { return glyph_; }
  void SetGlyph(Bitmap b);
  // Drawn sunken: the left button is held over it.
  bool Down() const { return down_; }

  void Paint(Canvas& canvas) override;
  void MouseDown(MouseButton b, int x, int y) override;
  void MouseMove(int x, int y) override;
  void MouseUp(MouseButton b, int x, int y) override;
  char Accelerator() const override;

protected:
  // A push button named by its caption as shown, its accelerator as the
  // shortcut, "Appuyer" as its default action.
  AccessibleDescription DescribeSelf() const override;

private:
  void SetDown(bool v);

  std::string caption_;
  Bitmap glyph_;
  bool down_ = false;
};
