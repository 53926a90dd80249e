// The picture-list loader with its picture and level files, on a real GL
// context. The input is the list text and up to five files separated by
// "@@@@": ris/a.tga, its level files ris/a1.tga .. ris/a3.tga (mip modes 4..7
// read them) and ris/b.tga. A list that loads holds a texture in every slot,
// each of a size GL takes; a list that does not load leaves no group. Every
// input starts with no group, no picture name kept and the settings (which a
// list that loads sets) at their start-up values.
#include <GL/gl.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/fuzz/gl_context.h"
#include "render/render.h"
#include "tests/fuzz/fuzz_fresh.h"
#include "tests/fuzz/scratch.h"

namespace {

const char* const kFiles[] = {"ris/a.tga", "ris/a1.tga", "ris/a2.tga", "ris/a3.tga", "ris/b.tga"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1u << 20)) return 0;
  FuzzEnterScratch();
  FuzzGLContext();
  static bool folder = false;
  if (!folder) folder = system("mkdir -p ris") == 0;
  FuzzFreshGlobals();
  gr_Pix_FreeAll();
  std::memset(gr_Pix_Last, 0, sizeof gr_Pix_Last);
  globStr_TexName.clear();
  std::string in(reinterpret_cast<const char*>(data), size), list;
  size_t at = in.find("@@@@");
  list = in.substr(0, at);
  for (const char* name : kFiles) {
    std::remove(name);
    if (at == std::string::npos) continue;
    size_t next = in.find("@@@@", at + 4);
    FuzzWrite(name, in.substr(at + 4, next == std::string::npos ? std::string::npos : next - at - 4));
    at = next;
  }
  FuzzWrite("list.txt", list);
  if (!LoadRisGru("list.txt")) {
    for (int g = 0; g < kPixGroups; ++g)
      if (gr_Pix[g]) std::abort();  // a failed list leaves no group behind
    return 0;
  }
  GLint maxSide = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
  for (int g = 0; g < kPixGroups; ++g) {
    if (!gr_Pix[g]) continue;
    for (int i = 0; i <= gr_Pix_Last[g]; ++i) {
      const Pix_& p = gr_Pix[g][i];
      if (!p.texture || p.width < 1 || p.height < 1 || p.width > maxSide || p.height > maxSide) std::abort();
    }
  }
  gr_Pix_FreeAll();
  return 0;
}
