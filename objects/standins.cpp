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

// stand-in: replaced by the modes (side colours and camera helpers).
#include <GL/gl.h>

#include "objects/standins_units.h"
#include "render/render.h"
#include "world/world.h"

void RGB_ColorFlag(int banner, float& r, float& g, float& b) {
  static const float kFlags[7][3] = {{0, 0, 0}, {0, 0.5f, 1}, {1, 0, 0.4f}, {1, 1, 0},
                                     {0, 1, 0.2f}, {0.9f, 0.2f, 1}, {0.8f, 0.5f, 0.2f}};
  const float* c = kFlags[banner >= 1 && banner <= 6 ? banner : 0];
  r = c[0];
  g = c[1];
  b = c[2];
}
void RGB_ColorFlagSet(int banner, float a) {
  float r, g, b;
  RGB_ColorFlag(banner, r, g, b);
  glColor4f(r, g, b, a);
}
bool Near2DToGlobKam(t_MBase1& motion, float r) {
  return glob_nowVPKam && motion.PosNear2D(glob_nowVPKam->eye, r);
}
bool InFrontOfSoloFotik(float, float) { return glob_nowVPKam != nullptr; }

// stand-in: replaced by the game mode (the hover pick).
Fgr4* PlayerFgrUnderKur = nullptr;

// stand-in: replaced by the command posts.
Fgr4* p1FgrKomPult = nullptr;
Fgr4* p2FgrKomPult = nullptr;
