#pragma once
// Little-endian integers, as every format of the system stores them.

#include <cstdint>
#include <string>

inline uint16_t LitLe16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

inline uint32_t LitLe32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }

// Appends v's four bytes, low byte first.
inline void AjouteLe32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>(v >> (8 * i));
}
