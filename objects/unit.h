// The generic fighting unit, object type 27. Its numbers come from a unit
// preset of the unit table and its weapons from the weapon table; its preset
// number (the test variant 1..4: AnimTest, CarTest, TankTest, FlyTest)
// decides how it is drawn and where its shots start.
#pragma once

#include <cstdint>
#include <cstdio>

#include "core/core.h"
#include "objects/artab.h"
#include "objects/vehparts.h"
#include "render/genmesh.h"
#include "render/lights.h"
#include "world/mbase1.h"
#include "world/pafmove.h"

class Fgr4;

// Positions in the unit's int run (144 values, saved raw).
enum : int {
  uiPreset = 1,      // preset number = test variant 1..4; 0: empty body
  uiLType = 2,
  uiRangSta = 3,
  uiRazdel = 4,      // 4 and 5 fly
  uiRod = 5,
  uiName = 6,        // 6..8: 12 characters
  uiSide = 9,
  uiMoveMode = 10,   // 0 idle, >= 1 while a move order runs
  uiSndChannel = 11, // positional sound channel, -1 none
  uiTurnCount = 12,
  uiMarkCount = 13,  // ground-mark countdown
  uiVisible = 14,    // 1 in view, 0 outside, -1 behind the camera
  uiSeen = 15,
  uiRegPair = 16,    // 16..19 companions, 20..23 registered tiles
  uiRegTile = 20,
  uiModel = 28,      // 28..33 model choices
  uiTableFlag = 34,
  uiMMapFlag = 35,
  uiSndPriority = 36,
  uiSelect = 37,     // -1 cannot be selected, 0 not selected, 1 selected
  uiPafLayer = 38,
  uiRegLayer = 39,   // 1 air, 2 air and land, other: land
  uiPrice = 42,      // 42..44
  uiHP = 45, uiHPMax = 46, uiHPRun = 47, uiHPRegen = 48,
  uiArmor = 49, uiArmorMax = 50, uiArmorRun = 51, uiArmorRegen = 52,
  uiThird = 53, uiThirdMax = 54, uiThirdRun = 55, uiThirdRegen = 56,
  uiXP = 57,
  uiRadius = 60,
  uiSight = 61,
  uiDist2 = 62,
  uiTurnReload = 65,
  uiLarge = 66,
  uiLoaded = 71,
  uiSlotCount = 72,  // 73..81 slot abilities
  uiSlot = 73,
  uiItem = 95,       // 95..99 weapon rows of the five slots
  uiStrikeCount = 124,
  uiWingL = 140,
  uiWingR = 141,
  uiIntCount = 144,
};

// Positions in the unit's float run (27 values).
enum : int {
  ufNearFly = 2,    // flyers do not turn within it of the move point
  ufNearPath = 3,   // no turn within it of a waypoint
  ufTurn = 4,       // turn speed per millisecond
  ufCruise = 6,     // units per second when facing the waypoint
  ufSlow = 7,       // not facing; ceiling after a sharp bend
  ufTurning = 8,    // turning on a path
  ufWaitCap = 9,    // ceiling while the path follower waits
  ufAccel = 10,     // per millisecond
  ufWanted = 11,
  ufSpeed = 12,
  ufWheel = 13,     // 13..16 wheel angles, 17..20 steering angles
  ufSteer = 17,
  ufSpin = 21,
  ufTurretYaw = 23,
  ufTurretPitch = 24,
  ufRecoil = 25,
  ufFloatCount = 27,
};

class tw_Unit {
 public:
  static constexpr int kType = 27;
  static constexpr int kItems = 5;

  Fgr4* owner;
  t_SveOkruj sve;             // lights around the unit; mode 1: refill at the position
  int32_t zvuCount;           // ms to the next velocity sample
  vec3 zvuLastPos;
  vec3 zvuVel;                // movement per 250 ms
  vec3 surf[4];               // ground samples of the surface alignment
  vec3 ringShort[32];         // short weapon range
  vec3 ringLong[40];          // long weapon range
  vec3 ringSel[16];           // selection ring
  vec3 ringSight[40];         // sight range
  Fgr4* target;               // attack target
  Fgr4* link2;
  vec3 movePoint;
  t_PafMove1 paf;
  int32_t iu[uiIntCount];
  float fu[ufFloatCount];
  t_MBase1 mb;
  t_MeshRec mesh[3];
  t_ArItem* items[kItems];    // null when the slot is empty; each points into itemStore
  t_ArItem itemStore[kItems];
  // Where the unit stands in this frame's unit lists (not saved): the list
  // (0 own, 1 enemy), the lap of that list and the entry.
  int32_t listWhich, listLap, listIdx;

  // One swing of every unit's gun, up (1) or down (0, at start).
  static int turretSwing;

  tw_Unit() { Sbros(); }
  ~tw_Unit() { Sbros(); }
  tw_Unit(const tw_Unit&) = delete;
  tw_Unit& operator=(const tw_Unit&) = delete;

  void Sbros();
  int Status() const { return owner != nullptr && iu[uiPreset] != 0; }
  void OnEvent(int code, void* a, void* b, void* c, void* d);
  void MyFgrEvent(int code, void* a = nullptr, void* b = nullptr, void* c = nullptr, void* d = nullptr);

  // Creation and loading.
  void IFC_x(int preset);
  void Uni_IFC_Load();
  void CopyIntSborFrom(const tw_Unit* o);  // int run 0..142
  void CopyFloSborFrom(const tw_Unit* o);  // float run 0..25
  void AddToFile(FILE* f);
  void FromFile(FILE* f);
  void setName(const char* text);
  const char* getName12simb() const;
  // The numbers a unit computes with held to what a unit can live with (its
  // radius, reaches, price, speeds and acceleration); `reach` in the units
  // its reaches are counted in: tiles in the table, world units in a unit.
  void HoldRanges(int32_t reach);

  // Behaviour.
  void UpdSelf(int mode, int flag);
  void Upd(int mode, int ex);
  void UpdEx();
  void Upd_PathWay1();
  void StaMoveToTarget(void* target, int& toServer);
  void StaMoveToPoint(void* point, void* mode, int& toServer);
  void StaMoveToPointAutoPilot(vec3 point, int mode);
  void DoStrikeTry();
  void DoStrike_(Fgr4* target);
  void SetUron(int d1, int d2, int* xp);
  void xDeReg();
  float pitchZvu() const;
  int getZnakForMMap() const;
  void KomPultPay(int* a, int* b, int* c) const;
  void OnIconDraw(int x, int y, int w, int h) const;

  // Drawing.
  void Draw();
  void OnRender(int pass);
  void OnRender_Spr(int pass);
  void DrawForSelect();
  void Draw_SpeOkrugs();

  int Flies() const { return iu[uiRazdel] == 4 || iu[uiRazdel] == 5; }
  int Side() const { return iu[uiSide]; }
  t_ArItem* Gun() const { return items[1]; }  // the item that fires

 private:
  void RegisterTiles();
  int TilesUnchanged() const;
  void MakeRings();
  void ClampLoaded();
  void Draw_AnimTest();
  void Draw_CarTest();
  void Draw_TankTest();
  void Draw_FlyTest();
  void OnRen_AnimTest(int pass);
  void OnRen_CarTest(int pass);
  void OnRen_TankTest(int pass);
  void OnRen_FlyTest(int pass);
  void OnR_Gus(int mesh, float x);
  void OnR_Wings(int mesh, float x);
  void OnR_BashGun(int bash, int base, int gun, float recoil);
  void OnR_Koles();
  void OnR_KolesT1();
};

extern tw_Unit* pTekUnit;

// The starting height band of flyers above the ground (42).
extern float gUnitLowAirY;
