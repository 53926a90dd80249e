// Model groups: memory, vertex buffers, binding and drawing of one mesh.
#include "render/OpenGL_Ext.h"
#include "render/models.h"

#include <algorithm>
#include <cstdlib>
#include <new>

#include "render/drawhelpers.h"
#include "render/rendermash.h"
#include "render/sdlglue.h"
#include "render/texstate.h"
#include "ui/ui.h"

typeMdlGruVBO MdlGVBO[kMdlGroups];
int Glob_D1g = -1;
int priv_DrawMeshWayVBO = 0;
int bindUseVBO = 0;
int LoadOffsetVGru = 0;

namespace {

const GLenum kPrimitive[8] = {GL_TRIANGLES, GL_POLYGON,    GL_LINES,          GL_TRIANGLE_FAN,
                              GL_QUADS,     GL_LINE_STRIP, GL_TRIANGLE_STRIP, GL_QUAD_STRIP};

// Buffer names can only be given back while a context is current.
void DeleteBuffer(unsigned& name) {
  if (name && glDeleteBuffersARB && RenderHaveContext()) {
    GLuint b = name;
    glDeleteBuffersARB(1, &b);
  }
  name = 0;
}

bool CanMakeBuffers() { return glGenBuffersARB && RenderHaveContext(); }

}  // namespace

// ---- Mesh0 ----

Mesh0::Mesh0() {
  for (int16_t& p : pairs) p = -1;
}

Mesh0::~Mesh0() { FreeArrays(); }

void Mesh0::FreeArrays() {
  std::free(tri);
  std::free(face);
  std::free(turned);
  tri = nullptr;
  face = nullptr;
  turned = nullptr;
}

void Mesh0::DeleteElemBuf() {
  DeleteBuffer(elemBuf);
  DeleteBuffer(turnedBuf);
}

void Mesh0::Sbros() {
  DeleteElemBuf();
  FreeArrays();
}

int Mesh0::SetMainMas() {
  FreeArrays();
  if (klvTri <= 0) return 1;
  if (klvTri > kMdlMaxVertices) return 0;
  size_t bytes = static_cast<size_t>(klvTri) * 12;
  tri = static_cast<uint32_t*>(std::calloc(bytes, 1));
  face = static_cast<float*>(std::calloc(bytes, 1));
  if (!tri || !face) {
    FreeArrays();
    return 0;
  }
  return 1;
}

int Mesh0::Ind_TryStartVBO() {
  indKlv = 3 * klvTri;
  DeleteElemBuf();
  if (!tri || indKlv <= 0 || !CanMakeBuffers()) return 0;
  if (!TryLoadStaticVBO_UintElemBuf(tri, &elemBuf, indKlv)) {
    DeleteElemBuf();
    return 0;
  }
  return 1;
}

int Mesh0::MakeTurned(const vec3* groupPos) {
  std::free(turned);
  turned = nullptr;
  DeleteBuffer(turnedBuf);
  turnedReach = 0;
  if (!tri || klvTri <= 0 || !groupPos) return 1;
  for (int v = firstV; v < firstV + klvV; ++v) turnedReach = std::max(turnedReach, length(groupPos[v]));
  turned = static_cast<uint32_t*>(std::malloc(static_cast<size_t>(klvTri) * 12));
  if (!turned) return 0;
  for (int t = 0; t < klvTri; ++t) {
    turned[3 * t] = tri[3 * t + 1];
    turned[3 * t + 1] = tri[3 * t];
    turned[3 * t + 2] = tri[3 * t + 2];
  }
  if (elemBuf && !TryLoadStaticVBO_UintElemBuf(turned, &turnedBuf, 3 * klvTri)) DeleteBuffer(turnedBuf);
  return 1;
}

int Mesh0::LoadBin(std::string file, std::string tag) {
  ByteLenta b;
  if (!GetByteLenta(b, file, "", tag, 0)) return 0;
  b.IntRead(1);
  b.UIntRead(1);
  klvV = b.IntRead(1);
  if (klvV < 0) klvV = 0;
  return 0;
}

int Mesh0::SaveBin() { return 0; }

void Mesh0::CalcNormals() {}

// ---- OuterUV ----

int OuterUV::InerInit() {
  std::free(points);
  std::free(tri);
  points = nullptr;
  tri = nullptr;
  if (klvPoints < 0 || klvTri < 0 || klvPoints > kMdlMaxVertices || klvTri > kMdlMaxVertices) return 0;
  if (klvPoints) points = static_cast<vec2*>(std::calloc(static_cast<size_t>(klvPoints), sizeof(vec2)));
  if (klvTri) tri = static_cast<uint32_t*>(std::calloc(static_cast<size_t>(klvTri) * 3, sizeof(uint32_t)));
  return (!klvPoints || points) && (!klvTri || tri);
}

void OuterUV::Sbros() {
  std::free(points);
  std::free(tri);
  points = nullptr;
  tri = nullptr;
  klvPoints = klvTri = 0;
}

// ---- typeMdlGruVBO ----

void typeMdlGruVBO::InitZero() {
  klvV = klvMesh = 0;
  bufPos = bufNrm = bufUV1 = bufUV2 = 0;
  pos = nrm = nullptr;
  uv1 = uv2 = nullptr;
  mMesh = nullptr;
}

typeMdlGruVBO::~typeMdlGruVBO() {
  delete[] mMesh;
  Sbros_mVert();
}

int typeMdlGruVBO::ReGetMemory(int meshCount, int vertexCount) {
  if (!ReGetMem_mMesh(meshCount)) return 0;
  if (!ReGetMem_mVert(vertexCount)) {
    Sbros_mMesh();
    return 0;
  }
  return 1;
}

int typeMdlGruVBO::ReGetMem_mMesh(int n) {
  if (n < 1 || n > kMdlMaxMeshes) return 0;
  Sbros_mMesh();
  mMesh = new (std::nothrow) Mesh0[n];
  if (!mMesh) return 0;
  klvMesh = n;
  return 1;
}

int typeMdlGruVBO::ReGetMem_mVert(int n) {
  if (n < 3 || n > kMdlMaxVertices) return 0;
  Sbros_mVert();
  size_t count = static_cast<size_t>(n);
  pos = static_cast<vec3*>(std::calloc(count, sizeof(vec3)));
  nrm = static_cast<vec3*>(std::calloc(count, sizeof(vec3)));
  uv1 = static_cast<vec2*>(std::calloc(count, sizeof(vec2)));
  uv2 = static_cast<vec2*>(std::calloc(count, sizeof(vec2)));
  if (!pos || !nrm || !uv1 || !uv2) {
    Sbros_mVert();
    return 0;
  }
  klvV = n;
  return 1;
}

int typeMdlGruVBO::UpLoadToVBO() {
  if (klvV < 1) return 0;
  Sbros_VBO();
  if (!CanMakeBuffers()) return 0;
  if (!TryLoadStaticVBO_3FloBuf(pos, &bufPos, klvV) || !TryLoadStaticVBO_3FloBuf(nrm, &bufNrm, klvV) ||
      !TryLoadStaticVBO_2FloBuf(uv1, &bufUV1, klvV) || !TryLoadStaticVBO_2FloBuf(uv2, &bufUV2, klvV)) {
    Sbros_VBO();
    return 0;
  }
  return 1;
}

void typeMdlGruVBO::SetPointerRAM() {
  OGL::ArrayBufferOff();
  glVertexPointer(3, GL_FLOAT, 0, pos);
  glEnableClientState(GL_VERTEX_ARRAY);
  glNormalPointer(GL_FLOAT, 0, nrm);
  glEnableClientState(GL_NORMAL_ARRAY);
  for (int u = 0; u < 2; ++u) OGL::KlientTexCoord(u, uv1, 0);
  OGL::KlientTexSlo(0);
}

int typeMdlGruVBO::SetPointerVBO() {
  if (!*o2::UseVBO || !bufPos || !bufNrm || !bufUV1 || !glBindBufferARB) {
    SetPointerRAM();
    return 0;
  }
  OGL::KlientVertex(bufPos);
  OGL::KlientNrm(bufNrm);
  for (int u = 0; u < 2; ++u) {
    OGL::KlientTexCoord(u, bufUV1, 0);
  }
  OGL::KlientTexSlo(0);
  return 1;
}

Mesh0* typeMdlGruVBO::Get_pMesh(int i) { return i >= 0 && i < klvMesh && mMesh ? &mMesh[i] : nullptr; }

void typeMdlGruVBO::Sbros() {
  Sbros_VBO();
  Sbros_mMesh();
  Sbros_mVert();
  klvV = klvMesh = 0;
}

void typeMdlGruVBO::Sbros_VBO() {
  DeleteBuffer(bufPos);
  DeleteBuffer(bufNrm);
  DeleteBuffer(bufUV1);
  DeleteBuffer(bufUV2);
}

void typeMdlGruVBO::Sbros_mMesh() {
  if (mMesh)
    for (int i = 0; i < klvMesh; ++i) mMesh[i].Sbros();
  delete[] mMesh;
  mMesh = nullptr;
  klvMesh = 0;
}

void typeMdlGruVBO::Sbros_mVert() {
  std::free(pos);
  std::free(nrm);
  std::free(uv1);
  std::free(uv2);
  pos = nrm = nullptr;
  uv1 = uv2 = nullptr;
  klvV = 0;
}

// ---- binding and drawing ----

void Bind_MGru(int group, int ram) {
  if (group == Glob_D1g || group < 0 || group >= kMdlGroups) return;
  if (group == 1 && !*o2::NeedLoadEtapMeshOK) return;
  if (*o2::GL_PushClientAll) return;
  glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
  *o2::GL_PushClientAll = 1;
  Glob_D1g = group;
  if (ram) {
    MdlGVBO[group].SetPointerRAM();
    bindUseVBO = 0;
  } else {
    bindUseVBO = MdlGVBO[group].SetPointerVBO();
  }
  // Element buffers serve only while the vertex buffers do; otherwise meshes
  // draw their indices from client memory.
  priv_DrawMeshWayVBO = bindUseVBO;
}

void BindClear_MGru() {
  if (!*o2::GL_PushClientAll) return;
  *o2::GL_PushClientAll = 0;
  glPopClientAttrib();
  Glob_D1g = -1;
  if (*o2::UseVBO > 0 && bindUseVBO && glBindBufferARB) {
    glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
    glBindBufferARB(GL_ELEMENT_ARRAY_BUFFER_ARB, 0);
  }
  bindUseVBO = 0;
  priv_DrawMeshWayVBO = 0;
}

namespace _Mesh_Sbor {

namespace {

// A mesh is drawn only against the group it belongs to, and only while that
// group is bound: its ranges and indices were checked against that group.
bool Drawable(const Mesh0* m) {
  if (!m || m->primitive < 0 || m->primitive > 7 || Glob_D1g < 0) return false;
  const typeMdlGruVBO& g = MdlGVBO[Glob_D1g];
  return g.mMesh && m >= g.mMesh && m < g.mMesh + g.klvMesh;
}

// An indexed mesh's triangles from their index buffer, or from client memory.
void DrawIndexed(const Mesh0* m, const uint32_t* tri, unsigned buffer) {
  GLenum prim = kPrimitive[m->primitive];
  if (priv_DrawMeshWayVBO && buffer && m->indKlv > 0 && OGL::Bind_ElemARB(buffer)) {
    glDrawElements(prim, m->indKlv, GL_UNSIGNED_INT, nullptr);
    OGL::BindClear_ElemARB();
  } else if (tri && m->klvTri > 0) {
    glDrawElements(prim, 3 * m->klvTri, GL_UNSIGNED_INT, tri);
  }
}

}  // namespace

void DrawMesh_Uni(Mesh0* m) {
  if (!Drawable(m)) return;
  // The colour-index array is never switched on (the window is RGBA): a
  // vertex range has no array of it to switch off.
  if (m->layout != Mesh0::kIndexed) {
    if (m->klvV > 0) glDrawArrays(kPrimitive[m->primitive], m->firstV, m->klvV);
    return;
  }
  DrawIndexed(m, m->tri, m->elemBuf);
}

void DrawMesh_FrontCW(Mesh0* m, bool inView) {
  if (!Drawable(m)) return;
  if (m->turned && inView && !RenderM_EachOrderAlone) {
    DrawIndexed(m, m->turned, m->turnedBuf);
    return;
  }
  glFrontFace(GL_CW);
  DrawMesh_Uni(m);
  glFrontFace(GL_CCW);
}

}  // namespace _Mesh_Sbor

void MdlGVBO_PreExit() {
  for (typeMdlGruVBO& g : MdlGVBO) g.Sbros();
}
