// The text-buffer line parser on arbitrary bytes: the stream is cut into
// entries line by line, with syntax colours, as the text editor does, then
// read raw and as a length-prefixed block. Every input starts with a new
// group of empty entries.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/core.h"
#include "tests/fuzz/fuzz_fresh.h"
#include "ui/ui.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  if (!FuzzFreshTextGroup0(8)) return 0;
  int maxLen = data[0] % 2 ? 250 : 1 + data[0] / 2;
  ByteLenta bl;
  bl.MAlloc(static_cast<int>(size - 1), 1);
  if (size > 1) std::memcpy(bl.data, data + 1, size - 1);
  Glob_komentTail = 0;
  Glob_wasQvch = 0;
  for (size_t step = 0; step < size + 2 && bl.pos < static_cast<uint32_t>(bl.size); ++step) {
    int hit = 0;
    int n = 1 + static_cast<int>(step % 7);
    int got = TBufFromLenta_LenAndParse(0, n, &bl, maxLen, 1, hit);
    const orgT_TBuf_& e = gr_TBuf[0][n];
    if (got > 194 || e.Letters() > 192 || std::strlen(e.text) > 192) __builtin_trap();
  }
  bl.pos = 0;
  int hit = 0;
  TBufFromLenta_LenAndParse(0, 1, &bl, maxLen, 0, hit);
  TBufFromLentaBlok(0, 2, &bl, data[0] - 128);
  if (std::strlen(gr_TBuf[0][2].text) > 192) __builtin_trap();
  return 0;
}
