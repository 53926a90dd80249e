// Object records as the object base writes and reads them: a body's whole
// record (handle part and type part) saved to bytes, bytes loaded into an
// empty handle, values poked into a record, and the bodies a type has in use.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
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

// The current object of a type (its pTek pointer), or null.
inline void* CurrentBody(int type) {
  switch (type) {
#define VELMAR_CURRENT(code, Name, capacity) \
  case code:                                 \
    return pTek##Name;
    VELMAR_OBJECT_TYPES(VELMAR_CURRENT)
#undef VELMAR_CURRENT
  }
  return nullptr;
}

// No type has a current object.
inline void ClearCurrentObjects() {
#define VELMAR_CLEAR_CURRENT(code, Name, capacity) pTek##Name = nullptr;
  VELMAR_OBJECT_TYPES(VELMAR_CLEAR_CURRENT)
#undef VELMAR_CLEAR_CURRENT
}

// A value written over the type part of a record: an int, or a float when
// isFloat.
struct RecordDamage {
  int type;
  size_t at;
  bool isFloat;
  float f;
  int32_t i;
  const char* what;
};

// Loading the bytes into the empty slot is refused whole: the handle stays
// empty, the body taken for it is free again, nothing became current.
inline void ExpectRefusedWhole(Fgr4& slot, int type, const std::vector<uint8_t>& bytes, const std::string& what) {
  const int before = BodiesInUse(type);
  ClearCurrentObjects();
  EXPECT_EQ(LoadRecord(slot, type, bytes), 0) << what;
  EXPECT_EQ(slot.Status(), 0) << what;
  EXPECT_EQ(slot.wrkNom, 0) << what;
  EXPECT_EQ(slot.linkA, nullptr) << what;
  EXPECT_TRUE(slot.trigs.empty()) << what;
  EXPECT_EQ(slot.active, 0) << what;
  EXPECT_EQ(BodiesInUse(type), before) << what << ": the body taken for it is free again";
  EXPECT_EQ(CurrentBody(type), nullptr) << what;
}

// The record of h (whose handle part is given links to `linked`) cut at every
// offset, and with each damage of its type, is refused whole by `slot`.
inline void ExpectDamagedRecordsRefused(Fgr4* h, Fgr4& slot, size_t typeBytes, Fgr4* linked,
                                        const RecordDamage* damage, size_t damageCount) {
  const int type = h->WrkNom();
  h->linkA = linked;
  h->trigAdd(linked, 0);
  const std::vector<uint8_t> good = SaveRecord(h);
  for (size_t n = 0; n < good.size(); ++n)
    ExpectRefusedWhole(slot, type, std::vector<uint8_t>(good.begin(), good.begin() + static_cast<long>(n)),
                       "type " + std::to_string(type) + " cut at " + std::to_string(n));
  const size_t typePart = good.size() - typeBytes;
  for (size_t k = 0; k < damageCount; ++k) {
    const RecordDamage& d = damage[k];
    if (d.type != type) continue;
    std::vector<uint8_t> bad = good;
    if (d.isFloat) Poke(bad, typePart + d.at, d.f);
    else Poke(bad, typePart + d.at, d.i);
    ExpectRefusedWhole(slot, type, bad, d.what);
  }
}

// The record of h is typeBytes after the handle part; loaded into the empty
// slot it makes the slot's body current, brings back the value `probe`
// reads, and saves again to the same bytes. The slot is emptied afterwards.
inline void ExpectRoundTrip(Fgr4* h, Fgr4& slot, size_t typeBytes, const std::function<double(Fgr4*)>& probe) {
  const int type = h->WrkNom();
  const double want = probe(h);
  const std::vector<uint8_t> once = SaveRecord(h);
  EXPECT_EQ(once.size(), kHandleBytes + typeBytes) << type;
  ClearCurrentObjects();
  ASSERT_EQ(LoadRecord(slot, type, once), 1) << type;
  EXPECT_EQ(CurrentBody(type), slot.body) << type;
  EXPECT_DOUBLE_EQ(probe(&slot), want) << type;
  EXPECT_EQ(SaveRecord(&slot), once) << type;
  slot.Sbros();
}
