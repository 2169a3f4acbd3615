#pragma once
// A window stand-in for window-less controls: keeps the controls and every
// rectangle it is asked to repaint.

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

  std::vector<GraphicControl*> controls;
  std::vector<Rect> invalidated;
  Font font{"Tahoma", 10};
  Colour colour = clWhite;
  RasterCanvas measure{1, 1};
};
