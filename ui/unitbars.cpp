#include "ui/unitbars.h"

#include <GL/gl.h>

#include "render/render.h"
#include "ui/settings.h"
#include "world/satint.h"

t_FintFloat UnitBars_ramAlf(0.8f, 0.5f, 1.0f, 0.02f, 2, 150);

void UnitBars_ramAlf_Upd() { UnitBars_ramAlf._Update(); }

void RTS_UnitBar1(float& value, float& max, float& x, float y, float length, float r, float g, float b) {
  const float filled = zn::Perc(value, max, length);
  const float a = UnitBars_ramAlf.value;
  glColor4f(0.1f, 0.1f, 0.1f, 1.0f);
  d2::LRam(x, y, length, 4, 0);
  const int x0 = PosToInt(x), x1 = PosToInt(x + filled), yi = PosToInt(y);
  const float k[3] = {0.5f, 1.0f, 0.8f};
  for (int line = 0; line < 3; ++line) {
    glColor4f(r * k[line], g * k[line], b * k[line], a);
    d2::L(x0, yi + line + 1, x1, yi + line + 1);
  }
}

namespace {

// A bar of the second style: a dark background (when asked) and the fill.
void BarStyle2(float value, float max, float x, float y, float bgHeight, float fillHeight, float r, float g,
               float b) {
  const float filled = zn::Perc(value, max, 60.0f);
  if (bgHeight > 0) {
    glColor4f(0, 0, 0, 0.6f);
    d2::Q_(x, y, 60.0f, bgHeight, 0);
  }
  glColor4f(r, g, b, UnitBars_ramAlf.value);
  d2::Q_(x, y, filled, fillHeight, 0);
}

}  // namespace

void RTS_UnitBarsDraw(float x1, float y1, float x2, float y2, float max1, float value1, float max2, float value2,
                      float max3, float value3, float max4, float value4, int force) {
  TexMat(0, -1, 0, -1, 0);
  NomBlend(38);
  glLineWidth(1.0f);
  if (force != 0 || *o2::TestDrawBars == 0) {
    float x = x1, y = y1, length = 60.0f;
    const struct {
      float max, value, r, g, b;
    } bars[4] = {{max1, value1, 0.9f, 0.3f, 0.4f},
                 {max2, value2, 0.8f, 0.7f, 0.1f},
                 {max3, value3, 0.2f, 0.4f, 0.8f},
                 {max4, value4, 0.3f, 0.8f, 0.5f}};
    for (const auto& bar : bars) {
      float m = bar.max, v = bar.value;
      if (m > 0) RTS_UnitBar1(v, m, x, y, length, bar.r, bar.g, bar.b);
      x += 8;
      y += 8;
      length -= 8;
    }
    return;
  }
  const float x = x2 + 40.0f, y = y2;
  glLineWidth(3.0f);
  if (max1 > 0) BarStyle2(value1, max1, x, y, 3, 2, 0.9f, 0.6f, 0.0f);
  if (max2 > 0) BarStyle2(value2, max2, x, y + 6, 2, 1, 0.2f, 0.7f, 0.9f);
  if (max3 > 0) {
    BarStyle2(value3, max3, x, y + 12, 2, 1, 0.3f, 0.4f, 0.3f);
    glLineWidth(0.7f);
    glColor4f(0, 0, 0, 1);
    d2::Q_(x, y + 11, 60.0f, 4, 0);
    glLineWidth(3.0f);
  }
  if (max4 > 0) BarStyle2(value4, max4, x, y + 18, 0, 2, 0.7f, 0.2f, 0.7f);
  glLineWidth(1.0f);
}
