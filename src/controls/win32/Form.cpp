#include "controls/win32/Form.h"

#include <windowsx.h>

#include <algorithm>

#include "controls/win32/AccessibleForm.h"
#include "controls/win32/Application.h"

namespace win32 {

namespace {

constexpr int DefaultClientWidth = 320, DefaultClientHeight = 240;
// A press asked for by assistive technology: wParam the control's index,
// lParam the generation of the controls it was asked on.
constexpr UINT WM_PRESS = WM_APP + 1;

// Disables the thread's visible, enabled windows but one, and enables them
// again on destruction: what a modal showing does to the other windows.
class OtherWindowsDisabled {
public:
  explicit OtherWindowsDisabled(HWND keep) : keep_(keep) {
    EnumThreadWindows(GetCurrentThreadId(), &OtherWindowsDisabled::Visit, reinterpret_cast<LPARAM>(this));
    for (HWND h : disabled_) EnableWindow(h, FALSE);
  }
  OtherWindowsDisabled(const OtherWindowsDisabled&) = delete;
  OtherWindowsDisabled& operator=(const OtherWindowsDisabled&) = delete;
  ~OtherWindowsDisabled() {
    for (HWND h : disabled_)
      if (IsWindow(h)) EnableWindow(h, TRUE);
  }

private:
  static BOOL CALLBACK Visit(HWND h, LPARAM self) {
    auto* me = reinterpret_cast<OtherWindowsDisabled*>(self);
    if (h != me->keep_ && IsWindowVisible(h) && IsWindowEnabled(h)) me->disabled_.push_back(h);
    return TRUE;
  }
  HWND keep_;
  std::vector<HWND> disabled_;
};

// The rectangles of a region, through a buffer kept between calls.
void RegionRects(HRGN rgn, std::vector<char>& data, std::vector<Rect>& out) {
  const DWORD size = GetRegionData(rgn, 0, nullptr);
  if (size < sizeof(RGNDATAHEADER)) return;
  if (data.size() < size) data.resize(size);
  auto* rd = reinterpret_cast<RGNDATA*>(data.data());
  if (GetRegionData(rgn, size, rd) == 0) return;
  const auto* r = reinterpret_cast<const RECT*>(rd->Buffer);
  for (DWORD i = 0; i < rd->rdh.nCount; ++i) out.push_back(Rect{r[i].left, r[i].top, r[i].right, r[i].bottom});
}

ShiftState CurrentShift() {
  ShiftState s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
  return s;
}

}  // namespace

Form::Form(const char* className) {
  RECT r{0, 0, DefaultClientWidth, DefaultClientHeight};
  AdjustWindowRectEx(&r, Style(), FALSE, ExStyle());
  CreateHandle(className, Style(), ExStyle(), "", 0, 0, r.right - r.left, r.bottom - r.top);
  lastClientWidth_ = ClientWidth();
  lastClientHeight_ = ClientHeight();
}

Form::~Form() {
  if (accessible_) {
    accessible_->Disconnect();
    accessible_->Release();
  }
  std::vector<GraphicControl*> left = controls_;
  for (GraphicControl* c : left) c->SetParent(nullptr);
}

DWORD Form::Style() const {
  DWORD s = WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN;
  if (icons_ & biSystemMenu) s |= WS_SYSMENU;
  if (icons_ & biMinimize) s |= WS_MINIMIZEBOX;
  if (icons_ & biMaximize) s |= WS_MAXIMIZEBOX;
  return s;
}

DWORD Form::ExStyle() const { return stayOnTop_ ? WS_EX_TOPMOST : 0; }

std::string Form::Caption() const {
  int n = GetWindowTextLengthA(Handle());
  std::string s(static_cast<size_t>(n) + 1, '\0');
  n = GetWindowTextA(Handle(), s.data(), n + 1);
  s.resize(static_cast<size_t>(std::max(n, 0)));
  return s;
}

void Form::SetCaption(const std::string& v) { SetWindowTextA(Handle(), v.c_str()); }

namespace {
RECT WindowBounds(HWND h) {
  RECT r{};
  GetWindowRect(h, &r);
  return r;
}
RECT ClientBounds(HWND h) {
  RECT r{};
  GetClientRect(h, &r);
  return r;
}
}  // namespace

int Form::Left() const { return WindowBounds(Handle()).left; }
int Form::Top() const { return WindowBounds(Handle()).top; }
int Form::Width() const {
  RECT r = WindowBounds(Handle());
  return r.right - r.left;
}
int Form::Height() const {
  RECT r = WindowBounds(Handle());
  return r.bottom - r.top;
}
int Form::ClientWidth() const { return ClientBounds(Handle()).right; }
int Form::ClientHeight() const { return ClientBounds(Handle()).bottom; }

void Form::SetBounds(int left, int top, int width, int height) {
  SetWindowPos(Handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  Application::Instance().RethrowPending();
}

void Form::SetClientSize(int width, int height) {
  RECT r{0, 0, width, height};
  AdjustWindowRectEx(&r, Style(), FALSE, ExStyle());
  SetWindowPos(Handle(), nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Application::Instance().RethrowPending();
}

void Form::SetColor(Colour c) {
  if (c == color_) return;
  color_ = c;
  Invalidate();
}

void Form::SetFont(const Font& f) {
  if (f == font_) return;
  font_ = f;
  Invalidate();
}

void Form::SetBorderIcons(BorderIcons b) {
  if (b == icons_) return;
  int w = ClientWidth(), h = ClientHeight();
  icons_ = b;
  SetWindowLongPtrA(Handle(), GWL_STYLE, static_cast<LONG_PTR>(Style() | (Visible() ? WS_VISIBLE : 0)));
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  SetClientSize(w, h);
}

void Form::SetStayOnTop(bool v) {
  if (v == stayOnTop_) return;
  stayOnTop_ = v;
  SetWindowPos(Handle(), v ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool Form::Visible() const { return IsWindowVisible(Handle()) != FALSE; }

void Form::Show() {
  if (position_ == FormPosition::ScreenCenter) {
    int w = Width(), h = Height();
    SetBounds((GetSystemMetrics(SM_CXSCREEN) - w) / 2, (GetSystemMetrics(SM_CYSCREEN) - h) / 2, w, h);
    position_ = FormPosition::Designed;
  } else if (position_ == FormPosition::Default) {
    // Where the system would put a new window: ask it with a probe window.
    HWND probe = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPED, CW_USEDEFAULT, CW_USEDEFAULT, Width(), Height(),
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (probe) {
      RECT r = WindowBounds(probe);
      DestroyWindow(probe);
      SetBounds(r.left, r.top, Width(), Height());
    }
    position_ = FormPosition::Designed;
  }
  FormShow();
  const bool was = Visible();
  ShowWindow(Handle(), SW_SHOW);
  SetForegroundWindow(Handle());
  if (!was) Announce(true);
  Application::Instance().RethrowPending();
}

void Form::Hide() {
  const bool was = Visible();
  ShowWindow(Handle(), SW_HIDE);
  if (was) Announce(false);
  Application::Instance().RethrowPending();
}

void Form::ShowModal() {
  Application& app = Application::Instance();
  modal_ = true;
  modalEnded_ = false;
  {
    OtherWindowsDisabled others(Handle());
    try {
      Show();
      MSG m;
      while (!modalEnded_ && !app.ExceptionPending()) {
        BOOL got = GetMessageA(&m, nullptr, 0, 0);
        if (got == 0) {
          PostQuitMessage(static_cast<int>(m.wParam));
          break;
        }
        if (got < 0) break;
        TranslateMessage(&m);
        DispatchMessageA(&m);
      }
    } catch (...) {
      modal_ = false;
      const bool was = Visible();
      ShowWindow(Handle(), SW_HIDE);
      if (was) Announce(false);
      throw;
    }
    modal_ = false;
    // The others are enabled again before this one hides, so that the
    // system activates one of them rather than another program.
  }
  Hide();
  app.RethrowPending();
}

void Form::Close() {
  CloseAction a = CloseAction::Hide;
  FormClose(a);
  if (a == CloseAction::None) return;
  if (modal_) modalEnded_ = true;  // ShowModal hides it once its loop is left
  else Hide();
}

void Form::Invalidate() { ::InvalidateRect(Handle(), nullptr, FALSE); }

void Form::InsertControl(GraphicControl& c) {
  controls_.push_back(&c);
  ++generation_;
}

void Form::RemoveControl(GraphicControl& c) {
  std::erase(controls_, &c);
  ++generation_;
  if (captured_ == &c) {
    captured_ = nullptr;
    if (GetCapture() == Handle()) ReleaseCapture();
  }
}

void Form::InvalidateRect(const Rect& r) {
  // A label that changes twice before the next paint asks for the same
  // rectangles again: each is passed on once, since the system already holds
  // it in the update region until that paint.
  for (const Rect& p : invalidated_)
    if (p.left <= r.left && p.top <= r.top && r.right <= p.right && r.bottom <= p.bottom) return;
  RECT rc{r.left, r.top, r.right, r.bottom};
  ::InvalidateRect(Handle(), &rc, FALSE);
  if (invalidated_.size() < 32) invalidated_.push_back(r);
}

void Form::Paint() {
  // The update region is read before BeginPaint validates it.
  invalidated_.clear();
  const bool region = GetUpdateRgn(Handle(), updateRegion_.Get(), FALSE) > NULLREGION;
  PaintDc ps(Handle());
  const int w = ClientWidth(), h = ClientHeight();
  if (w <= 0 || h <= 0) return;
  if (!back_ || back_->Width() != w || back_->Height() != h || backPpi_ != font_.PixelsPerInch) {
    back_.reset();
    back_ = std::make_unique<DibSection>(w, h, 32, font_.PixelsPerInch);
    backPpi_ = font_.PixelsPerInch;
  }
  const RECT& area = ps.Area();
  areas_.clear();
  if (region) RegionRects(updateRegion_.Get(), regionData_, areas_);
  if (areas_.empty()) areas_.push_back(Rect{area.left, area.top, area.right, area.bottom});
  // Each rectangle within the client area; those left empty go.
  for (Rect& a : areas_) a = Rect{std::max(a.left, 0), std::max(a.top, 0), std::min(a.right, w), std::min(a.bottom, h)};
  std::erase_if(areas_, [](const Rect& a) { return a.Width() <= 0 || a.Height() <= 0; });
  for (const Rect& a : areas_) PaintArea(a);
  GdiFlush();
  for (const Rect& a : areas_)
    BitBlt(ps.Get(), a.left, a.top, a.Width(), a.Height(), back_->Handle(), a.left, a.top, SRCCOPY);
}

void Form::PaintArea(const Rect& a) {
  HDC dc = back_->Handle();
  GdiCanvas& c = back_->Canvas();
  SetViewportOrgEx(dc, 0, 0, nullptr);
  SelectClipRgn(dc, nullptr);
  IntersectClipRect(dc, a.left, a.top, a.right, a.bottom);
  MoveToEx(dc, 0, 0, nullptr);
  c.SetFont(font_);
  c.SetPen(Pen{});
  c.SetBrush(Brush{color_, BrushStyle::Solid});
  c.FillRect(a);
  FormPaint(c);
  std::vector<GraphicControl*> list = controls_;
  for (GraphicControl* g : list) {
    const Rect& b = g->BoundsRect();
    if (!g->Visible() || b.Width() <= 0 || b.Height() <= 0) continue;
    if (b.right <= a.left || b.left >= a.right || b.bottom <= a.top || b.top >= a.bottom) continue;
    // Each control paints in its own coordinates, clipped to its bounds
    // within the area, on a canvas as fresh as a new one: the form's default
    // pen and brush, the control's font, the pen at its origin.
    SetViewportOrgEx(dc, b.left, b.top, nullptr);
    SelectClipRgn(dc, nullptr);
    IntersectClipRect(dc, std::max(a.left, b.left) - b.left, std::max(a.top, b.top) - b.top,
                      std::min(a.right, b.right) - b.left, std::min(a.bottom, b.bottom) - b.top);
    MoveToEx(dc, 0, 0, nullptr);
    c.SetPen(Pen{});
    c.SetBrush(Brush{});
    c.SetFont(g->GetFont());
    g->Paint(c);
  }
  SetViewportOrgEx(dc, 0, 0, nullptr);
  SelectClipRgn(dc, nullptr);
}

void Form::MouseButton(UINT msg, LPARAM lp) {
  int x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
  ::MouseButton b = ::MouseButton::Left;
  if (msg == WM_RBUTTONDOWN || msg == WM_RBUTTONUP || msg == WM_RBUTTONDBLCLK) b = ::MouseButton::Right;
  if (msg == WM_MBUTTONDOWN || msg == WM_MBUTTONUP || msg == WM_MBUTTONDBLCLK) b = ::MouseButton::Middle;
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK: {
      GraphicControl* g = captured_ ? captured_ : ControlAt(controls_, x, y);
      if (!g) return;
      if (!captured_) {
        captured_ = g;
        SetCapture(Handle());
      }
      g->MouseDown(b, x - g->Left(), y - g->Top());
      if (msg == WM_LBUTTONDBLCLK && captured_ == g) g->DblClick();
      return;
    }
    case WM_MOUSEMOVE: {
      GraphicControl* g = captured_ ? captured_ : ControlAt(controls_, x, y);
      if (g) g->MouseMove(x - g->Left(), y - g->Top());
      return;
    }
    default: {  // a release
      GraphicControl* g = captured_;
      if (!g) {
        g = ControlAt(controls_, x, y);
        if (g) g->MouseUp(b, x - g->Left(), y - g->Top());
        return;
      }
      // Any button's release ends the capture, as the system does.
      captured_ = nullptr;
      if (GetCapture() == Handle()) ReleaseCapture();
      g->MouseUp(b, x - g->Left(), y - g->Top());  // may click: last
      return;
    }
  }
}

void Form::Resized() {
  int w = ClientWidth(), h = ClientHeight();
  int dw = w - lastClientWidth_, dh = h - lastClientHeight_;
  lastClientWidth_ = w;
  lastClientHeight_ = h;
  if (dw != 0 || dh != 0) {
    std::vector<GraphicControl*> list = controls_;
    for (GraphicControl* g : list) g->ParentResized(dw, dh);
  }
  FormResize();
}

LRESULT Form::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND: return 1;  // the back buffer paints the background: no flicker
    case WM_PAINT: Paint(); return 0;
    case WM_CLOSE: Close(); return 0;
    case WM_SIZE:
      if (wp != SIZE_MINIMIZED) Resized();
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wp) != WA_INACTIVE) FormActivate();
      return Default(msg, wp, lp);
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      WORD key = static_cast<WORD>(wp);
      FormKeyDown(key, CurrentShift());
      if (msg == WM_SYSKEYDOWN && key != 0) return Default(msg, wp, lp);
      return 0;
    }
    case WM_CHAR:
    case WM_SYSCHAR: {
      char c = static_cast<char>(wp);
      if (GraphicControl* g = FindAccelerated(controls_, c)) {
        g->Click();
        return 0;
      }
      if (msg == WM_SYSCHAR) return Default(msg, wp, lp);
      FormKeyPress(c);
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (captured_ && reinterpret_cast<HWND>(lp) != Handle()) {
        GraphicControl* g = captured_;
        captured_ = nullptr;
        g->MouseUp(::MouseButton::Left, -1, -1);  // cancelled: released outside
      }
      return 0;
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE: {
      LRESULT r = Default(msg, wp, lp);
      std::vector<GraphicControl*> list = controls_;
      for (GraphicControl* g : list) g->SettingsChanged();
      Invalidate();
      return r;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
    case WM_MOUSEMOVE: MouseButton(msg, lp); return 0;
    case WM_GETOBJECT: return GetObject(wp, lp);
    case WM_PRESS: Press(wp, lp); return 0;
  }
  return Default(msg, wp, lp);
}

WindowCanvas::WindowCanvas(const Form& f) : dc_(f.Handle()) {
  canvas_ = std::make_unique<GdiCanvas>(dc_.Get(), f.GetFont().PixelsPerInch);
  canvas_->SetFont(f.GetFont());
}

WindowCanvas::~WindowCanvas() = default;

Colour Form::ResolveColour(Colour c) const { return ToColorRef(c); }

Canvas& Form::MeasureCanvas() {
  if (!measure_) measure_ = std::make_unique<GdiCanvas>(measureDc_.Get(), font_.PixelsPerInch);
  return *measure_;
}

std::vector<GraphicControl*> Form::AccessibleControls() const {
  std::vector<GraphicControl*> exposed;
  for (GraphicControl* g : controls_)
    if (g->Describe().Role != AccessibleRole::None) exposed.push_back(g);
  return exposed;
}

void Form::AccessibleValueChanged(GraphicControl& c) {
  if (!Visible()) return;
  const std::vector<GraphicControl*> exposed = AccessibleControls();
  auto it = std::find(exposed.begin(), exposed.end(), &c);
  if (it == exposed.end()) return;
  const LONG id = static_cast<LONG>(it - exposed.begin() + 1);
  NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, Handle(), OBJID_CLIENT, id);
  if (accessible_) unread_ = id;
}

void Form::LetTheValueBeRead(platform::Pump& pump) {
  constexpr ULONGLONG Attente = 100;
  const ULONGLONG end = GetTickCount64() + Attente;
  for (ULONGLONG now = GetTickCount64(); unread_ != 0 && Visible() && now < end; now = GetTickCount64()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
    pump.ProcessMessages();
  }
  unread_ = 0;
}

void Form::ValueRead(LONG id) {
  if (id == unread_) unread_ = 0;
}

void Form::Announce(bool shown) {
  NotifyWinEvent(shown ? EVENT_SYSTEM_DIALOGSTART : EVENT_SYSTEM_DIALOGEND, Handle(), OBJID_WINDOW, CHILDID_SELF);
  if (!shown) return;
  const std::vector<GraphicControl*> exposed = AccessibleControls();
  auto it = std::find(exposed.begin(), exposed.end(), DefaultControl());
  if (it != exposed.end())
    NotifyWinEvent(EVENT_OBJECT_FOCUS, Handle(), OBJID_CLIENT, static_cast<LONG>(it - exposed.begin() + 1));
}

LRESULT Form::GetObject(WPARAM wp, LPARAM lp) {
  // The object id comes as a 32-bit value, sign-extended or not.
  if (static_cast<LONG>(static_cast<DWORD>(lp)) != OBJID_CLIENT) return Default(WM_GETOBJECT, wp, lp);
  if (!accessible_) accessible_ = AccessibleForm::Create(*this);
  const LRESULT r = accessible_->Lresult(wp);
  return r < 0 ? Default(WM_GETOBJECT, wp, lp) : r;
}

bool Form::PostPress(GraphicControl& c) {
  auto it = std::find(controls_.begin(), controls_.end(), &c);
  if (it == controls_.end() || !c.Enabled() || !Visible() || !IsWindowEnabled(Handle())) return false;
  return PostMessageA(Handle(), WM_PRESS, static_cast<WPARAM>(it - controls_.begin()),
                      static_cast<LPARAM>(generation_)) != FALSE;
}

void Form::Press(WPARAM index, LPARAM generation) {
  // Where a click could not happen now, neither does the press.
  if (static_cast<unsigned>(generation) != generation_ || index >= controls_.size()) return;
  if (!Visible() || !IsWindowEnabled(Handle())) return;
  controls_[index]->DoDefaultAction();
}

}  // namespace win32
