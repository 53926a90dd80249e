// Feeds arbitrary bytes to the object base reader as a whole base/gen.fgh.
// A file the reader accepts must give a usable first screen frame and save
// and load again; a file it refuses must leave the holder as it was. Every
// input starts from a fresh world.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "objects/objects.h"
#include "tests/fuzz/fuzz_world.h"
#include "world/world.h"

namespace {

int LiveHandles() {
  int n = 0;
  for (int i = 0; i < FgrHld.klv; ++i) n += FgrHld.fgrs[i].Status();
  return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzFreshWorld();
  FgrHld.InitBase();
  const int before = LiveHandles();
  const int32_t firstBefore = FgrHld.firstScrFrm;
  if (!FgrHld.LoadBaseFrom(data, size, 1)) {
    if (LiveHandles() != before || FgrHld.firstScrFrm != firstBefore) {
      // A refused file either touched nothing or released all it loaded.
      if (LiveHandles() != 0) std::abort();
    }
    return 0;
  }
  // Accepted: the program can start from it (its first screen frame becomes
  // the main frame), and what was loaded saves and loads again.
  if (!FgrHld.SetFirstScrFrm()) std::abort();
  FILE* f = std::tmpfile();
  if (!f) return 0;
  FgrHld.FHdr(f, t_FgrHld::kBaseMagic);
  FgrHld.AddToFile_TryAllFgr(f, 1, 1, 1, 1, 1);
  IntWrite(FgrHld.firstScrFrm, f);
  long end = std::ftell(f);
  std::fseek(f, 0, SEEK_SET);
  IntWrite(static_cast<int>(end), f);
  std::vector<uint8_t> again(static_cast<size_t>(end));
  std::fseek(f, 0, SEEK_SET);
  size_t got = std::fread(again.data(), 1, again.size(), f);
  std::fclose(f);
  if (got != again.size()) std::abort();
  FuzzFreshWorld();
  if (!FgrHld.LoadBaseFrom(again.data(), again.size(), 1)) std::abort();
  return 0;
}
