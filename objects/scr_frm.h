// Screen frame: every object belongs to one frame; the holder builds its work
// lists from the objects of the main frame. A frame carries a four-character
// name code and a background colour, and turns a slow angle.
#pragma once

#include <cstdint>
#include <cstdio>

class Fgr4;

class tw_ScrFrm {
 public:
  Fgr4* owner;
  float angle;        // degrees, turned by UpdEx
  int32_t ints[4];    // ints[1]: the name code (int4simb of up to four letters)
  float floats[5];    // floats[1..3]: background red, green, blue

  tw_ScrFrm() { Sbros(); }
  void Sbros();
  int Status() const { return owner != nullptr; }
  void OnEvent(int code, void* a, void* b, void* c, void* d);

  // The frame has set up the handle (category 0, not drawn); the angle starts at 1.
  void IFC_x() { angle = 1.0f; }
  void Upd(int mode, int ex);
  void UpdEx();
  // A frame queues no sprite of its own.
  void OnRender_Spr(int pass);

  // Record after the handle part: the angle, the int run of the 4 ints, the
  // float run of the 5 floats (40 bytes).
  int AddToFile(FILE* f);
  int FromFile(FILE* f);
  template <class IO>
  void Record(IO& io);

  void FonC(float r, float g, float b);
  void DName(int code) { ints[1] = code; }
  Fgr4* MyFgrForMainScrFrm() { return owner; }
};

extern tw_ScrFrm* pTekScrFrm;
// The frame whose objects are live; the holder's work lists hold its objects.
extern tw_ScrFrm* pMainScrFrm;

// The slow turn of frames and buttons: 0.07 degrees per millisecond of frame
// time, kept in [0, 360).
void ObjTurnAngle(float& angle);
