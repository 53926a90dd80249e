// What a unit does each frame and when ordered: its footprint on the
// terrain, keeping to the ground or its flying height, the per-frame lists,
// the path, turning and speed, the turret, the seen test, firing, damage,
// death and its engine sound.
#include <algorithm>
#include <climits>
#include <cmath>

#include "objects/soundglue.h"
#include "objects/modesglue.h"
#include "objects/modesglue.h"
#include "objects/unit.h"
#include "objects/unithelp.h"
#include "objects/unitlists.h"
#include "render/render.h"
#include "shell/ippi.h"
#include "world/satint.h"
#include "world/world.h"

namespace {

// The footprint points of a unit: its position, or for a large unit the four
// corners at +- its radius.
int FootPoints(const tw_Unit& u, vec3* p) {
  const vec3 c = u.mb.Pos();
  if (!u.iu[uiLarge]) {
    p[0] = c;
    return 1;
  }
  const float r = static_cast<float>(u.iu[uiRadius]);
  p[0] = c + vec3(r, 0, r);
  p[1] = c + vec3(r, 0, -r);
  p[2] = c + vec3(-r, 0, -r);
  p[3] = c + vec3(-r, 0, r);
  return 4;
}

// Whether the tile this unit holds in the occupancy kind would be given back
// to it at once were it released: the unit's own mark is set and nothing else
// that refuses a new mark is.
int Retakes(int tile, int kind) {
  const int x = tile % gMapW, z = tile / gMapW;
  if (kind == 2) return walkabilityAirLand[x][z] == 1 && walkability[x][z] == 0 && walkability2345Land[x][z] == 0;
  if (kind == 1) return walkability[x][z] == 1 && walkabilityAirLand[x][z] == 0;
  return walkability2345Land[x][z] == 1 && walkabilityAirLand[x][z] == 0;
}

int32_t SatSub(int32_t a, int32_t b) {
  return static_cast<int32_t>(std::clamp<int64_t>(static_cast<int64_t>(a) - b, INT_MIN, INT_MAX));
}

// Does this unit hold channel ch of the positional sound?
int HoldsChannel(const tw_Unit& u) {
  int ch = u.iu[uiSndChannel];
  return ch >= 0 && ch <= ZSrcMainKot_Last && ZSrcMainKot_pFgr[ch] == u.owner;
}

}  // namespace

int tw_Unit::turretSwing = 0;

// ---------------------------------------------------------------- footprint

void tw_Unit::xDeReg() {
  for (int k = 0; k < 4; ++k) PlitHold_DeReg(iu[uiRegPair + k], iu[uiRegTile + k], iu[uiRegLayer]);
}

void tw_Unit::RegisterTiles() {
  vec3 p[4];
  int n = FootPoints(*this, p);
  for (int k = 0; k < n; ++k) LandsRootFrCoord(iu[uiRegPair + k], iu[uiRegTile + k], p[k], iu[uiRegLayer]);
}

// Releasing every tile and registering anew would end with exactly the tiles
// held now: the footprint is on the same tiles, each of them is held and
// would be taken again, and the pairs that hold none could take none.
int tw_Unit::TilesUnchanged() const {
  vec3 p[4];
  int n = FootPoints(*this, p);
  int want[4] = {-1, -1, -1, -1};
  for (int k = 0; k < n; ++k) {
    int t = PlitHold.YchFrCoord(p[k].x, p[k].z);
    bool taken = false;
    for (int j = 0; j < k; ++j) taken |= want[j] == t;
    bool dup = t >= 0 && t < gMapW * gMapH && taken;
    if (t >= 0 && t < gMapW * gMapH && !dup) want[k] = t;
    // A free tile this pair does not hold yet might be taken now.
    if (want[k] >= 0 && iu[uiRegTile + k] != want[k]) return 0;
  }
  for (int k = 0; k < 4; ++k) {
    if (iu[uiRegTile + k] != want[k]) return 0;
    if (want[k] >= 0 && !Retakes(want[k], iu[uiRegLayer])) return 0;
  }
  return 1;
}

// ---------------------------------------------------------------- self update

void tw_Unit::UpdSelf(int mode, int) {
  if (ServPlusGame(mode)) {
    if (TilesUnchanged()) {
      // The same tiles again: nothing is written but the release marks.
      for (int k = 0; k < 4; ++k)
        if (iu[uiRegTile + k] >= 0) iu[uiRegPair + k] = -1;
    } else {
      xDeReg();
      RegisterTiles();
    }
  }
  if (!Flies()) {
    mb.PosYOporClimb();
    if (mb.pos.y < -1.0f) {
      mb.PosY(-1.0f);
      mb.UpdMatr_Enerc();
    } else {
      mb.UpdMatrFrSurf(4.0f, 3.0f, surf[0], surf[1], surf[2], surf[3]);
    }
  } else {
    mb.hiLowY_FlyStolbUpdate(1, 0.003f);
  }
  if (iu[uiSide] == PlayerBanerID) {
    PlayerUnitsOkrug_Add(mb.Pos(), static_cast<float>(iu[uiSight]));
    PlayerUnits_Add(owner);
  } else {
    PlaEnemyUnits_Add(owner);
  }
}

// ---------------------------------------------------------------- update

void tw_Unit::Upd_PathWay1() {
  const vec3 p = mb.Pos();
  int r = paf.RootBreak(PosToInt(p.x), PosToInt(p.z), PosToInt(movePoint.x), PosToInt(movePoint.z),
                        iu[uiPafLayer], 4200);
  if (r == 0) {
    if (!mb.PosNear2D(paf.wayPoint, 8.0f)) return;
    paf.OnToch();
  }
  if (paf.onPath == 0) iu[uiMoveMode] = 0;
}

void tw_Unit::Upd(int mode, int ex) {
  (void)mode;
  paf.Upd();

  // Steering and the wanted speed.
  if (Flies() && iu[uiMoveMode] >= 1) {
    zn::ToZero(iu[uiTurnCount]);
    int facing = mb.A2TurnTo(iu[uiTurnCount], movePoint, fu[ufTurn], fu[ufNearFly]);
    fu[ufWanted] = facing ? fu[ufCruise] : fu[ufSlow];
    // Arrived: the move ends here instead of circling the point.
    if (mb.PosNear2D(movePoint, std::max(fu[ufNearFly], 8.0f))) {
      iu[uiMoveMode] = 0;
      fu[ufWanted] = 0;
      paf.PathStop();
    }
  } else {
    if (paf.onPath != 0) Upd_PathWay1();
    if (paf.onPath != 0) {
      zn::ToZero(iu[uiTurnCount]);
      int facing = mb.A2TurnTo(iu[uiTurnCount], paf.wayPoint, fu[ufTurn], fu[ufNearPath]);
      fu[ufWanted] = facing ? fu[ufCruise] : fu[ufTurning];
      if (paf.wait != 0) fu[ufWanted] = std::min(fu[ufWanted], fu[ufWaitCap]);
      else if (paf.krutPov > 1) fu[ufWanted] = std::min(fu[ufWanted], fu[ufSlow]);
    } else {
      fu[ufWanted] = 0;
    }
  }

  // Speed eases toward the wanted speed; the unit moves.
  zn::Climb2(fu[ufSpeed], zn::FrT(fu[ufAccel]), fu[ufWanted], 0.1f);
  mb.Skor(fu[ufSpeed] / 1000.0f);
  mb.Move(2);
  UnitLists_Moved(owner, mb.pos);
  if (iu[uiTurnCount] == 0) iu[uiTurnCount] = iu[uiTurnReload];

  // Turret, gun swing and recoil.
  zn::Addw(fu[ufTurretYaw], zn::FrT(0.005f), 0.0f, 360.0f);
  if (turretSwing) {
    if (zn::Climb2(fu[ufTurretPitch], zn::FrT(0.005f), -30.0f, 1.0f)) {
      turretSwing = 0;
      fu[ufTurretPitch] = -28.0f;
    }
  } else if (zn::Climb2(fu[ufTurretPitch], zn::FrT(0.009f), 10.0f, 1.0f)) {
    turretSwing = 1;
    fu[ufTurretPitch] = 8.0f;
  }
  if (Rand2(0, 200) == 0) fu[ufRecoil] = -0.5f;
  zn::Climb2(fu[ufRecoil], zn::FrT(0.0005f), 0.0f, 0.01f);

  // Seen by the player's side?
  PlayerUnitsOkrug_Try(mb.Pos(), static_cast<float>(iu[uiRadius]), iu[uiSeen]);
  if (iu[uiSeen]) {
    KlientMiniMapFgr_Add(mb.Pos(), static_cast<unsigned>(iu[uiSide]), static_cast<unsigned>(getZnakForMMap()));
  } else if (iu[uiSide] != PlayerBanerID && PlayerSelected_OnlyOne() && PlayerSelected_AnIn(owner)) {
    PlayerSelectedReset();
  }

  DoStrikeTry();

  if (sve.mode == 1) {
    sve = t_SveOkruj();
    sve.mode = 1;
    sve.centre = mb.Pos();
    sve.Fill(mb.Hf(), 1);
  }

  if (ex && iu[uiSeen]) {
    float r, g, b;
    RGB_ColorFlag(iu[uiSide], r, g, b);
    Add_LandSvetikPro(mb.Pos(), iu[uiRadius] + 1, 4, r, g, b, 0.4f);
    if (iu[uiSelect] > 0 && zn::ToZeroi(iu[uiMarkCount])) {
      iu[uiMarkCount] = 900;
      if (!Flies()) masSnarBoomLand_AddElem(mb.Pos());
    }
  }
  if (ex) UpdEx();
}

void tw_Unit::UpdEx() {
  zn::Addw(fu[ufSpin], zn::FrT(Flies() ? 0.25f : 0.07f), 0.0f, 360.0f);
  const int ch = iu[uiSndChannel];
  if (iu[uiSelect] < 1) {
    if (HoldsChannel(*this)) ZSrcMainKot_Dst[ch] = 5003.0f;
  } else if (HoldsChannel(*this)) {
    ZSrc_Pitch(ZSrcMainKot[ch], pitchZvu());
  } else {
    ZSrcMainKot_Zakaz(owner, mb.Pos(), 0, 3, 1, 0.6f, pitchZvu());
  }
  zn::ToZero(zvuCount);
  if (zvuCount == 0) {
    zvuVel = mb.Pos() - zvuLastPos;
    zvuLastPos = mb.Pos();
    zvuCount = 250;
  }
}

float tw_Unit::pitchZvu() const {
  float s = mb.Skor() * 20.0f;
  return Rand2F(s + 0.5f, s + 0.55f, 5);
}

int tw_Unit::getZnakForMMap() const {
  const int flag = iu[uiMMapFlag] >= 1;
  switch (iu[uiRazdel]) {
    case 3:
      return flag ? 6 : 2;
    case 4:
      return 3;
    case 5:
      return 4;
    default:
      return flag ? 5 : 1;
  }
}

// ---------------------------------------------------------------- orders

void tw_Unit::StaMoveToTarget(void* targetArg, int& toServer) {
  (void)targetArg;
  if (toServer != 0) return;
  iu[uiTurnCount] = 0;
  iu[uiMoveMode] = 0;
}

void tw_Unit::StaMoveToPoint(void* point, void* mode, int& toServer) {
  voidVec3To(point ? *static_cast<void**>(point) : nullptr, movePoint);
  if (toServer != 0) return;
  iu[uiMoveMode] = std::max(mode ? *static_cast<int*>(mode) : 1, 1);
  xDeReg();
  if (!Flies()) {
    const vec3 p = mb.Pos();
    paf.RePath(1, PosToInt(p.x), PosToInt(p.z), PosToInt(movePoint.x), PosToInt(movePoint.z), iu[uiPafLayer]);
  }
  iu[uiTurnCount] = 0;
  target = nullptr;
}

void tw_Unit::StaMoveToPointAutoPilot(vec3 point, int mode) {
  movePoint = point;
  iu[uiMoveMode] = std::max(mode, 1);
  xDeReg();
  LandsRootFrCoord(iu[uiRegPair], iu[uiRegTile], mb.Pos(), iu[uiRegLayer]);
  const vec3 p = mb.Pos();
  paf.RePath(1, PosToInt(p.x), PosToInt(p.z), PosToInt(point.x), PosToInt(point.z), iu[uiPafLayer]);
  iu[uiTurnCount] = 0;
  target = nullptr;
}

// ---------------------------------------------------------------- firing

void tw_Unit::DoStrikeTry() {
  const t_ArItem* gun = Gun();
  if (!gun) return;
  zn::ToZero(iu[uiStrikeCount]);
  if (iu[uiStrikeCount] != 0) return;
  Fgr4* t = GeneralUnits_TryAtak(mb.Pos(), static_cast<float>(gun->w[t_ArItem::wRange1]), iu[uiSide]);
  if (!t) t = GeneralUnits_TryAtak(mb.Pos(), static_cast<float>(gun->w[t_ArItem::wRange2]), iu[uiSide]);
  if (t) DoStrike_(t);
}

void tw_Unit::DoStrike_(Fgr4* victim) {
  t_ArItem* gun = Gun();
  if (!gun || !victim) return;
  iu[uiStrikeCount] = gun->w[t_ArItem::wReload];
  gun->w[t_ArItem::wReloadLeft] = gun->w[t_ArItem::wReload];
  // The target's position is read before the damage, which may kill it.
  vec3 aim(0.0f);
  victim->Event(EV_POSITION, &aim.x, &aim.y, &aim.z);
  int d1 = Rand2(10, 15), d2 = Rand2(7, 10);
  victim->Event(55, &d1, &d2, &iu[uiXP]);

  vec3 muzzle;
  const vec3 p = mb.Pos();
  switch (iu[uiPreset]) {
    case 2:
      muzzle = mb.Fwd(10.0f) + vec3(0, 5.0f, 0);
      break;
    case 3: {
      float yaw = fu[ufTurretYaw] * 0.01745f, pitch = fu[ufTurretPitch] * 0.01745f;
      vec3 dir(std::sin(yaw) * std::cos(pitch), std::sin(pitch), std::cos(yaw) * std::cos(pitch));
      muzzle = p + vec3(0, 2.5f, 0) + mb.MultMatrix3(dir);
      break;
    }
    default:
      muzzle = p + vec3(0, 12.0f, 0);
      break;
  }
  aim.y += 3.0f;
  VecEndEdit(muzzle, aim, 9.0f);
  DekorCrt_Laser(muzzle, aim, 0, 255);
}

void tw_Unit::SetUron(int d1, int d2, int* xp) {
  iu[uiHP] = std::max(SatSub(iu[uiHP], d1), 0);
  iu[uiArmor] = std::max(SatSub(iu[uiArmor], d2), 0);
  if (xp) *xp = *xp > INT_MAX - 2 ? INT_MAX : *xp + 2;
  // Dead when both are gone; the body is free from here on.
  if (iu[uiHP] == 0 && iu[uiArmor] == 0) owner->Kill(1);
}
