#pragma once
// The plain text label: a window-less control showing its caption with the
// system's text drawing (alignment, vertical layout, word wrap, "&"
// accelerators, right-to-left reading), on its own background colour or
// transparent over the parent. With AutoSize (on at creation) it fits its
// text: a right-aligned label keeps its right edge, the others their left
// edge; with WordWrap only the height follows the text.

#include <string>

#include "controls/GraphicControl.h"

namespace win32 {

enum class Alignment { LeftJustify, RightJustify, Center };
enum class TextLayout { Top, Center, Bottom };

class Label : public GraphicControl {
public:
  Label();

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& v);
  Alignment GetAlignment() const { return alignment_; }
  void SetAlignment(Alignment a);
  TextLayout Layout() const { return layout_; }
  void SetLayout(TextLayout l);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v);
  // Transparent: the parent's surface shows under the text; otherwise the
  // label fills its rectangle with Color().
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v);
  // The parent's colour until SetColor is called.
  Colour Color() const;
  void SetColor(Colour c);
  bool RightToLeftReading() const { return rightToLeft_; }
  void SetRightToLeftReading(bool v);
  // Whether "&" marks an underlined accelerator (on at creation).
  bool ShowAccelChar() const { return showAccel_; }
  void SetShowAccelChar(bool v);

  void SetAutoSize(bool v) override;
  void Paint(Canvas& canvas) override;

protected:
  void FontChanged() override { AdjustBounds(); }

private:
  unsigned Flags() const;
  void Changed();
  void AdjustBounds();

  std::string caption_;
  Alignment alignment_ = Alignment::LeftJustify;
  TextLayout layout_ = TextLayout::Top;
  bool wordWrap_ = false;
  bool transparent_ = false;
  bool parentColor_ = true;
  Colour color_ = clBtnFace;
  bool rightToLeft_ = false;
  bool showAccel_ = true;
};

}  // namespace win32
