// Terrain records damaged in every way: the input edits a sound record (a few
// free tiles, hills from the height bytes) and changes its length. The reader
// must refuse anything unsound without touching the terrain, and whatever it
// accepts must answer height queries and save to the same length. Every
// input starts from the terrain the program starts with and empty
// walkability grids.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "tests/fuzz/fuzz_fresh.h"
#include "world/world.h"

namespace {

std::vector<uint8_t> SoundRecord() {
  std::vector<uint8_t> rec(kPlitCorners * 3, 200);
  for (int i = 0; i < kPlitTiles; ++i) {
    uint8_t t[6] = {1, 1, 1, 0, 0, static_cast<uint8_t>(40 + i % 70)};
    if (i % 997 == 0) t[5] = 0;
    rec.insert(rec.end(), t, t + 6);
  }
  for (int i = 0; i < kPlitTiles; ++i) {
    if (i % 997 != 0) continue;
    for (int k = 0; k < 4; ++k) {
      float y = static_cast<float>(k) * 3.5f - 2.0f;
      uint8_t b[4];
      std::memcpy(b, &y, 4);
      rec.insert(rec.end(), b, b + 4);
    }
  }
  return rec;
}

uint64_t Hash(const void* p, size_t n, uint64_t h = 1469598103934665603ull) {
  const uint8_t* b = static_cast<const uint8_t*>(p);
  for (size_t k = 0; k < n; ++k) h = (h ^ b[k]) * 1099511628211ull;
  return h;
}

// A sample of everything a load writes (every 13th corner and tile), cheap
// enough to take around every run.
uint64_t TerrainHash() {
  uint64_t h = 1469598103934665603ull;
  for (int i = 0; i < kPlitCorners; i += 13) h = Hash(&PlitHold.Clr[i], 4, Hash(&PlitHold.Vrt[i], 12, h));
  for (int i = 0; i < kPlitTiles; i += 13) h = Hash(&PlitHold.Plit[i].type, 4, Hash(&PlitHold.Plit[i].hmByte, 1, h));
  return h;
}

// The terrain as the program starts with it, taken before the first input
// and put back before each: a load writes only its arrays here (no patch
// indices, no GL buffers), so its bytes are all of it.
void FreshTerrain() {
  static const std::vector<uint8_t> start(reinterpret_cast<const uint8_t*>(&PlitHold),
                                          reinterpret_cast<const uint8_t*>(&PlitHold) + sizeof PlitHold);
  std::memcpy(static_cast<void*>(&PlitHold), start.data(), start.size());
  walkabil_Init();
}

}  // namespace

// Input: int16 length change, then edits of 5 bytes each (uint32 offset into
// the record, new byte value).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::vector<uint8_t> base = SoundRecord();
  if (size < 2) return 0;
  FreshTerrain();
  FuzzFreshGlobals();
  std::vector<uint8_t> rec = base;
  int16_t delta = static_cast<int16_t>(data[0] | data[1] << 8);
  long want = static_cast<long>(rec.size()) + delta;
  rec.resize(static_cast<size_t>(want < 0 ? 0 : want), 0x41);
  for (size_t k = 2; k + 5 <= size; k += 5) {
    uint32_t at = static_cast<uint32_t>(data[k] | data[k + 1] << 8 | data[k + 2] << 16 | data[k + 3] << 24);
    if (!rec.empty()) rec[at % rec.size()] = data[k + 4];
  }

  const uint64_t before = TerrainHash();
  if (!PlitHold.FromRecord(rec.data(), rec.size())) {
    if (TerrainHash() != before) std::abort();
    return 0;
  }
  for (size_t k = 2; k + 8 <= size && k < 200; k += 8) {
    float x, z;
    std::memcpy(&x, data + k, 4);
    std::memcpy(&z, data + k + 4, 4);
    float y = 0;
    PlitHold.GetYPereWithVertikLine(x, y, z);
    Plit_GetOpora(x, 0, z);
    Plit_GetMidYchCoord(vec3(x, 0, z));
  }
  if (PlitHold.RecordSize() != static_cast<int>(rec.size())) std::abort();
  // Now and then the whole round trip through a file (a load costs a frame's
  // worth of work; most runs go to new inputs instead).
  if ((data[0] & 7) != 0) return 0;
  FILE* f = std::tmpfile();
  if (!f) return 0;
  if (PlitHold.AddToFile(f) != 1) std::abort();
  if (std::ftell(f) != static_cast<long>(rec.size())) std::abort();
  std::rewind(f);
  if (Plit_FromFile(f) != 1) std::abort();
  std::fclose(f);
  return 0;
}
