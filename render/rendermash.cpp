#include "render/OpenGL_Ext.h"
#include "render/rendermash.h"

#include "render/drawhelpers.h"
#include "render/frustum.h"
#include "render/shellglue.h"
#include "render/genmesh.h"
#include "render/lights.h"
#include "render/texstate.h"
#include "ui/ui.h"

t_RenderMash RenderM;
int RenderM_EachOrderAlone = 0;

namespace {

void Untextured() { TexMat(0, -1, 0, -1, 0); }

// Screen-space sprites: the whole screen as viewport and a pixel projection.
void RunScreenSprites(tzkz_Quads& q, int blend) {
  NomBlend(blend);
  OGL::VPortPush_SetFullScr();
  int begun = Begin2D(0, ScreenWidth(), 0, ScreenHeight());
  q.Run(1);
  if (begun) End2D();
  OGL::VPortPop();
}

void RunAdditiveSprites(tzkz_Quads& q, bool noCull) {
  NomBlend(34);
  glDepthFunc(GL_LEQUAL);
  glEnable(GL_DEPTH_TEST);
  glDepthMask(GL_FALSE);
  if (noCull) glDisable(GL_CULL_FACE);
  q.Run(0);
  if (noCull) glEnable(GL_CULL_FACE);
  glDepthMask(GL_TRUE);
  glDepthFunc(GL_LESS);
}

}  // namespace

t_RenderMash::t_RenderMash() { Sbros(); }

void t_RenderMash::Sbros() {
  for (tzkz_FModels& q : mdl) q.Reset();
  box.Reset();
  for (tzkz_Wires1& q : wire) q.Reset();
  for (tzkz_Lines1& q : line) q.Reset();
  for (tzkz_R1R2& q : r1r2) q.Reset();
  for (tzkz_Quads& q : quads) q.Reset();
}

void t_RenderMash::_ResetOnStartNewLap() { Sbros(); }

void t_RenderMash::_Run(t_VPortKam*) {
  // 1. Boxes, lit and fogged as the scene is.
  if (box.gNow()) box.Run();
  // 2. Unlit, untextured, unblended from here.
  t_ExtVrt arrays;
  arrays.Sbros();
  Svet::ProcCase(0);
  Untextured();
  NomBlend(0);
  ColorMat(0, 255, 255, 255);
  // 3, 4. Multi-draw fans and strips from the generated-mesh pool.
  if (r1r2[0].gNow()) {
    arrays.Sbros();
    arrays.pos = testGenVrt.pos;
    arrays.rgba = testGenVrt.rgba;
    r1r2[0].Run(GL_TRIANGLE_FAN, &arrays);
  }
  if (r1r2[1].gNow()) {
    arrays.Sbros();
    arrays.pos = testGenVrt.pos;
    arrays.rgba = testGenVrt.rgba;
    arrays.uv[0] = testGenVrt.uv;
    r1r2[1].Run(GL_TRIANGLE_STRIP, &arrays);
  }
  // 5, 6. Opaque models.
  if (mdl[0].gNow()) {
    Untextured();
    NomBlend(0);
    ColorMat(0, 255, 255, 255);
    mdl[0].Run(1);
  }
  Svet::ProcCase(0);
  // 7. Alpha-masked models.
  if (mdl[1].gNow()) {
    Untextured();
    ColorMat(0, 255, 255, 255);
    RM_AlfMask_Begin(0.2f, 0);
    mdl[1].Run(1);
    RM_AlfMask_End();
  }
  // 8. Alpha-masked strips.
  if (r1r2[2].gNow()) {
    arrays.Sbros();
    arrays.pos = testGenVrt.pos;
    arrays.uv[0] = testGenVrt.uv;
    RM_AlfMask_Begin(0.2f, 1);
    r1r2[2].Run(GL_TRIANGLE_STRIP, &arrays);
    RM_AlfMask_End();
  }
  // 9-11. Wires and lines, widest first; the width is left at 1.
  Svet::ProcCase(0);
  Untextured();
  for (int w = 4; w >= 1; --w) {
    glLineWidth(static_cast<float>(w));
    wire[w - 1].Run();
  }
  for (int w = 4; w >= 1; --w) {
    glLineWidth(static_cast<float>(w));
    line[w - 1].Run();
  }
  // 12. Sprites: no fog, no light, no texture state from before.
  Fog_ProcCase(0, 1.0f, 0, 0, 0);
  Svet::ProcCase(0);
  Untextured();
  ColorMat(0, 255, 255, 255);
  // 13. Alpha-masked 3D sprites.
  if (quads[2].gNow()) {
    NomBlend(38);
    RM_AlfMask_Begin(0.3f, 1);
    quads[2].Run(0);
    RM_AlfMask_End();
  }
  quads[2].enable = *o2::TestFgrDrawQuads38;
  // 14. Additive screen-space sprites.
  if (quads[3].gNow()) RunScreenSprites(quads[3], 34);
  quads[3].enable = *o2::TestFgrDrawQuads34D;
  // 15, 16. Additive 3D sprites, the second queue without face culling.
  if (quads[0].gNow()) RunAdditiveSprites(quads[0], false);
  quads[0].enable = *o2::TestFgrDrawQuads34;
  if (quads[1].gNow()) RunAdditiveSprites(quads[1], true);
  quads[1].enable = *o2::TestFgrDrawQuads34;
  // 17. Alpha-blended screen-space sprites.
  if (quads[4].gNow()) RunScreenSprites(quads[4], 38);
  quads[4].enable = *o2::TestFgrDrawQuads38D;
}
