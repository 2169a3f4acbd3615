#include "platform/win32/InstallerMain.h"

#include <new>

#include "archive/UConcatene.h"
#include "common/Errors.h"
#include "installer/Install.h"
#include "platform/win32/StandIns.h"
#include "platform/win32/Win32Platform.h"

namespace win32 {

namespace {

std::string ModuleName() {
  std::string path = OwnModulePath();
  auto p = path.find_last_of('\\');
  return p == std::string::npos ? path : path.substr(p + 1);
}

}  // namespace

int InstallerMain() {
  Win32FileSystem files;
  Win32Resources resources;
  Win32Shell shell;
  Win32Clock clock;
  Win32Pump pump;
  PlainMessageBox box;

  ArchiveServices archive{files, clock, box, [&pump] { return std::make_unique<SilentProgressWindow>(pump); }};
  installer::InstallServices s{
      files,
      resources,
      shell,
      box,
      // Stand-in: one attempt; the real wait comes with the waiting window.
      [] {},
      [&archive](const ShortString& path) { ExtraitArchive(archive, path); },
      // Stand-in: no shortcut yet.
      [](const std::string&, const std::string&, const std::string&, const std::string&, const std::string&,
         const std::string&, uint16_t, char) {},
      OwnModulePath(),
      FirstArgument()};

  auto report = [&box](const char* className, const void* address, const std::string& message) {
    box.BoiteMessage("Erreur d'application", StandardReport(className, ModuleName(), address, message), "Ok", 0);
    return 1;
  };
  try {
    return installer::RunInstaller(s);
  } catch (const Exception& e) {
    return report(e.ClassName(), e.Address(), e.Message());
  } catch (const std::bad_alloc&) {
    return report("EOutOfMemory", nullptr, SOutOfMemory);
  }
}

}  // namespace win32
