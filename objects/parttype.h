// Types alike in everything but their type code and name (an explosion and a
// debris piece; a level link and a tail marker) keep their whole body after
// the owner word in one shared part, a struct with Sbros(), Event(owner,
// code, a, b, c, ...) answering the type's own codes, and Record(io). These
// macros declare and define such a type around its part.
#pragma once

#include <cstdio>

class Fgr4;

#define OBJ_PART_TYPE(Name, Part)                                 \
  class tw_##Name {                                               \
   public:                                                        \
    Fgr4* owner;                                                  \
    Part p;                                                       \
    tw_##Name() { Sbros(); }                                      \
    void Sbros() {                                                \
      owner = nullptr;                                            \
      p.Sbros();                                                  \
    }                                                             \
    int Status() const { return owner != nullptr; }               \
    void OnEvent(int code, void* a, void* b, void* c, void* d);   \
    int AddToFile(FILE* f);                                       \
    int FromFile(FILE* f);                                        \
  };                                                              \
  extern tw_##Name* pTek##Name;

// In the type's .cpp, with objects/frame.h and objects/record.h included:
// the current-object pointer, the record through the part, and OnEvent on
// the frame; the arguments after the record's name go to the part's Event.
#define OBJ_PART_TYPE_IMPL(Name, typeCode, recordName, ...)                                     \
  tw_##Name* pTek##Name = nullptr;                                                              \
  int tw_##Name::AddToFile(FILE* f) { return ObjRecord_SavePart(*this, p, f); }                 \
  int tw_##Name::FromFile(FILE* f) { return ObjRecord_LoadPart(*this, p, f, recordName); }      \
  void tw_##Name::OnEvent(int code, void* a, void* b, void* c, void*) {                         \
    ObjFrame_Dispatch(*this, pTek##Name, typeCode, code, a, b, c,                               \
                      [&] { return p.Event(owner, code, a, b, c __VA_OPT__(, ) __VA_ARGS__); }); \
  }
