#pragma once
// The fixed paths of an installation. The file system ignores case, and the
// sequence spells the installation folder two ways ("C:" where it looks,
// "c:" where it starts and copies); each path keeps the spelling it has
// always been written with.

#include <string>

namespace installer {

inline const std::string DossierParDefaut = "C:\\Brannoch";
inline const std::string DossierDeLancement = "c:\\Brannoch";

// The installed program as the questions and the stamping look for it, and
// as the launch, the shortcut, the backup and the running-instance wait name it.
inline const std::string ProgrammeInstalle = DossierParDefaut + "\\Brannoch.EXE";
inline const std::string ProgrammeLance = DossierDeLancement + "\\Brannoch.EXE";
inline const std::string Sauvegarde = DossierParDefaut + "\\ex_Brannoch.EXE";
inline const std::string CopieInstallateur = DossierDeLancement + "\\install.exe";
inline const std::string Manuel = DossierDeLancement + "\\Brannoch.PDF";
// The font left by the first installation, and where the system keeps fonts.
inline const std::string PoliceInstallee = DossierParDefaut + "\\Starmath.ttf";
inline const std::string PoliceSysteme = "C:\\Windows\\fonts\\Starmath.ttf";

}  // namespace installer
