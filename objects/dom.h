// Buildings of the sides. All three have a side, the lights around them, a
// ring of 40 points for their range display, a sight radius, an own-side
// sight circle, a minimap dot, a looping sound while selected, model orders
// from model group 0, a picking box and the editor's red frame.
//
// tw_Dom, the plain building, comes only from a loaded object base.
// tw_DomXBunk, the bunker, is where a side's command post places its new
//   units; it blocks four terrain tiles, levels its footprint, and carries
//   an orbiting light, a flag and a turning dish.
// tw_DomXEner, the energy building, blocks four tiles, shapes a larger
//   footprint and carries a rising light.
#pragma once

#include <cstdint>
#include <cstdio>

#include "core/core.h"
#include "render/lights.h"
#include "world/mbase1.h"

class Fgr4;

// Points of a building's range ring.
constexpr int kDomRing = 40;

class tw_Dom {
 public:
  static constexpr int kType = 24;

  Fgr4* owner;
  t_SveOkruj lights;  // in use (mode 1) from creation; centred on the building
  vec3 ring[kDomRing];
  Fgr4* link;   // only saved and loaded
  float angle;  // degrees, turned by UpdEx; not drawn
  // The int run of the record, int0..int12.
  int32_t int0;
  int32_t side;
  int32_t soundPriority;
  int32_t soundChannel;  // -1 none
  int32_t selected;
  int32_t visible;       // 1 in view, 0 out of it, -1 behind the camera
  int32_t mesh;          // body mesh of model group 0
  int32_t texKey;        // picture of group 0
  int32_t sight;         // radius of the seen test
  int32_t ringRadius;    // range ring and own sight circle
  int32_t seen;
  int32_t int11, int12;
  t_MBase1 mb;

  tw_Dom() { Sbros(); }
  void Sbros();
  int Status() const { return owner != nullptr; }
  void OnEvent(int code, void* a, void* b, void* c, void* d);

  void IFC_x(int kind);
  void UpdSelf(int mode, int flag);
  void Upd(int mode, int ex);
  void UpdEx();
  void Draw();
  void OnRender(int sub);
  void OnRender_Spr(int pass);
  void DrawForSelect();

  // Link, angle, the int run, the placement (180 bytes).
  int AddToFile(FILE* f);
  int FromFile(FILE* f);
  template <class IO>
  void Record(IO& io);
};

class tw_DomXBunk {
 public:
  static constexpr int kType = 25;

  Fgr4* owner;
  t_SveOkruj lights;
  vec3 ring[kDomRing];
  // The int run of the record, int0..int32.
  int32_t int0;
  int32_t side;
  int32_t soundPriority;
  int32_t soundChannel;
  int32_t selected;
  int32_t visible;
  int32_t meshA, meshB;      // body meshes of model group 0
  int32_t texKey1, texKey2;  // pictures of group 0: the body, the mast and dish
  int32_t soundIndex;        // sound of group 0 while selected
  int32_t int11;
  int32_t regPair[4];        // terrain registrations: companions and tiles (-1 none)
  int32_t regTile[4];
  int32_t spawnMark;         // answered by event 49; a post produces at mark 1
  int32_t int21[8];
  int32_t sight;
  int32_t ringRadius;
  int32_t seen;
  int32_t int32;
  // The float run, flo0..flo3.
  float flo0;
  float dishAngle;    // degrees; also the orbiting light's bearing
  float groundLight;  // radius of the ground light
  float flo3;
  t_MBase1 mb;

  tw_DomXBunk() { Sbros(); }
  void Sbros();
  int Status() const { return owner != nullptr; }
  Fgr4* MyFgr() const { return owner; }
  void OnEvent(int code, void* a, void* b, void* c, void* d);

  void IFC_x(int kind);
  // Levels the four tiles under the bunker and makes them built ground.
  void LandUp();
  void xLndReg();
  void xDeReg();
  void UpdSelf(int mode, int flag);
  void Upd(int mode, int ex);
  void UpdEx();
  void Draw();
  void Draw_SpeOkrugs();
  void OnRender(int sub);
  void OnRender_Spr(int pass);
  void DrawForSelect();

  // The int run, the float run, the placement (268 bytes).
  int AddToFile(FILE* f);
  int FromFile(FILE* f);
  template <class IO>
  void Record(IO& io);
};

class tw_DomXEner {
 public:
  static constexpr int kType = 26;

  Fgr4* owner;
  t_SveOkruj lights;
  vec3 ring[kDomRing];
  // The int run of the record, int0..int24.
  int32_t int0;
  int32_t side;
  int32_t soundPriority;
  int32_t soundChannel;
  int32_t selected;
  int32_t visible;
  int32_t sight;
  int32_t ringRadius;
  int32_t seen;
  int32_t mesh;
  int32_t int10;
  int32_t texKey;
  int32_t int12;
  int32_t soundIndex;
  int32_t int14;
  int32_t regPair[4];
  int32_t regTile[4];
  int32_t int23, int24;
  // The float run, flo0..flo3.
  float flo0;
  float lift;         // how high the light rises
  float groundLight;  // radius of the ground light
  float flo3;
  t_MBase1 mb;

  tw_DomXEner() { Sbros(); }
  void Sbros();
  int Status() const { return owner != nullptr; }
  void OnEvent(int code, void* a, void* b, void* c, void* d);

  void IFC_x(int kind);
  // Shapes the footprint: built ground at the corners, hill ground between
  // them and under the middle, and sets the building 0.25 lower.
  void LandUp();
  void xLndReg();
  void xDeReg();
  void UpdSelf(int mode, int flag);
  void Upd(int mode, int ex);
  void UpdEx();
  void Draw();
  void OnRender(int sub);
  void OnRender_Spr(int pass);
  void DrawForSelect();

  // The int run, the float run, the placement (236 bytes).
  int AddToFile(FILE* f);
  int FromFile(FILE* f);
  template <class IO>
  void Record(IO& io);
};

extern tw_Dom* pTekDom;
extern tw_DomXBunk* pTekDomXBunk;
extern tw_DomXEner* pTekDomXEner;

// The bunker's range ring on the ground, as its range display last set it.
extern vec3 DomXResRingObzora[kDomRing + 1];
