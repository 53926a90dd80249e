// t_FintFloat: a float that moves by itself between two bounds at a set speed,
// for fades, pulses and turning angles. The owner calls _Update() once per
// frame and uses the value it returns. The value moves only when the embedded
// meter's period has run out, then by speed times the periods that passed.
#pragma once

#include "core/timers.h"

struct t_FintFloat {
  float value = 0;
  float speed = 0;   // change per period
  int laps = 0;      // wraps, stops and bounces; back to 0 past 9,100,200
  t_Mej timer;       // last stamp and period in ms
  float min = 0;
  float max = 0;
  int mode = 0;       // 0 wrap, 1 stop at a bound, 2 bounce; other: frozen
  int direction = 1;  // bounce: +1 rising, -1 falling
  int state = -1;     // -1 off, 0 running, 1 stopped at a bound

  t_FintFloat() = default;
  t_FintFloat(float value, float min, float max, float speed, int mode, unsigned period);
  t_FintFloat& Init(float value, float min, float max, float speed, int mode, unsigned period);
  void Off();
  float _Update();
};

// Named presets: 0 off, 1 one-second fade 0..1, 360..362 endless turns,
// 800 and 801 pulses. An unknown number changes nothing.
void FintFloat_DefPreset(t_FintFloat* f, int preset);
