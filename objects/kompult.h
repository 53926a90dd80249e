// The command post of a side: it holds the side's credits and fuel, pays for
// what the side buys and links the side to its technology box. The post of
// any side but the local one produces units on a timer next to the side's
// bunker and sends them toward the middle of the world; the local side's
// post shows its balances to the player every frame.
#pragma once

#include <cstdint>
#include <cstdio>

#include "world/mbase1.h"

class Fgr4;
class tw_KomTehBox;

class tw_KomPult {
 public:
  static constexpr int kType = 23;

  Fgr4* owner;
  Fgr4* tehBox;  // the side's technology box, null when none
  float angle;   // degrees, turned by UpdEx; not drawn
  // The int run of the record, int0..int8.
  int32_t int0;
  int32_t side;
  int32_t selected;
  int32_t visible;    // 1 in the view frustum, else 0
  int32_t credits;
  int32_t fuel;
  int32_t countdown;  // ms to the next production
  int32_t carsLeft;   // productions still to come
  int32_t int8;
  t_MBase1 mb;

  tw_KomPult() { Sbros(); }
  void Sbros();
  int Status() const { return owner != nullptr; }
  Fgr4* priv_MyFgr() const { return owner; }
  void OnEvent(int code, void* a, void* b, void* c, void* d);

  void IFC_x(int kind);
  void UpdSelf(int mode, int flag);
  void Upd(int mode, int ex);
  void UpdEx();
  void Draw();
  void DrawForSelect();

  // Links the side's technology box (nothing for null).
  void fgrTehBoxSet(tw_KomTehBox* box);
  // The link names a live technology box.
  int TehBoxLive() const;
  // Pays: the balances may go negative; either way they stay within
  // held::kBalanceMax, as a loaded record's do. The player's panel shows
  // the local side's balances.
  void UsePay(int kr, int oil, int x);
  // One production: a car next to the side's bunker, on its way to the
  // middle of the world, paid here. Nothing without a bunker.
  void TryAddCar();

  // Record after the handle part: the technology box link, the angle, the
  // int run and the placement (164 bytes).
  int AddToFile(FILE* f);
  int FromFile(FILE* f);
  template <class IO>
  void Record(IO& io);
};

extern tw_KomPult* pTekKomPult;

// The posts of the two sides of the level (handles and bodies), set by the
// map generator.
extern Fgr4* p1FgrKomPult;
extern Fgr4* p2FgrKomPult;
extern tw_KomPult* p1KomPult;
extern tw_KomPult* p2KomPult;

// The local side's credits and fuel, as its post last published them.
extern int globKredi;
extern int globTopli;
