#include "installer/UAttente.h"

#include <cstdint>

#include "common/Errors.h"
#include "installer/Dossiers.h"

namespace {
// The attempt at which the silent wait ends: the program is found missing or
// the window comes up.
constexpr int32_t EssaiFenetre = 499;
constexpr const char* TitreAttente = "Installateur de Brannoch.EXE © Corvanel";
constexpr const char* TexteAttente =
    "\rINSTALL.EXE a décelé que Brannoch.EXE est en cours d'execution. Pour poursuivre l'installation vous "
    "devez arrêter Brannoch.EXE\rSi ce n'était pas le cas interrompez \"INSTALL.EXE\" en pressant "
    "<Ctrl><Alt><Suppr>";

bool Missing(uint32_t error) { return error == platform::ErrorFileNotFound || error == platform::ErrorPathNotFound; }

// Only these refusals mean that a process holds the program open. Any other
// (a read-only file, no right to write it) would refuse every attempt for
// ever, and the window would ask to stop a program that is not running.
bool InUse(uint32_t error) { return error == platform::ErrorSharingViolation || error == platform::ErrorLockViolation; }

void HideWindow(installer::WaitServices& s) {
  if (s.Attente && s.Attente->IsVisible()) s.Attente->Hide();
}
}  // namespace

namespace installer {

void AttendFermeture(WaitServices& s) {
  std::unique_ptr<platform::File> handle;
  // Stops growing past the window's attempt: only "before", "at" and "after" matter.
  int32_t n = 0;
  for (;;) {
    s.Pump.ProcessMessages();
    if (n <= EssaiFenetre) ++n;
    uint32_t error = 0;
    handle = s.Files.Open(ProgrammeLance, platform::Access::ReadWrite, platform::Share::ReadWrite,
                          platform::Disposition::OpenExisting, &error);
    if (!handle && !InUse(error) && !Missing(error)) {
      HideWindow(s);
      throw EInOutError(error);
    }
    if (n == EssaiFenetre) {
      if (!s.Files.FileExists(ProgrammeLance)) {
        handle.reset();
        break;
      }
      if (!s.Attente) s.Attente = s.CreeAttente();
      s.Attente->SetCaption(TitreAttente);
      s.Attente->SetText(TexteAttente);
      s.Attente->Show();
    }
    if (handle) break;
    // An open of a missing file can never succeed: a program that vanishes
    // while the window asks for it to be stopped ends the wait.
    if (n > EssaiFenetre && Missing(error)) break;
  }
  HideWindow(s);
  if (handle) handle->Close();
}

}  // namespace installer
