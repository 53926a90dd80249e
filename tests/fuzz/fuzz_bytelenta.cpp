// Drives a byte stream with an operation script taken from the input: the first
// bytes become the buffer, the rest a sequence of reads, writes, line
// operations, gaps and cuts with arguments from the input. The sanitizers
// catch any access outside the buffer; the invariants below catch the rest.
// Every input starts with the random generator at its first value.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "core/core.h"
#include "tests/fuzz/fuzz_fresh.h"
#include "tests/fuzz/fuzz_script.h"

namespace {

void Check(const ByteLenta& b) {
  if ((b.data == nullptr) != (b.size == 0)) std::abort();
  if (b.size < 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzFreshGlobals();
  FuzzScript s{data, size};
  ByteLenta b;
  int initial = s.Byte();
  for (int i = 0; i < initial && s.n; i++) b.ByteWrite(s.Byte(), 1);
  b.pos = 0;
  Check(b);
  ByteLenta other;
  char scratch[64];
  for (int step = 0; step < 64 && s.n; step++) {
    int op = s.Byte() % 24;
    switch (op) {
      case 0: {  // a cursor far past the end (growth is refused) or near it
        uint32_t v = (uint32_t)s.Int();
        b.pos = (v & 0x80000000u) ? v : v % (uint32_t)(b.size + 4096);
        break;
      }
      case 1: b.pos = (uint32_t)(s.Byte() % (b.size + 2)); break;
      case 2: b.ByteRead(s.Byte() & 1); break;
      case 3: b.IntRead(s.Byte() & 1); break;
      case 4: b.DblRead(s.Byte() & 1); break;
      case 5: b.AnIntRead(s.Small()); break;
      case 6: b.AnDblRead(s.Int()); break;
      case 7: b.BlokRead(scratch, s.Byte() % 64, s.Byte() & 1); break;
      case 8: b.ByteWrite(s.Byte(), s.Byte() & 1); break;
      case 9: b.IntWrite(s.Int(), s.Byte() & 1); break;
      case 10: b.DblWrite(1.5, s.Byte() & 1); break;
      case 11: b.CountEOL(s.Byte() & 1); break;
      case 12: b.SkipToEOL(); break;
      case 13: b.SetPosToFirstNormCharInLine(s.Byte()); break;
      case 14: b.SdvigLenPlus(s.Small(), s.Small()); break;
      case 15: b.SdvigLenMinus(s.Small(), s.Small()); break;
      case 16: b.CutLenMinus(s.Small(), s.Small()); break;
      case 17: b.DeleteTailFrom(s.Small()); break;
      case 18: b.SetLastPos(); break;
      case 19: {
        other.Sbros();
        other.MAlloc(s.Byte() % 32, 1);
        other.pos = (uint32_t)(s.Byte() % 40);
        b.CopyTo(&other, s.Small(), s.Byte() & 1);
        Check(other);
        break;
      }
      case 20:
        if (b.size < (1 << 20)) b.AddOtherBL(s.Byte() & 1 ? &b : &other);
        break;
      case 21:
        if (b.size < (1 << 20)) b.HoldSqvMix(b, other);
        break;
      case 22: b.FillRand(3, s.Small(), s.Small()); break;
      case 23: {
        ByteLenta copy(b);
        copy = b;
        if (copy.size != b.size || (b.size && std::memcmp(copy.data, b.data, (size_t)b.size))) std::abort();
        break;
      }
    }
    Check(b);
  }
  return 0;
}
