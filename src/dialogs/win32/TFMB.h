#pragma once
// The message box window TFMB, its single instance FMB, and BoiteMessage.
// The window is created once (CreeFMB at start-up, or the first call) and
// reused; every call builds its buttons afresh and destroys them before it
// returns. The window takes every key itself (no control has the focus):
//   WM_KEYDOWN VK_RETURN answers 1, VK_ESCAPE answers 0;
//   WM_CHAR / WM_SYSCHAR of a button's accelerator presses that button;
//   another WM_CHAR answers the button whose letter in Touches it is;
//   a left click (WM_LBUTTONDOWN then WM_LBUTTONUP over the same button)
//   answers that button; WM_CLOSE answers 0.

#include <memory>
#include <string>
#include <vector>

#include "common/MessageBox.h"
#include "common/ShortString.h"
#include "controls/SpeedButton.h"
#include "controls/UHTMLLabel.h"
#include "controls/win32/Form.h"

namespace win32 {

class TFMB : public Form {
public:
  // Hidden, client 481 x 528, white, Tahoma 13 pixels, fixed single border
  // with system menu, minimise and maximise, on top, centred at the first
  // showing; LeMessage placed with AutoSize on.
  TFMB();

  // Shows Message (markup; "#13" and carriage returns break lines) under
  // Titre with one button per caption of Boutons, modally, on Couleur for
  // this call (0: the window's own colour). Returns the number of the button
  // chosen, 1 for Enter, 0 for Escape or a close. An error (a glyph that is no
  // bitmap, a malformed number in the markup) leaves through here after the
  // buttons are destroyed and the colour restored.
  int BoiteMessage(const std::string& Titre, const std::string& Message, const std::string& Boutons, Colour Couleur);

  // Its items (SetElements) draw the pictures and form fields of messages,
  // in the measuring before the window shows too.
  THTMLLabel LeMessage;
  int Reponse = 0;
  ShortString Touches;
  // The current call's buttons, B1 first; empty outside a call.
  const std::vector<std::unique_ptr<SpeedButton>>& Boutons() const { return boutons_; }

  // The message's text, as LeMessage draws it.
  std::string AccessibleText() const override;
  // The first button, which Enter answers.
  GraphicControl* DefaultControl() const override;

protected:
  void FormShow() override;
  void FormKeyDown(WORD& key, ShiftState shift) override;
  void FormKeyPress(char& key) override;
  void FormResize() override;
  void FormActivate() override;

private:
  void LesSpeedButtonsClick(GraphicControl& Sender);
  void CreeBoutons(const std::string& Boutons);
  void DetruitBoutons();

  std::vector<std::unique_ptr<SpeedButton>> boutons_;
};

// The single instance; nullptr until CreeFMB or the first BoiteMessage.
TFMB* FMB();
// The unit's start-up: creates FMB when it does not exist yet.
TFMB& CreeFMB();
// Frees FMB at the end of the run (before the program leaves main).
void LibereFMB();

// FMB's BoiteMessage, creating FMB first when it is missing.
int BoiteMessage(const std::string& Titre, const std::string& Message, const std::string& Boutons, Colour Couleur);

}  // namespace win32
