#pragma once
// A window stand-in for window-less controls: keeps the controls, every
// rectangle it is asked to repaint and every control whose accessible value
// it is told changed.

#include <algorithm>
#include <vector>

#include "controls/GraphicControl.h"
#include "draw/RasterCanvas.h"

class FakeControlParent : public ControlParent {
public:
  void InsertControl(GraphicControl& c) override { controls.push_back(&c); }
  void RemoveControl(GraphicControl& c) override { std::erase(controls, &c); }
  void InvalidateRect(const Rect& r) override { invalidated.push_back(r); }
  const Font& GetFont() const override { return font; }
  Colour GetColor() const override { return colour; }
  Canvas& MeasureCanvas() override { return measure; }
  void AccessibleValueChanged(GraphicControl& c) override { valueChanged.push_back(&c); }

  std::vector<GraphicControl*> controls;
  std::vector<Rect> invalidated;
  std::vector<GraphicControl*> valueChanged;
  Font font{"Tahoma", 10};
  Colour colour = clWhite;
  RasterCanvas measure{1, 1};
};
