// Decoration: one mesh of a loaded model group, drawn lit by the lights
// around it, with an engine-like positional sound while it is selected. The
// front end's line commands place one at the last picked ground point.
#pragma once

#include <cstdint>
#include <cstdio>

#include "render/lights.h"
#include "world/mbase1.h"

class Fgr4;

class tw_Dekor {
 public:
  Fgr4* owner;
  t_SveOkruj lights;  // lights around the decoration; refilled while mode is 1
  Fgr4* link;         // saved as a level slot number
  float angle;        // degrees, turned by UpdEx
  // ints 1..11, saved as one run.
  int32_t int1;
  int32_t side;           // marker colour: the local side's or another's
  int32_t soundPriority;  // answered by event 36 as stored
  int32_t soundChannel;   // -1 none; set by event 37
  int32_t selected;
  int32_t visible;        // frustum result of the last draw
  int32_t modelGroup;     // model group 0..5
  int32_t mesh;           // mesh of the group; the setting TestFgrDekMesh at every model pass
  int32_t int9;
  int32_t int10, int11;
  t_MBase1 mb;

  tw_Dekor() { Sbros(); }
  void Sbros();
  int Status() const { return owner != nullptr; }
  void OnEvent(int code, void* a, void* b, void* c, void* d);

  void IFC_x();
  void UpdSelf(int mode);
  void Upd(int mode, int ex);
  void UpdEx();
  void Draw();
  void OnRender(int pass);
  void OnRender_Spr(int pass);
  void DrawForSelect();

  // Record after the handle part: link, angle, the int run of ints 1..11,
  // the placement (172 bytes).
  int AddToFile(FILE* f);
  int FromFile(FILE* f);
  template <class IO>
  void Record(IO& io);
};

extern tw_Dekor* pTekDekor;
