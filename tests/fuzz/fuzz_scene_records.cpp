// Feeds arbitrary bytes as the record of a scene object (the first byte picks
// the type: command point, flare, post, placed light, trigger, snowflake,
// smoke, explosion, debris, laser, tail marker, decoration, level link,
// sector or satellite) to the loader the object base uses.
#include "tests/fuzz/records_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const int kTypes[15] = {2, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 22};
  return recfuzz::Run(data, size, kTypes, 15);
}
