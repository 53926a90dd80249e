// The weapon and unit table loader on arbitrary files: the part before the
// first byte 0 is base/_ar_tab.h, the rest base/_units_tab.h. Every preset
// the tables accept is then made into a unit of the local side, ordered
// across the world and paid for at a command post (three times over), and
// lives a few long frames, after which it stands where the views can place
// it. Every input starts from a fresh world with the two screen frames of a
// new object base.
#include <sys/stat.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "objects/heldranges.h"
#include "objects/objects.h"
#include "tests/fuzz/fuzz_world.h"
#include "tests/fuzz/scratch.h"
#include "world/world.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 32768) return 0;
  FuzzEnterScratch();
  mkdir("base", 0700);
  FuzzFreshWorldWithBase();
  std::string all(reinterpret_cast<const char*>(data), size);
  size_t cut = all.find('\0');
  FuzzWrite("base/_ar_tab.h", cut == std::string::npos ? all : all.substr(0, cut));
  FuzzWrite("base/_units_tab.h", cut == std::string::npos ? std::string() : all.substr(cut + 1));
  arOne.Sbros();
  origSborU.Sbros();
  LoadArAndUnitsTab();
  if (!FgrHld.AddWrk(tw_KomPult::kType, 1, 1) || !pTekKomPult) std::abort();
  Fgr4* post = pTekKomPult->owner;
  Fgr4* made[4] = {};
  int count = 0;
  for (int n = 1; n < t_Unt1TabOne::kRows; ++n) {
    if (!origSborU.nomOK(n)) continue;
    if (n > 4 || origSborU.row[n].iu[uiPreset] != n) std::abort();  // only the four variants load
    if (!FgrHld.AddWrk(27, n, 1) || !pTekUnit) continue;
    tw_Unit* u = pTekUnit;
    made[count++] = u->owner;
    u->iu[uiSide] = PlayerBanerID;
    u->StaMoveToPointAutoPilot(vec3(3900, 0, 3900), 1);
    for (int k = 0; k < 3; ++k) {
      int kr = 0, oil = 0, x = 0;
      u->MyFgrEvent(50, &kr, &oil, &x);
      post->Event(50, &kr, &oil, &x);
    }
  }
  GFrameTime = 100;
  for (int frame = 0; frame < 4; ++frame) {
    FuzzStartLap();
    FgrHld.Update(2, 1);
  }
  GFrameTime = 1;
  for (int k = 0; k < count; ++k) {
    if (made[k]->WrkNom() != tw_Unit::kType) continue;
    const vec3 p = static_cast<tw_Unit*>(made[k]->body)->mb.pos;
    if (std::fabs(p.x) > held::kPosMax || std::fabs(p.z) > held::kPosMax) std::abort();
  }
  FgrHld.ResetEtapFgr();
  FgrHld.Update(2, 1);  // the kills of the reset end with the pass
  return 0;
}
