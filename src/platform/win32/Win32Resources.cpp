#include "platform/win32/Win32Resources.h"

namespace win32 {

std::optional<std::span<const uint8_t>> Win32Resources::Find(const std::string& module, const std::string& type,
                                                             int id) {
  HMODULE m = GetModuleHandleA(module.c_str());
  if (!m) return std::nullopt;
  HRSRC r = FindResourceA(m, MAKEINTRESOURCEA(id), type.c_str());
  if (!r) return std::nullopt;
  HGLOBAL g = LoadResource(m, r);
  DWORD size = SizeofResource(m, r);
  const void* p = g ? LockResource(g) : nullptr;
  if (!p) return std::nullopt;
  return std::span<const uint8_t>(static_cast<const uint8_t*>(p), size);
}

}  // namespace win32
