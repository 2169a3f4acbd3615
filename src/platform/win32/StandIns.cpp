#include "platform/win32/StandIns.h"

#include "platform/win32/Windows.h"

namespace win32 {

int PlainMessageBox::BoiteMessage(const std::string& Titre, const std::string& Message, const std::string& Boutons,
                                  Colour) {
  if (Boutons == "Oui#13Non") {
    int r = MessageBoxA(nullptr, Message.c_str(), Titre.c_str(), MB_YESNO | MB_TOPMOST | MB_SETFOREGROUND);
    return r == IDYES ? 1 : r == IDNO ? 2 : 0;
  }
  MessageBoxA(nullptr, Message.c_str(), Titre.c_str(), MB_OK | MB_TOPMOST | MB_SETFOREGROUND);
  return 1;
}

}  // namespace win32
