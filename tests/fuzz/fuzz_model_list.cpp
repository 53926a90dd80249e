// The model list on arbitrary text, over a few real model files: a group that
// loads holds every mesh inside its vertex arrays, and a group that does not
// load is left empty. Every input starts with the group empty.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "render/render.h"
#include "tests/fuzz/fuzz_fresh.h"
#include "tests/fuzz/scratch.h"

namespace {

const char* kIndexed =
    "quad\r\nc\r\n4 2 4 0 1\r\n-1 -1\r\n-1 -1\r\n-1 -1\r\n-1 -1\r\n0 0 1\r\n10 1\r\n0 0\r\n5 0\r\n2.5 7\r\n0\r\n0\r\n"
    "// p\r\n0 0 0\r\n1 0 0\r\n1 1 0\r\n0 1 0\r\n// t\r\n//\r\n1 2 3\r\n1 3 4\r\n// f\r\n0 0 1\r\n0 0 1\r\n"
    "// n\r\n0 0 1\r\n0 0 1\r\n0 0 1\r\n0 0 1\r\n// uv\r\n0 0\r\n1 0\r\n1 1\r\n0 1\r\n";
const char* kExpanded =
    "tri\r\nc\r\n3 1 4 4 0\r\n-1 -1\r\n-1 -1\r\n-1 -1\r\n-1 -1\r\n0 0 0\r\n0 0\r\n0 0\r\n0 0\r\n1 0\r\n0\r\n0\r\n"
    "// p\r\n0 0 0\r\n2 0 0\r\n0 3 -1\r\n// t\r\n//\r\n1 2 3\r\n// n\r\n0 0 1\r\n0 0 1\r\n1 0 0\r\n"
    "// up\r\n0 0\r\n0.5 0\r\n0.5 0.5\r\n0 0.5\r\n// ut\r\n4 2 1\r\n// up2\r\n0.1 0.1\r\n0.2 0.2\r\n0.3 0.3\r\n"
    "0.4 0.4\r\n// ut2\r\n1 2 3\r\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 16384) return 0;
  FuzzEnterScratch();
  static bool models = false;
  if (!models) {
    FuzzWrite("a.txt", kIndexed);
    FuzzWrite("b.txt", kExpanded);
    models = true;
  }
  FuzzFreshGlobals();
  MdlGVBO[2].Sbros();
  FuzzWrite("list.txt", std::string(reinterpret_cast<const char*>(data), size));
  int ok = _Mesh_Sbor::LoadMeshGru("list.txt", 2);
  typeMdlGruVBO& g = MdlGVBO[2];
  if (!ok) {
    if (g.klvMesh != 0 || g.klvV != 0 || g.pos) std::abort();  // a failed load leaves the group empty
    return 0;
  }
  for (int i = 0; i < g.klvMesh; ++i) {
    const Mesh0& m = g.mMesh[i];
    if (m.firstV < 0 || m.klvV < 0 || m.firstV + m.klvV > g.klvV) std::abort();
    if (m.layout == Mesh0::kIndexed)
      for (int k = 0; k < 3 * m.klvTri; ++k)
        if (m.tri[k] >= static_cast<uint32_t>(g.klvV)) std::abort();
  }
  g.Sbros();
  return 0;
}
