#include "world/pools.h"

int tm_Fgr4W::KonfigAll(FILE* file) {
  (void)file;
#define VELMAR_POOL_INIT(code, Name, capacity)                   \
  if (!Name.Init0(capacity)) {                                   \
    LogInfo("\n Error: tm_Fgr4W::KonfigAll  %s\n", #Name);       \
    return 0;                                                    \
  }
  VELMAR_OBJECT_TYPES(VELMAR_POOL_INIT)
#undef VELMAR_POOL_INIT
  return 1;
}

void tm_Fgr4W::Sbros() {
#define VELMAR_POOL_SBROS(code, Name, capacity) Name.Sbros();
  VELMAR_OBJECT_TYPES(VELMAR_POOL_SBROS)
#undef VELMAR_POOL_SBROS
}

int ReadKonfig_Fgr4W() { return Fgr4W.KonfigAll(nullptr); }

int Fgr4W_Capacity(int type) {
  switch (type) {
#define VELMAR_POOL_CAP(code, Name, capacity) \
  case code:                                  \
    return capacity;
    VELMAR_OBJECT_TYPES(VELMAR_POOL_CAP)
#undef VELMAR_POOL_CAP
    default:
      return 0;
  }
}
