#pragma once
// What the accessibility interface (MSAA) says of a window and of the objects
// in it, read as a screen reader reads it, the lines the reader prints of
// it, and pressing a button through it.

#include "platform/win32/Windows.h"

#include <oleacc.h>

#include <mutex>
#include <string>
#include <vector>

#include "platform/win32/Handles.h"

namespace lecteur {

// What one object says, as text in UTF-8; an empty field said nothing.
struct Said {
  long id = CHILDID_SELF;  // its child id, or its place among the children when it is an object of its own
  std::string role;        // "dialog", "text", "push button" ... (RoleText)
  std::string name;
  std::string description;
  std::string state;  // the state's names, "default,focused" (StateText)
  std::string shortcut;
  std::string action;    // the default action
  std::string location;  // "X,Y,W,H" on the screen
  std::string value;
};

// An object of a window: one of its own (with CHILDID_SELF), or a simple
// element of its parent's (the parent's object and the element's child id).
struct Element {
  win32::ComPtr<IAccessible> object;
  long child = CHILDID_SELF;
  Said said;
};

// A window's client object and its children, in the order it gives them.
struct Reading {
  Element self;
  std::vector<Element> children;
};

// Which properties are read: all of them, or the few an event's line names.
enum class Fields {
  All,
  Value,  // role, name and value
  Focus,  // role, name and state
};

// Reads the properties of element `child` of `object` into `out`. A
// property the object does not support stays empty; any other failing call
// ends the reading with its result (a busy or vanished window).
HRESULT Read(IAccessible* object, long child, Fields fields, Said& out);

// Reads only the value of element `child` of `object`, as Read does.
HRESULT ReadValue(IAccessible* object, long child, std::string& out);

// Reads the client object of window `w` (OBJID_CLIENT) and its children;
// the result of the first failing call, else S_OK.
HRESULT ReadWindow(HWND w, Reading& out);

// The window's line: window "NAME" role=dialog description="..." ...
std::string WindowLine(const Said& s);

// An object's line without indent: 2 push button "Oui" shortcut="Alt+O" ...
// (the name left out when it is empty).
std::string ObjectLine(const Said& s);

// The standard English text of a role (ROLE_SYSTEM_...), "role N" for one
// it does not know: the same words under any language of the system.
std::string RoleText(long role);

// The names of the state bits (STATE_SYSTEM_...), comma-separated, in bit
// order: "read-only", "default,focused".
std::string StateText(long state);

// Presses the element through its default action (accDoDefaultAction).
HRESULT Press(const Element& e);

// A variant naming element `child` (VT_I4), as the interface's calls take it.
VARIANT ChildVariant(long child);

// A wide string in UTF-8.
std::string Utf8(const wchar_t* s, size_t n);

// "0x80004005".
std::string HresultText(HRESULT hr);

// Held by a thread of the reader while it makes the proxy of an object of
// another process (AccessibleObjectFromWindow or FromEvent, get_accChild,
// QueryInterface, AccessibleChildren): Wine sets up its proxies lazily, and two threads doing so
// at once crashed the reader now and then (a call to address 0 from Wine's
// RPC library, in about one run of ten).
std::mutex& ProxyMaking();

}  // namespace lecteur
