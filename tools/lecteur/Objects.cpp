#include "Objects.h"

#include <cstdio>
#include <string_view>

#include "pilot/Text.h"

namespace lecteur {
namespace {

// The role texts by number from 1 (ROLE_SYSTEM_TITLEBAR) on, as Windows
// words them in English.
constexpr char kRoles[] =
    "title bar|menu bar|scroll bar|grip|sound|cursor|caret|alert|window|client|popup menu|menu item|tool tip|"
    "application|document|pane|chart|dialog|border|grouping|separator|tool bar|status bar|table|column header|"
    "row header|column|row|cell|link|help balloon|character|list|list item|outline|outline item|page tab|"
    "property page|indicator|graphic|text|editable text|push button|check box|radio button|combo box|drop down|"
    "progress bar|dial|hot key field|slider|spin box|diagram|animation|equation|drop down button|menu button|"
    "grid drop down button|white space|page tab list|clock|split button|IP address|outline button";

// The state names by bit from 0 (STATE_SYSTEM_UNAVAILABLE) on.
constexpr char kStates[] =
    "unavailable|selected|focused|pressed|checked|mixed|read-only|hot-tracked|default|expanded|collapsed|busy|"
    "floating|marqueed|animated|invisible|offscreen|sizeable|moveable|self-voicing|focusable|selectable|linked|"
    "traversed|multi-selectable|extended-selectable|alert-low|alert-medium|alert-high|protected|has-popup";

// Entry `n` (from 0) of a list of names separated by "|"; empty past its end.
std::string Entry(const char* list, size_t n) {
  const std::string_view all(list);
  size_t from = 0;
  for (; n > 0 && from != std::string_view::npos; --n) {
    from = all.find('|', from);
    if (from != std::string_view::npos) ++from;
  }
  if (from == std::string_view::npos) return {};
  return std::string(all.substr(from, all.find('|', from) - from));
}

// The result of reading one property: a call that says the object does not
// have it reads as nothing said.
HRESULT Kept(HRESULT hr) {
  const bool unsupported = hr == E_NOTIMPL || hr == DISP_E_MEMBERNOTFOUND || hr == E_INVALIDARG;
  return FAILED(hr) && !unsupported ? hr : S_OK;
}

std::string FromBstr(BSTR b) { return b ? Utf8(b, SysStringLen(b)) : std::string(); }

// One text property through `get` (get_accName ...).
template <class Get>
HRESULT Text(Get get, std::string& out) {
  BSTR b = nullptr;
  const HRESULT hr = get(&b);
  out = FromBstr(b);
  SysFreeString(b);
  return Kept(hr);
}

// One property given as a number (get_accRole, get_accState) and put in
// words by `words`, or as a text of its own.
HRESULT Number(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*), IAccessible* o, const VARIANT& v,
               std::string (*words)(long), std::string& out) {
  VARIANT r;
  VariantInit(&r);
  const HRESULT hr = (o->*get)(v, &r);
  if (r.vt == VT_I4) out = words(r.lVal);
  else if (r.vt == VT_BSTR) out = FromBstr(r.bstrVal);
  VariantClear(&r);
  return Kept(hr);
}

HRESULT Location(IAccessible* o, const VARIANT& v, std::string& out) {
  long x = 0, y = 0, w = 0, h = 0;
  const HRESULT hr = o->accLocation(&x, &y, &w, &h, v);
  if (hr == S_OK) out = std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(w) + "," + std::to_string(h);
  return Kept(hr);
}

// ` key="text"` for a text said, nothing for an empty one.
std::string Field(const char* key, const std::string& text, bool quoted = true) {
  if (text.empty()) return {};
  return std::string(" ") + key + "=" + (quoted ? pilot::Quote(pilot::OneLine(text)) : text);
}

std::string Tail(const Said& s) {
  return Field("description", s.description) + Field("value", s.value) + Field("shortcut", s.shortcut) +
         Field("action", s.action) + Field("state", s.state, false) + Field("location", s.location, false);
}

// Element `i` of the children AccessibleChildren gave: an object of its
// own, or a simple element of `parent`. Clears the variant.
HRESULT Child(IAccessible* parent, VARIANT& v, long place, Element& e) {
  HRESULT hr = S_OK;
  std::unique_lock<std::mutex> making(ProxyMaking());
  if (v.vt == VT_DISPATCH && v.pdispVal) {
    hr = v.pdispVal->QueryInterface(IID_IAccessible, e.object.Put());
    e.child = CHILDID_SELF;
  } else if (v.vt == VT_I4) {
    hr = parent->QueryInterface(IID_IAccessible, e.object.Put());
    e.child = v.lVal;
  } else {
    hr = E_UNEXPECTED;
  }
  VariantClear(&v);
  making.unlock();
  if (FAILED(hr)) return hr;
  hr = Read(e.object.Get(), e.child, Fields::All, e.said);
  // A child window's object that says nothing of itself (Wine's) is read
  // through the client object of its window.
  HWND w = nullptr;
  if (hr == S_OK && e.said.role.empty() && e.child == CHILDID_SELF &&
      WindowFromAccessibleObject(e.object.Get(), &w) == S_OK && w) {
    making.lock();
    const bool got = AccessibleObjectFromWindow(w, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible, e.object.Put()) ==
                     S_OK;
    making.unlock();
    if (got) hr = Read(e.object.Get(), CHILDID_SELF, Fields::All, e.said);
  }
  e.said.id = e.child == CHILDID_SELF ? place : e.child;
  return hr;
}

}  // namespace

std::string Utf8(const wchar_t* s, size_t n) {
  if (n == 0) return {};
  const int m = WideCharToMultiByte(CP_UTF8, 0, s, static_cast<int>(n), nullptr, 0, nullptr, nullptr);
  std::string out(m > 0 ? m : 0, '\0');
  WideCharToMultiByte(CP_UTF8, 0, s, static_cast<int>(n), out.data(), m, nullptr, nullptr);
  return out;
}

VARIANT ChildVariant(long child) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = child;
  return v;
}

std::mutex& ProxyMaking() {
  static std::mutex m;
  return m;
}

std::string HresultText(HRESULT hr) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%08lX", static_cast<unsigned long>(hr));
  return buf;
}

std::string RoleText(long role) {
  std::string text = role > 0 ? Entry(kRoles, static_cast<size_t>(role) - 1) : "";
  return text.empty() ? "role " + std::to_string(role) : text;
}

std::string StateText(long state) {
  std::string out;
  for (size_t bit = 0; bit < 31; ++bit)
    if (state & (1L << bit)) out += (out.empty() ? "" : ",") + Entry(kStates, bit);
  return out;
}

HRESULT Read(IAccessible* o, long child, Fields fields, Said& s) {
  const VARIANT v = ChildVariant(child);
  s.id = child;
  // The value first: it is what changes, and read at once it is still the
  // one an event told of.
  HRESULT hr = fields != Fields::Focus ? ReadValue(o, child, s.value) : S_OK;
  if (hr == S_OK) hr = Number(&IAccessible::get_accRole, o, v, RoleText, s.role);
  if (hr == S_OK) hr = Text([&](BSTR* b) { return o->get_accName(v, b); }, s.name);
  if (hr == S_OK && fields == Fields::All) {
    hr = Text([&](BSTR* b) { return o->get_accDescription(v, b); }, s.description);
    if (hr == S_OK) hr = Text([&](BSTR* b) { return o->get_accKeyboardShortcut(v, b); }, s.shortcut);
    if (hr == S_OK) hr = Text([&](BSTR* b) { return o->get_accDefaultAction(v, b); }, s.action);
    if (hr == S_OK) hr = Location(o, v, s.location);
  }
  if (hr == S_OK && fields != Fields::Value) hr = Number(&IAccessible::get_accState, o, v, StateText, s.state);
  return hr;
}

HRESULT ReadValue(IAccessible* o, long child, std::string& out) {
  const VARIANT v = ChildVariant(child);
  return Text([&](BSTR* b) { return o->get_accValue(v, b); }, out);
}

HRESULT ReadWindow(HWND w, Reading& out) {
  out.children.clear();
  out.self.said = Said();
  HRESULT hr;
  {
    std::lock_guard<std::mutex> making(ProxyMaking());
    hr = AccessibleObjectFromWindow(w, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible, out.self.object.Put());
  }
  if (FAILED(hr)) return hr;
  IAccessible* self = out.self.object.Get();
  if (FAILED(hr = Read(self, CHILDID_SELF, Fields::All, out.self.said))) return hr;
  long count = 0;
  if (FAILED(hr = self->get_accChildCount(&count))) return hr;
  if (count <= 0) return S_OK;
  std::vector<VARIANT> kids(count);
  LONG got = 0;
  {
    // It asks for the object's enumerator, and for each child's object.
    std::lock_guard<std::mutex> making(ProxyMaking());
    hr = AccessibleChildren(self, 0, count, kids.data(), &got);
  }
  if (FAILED(hr)) return hr;
  for (LONG i = 0; i < got; ++i) {
    Element e;
    if (SUCCEEDED(hr)) hr = Child(self, kids[i], i + 1, e);
    else VariantClear(&kids[i]);
    if (SUCCEEDED(hr)) out.children.push_back(std::move(e));
  }
  return FAILED(hr) ? hr : S_OK;
}

std::string WindowLine(const Said& s) {
  return "window " + pilot::Quote(pilot::OneLine(s.name)) + " role=" + s.role + Tail(s);
}

std::string ObjectLine(const Said& s) {
  return std::to_string(s.id) + (s.role.empty() ? "" : " " + s.role) +
         (s.name.empty() ? "" : " " + pilot::Quote(pilot::OneLine(s.name))) + Tail(s);
}

HRESULT Press(const Element& e) { return e.object->accDoDefaultAction(ChildVariant(e.child)); }

}  // namespace lecteur
