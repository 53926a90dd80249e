// The terrain's buffers and drawing: static vertex buffers re-uploaded when
// edits mark them dirty, 100 patches with their quad indices and boxes, the
// textured pass with frustum culling, the wire-edge pass and the water quads.
#include "render/OpenGL_Ext.h"
#include "world/plit.h"

#include <new>

#include "render/render.h"
#include "ui/ui.h"
#include "world/walkab.h"

namespace {

void DeleteBuffer(uint32_t& id) {
  if (id && glDeleteBuffersARB) {
    GLuint name = id;
    glDeleteBuffersARB(1, &name);
  }
  id = 0;
}

// A refused upload may still have made a name: drop it so that the array is
// drawn from memory.
template <class Upload>
void Reupload(uint32_t& id, Upload upload) {
  DeleteBuffer(id);
  uint32_t name = 0;
  if (upload(&name)) id = name;
  else DeleteBuffer(name);
}

}  // namespace

// ---------------------------------------------------------------- patches

t_Losk::~t_Losk() { delete[] idx; }

void t_Losk::gbSbros() {
  boxC = vec3(0, 0, 0);
  boxH = vec3(0.5f, 0.5f, 0.5f);
}

void t_Losk::Sbros() {
  DeleteBuffer(elemID);
  delete[] idx;
  idx = nullptr;
  count = 0;
  ready = 0;
  drawn = 0;
  spare = 0;
  gbSbros();
}

void t_Losk::Init(int n, int mapSide, int divisions) {
  if (divisions <= 1 || mapSide <= 9 || mapSide > kPlitSide || n < 0 || n >= divisions * divisions) return;
  Sbros();
  int side = mapSide / divisions;
  int want = side * side * 4;
  idx = new (std::nothrow) uint32_t[want];
  if (!idx) return;
  count = want;
  uint32_t v = static_cast<uint32_t>((n / divisions) * mapSide * side * 4 + side * (n % divisions) * 4);
  int k = 0;
  for (int row = 0; row < side; ++row) {
    for (int j = 0; j < side * 4; ++j) idx[k++] = v++;
    v += static_cast<uint32_t>((mapSide - side) * 4);
  }
  float edge = side * kPlitEdge;
  float x0 = edge * (n % divisions), z0 = edge * (n / divisions);
  boxC = vec3(x0 + edge / 2, 25.0f, z0 + edge / 2);
  boxH = vec3(edge / 2, 50.0f, edge / 2);
  uint32_t name = 0;
  if (TryLoadStaticVBO_UintElemBuf(idx, &name, count)) {
    elemID = name;
    delete[] idx;
    idx = nullptr;
  } else {
    DeleteBuffer(name);
  }
  ready = 1;
}

int t_Losk::TryFru() { return Fru1.Gbr_InFrustum(boxC - boxH, boxC + boxH); }

int t_Losk::Draw(int noCull) {
  drawn = 0;
  if (count <= 0 || !ready) return 0;
  if (!noCull && !TryFru()) return 0;
  *o2::LoskRendered += 1;
  if (elemID && OGL::Bind_ElemARB(elemID)) {
    glDrawElements(GL_QUADS, count, GL_UNSIGNED_INT, nullptr);
    OGL::BindClear_ElemARB();
  } else if (idx) {
    glDrawElements(GL_QUADS, count, GL_UNSIGNED_INT, idx);
  }
  drawn = 1;
  return 1;
}

// ---------------------------------------------------------------- buffers

void t_PlitHold::UpdateVBO(int pos, int uv, int colour) {
  if (pos) DirtyVrt = 1;
  if (uv) DirtyUV2 = 1;
  if (colour) DirtyClr = 1;
}

void t_PlitHold::reMakeVBO(int pos, int uv, int colour) {
  if (pos) Reupload(VrtID, [&](uint32_t* id) { return TryLoadStaticVBO_3FloBuf(Vrt, id, kPlitCorners); });
  if (uv) Reupload(UV2ID, [&](uint32_t* id) { return TryLoadStaticVBO_2FloBuf(UV2, id, kPlitCorners); });
  if (colour) Reupload(ClrID, [&](uint32_t* id) { return TryLoadStaticVBO_4ByteBuf(Clr, id, kPlitCorners); });
}

void t_PlitHold::Resident() {
  if (!DirtyVrt && !DirtyUV2 && !DirtyClr) return;
  reMakeVBO(DirtyVrt, DirtyUV2, DirtyClr);
  DirtyVrt = DirtyUV2 = DirtyClr = 0;
}

void t_PlitHold::ReleaseGL() {
  DeleteBuffer(VrtID);
  DeleteBuffer(UV2ID);
  DeleteBuffer(ClrID);
  for (t_Losk& l : Losk) l.Sbros();
}

// ---------------------------------------------------------------- passes

int t_PlitHold::CullPatches() {
  int seen = 0;
  for (t_Losk& l : Losk) seen += l.TryFru();
  return seen;
}

void t_PlitHold::Plit_Draw() {
  *o2::LoskRendered = 0;
  if (!OGL::KlientColor4Bytes(ClrID)) OGL::KlientColor4Bytes(Clr);

  NomBlend(0);
  TexMat(0, -1, 0, -1, 0);
  USet_UnitSet(0, 0, static_cast<unsigned>(*o2::EtapLandTex1), 0);
  OGL::Tex2DGenTC_ObjXZ(Plit1_s_coeff, Plit1_t_coeff);
  USet_UnitSet(1, 0, static_cast<unsigned>(*o2::EtapLandTex2), 1);
  OGL::TexClamp(1);
  if (!OGL::KlientTexCoord(1, UV2ID, 1)) OGL::KlientTexCoord(1, UV2, 1);
  OGL::KlientTexC_OFF(2);
  const int third = *o2::ProbLand0_UseTex3 != 0;
  if (third) {
    USet_UnitSet(2, 0, static_cast<unsigned>(*o2::EtapLandTex3), 0);
    OGL::Tex2DGenTC_ObjXZ(LM_s_coeff, LM_t_coeff);
  }
  const int light = needSvetoLayer(SveKvad_boxP.x, SveKvad_boxP.z, SveKvad_boxHaf, 0, 0, 2000.0f);

  if (!OGL::KlientVertex(VrtID)) OGL::KlientVertex(Vrt);
  for (t_Losk& l : Losk) l.Draw(0);
  if (*o2::LandEdgeWd != 0) Plit_DrawEdge();

  OGL::KlientVertexOFF();
  if (light) {
    OGL::Tex_PopMatrix(3);
    TexUnit(3, 0);
    OGL::Tex2DGenTC_Dis();
  }
  if (third) {
    TexUnit(2, -1);
    OGL::Tex2DGenTC_Dis();
  }
  OGL::KlientTexC_OFF(1);
  OGL::KlientTexSlo(0);
  TexUnit(0, 0);
  OGL::Tex2DGenTC_Dis();
  OGL::KlientColorOFF();
  if (VrtID) OGL::ArrayBufferOff();

  Plit_DrawWater();
}

void t_PlitHold::Plit_DrawEdge() {
  zn::Tram(*o2::LandEdgeWd, 0, 4);
  if (*o2::LandEdgeWd == 0) return;
  NomBlend(0);
  TexMat(0, -1, 0, -1, 0);
  glLineWidth(static_cast<float>(*o2::LandEdgeWd));
  glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  glDisable(GL_DEPTH_TEST);
  glDepthMask(GL_FALSE);
  for (t_Losk& l : Losk) l.Draw(0);
  glLineWidth(1);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glEnable(GL_DEPTH_TEST);
  glDepthMask(GL_TRUE);
}

// Ground lying exactly at the water level (height byte 50) would fight the
// water for the same depth: the water is pushed back a little, so the ground
// wins there and the water shows only over lower ground.
void t_PlitHold::Plit_DrawWater() {
  NomBlend(34);
  TexMat(1, 0, *o2::WtrTex1, -1, 0);
  ColorMatF(*o3::Wtr1A, *o3::Wtr1R, *o3::Wtr1G, *o3::Wtr1B);
  glEnable(GL_POLYGON_OFFSET_FILL);
  glPolygonOffset(1.0f, 4.0f);
  for (const t_Losk& l : Losk) {
    if (!l.drawn) continue;
    d3::QuadT1(l.boxC.x - l.boxH.x, l.boxC.x + l.boxH.x, 0, 0, l.boxC.z - l.boxH.z, l.boxC.z + l.boxH.z, 6, 6,
               0);
  }
  glPolygonOffset(0, 0);
  glDisable(GL_POLYGON_OFFSET_FILL);
}

// Debug boxes over the walkability grid: tiles held by ground objects and
// tiles closed to layer 1.
void test_BlokKubs() {
  for (int x = 0; x < kPlitSide; ++x) {
    for (int z = 0; z < kPlitSide; ++z) {
      float cx = x * kPlitEdge + 5, cz = z * kPlitEdge + 5;
      if (walkability2345Land[x][z]) {
        float y = Plit_GetOpora(cx, 5.0f, cz);
        RenderM.box.Add(cx, y, cz, 2.5f, 5, 2.5f, 0.8f, 0.1f, 0.2f, 0, -1, 0, -1, 0);
      }
      if (walkability[x][z]) {
        float y = Plit_GetOpora(cx, 15.0f, cz) + 15;
        RenderM.box.Add(cx, y, cz, 1.8f, 5, 1.8f, 1, 0.5f, 0.2f, 0, -1, 0, -1, 0);
      }
    }
  }
}
