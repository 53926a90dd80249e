// The terrain's holder object: a stub that only answers whether it is active.
#pragma once

#include <cstdint>

class Fgr4;

class tw_Land {
 public:
  Fgr4* owner;
  int32_t ints[6];

  tw_Land() { Sbros(); }
  void Sbros();
  int Status() const { return owner != nullptr; }
  // Looks only at the code and the first argument: 23 sets it to 1 while the
  // object is active; everything else is ignored.
  void OnEvent(int code, void* a, void* b, void* c, void* d);
};

extern tw_Land* pTekLand;
