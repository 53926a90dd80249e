// Camera: a placement record (where the eye is, how it is turned, within which
// heights and zone it may move) coupled with a viewport camera (screen
// rectangle and projection). The front end makes three at start: the game
// camera (kind 2), the panel camera (kind 4) and the top camera (kind 3, an
// orthographic square at the right screen edge); the mode steps render with
// one of them each frame and steer it through Move, Move2D and Rotate.
#pragma once

#include <cstdint>
#include <cstdio>

#include "render/vportkam.h"
#include "world/mbase1.h"

class Fgr4;

class tw_Fotik {
 public:
  Fgr4* owner;
  Fgr4* link;        // linked object; saved as a level slot number
  int32_t int2;      // not saved
  float float3;
  int32_t ints[5];   // ints 4..8: the saved int run
  t_MBase1 mb;       // the eye: position, axes, height band, zone
  t_VPortKam vp;     // viewport and projection

  tw_Fotik() { Sbros(); }
  void Sbros();
  int Status() const { return owner != nullptr; }
  void OnEvent(int code, void* a, void* b, void* c, void* d);

  // The camera's defaults by kind (1 plain, 2 game, 3 top, 4 panel); the
  // frame has set up the handle.
  void IFC_x(int kind);
  void UpdSelf(int mode, int flag) {}
  void Upd(int mode, int ex) {}

  // Steering on the placement, scaled by the frame time; nothing on a free
  // body. Axis 0 side, 1 up, 2 forward.
  void Move(int axis, float factor);
  void Move2D(int axis, float factor);
  // The frame's rotation step (pointer offset in mode 1, else the edge
  // zones), the pitch held within -88..88 degrees.
  void Rotate(int mode, float a, float b);

  // Record after the handle part: link, float 3, viewport and projection
  // mode, orthographic size, target, field of view, aspect, near and far
  // (as floats), the int run, the placement (204 bytes). The eye of the
  // viewport camera is not saved.
  int AddToFile(FILE* f);
  int FromFile(FILE* f);
  template <class IO>
  void Record(IO& io);
};

extern tw_Fotik* pTekFotik;
// The three cameras made at start (the panel camera may be null when it
// could not be made) and the one the current mode renders with.
extern tw_Fotik* pGameFotik;
extern tw_Fotik* pPultFotik;
extern tw_Fotik* pTopFotik;
extern tw_Fotik* pSoloFotik;
