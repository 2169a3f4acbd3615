#pragma once
// The platform's 32-bit multiply-then-divide, reproduced so that drawing
// computes the same numbers on every host.

#include <cstdint>
#include <cstdlib>
#include <limits>

// a * b / c on a 64-bit product, rounded to the nearest integer with halves
// away from zero; -1 when c is 0 or the result does not fit in 32 bits, as
// the platform answers.
inline int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const int64_t p = static_cast<int64_t>(a) * b;
  const int64_t d = c;
  const uint64_t ap = static_cast<uint64_t>(p < 0 ? -p : p), ad = static_cast<uint64_t>(d < 0 ? -d : d);
  const uint64_t q = (ap + ad / 2) / ad;
  const bool negative = (p < 0) != (d < 0);
  if (q > (negative ? uint64_t{1} << 31 : uint64_t{std::numeric_limits<int>::max()})) return -1;
  return negative ? static_cast<int>(-static_cast<int64_t>(q)) : static_cast<int>(q);
}
