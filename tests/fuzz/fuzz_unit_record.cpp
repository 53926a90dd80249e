// A unit's record (event 2) on arbitrary bytes: whatever it holds, the loaded
// unit lives a frame, draws its queues and saves again.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "objects/objects.h"
#include "render/render.h"
#include "tests/fuzz/fuzz_world.h"
#include "ui/ui.h"
#include "world/world.h"
#include "tests/common/lists_lap.h"

namespace {

void WorldOnce() {
  static bool made = false;
  if (made) return;
  FuzzWorldOnce();
  org2_Init();
  orgF_Init();
  std::string dir = std::string(VELMAR_SOURCE_DIR) + "/data/base/";
  arOne.LoadTab(dir + "_ar_tab.h");
  origSborU.LoadTab(dir + "_units_tab.h");
  if (!origSborU.nomOK(2)) std::abort();
  made = true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  WorldOnce();
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
  if (!u || u->iu[uiPreset] < 1 || u->iu[uiPreset] > 4 || u->iu[uiSndChannel] != -1) std::abort();
  *o2::TestFgrDrawUnit = 1;
  UnitListsStartLap();
  RenderM._ResetOnStartNewLap();
  FgrHld.Update(2, 1);
  FgrHld.DrawZkz(0, 1);
  FILE* out = std::tmpfile();
  h->Event(EV_SAVE, &out);
  if (out) std::fclose(out);
  h->Kill(1);
  FgrHld.Update(2, 1);  // the slot is free again once the pass ends
  return 0;
}
