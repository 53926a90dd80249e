// The texture font list reader on arbitrary bytes.
#include <cstddef>
#include <cstdint>

#include "tests/fuzz/fuzz_fresh.h"
#include "ui/ui.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzFreshGlobals();
  t_TFontList list;
  TFontList_Parse(reinterpret_cast<const char*>(data), size, list);
  if (list.fonts.size() > 16) __builtin_trap();
  for (const t_TFontSpec& s : list.fonts) {
    if (s.slot > 15) __builtin_trap();
    if (TFontSpecOK(s) && s.widths.size() != static_cast<size_t>(s.count) + 1) __builtin_trap();
  }
  return 0;
}
