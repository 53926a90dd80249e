// Stand-ins; see standins.h. Each block names what replaces it.
#include "modes/standins.h"

#include "world/world.h"

// stand-in: replaced by the units (selection and per-frame lists).
int PlayerSelected_ekx[kPlayerSelectedLast + 1];
int PlayerSelected_eky[kPlayerSelectedLast + 1];
void PlayerSelectedReset() { PlayerSelected_Now = 0; }
void PlayerSelectedOne(Fgr4* f) {
  PlayerSelected_[1] = f;
  PlayerSelected_Now = f ? 1 : 0;
}
void PlayerSelectedAdd(Fgr4* f) {
  if (f && PlayerSelected_Now < kPlayerSelectedLast) PlayerSelected_[++PlayerSelected_Now] = f;
}
void PlayerSelected_AllToTarget(Fgr4* target) {
  for (int i = 1; i <= PlayerSelected_Now; ++i) Fgr4_Event(PlayerSelected_[i], EV_MOVE_TO_TARGET, target);
}
void PlayerSelected_AllToPoint(vec3* point, int mode) {
  for (int i = 1; i <= PlayerSelected_Now; ++i) Fgr4_Event(PlayerSelected_[i], EV_MOVE_TO_POINT, point, &mode);
}
void PlayerSelected_IconsUp(t_VPortKam*) {}
void PlayerUnits_OnStartLap() {}
void PlaEnemyUnits_OnStartLap() {}
void PlayerUnitsOkrug_OnStartLap() { PlayerUnitsOkrugKlv = 0; }
void KlientMiniMapFgr_OnStartLap() { KlientMiniMapFgrKlv = 0; }
void MMapNakladDotsDraw() {}
void ColorMatForUnits(int, float, float) {}
void TestFly_FromBunker(int) {}
void Camp_DoTehn(int, int) {}
int Camp_NameDoTehn(int, int) { return 5; }
int Camp_NameTekDom(int) { return 60; }
void UnitBars_ramAlf_Upd() {}

// stand-in: replaced by the command posts.
Fgr4* p1FgrKomPult = nullptr;
Fgr4* p2FgrKomPult = nullptr;
int globKredi, globTopli;
