// Screen frame: every object belongs to one frame; the holder builds its work
// lists from the objects of the main frame. A frame carries a four-character
// name code and a background colour.
#pragma once

#include <cstdint>
#include <cstdio>

class Fgr4;

class tw_ScrFrm {
 public:
  Fgr4* owner;
  float angle;
  int32_t ints[4];    // ints[1]: the name code (int4simb of up to four letters)
  float floats[5];    // floats[1..3]: background red, green, blue

  tw_ScrFrm() { Sbros(); }
  void Sbros();
  int Status() const { return owner != nullptr; }
  void OnEvent(int code, void* a, void* b, void* c, void* d);

  // Its record in the object base, after the handle's common record: the
  // angle, the int run of the 4 ints, the float run of the 5 floats.
  void AddToFile(FILE* f);
  void FromFile(FILE* f);

  void FonC(float r, float g, float b);
  void DName(int code) { ints[1] = code; }
  Fgr4* MyFgrForMainScrFrm() { return owner; }
};

extern tw_ScrFrm* pTekScrFrm;
// The frame whose objects are live; the holder's work lists hold its objects.
extern tw_ScrFrm* pMainScrFrm;
