// The model binary block on arbitrary bytes: the reader takes only what the
// stream holds, and a block it accepts keeps every mesh range inside the
// group and every index of an indexed mesh on a vertex.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "render/render.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ByteLenta b;
  for (size_t i = 0; i < size; ++i) b.ByteWrite(data[i], 1);
  b.pos = 0;
  b.IntRead(1);
  b.UIntRead(1);
  int meshes = b.IntRead(1), vertices = b.IntRead(1);
  // Keep each run small; the reader's own limits are the group's.
  if (meshes > 256 || vertices > 65536) return 0;
  typeMdlGruVBO g;
  if (!g.ReGetMemory(meshes, vertices)) return 0;
  if (g.LoadBinBlok1(&b)) {
    for (int i = 0; i < g.klvMesh; ++i) {
      const Mesh0& m = g.mMesh[i];
      if (m.firstV < 0 || m.klvV < 0 || m.firstV + m.klvV > g.klvV) std::abort();
      if (m.layout != Mesh0::kIndexed && m.layout != Mesh0::kExpanded) std::abort();
      if (m.layout == Mesh0::kIndexed)
        for (int k = 0; k < 3 * m.klvTri; ++k)
          if (m.tri[k] >= static_cast<uint32_t>(g.klvV)) std::abort();
    }
  }
  g.Sbros();
  return 0;
}
