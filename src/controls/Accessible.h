#pragma once
// What a window-less control says of itself to assistive technology (a
// screen reader reads it through the window's accessibility interface):
// its role, name, value, state, bounds, keyboard shortcut and default action.
// Decoration and hidden controls say nothing.

#include <cstdint>
#include <string>
#include <string_view>

#include "draw/Canvas.h"

enum class AccessibleRole {
  None,        // not exposed: decoration, or nothing to say
  StaticText,  // a label
  PushButton,
  ProgressBar,
};

enum AccessibleState : uint32_t {
  asUnavailable = 1,  // disabled: a press does nothing
  asPressed = 2,      // held down by the mouse
  asDefault = 4,      // what Enter answers
  asFocused = 8,      // what the keys go to, for the interface only
  asReadOnly = 16,    // text that cannot be edited
};
using AccessibleStates = uint32_t;

struct AccessibleDescription {
  AccessibleRole Role = AccessibleRole::None;
  std::string Name;   // cp1252, as shown (no "&" markers)
  std::string Value;  // "4%" for a bar at 4
  AccessibleStates State = 0;
  Rect Bounds{0, 0, 0, 0};    // in the parent's client coordinates
  std::string Shortcut;       // "Alt+O" for "&Oui"
  std::string DefaultAction;  // "Appuyer" for a button
  friend bool operator==(const AccessibleDescription&, const AccessibleDescription&) = default;
};

// The name of a button's default action.
inline constexpr const char* ActionAppuyer = "Appuyer";

// "Alt+" and the accelerator in upper case, "" for none (0).
std::string ShortcutText(char accelerator);

// A push button with caption as shown, asPressed while pressed, the
// accelerator's shortcut and "Appuyer".
AccessibleDescription ButtonDescription(std::string_view caption, bool pressed, char accelerator);
