// The game's scene: the minimap texture, the frame start, the camera, the sky,
// the terrain, the order to a ground point (read back from the depth buffer
// once the terrain is drawn) and the objects through the render machine.
#include <GL/gl.h>

#include "core/core.h"
#include "modes/front.h"
#include "modes/select.h"
#include "modes/soundglue.h"
#include "modes/steps.h"
#include "objects/objects.h"
#include "render/render.h"
#include "shell/shell.h"
#include "ui/ui.h"
#include "world/world.h"

namespace {

// Whether a click position lies where the 3D scene is seen in this phase.
bool InSceneArea(int x, int y) {
  switch (*o2::PultFaza) {
    case 1: return true;
    case 2: return y > speHPultDnSrez && y < Ekran.H - speHPultUpSrez;
    case 3: {
      const t_VPortKam* v = glob_nowVPKam;
      return v && x >= v->vpX && x < v->vpX + v->vpW && y >= v->vpY && y < v->vpY + v->vpH;
    }
    default: return false;
  }
}

void MarkCube(vec3 p, float half) {
  TexMat(0, -1, 0, -1, 0);
  NomBlend(0);
  glColor3f(0.1f, 1.0f, 0.1f);
  d3::Kub(p.x, p.y, p.z, half);
}

}  // namespace

void GameSbor::UnitLandMark() {
  if (*o2::UseSelVariant == 3 && InSceneArea(*o2::KlikForSelX, *o2::KlikForSelY)) {
    vec3 p;
    if (GetPointUnderKurs(p, *o2::KlikForSelX, *o2::KlikForSelY, glob_nowVPKam)) {
      UnitsMoveToPoint(p);
      test1PointVec = p;
    }
  }
  MarkCube(test1PointVec, 0.3f);
}

void GameSbor::_TestRender1() {
  if (*o2::LandPafBoxes) test_BlokKubs();
  FgrHld.DrawZkz(0, 1);
  Svet::ProcCase(0);
  Fog_ProcCase(1, 1.0f, *o3::FogR, *o3::FogG, *o3::FogB);
  RenderM._Run(glob_nowVPKam);
}

void GameSbor::gsDraw1() {
  tw_Fotik* cam = pSoloFotik;
  if (*o2::DrawMiniMap) minimap1.DrawToTexPlus(cam ? &cam->mb : nullptr);
  NowProj->StaFrameVers(*o2::staFrClear);
  NowProj->StaFrameSpec(o2::KursInMiniMap, *o2::KursInMenu);
  if (!cam) return;
  StartOfClearDraw1();
  KamSetUp(cam);
  const vec3 eye = cam->mb.Pos();
  if (pSunFlr2 && pSunFlr2->Status()) {
    if (*o2::edTopView) pSunFlr2->SkipDraw();
    else pSunFlr2->mb.Pos(eye + GlobVector_ViewToSunDst);
  }
  Sprr1.UpdMatrix();
  Sprr1.UpdR360();
  if (*o2::FrustumE) Fru1.Update();
  SkyDekorSbor::Fon_Draw(eye, 0);
  if (*o2::PultFaza == 2) {
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, speHPultDnSrez, Ekran.W, Ekran.H - speHPultDnSrez - speHPultUpSrez);
  }
  const int far = static_cast<int>(cam->vp.zfar);
  *o2::FogDejNear = far / 4;
  *o2::FogDejFar = far - 2;
  Svet::ProcCase(0);
  Fog_ProcCase(1, 1.0f, *o3::FogR, *o3::FogG, *o3::FogB);
  if (*o2::TestPlitDrawLand) PlitHold.Plit_Draw();
  UnitLandMark();
  _TestRender1();
}
