#include "controls/win32/AccessibleForm.h"

#include <climits>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "controls/win32/Form.h"

namespace win32 {

namespace {

constexpr UINT Cp1252 = 1252;

// A function of oleacc.dll. It is no known DLL of the system: imported, it
// would be looked for beside the program first on the systems that ignore
// the image's load flags, and a DLL planted there would run. So it is loaded
// by its full path in the system folder, when it is first needed.
template <class F>
F Oleacc(const char* name) {
  static HMODULE module = [] {
    char folder[MAX_PATH];
    const UINT n = GetSystemDirectoryA(folder, MAX_PATH);
    if (n == 0 || n >= MAX_PATH - 12) return HMODULE{};
    return LoadLibraryA((std::string(folder, n) + "\\oleacc.dll").c_str());
  }();
  return module ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

// The UTF-16 of a cp1252 text; *out is left null for an empty one, which is
// then S_FALSE: the property has no text.
HRESULT Text(const std::string& s, BSTR* out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (s.empty()) return S_FALSE;
  const int n = MultiByteToWideChar(Cp1252, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  if (n <= 0) return E_FAIL;
  *out = SysAllocStringLen(nullptr, static_cast<UINT>(n));
  if (!*out) return E_OUTOFMEMORY;
  MultiByteToWideChar(Cp1252, 0, s.data(), static_cast<int>(s.size()), *out, n);
  return S_OK;
}

void SetId(VARIANT* v, LONG id) {
  VariantInit(v);
  v->vt = VT_I4;
  v->lVal = id;
}

LONG RoleOf(AccessibleRole r) {
  switch (r) {
    case AccessibleRole::StaticText: return ROLE_SYSTEM_STATICTEXT;
    case AccessibleRole::PushButton: return ROLE_SYSTEM_PUSHBUTTON;
    case AccessibleRole::ProgressBar: return ROLE_SYSTEM_PROGRESSBAR;
    case AccessibleRole::None: break;
  }
  return ROLE_SYSTEM_CLIENT;
}

LONG StateOf(AccessibleStates s) {
  LONG r = 0;
  if (s & asUnavailable) r |= STATE_SYSTEM_UNAVAILABLE;
  if (s & asPressed) r |= STATE_SYSTEM_PRESSED;
  if (s & asDefault) r |= STATE_SYSTEM_DEFAULT;
  if (s & asFocused) r |= STATE_SYSTEM_FOCUSED | STATE_SYSTEM_FOCUSABLE;
  if (s & asReadOnly) r |= STATE_SYSTEM_READONLY;
  return r;
}

// One call's view of the form: its exposed controls as they are now, so that
// a child id means the control it means during this call only.
struct Vue {
  Form& form;
  std::vector<GraphicControl*> controls = form.AccessibleControls();

  // 0 for the form itself, 1..n for a control, -1 for an id that names none
  // (one read in an earlier call whose control is gone, say).
  LONG Id(const VARIANT& v) const {
    LONG id = -1;
    if (v.vt == VT_I4) id = v.lVal;
    else if (v.vt == VT_I2) id = v.iVal;
    else if (v.vt == VT_EMPTY) id = CHILDID_SELF;
    return id >= 0 && static_cast<std::size_t>(id) <= controls.size() ? id : -1;
  }
  // What control id says, with the states the form adds: the default
  // control's, and unavailable while the window takes no input.
  AccessibleDescription Of(LONG id) const {
    GraphicControl& g = *controls[static_cast<std::size_t>(id) - 1];
    AccessibleDescription d = g.Describe();
    if (&g == form.DefaultControl()) d.State |= asDefault | asFocused;
    if (!IsWindowEnabled(form.Handle())) d.State |= asUnavailable;
    return d;
  }
  LONG IdOf(const GraphicControl* g) const {
    for (std::size_t i = 0; i < controls.size(); ++i)
      if (controls[i] == g) return static_cast<LONG>(i + 1);
    return -1;
  }
  // The client area in screen coordinates, or a control's bounds there.
  RECT Screen(LONG id) const {
    RECT r{};
    if (id == CHILDID_SELF) {
      GetClientRect(form.Handle(), &r);
    } else {
      const Rect& b = controls[static_cast<std::size_t>(id) - 1]->BoundsRect();
      r = RECT{b.left, b.top, b.right, b.bottom};
    }
    MapWindowPoints(form.Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
};

// Runs f on the call's view, or answers that the form is gone. Exceptions
// (a malformed number in a message's markup) never cross into the system.
template <class F>
HRESULT Call(Form* form, F f) {
  if (!form) return CO_E_OBJNOTCONNECTED;
  try {
    Vue v{*form};
    return f(v);
  } catch (...) {
    return E_FAIL;
  }
}

// A property of a control as text; the form itself has none but its own.
template <class Field>
HRESULT ChildText(Form* form, const VARIANT& child, BSTR* out, Field field) {
  if (out) *out = nullptr;
  return Call(form, [&](Vue& v) -> HRESULT {
    const LONG id = v.Id(child);
    if (id < 0) return E_INVALIDARG;
    if (id == CHILDID_SELF) return S_FALSE;
    return Text(v.Of(id).*field, out);
  });
}

// The control next to from in a direction: among those lying wholly beyond
// its edge that way, those level with it first (on its row, or in its
// column), then the nearest edge, then the nearest across; -1 when there is
// none.
LONG Beside(const Vue& v, LONG from, LONG direction) {
  const Rect& a = v.controls[static_cast<std::size_t>(from) - 1]->BoundsRect();
  const bool across = direction == NAVDIR_LEFT || direction == NAVDIR_RIGHT;
  LONG best = -1;
  std::tuple<bool, long long, long long> bestKey{true, LLONG_MAX, LLONG_MAX};
  for (std::size_t i = 0; i < v.controls.size(); ++i) {
    const Rect& b = v.controls[i]->BoundsRect();
    const long long gap = direction == NAVDIR_LEFT    ? a.left - b.right
                          : direction == NAVDIR_RIGHT ? b.left - a.right
                          : direction == NAVDIR_UP    ? a.top - b.bottom
                                                      : b.top - a.bottom;
    if (gap < 0) continue;
    const bool level = across ? b.top < a.bottom && a.top < b.bottom : b.left < a.right && a.left < b.right;
    const long long cross = across ? std::llabs(0LL + b.top + b.bottom - a.top - a.bottom)
                                   : std::llabs(0LL + b.left + b.right - a.left - a.right);
    const std::tuple<bool, long long, long long> key{!level, gap, cross};
    if (key < bestKey) {
      bestKey = key;
      best = static_cast<LONG>(i + 1);
    }
  }
  return best;
}

}  // namespace

AccessibleForm* AccessibleForm::Create(Form& form) { return new AccessibleForm(form); }

LRESULT AccessibleForm::Lresult(WPARAM wp) {
  using Fonction = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
  static const Fonction lresult = Oleacc<Fonction>("LresultFromObject");
  return lresult ? lresult(__uuidof(IAccessible), wp, static_cast<IAccessible*>(this)) : E_FAIL;
}

void AccessibleForm::Disconnect() {
  if (!form_) return;
  form_ = nullptr;
  CoDisconnectObject(static_cast<IAccessible*>(this), 0);
}

HRESULT AccessibleForm::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) || riid == __uuidof(IAccessible)) {
    *object = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG AccessibleForm::AddRef() { return ++references_; }

ULONG AccessibleForm::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

HRESULT AccessibleForm::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}
HRESULT AccessibleForm::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return E_NOTIMPL;
}
HRESULT AccessibleForm::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }
HRESULT AccessibleForm::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
  return E_NOTIMPL;
}

HRESULT AccessibleForm::get_accParent(IDispatch** parent) {
  if (!parent) return E_POINTER;
  *parent = nullptr;
  return Call(form_, [&](Vue& v) -> HRESULT {
    // The window's own object, which the system makes.
    using Fonction = HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**);
    static const Fonction fromWindow = Oleacc<Fonction>("AccessibleObjectFromWindow");
    if (!fromWindow) return S_FALSE;
    HRESULT hr = fromWindow(v.form.Handle(), static_cast<DWORD>(OBJID_WINDOW), __uuidof(IDispatch),
                            reinterpret_cast<void**>(parent));
    return SUCCEEDED(hr) && *parent ? S_OK : S_FALSE;
  });
}

HRESULT AccessibleForm::get_accChildCount(LONG* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return Call(form_, [&](Vue& v) -> HRESULT {
    *count = static_cast<LONG>(v.controls.size());
    return S_OK;
  });
}

HRESULT AccessibleForm::get_accChild(VARIANT child, IDispatch** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  // Every control is a simple element, answered through its id.
  return Call(form_, [&](Vue& v) -> HRESULT { return v.Id(child) > 0 ? S_FALSE : E_INVALIDARG; });
}

HRESULT AccessibleForm::get_accName(VARIANT child, BSTR* name) {
  if (name) *name = nullptr;
  return Call(form_, [&](Vue& v) -> HRESULT {
    const LONG id = v.Id(child);
    if (id < 0) return E_INVALIDARG;
    return Text(id == CHILDID_SELF ? v.form.Caption() : v.Of(id).Name, name);
  });
}

HRESULT AccessibleForm::get_accValue(VARIANT child, BSTR* value) {
  const HRESULT hr = ChildText(form_, child, value, &AccessibleDescription::Value);
  if (hr == S_OK && form_ && child.vt == VT_I4) form_->ValueRead(child.lVal);
  return hr;
}

HRESULT AccessibleForm::get_accDescription(VARIANT child, BSTR* description) {
  if (description) *description = nullptr;
  return Call(form_, [&](Vue& v) -> HRESULT {
    const LONG id = v.Id(child);
    if (id < 0) return E_INVALIDARG;
    return id == CHILDID_SELF ? Text(v.form.AccessibleText(), description) : S_FALSE;
  });
}

HRESULT AccessibleForm::get_accRole(VARIANT child, VARIANT* role) {
  if (!role) return E_POINTER;
  VariantInit(role);
  return Call(form_, [&](Vue& v) -> HRESULT {
    const LONG id = v.Id(child);
    if (id < 0) return E_INVALIDARG;
    SetId(role, id == CHILDID_SELF ? ROLE_SYSTEM_DIALOG : RoleOf(v.Of(id).Role));
    return S_OK;
  });
}

HRESULT AccessibleForm::get_accState(VARIANT child, VARIANT* state) {
  if (!state) return E_POINTER;
  VariantInit(state);
  return Call(form_, [&](Vue& v) -> HRESULT {
    const LONG id = v.Id(child);
    if (id < 0) return E_INVALIDARG;
    if (id != CHILDID_SELF) {
      SetId(state, StateOf(v.Of(id).State));
      return S_OK;
    }
    const HWND h = v.form.Handle();
    LONG s = STATE_SYSTEM_FOCUSABLE;
    if (!IsWindowVisible(h)) s |= STATE_SYSTEM_INVISIBLE;
    if (!IsWindowEnabled(h)) s |= STATE_SYSTEM_UNAVAILABLE;
    if (GetForegroundWindow() == h && !v.form.DefaultControl()) s |= STATE_SYSTEM_FOCUSED;
    SetId(state, s);
    return S_OK;
  });
}

HRESULT AccessibleForm::get_accHelp(VARIANT child, BSTR* help) {
  if (help) *help = nullptr;
  return Call(form_, [&](Vue& v) -> HRESULT { return v.Id(child) < 0 ? E_INVALIDARG : S_FALSE; });
}

HRESULT AccessibleForm::get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) {
  if (file) *file = nullptr;
  if (topic) *topic = -1;
  return form_ ? DISP_E_MEMBERNOTFOUND : CO_E_OBJNOTCONNECTED;
}

HRESULT AccessibleForm::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
  return ChildText(form_, child, shortcut, &AccessibleDescription::Shortcut);
}

HRESULT AccessibleForm::get_accFocus(VARIANT* child) {
  if (!child) return E_POINTER;
  VariantInit(child);
  return Call(form_, [&](Vue& v) -> HRESULT {
    // Nothing of the window has the keyboard but the window itself; the
    // control Enter answers stands for the focus.
    const LONG id = v.IdOf(v.form.DefaultControl());
    if (id > 0) {
      SetId(child, id);
      return S_OK;
    }
    if (GetForegroundWindow() != v.form.Handle()) return S_FALSE;
    SetId(child, CHILDID_SELF);
    return S_OK;
  });
}

HRESULT AccessibleForm::get_accSelection(VARIANT* children) {
  if (!children) return E_POINTER;
  VariantInit(children);
  return form_ ? S_FALSE : CO_E_OBJNOTCONNECTED;
}

HRESULT AccessibleForm::get_accDefaultAction(VARIANT child, BSTR* action) {
  return ChildText(form_, child, action, &AccessibleDescription::DefaultAction);
}

HRESULT AccessibleForm::accSelect(LONG, VARIANT) { return form_ ? DISP_E_MEMBERNOTFOUND : CO_E_OBJNOTCONNECTED; }

HRESULT AccessibleForm::accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) {
  if (!left || !top || !width || !height) return E_POINTER;
  *left = *top = *width = *height = 0;
  return Call(form_, [&](Vue& v) -> HRESULT {
    const LONG id = v.Id(child);
    if (id < 0) return E_INVALIDARG;
    const RECT r = v.Screen(id);
    *left = r.left;
    *top = r.top;
    *width = r.right - r.left;
    *height = r.bottom - r.top;
    return S_OK;
  });
}

HRESULT AccessibleForm::accNavigate(LONG direction, VARIANT start, VARIANT* end) {
  if (!end) return E_POINTER;
  VariantInit(end);
  return Call(form_, [&](Vue& v) -> HRESULT {
    const LONG id = v.Id(start), n = static_cast<LONG>(v.controls.size());
    if (id < 0) return E_INVALIDARG;
    LONG to = -1;
    switch (direction) {
      case NAVDIR_FIRSTCHILD:
      case NAVDIR_LASTCHILD:
        if (id != CHILDID_SELF) return E_INVALIDARG;
        to = n == 0 ? -1 : direction == NAVDIR_FIRSTCHILD ? 1 : n;
        break;
      case NAVDIR_NEXT:
      case NAVDIR_PREVIOUS:
        if (id == CHILDID_SELF) return S_FALSE;  // the window's siblings are the system's to tell
        to = direction == NAVDIR_NEXT ? id + 1 : id - 1;
        if (to < 1 || to > n) to = -1;
        break;
      case NAVDIR_LEFT:
      case NAVDIR_RIGHT:
      case NAVDIR_UP:
      case NAVDIR_DOWN:
        if (id == CHILDID_SELF) return S_FALSE;
        to = Beside(v, id, direction);
        break;
      default: return E_INVALIDARG;
    }
    if (to < 0) return S_FALSE;
    SetId(end, to);
    return S_OK;
  });
}

HRESULT AccessibleForm::accHitTest(LONG x, LONG y, VARIANT* child) {
  if (!child) return E_POINTER;
  VariantInit(child);
  return Call(form_, [&](Vue& v) -> HRESULT {
    POINT p{x, y};
    ScreenToClient(v.form.Handle(), &p);
    RECT client{};
    GetClientRect(v.form.Handle(), &client);
    if (!PtInRect(&client, p)) return S_FALSE;
    // The topmost control under the point: the last painted.
    for (LONG id = static_cast<LONG>(v.controls.size()); id >= 1; --id) {
      const Rect& b = v.controls[static_cast<std::size_t>(id) - 1]->BoundsRect();
      if (p.x >= b.left && p.x < b.right && p.y >= b.top && p.y < b.bottom) {
        SetId(child, id);
        return S_OK;
      }
    }
    SetId(child, CHILDID_SELF);
    return S_OK;
  });
}

HRESULT AccessibleForm::accDoDefaultAction(VARIANT child) {
  return Call(form_, [&](Vue& v) -> HRESULT {
    const LONG id = v.Id(child);
    if (id < 0) return E_INVALIDARG;
    if (id == CHILDID_SELF || v.Of(id).DefaultAction.empty()) return DISP_E_MEMBERNOTFOUND;
    return v.form.PostPress(*v.controls[static_cast<std::size_t>(id) - 1]) ? S_OK : E_FAIL;
  });
}

HRESULT AccessibleForm::put_accName(VARIANT, BSTR) { return form_ ? DISP_E_MEMBERNOTFOUND : CO_E_OBJNOTCONNECTED; }
HRESULT AccessibleForm::put_accValue(VARIANT, BSTR) { return form_ ? DISP_E_MEMBERNOTFOUND : CO_E_OBJNOTCONNECTED; }

}  // namespace win32
