// A path follower loaded from an arbitrary record and then driven by a script
// taken from the input: searches with any coordinates and layers, ticks,
// waypoint advances and grid writes between them. The sanitizers catch any
// access outside the follower's store or the search's arrays; the checks
// below catch the rest.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "tests/fuzz/fuzz_script.h"
#include "world/world.h"

namespace {

void Check(const t_PafMove1& pm) {
  if (pm.count < 0 || pm.count > t_PafMove1::kCells) std::abort();
  if (pm.step < 0 || pm.step > t_PafMove1::kCells + 1) std::abort();
  if (pm.wait < 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  walkabil_Init();
  GFrameTime = 50;
  t_PafMove1 pm;
  size_t rec = size < t_PafMove1::kRecordSize ? size : t_PafMove1::kRecordSize;
  if (FILE* f = std::tmpfile()) {
    std::fwrite(data, 1, rec, f);
    std::rewind(f);
    pm.FromFile(f);
    std::fclose(f);
  }
  Check(pm);
  FuzzScript s{data + rec, size - rec};
  while (s.n) {
    const int layer = s.Byte() % 8 - 1;  // -1..6: invalid layers too
    switch (s.Byte() % 8) {
      case 0: {
        int sx = s.Coord(), sz = s.Coord(), tx = s.Coord(), tz = s.Coord();
        pm.RePath(s.Byte() & 1, sx, sz, tx, tz, layer);
        break;
      }
      case 1: {
        int sx = s.Coord(), sz = s.Coord(), tx = s.Coord(), tz = s.Coord();
        pm.RootBreak(sx, sz, tx, tz, layer, s.Byte() * 40);
        break;
      }
      case 2: pm.OnToch(); break;
      case 3: pm.Upd(); break;
      case 4: {
        int x = s.Byte() % 202 - 1, z = s.Byte() % 202 - 1;
        walkabSet(layer, x, z, s.Byte() % 3);
        break;
      }
      case 5: {
        int x = s.Byte() % 202 - 1, z = s.Byte() % 202 - 1, set = s.Byte() & 1;
        walkabLand(x, z, set);
        walkabAirLand(z, x, set);
        break;
      }
      case 6: {
        int slot = s.Byte() % 6 - 1;
        int sx = s.Coord(), sz = s.Coord(), tx = s.Coord(), tz = s.Coord();
        if (FindPath(layer, slot, sx, sz, tx, tz) == found && (pathLength[slot] < 0 || pathLength[slot] > kPathBankCells))
          std::abort();
        break;
      }
      default: pm.DrawMetk(1, 1, 1); break;
    }
    Check(pm);
  }
  return 0;
}
