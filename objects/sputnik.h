// Three small markers that carry a side, a selected flag and a visibility
// word over a placement and draw only a marker: the satellite (tw_Sputnik),
// the level link (tw_EtapLink) and the tail marker (tw_TailStrip), the last
// two with a link to another object and a turning angle. They come into a
// level only from the object base.
#pragma once

#include <cstdint>
#include <cstdio>

#include "objects/parttype.h"
#include "world/mbase1.h"

class Fgr4;

// The part of a marker's body all three share: the int block (saved as one
// run) and the placement.
struct t_MarkerPart {
  int32_t int1;
  int32_t side;
  int32_t selected;
  int32_t visible;  // frustum result of the last draw
  int32_t int5, int6;
  t_MBase1 mb;

  void Sbros();
  // How the selection marker is coloured: by the side's flag colour, or
  // blue for the local side and purple for others.
  enum Colour { kFlagColour, kSideColour };
  void Draw(Fgr4* owner, Colour colour, int withSprite);
  // The events the three answer alike (not the record's, creation or the
  // extra update); 1 when answered.
  int Event(Fgr4* owner, int code, void* a, void* b, void* c, Colour colour, int withSprite);

  template <class IO>
  void Record(IO& io);
};

class tw_Sputnik {
 public:
  Fgr4* owner;
  t_MarkerPart m;

  tw_Sputnik() { Sbros(); }
  void Sbros();
  int Status() const { return owner != nullptr; }
  void OnEvent(int code, void* a, void* b, void* c, void* d);
  // Not drawn until a loaded handle record says otherwise.
  void IFC_x();

  // Record after the handle part: the int block, the placement (144 bytes).
  int AddToFile(FILE* f);
  int FromFile(FILE* f);
  template <class IO>
  void Record(IO& io);
};

// The body of a level link or a tail marker after its owner word.
struct t_LinkedMarker {
  Fgr4* link;   // saved as a level slot number
  float angle;  // degrees, turned by the extra update
  t_MarkerPart m;

  void Sbros();
  void IFC_x();
  // The events of the level link (withSprite 0) and of the tail marker
  // (withSprite 1: a white billboard at the position while selected); 1
  // when answered.
  int Event(Fgr4* owner, int code, void* a, void* b, void* c, int withSprite);

  // Link, angle, the int block, the placement (152 bytes).
  template <class IO>
  void Record(IO& io);
};

OBJ_PART_TYPE(EtapLink, t_LinkedMarker)
OBJ_PART_TYPE(TailStrip, t_LinkedMarker)

extern tw_Sputnik* pTekSputnik;
