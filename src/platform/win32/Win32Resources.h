#pragma once
// Module resources on Win32: the running module's by its file name.

#include "platform/Shell.h"
#include "platform/win32/Handles.h"

namespace win32 {

class Win32Resources : public platform::Resources {
public:
  std::optional<std::span<const uint8_t>> Find(const std::string& module, const std::string& type, int id) override;
};

}  // namespace win32
