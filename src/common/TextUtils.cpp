#include "common/TextUtils.h"

char MajusculeSansAccent(char c) {
  auto b = static_cast<unsigned char>(c);
  if (b >= 'a' && b <= 'z') return static_cast<char>(b - 32);
  switch (b) {
    case 0xE0: case 0xE2: case 0xE4: return 'A';
    case 0xE7: return 'C';
    case 0xE8: case 0xE9: case 0xEA: case 0xEB: return 'E';
    case 0xEE: case 0xEF: return 'I';
    case 0xF4: case 0xF6: return 'O';
    case 0xF9: case 0xFB: case 0xFC: return 'U';
  }
  return c;
}

std::string MajusculesSansAccents(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = MajusculeSansAccent(c);
  return r;
}
