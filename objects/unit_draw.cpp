// How a unit shows itself: during the draw event it decides its visibility
// and queues boxes, rings and its models; the render machine calls it back
// for the models of its test variant and for its sprites.
#include <GL/gl.h>

#include <cmath>

#include "objects/fotik.h"
#include "objects/modesglue.h"
#include "objects/unit.h"
#include "objects/unithelp.h"
#include "objects/unitlists.h"
#include "objects/vehparts.h"
#include "render/render.h"
#include "ui/ui.h"
#include "world/world.h"

namespace {

float WrapDeg(float v) {
  v = std::fmod(v, 360.0f);
  return v < 0 ? v + 360.0f : v;
}

// The unit's sprite cells: the axis quads, the standing quads, the rays and
// the ground quad in a 4 x 4 atlas.
const t_TestSprCells kSprCells = {{1, 4, 1, 4}, {1, 4, 2, 4}, {1, 4, 1, 4}, {2, 4, 1, 4}, {3, 4, 1, 4}, {4, 4, 4, 4}};

// A tank whose length covers fewer screen pixels than this is drawn without
// its wheels and wings: they are a pixel or two there, and with hundreds of
// tanks in view the driver's cost per draw, not their pixels, sets the frame
// rate.
constexpr float kTankDetailPixels = 36.0f;
constexpr float kTankLength = 18.0f;
// The tank's meshes are drawn at twice their size.
constexpr float kTankScale = 2.0f;

}  // namespace

// ---------------------------------------------------------------- draw event

void tw_Unit::Draw() {
  if (!*o2::TestFgrDrawUnit) return;
  if (iu[uiSelect] != -1) iu[uiSelect] = PlayerSelected_AnIn(owner) ? 1 : 0;
  if (iu[uiSide] != PlayerBanerID && !iu[uiSeen]) return;
  const vec3 p = mb.Pos();
  if (!Fru1.Gbr_InFrustum(mb.cGbr(1), mb.cGbr(7))) {
    iu[uiVisible] = InFrontOfSoloFotik(p.x, p.z) ? 0 : -1;
    Draw_SpeOkrugs();
    return;
  }
  iu[uiVisible] = 1;
  float r, g, b;
  RGB_ColorFlag(iu[uiSide], r, g, b);
  if (iu[uiSelect] > 0) {
    RenderM.box.Add(p.x, p.y + 20.0f, p.z, 0.1f, 1.5f, 0.1f, r, g, b, 0, -1, -1, -1, 0);
    if (iu[uiLarge]) {
      const float d = static_cast<float>(iu[uiRadius]);
      for (const vec3& c : {vec3(d, 0, d), vec3(d, 0, -d), vec3(-d, 0, -d), vec3(-d, 0, d)})
        RenderM.box.Add(p.x + c.x, p.y + 8.0f, p.z + c.z, 0.2f, 2.0f, 0.2f, 0, 1, 0, 0, -1, -1, -1, 0);
    }
    paf.DrawMetk(r, g, b);
  }
  if (iu[uiSelect] > 0 || (owner && owner == PlayerFgrUnderKur)) {
    const int grey = iu[uiSide] == PlayerBanerID ? 230 : 30;
    AddUnitRadWireChain(p, ringSel, 16, grey, grey, grey, 255, 1.5f, 2, nullptr);
  }
  Draw_SpeOkrugs();
  // In the editor, units near the current camera are framed.
  if (AktivIPPI_ResidentOfEditor() && pSoloFotik && mb.PosNear2D(pSoloFotik->mb.Pos(), 80.0f))
    RenderM.line[0].AddBoxRam(p, mb.Hf(), 255, 0, 0, 255);
  switch (iu[uiPreset]) {
    case 1:
      Draw_AnimTest();
      break;
    case 2:
      Draw_CarTest();
      break;
    case 3:
      Draw_TankTest();
      break;
    case 4:
      Draw_FlyTest();
      break;
    default:
      break;
  }
}

void tw_Unit::Draw_SpeOkrugs() {
  const bool shown = PlayerFgrUnderKur ? PlayerFgrUnderKur == owner
                                       : (iu[uiSelect] > 0 && PlayerSelected_OnlyOne());
  if (!shown) return;
  const vec3 p = mb.Pos();
  if (const t_ArItem* gun = Gun()) {
    if (gun->w[t_ArItem::wRange1] != 0) AddUnitRadWireChain(p, ringShort, 32, 250, 110, 50, 160, 3.0f, 2, nullptr);
    if (gun->w[t_ArItem::wRange2] != 0) AddUnitRadWireChain(p, ringLong, 40, 210, 80, 30, 180, 2.0f, 1, nullptr);
  }
  AddUnitRadWireChain(p, ringSight, 40, 100, 180, 190, 95, 5.0f, 4, nullptr);
}

// Model orders: owner, pass, model group, then the keys 0, 1, 0, picture, -1, -1.
void tw_Unit::Draw_AnimTest() { RenderM.mdl[0].Add(owner, 1, iu[uiModel], 0, 1, 0, 3, -1, -1); }

void tw_Unit::Draw_CarTest() {
  RenderM.mdl[0].Add(owner, 2, iu[uiModel + 2], 0, 1, 0, *o2::AllBuldMeshTex, -1, -1);
  RenderM.mdl[0].Add(owner, 3, iu[uiModel + 4], 0, 1, 0, 7, -1, -1);
}

void tw_Unit::Draw_TankTest() {
  RenderM.mdl[0].Add(owner, 1, iu[uiModel], 0, 1, 0, *o2::AGusTex, -1, -1);
  RenderM.mdl[0].Add(owner, 2, iu[uiModel + 2], 0, 1, 0, *o2::ATankTex, -1, -1);
}

void tw_Unit::Draw_FlyTest() {
  RenderM.mdl[0].Add(owner, 1, iu[uiModel], 0, 1, 0, 8, -1, -1);
  RenderM.mdl[0].Add(owner, 2, iu[uiModel], 0, 1, 0, 9, -1, -1);
}

// ---------------------------------------------------------------- model passes

void tw_Unit::OnRender(int pass) {
  glPushMatrix();
  mb.MxTransOGL(iu[uiPreset] == 3 ? *o3::t1BUp : 0.0f);
  SvetStdForFgr(&sve);
  switch (iu[uiPreset]) {
    case 1:
      OnRen_AnimTest(pass);
      break;
    case 2:
      OnRen_CarTest(pass);
      break;
    case 3:
      OnRen_TankTest(pass);
      break;
    case 4:
      OnRen_FlyTest(pass);
      break;
    default:
      break;
  }
  glPopMatrix();
}

void tw_Unit::OnRen_AnimTest(int pass) {
  if (pass != 1) return;
  mb.MxRotOGL();
  ObjBindMaterial(8);
  ObjDrawMesh(iu[uiModel + 2], 4);
}

void tw_Unit::OnRen_CarTest(int pass) {
  if (pass == 2) {
    glTranslatef(0, 1.1f, 0);
    mb.MxRotOGL();
    glScalef(2, 2, 2);
    OnR_Koles();
    ObjBindMaterial(8);
    iu[uiModel + 3] = *o2::AllBuldMesh2;
    ObjDrawMesh(iu[uiModel + 2], iu[uiModel + 3]);
  } else if (pass == 3) {
    glTranslatef(0, 8.0f, 0);
    mb.MxRotOGL();
    glRotatef(fu[ufSpin], 0, 1, 0);
    ColorMat(255, 100, 120, 100);
    d3::Kub(0, 0, 0, 2.5f, 0.5f, 0.5f);
    ColorMat(0, 0, 0, 0);
  }
}

void tw_Unit::OnRen_FlyTest(int pass) {
  if (pass == 1) {
    mb.MxRotOGL();
    glScalef(2, 2, 2);
    ObjBindMaterial(8);
    iu[uiModel + 3] = 58;
    ObjDrawMesh(iu[uiModel + 2], iu[uiModel + 3]);
  } else if (pass == 2) {
    glTranslatef(0, 5.0f, 0);
    glRotatef(fu[ufSpin], 0, 1, 0);
    ColorMat(255, 200, 200, 200);
    d3::Kub(0, 0, 0, 6.0f, 0.25f, 1.0f);
    ColorMat(0, 0, 0, 0);
  }
}

void tw_Unit::OnRen_TankTest(int pass) {
  mb.MxRotOGL();
  glScalef(kTankScale, kTankScale, kTankScale);
  if (pass == 1) {
    ObjBindMaterial(10);
    OnR_Gus(*o2::t1Gus, *o3::t1GusX);
  } else if (pass == 2) {
    const bool detail = !glob_nowVPKam || glob_nowVPKam->ScreenPixels(mb.Pos(), kTankLength) >= kTankDetailPixels;
    if (detail) OnR_KolesT1();
    ObjBindMaterial(8);
    iu[uiModel + 3] = *o2::t1Body;
    ObjDrawMesh(iu[uiModel + 2], iu[uiModel + 3]);
    OnR_BashGun(*o2::t1Bash, *o2::t1Gunbs, *o2::t1Gun, fu[ufRecoil]);
    if (detail) OnR_Wings(*o2::t1Wing, *o3::t1WingX);
  }
}

// ---------------------------------------------------------------- part drawers

void tw_Unit::OnR_Gus(int m, float x) { ObjDrawMeshBothSides(iu[uiModel + 2], m, x); }

void tw_Unit::OnR_Wings(int m, float x) {
  const int g = iu[uiModel + 2];
  if (iu[uiWingL]) {
    // The left wing is a mirrored mesh. The ball about the tank's origin (as
    // OnRender and OnRen_TankTest place it) that holds it tells whether it
    // lies wholly in view.
    const vec3 origin = mb.Pos() + vec3(0, *o3::t1BUp, 0);
    const bool inView = Fru1.BallInside(origin, kTankScale * (std::fabs(x) + ObjMeshReach(g, 71)));
    glPushMatrix();
    glTranslatef(x, 0, 0);
    ObjDrawMeshFrontCW(g, 71, inView);
    glPopMatrix();
  }
  if (iu[uiWingR]) {
    glPushMatrix();
    glTranslatef(-x, 0, 0);
    ObjDrawMesh(g, m);
    glPopMatrix();
  }
}

void tw_Unit::OnR_BashGun(int bash, int base, int gun, float recoil) {
  const int g = iu[uiModel + 2];
  glPushMatrix();
  glTranslatef(0, *o3::t1BashY, *o3::t1BashZ);
  glRotatef(fu[ufTurretYaw], 0, 1, 0);
  ObjDrawMesh(g, bash);
  ObjDrawMesh(g, 59);
  glRotatef(fu[ufTurretPitch], 1, 0, 0);
  ObjDrawMesh(g, base);
  if (std::fabs(recoil) >= 0.00001f) glTranslatef(0, 0, recoil);
  ObjDrawMesh(g, gun);
  glPopMatrix();
}

void tw_Unit::OnR_KolesT1() {
  static const float kDegPerUnit = Koleso_UgForMetr_Spe(1.0f);
  const float step = zn::FrT(mb.Skor()) * kDegPerUnit;
  for (int k = 0; k < 4; ++k) fu[ufWheel + k] = WrapDeg(fu[ufWheel + k] + step);
  const int g = iu[uiModel + 2];
  ObjBindMaterial(10);
  const struct {
    int mesh;
    float y, z;
    int angle;
  } wheels[5] = {
      {*o2::AllTankMKolesBig, -0.15f, -3.81f, 0}, {*o2::AllTankMKolesBig, -0.15f, 2.7f, 0},
      {*o2::AllTankMKolesMin, *o3::t1KMinY, -1.5f, 2}, {*o2::AllTankMKolesMin, *o3::t1KMinY, 0.46f, 2},
      {*o2::AllTankMKolesMin, 0.15f, 4.35f, 2},
  };
  for (const auto& w : wheels) {
    glPushMatrix();
    glTranslatef(0, w.y, w.z);
    glRotatef(fu[ufWheel + w.angle], 1, 0, 0);
    ObjDrawMesh(g, w.mesh);
    glPopMatrix();
  }
}

void tw_Unit::OnR_Koles() {
  static const float kDegPerUnit = Koleso_UgForMetr_Spe(2.0f);
  ObjBindMaterial(10);
  proCar::Koles4Draw(iu[uiModel + 2], mb, &fu[ufWheel], &fu[ufSteer], kDegPerUnit);
}

// ---------------------------------------------------------------- sprites and picking

void tw_Unit::OnRender_Spr(int pass) { ObjTestSprites(mb, pass, kSprCells); }

void tw_Unit::DrawForSelect() {
  if (!*o2::TestFgrDrawUnit) return;
  if (iu[uiSide] != PlayerBanerID && !iu[uiSeen]) return;
  glPushMatrix();
  mb.MxTraRotOGL();
  d3::Kub(0, 1.5f, 0, 4.0f, 2.5f, 7.5f);
  glPopMatrix();
}
