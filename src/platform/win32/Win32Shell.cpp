#include "platform/win32/Win32Shell.h"

#include <shellapi.h>

namespace win32 {

void Win32Shell::Execute(const std::string& file, const std::string& parameters, const std::string& folder) {
  ShellExecuteA(nullptr, nullptr, file.c_str(), parameters.c_str(), folder.c_str(), SW_SHOWNORMAL);
}

}  // namespace win32
