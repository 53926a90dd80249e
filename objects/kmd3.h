// Level command point: blocks the terrain tile under it for walking, gathers
// the lights around it, and shows a marker in its side's colour when it is
// selected. Command points come into a level only from the object base.
#pragma once

#include <cstdint>
#include <cstdio>

#include "render/lights.h"
#include "world/mbase1.h"

class Fgr4;

class tw_Kmd3 {
 public:
  Fgr4* owner;
  t_SveOkruj lights;  // lights around the point; refilled while mode is 1
  Fgr4* link;         // saved as a level slot number
  float angle;        // degrees, turned by UpdEx
  // ints 1..9, saved as one run: free, side, terrain registration (spare
  // index, tile -1 none, walkability layer), selected, visible, two free.
  int32_t int1;
  int32_t side;
  int32_t regIndex, regTile, regLayer;
  int32_t selected;
  int32_t visible;
  int32_t int8, int9;
  t_MBase1 mb;

  tw_Kmd3() { Sbros(); }
  void Sbros();
  int Status() const { return owner != nullptr; }
  void OnEvent(int code, void* a, void* b, void* c, void* d);

  void IFC_x();
  // On a server or alone the point re-registers the tile under it each frame.
  void UpdSelf(int mode);
  void Upd(int mode, int ex);
  void Draw();
  void DrawForSelect();
  void OnDeact();
  void OnKill();

  // The viewport camera's eye within the XZ square of half side r.
  bool Near2DToGlobKam(float r) const;
  // Releases the tile registration.
  void xDeReg();

  // Record after the handle part: link, angle, the int run of ints 1..9,
  // the placement (164 bytes).
  int AddToFile(FILE* f);
  int FromFile(FILE* f);
  template <class IO>
  void Record(IO& io);
};

extern tw_Kmd3* pTekKmd3;
