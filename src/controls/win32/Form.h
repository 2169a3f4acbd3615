#pragma once
// A top-level window of the program with the services its windows use:
// caption, client size, colour, font, a fixed single border with the system
// menu (minimise and maximise buttons optional), stay-on-top, centring on the
// screen at the first showing, modeless and modal showing, and the
// window-less controls placed on it, painted double-buffered through
// GdiCanvas. The back buffer and its canvas are kept between paints (made
// again when the client size changes), and a paint draws and copies only the
// rectangles of the update region: a window whose labels change many times
// a second costs in proportion to what changed.
//
// How to build a window on it: derive from Form, pass the window class name
// to the constructor (the name a pilot finds it by, "TAttente" ...), set the
// properties in the derived constructor (SetCaption, SetClientSize, SetColor,
// SetFont, SetPosition ...), keep the controls as members and put each on the
// form with control.SetParent(this) and SetBounds. Override the Form* event
// handlers you need; they run on the program's one thread while a loop pumps
// messages (Application::ProcessMessages or a modal showing).
//   class TAttente : public win32::Form {
//   public:
//     TAttente() : Form("TAttente") { SetClientSize(510, 306); Label1.SetParent(this); ... }
//     Label Label1, Label2;
//   };
// Closing by the title bar calls FormClose with CloseAction::Hide: the form
// is hidden (and a modal showing ends); set the action to None to refuse.
//
// The form itself takes the keyboard (no control has a window or the focus):
// WM_KEYDOWN/WM_SYSKEYDOWN reach FormKeyDown; WM_CHAR and WM_SYSCHAR first
// press the first control whose accelerator is the character (a-z compared
// without case), and only a WM_CHAR that is no accelerator reaches
// FormKeyPress. Mouse messages go to the control under the pointer, which
// keeps the mouse captured until the button is released. A change of the
// system's settings or colours (WM_SETTINGCHANGE, WM_SYSCOLORCHANGE) reaches
// every control's SettingsChanged, then the form repaints.
//
// Assistive technology reads the form through WM_GETOBJECT (OBJID_CLIENT,
// see AccessibleForm): a dialog named by its caption, its controls as they
// describe themselves. Showing and hiding it, the focus of its default
// control and a change of a control's value are announced with
// NotifyWinEvent.

#include "platform/win32/Windows.h"

#include <memory>
#include <string>
#include <vector>

#include "controls/GraphicControl.h"
#include "controls/win32/Window.h"
#include "draw/win32/GdiCanvas.h"
#include "platform/Pump.h"
#include "platform/win32/Handles.h"

namespace win32 {

class AccessibleForm;

enum class FormPosition {
  Designed,      // Left and Top as set
  Default,       // where the system puts new windows
  ScreenCenter,  // centred on the screen at the next showing, then Designed
};

enum class CloseAction { None, Hide };

enum BorderIcon : uint8_t { biSystemMenu = 1, biMinimize = 2, biMaximize = 4 };
using BorderIcons = uint8_t;

enum ShiftFlag : uint8_t { ssShift = 1, ssAlt = 2, ssCtrl = 4 };
using ShiftState = uint8_t;

class Form : public WindowImpl, public ControlParent {
public:
  // Creates the window, hidden: 320 x 240 client, button-face colour, the
  // default font, all border icons, position Designed at (0, 0).
  explicit Form(const char* className = "TForm");
  ~Form() override;

  std::string Caption() const;
  void SetCaption(const std::string& v);

  // Outer bounds, in screen coordinates.
  int Left() const;
  int Top() const;
  int Width() const;
  int Height() const;
  void SetBounds(int left, int top, int width, int height);
  void SetTop(int v) { SetBounds(Left(), v, Width(), Height()); }

  int ClientWidth() const;
  int ClientHeight() const;
  // Resizes the outer window so that the client area gets this size.
  void SetClientSize(int width, int height);
  void SetClientHeight(int v) { SetClientSize(ClientWidth(), v); }

  Colour Color() const { return color_; }
  void SetColor(Colour c);
  const Font& GetFont() const override { return font_; }
  void SetFont(const Font& f);

  void SetBorderIcons(BorderIcons b);
  void SetStayOnTop(bool v);
  FormPosition Position() const { return position_; }
  void SetPosition(FormPosition p) { position_ = p; }

  bool Visible() const;
  // FormShow, then the window shows and is activated (centred first when the
  // position asks for it).
  void Show();
  void Hide();
  // Shows the form and runs its own message loop until the form closes, the
  // program's other windows disabled meanwhile. An exception kept from a
  // handler ends the loop and is rethrown here, after the form is hidden.
  void ShowModal();
  bool Modal() const { return modal_; }
  // FormClose decides; then the form hides and a modal loop ends.
  void Close();

  // Repaints the whole client area at the next paint.
  void Invalidate();

  void InsertControl(GraphicControl& c) override;
  void RemoveControl(GraphicControl& c) override;
  void InvalidateRect(const Rect& r) override;
  Colour GetColor() const override { return color_; }
  Canvas& MeasureCanvas() override;
  // System colours through GetSysColor.
  Colour ResolveColour(Colour c) const override;
  // Announces the new value of a control to assistive technology.
  void AccessibleValueChanged(GraphicControl& c) override;

  // The controls assistive technology sees, in the form's order: the visible
  // ones that say something. Child id i is the control at i - 1.
  std::vector<GraphicControl*> AccessibleControls() const;
  // What the form says beyond its caption (the message box: its message).
  virtual std::string AccessibleText() const { return ""; }
  // The control Enter answers, if any: assistive technology sees it as the
  // default and focused one (nothing is drawn for it).
  virtual GraphicControl* DefaultControl() const { return nullptr; }
  // Presses c as a click would, from the window's own message processing:
  // the press is posted and runs at the next pump, unless the form's controls
  // have changed by then. False, and nothing posted, when a click could not
  // happen now: the window hidden or taking no input (another window is
  // modal), or c disabled or not on the form.
  bool PostPress(GraphicControl& c);
  // After a change of value a screen reader was told of: lets messages run,
  // through pump, until it has read the new value back or 100 ms have gone,
  // so that a window about to go does not take the value with it. At once
  // when no screen reader has asked for the window.
  void LetTheValueBeRead(platform::Pump& pump);
  // A screen reader read the value of child id.
  void ValueRead(LONG id);

protected:
  virtual void FormShow() {}
  virtual void FormClose(CloseAction&) {}
  // key: the virtual key; set it to 0 to stop the default processing of
  // WM_SYSKEYDOWN.
  virtual void FormKeyDown(WORD& /*key*/, ShiftState) {}
  virtual void FormKeyPress(char& /*key*/) {}
  virtual void FormResize() {}
  virtual void FormActivate() {}
  // Paints on the back buffer, after the background and before the controls.
  virtual void FormPaint(Canvas&) {}

  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
  void Paint();
  // After a showing or hiding: the events assistive technology listens to.
  void Announce(bool shown);
  LRESULT GetObject(WPARAM wp, LPARAM lp);
  void Press(WPARAM index, LPARAM generation);
  // Paints the background, FormPaint and the controls that meet a, clipped to
  // a, on the back buffer.
  void PaintArea(const Rect& a);
  void MouseButton(UINT msg, LPARAM lp);
  void Resized();
  DWORD Style() const;
  DWORD ExStyle() const;

  std::vector<GraphicControl*> controls_;
  GraphicControl* captured_ = nullptr;
  Colour color_ = clBtnFace;
  Font font_;
  BorderIcons icons_ = biSystemMenu | biMinimize | biMaximize;
  bool stayOnTop_ = false;
  FormPosition position_ = FormPosition::Designed;
  bool modal_ = false;
  bool modalEnded_ = false;
  int lastClientWidth_ = 0, lastClientHeight_ = 0;
  std::unique_ptr<DibSection> back_;
  int backPpi_ = 0;
  GdiObject<HRGN> updateRegion_{CreateRectRgn(0, 0, 0, 0)};
  std::vector<char> regionData_;
  std::vector<Rect> areas_;
  std::vector<Rect> invalidated_;  // passed on since the last paint
  MemoryDc measureDc_;
  std::unique_ptr<GdiCanvas> measure_;    // after measureDc_: destroyed first
  AccessibleForm* accessible_ = nullptr;  // one reference, made at the first WM_GETOBJECT
  // Changes with every control put on or taken off: a press posted for one
  // set of controls is not run on another.
  unsigned generation_ = 0;
  LONG unread_ = 0;  // the child whose new value a screen reader has not read back yet
};

// A canvas on a form's own device context, with the form's font: what a form
// measures with (or draws on) outside painting. Drawing on a hidden window
// shows nothing.
class WindowCanvas {
public:
  explicit WindowCanvas(const Form& f);
  WindowCanvas(const WindowCanvas&) = delete;
  WindowCanvas& operator=(const WindowCanvas&) = delete;
  ~WindowCanvas();
  GdiCanvas& Canvas() { return *canvas_; }

private:
  WindowDc dc_;
  // Declared after dc_: destroyed first, so the DC gets its own objects back.
  std::unique_ptr<GdiCanvas> canvas_;
};

}  // namespace win32
