#pragma once
// The desktop shell of the signed-in user, reached from this process through
// the shell's automation interfaces, and the elevation of this process's token.

#include "platform/Shell.h"

namespace win32 {

class Win32DesktopShell : public platform::DesktopShell {
public:
  bool Elevated() override;
  // Needs the component object system started on the calling thread.
  bool Execute(const std::string& file, const std::string& parameters, const std::string& folder) override;
};

}  // namespace win32
