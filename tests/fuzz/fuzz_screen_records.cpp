// Feeds arbitrary bytes as the record of a camera, a button or a screen frame
// (the first byte picks the type) to the loader the object base uses. A
// refused record leaves no body taken and an empty handle; an accepted one
// saves, loads again and saves to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "objects/objects.h"
#include "shell/shell.h"
#include "world/world.h"

namespace {

constexpr int kTypes[3] = {1, 3, 4};
constexpr int kSlotA = 3000, kSlotB = 3001;

void Setup() {
  static bool done = false;
  if (done) return;
  if (!Fgr4W.KonfigAll(nullptr) || !FgrHld.Init0(11500)) std::abort();
  Ekran.W = 1024;
  Ekran.H = 768;
  done = true;
}

int BodiesInUse() { return Fgr4W.Fotik.InUse() + Fgr4W.Kno.InUse() + Fgr4W.ScrFrm.InUse(); }

// Frees a loaded object whatever its kill step does.
void Release(Fgr4& h) {
  h.trigs.clear();
  switch (h.wrkNom) {
    case 1: static_cast<tw_Fotik*>(h.body)->Sbros(); break;
    case 3: static_cast<tw_Kno*>(h.body)->Sbros(); break;
    case 4: static_cast<tw_ScrFrm*>(h.body)->Sbros(); break;
    default: break;
  }
  h.Sbros();
}

int Load(Fgr4& h, int type, const uint8_t* data, size_t size) {
  FILE* f = std::tmpfile();
  if (!f) std::abort();
  if (size) std::fwrite(data, 1, size, f);
  std::rewind(f);
  int r = h.Init(type, 0, 1, f);
  std::fclose(f);
  return r;
}

std::vector<uint8_t> Save(Fgr4& h) {
  FILE* f = std::tmpfile();
  if (!f) std::abort();
  FILE* pf = f;
  h.Event(EV_SAVE, &pf);
  std::vector<uint8_t> out(static_cast<size_t>(std::ftell(f)));
  std::rewind(f);
  if (std::fread(out.data(), 1, out.size(), f) != out.size()) std::abort();
  std::fclose(f);
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Setup();
  if (size < 1) return 0;
  const int type = kTypes[data[0] % 3];
  Fgr4& a = FgrHld.fgrs[kSlotA];
  Fgr4& b = FgrHld.fgrs[kSlotB];
  if (!Load(a, type, data + 1, size - 1)) {
    if (a.Status() || a.linkA || a.linkB || !a.trigs.empty() || a.active || BodiesInUse() != 0) std::abort();
    return 0;
  }
  const std::vector<uint8_t> once = Save(a);
  if (!Load(b, type, once.data(), once.size())) std::abort();
  if (Save(b) != once) std::abort();
  Release(a);
  Release(b);
  if (BodiesInUse() != 0) std::abort();
  return 0;
}
