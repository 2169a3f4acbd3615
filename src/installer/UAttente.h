#pragma once
// AttendFermeture: the wait, in an update, until the installed program is no
// longer running, with the waiting window that asks the user to stop it.

#include <functional>
#include <memory>
#include <string>

#include "platform/FileSystem.h"
#include "platform/Pump.h"

namespace installer {

// The waiting window (TAttente) as the wait drives it.
class WaitingWindow {
public:
  virtual ~WaitingWindow() = default;
  virtual void SetCaption(const std::string& text) = 0;
  // Label1's caption, shown as plain text (no markup).
  virtual void SetText(const std::string& text) = 0;
  // Shows the window without making it modal.
  virtual void Show() = 0;
  virtual void Hide() = 0;
  // False once hidden, also when the user closed it by its title bar.
  virtual bool IsVisible() const = 0;
};

// Makes the waiting window; called at most once per run.
using WaitingWindowFactory = std::function<std::unique_ptr<WaitingWindow>()>;

struct WaitServices {
  platform::Pump& Pump;         // keeps the installer's windows alive between attempts
  platform::FileSystem& Files;  // sees the running program through a refused open
  WaitingWindowFactory CreeAttente;
  // The waiting window once made; only hidden afterwards, it lives as long as
  // the services (the whole run).
  std::unique_ptr<WaitingWindow> Attente{};
};

// Returns once "c:\Brannoch\Brannoch.EXE" could be opened for reading and
// writing (and was closed again) or was found missing. Never sleeps: each
// pass empties the message queue, then tries once. From the 499th refused
// attempt on, the waiting window shows; it is hidden when the wait ends.
// Only a sharing or lock violation counts as "still running": any other
// refusal but a missing file ends the wait with EInOutError of its code.
void AttendFermeture(WaitServices& services);

}  // namespace installer
