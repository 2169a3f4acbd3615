#pragma once
// The shell on Win32: ShellExecute with the default verb, as this process.

#include "platform/Shell.h"
#include "platform/win32/Handles.h"

namespace win32 {

class Win32Shell : public platform::Shell {
public:
  void Execute(const std::string& file, const std::string& parameters, const std::string& folder) override;
};

}  // namespace win32
