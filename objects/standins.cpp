// Stand-ins for what the world objects call in libraries that are not here
// yet. Each has the real name and signature; delete it when the real one lands.
#include "objects/soundglue.h"

// stand-in: replaced by sound (the positional channels and source functions).
unsigned ZSrcMainKot[ZSrcMainKot_Last + 1] = {};
float ZSrcMainKot_Dst[ZSrcMainKot_Last + 1] = {};
Fgr4* ZSrcMainKot_pFgr[ZSrcMainKot_Last + 1] = {};
int ZSrcMainKot_Zakaz(Fgr4*, vec3, int, int, int, float, float) { return 0; }
void ZSrcMainKot_FreeKan(int) {}
int ZSrc_Pitch(unsigned, float) { return 0; }
int ZSrc_Gain(unsigned, float) { return 0; }
int ZSrc_PosV(unsigned, vec3) { return 0; }
int ZSrc_VelV(unsigned, vec3) { return 0; }
