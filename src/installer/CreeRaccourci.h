#pragma once
// CreeRaccourci: writes a ".lnk" shortcut, by default on the current user's desktop.

#include <cstdint>
#include <string_view>

#include "platform/Registry.h"
#include "platform/ShellLink.h"

namespace installer {

struct ShortcutServices {
  platform::Registry& Registry;  // where the desktop folder is found
  platform::ShellLinks& Links;   // writes the file
};

// name is the shortcut's file name on the desktop, or its full path when it
// holds a "\"; ".lnk" is added when the path holds no "." at all. A target
// without "." gets ".exe"; an empty working folder is the target's folder, an
// empty icon file the target. Hot key 0 (or below 32) means none, any other
// letter gives Ctrl+Alt+letter. Each text is cut to 79 characters. Raises
// EShortcutError when the file cannot be written.
void CreeRaccourci(ShortcutServices& services, std::string_view name, std::string_view target,
                   std::string_view workingDir, std::string_view description, std::string_view arguments,
                   std::string_view iconFile, uint16_t iconIndex, char hotKey);

}  // namespace installer
