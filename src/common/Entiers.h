#pragma once
// Positions and sizes computed from numbers read in markup are integers: a
// result outside their range raises ERangeError instead of wrapping round to
// a wrong picture.

#include <cstdint>

#include "common/Errors.h"

inline int VersEntier(int64_t v) {
  if (v < INT32_MIN || v > INT32_MAX) throw ERangeError(SRangeError);
  return static_cast<int>(v);
}

// a + b, with the same check.
inline int Somme(int a, int64_t b) { return VersEntier(a + b); }
