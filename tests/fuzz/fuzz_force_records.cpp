// Feeds arbitrary bytes as the record of one of the sides' objects (the first
// byte picks the type: technology box, command post, building, bunker or
// energy building) to the loader the object base uses.
#include "tests/fuzz/records_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const int kTypes[5] = {21, 23, 24, 25, 26};
  return recfuzz::Run(data, size, kTypes, 5);
}
