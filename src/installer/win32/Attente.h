#pragma once
// The waiting window TAttente, which asks the user to stop the running
// program while the update waits for it, and the waiting-window service of
// the wait over it.

#include <memory>

#include "controls/Label.h"
#include "controls/win32/Form.h"
#include "installer/UAttente.h"

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

// The wait's waiting window: one TAttente, never destroyed before the
// service itself.
class AttenteWindow : public installer::WaitingWindow {
public:
  void SetCaption(const std::string& text) override { form_.SetCaption(text); }
  void SetText(const std::string& text) override { form_.Label1.SetCaption(text); }
  void Show() override { form_.Show(); }
  void Hide() override { form_.Hide(); }
  bool IsVisible() const override { return form_.Visible(); }

  TAttente& Form() { return form_; }

private:
  TAttente form_;
};

// The factory WaitServices::CreeAttente expects.
inline std::unique_ptr<installer::WaitingWindow> CreeAttente() { return std::make_unique<AttenteWindow>(); }

}  // namespace win32
