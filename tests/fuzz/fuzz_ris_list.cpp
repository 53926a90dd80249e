// The picture-list reader on arbitrary text: every entry it accepts has an
// index inside its group, and nothing it reads runs past the text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "render/render.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 65536) return 0;
  std::string text(reinterpret_cast<const char*>(data), size);
  t_RisList list;
  int r = RisList_Parse(text, list);
  if (r == RisList_Ok) {
    if (list.group < 0 || list.group >= kPixGroups || list.count < 1) std::abort();
    if (list.entries.size() != static_cast<size_t>(list.count)) std::abort();
    for (const t_RisEntry& e : list.entries)
      if (e.index < 0 || e.index >= list.count) std::abort();
  }
  return 0;
}
