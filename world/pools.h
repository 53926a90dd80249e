// Typed object pools: the bodies of world objects are never allocated one by
// one. Each type has one fixed-capacity tm_Nab, allocated once at start-up;
// slot 0 is never handed out; a slot is free while its body's Status() is 0.
#pragma once

#include <cstdio>
#include <new>

#include "core/core.h"
#include "objects/objects.h"
#include "world/techglue.h"
#include "world/type_list.h"

template <class T>
class tm_Nab {
 public:
  T* bodies = nullptr;
  int32_t count = 0;
  int32_t cursor = 1;

  tm_Nab() = default;
  tm_Nab(const tm_Nab&) = delete;
  tm_Nab& operator=(const tm_Nab&) = delete;
  ~tm_Nab() { Sbros(); }

  int Init0(int n) {
    if (bodies) {
      LogInfo("\n Error: повторная иница (tm_Nab+)\n");
      return 0;
    }
    if (n < 2 || n > 9000) {
      LogInfo("\n Error: иница (tm_Nab+)  see setKlv:%d  \n", n);
      return 0;
    }
    bodies = new (std::nothrow) T[n];
    if (!bodies) return 0;
    count = n;
    cursor = 1;
    return 1;
  }

  void next1() {
    if (++cursor > count - 1) cursor = 1;
  }
  int nowFindFree_next1() {
    int n = cursor;
    next1();
    return n;
  }

  int GetNextFreeNom(int reset) {
    if (!bodies) return 0;
    if (bodies[cursor].Status()) {
      int i = 0;
      for (; i < count; ++i) {
        next1();
        if (!bodies[cursor].Status()) break;
      }
      if (i == count) return 0;
    }
    if (reset) bodies[cursor].Sbros();
    return nowFindFree_next1();
  }

  T* GetFreeNext_(int reset) {
    int n = GetNextFreeNom(reset);
    return n ? &bodies[n] : nullptr;
  }

  // Number of bodies in use (slot 0 excluded); for tests and diagnostics.
  int InUse() const {
    int k = 0;
    for (int i = 1; i < count; ++i) k += bodies[i].Status() ? 1 : 0;
    return k;
  }

  void Sbros() {
    delete[] bodies;
    bodies = nullptr;
    count = 0;
    cursor = 1;
  }
};

// The 27 pools in type-code order, one member per class (Fgr4W.Unit, ...).
class tm_Fgr4W {
 public:
#define VELMAR_POOL_MEMBER(code, Name, capacity) tm_Nab<tw_##Name> Name;
  VELMAR_OBJECT_TYPES(VELMAR_POOL_MEMBER)
#undef VELMAR_POOL_MEMBER

  int KonfigAll(FILE* file);
  void Sbros();
  ~tm_Fgr4W() { Sbros(); }
};

extern tm_Fgr4W Fgr4W;

int ReadKonfig_Fgr4W();

// Capacity of the pool of a type code, 0 outside 1..27.
int Fgr4W_Capacity(int type);
