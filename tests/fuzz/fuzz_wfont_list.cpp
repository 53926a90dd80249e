// The Windows font list reader on arbitrary bytes: the first byte picks the
// requested video mode, the rest is the list file.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "tests/fuzz/fuzz_fresh.h"
#include "ui/ui.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzFreshGlobals();
  if (size < 1) return 0;
  std::vector<t_WFontSpec> specs;
  WFontList_Parse(reinterpret_cast<const char*>(data + 1), size - 1, data[0] % 8, specs);
  if (specs.size() > 13) __builtin_trap();
  for (const t_WFontSpec& s : specs) {
    if (s.slot > 12 || s.face[63] != 0) __builtin_trap();
    WFontSpecOK(s);
  }
  return 0;
}
