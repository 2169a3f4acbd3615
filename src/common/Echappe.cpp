#include "common/Echappe.h"

namespace {

bool Controle(unsigned char c) {
  return c < 0x20 || c == 0x7F || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

}  // namespace

std::string EchappeControles(std::string_view text) {
  static constexpr char Hex[] = "0123456789ABCDEF";
  std::string r;
  r.reserve(text.size());
  for (char ch : text) {
    auto c = static_cast<unsigned char>(ch);
    if (!Controle(c)) {
      r += ch;
      continue;
    }
    r += "\\x";
    r += Hex[c >> 4];
    r += Hex[c & 0xF];
  }
  return r;
}
