#include "controls/Accessible.h"

#include "controls/Accelerators.h"

std::string ShortcutText(char accelerator) {
  if (accelerator == 0) return "";
  return std::string("Alt+") + UpCase(accelerator);
}

AccessibleDescription ButtonDescription(std::string_view caption, bool pressed, char accelerator) {
  AccessibleDescription d;
  d.Role = AccessibleRole::PushButton;
  d.Name = ShowCaption(caption).Text;
  if (pressed) d.State |= asPressed;
  d.Shortcut = ShortcutText(accelerator);
  d.DefaultAction = ActionAppuyer;
  return d;
}
