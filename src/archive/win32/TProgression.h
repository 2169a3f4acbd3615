#pragma once
// The progress window TProgression that the expansion shows.

#include "controls/CurvedSpeedButton.h"
#include "controls/Gradient.h"
#include "controls/Label.h"
#include "controls/ProgressBar.h"
#include "controls/win32/Form.h"
#include "platform/Clock.h"
#include "platform/Pump.h"

namespace win32 {

// Hidden at creation: caption "Progression" (the caller's to replace),
// client 606 x 158 with a fixed border and no title-bar buttons, placed
// where the system puts new windows, Courier New 13 pixels, on the radial
// yellow-to-orange gradient. Label1 names the archive, Label6 the member,
// ProgressBar1 and Label2 show the percentage and the elapsed time, Totale
// and Restante the estimates; "Interrompre" (SpeedButton1) and closing the
// window set Label2 to "interrompu", the interruption request.
class TProgression : public Form {
public:
  // clock: what Debut and the elapsed time are read from; pump: what lets
  // the window's messages run during SetPosition.
  TProgression(platform::Clock& clock, platform::Pump& pump);

  using Form::SetPosition;
  // The bar at percent, Label2, Totale and Restante updated from the time
  // since Debut, then every pending window message processed; a screen
  // reader told of a new percentage is given the time to read it back.
  void SetPosition(int percent);

  // The clock reading taken when the window showed (0 before).
  double Debut = 0;

  // Painted first: the gradient lies under everything.
  TGradient Gradient1;
  Label Label1, Label2;
  ProgressBar ProgressBar1;
  TCurvedSpeedButton SpeedButton1;
  Label Label3, Totale, Restante, Label4, Label5, Label6, Label7;

  void SpeedButton1Click();

protected:
  void FormShow() override;
  void FormClose(CloseAction& action) override;

private:
  platform::Clock& clock_;
  platform::Pump& pump_;
};

}  // namespace win32
