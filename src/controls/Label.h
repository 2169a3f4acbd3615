#pragma once
// The plain text label: a window-less control showing its caption (alignment,
// vertical layout, line breaks at carriage returns and line feeds, word wrap
// at spaces, "&" accelerators underlined, right-to-left reading), on its own
// background colour or transparent over the parent. With AutoSize (on at
// creation) it fits its text, measured on the parent's canvas: a
// right-aligned label keeps its right edge, the others their left edge; with
// WordWrap only the height follows the text.

#include <string>
#include <string_view>
#include <vector>

#include "controls/GraphicControl.h"

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

  void SetAutoSize(bool v) override;
  void Paint(Canvas& canvas) override;

protected:
  // Static text named by the lines it paints, "\r\n" between them, without
  // the blanks that pad them; a label with no text, or no window to measure
  // on, says nothing.
  AccessibleDescription DescribeSelf() const override;
  void FontChanged() override { AdjustBounds(); }

private:
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
};

// One line of a label as shown: its text without "&" markers, and the
// position of the character to underline in it (-1 when none).
struct LabelLine {
  std::string Text;
  int Underline = -1;
  friend bool operator==(const LabelLine&, const LabelLine&) = default;
};

// The lines of caption in the canvas's current font, "&" markers taken off: a line per carriage
// return, line feed or both (a break at the very end adds none); with wrap,
// words move whole to the next line when the line would pass width, a word
// wider than width standing alone, and the spaces at a break are dropped.
// Every caption, the empty one too, has at least one line.
std::vector<LabelLine> LabelLines(Canvas& canvas, std::string_view caption, bool wrap, int width);
