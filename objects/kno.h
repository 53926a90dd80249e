// Screen button: a rotating screen-space sprite from a cell of a 4 x 4
// picture atlas, placed by fractions of the screen size, so that it keeps its
// place on any screen size. Buttons survive level resets.
#pragma once

#include <cstdint>
#include <cstdio>

class Fgr4;

class tw_Kno {
 public:
  Fgr4* owner;
  // ints 1..7: free, free, picture, atlas column, atlas row (1-based), free, free
  int32_t ints[7];
  // floats 8..14: free, angle, relative x, relative y, screen x, screen y, free
  float floats[7];

  int32_t& Picture() { return ints[2]; }
  int32_t& Column() { return ints[3]; }
  int32_t& Row() { return ints[4]; }
  float& Angle() { return floats[1]; }
  float& RelX() { return floats[2]; }
  float& RelY() { return floats[3]; }
  float& ScrX() { return floats[4]; }
  float& ScrY() { return floats[5]; }

  tw_Kno() { Sbros(); }
  void Sbros();
  int Status() const { return owner != nullptr; }
  void OnEvent(int code, void* a, void* b, void* c, void* d);

  // The frame has set up the handle (category 1, drawn); the angle starts at
  // 1 and the creator fills the rest.
  void IFC_x() { Angle() = 1.0f; }
  // A button turns on every update, whatever ex says.
  void Upd(int mode, int ex) { UpdEx(); }
  void UpdEx();
  // Queues the button into the screen-space sprite queue.
  void Draw();
  // Appends its quad: the atlas cell, corners 40 pixels from the centre.
  void OnRender_Spr(int pass);

  // Record after the handle part: the int run of ints 1..7, the float run of
  // floats 8..14 (56 bytes). Loading places the button on the screen of the
  // moment from its relative position.
  int AddToFile(FILE* f);
  int FromFile(FILE* f);
  template <class IO>
  void Record(IO& io);
};

extern tw_Kno* pTekKno;
