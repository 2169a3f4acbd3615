// The start of every installer program, linked in as its entry point: the
// search for DLLs is limited to the system folder before the run-time
// library starts, so that before any static constructor or the first window
// loads a DLL, one planted beside the program (a downloads folder) can no
// longer be loaded in its place, with the installer's rights.
#include "platform/win32/Windows.h"

// mingw-w64's start of a GUI program: it initialises the run-time library,
// runs the static constructors and main, and ends the process.
extern "C" int WinMainCRTStartup();

extern "C" __attribute__((force_align_arg_pointer)) DWORD WINAPI DemarrageProtege(void*) {
  // Windows 7 without its update KB2533623 lacks it; SetDllDirectoryA("")
  // still drops the current folder there.
  using SetDefault = BOOL(WINAPI*)(DWORD);
  if (HMODULE kernel = GetModuleHandleA("kernel32.dll")) {
    auto set = reinterpret_cast<SetDefault>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
    if (set) set(LOAD_LIBRARY_SEARCH_SYSTEM32);
  }
  SetDllDirectoryA("");
  return static_cast<DWORD>(WinMainCRTStartup());
}

// The program's load configuration, found by this name (by the linker, or
// after the link by cmake/pe-load-config). Its dependent-load flags make the loader, and the system DLLs
// that load others for the program, look in the system folder only. The
// headers of this compiler still call that field Reserved1; the layout is the
// one of the image's width (PE32 or PE32+). Read by the loader before any
// code runs, so made at compile time.
constexpr IMAGE_LOAD_CONFIG_DIRECTORY ConfigurationDeChargement() {
  IMAGE_LOAD_CONFIG_DIRECTORY c{};
  c.Size = sizeof c;
  c.Reserved1 = LOAD_LIBRARY_SEARCH_SYSTEM32;
  return c;
}
extern "C"
    __attribute__((used)) constinit const IMAGE_LOAD_CONFIG_DIRECTORY _load_config_used = ConfigurationDeChargement();
