#include "installer/Install.h"

#include "common/Errors.h"
#include "installer/Messages.h"

namespace installer {

using platform::Access;
using platform::Disposition;
using platform::Share;

std::unique_ptr<platform::File> OuvreFichier(platform::FileSystem& fs, const ShortString& path) {
  uint32_t error = 0;
  return fs.Open(path.str(), Access::ReadWrite, Share::Read, Disposition::OpenExisting, &error);
}

std::string NomDuModule(const std::string& path) {
  auto p = path.find_last_of("\\/:");
  return p == std::string::npos ? path : path.substr(p + 1);
}

namespace {

// Writes the embedded payload to path in one write; every file operation is
// verified, and the file is closed even when the write fails.
void EcritPayload(InstallServices& s, const std::string& path) {
  const std::string module = NomDuModule(s.OwnPath);
  auto bytes = s.Resources.Find(module, "FCC", 1);
  if (!bytes) throw EResNotFound("Ressource FCC 1 introuvable dans " + module);

  uint32_t error = 0;
  auto file = s.Files.Open(path, Access::Write, Share::None, Disposition::CreateAlways, &error);
  if (!file) throw EInOutError(error);
  uint32_t done = 0;
  error = file->Write(bytes->data(), static_cast<uint32_t>(bytes->size()), &done);
  uint32_t closeError = file->Close();
  if (error != 0) throw EInOutError(error);
  if (done != bytes->size()) throw EInOutError(EInOutError::DiskFull);
  if (closeError != 0) throw EInOutError(closeError);
}

// Stamps the installed program with the build's time. Nothing is verified:
// an open that fails (the program is missing) leaves the later calls without
// effect.
void Estampille(InstallServices& s) {
  auto file = OuvreFichier(s.Files, ShortString(ProgrammeInstalle));
  if (!file) return;
  file->SetTimes(BuildFileTime, BuildFileTime, BuildFileTime);
  file->Close();
}

int Lance(InstallServices& s) {
  uint32_t error = s.Files.SetCurrentDirectory(DossierDeLancement);
  if (error != 0) throw EInOutError(error);
  s.Shell.Execute(ProgrammeLance, s.Argument, DossierDeLancement);
  return 0;
}

}  // namespace

int RunInstaller(InstallServices& s) {
  std::string installDir = s.Argument.find(':') != std::string::npos ? s.Argument : DossierParDefaut;

  if (s.Files.FileExists(ProgrammeInstalle) &&
      s.Box.BoiteMessage(TitreMiseAJourQuestion, QuestionMiseAJour(), OuiNon, 0) != 1)
    return 0;
  if (!s.Files.FileExists(ProgrammeInstalle) &&
      s.Box.BoiteMessage(TitreInstallation, QuestionInstallation(), OuiNon, 0) != 1)
    return 0;

  // The mode follows whether the payload folder could be made, not which question was asked.
  const uint32_t updateMode = s.Files.CreateDirectory(installDir);
  if (updateMode != 0) {
    installDir += "\\MAJ";
    s.Files.CreateDirectory(installDir);
  }

  EcritPayload(s, installDir + "\\" + PayloadName);
  if (updateMode != 0) s.AttendFermeture();
  s.ExtraitArchive(ShortString(installDir + "\\" + PayloadName));

  if (!s.Files.FileExists(PoliceSysteme) && s.Files.CopyFile(PoliceInstallee, PoliceSysteme) != 0)
    s.Box.BoiteMessage(TitrePolice, PoliceNonCopiee(), Ok, 0);

  s.CreeRaccourci("Brannoch © Corvanel", ProgrammeLance, "",
                  "Brannoch est une application réalisée avec Plinthar © Corvanel", "", "", 0, '\0');

  s.Files.CopyFile(s.OwnPath, CopieInstallateur);

  if (updateMode != 0) {
    if (s.Files.FileExists(ProgrammeInstalle) && s.Files.CopyFile(ProgrammeLance, Sauvegarde) != 0) {
      s.Box.BoiteMessage(TitreMiseAJour, SauvegardeEchouee(), Ok, 0);
      return 0;
    }
    if (s.Files.CopyFile(installDir + "\\Brannoch.EXE", ProgrammeInstalle) != 0) {
      s.Box.BoiteMessage(TitreMiseAJour, RemplacementEchoue(), Ok, 0);
      return 0;
    }
    Estampille(s);
    if (s.Box.BoiteMessage(TitreMiseAJour, MiseAJourTerminee(), OuiNon, 0) == 1) return Lance(s);
    return 0;
  }

  Estampille(s);
  if (s.Files.FileExists(Manuel)) s.Shell.Execute(Manuel, "", DossierDeLancement);
  if (s.Box.BoiteMessage(TitreInstallation, InstallationTerminee(), OuiNon, 0) == 1) return Lance(s);
  return 0;
}

}  // namespace installer
