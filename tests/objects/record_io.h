// Object records as the object base writes and reads them: a body's whole
// record (handle part and type part) saved to bytes, bytes loaded into an
// empty handle, values poked into a record, and the bodies a type has in use.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "objects/objects.h"
#include "world/world.h"

// The handle part ahead of every type part (no trigger links).
constexpr size_t kHandleBytes = 24;

inline std::vector<uint8_t> SaveRecord(Fgr4* h) {
  FILE* f = std::tmpfile();
  FILE* pf = f;
  h->Event(EV_SAVE, &pf);
  std::vector<uint8_t> bytes(static_cast<size_t>(std::ftell(f)));
  std::rewind(f);
  EXPECT_EQ(std::fread(bytes.data(), 1, bytes.size(), f), bytes.size());
  std::fclose(f);
  return bytes;
}

// Loads a record into an empty slot as the object base does (made current).
inline int LoadRecord(Fgr4& h, int type, const std::vector<uint8_t>& bytes) {
  FILE* f = std::tmpfile();
  if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::rewind(f);
  int r = h.Init(type, 0, 1, f);
  std::fclose(f);
  return r;
}

template <class T>
void Poke(std::vector<uint8_t>& b, size_t at, T v) {
  std::memcpy(b.data() + at, &v, sizeof v);
}

// Bodies of a type in use (-1 for a code outside 1..27).
inline int BodiesInUse(int type) {
  switch (type) {
#define VELMAR_IN_USE(code, Name, capacity) \
  case code:                                \
    return Fgr4W.Name.InUse();
    VELMAR_OBJECT_TYPES(VELMAR_IN_USE)
#undef VELMAR_IN_USE
  }
  return -1;
}

// No type has a current object.
inline void ClearCurrentObjects() {
#define VELMAR_CLEAR_CURRENT(code, Name, capacity) pTek##Name = nullptr;
  VELMAR_OBJECT_TYPES(VELMAR_CLEAR_CURRENT)
#undef VELMAR_CLEAR_CURRENT
}
