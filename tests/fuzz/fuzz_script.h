// Reads a fuzz input as a script of small values; past its end every read
// yields 0, so a target can take as many values as it likes.
#pragma once

#include <cstddef>
#include <cstdint>

struct FuzzScript {
  const uint8_t* p;
  size_t n;
  uint8_t Byte() {
    if (!n) return 0;
    n--;
    return *p++;
  }
  int Small() { return static_cast<int8_t>(Byte()); }  // -128..127: offsets near the edges
  int Coord() {                                         // -32768..32767
    int lo = Byte();
    int hi = Byte();
    return static_cast<int16_t>(lo | hi << 8);
  }
  int Int() {
    uint32_t v = 0;
    for (int i = 0; i < 4; i++) v = (v << 8) | Byte();
    return static_cast<int>(v);
  }
};
