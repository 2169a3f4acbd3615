#include "controls/UHTMLLabel.h"

#include "markup/DessineHTML.h"

namespace {
constexpr int LargeurMinimale = 50;
}

void THTMLLabel::SetCaption(const std::string& Value) {
  if (Value == caption_) return;
  caption_ = Value;
  if (Width() < LargeurMinimale) SetWidth(LargeurMinimale);
  Invalidate();
}

void THTMLLabel::Paint(Canvas& canvas) {
  GraphicControl::Paint(canvas);
  int h = elements_ ? DessineHTML(canvas, 1, 1, Width(), caption_, clWhite, *elements_)
                    : DessineHTML(canvas, 1, 1, Width(), caption_, clWhite);
  if (AutoSize() && h != Height()) SetHeight(h);
}
