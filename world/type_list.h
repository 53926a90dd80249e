// The 27 world-object types: type code, class name without its tw_ prefix,
// and the fixed capacity of the type's body pool (slot 0 is never handed out,
// so a pool holds one object less than its capacity).
//
// X(code, Name, capacity) is expanded wherever something must exist once per
// type: the pools, the event dispatch, creation and the current-object pointers.
#pragma once

#define VELMAR_OBJECT_TYPES(X) \
  X(1, Fotik, 5)               \
  X(2, Kmd3, 95)               \
  X(3, Kno, 520)               \
  X(4, ScrFrm, 25)             \
  X(5, Car1, 15)               \
  X(6, Tank1, 15)              \
  X(7, Flr2, 125)              \
  X(8, Stolb, 1750)            \
  X(9, Svet1, 105)             \
  X(10, Trig1, 500)            \
  X(11, Snow, 1250)            \
  X(12, Smoke, 150)            \
  X(13, Boom, 250)             \
  X(14, Oblom1, 260)           \
  X(15, Laser, 150)            \
  X(16, TailStrip, 320)        \
  X(17, Dekor, 1500)           \
  X(18, EtapLink, 3)           \
  X(19, Sektor, 425)           \
  X(20, Land, 2)               \
  X(21, KomTehBox, 12)         \
  X(22, Sputnik, 12)           \
  X(23, KomPult, 12)           \
  X(24, Dom, 700)              \
  X(25, DomXBunk, 20)          \
  X(26, DomXEner, 20)          \
  X(27, Unit, 850)

// Highest type code; codes run 1..FGR4_TYPE_COUNT.
constexpr int FGR4_TYPE_COUNT = 27;

// Capacity of the pool of a type code at compile time, 0 outside 1..27.
constexpr int Fgr4W_Cap(int type) {
#define VELMAR_CAP_CASE(code, Name, capacity) \
  if (type == code) return capacity;
  VELMAR_OBJECT_TYPES(VELMAR_CAP_CASE)
#undef VELMAR_CAP_CASE
  return 0;
}
