#include "objects/vehparts.h"

#include <GL/gl.h>

#include <cmath>

#include "render/render.h"
#include "ui/ui.h"
#include "world/world.h"

namespace {

float WrapDeg(float v) {
  v = std::fmod(v, 360.0f);
  return v < 0 ? v + 360.0f : v;
}

}  // namespace

void ObjDrawMesh(int g, int m) {
  if (g < 0 || g >= kMdlGroups) return;
  _Mesh_Sbor::DrawMesh_Uni(MdlGVBO[g].Get_pMesh(m));
}

void ObjDrawMeshFrontCW(int g, int m, bool inView) {
  if (g < 0 || g >= kMdlGroups) return;
  _Mesh_Sbor::DrawMesh_FrontCW(MdlGVBO[g].Get_pMesh(m), inView);
}

float ObjMeshReach(int g, int m) {
  const Mesh0* mesh = g >= 0 && g < kMdlGroups ? MdlGVBO[g].Get_pMesh(m) : nullptr;
  return mesh ? mesh->turnedReach : 0.0f;
}

void ObjDrawMeshBothSides(int g, int m, float x) {
  for (float side : {x, -x}) {
    glPushMatrix();
    glTranslatef(side, 0, 0);
    ObjDrawMesh(g, m);
    glPopMatrix();
  }
}

void ObjBindMaterial(int slot) { Material_RS::Bind(MatRS[slot], 1); }

// ---------------------------------------------------------------- wheels

namespace proCar {

void Koles4InitRnd(float* angles) {
  for (int k = 0; k < 4; ++k) angles[k] = Rand2F(0, 80, 20);
}

void Init0(float* angles, float* steering) {
  Koles4InitRnd(angles);
  for (int k = 0; k < 4; ++k) steering[k] = 0;
}

void Koles4Upd(float* angles, float* steering, float step, int turn, float steerStep) {
  if (turn != 0 && Rand2(0, 1) == 0) {
    angles[0] += step + static_cast<float>(Rand2(-1, 1));
    angles[1] += step + static_cast<float>(Rand2(-1, 1));
    angles[2] += step + static_cast<float>(Rand2(0, 1));
    angles[3] += step + static_cast<float>(Rand2(0, 1));
  } else {
    for (int k = 0; k < 4; ++k) angles[k] += step;
  }
  for (int k = 0; k < 4; ++k) angles[k] = WrapDeg(angles[k]);
  if (!steering) return;
  if (turn < 0) {
    for (int k = 0; k < 4; ++k) zn::Climb2(steering[k], steerStep, k < 2 ? -15.0f : 15.0f, 1.0f);
  } else if (turn > 0) {
    for (int k = 0; k < 4; ++k) zn::Climb2(steering[k], steerStep, k < 2 ? 15.0f : -15.0f, 1.0f);
  } else {
    for (int k = 0; k < 4; ++k) zn::Climb2(steering[k], 2 * steerStep, 0.0f, 5.0f);
  }
}

void Koles4Draw(int g, const t_MBase1& mb, float* angles, float* steering, float degPerUnit) {
  Koles4Upd(angles, steering, zn::FrT(mb.Skor()) * degPerUnit, mb.wPovorot(), zn::FrT(0.025f));
  const float side = *o3::AllBuldMSide, y = *o3::AllBuldMYK;
  const vec3 at[4] = {vec3(side, y, *o3::AllBuldMFwd), vec3(-side, y, *o3::AllBuldMFwd),
                      vec3(side, y, *o3::AllBuldMBwd), vec3(-side, y, *o3::AllBuldMBwd)};
  for (int k = 0; k < 4; ++k) {
    glPushMatrix();
    glTranslatef(at[k].x, at[k].y, at[k].z);
    glRotatef(steering[k], 0, 1, 0);
    glRotatef(angles[k], 1, 0, 0);
    ObjDrawMesh(g, *o2::AllBuldMKoles);
    glPopMatrix();
  }
}

}  // namespace proCar

// ---------------------------------------------------------------- sprites

namespace {

float* Cell(const int (&c)[4]) { return MSpr_qTC(w0qt, c[0], c[1], c[2], c[3]); }

}  // namespace

void ObjTestSprites(const t_MBase1& mb, int pass, const t_TestSprCells& cells) {
  if (pass == 3) {
    const vec3 c(-50, 30, 0);
    if (MSprNextQuad_Non()) return;
    MSpr_SetQuad(MSpr_qVAxXR(w0qv, c, 12, 30, 45, 45), nullptr, Cell(cells.axX), nullptr);
    if (MSprNextQuad_Non()) return;
    MSpr_SetQuad(MSpr_qVAxYR(w0qv, c, 12, 0, 45, 45), nullptr, Cell(cells.axY), nullptr);
    if (MSprNextQuad_Non()) return;
    MSpr_SetQuad(MSpr_qVAxZR(w0qv, c, 12, 30, 45, 45), nullptr, Cell(cells.axZ), nullptr);
  } else if (pass == 2) {
    const vec3 c1 = mb.cGbr(1), c2 = mb.cGbr(2), c3 = mb.cGbr(3), c4 = mb.cGbr(4);
    if (MSprNextQuad_Non()) return;
    MSpr_SetQuad(MSpr_qVKust(w0qv, c1, 8.0f, 3.0f), nullptr, Cell(cells.stand), nullptr);
    if (MSprNextQuad_Non()) return;
    MSpr_SetQuad(MSpr_qVKust(w0qv, c2, 12.0f, 2.0f), nullptr, Cell(cells.stand), nullptr);
    set16flo(w0qc, 0.9f, 0.1f, 0.9f, 0.7f, 0.9f, 0.1f, 0.9f, 0.7f, 1.0f, 0.7f, 0.2f, 0.6f, 1.0f, 0.2f, 0.2f, 0.6f);
    const vec3 top = c3 + vec3(0, 40, 0), from = c4 + vec3(0, 10, 0), far(90, 10, -90);
    for (int plane = 0; plane < 2; ++plane) {
      if (MSprNextQuad_Non()) return;
      MSpr_SetQuad(MSpr_qVRay2(w0qv, c3, top, 1.0f, plane), w0qc, Cell(cells.ray), nullptr);
    }
    for (int plane = 0; plane < 2; ++plane) {
      if (MSprNextQuad_Non()) return;
      MSpr_SetQuad(MSpr_qVRay2(w0qv, from, far, 3.0f, plane), w0qc, Cell(cells.ray), nullptr);
    }
  } else {
    if (MSprNextQuad_Non()) return;
    vec3 s = Plit_GetOporaPos(mb.cGbr(1));
    s.y += 2.0f;
    MSpr_SetQuad(MSpr_qVLow(w0qv, s, 4.0f, 25), nullptr, Cell(cells.low), nullptr);
  }
}
