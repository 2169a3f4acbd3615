// lnkwrite FOLDER: writes shortcuts through the real shell link object, as
// CreeRaccourci does, for an independent reader to check. Prints the path of
// each file written, one a line, the desktop's last.
#include <cstdio>
#include <string>

#include "common/Errors.h"
#include "installer/CreeRaccourci.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32ShellLinks.h"

using installer::CreeRaccourci;

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: lnkwrite FOLDER\n");
    return 2;
  }
  const std::string dir = argv[1];
  const char* description = "Brannoch est une application réalisée avec Plinthar © Corvanel";
  win32::Win32Registry registry;
  win32::Win32ShellLinks links;
  installer::ShortcutServices s{registry, links};
  try {
    CreeRaccourci(s, dir + "\\Brannoch © Corvanel", "c:\\Brannoch\\Brannoch.EXE", "", description, "", "", 0, 0);
    std::printf("%s\\Brannoch © Corvanel.lnk\n", dir.c_str());
    CreeRaccourci(s, dir + "\\Touche", "c:\\Outils\\prog", "", "Avec touche", "/a /b", "c:\\Outils\\icones.dll", 3,
                  'a');
    std::printf("%s\\Touche.lnk\n", dir.c_str());
    CreeRaccourci(s, dir + "\\Racine", "c:\\x.exe", "", "", "", "", 0, 0);
    std::printf("%s\\Racine.lnk\n", dir.c_str());
    CreeRaccourci(s, dir + "\\Remplace", "c:\\x.exe", "", "premier", "", "", 0, 'q');
    CreeRaccourci(s, dir + "\\Remplace", "c:\\x.exe", "", "second", "", "", 0, 0);
    std::printf("%s\\Remplace.lnk\n", dir.c_str());
    // The installer's own call, onto the desktop the registry names.
    CreeRaccourci(s, "Brannoch © Corvanel", "c:\\Brannoch\\Brannoch.EXE", "", description, "", "", 0, 0);
    auto key = registry.OpenOrCreateCurrentUserKey("Software\\MicroSoft\\Windows\\CurrentVersion\\Explorer");
    std::string desktop = key ? key->ReadString("Shell Folders", "Desktop").value_or("") : "";
    std::printf("%s\\Brannoch © Corvanel.lnk\n", desktop.c_str());
  } catch (const Exception& e) {
    std::fprintf(stderr, "%s: %s\n", e.ClassName(), e.Message().c_str());
    return 1;
  }
  return 0;
}
