#include "draw/win32/BitmapFile.h"

#include <vector>

#include "common/Errors.h"
#include "platform/win32/SystemErrorMessage.h"

namespace win32 {

Bitmap LoadBitmapFile(const std::string& path) {
  UniqueHandle file(
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) throw EFOpenError(FOpenErrorMessage(path, SystemErrorMessage(GetLastError())));
  LARGE_INTEGER size{};
  // Glyphs are small: a file past 64 MiB is no bitmap this program shows.
  if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > (64 << 20)) throw EInvalidGraphic(SInvalidBitmap);
  std::vector<uint8_t> bytes(static_cast<size_t>(size.QuadPart));
  DWORD read = 0;
  if (!bytes.empty() &&
      (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) || read != bytes.size()))
    throw EInOutError(GetLastError() ? GetLastError() : EInOutError::ReadPastEnd);
  return LitBitmap(bytes);
}

}  // namespace win32
