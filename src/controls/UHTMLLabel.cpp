#include "controls/UHTMLLabel.h"

#include "markup/DessineHTML.h"
#include "markup/TexteDessine.h"

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

AccessibleDescription THTMLLabel::DescribeSelf() const {
  if (caption_.empty() || !Parent()) return {};
  if (lu_.Caption != caption_ || lu_.Largeur != Width() || !(lu_.Police == GetFont()) || lu_.Elements != elements_) {
    // Painted with the control's font: its pixels per inch set the indents.
    Canvas& mesure = Parent()->MeasureCanvas();
    mesure.SetFont(GetFont());
    HTMLItems rien;
    lu_ = Lu{caption_, Width(), GetFont(), elements_,
             TexteDessine(mesure, 1, 1, Width(), caption_, clWhite, elements_ ? *elements_ : rien)};
  }
  if (lu_.Texte.find_first_not_of("\r\n") == std::string::npos) return {};
  AccessibleDescription d;
  d.Role = AccessibleRole::StaticText;
  d.Name = lu_.Texte;
  d.State = asReadOnly;
  return d;
}
