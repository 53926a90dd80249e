// Trigger marker: a place of the level shown as an upright sprite in the
// editor, which can play a positional sound once each time its sound is
// switched on. Triggers come into a level only from the object base.
#pragma once

#include <cstdint>
#include <cstdio>

#include "world/mbase1.h"

class Fgr4;

class tw_Trig1 {
 public:
  Fgr4* owner;
  float angle;           // degrees, turned by UpdEx
  // ints 2..9, saved as one run.
  int32_t int2;
  int32_t soundPriority; // answered by event 36 as stored
  int32_t soundChannel;  // -1 none; set by event 37
  int32_t int5;
  int32_t visible;       // answered by event 42; never set by the trigger
  int32_t soundSwitch;   // non-zero asks for the positional sound
  int32_t int8, int9;
  t_MBase1 mb;
  // Not saved: the sound of this switch-on was given a channel. It plays
  // once; the next switch-on plays it again.
  int32_t soundGiven;

  tw_Trig1() { Sbros(); }
  void Sbros();
  int Status() const { return owner != nullptr; }
  void OnEvent(int code, void* a, void* b, void* c, void* d);

  void IFC_x();
  void Upd(int mode, int ex);
  void UpdEx();
  // Only in the editor: the upright sprite and, near the camera, the frame.
  void Draw();
  void OnRender();
  void OnRender_Spr(int pass);
  void DrawForSelect();

  // Record after the handle part: angle, the int run of ints 2..9, the
  // placement (156 bytes).
  int AddToFile(FILE* f);
  int FromFile(FILE* f);
  template <class IO>
  void Record(IO& io);
};

extern tw_Trig1* pTekTrig1;
