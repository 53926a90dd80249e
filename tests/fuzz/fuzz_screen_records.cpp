// Feeds arbitrary bytes as the record of a camera, a button or a screen frame
// (the first byte picks the type) to the loader the object base uses.
#include "tests/fuzz/records_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const int kTypes[3] = {1, 3, 4};
  return recfuzz::Run(data, size, kTypes, 3);
}
