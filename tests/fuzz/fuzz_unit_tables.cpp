// The weapon and unit table loader on arbitrary files: the part before the
// first byte 0 is base/_ar_tab.h, the rest base/_units_tab.h. Every preset
// the tables accept is then made into a unit that lives one frame.
#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "objects/objects.h"
#include "tests/fuzz/fuzz_world.h"
#include "tests/fuzz/scratch.h"
#include "world/world.h"
#include "tests/common/lists_lap.h"

namespace {

void WorldOnce() {
  FuzzWorldOnce();
  mkdir("base", 0700);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 32768) return 0;
  FuzzEnterScratch();
  WorldOnce();
  std::string all(reinterpret_cast<const char*>(data), size);
  size_t cut = all.find('\0');
  FuzzWrite("base/_ar_tab.h", cut == std::string::npos ? all : all.substr(0, cut));
  FuzzWrite("base/_units_tab.h", cut == std::string::npos ? std::string() : all.substr(cut + 1));
  arOne.Sbros();
  origSborU.Sbros();
  LoadArAndUnitsTab();
  for (int n = 1; n < t_Unt1TabOne::kRows; ++n) {
    if (!origSborU.nomOK(n)) continue;
    if (n > 4 || origSborU.row[n].iu[uiPreset] != n) std::abort();  // only the four variants load
    FgrHld.AddWrk(27, n, 1);
  }
  UnitListsStartLap();
  FgrHld.Update(2, 1);
  FgrHld.ResetEtapFgr();
  FgrHld.Update(2, 1);  // the kills of the reset end with the pass
  return 0;
}
