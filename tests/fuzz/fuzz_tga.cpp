// The TGA decoder on arbitrary bytes: it must refuse or decode without reading
// past the data, and the rows it hands back must mirror without fault.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "render/render.h"
#include "tests/fuzz/fuzz_fresh.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("VELMAR_MSGBOX", "auto", 1);  // refusal boxes answer themselves
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1u << 20)) return 0;
  FuzzFreshGlobals();
  // A copy of exactly the input's size, so any over-read is caught.
  uint8_t* copy = new uint8_t[size ? size : 1];
  for (size_t i = 0; i < size; ++i) copy[i] = data[i];
  bitmap bm;
  if (TargaDecode(&bm, copy, static_cast<int>(size), "fuzz.tga") && bm.pixels) {
    size_t n = static_cast<size_t>(bm.width) * bm.height * (bm.bpp / 8);
    volatile uint8_t sink = bm.pixels[n - 1];
    (void)sink;
    bm.pixels = _VertikMirror(bm.pixels, static_cast<short>(bm.width), static_cast<short>(bm.height), bm.bpp);
    CalculateImageColor(&bm);
  }
  delete[] copy;
  return 0;
}
