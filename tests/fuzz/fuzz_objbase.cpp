// Feeds arbitrary bytes to the object base reader as a whole base/gen.fgh,
// with the room the front end asks for. A file the reader refuses must leave
// the holder as it was; one it accepts must keep every promise of a loaded
// base: no owned link to a screen frame or the terrain holder, no link to a
// slot the file left empty, a save that loads again, a usable first screen
// frame, room for start-up's cameras, and a new level that keeps the frames
// and brings both command posts. Every input starts from a fresh world.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "modes/front.h"
#include "modes/mapgen.h"
#include "objects/objects.h"
#include "tests/fuzz/fuzz_world.h"
#include "world/world.h"

namespace {

std::vector<Fgr4*> LiveHandles() {
  std::vector<Fgr4*> live;
  for (int i = 0; i < FgrHld.klv; ++i)
    if (FgrHld.fgrs[i].Status()) live.push_back(&FgrHld.fgrs[i]);
  return live;
}

// A fresh world that asks for the front end's room.
void Fresh() {
  FuzzFreshWorld();
  Pro_Q7_Elements::SetBaseRoom();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool terrainLaidOut = (Plit_Init(), true);  // once per run, as at start-up
  (void)terrainLaidOut;
  Fresh();
  FgrHld.InitBase();
  const size_t before = LiveHandles().size();
  const int32_t firstBefore = FgrHld.firstScrFrm;
  if (!FgrHld.LoadBaseFrom(data, size, 1)) {
    if (LiveHandles().size() != before || FgrHld.firstScrFrm != firstBefore) {
      // A refused file either touched nothing or released all it loaded.
      if (!LiveHandles().empty()) std::abort();
    }
    return 0;
  }
  FuzzLoadedPromises(LiveHandles());

  // What was loaded saves and loads again.
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
  Fresh();
  if (!FgrHld.LoadBaseFrom(again.data(), again.size(), 1)) FuzzBroken("its save does not load again");

  // The program starts from it: its first screen frame becomes the main
  // frame, and start-up makes its cameras.
  if (!FgrHld.SetFirstScrFrm()) FuzzBroken("its first screen frame cannot be the main frame");
  if (!Pro_Q7_Elements::MakeCameras()) FuzzBroken("start-up's cameras cannot be made");
  std::vector<int> frames;
  for (Fgr4* h : LiveHandles())
    if (h->WrkNom() == 4) frames.push_back(h->logNom);
  MapGen02();
  for (int s : frames)
    if (FgrHld.fgrs[s].WrkNom() != 4) FuzzBroken("a new level takes a screen frame away");
  if (!p1KomPult || !p2KomPult) FuzzBroken("a new level cannot make both command posts");
  return 0;
}
