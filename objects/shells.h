// World-object types that so far consist of the frame only: the owner word,
// Sbros/Status and an OnEvent that answers the frame's codes. Each type gets
// its own class and file as its behaviour is written.
#pragma once

class Fgr4;

#define VELMAR_SHELL_CLASS(Name)                                          \
  class tw_##Name {                                                       \
   public:                                                                \
    Fgr4* owner;                                                          \
    tw_##Name() { Sbros(); }                                              \
    void Sbros() { owner = nullptr; }                                     \
    int Status() const { return owner != nullptr; }                       \
    void OnEvent(int code, void* a, void* b, void* c, void* d);           \
  };                                                                      \
  extern tw_##Name* pTek##Name;

VELMAR_SHELL_CLASS(KomTehBox)
VELMAR_SHELL_CLASS(KomPult)
VELMAR_SHELL_CLASS(Dom)
VELMAR_SHELL_CLASS(DomXBunk)
VELMAR_SHELL_CLASS(DomXEner)

#undef VELMAR_SHELL_CLASS
