#pragma once
// The shell link service on the shell's COM link object.

#include "platform/win32/Handles.h"

#include "platform/ShellLink.h"

namespace win32 {

class Win32ShellLinks : public platform::ShellLinks {
public:
  std::unique_ptr<platform::ShellLinkObject> Create(std::string& failure) override;
};

}  // namespace win32
