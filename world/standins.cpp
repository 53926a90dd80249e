#include "world/standins.h"

#include <cstring>

t_Unt1TabOne origSborU;

void globDraw_Path(float, float, float, int&, int&, unsigned char[][2]) {}

unsigned char walkability[gMapW][gMapH];
unsigned char walkability2[gMapW][gMapH];
unsigned char walkability3[gMapW][gMapH];
unsigned char walkability4[gMapW][gMapH];
unsigned char walkability5[gMapW][gMapH];
unsigned char walkability2345Land[gMapW][gMapH];
unsigned char walkabilityAirLand[gMapW][gMapH];

void walkabil_Init() {
  for (auto* g : {walkability, walkability2, walkability3, walkability4, walkability5, walkability2345Land,
                  walkabilityAirLand})
    std::memset(g, 0, sizeof walkability);
}

static void walkabStore(unsigned char (&grid)[gMapW][gMapH], int x, int z, int value) {
  if (x >= 0 && x < gMapW && z >= 0 && z < gMapH) grid[x][z] = static_cast<unsigned char>(value);
}
void walkab1(int x, int z, int value) { walkabStore(walkability, x, z, value); }
void walkab2(int x, int z, int value) { walkabStore(walkability2, x, z, value); }
void walkab3(int x, int z, int value) { walkabStore(walkability3, x, z, value); }
void walkab4(int x, int z, int value) { walkabStore(walkability4, x, z, value); }
void walkab5(int x, int z, int value) { walkabStore(walkability5, x, z, value); }

vec3 SveKvad_boxP(0, 0, 0);
float SveKvad_boxHaf = 250.0f;
int needSvetoLayer(float, float, float, float, float, float) { return 0; }

int PlayerUnitsOkrugKlv;
vec3 PlayerUnitsOkrugPos[201];
int PlayerUnitsOkrugR[201];
int PlayerSelected_Now;
Fgr4* PlayerSelected_[51];
int KlientMiniMapFgrKlv;
int KlientMiniMapFgrX[501];
int KlientMiniMapFgrY[501];

int globTexNRamMMap = 51;
