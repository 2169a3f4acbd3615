#pragma once
// TShortcutLink: the properties of one shell shortcut and the writing of its
// ".lnk" file through the platform's shell link object.

#include <cstdint>
#include <string>

#include "platform/ShellLink.h"

namespace installer {

enum class TShowCmd { scShowMaximized, scShowMinimized, scShowNormal };

class TShortcutLink {
public:
  // Everything zero and every text empty; links are made through links.
  explicit TShortcutLink(platform::ShellLinks& links) : links_(links) {}

  std::string ShortcutFile;  // path of the ".lnk" file to write
  std::string Target;
  std::string WorkingDir;
  std::string Description;
  std::string Arguments;
  std::string IconLocation;
  uint16_t IconNumber = 0;

  // The hot-key letter; a blank means none.
  std::string HotKey() const;
  // Keeps the first character (a blank for an empty text) upper-cased for a
  // to z only; a code below 32 becomes 32, no hot key.
  void SetHotKey(const std::string& letter);
  uint16_t HotKeyCode() const { return hotKey_; }

  // Stored as the platform's show commands 3, 7 and 9 (restore, not 1, for
  // normal); any other stored number reads as normal.
  TShowCmd ShowCmd() const;
  void SetShowCmd(TShowCmd cmd);
  int32_t ShowCmdNumber() const { return showCmd_; }

  // Writes ShortcutFile from the current values, replacing an existing file.
  // Raises EShortcutError "Unable to create .lnk file" when the save fails,
  // and the links' error when no link object can be made.
  void CreateShortcut();

private:
  platform::ShellLinks& links_;
  uint16_t hotKey_ = 0;
  int32_t showCmd_ = 0;
};

}  // namespace installer
