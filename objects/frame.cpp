#include "objects/frame.h"

#include "world/world.h"

namespace {

// Per type code: max code, category, draw at creation, deactivate/kill,
// constants 28, 29, 30, 40, 41 (-1 not answered; for 40/41, 1 = the type
// code), 31 answered with 0.
constexpr t_ObjFrameType kTypes[FGR4_TYPE_COUNT + 1] = {
    {0, -1, 0, 0, -1, -1, -1, -1, -1, 0},   // 0: no type
    {35, 4, 0, 0, 0, 1, 0, -1, -1, 1},      // 1 Fotik
    {42, 2, 0, 1, 0, 0, 1, -1, -1, 0},      // 2 Kmd3
    {23, 1, 1, 1, -1, -1, -1, -1, -1, 0},   // 3 Kno
    {38, 0, 0, 0, -1, 0, 1, -1, -1, 0},     // 4 ScrFrm
    {56, 3, 1, 1, 0, 0, 1, 0, 1, 0},        // 5 Car1
    {56, 3, 1, 1, 0, 0, 1, 0, 1, 0},        // 6 Tank1
    {42, 3, 1, 1, 0, 1, 0, 0, 0, 0},        // 7 Flr2
    {42, 2, 1, 1, 0, 0, 1, 1, 0, 0},        // 8 Stolb
    {42, 2, 0, 0, -1, 1, 0, -1, -1, 0},     // 9 Svet1
    {42, 2, 1, 1, 0, 0, 1, -1, -1, 0},      // 10 Trig1
    {42, 4, 1, 1, 0, 1, 0, -1, -1, 0},      // 11 Snow
    {42, 4, 1, 1, 0, 0, 1, -1, -1, 0},      // 12 Smoke
    {42, 2, 0, 1, 0, 0, 1, -1, -1, 0},      // 13 Boom
    {42, 2, 0, 1, 0, 0, 1, -1, -1, 0},      // 14 Oblom1
    {42, 2, 1, 1, 0, 0, 1, -1, -1, 0},      // 15 Laser
    {42, 2, 1, 1, 0, 0, 1, -1, -1, 0},      // 16 TailStrip
    {42, 2, 1, 1, 0, 0, 1, -1, -1, 0},      // 17 Dekor
    {42, 2, 0, 1, 0, 0, 1, -1, -1, 0},      // 18 EtapLink
    {42, 2, 1, 1, 0, 0, 1, -1, -1, 0},      // 19 Sektor
    {23, -1, 0, 0, -1, -1, -1, -1, -1, 0},  // 20 Land: answers only 23
    {48, 2, 1, 1, 0, 0, 1, -1, -1, 0},      // 21 KomTehBox
    {42, 2, 0, 1, 0, 0, 1, -1, -1, 0},      // 22 Sputnik
    {50, 2, 1, 1, 0, 0, 1, -1, -1, 0},      // 23 KomPult
    {42, 2, 1, 1, 0, 0, 1, -1, -1, 0},      // 24 Dom
    {51, 3, 1, 1, 1, 0, 1, -1, -1, 0},      // 25 DomXBunk
    {42, 3, 1, 1, 0, 0, 1, -1, -1, 0},      // 26 DomXEner
    {56, 3, 1, 1, 0, 0, 1, 0, 1, 0},        // 27 Unit
};

// A constant answer; -1 means the type does not answer the code.
int answerConst(int value, void* a) {
  if (value < 0) return 0;
  if (a) *static_cast<int*>(a) = value;
  return 1;
}

}  // namespace

const t_ObjFrameType* ObjFrame_Type(int type) {
  if (type < 1 || type > FGR4_TYPE_COUNT) return nullptr;
  return &kTypes[type];
}

int ObjFrame_Enter(Fgr4* owner, int type, int code) {
  if (!owner) {
    Fgr4_Event_LastCallToDeadFgr = 2;
    return 0;
  }
  Fgr4_Event_LastCallToDeadFgr = 0;
  const t_ObjFrameType* t = ObjFrame_Type(type);
  return t && code <= t->maxCode;
}

int ObjFrame_Common(Fgr4*& ownerWord, int type, int code, void* a, void* b) {
  const t_ObjFrameType* t = ObjFrame_Type(type);
  Fgr4* h = ownerWord;
  if (!t || !h) return 0;
  if (type == 20 && code != EV_IS_ACTIVE) return 0;  // the terrain holder
  switch (code) {
    case EV_CREATE:
      h->active = 1;
      h->SaveCategory = static_cast<uint8_t>(t->category);
      if (t->drawOnCreate) h->draw = 1;
      return 1;
    case EV_DEACT:
      if (!t->deactKill) return 0;
      h->active = 0;
      return 1;
    case EV_KILL:
      if (!t->deactKill) return 0;
      ownerWord = nullptr;
      return 1;
    case EV_IS_ACTIVE:
      if (a && h->active > 0) *static_cast<int*>(a) = 1;
      return 1;
    case 28:
      return answerConst(t->c28, a);
    case 29:
      return answerConst(t->c29, a);
    case 30:
      return answerConst(t->c30, a);
    case 31:
      if (!t->sideNever) return 0;
      if (b) *static_cast<int*>(b) = 0;
      return 1;
    case 40:
    case 41: {
      int v = code == 40 ? t->c40 : t->c41;
      if (v < 0) return 0;
      if (a) *static_cast<int*>(a) = v ? type : 0;
      return 1;
    }
    default:
      return 0;
  }
}

int ObjFrame_WantsCurrent(int code, void* b, void* c) {
  if (code == EV_LOAD) return c && *static_cast<int*>(c) != 0;
  if (code == EV_CREATE) return b && *static_cast<int*>(b) != 0;
  return 0;
}
