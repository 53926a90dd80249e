#include "core/anim.h"

#include "core/numeric.h"

t_FintFloat::t_FintFloat(float v, float lo, float hi, float sp, int md, unsigned period) {
  Init(v, lo, hi, sp, md, period);
}

t_FintFloat& t_FintFloat::Init(float v, float lo, float hi, float sp, int md, unsigned period) {
  value = v;
  min = lo;
  max = hi;
  speed = sp;
  mode = md;
  timer.last = gMilli;
  timer.period = period;
  direction = 1;
  state = 0;
  laps = 0;
  return *this;
}

void t_FintFloat::Off() {
  value = 0;
  laps = 0;
  state = -1;
}

float t_FintFloat::_Update() {
  if (state == -1) return 0;
  float f = 0;
  if (!timer.aTry(f)) return value;
  switch (mode) {
    case 0:
      value += speed * f;
      if (min > value) {
        value += max;
        laps++;
      } else if (value > max) {
        value -= max;
        laps++;
      }
      break;
    case 1:
      if (state == 1) return value;
      value += speed * f;
      if (min > value) {
        value = min;
        state = 1;
        laps++;
      } else if (value > max) {
        value = max;
        state = 1;
        laps++;
      }
      break;
    case 2:
      if (direction != 1 && direction != -1) direction = 1;
      if (direction == 1) value += speed * f;
      else value -= speed * f;
      if (value > max) {
        value = max;
        direction = -direction;
        laps++;
      } else if (min > value) {
        value = min;
        direction = -direction;
        laps++;
      }
      break;
    default: break;
  }
  if (laps > 9100200) laps = 0;
  return value;
}

void FintFloat_DefPreset(t_FintFloat* f, int preset) {
  if (!f) return;
  switch (preset) {
    case 0: f->Off(); break;
    case 1: f->Init(0, 0, 1.0f, 0.01f, 1, 10); break;
    case 360: f->Init(0, 0, 360, 0.5f, 0, (unsigned)Rand2(10, 50)); break;
    case 361: f->Init(0, 0, 360, 0.5f, 0, (unsigned)Rand2(29, 31)); break;
    case 362: f->Init(0, 0, 360, 0.2f, 0, 10); break;
    case 800: f->Init(0, 0, 100, 1.0f, 2, 10); break;
    case 801: f->Init(0, 0, 240, 0.5f, 2, 15); break;
    default: break;
  }
}
