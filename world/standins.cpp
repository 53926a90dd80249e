#include "world/standins.h"

int Main_Done = 0;
int Glob_WSA_ProgIs = 0;
t_Unt1TabOne origSborU;
t_PlitHold PlitHold;

unsigned int int4simb(const char* s) {
  unsigned int v = 0;
  for (int i = 0; i < 4 && s && s[i]; ++i) v |= static_cast<unsigned int>(static_cast<unsigned char>(s[i])) << (8 * i);
  return v;
}

void StartOfClearDraw1() {}

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
