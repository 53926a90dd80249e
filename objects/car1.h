// The wheeled combat vehicle of a side, object type 5. It follows tile paths,
// steers toward its waypoint, a followed target or an ordered point, eases
// its speed, tilts to the terrain and blocks the tiles under its four
// corners; it fires on a timer at the nearest enemy in reach, takes damage in
// hit points and armour, gains veteran levels, lights the ground in its
// side's colour, hums while selected and draws its body, wheels, a turning
// beacon, its range rings and its shot line.
#pragma once

#include <cstdint>
#include <cstdio>

#include "core/core.h"
#include "objects/vehicle.h"
#include "render/lights.h"
#include "world/mbase1.h"
#include "world/pafmove.h"

class Fgr4;

class tw_Car1 {
 public:
  static constexpr int kType = 5;
  static constexpr int kInts = 55, kFlos = 10;  // the two runs of the record
  static constexpr int kRegs = 4;         // tiles it blocks: one under each corner
  static constexpr int kEngineSound = 3;  // index in sound group 0
  static constexpr bool kLightAlways = false;  // the ground light only with the self update's flag
  static constexpr bool kFloats = true;   // below height 0 it floats level

  Fgr4* owner;
  t_SveOkruj sve;        // lights around it; mode 1: refilled at the position
  int32_t zvuCount;      // ms to the next velocity sample
  vec3 zvuLastPos;
  vec3 zvuVel;           // movement over the last 250 ms (the engine sound's velocity)
  vec3 surf[4];          // ground samples of the terrain tilt
  vec3 ring1[32];        // range rings around the origin
  vec3 ring2[40];
  vec3 ring3[40];
  vec3 shotFrom, shotTo;
  int32_t flash;         // 255 at a shot, fading by 5 every 25 ms
  int32_t flashCount;
  Fgr4* target;          // followed while set
  float spin;            // beacon angle, degrees 0..360
  float wanted, speed;   // units per second
  vec3 movePoint;
  t_PafMove1 paf;
  // The int run (55 values, saved raw in this order).
  int32_t int0;
  int32_t variant;       // 2: the one kind there is
  int32_t side;
  int32_t int3, int4, int5, int6;
  int32_t moveMode;      // 0 idle, >= 1 after a point order
  int32_t sndPriority;
  int32_t sndChannel;    // positional channel 0..11, -1 none
  int32_t int10, int11;
  int32_t model;         // model group of the body and wheels
  int32_t bodyMesh;
  int32_t beaconModel;   // model group of the beacon pass
  int32_t int15;
  int32_t turnCount;     // ms to the next aim of a turn
  int32_t markCount;     // ms to the next ground mark while selected
  int32_t selected;
  int32_t price[3];      // credits, fuel, a third value
  int32_t hp, hpMax, armor, armorMax;
  int32_t third, thirdMax, fourth, fourthMax;  // the two further bars
  int32_t pafLayer;      // walkability layer of its paths
  int32_t regPair[kRegs], regTile[kRegs];      // blocked tiles, -1 none
  int32_t regLayer;      // occupancy kind of the blocked tiles
  int32_t mmapSel;       // non-zero: the larger minimap mark
  int32_t strikeCount;   // ms to the next shot
  int32_t strikeBase, strikeSpread;  // ms between shots: base + up to spread
  int32_t xp, xpThreshold, level;
  int32_t sight;         // radius of the seen test
  int32_t range1, range2, range3;
  int32_t seen;          // inside a sight circle of the local side this frame
  int32_t visible;       // 1 in view, 0 out of view ahead, -1 behind the camera
  int32_t int53, int54;
  // The float run (10 values).
  float float0;
  float wheelSpin[4], wheelSteer[4];
  float float9;
  t_MBase1 mb;
  t_VehMeshes mesh;

  tw_Car1() { Sbros(); }
  void Sbros();
  int Status() const { return owner != nullptr; }
  void OnEvent(int code, void* a, void* b, void* c, void* d);

  void IFC_x(int kind);
  void UpdSelf(int mode, int flag);
  void Upd(int mode, int ex);
  void Draw();
  void OnRender(int pass);
  void OnRender_Spr(int pass);
  void DrawForSelect();
  void KomPultPay(int* a, int* b, int* c) const;
  void NameToTBuf0() const;

  // Record after the handle part: target, beacon angle, speeds, move point,
  // path, the int run, the float run, the placement (878 bytes).
  int AddToFile(FILE* f);
  int FromFile(FILE* f);
  template <class IO>
  void Record(IO& io);
};

extern tw_Car1* pTekCar1;
