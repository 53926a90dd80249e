#include "world/standins.h"

t_Unt1TabOne origSborU;
t_PlitHold PlitHold;

void globDraw_Path(float, float, float, int&, int&, unsigned char[][2]) {}

int t_PlitHold::YchFrCoord(float x, float z) const {
  int tx = static_cast<int>(x);
  int tz = static_cast<int>(z);
  if (tx <= 0 || tz <= 0 || tx >= 4000 || tz >= 4000) return -1;
  return (tz / 20) * 200 + tx / 20;
}

void t_PlitHold::PlitSetY(int, float, int) {}
void t_PlitHold::SetOnlyType(int, int) {}
void t_PlitHold::SetUVSlo2(int, int, int, int, int) {}
