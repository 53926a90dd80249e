// Float-to-int conversion of world positions for tile, cell and pixel
// look-ups: truncation toward zero that saturates at the int range, NaN giving
// 0, so that no coordinate, however wild, is undefined behaviour.
#pragma once

#include <cstdint>

inline int PosToInt(float v) {
  if (!(v > -2147483648.0f)) return v != v ? 0 : INT32_MIN;
  if (v >= 2147483647.0f) return INT32_MAX;
  return static_cast<int>(v);
}
