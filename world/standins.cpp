#include "world/standins.h"

t_Unt1TabOne origSborU;

void globDraw_Path(float, float, float, int&, int&, unsigned char[][2]) {}

int PlayerUnitsOkrugKlv;
vec3 PlayerUnitsOkrugPos[201];
int PlayerUnitsOkrugR[201];
int PlayerSelected_Now;
Fgr4* PlayerSelected_[51];
int KlientMiniMapFgrKlv;
int KlientMiniMapFgrX[501];
int KlientMiniMapFgrY[501];
