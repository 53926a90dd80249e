// Feeds arbitrary bytes as the record of a vehicle (the first byte picks the
// wheeled or the tracked one) to the loader the object base uses.
#include "tests/fuzz/records_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const int kTypes[2] = {5, 6};
  return recfuzz::Run(data, size, kTypes, 2);
}
