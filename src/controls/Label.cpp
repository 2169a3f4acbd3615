#include "controls/Label.h"

#include <algorithm>

#include "controls/Accelerators.h"

Label::Label() { GraphicControl::SetAutoSize(true); }

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

void Label::SetAutoSize(bool v) {
  GraphicControl::SetAutoSize(v);
  AdjustBounds();
}

void Label::AdjustBounds() {
  if (!AutoSize() || !Parent()) return;
  Canvas& c = Parent()->MeasureCanvas();
  c.SetFont(GetFont());
  std::vector<LabelLine> lines = LabelLines(c, caption_, wordWrap_, Width());
  int width = 0;
  for (const LabelLine& l : lines) width = std::max(width, c.TextWidth(l.Text));
  if (wordWrap_) width = Width();
  int left = Left();
  if (alignment_ == Alignment::RightJustify) left += Width() - width;
  SetBounds(left, Top(), width, static_cast<int>(lines.size()) * c.TextHeight("W"));
}

void Label::Paint(Canvas& canvas) {
  const int w = Width(), h = Height();
  if (!transparent_) {
    canvas.SetBrush(Brush{Color(), BrushStyle::Solid});
    canvas.FillRect(Rect{0, 0, w, h});
  }
  canvas.SetBrush(Brush{Color(), BrushStyle::Clear});
  std::vector<LabelLine> lines = LabelLines(canvas, caption_, wordWrap_, w);
  const int lh = canvas.TextHeight("W");
  const int total = static_cast<int>(lines.size()) * lh;
  int y = layout_ == TextLayout::Top ? 0 : layout_ == TextLayout::Center ? (h - total) / 2 : h - total;
  for (const LabelLine& l : lines) {
    int lw = canvas.TextWidth(l.Text);
    int x = alignment_ == Alignment::LeftJustify ? 0 : alignment_ == Alignment::RightJustify ? w - lw : (w - lw) / 2;
    DrawShownCaption(canvas, x, y, ShownCaption{l.Text, l.Underline}, rightToLeft_);
    y += lh;
  }
}

std::vector<LabelLine> LabelLines(Canvas& canvas, std::string_view caption, bool wrap, int width) {
  const ShownCaption shown = ShowCaption(caption);
  const std::string_view t = shown.Text;
  std::vector<LabelLine> lines;
  auto add = [&](std::size_t from, std::size_t to) {
    LabelLine l{std::string(t.substr(from, to - from)), -1};
    if (shown.Underline >= 0 && static_cast<std::size_t>(shown.Underline) >= from &&
        static_cast<std::size_t>(shown.Underline) < to)
      l.Underline = shown.Underline - static_cast<int>(from);
    lines.push_back(std::move(l));
  };

  std::size_t start = 0;
  for (;;) {
    const std::size_t brk = t.find_first_of("\r\n", start);
    const std::size_t stop = brk == std::string_view::npos ? t.size() : brk;
    if (!wrap) {
      add(start, stop);
    } else {
      // Each pass takes at least one word (or the spaces before it), so it ends.
      std::size_t pos = start;
      do {
        std::size_t end = pos, next = pos, i = pos;
        bool first = true;
        while (i < stop) {
          std::size_t word = std::min(t.find(' ', i), stop);
          if (!first && canvas.TextWidth(t.substr(pos, word - pos)) > width) break;
          first = false;
          end = word;
          i = word;
          while (i < stop && t[i] == ' ') ++i;
          next = i;
        }
        add(pos, end);
        pos = next;
      } while (pos < stop);
    }
    if (brk == std::string_view::npos) break;
    start = brk + (t[brk] == '\r' && brk + 1 < t.size() && t[brk + 1] == '\n' ? 2 : 1);
    if (start == t.size()) break;
  }
  return lines;
}

AccessibleDescription Label::DescribeSelf() const {
  // The lines as painted, "\r\n" between them, without the blanks that pad them or the empty
  // lines around them.
  if (!Parent()) return {};
  Canvas& c = Parent()->MeasureCanvas();
  c.SetFont(GetFont());
  std::string name;
  for (const LabelLine& l : LabelLines(c, caption_, wordWrap_, Width())) {
    const std::size_t first = l.Text.find_first_not_of(' '), last = l.Text.find_last_not_of(' ');
    const std::string text = first == std::string::npos ? "" : l.Text.substr(first, last - first + 1);
    if (!name.empty() || !text.empty()) name += (name.empty() ? "" : "\r\n") + text;
  }
  while (name.ends_with("\r\n")) name.resize(name.size() - 2);
  if (name.empty()) return {};
  AccessibleDescription d;
  d.Role = AccessibleRole::StaticText;
  d.Name = std::move(name);
  d.State = asReadOnly;
  return d;
}
