// How the tracked vehicle shows itself: the draw event queues its tracks and
// its body; the model pass draws the parts of its variant from its model
// group at the offsets of the settings.
#include <GL/gl.h>

#include <cmath>

#include "objects/tank1.h"
#include "objects/vehparts.h"
#include "objects/vehshared.h"

namespace {

// One wheel of the model group at (0, y, z), turned about x by `angle`.
void Wheel(int g, int mesh, float y, float z, float angle) {
  glPushMatrix();
  glTranslatef(0, y, z);
  glRotatef(angle, 1, 0, 0);
  ObjDrawMesh(g, mesh);
  glPopMatrix();
}

}  // namespace

void tw_Tank1::Draw() {
  veh::DrawShot(*this);
  if (!veh::DrawGate(*this)) return;
  int trackTex = *o2::AGusTex, bodyTex = *o2::ATankTex;
  if (variant == 1) {
    trackTex = *o2::AGusTitanTex;
    bodyTex = *o2::ADragonTex;
  } else if (variant == 2) {
    trackTex = *o2::AGusTitanTex;
    bodyTex = *o2::ATitanTex;
  }
  // The tracks are drawn from the model group like every other part; the
  // track group word of the record (-1 at creation) would keep them from the
  // model queue.
  RenderM.mdl[0].Add(owner, 1, model, 0, 1, 0, trackTex, -1, -1);
  RenderM.mdl[0].Add(owner, 2, model, 0, 1, 0, bodyTex, -1, -1);
  if (selected) veh::DrawSelMarker(*this, markerY, markerY, false);
  veh::DrawRanges(*this);
}

void tw_Tank1::OnRender(int pass) {
  glPushMatrix();
  mb.MxTransOGL(variant == 0 ? *o3::t1BUp : *o3::tbBUp);
  SvetStdForFgr(&sve);
  mb.MxRotOGL();
  glScalef(2, 2, 2);
  if (pass == 1) {
    if (variant == 0) ObjDrawMeshBothSides(model, *o2::t1Gus, *o3::t1GusX);
    else ObjDrawMeshBothSides(model, *o2::tbGus, *o3::tbGusX);
  } else if (pass == 2) {
    ObjBindMaterial(8);
    if (variant == 0) {
      OnR_Koles();
      bodyMesh = *o2::t1Body;
      ObjDrawMesh(model, bodyMesh);
      OnR_BashGun(*o2::t1Bash, *o2::t1Gunbs, *o2::t1Gun, 0.0f);
      ObjDrawMeshBothSides(model, *o2::t1Wing, *o3::t1WingX);
    } else if (variant == 1) {
      OnR_KolesTit();
      ObjDrawMeshBothSides(model, *o2::d1Wing, *o3::tbWingX);
      bodyMesh = *o2::d1Body;
      ObjDrawMesh(model, bodyMesh);
      OnR_BashGunDra(*o2::d1Bash, *o2::d1Gun);
    } else {
      OnR_KolesTit();
      ObjDrawMeshBothSides(model, *o2::ttWing, *o3::tbWingX);
      bodyMesh = *o2::ttBody;
      ObjDrawMesh(model, bodyMesh);
      OnR_GunTit(*o2::ttGunbs, *o2::ttGun, 0.0f);
    }
  }
  glPopMatrix();
}

// ---------------------------------------------------------------- parts

// Both wheel sets turn by the distance of this frame at one degree rate.
void tw_Tank1::OnR_Roll() {
  static const float kDegPerUnit = Koleso_UgForMetr_Spe(1.0f);
  proCar::Koles4Upd(wheelSpin, nullptr, zn::FrT(mb.Skor()) * kDegPerUnit, 0, 0.0f);
}

void tw_Tank1::OnR_Koles() {
  OnR_Roll();
  const int big = *o2::AllTankMKolesBig, small = *o2::AllTankMKolesMin;
  Wheel(model, big, *o3::t1KBigY, *o3::t1KZ1, wheelSpin[0]);
  Wheel(model, big, *o3::t1KBigY, -*o3::t1KZ1, wheelSpin[2]);
  Wheel(model, small, *o3::t1KMinY, *o3::t1KZ2, wheelSpin[0]);
  Wheel(model, small, *o3::t1KMinY, -*o3::t1KZ2, wheelSpin[2]);
}

void tw_Tank1::OnR_KolesTit() {
  OnR_Roll();
  const int big = *o2::AllTankMKolesBig, small = *o2::AllTankMKolesMin;
  Wheel(model, big, *o3::tbKBigY, *o3::tbKZ1, wheelSpin[0]);
  Wheel(model, big, *o3::tbKBigY, -*o3::tbKZ1, wheelSpin[2]);
  Wheel(model, small, *o3::tbKMinY, 0.0f, wheelSpin[2]);
  Wheel(model, small, *o3::tbKMinY, *o3::tbKZ2, 0.0f);
  Wheel(model, small, *o3::tbKMinY, -*o3::tbKZ2, 0.0f);
}

// A gun on its mount: at `bashAt` the turret, further at `gunAt` the gun
// base, then the gun pushed back by the recoil (-1: a part that is not there).
void tw_Tank1::OnR_Mount(vec3 bashAt, int bash, vec3 gunAt, int gunBase, int gun, float recoil) {
  glPushMatrix();
  glTranslatef(bashAt.x, bashAt.y, bashAt.z);
  if (bash >= 0) ObjDrawMesh(model, bash);
  glTranslatef(gunAt.x, gunAt.y, gunAt.z);
  if (gunBase >= 0) ObjDrawMesh(model, gunBase);
  if (std::fabs(recoil) >= 0.00001f) glTranslatef(0, 0, recoil);
  ObjDrawMesh(model, gun);
  glPopMatrix();
}

void tw_Tank1::OnR_BashGun(int bash, int gunBase, int gun, float recoil) {
  OnR_Mount(vec3(0, *o3::t1BashY, *o3::t1BashZ), bash, vec3(0, *o3::t1GunY, *o3::t1GunZ), gunBase, gun, recoil);
}

void tw_Tank1::OnR_BashGunDra(int bash, int gun) {
  OnR_Mount(vec3(0, *o3::d1BashY, *o3::d1BashZ), bash, vec3(0, *o3::d1GunY, *o3::d1GunZ), -1, gun, 0.0f);
}

void tw_Tank1::OnR_GunTit(int gunBase, int gun, float recoil) {
  OnR_Mount(vec3(0, *o3::ttGunY, *o3::ttGunZ), -1, vec3(0.0f), gunBase, gun, recoil);
}

void tw_Tank1::DrawForSelect() { veh::DrawForSelect(*this, vec3(3.5f, 2.8f, 6.0f)); }
