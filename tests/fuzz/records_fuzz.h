// The shared body of the object-record fuzz targets: arbitrary bytes (the
// first picks one of the target's types) go as an object's record through
// the loader the object base uses. A refused record leaves no body taken and
// an empty handle; an accepted one keeps the promises of every loaded object
// (no owned screen frame, no link to an empty slot), saves, loads again into the same slot (its
// links name slots) and saves to the same bytes, and then lives a few frames
// of updates, draw orders, sprite passes and queries with whatever values it
// holds. Every input starts from a fresh world without screen frames.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "objects/objects.h"
#include "render/render.h"
#include "shell/shell.h"
#include "tests/fuzz/fuzz_world.h"
#include "world/world.h"

namespace recfuzz {

constexpr int kSlot = 3000;

inline void Setup() {
  FuzzFreshWorld();
  Ekran.W = 1024;
  Ekran.H = 768;
  Ekran.W2 = 512;
  Ekran.H2 = 384;
}

inline int BodiesInUse(int type) {
  switch (type) {
#define RECFUZZ_IN_USE(code, Name, capacity) \
  case code:                                 \
    return Fgr4W.Name.InUse();
    VELMAR_OBJECT_TYPES(RECFUZZ_IN_USE)
#undef RECFUZZ_IN_USE
  }
  return 0;
}

// Frees a loaded object whatever its kill step does.
inline void Release(Fgr4& h) {
  h.trigs.clear();
  switch (h.wrkNom) {
#define RECFUZZ_FREE(code, Name, capacity)          \
  case code:                                        \
    if (h.body) static_cast<tw_##Name*>(h.body)->Sbros(); \
    break;
    VELMAR_OBJECT_TYPES(RECFUZZ_FREE)
#undef RECFUZZ_FREE
    default:
      break;
  }
  h.Sbros();
  if (h.wrkNom < 0) h.wrkNom = 0;  // a kill left the handle blocked
}

inline int Load(Fgr4& h, int type, const uint8_t* data, size_t size) {
  FILE* f = std::tmpfile();
  if (!f) std::abort();
  if (size) std::fwrite(data, 1, size, f);
  std::rewind(f);
  int r = h.Init(type, 0, 1, f);
  std::fclose(f);
  return r;
}

inline std::vector<uint8_t> Save(Fgr4& h) {
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

// A few frames of the per-frame events that need no GL (the sprite pass only
// fills the sprite arrays), and the technology tier query a command post
// passes on through its link.
inline void Live(Fgr4& h) {
  int mode = 2, ex = 1;
  uint16_t pass = 1;
  for (int frame = 0; frame < 3 && h.Status(); ++frame) {
    FuzzStartLap();
    h.Event(EV_UPD_SELF, &mode, &ex);
    h.Event(EV_UPD, &mode, &ex);
    h.Event(EV_DRAW, &mode, &ex);
    h.Event(EV_RENDER_SPR, &pass);
    int tier = 1, id = 0;
    h.Event(47, &tier, &id);
  }
}

inline int Run(const uint8_t* data, size_t size, const int* types, int typeCount) {
  if (size < 1) return 0;
  Setup();
  const int type = types[data[0] % typeCount];
  Fgr4& h = FgrHld.fgrs[kSlot];
  if (!Load(h, type, data + 1, size - 1)) {
    if (h.Status() || h.linkA || h.linkB || !h.trigs.empty() || h.active || BodiesInUse(type) != 0) std::abort();
    return 0;
  }
  FuzzLoadedPromises({&h});
  const std::vector<uint8_t> once = Save(h);
  Release(h);
  if (!Load(h, type, once.data(), once.size())) std::abort();
  if (Save(h) != once) std::abort();
  Live(h);
  Release(h);
  if (BodiesInUse(type) != 0) std::abort();
  return 0;
}

}  // namespace recfuzz
