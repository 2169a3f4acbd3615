#include "installer/win32/InstallerMain.h"

#include <new>

#include "archive/UConcatene.h"
#include "archive/win32/Win32ProgressWindow.h"
#include "common/Errors.h"
#include "controls/win32/Application.h"
#include "dialogs/win32/TFMB.h"
#include "dialogs/win32/Win32MessageBox.h"
#include "draw/win32/FabriqueImagesGdi.h"
#include "installer/CreeRaccourci.h"
#include "installer/Install.h"
#include "installer/UAttente.h"
#include "installer/win32/Win32WaitingWindow.h"
#include "markup/ElementsHTML.h"
#include "markup/LibJpeg.h"
#include "platform/win32/Process.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32DesktopShell.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Resources.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32ShellLinks.h"

namespace win32 {

int InstallerMain() {
  Win32FileSystem files;
  Win32Resources resources;
  // An elevated installer starts the application and the manual through the
  // user's desktop, so that they do not run elevated too.
  Win32Shell directShell;
  Win32DesktopShell desktop;
  platform::UnelevatedShell shell(directShell, desktop);
  Win32Clock clock;
  // The application object pumps, so an error in a window handler reaches the report.
  Application& pump = Application::Instance();
  // The pictures of messages, French texts: made before the message box and
  // freed after it, when the installer ends.
  DecodeurLibJpeg jpeg;
  FabriqueImagesGdi dessins;
  CacheImages images(files, jpeg, dessins, LangueFrancaise);
  ElementsHTML elements(images);
  // The message box window lives for the whole run, from before the first
  // question (it is made at the top of the try below).
  struct FreeFMB {
    ~FreeFMB() { LibereFMB(); }
  } freeFMB;
  Win32MessageBox box;
  Win32Registry registry;
  Win32ShellLinks links;
  installer::ShortcutServices shortcut{registry, links};
  // The waiting window, once made, lives until the installer ends.
  installer::WaitServices wait{pump, files, CreeAttente};

  ArchiveServices archive{files, clock, box, [&clock, &pump] { return CreeProgression(clock, pump); }};
  installer::InstallServices s{files,
                               resources,
                               shell,
                               box,
                               [&wait] { installer::AttendFermeture(wait); },
                               [&archive](const ShortString& path) { ExtraitArchive(archive, path); },
                               [&shortcut](const std::string& name, const std::string& target, const std::string& dir,
                                           const std::string& description, const std::string& arguments,
                                           const std::string& icon, uint16_t index, char key) {
                                 installer::CreeRaccourci(shortcut, name, target, dir, description, arguments, icon,
                                                          index, key);
                               },
                               OwnModulePath(),
                               FirstArgument()};

  // A report that cannot be shown (no window can be made) still ends the run with 1.
  auto report = [&box, &s](const char* className, const void* address, const std::string& message) {
    const std::string module = installer::NomDuModule(s.OwnPath);
    try {
      box.BoiteMessage("Erreur d'application", StandardReport(className, module, address, message), "Ok", 0);
    } catch (...) {
    }
    return 1;
  };
  try {
    CreeFMB().LeMessage.SetElements(&elements);
    return installer::RunInstaller(s);
  } catch (const Exception& e) {
    return report(e.ClassName(), e.Address(), e.Message());
  } catch (const std::bad_alloc&) {
    return report("EOutOfMemory", nullptr, SOutOfMemory);
  }
}

}  // namespace win32
