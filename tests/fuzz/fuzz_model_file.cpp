// One text model loaded into a group at a moving cursor: whatever the text,
// the loader places exactly what its header promises or nothing, never past
// the group's vertices, and every index it keeps names a vertex it placed.
// Every input loads into a new group.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "render/render.h"
#include "tests/fuzz/fuzz_fresh.h"
#include "tests/fuzz/scratch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 65536) return 0;
  FuzzEnterScratch();
  FuzzFreshGlobals();
  std::string text(reinterpret_cast<const char*>(data), size);
  FuzzWrite("model.txt", text);
  typeMdlGruVBO group;
  if (!group.ReGetMemory(2, 4096)) std::abort();
  int cursor = static_cast<int>(size % 3000);
  LoadOffsetVGru = cursor;
  Mesh0& m = group.mMesh[size % 2];
  int ok = m.LoadFromTxt("model.txt", &group);
  if (!ok) {
    if (LoadOffsetVGru != cursor) std::abort();
    return 0;
  }
  std::istringstream in(text);
  t_MdlTxtHead h;
  if (!MdlTxt_ReadHead(in, h)) std::abort();
  if (m.firstV != cursor || m.klvV != h.VerticesPlaced() || LoadOffsetVGru != cursor + m.klvV) std::abort();
  if (LoadOffsetVGru > group.klvV) std::abort();
  if (m.layout == Mesh0::kIndexed)
    for (int i = 0; i < 3 * m.klvTri; ++i)
      if (m.tri[i] < static_cast<uint32_t>(m.firstV) || m.tri[i] >= static_cast<uint32_t>(m.firstV + m.klvV))
        std::abort();
  return 0;
}
