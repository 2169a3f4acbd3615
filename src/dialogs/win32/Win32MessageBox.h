#pragma once
// The message box service of the installer and the expansion on Win32.

#include "common/MessageBox.h"
#include "dialogs/win32/TFMB.h"

namespace win32 {

// The message box service of the installer and the expansion over FMB.
class Win32MessageBox : public MessageBoxService {
public:
  int BoiteMessage(const std::string& Titre, const std::string& Message, const std::string& Boutons,
                   Colour Couleur) override {
    return win32::BoiteMessage(Titre, Message, Boutons, Couleur);
  }
};

}  // namespace win32
