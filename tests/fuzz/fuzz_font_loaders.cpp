// The two font list loaders themselves, building display lists on a real GL
// context: the first byte picks the Windows font list (even) or the texture
// font list (odd), the rest is the file. Every font they build stays within
// its table and within the sizes a screen shows; refused records build nothing.
// Every input starts with both font tables empty and the settings (which the
// texture font list sets) at their start-up values.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tests/fuzz/gl_context.h"
#include "shell/shell.h"
#include "tests/fuzz/fuzz_fresh.h"
#include "tests/fuzz/scratch.h"
#include "ui/ui.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 || size > 65536) return 0;
  FuzzEnterScratch();
  FuzzGLContext();
  FuzzFreshGlobals();
  for (orgT_WFont& f : org_WFont) {
    f.Sbros();
    FuzzRemake(f);
  }
  for (t_tile_proektor& t : tex_font) {
    t.Sbros();
    FuzzRemake(t);
  }
  Ekran.W = 800;
  Ekran.H = 600;
  Ekran.VModeReq = static_cast<uint16_t>(data[0] / 2 % 6);
  FuzzWrite("list.txt", std::string(reinterpret_cast<const char*>(data + 1), size - 1));
  if (data[0] % 2 == 0) {
    LoadWinFonts("list.txt");
    for (orgT_WFont& f : org_WFont) {
      if (!f.listBase) continue;
      if (!f.adv || !f.hgt || f.first < 0 || f.count < 0 || f.first + f.count > 256) std::abort();
      if (std::abs(f.height) > kMaxFontPixels || std::abs(f.width) > kMaxFontPixels) std::abort();
      for (int k = 0; k <= f.count; ++k)
        if (f.hgt[k] < 0 || f.hgt[k] > kMaxFontPixels) std::abort();
      f.Sbros();
    }
  } else {
    LoadFontProektors("list.txt");
    for (t_tile_proektor& t : tex_font) {
      if (!t.listBase) continue;
      if (!t.widths || t.cols <= 0 || t.rows <= 0 || t.count < 0 || t.picW <= 0 || t.picH <= 0) std::abort();
      t.Sbros();
    }
  }
  return 0;
}
