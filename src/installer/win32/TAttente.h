#pragma once
// The waiting window TAttente, which asks the user to stop the running
// program while the update waits for it.

#include "controls/Label.h"
#include "controls/win32/Form.h"

namespace win32 {

// Hidden at creation: caption "Attente", client 510 x 306 centred on the
// screen at its first showing, colour 12631039, "MS Sans Serif" 8 points.
// Label1 fills the client area above Label2, its caption centred both ways
// and wrapped; Label2 is a 16-pixel strip along the bottom, left empty.
// Closing it by its title bar only hides it.
class TAttente : public Form {
public:
  TAttente();

  Label Label1;
  Label Label2;
};

}  // namespace win32
