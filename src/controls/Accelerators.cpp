#include "controls/Accelerators.h"

char UpCase(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

ShownCaption ShowCaption(std::string_view caption) {
  ShownCaption r;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] != '&') {
      r.Text.push_back(caption[i]);
      continue;
    }
    if (i + 1 >= caption.size()) break;  // a trailing "&" marks nothing
    if (caption[i + 1] == '&') {
      r.Text.push_back('&');
      ++i;
      continue;
    }
    r.Underline = static_cast<int>(r.Text.size());  // the last single "&" wins
  }
  return r;
}

char AccelChar(std::string_view caption) {
  ShownCaption s = ShowCaption(caption);
  return s.Underline < 0 ? 0 : s.Text[static_cast<size_t>(s.Underline)];
}

void DrawShownCaption(Canvas& canvas, int x, int y, const ShownCaption& shown, bool rightToLeft) {
  if (rightToLeft) canvas.TextOutRightToLeft(x, y, shown.Text);
  else canvas.TextOut(x, y, shown.Text);
  if (shown.Underline < 0) return;
  const std::string_view text = shown.Text;
  const auto u = static_cast<std::size_t>(shown.Underline);
  const int ux = x + canvas.TextWidth(text.substr(0, u));
  const int uw = canvas.TextWidth(text.substr(u, 1));
  const int uy = y + canvas.TextHeight("W") - 2;
  canvas.SetPen(Pen{canvas.GetFont().Color, PenStyle::Solid, 1});
  canvas.MoveTo(ux, uy);
  canvas.LineTo(ux + uw, uy);
}
