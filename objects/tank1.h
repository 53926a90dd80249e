// The tracked combat vehicle of a side, object type 6: the life of the
// wheeled vehicle with its own numbers, one blocked tile, and three bodies
// drawn from the models the settings name (variant 0 the tank, 1 the dragon,
// any other the titan), each with tracks, road wheels, fenders and a gun.
#pragma once

#include <cstdint>
#include <cstdio>

#include "core/core.h"
#include "objects/vehicle.h"
#include "render/lights.h"
#include "world/mbase1.h"
#include "world/pafmove.h"

class Fgr4;

class tw_Tank1 {
 public:
  static constexpr int kType = 6;
  static constexpr int kInts = 46, kFlos = 6;  // the two runs of the record
  static constexpr int kRegs = 1;              // the tile under it
  static constexpr int kEngineSound = 4;       // index in sound group 0
  static constexpr bool kLightAlways = true;   // the ground light every self update
  static constexpr bool kFloats = false;       // always tilted to the terrain
  static constexpr float kMarkerRest = 6.0f;   // height the selection marker eases to

  Fgr4* owner;
  t_SveOkruj sve;        // lights around it; mode 1: refilled at the position
  int32_t zvuCount;      // ms to the next velocity sample
  vec3 zvuLastPos;
  vec3 zvuVel;           // movement over the last 250 ms
  vec3 surf[4];          // ground samples of the terrain tilt
  float markerY;         // height of the selection marker: 9 at a waypoint, easing to 6
  vec3 ring1[32];        // range rings around the origin
  vec3 ring2[40];
  vec3 ring3[40];
  vec3 shotFrom, shotTo;
  int32_t flash;         // 255 at a shot, fading by 5 every 25 ms
  int32_t flashCount;
  Fgr4* target;          // followed while set
  float spin;            // degrees 0..360, kept but not drawn
  float wanted, speed;   // units per second
  vec3 movePoint;
  t_PafMove1 paf;
  // The int run (46 values, saved raw in this order).
  int32_t int0;
  int32_t side;
  int32_t variant;       // the creation kind: 0 tank, 1 dragon, other titan
  int32_t int3, int4, int5, int6;
  int32_t moveMode;      // 0 idle, >= 1 after a point order
  int32_t sndPriority;
  int32_t sndChannel;    // positional channel 0..11, -1 none
  int32_t trackModel;    // kept in the record; the tracks draw from `model`
  int32_t int11;
  int32_t model;         // model group of every part
  int32_t bodyMesh;
  int32_t int14, int15;
  int32_t turnCount;     // ms to the next aim of a turn
  int32_t markCount;     // ms to the next ground mark while selected
  int32_t selected;
  int32_t hp, hpMax, armor, armorMax;
  int32_t third, thirdMax, fourth, fourthMax;  // the two further bars
  int32_t pafLayer;      // walkability layer of its paths
  int32_t regPair[kRegs], regTile[kRegs];      // the blocked tile, -1 none
  int32_t regLayer;
  int32_t int31;
  int32_t strikeCount;   // ms to the next shot
  int32_t strikeBase, strikeSpread;
  int32_t xp, xpThreshold, level;
  int32_t sight;
  int32_t range1, range2, range3;
  int32_t seen;          // the local side's are always seen
  int32_t visible;       // 1 in view, 0 out of view ahead, -1 behind the camera
  int32_t int44, int45;
  // The float run (6 values).
  float float0;
  float wheelSpin[4];
  float float5;
  t_MBase1 mb;
  t_VehMeshes mesh;

  tw_Tank1() { Sbros(); }
  void Sbros();
  int Status() const { return owner != nullptr; }
  void OnEvent(int code, void* a, void* b, void* c, void* d);

  void IFC_x(int kind);
  void UpdSelf(int mode, int flag);
  void Upd(int mode, int ex);
  void Upd_TestToPrint();
  void Draw();
  void OnRender(int pass);
  void DrawForSelect();
  void KomPultPay(int* a, int* b, int* c) const;
  void NameToTBuf0() const;

  // Record after the handle part: target, spin, speeds, move point, path, the
  // int run, the float run, the placement (826 bytes).
  int AddToFile(FILE* f);
  int FromFile(FILE* f);
  template <class IO>
  void Record(IO& io);

 private:
  void OnR_Roll();
  void OnR_Koles();
  void OnR_KolesTit();
  void OnR_BashGun(int bash, int gunBase, int gun, float recoil);
  void OnR_BashGunDra(int bash, int gun);
  void OnR_GunTit(int gunBase, int gun, float recoil);
  void OnR_Mount(vec3 bashAt, int bash, vec3 gunAt, int gunBase, int gun, float recoil);
};

extern tw_Tank1* pTekTank1;

// What the selected tracked vehicle's path follower did last (for a debug
// print; nothing reads them).
extern int Tank1_TestToPrint_onPath, Tank1_TestToPrint_movToPoint, Tank1_TestToPrint_onPathLen,
    Tank1_TestToPrint_onPathNext, Tank1_TestToPrint_pafMoveWait, Tank1_TestToPrint_OnKrutPov,
    Tank1_TestToPrint_RePathCall;
