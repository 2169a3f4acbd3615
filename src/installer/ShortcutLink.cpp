#include "installer/ShortcutLink.h"

#include "common/Errors.h"

namespace {
constexpr int32_t SwShowMaximized = 3;
constexpr int32_t SwShowMinNoActive = 7;
constexpr int32_t SwRestore = 9;
constexpr uint16_t NoHotKey = 32;
// HOTKEYF_CONTROL | HOTKEYF_ALT in the high byte.
constexpr uint16_t CtrlAlt = 0x600;
}  // namespace

namespace installer {

std::string TShortcutLink::HotKey() const {
  uint16_t code = hotKey_ == 0 ? NoHotKey : hotKey_;
  return std::string(1, static_cast<char>(code));
}

void TShortcutLink::SetHotKey(const std::string& letter) {
  uint16_t code = letter.empty() ? NoHotKey : static_cast<unsigned char>(letter[0]);
  if (code >= 'a' && code <= 'z') code -= 'a' - 'A';
  hotKey_ = code < NoHotKey ? NoHotKey : code;
}

TShowCmd TShortcutLink::ShowCmd() const {
  switch (showCmd_) {
    case SwShowMaximized: return TShowCmd::scShowMaximized;
    case SwShowMinNoActive: return TShowCmd::scShowMinimized;
    default: return TShowCmd::scShowNormal;
  }
}

void TShortcutLink::SetShowCmd(TShowCmd cmd) {
  switch (cmd) {
    case TShowCmd::scShowMaximized: showCmd_ = SwShowMaximized; break;
    case TShowCmd::scShowMinimized: showCmd_ = SwShowMinNoActive; break;
    case TShowCmd::scShowNormal: showCmd_ = SwRestore; break;
  }
}

void TShortcutLink::CreateShortcut() {
  std::string failure;
  std::unique_ptr<platform::ShellLinkObject> link = links_.Create(failure);
  if (!link) throw EOSError(failure);
  link->SetPath(Target);
  link->SetWorkingDirectory(WorkingDir);
  link->SetArguments(Arguments);
  link->SetDescription(Description);
  link->SetShowCmd(showCmd_);
  if (hotKey_ > NoHotKey) link->SetHotkey(static_cast<uint16_t>(hotKey_ | CtrlAlt));
  link->SetIconLocation(IconLocation, IconNumber);
  if (link->Save(ShortcutFile) != 0) throw EShortcutError("Unable to create .lnk file");
}

}  // namespace installer
