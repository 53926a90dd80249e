// Effects of fighting that stay in place: an explosion (tw_Boom) and a debris
// piece (tw_Oblom1), alike in everything: a placed marker with a sprite and
// an engine-like positional sound while selected; and smoke lying low over
// the ground (tw_Smoke). They come into a level only from the object base and
// live until the level is reset.
#pragma once

#include <cstdint>
#include <cstdio>

#include "objects/parttype.h"
#include "world/mbase1.h"

class Fgr4;

// The body of an explosion or a debris piece after its owner word.
struct t_BoomPart {
  Fgr4* link;   // saved as a level slot number
  float angle;  // degrees, turned by the extra update
  // ints 3..10, saved as one run.
  int32_t int3;
  int32_t colourFlag;     // side colour index of the marker
  int32_t soundPriority;  // answered by event 36 as stored
  int32_t soundChannel;   // -1 none; set by event 37
  int32_t selected;
  int32_t visible;        // frustum result of the last draw
  int32_t int9, int10;
  t_MBase1 mb;

  void Sbros();
  void IFC_x();
  void UpdEx(Fgr4* owner);
  void Draw(Fgr4* owner);
  void OnRender_Spr(int pass);
  // Events of the type (but the frame's and the record's); 1 when answered.
  int Event(Fgr4* owner, int code, void* a, void* b, void* c);

  // Link, angle, the int run of ints 3..10, the placement (160 bytes).
  template <class IO>
  void Record(IO& io);
};

OBJ_PART_TYPE(Boom, t_BoomPart)
OBJ_PART_TYPE(Oblom1, t_BoomPart)

class tw_Smoke {
 public:
  Fgr4* owner;
  Fgr4* link;   // saved as a level slot number
  float angle;  // degrees, turned by the extra update
  // ints 3..8, saved as one run.
  int32_t int3, int4;
  int32_t selected;
  int32_t visible;
  int32_t int7, int8;
  t_MBase1 mb;

  tw_Smoke() { Sbros(); }
  void Sbros();
  int Status() const { return owner != nullptr; }
  void OnEvent(int code, void* a, void* b, void* c, void* d);

  void IFC_x();
  void Draw();
  // A low, flattened quad 2 above the ground under the smoke.
  void OnRender_Spr(int pass);

  // Record after the handle part: link, angle, the int run of ints 3..8,
  // the placement (152 bytes).
  int AddToFile(FILE* f);
  int FromFile(FILE* f);
  template <class IO>
  void Record(IO& io);
};

extern tw_Smoke* pTekSmoke;
