#include "platform/FileSystem.h"

namespace platform {

std::string FoldName(std::string_view name) {
  std::string r(name);
  for (char& ch : r) {
    auto b = static_cast<unsigned char>(ch);
    if (b >= 'a' && b <= 'z') b -= 32;
    else if (b >= 0xE0 && b != 0xF7 && b != 0xFF) b -= 32;
    else if (b == 0x9A || b == 0x9C || b == 0x9E) b -= 0x10;
    else if (b == 0xFF) b = 0x9F;
    ch = static_cast<char>(b);
  }
  return r;
}

}  // namespace platform
