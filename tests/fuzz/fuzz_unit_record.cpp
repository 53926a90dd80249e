// A unit's record (event 2) on arbitrary bytes, in a world of its own (the
// two screen frames of a new object base and a command post): whatever it
// holds, the loaded unit keeps the promises of every loaded object (no owned
// screen frame, no link to an empty slot), is paid for at the post (three
// times over), lives a long frame, after which it stands where the views can
// place it, draws its queues, saves again and is killed.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "objects/heldranges.h"
#include "objects/objects.h"
#include "render/render.h"
#include "tests/fuzz/fuzz_world.h"
#include "ui/ui.h"
#include "world/world.h"

namespace {

// The weapon and unit tables: read once, and only read by the units.
void TablesOnce() {
  static bool loaded = false;
  if (loaded) return;
  std::string dir = std::string(VELMAR_SOURCE_DIR) + "/data/base/";
  arOne.LoadTab(dir + "_ar_tab.h");
  origSborU.LoadTab(dir + "_units_tab.h");
  if (!origSborU.nomOK(2)) std::abort();
  loaded = true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TablesOnce();
  FuzzFreshWorldWithBase();
  if (!FgrHld.AddWrk(tw_KomPult::kType, 1, 1) || !pTekKomPult) std::abort();
  Fgr4* post = pTekKomPult->owner;
  if (!FgrHld.AddWrk(27, 2, 1) || !pTekUnit) std::abort();
  Fgr4* h = pTekUnit->owner;
  FILE* f = std::tmpfile();
  if (!f) std::abort();
  if (size) std::fwrite(data, 1, size, f);
  std::rewind(f);
  int kind = 0, current = 0;
  h->Event(EV_LOAD, &f, &kind, &current);
  std::fclose(f);
  tw_Unit* u = static_cast<tw_Unit*>(h->body);
  if (u) FuzzLoadedPromises({h});
  if (!u || u->iu[uiPreset] < 1 || u->iu[uiPreset] > 4 || u->iu[uiSndChannel] != -1) std::abort();
  for (int k = 0; k < 3; ++k) {
    int kr = 0, oil = 0, x = 0;
    h->Event(50, &kr, &oil, &x);
    post->Event(50, &kr, &oil, &x);
  }
  *o2::TestFgrDrawUnit = 1;
  FuzzStartLap();
  GFrameTime = 100;
  FgrHld.Update(2, 1);
  GFrameTime = 1;
  // Held on loading within kPosMax, and at most a tenth of a second at top
  // speed since (a position that is no number is placed at 0 by the views).
  const float reach = held::kPosMax + held::kSpeedMax / 10;
  if (h->WrkNom() == tw_Unit::kType && (std::fabs(u->mb.pos.x) > reach || std::fabs(u->mb.pos.z) > reach))
    std::abort();
  FgrHld.DrawZkz(0, 1);
  FILE* out = std::tmpfile();
  h->Event(EV_SAVE, &out);
  if (out) std::fclose(out);
  h->Kill(1);
  FgrHld.Update(2, 1);  // the slot is free again once the pass ends
  return 0;
}
