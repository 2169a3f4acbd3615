#pragma once
// The window-less control: a rectangle on its parent's client area that paints
// on the parent's surface and takes the mouse from it. It never has the
// keyboard focus; the parent hands it its accelerator (see Accelerator()).
//
// Subclassing: override Paint (called with a Canvas whose origin is the
// control's top-left and which is clipped to its bounds, font already set to
// GetFont()), and optionally the Mouse* operations or Accelerator(). Call
// Invalidate() whenever what is drawn changes.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "controls/Accessible.h"
#include "draw/Canvas.h"

class GraphicControl;

// What a window-less control needs from the window it sits on. Coordinates
// are the parent's client coordinates.
class ControlParent {
public:
  virtual ~ControlParent() = default;
  // Called by GraphicControl::SetParent; the parent keeps the controls in
  // insertion order (which is also the order of painting and accelerators).
  virtual void InsertControl(GraphicControl& c) = 0;
  virtual void RemoveControl(GraphicControl& c) = 0;
  virtual void InvalidateRect(const Rect& r) = 0;
  virtual const Font& GetFont() const = 0;
  virtual Colour GetColor() const = 0;
  // A canvas to measure text on outside painting; its font is the caller's
  // to set.
  virtual Canvas& MeasureCanvas() = 0;
  // A colour in RGB as the window shows it: system colours take the current
  // scheme (here the platform's default one).
  virtual Colour ResolveColour(Colour c) const { return ResolveDefault(c); }
  // What the control says to assistive technology changed its value (the
  // bar's position): a window tells the screen reader listening.
  virtual void AccessibleValueChanged(GraphicControl&) {}
};

// Which parent edges a control keeps its distance to when the parent resizes.
enum Anchor : uint8_t { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using Anchors = uint8_t;

enum class MouseButton { Left, Right, Middle };

class GraphicControl {
public:
  GraphicControl() = default;
  GraphicControl(const GraphicControl&) = delete;
  GraphicControl& operator=(const GraphicControl&) = delete;
  // Leaves the parent, so a control may be destroyed before its window.
  virtual ~GraphicControl();

  // Moves the control to another parent (nullptr: none), repainting both.
  void SetParent(ControlParent* p);
  ControlParent* Parent() const { return parent_; }

  const std::string& Name() const { return name_; }
  void SetName(std::string n) { name_ = std::move(n); }

  int Left() const { return bounds_.left; }
  int Top() const { return bounds_.top; }
  int Width() const { return bounds_.Width(); }
  int Height() const { return bounds_.Height(); }
  const Rect& BoundsRect() const { return bounds_; }
  // Every change of position or size goes through SetBounds.
  virtual void SetBounds(int left, int top, int width, int height);
  void SetTop(int v) { SetBounds(Left(), v, Width(), Height()); }
  void SetWidth(int v) { SetBounds(Left(), Top(), v, Height()); }
  void SetHeight(int v) { SetBounds(Left(), Top(), Width(), v); }

  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);

  // The parent's font while ParentFont is on (the default); SetFont turns it off.
  const Font& GetFont() const;
  void SetFont(const Font& f);
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool v);

  bool AutoSize() const { return autoSize_; }
  virtual void SetAutoSize(bool v);

  void SetAnchors(Anchors a) { anchors_ = a; }
  // The parent's client area changed by (dw, dh): moves or stretches the
  // control according to its anchors.
  void ParentResized(int dw, int dh);

  // Requests a repaint of the control's rectangle.
  void Invalidate();

  // Loading: between BeginLoading and Loaded the control is given its
  // designed properties and may put off what it derives from them until
  // Loaded, which ends the state.
  void BeginLoading() { loading_ = true; }
  bool Loading() const { return loading_; }
  virtual void Loaded() { loading_ = false; }

  // The system's settings or colours changed; the parent window passes the
  // notification to each of its controls.
  virtual void SettingsChanged() {}

  std::function<void(GraphicControl& sender)> OnClick;
  std::function<void(GraphicControl& sender)> OnDblClick;

  // Draws the control; the canvas is described in the header comment.
  virtual void Paint(Canvas& canvas);

  // Mouse in control coordinates. The parent sends every move and the release
  // to the control the button was pressed on (capture); a left release over
  // that control clicks it.
  virtual void MouseDown(MouseButton b, int x, int y);
  virtual void MouseMove(int x, int y);
  virtual void MouseUp(MouseButton b, int x, int y);
  virtual void DblClick();
  // Runs OnClick; the accelerator and a completed left press call it.
  virtual void Click();
  // The character that clicks this control when typed (0: none).
  virtual char Accelerator() const { return 0; }

  // What the control says to assistive technology, its bounds and
  // unavailability filled in; Role None (nothing exposed) for a hidden
  // control and whatever DescribeSelf leaves unexposed.
  AccessibleDescription Describe() const;
  // The default action, as assistive technology asks for it: clicks the
  // control as a completed left press would. False, and nothing done, when
  // the control is hidden, disabled or has no default action.
  bool DoDefaultAction();

protected:
  // Role, name, value, state, shortcut and default action; the default is
  // decoration, which says nothing.
  virtual AccessibleDescription DescribeSelf() const { return {}; }
  // The font GetFont() returns may have changed (own font set, ParentFont
  // switched, another parent).
  virtual void FontChanged() {}
  // Parent() is another one now (or none).
  virtual void ParentChanged() {}
  // The left button went down on this control and is not yet released.
  bool Pressed() const { return pressed_; }
  // Whether (x, y) in control coordinates lies on the control.
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < Width() && y < Height(); }

private:
  ControlParent* parent_ = nullptr;
  std::string name_;
  Rect bounds_{0, 0, 0, 0};
  bool visible_ = true;
  bool enabled_ = true;
  bool parentFont_ = true;
  bool autoSize_ = false;
  bool pressed_ = false;
  bool loading_ = false;
  Anchors anchors_ = akLeft | akTop;
  Font font_;
};

// The first visible, enabled control of the list whose accelerator is c
// (compared without regard to the case of a-z), or nullptr.
GraphicControl* FindAccelerated(const std::vector<GraphicControl*>& controls, char c);

// The topmost visible control under (x, y), the last painted first, or nullptr.
GraphicControl* ControlAt(const std::vector<GraphicControl*>& controls, int x, int y);
