// What the wheeled and the tracked vehicle do alike, step for step: reset,
// creation, the record, the events, the blocked tiles, steering on a path,
// toward a target or toward a point, the engine sound and the velocity
// sample, firing, the veteran rule, damage, orders, and the parts of the draw
// event that do not depend on the model. Each function takes the body of
// either type (tw_Car1, tw_Tank1), whose members of one name mean the same;
// what differs comes from the type's constants and its t_VehDrive.
#pragma once

#include <algorithm>
#include <cstdint>

#include "objects/fotik.h"
#include "objects/frame.h"
#include "objects/heldranges.h"
#include "objects/modesglue.h"
#include "objects/record.h"
#include "objects/sceneobj.h"
#include "objects/soundglue.h"
#include "objects/unithelp.h"
#include "objects/unitlists.h"
#include "render/render.h"
#include "shell/ippi.h"
#include "ui/ui.h"
#include "world/satint.h"
#include "world/world.h"

// How a vehicle type drives and fights.
struct t_VehDrive {
  // Wanted speeds (units per second) on a path: facing the waypoint, turning
  // toward it, the cap while the path waits and the cap after a sharp bend.
  float pathFacing, pathTurning, pathWaitCap, pathSharpCap;
  float wayNear;  // within it (XZ square) of the waypoint the next one is taken
  // Toward a target and toward a point: turn rate, the distance within which
  // it stops turning, the speeds facing and turning.
  float targetRate, targetNear, targetFacing, targetTurning;
  float pointRate, pointNear, pointFacing, pointTurning;
  int pointCountsDown;  // the point branch runs the turn countdown down
  int turnReload;       // ms between two aims of a turn
  int hitHp[2], hitArmor[2];  // damage of a shot: ranges of the two parts
};

namespace veh {

// The marks of the blocked tiles and the turn, in ms.
constexpr int kMarkPeriod = 900;
constexpr int kSamplePeriod = 250;
constexpr int kFlashPeriod = 25;
// A shot line is drawn wide while the camera is this near.
constexpr float kShotNear = 100.0f;
// The editor frames vehicles within this of the solo camera.
constexpr float kEditorNear = 80.0f;

inline int32_t Sat(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

template <class V>
int32_t* IntsLast(V& v) {
  return &v.int0 + V::kInts - 1;
}
template <class V>
float* FlosLast(V& v) {
  return &v.float0 + V::kFlos - 1;
}

template <class V>
void MakeRings(V& v) {
  Crt_CircleGoriz(v.ring1, 32, static_cast<float>(v.range1), 1);
  Crt_CircleGoriz(v.ring2, 40, static_cast<float>(v.range2), 1);
  Crt_CircleGoriz(v.ring3, 40, static_cast<float>(v.range3), 1);
}

// The whole body empty: owner null, runs and counters 0, no channel, no tiles.
template <class V>
void Sbros(V& v) {
  v.owner = nullptr;
  v.sve = t_SveOkruj();
  v.zvuCount = 0;
  v.zvuLastPos = v.zvuVel = vec3(0.0f);
  for (vec3& p : v.surf) p = vec3(0.0f);
  for (vec3& p : v.ring1) p = vec3(0.0f);
  for (vec3& p : v.ring2) p = vec3(0.0f);
  for (vec3& p : v.ring3) p = vec3(0.0f);
  v.shotFrom = v.shotTo = vec3(0.0f);
  v.flash = v.flashCount = 0;
  v.target = nullptr;
  v.spin = v.wanted = v.speed = 0.0f;
  v.movePoint = vec3(0.0f);
  v.paf = t_PafMove1();
  std::fill(&v.int0, IntsLast(v) + 1, 0);
  std::fill(&v.float0, FlosLast(v) + 1, 0.0f);
  v.sndChannel = -1;
  for (int k = 0; k < V::kRegs; ++k) v.regPair[k] = v.regTile[k] = -1;
  v.mb.Sbros();
  v.mesh.Sbros();
}

// Creation after the type's own values: the move state, no sound, no tiles,
// a fresh path, the placement at a random spot near the world centre on the
// ground, and the range rings.
template <class V>
void Create(V& v, float half) {
  v.moveMode = 0;
  v.sndPriority = 1;
  v.sndChannel = -1;
  v.turnCount = v.markCount = v.selected = 0;
  for (int k = 0; k < V::kRegs; ++k) {
    v.regPair[k] = 0;
    v.regTile[k] = -1;
  }
  v.regLayer = 0;
  v.paf.onPath = v.paf.step = v.paf.wait = v.paf.state = 0;
  v.paf.zanX = v.paf.zanZ = -1;
  v.paf.krutPov = v.paf.w9 = 0;
  v.spin = 1.0f;
  v.zvuVel = vec3(0.0f);
  v.zvuCount = 0;
  v.target = nullptr;
  v.sve.mode = 1;
  v.mb.Sbros();
  v.mb.Pos(Plit_GlobCentrX() + Rand2F(-49, 51, 20), 0.0f, Plit_GlobCentrZ() + Rand2F(-49, 51, 20));
  v.zvuLastPos = v.mb.Pos();
  v.mb.setGbr(half, half, half);
  v.mb.Skor(0.0f);
  v.wanted = v.speed = 0.0f;
  v.mb.PosYOpor();
  MakeRings(v);
}

// After a record was taken: what belongs to this run and not to the file
// (blocked tiles, the sound channel, the velocity sample, the shot flash) is
// set as at creation, the speeds, reaches, price and move point are held to
// what a vehicle can live with, and the range rings follow the ranges read.
template <class V>
void AfterLoad(V& v) {
  for (float* s : {&v.wanted, &v.speed}) zn::Tram(*s, 0.0f, held::kSpeedMax);
  for (int32_t* r : {&v.sight, &v.range1, &v.range2, &v.range3}) zn::Tram(*r, 0, held::kReach);
  if constexpr (requires { v.price; })
    for (int32_t& p : v.price) zn::Tram(p, 0, held::kPriceMax);
  held::Pos(v.movePoint);
  for (int k = 0; k < V::kRegs; ++k) v.regTile[k] = -1;
  v.sndChannel = -1;
  v.sve.mode = 1;
  v.zvuLastPos = v.mb.Pos();
  v.zvuVel = vec3(0.0f);
  v.zvuCount = 0;
  v.flash = 0;
  if constexpr (requires { v.markerY; }) v.markerY = V::kMarkerRest;
  MakeRings(v);
}

// A model group word: one of the model groups, or -1 for none.
inline bool ModelGroupOk(int32_t g) { return g >= -1 && g < kMdlGroups; }

template <class V, class IO>
void Record(V& v, IO& io) {
  io.Link(v.target);
  io.Flo(v.spin);
  io.Flo(v.wanted);
  io.Flo(v.speed);
  io.Vec(v.movePoint);
  io.Paf(v.paf);
  io.Ints(&v.int0, IntsLast(v));
  io.Check(ModelGroupOk(v.model));
  if constexpr (requires { v.beaconModel; }) io.Check(ModelGroupOk(v.beaconModel));
  if constexpr (requires { v.trackModel; }) io.Check(ModelGroupOk(v.trackModel));
  io.Flos(&v.float0, FlosLast(v));
  io.Place(v.mb);
}

// Event 2: the record after the handle part, taken whole or refused (the
// body freed); nothing is read without a file.
template <class V>
int FromFile(V& v, FILE* f, const char* typeName) {
  if (!f) return 1;
  if (!ObjRecord_Load(v, f, typeName)) return 0;
  AfterLoad(v);
  return 1;
}

// ---------------------------------------------------------------- tiles

template <class V>
void xDeReg(V& v) {
  for (int k = 0; k < V::kRegs; ++k) PlitHold_DeReg(v.regPair[k], v.regTile[k], v.regLayer);
}

// The tiles under the four corners at +-2 (four pairs), or under the
// position (one pair).
template <class V>
void Register(V& v) {
  const vec3 p = v.mb.Pos();
  if constexpr (V::kRegs == 4) {
    const vec3 at[4] = {p + vec3(2, 0, 2), p + vec3(2, 0, -2), p + vec3(-2, 0, -2), p + vec3(-2, 0, 2)};
    for (int k = 0; k < 4; ++k) LandsRootFrCoord(v.regPair[k], v.regTile[k], at[k], v.regLayer);
  } else {
    LandsRootFrCoord(v.regPair[0], v.regTile[0], p, v.regLayer);
  }
}

// ---------------------------------------------------------------- self update

// Selection, blocked tiles, the ground light and marks, the height and tilt
// on the terrain, and the side's lists.
template <class V>
void UpdSelf(V& v, int mode, int flag) {
  v.selected = PlayerSelected_AnIn(v.owner);
  if (ServPlusGame(mode)) {
    xDeReg(v);
    Register(v);
  }
  const bool local = v.side == PlayerBanerID;
  if (V::kLightAlways || flag != 0) {
    if (local) Add_LandSvetikPro(v.mb.Pos(), 7, 4, 0.0f, 0.0f, 0.8f, 0.5f);
    else Add_LandSvetikPro(v.mb.Pos(), 7, 4, 0.8f, 0.0f, 0.0f, 0.3f);
    if (v.selected && zn::ToZeroi(v.markCount)) {
      v.markCount = kMarkPeriod;
      masSnarBoomLand_AddElem(v.mb.Pos());
    }
  }
  v.mb.PosYOporClimb();
  if (V::kFloats && v.mb.pos.y < 0.0f) {
    v.mb.PosY(0.0f);
    v.mb.UpdMatr_Enerc();
  } else {
    v.mb.UpdMatrFrSurf(4.0f, 3.0f, v.surf[0], v.surf[1], v.surf[2], v.surf[3]);
  }
  if (local) {
    PlayerUnitsOkrug_Add(v.mb.Pos(), static_cast<float>(v.range3));
    PlayerUnits_Add(v.owner);
  } else {
    PlaEnemyUnits_Add(v.owner);
  }
}

// ---------------------------------------------------------------- driving

// The path step: 1 when the vehicle came within `near` of its waypoint and
// took the next one. A move ends when the path does.
template <class V>
int PathStep(V& v, float near) {
  const vec3 p = v.mb.Pos();
  int r = v.paf.RootBreak(PosToInt(p.x), PosToInt(p.z), PosToInt(v.movePoint.x), PosToInt(v.movePoint.z),
                          v.pafLayer, 4200);
  int advanced = 0;
  if (r == 0) {
    if (!v.mb.PosNear2D(v.paf.wayPoint, near)) return 0;
    v.paf.OnToch();
    advanced = 1;
  }
  if (v.paf.onPath == 0) v.moveMode = 0;
  return advanced;
}

// The wanted speed and the turn of this frame: along the path, else toward
// the target, else toward the ordered point. A target that has died is
// dropped before it can steer. 1 when a waypoint was reached.
template <class V>
int Steer(V& v, const t_VehDrive& d) {
  if (v.paf.onPath != 0) {
    int reached = PathStep(v, d.wayNear);
    zn::ToZero(v.turnCount);
    v.wanted = v.mb.A2TurnTo(v.turnCount, v.paf.wayPoint, 0.04f, 1.0f) ? d.pathFacing : d.pathTurning;
    if (v.paf.wait != 0) zn::ToDn(v.wanted, d.pathWaitCap);
    else if (v.paf.krutPov > 1) zn::ToDn(v.wanted, d.pathSharpCap);
    if (v.paf.onPath == 0) v.wanted = 0.0f;
    return reached;
  }
  if (v.target) {
    vec3 at(0.0f);
    v.target->Event(EV_POSITION, &at.x, &at.y, &at.z);
    if (Fgr4_Event_LastCallToDeadFgr != 0) {
      v.target = nullptr;
    } else {
      zn::ToZeroi(v.turnCount);
      v.wanted = v.mb.A2TurnTo(v.turnCount, at, d.targetRate, d.targetNear) ? d.targetFacing : d.targetTurning;
      return 0;
    }
  }
  if (v.moveMode >= 1) {
    if (d.pointCountsDown) zn::ToZeroi(v.turnCount);
    v.wanted = v.mb.A2TurnTo(v.turnCount, v.movePoint, d.pointRate, d.pointNear) ? d.pointFacing : d.pointTurning;
  }
  return 0;
}

// The speed eases toward the wanted one and the vehicle moves forward; the
// turn is aimed anew every `turnReload` ms.
template <class V>
void Drive(V& v, const t_VehDrive& d) {
  zn::Climb2(v.speed, zn::FrT(0.003f), v.wanted, 0.1f);
  v.mb.Skor(v.speed / 1000.0f);
  v.mb.Move(2);
  if (v.turnCount == 0) v.turnCount = d.turnReload;
}

// The beacon or spin angle, the engine sound while selected, the velocity
// sample of the sound and the fading of the shot flash.
template <class V>
void UpdEx(V& v) {
  zn::Addw(v.spin, zn::FrT(0.07f), 0.0f, 360.0f);
  ObjSoundWhileSelected(v.owner, v.selected, v.sndChannel, v.mb, V::kEngineSound);
  zn::ToZero(v.zvuCount);
  if (v.zvuCount == 0) {
    v.zvuVel = v.mb.Pos() - v.zvuLastPos;
    v.zvuLastPos = v.mb.Pos();
    v.zvuCount = kSamplePeriod;
  }
  if (v.flash > 0 && zn::ToZeroi(v.flashCount)) {
    v.flashCount = kFlashPeriod;
    v.flash = std::max(v.flash - 5, 0);
  }
}

// ---------------------------------------------------------------- fighting

// Experience past the threshold: a veteran level, the excess kept and the
// threshold doubled (a threshold of 49 or less starts over at 1000 with no
// level). Counted in 64 bits and held within the int range.
template <class V>
void Veteran(V& v) {
  if (!(v.xp > v.xpThreshold)) return;
  int64_t xp = static_cast<int64_t>(v.xp) - v.xpThreshold;
  int64_t threshold = 2 * static_cast<int64_t>(v.xpThreshold);
  if (threshold <= 49) {
    xp = 0;
    threshold = 1000;
  } else {
    v.level = Sat(static_cast<int64_t>(v.level) + 1);
  }
  v.xpThreshold = Sat(threshold);
  v.xp = Sat(xp);
  if (v.xp > v.xpThreshold) v.xp = 0;
}

// One shot at the target: the next one after the base period and up to the
// spread, the flash and the shot line, the damage, the veteran rule.
template <class V>
void DoStrike_(V& v, Fgr4* target, const t_VehDrive& d) {
  if (!target) return;
  v.strikeCount = Sat(static_cast<int64_t>(v.strikeBase) + Rand2(0, v.strikeSpread));
  v.flash = 255;
  v.shotFrom = v.mb.Pos() + vec3(0, 10, 0);
  vec3 at(0.0f);
  target->Event(EV_POSITION, &at.x, &at.y, &at.z);
  v.shotTo = at;
  int d1 = Rand2(d.hitHp[0], d.hitHp[1]), d2 = Rand2(d.hitArmor[0], d.hitArmor[1]);
  target->Event(55, &d1, &d2, &v.xp);
  Veteran(v);
}

// The nearest enemy within range 1, else within range 2, is shot at.
template <class V>
void DoStrike(V& v, const t_VehDrive& d) {
  Fgr4* t = GeneralUnits_TryAtak(v.mb.Pos(), static_cast<float>(v.range1), v.side);
  if (!t) t = GeneralUnits_TryAtak(v.mb.Pos(), static_cast<float>(v.range2), v.side);
  if (t) DoStrike_(v, t, d);
}

// A hit: both parts taken off and held at 0, 2 to the attacker's experience;
// with both at 0 the vehicle is gone.
template <class V>
void SetUron(V& v, int d1, int d2, int* xp) {
  v.hp = std::max(Sat(static_cast<int64_t>(v.hp) - d1), 0);
  v.armor = std::max(Sat(static_cast<int64_t>(v.armor) - d2), 0);
  if (xp) *xp = Sat(static_cast<int64_t>(*xp) + 2);
  if (v.hp == 0 && v.armor == 0) v.owner->Kill(1);
}

// ---------------------------------------------------------------- orders

// Event 34: the point is kept; unless the order goes to the server, a move
// begins: the wheeled vehicle takes the tile under it afresh, a new path is
// planned, the turn is aimed at once and a followed target is dropped.
template <class V>
void StaMoveToPoint(V& v, void* a, void* b, int toServer) {
  voidVec3To(a ? *static_cast<void**>(a) : nullptr, v.movePoint);
  if (toServer != 0) return;
  v.moveMode = std::max(b ? *static_cast<int*>(b) : 1, 1);
  const vec3 p = v.mb.Pos();
  if constexpr (V::kRegs == 4) {
    xDeReg(v);
    LandsRootFrCoord(v.regPair[0], v.regTile[0], p, v.regLayer);
  }
  v.paf.RePath(1, PosToInt(p.x), PosToInt(p.z), PosToInt(v.movePoint.x), PosToInt(v.movePoint.z), v.pafLayer);
  v.turnCount = 0;
  v.target = nullptr;
}

// Event 33: a move to a point stops (the target itself is not followed).
template <class V>
void StaMoveToTarget(V& v, int toServer) {
  if (toServer != 0) return;
  v.turnCount = 0;
  v.moveMode = 0;
}

// ---------------------------------------------------------------- drawing

// The line of the last shot while it flashes, even when the vehicle is not
// drawn: wide while the camera is near.
template <class V>
void DrawShot(V& v) {
  if (v.flash <= 0) return;
  const int q = Near2DToGlobKam(v.mb, kShotNear) ? 3 : 1;
  RenderM.line[q].Add(v.shotFrom, v.shotTo, 255, 20, 50, static_cast<uint8_t>(std::min(v.flash, 255)), 255, 120,
                      0, 128);
}

// 1 when the models are to be drawn: drawing is on, the vehicle is the local
// side's or seen, and its box is in view; the visibility word follows.
template <class V>
int DrawGate(V& v) {
  if (!*o2::TestFgrDrawUnit) return 0;
  if (v.side != PlayerBanerID && !v.seen) return 0;
  if (!ObjBoxInView(v.mb)) {
    v.visible = InFrontOfSoloFotik(v.mb.pos.x, v.mb.pos.z) ? 0 : -1;
    return 0;
  }
  v.visible = 1;
  return 1;
}

// A selected vehicle's marker in its side's colour: a black post and a bar
// across at `lift` above it, a bar along at `lift2`, green posts at the
// corners when asked, then the marks of its path.
template <class V>
void DrawSelMarker(V& v, float lift, float lift2, bool corners) {
  float r, g, b;
  RGB_ColorFlag(v.side, r, g, b);
  const vec3 p = v.mb.Pos();
  RenderM.box.Add(p.x, p.y + lift, p.z, 0.1f, 1.0f, 0.1f, 0, 0, 0, 0, -1, -1, -1, 0);
  RenderM.box.Add(p.x, p.y + lift, p.z, 4.0f, 0.25f, 0.1f, r, g, b, 0, -1, -1, -1, 0);
  RenderM.box.Add(p.x, p.y + lift2, p.z, 0.1f, 0.25f, 4.0f, r, g, b, 0, -1, -1, -1, 0);
  if (corners)
    for (const vec3& c : {vec3(2, 0, 2), vec3(2, 0, -2), vec3(-2, 0, -2), vec3(-2, 0, 2)})
      RenderM.box.Add(p.x + c.x, p.y + 8.0f, p.z + c.z, 0.2f, 2.0f, 0.2f, 0, 1, 0, 0, -1, -1, -1, 0);
  v.paf.DrawMetk(r, g, b);
}

// The range rings and a grey line 15 up for the vehicle under the pointer,
// or, with nothing under it, for the one selected vehicle; in the editor a
// red frame when the solo camera is near.
template <class V>
void DrawRanges(V& v) {
  const vec3 p = v.mb.Pos();
  const bool shown = PlayerFgrUnderKur ? PlayerFgrUnderKur == v.owner : (v.selected && PlayerSelected_OnlyOne());
  if (shown) {
    AddUnitRadiusLines(p, v.ring1, v.ring2, v.ring3, 1, 1, 1);
    const uint8_t grey = v.side == PlayerBanerID ? 230 : 30;
    const int q = Near2DToGlobKam(v.mb, kShotNear) ? 3 : 1;
    RenderM.line[q].Add(p, p + vec3(0, 15, 0), grey, grey, grey, 255, grey, grey, grey, 255);
  }
  if (AktivIPPI_ResidentOfEditor() && pSoloFotik && v.mb.PosNear2D(pSoloFotik->mb.Pos(), kEditorNear))
    ObjBoxFrame(v.mb, 255, 0, 0, 255);
}

// Event 13: the picking box, for the local side's or a seen vehicle.
template <class V>
void DrawForSelect(V& v, vec3 half) {
  if (v.side != PlayerBanerID && !v.seen) return;
  ObjDrawForSelect(v.mb, vec3(0, 1, 0), half);
}

// ---------------------------------------------------------------- events

// The codes both types answer alike; 1 when the code was one of them.
template <class V>
int Event(V& v, int code, void* a, void* b, void* c, void* d) {
  auto I = [](void* p) { return static_cast<int*>(p); };
  switch (code) {
    case EV_UPD_SELF:
      v.UpdSelf(ObjArgInt(a), ObjArgInt(b));
      return 1;
    case EV_UPD:
      v.Upd(ObjArgInt(a), ObjArgInt(b));
      return 1;
    case EV_DRAW:
      v.Draw();
      return 1;
    case EV_RENDER:
      v.OnRender(ObjArgPass(a));
      return 1;
    case EV_DRAW_SELECT:
      v.DrawForSelect();
      return 1;
    case EV_CREATE:
      v.IFC_x(ObjArgInt(a));
      return 1;
    case EV_DEACT:
      xDeReg(v);
      v.owner->active = 0;
      return 1;
    case EV_KILL:
      xDeReg(v);
      v.Sbros();
      return 1;
    case 31:
      if (a && b) *I(b) = v.side == *I(a);
      return 1;
    case EV_MOVE_TO_TARGET:
      StaMoveToTarget(v, priv_Fgr4_EventSendToServer);
      return 1;
    case EV_MOVE_TO_POINT:
      StaMoveToPoint(v, a, b, priv_Fgr4_EventSendToServer);
      return 1;
    case EV_SOUND_PRIORITY:
      ObjAnswerInt(v.sndPriority, a);
      return 1;
    case EV_SOUND_CHANNEL:
      if (a) v.sndChannel = *I(a) >= 0 && *I(a) <= ZSrcMainKot_Last ? *I(a) : -1;
      return 1;
    case EV_SOUND_POSITION:
      if (a && *I(a) >= 0 && *I(a) <= ZSrcMainKot_Last) {
        ZSrc_PosV(ZSrcMainKot[*I(a)], v.mb.Pos());
        ZSrc_VelV(ZSrcMainKot[*I(a)], v.zvuVel);
      }
      return 1;
    case 39:
      if (a && b && c && d) {
        auto F = [](int x) { return static_cast<float>(x); };
        RTS_UnitBarsDraw(F(*I(a)), F(*I(b)), F(*I(c)), F(*I(d)), F(v.hpMax), F(v.hp), F(v.armorMax), F(v.armor),
                         F(v.thirdMax), F(v.third), F(v.fourthMax), F(v.fourth), *I(d) == -1);
      }
      return 1;
    case 48:
      if (a && b && *I(a) == v.side) *I(b) = v.side;
      return 1;
    case 50:
      v.KomPultPay(I(a), I(b), I(c));
      return 1;
    case 51:
      ObjAnswerInt(v.sight, a);
      return 1;
    case 52:
      ObjAnswerInt(v.hp, a);
      return 1;
    case 53:
      ObjAnswerInt(v.armor, a);
      return 1;
    case 54:
      ObjAnswerInt(v.hp, a);
      ObjAnswerInt(v.armor, b);
      ObjAnswerInt(v.third, c);
      ObjAnswerInt(v.fourth, d);
      return 1;
    case 55:
      SetUron(v, ObjArgInt(a), ObjArgInt(b), I(c));
      return 1;
    case 56:
      v.NameToTBuf0();
      return 1;
    default:
      return ObjPlacedEvent(code, a, b, c, v.mb.Pos(), v.visible);
  }
}

}  // namespace veh
