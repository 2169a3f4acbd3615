#pragma once
// The seam through which every question and report reaches the user. (Not
// named MessageBox, which <windows.h> would rename to MessageBoxA.)

#include <string>

#include "common/Colour.h"

class MessageBoxService {
public:
  virtual ~MessageBoxService() = default;
  // Shows Message (markup) under Titre with one button per caption of Boutons
  // ("Oui#13Non", "Ok"); Couleur 0 keeps the window's own colour. Returns the
  // 1-based number of the button chosen, 1 for Enter, 0 for Escape or close.
  virtual int BoiteMessage(const std::string& Titre, const std::string& Message, const std::string& Boutons,
                           Colour Couleur) = 0;
};
