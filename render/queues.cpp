// The bucketed render queues: boxes, sprites, models and multi-draw ranges.
#include "render/OpenGL_Ext.h"
#include "render/queues.h"

#include "render/drawhelpers.h"
#include "render/lights.h"
#include "render/materials.h"
#include "render/models.h"
#include "render/sprites.h"
#include "render/texstate.h"
#include "world/world.h"

t_OwnerEventFn RenderOwnerEvent = Fgr4_Event;

int tmpPrimF[kMultiDrawMax];
int tmpPrimC[kMultiDrawMax];
const void* indSbr[kMultiDrawMax];

void t_RsKey::Set(int k0, int k1, int k2, int k3, int k4) {
  k[0] = static_cast<int16_t>(k0);
  k[1] = static_cast<int16_t>(k1);
  k[2] = static_cast<int16_t>(k2);
  k[3] = static_cast<int16_t>(k3);
  k[4] = static_cast<int16_t>(k4);
}

bool t_RsKey::operator==(const t_RsKey& o) const {
  return k[0] == o.k[0] && k[1] == o.k[1] && k[2] == o.k[2] && k[3] == o.k[3] && k[4] == o.k[4];
}

void t_ExtVrt::Sbros() {
  pos = nullptr;
  nrm = nullptr;
  rgba = nullptr;
  for (vec2*& p : uv) p = nullptr;
  bufPos = bufNrm = bufRgba = 0;
  for (unsigned& b : bufUv) b = 0;
}

namespace {

void SetKeyState(const t_RsKey& key) { TexMat(key.k[0], key.k[1], key.k[2], key.k[3], key.k[4]); }


}  // namespace

// ---- boxes ----

bool tzkz_Box01::zkzFilterSame(const Box01_rec* head, const t_RsKey& key) const {
  return head && head->key == key;
}

int tzkz_Box01::Add(float cx, float cy, float cz, float hx, float hy, float hz, float r, float g, float b, int k0,
                    int k1, int k2, int k3, int k4) {
  if (count > kCap - 1) return 0;
  Box01_rec& rec = Take();
  rec.key.Set(k0, k1, k2, k3, k4);
  rec.cx = cx, rec.cy = cy, rec.cz = cz;
  rec.hx = hx, rec.hy = hy, rec.hz = hz;
  rec.r = r, rec.g = g, rec.b = b;
  rec.next = nullptr;
  return Place([&](const Box01_rec* h) { return zkzFilterSame(h, rec.key); });
}

void tzkz_Box01::Run() {
  NomBlend(0);
  for (int b = 1; b <= kBuckets && heads[b]; ++b) {
    SetKeyState(heads[b]->key);
    for (const Box01_rec* r = heads[b]; r; r = r->next) {
      ColorMatF(1.0f, r->r, r->g, r->b);
      d3::Kub(r->cx, r->cy, r->cz, r->hx, r->hy, r->hz);
    }
  }
}

// ---- sprites ----

void Quads1_rec::Sbros() {
  key.Set(0, 0, 0, 0, 0);
  owner = nullptr;
  param = 0;
  next = nullptr;
}

bool tzkz_Quads::zkzFilterSame(const Quads1_rec* head, const t_RsKey& key) const {
  return head && head->key == key;
}

int tzkz_Quads::Add(Fgr4* owner, uint16_t param, int k0, int k1, int k2, int k3, int k4) {
  if (!enable || count >= kCap) return 0;
  Quads1_rec& rec = Take();
  rec.key.Set(k0, k1, k2, k3, k4);
  rec.owner = owner;
  rec.param = param;
  rec.next = nullptr;
  return Place([&](const Quads1_rec* h) { return zkzFilterSame(h, rec.key); });
}

void Quads1_rec::SetRStates(Quads1_rec* head, int twoD) {
  const bool first = MSpr_TekOdd != 0;
  OGL::ArrayBufferOff();
  if (twoD) glVertexPointer(2, GL_FLOAT, 0, first ? MSp2D_Vert : MSp2D2_Vert);
  else glVertexPointer(3, GL_FLOAT, 0, first ? MSpr_Vert : MSpr2_Vert);
  glColorPointer(4, GL_FLOAT, 0, first ? MSpr_RGBA : MSpr2_RGBA);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  const int16_t* k = head->key.k;
  USet_UnitSet(0, k[1], static_cast<unsigned>(k[2]), 0);
  OGL::TexClamp(1);
  USet_UnitSet(1, k[3], static_cast<unsigned>(k[4]), 1);
  OGL::TexClamp(1);
  OGL::KlientTexC_OFF(0);
  OGL::KlientTexC_OFF(1);
  if (k[0] >= 1) {
    if (k[1] > -1) OGL::KlientTexCoord(0, first ? MSpr_UV1 : MSpr2_UV1, 1);
    if (k[3] >= 0) OGL::KlientTexCoord(1, first ? MSpr_UV2 : MSpr2_UV2, 1);
  }
}

void tzkz_Quads::Run(int twoD) {
  for (int b = 1; b <= kBuckets && heads[b]; ++b) {
    MSpr_Tek2D = twoD;
    MSpr_TekOdd = b % 2;
    MSpr_TekV = 0;
    for (Quads1_rec* r = heads[b]; r; r = r->next) {
      if (r->owner) {
        RenderOwnerEvent(r->owner, 12, &r->param, nullptr, nullptr, nullptr);
      } else {
        float q[12], uv[8];
        MSpr_SetQuad(MSpr_q2DV(q, 100, 300, 50, 20), nullptr, MSpr_qTC(uv, 3, 4, 2, 4), nullptr);
      }
    }
    if (MSpr_TekV > 3) {
      Quads1_rec::SetRStates(heads[b], twoD);
      glDrawArrays(GL_QUADS, 0, MSpr_TekV);
    }
  }
  glDisableClientState(GL_VERTEX_ARRAY);
  glDisableClientState(GL_COLOR_ARRAY);
  OGL::KlientTexC_OFF(0);
  OGL::KlientTexC_OFF(1);
}

// ---- models ----

void FModels1_rec::Sbros() {
  key.Set(0, 0, 0, 0, 0);
  extraKey = 0;
  group = -1;
  owner = nullptr;
  subId = 0;
  next = nullptr;
}

void FModels1_rec::SetRStates(FModels1_rec* head) { SetKeyState(head->key); }

bool tzkz_FModels::zkzFilterSame(const FModels1_rec* head, int group, int extraKey, const t_RsKey& key) const {
  return head && head->group == group && head->extraKey == extraKey && head->key == key;
}

int tzkz_FModels::Add(Fgr4* owner, uint16_t subId, int group, int extraKey, int k0, int k1, int k2, int k3, int k4) {
  if (count >= kCap || group < 0) return 0;
  FModels1_rec& rec = Take();
  rec.key.Set(k0, k1, k2, k3, k4);
  rec.extraKey = static_cast<int16_t>(extraKey);
  rec.group = static_cast<int16_t>(group);
  rec.owner = owner;
  rec.subId = subId;
  rec.next = nullptr;
  return Place([&](const FModels1_rec* h) { return zkzFilterSame(h, rec.group, rec.extraKey, rec.key); });
}

void tzkz_FModels::Run(int ram) {
  SvetShare_Begin();
  Material_RS::ShareBegin();
  bool oneGroup = true;
  for (int b = 2; b <= kBuckets && heads[b]; ++b)
    if (heads[b]->group != heads[1]->group) {
      oneGroup = false;
      break;
    }
  bool bound = false;
  for (int b = 1; b <= kBuckets && heads[b]; ++b) {
    FModels1_rec* head = heads[b];
    FModels1_rec::SetRStates(head);
    bool boundHere = false;
    if (head->group >= 0 && !bound) {
      Bind_MGru(head->group, ram);
      bound = boundHere = true;
    }
    if (head->key.k[0] > 0) {
      if (head->key.k[1] > -1) OGL::KlientTexC_ON(0);
      if (head->key.k[3] > -1) OGL::KlientTexC_ON(1);
    }
    for (FModels1_rec* r = head; r; r = r->next) RenderOwnerEvent(r->owner, 7, &r->subId, nullptr, nullptr, nullptr);
    if (boundHere && !oneGroup) {
      BindClear_MGru();
      bound = false;
    }
    OGL::KlientTexC_OFF(0);
    OGL::KlientTexC_OFF(1);
  }
  if (bound) BindClear_MGru();
  SvetShare_End();
  Material_RS::ShareEnd();
}

// ---- multi-draw ranges ----

void RStEx1_rec::Sbros() {
  owner = nullptr;
  next = nullptr;
  for (t_SvetOGL*& l : lights) l = nullptr;
}

void RStEx1_rec::SetFinPartRenderStates(RStEx1_rec* head) {
  SetKeyState(head->key);
  OGL::GLDisLitX(100);
  for (unsigned i = 0; i < 8; ++i)
    if (head->lights[i]) SvetToOGL(i, head->lights[i]);
}

bool tzkz_R1R2::zkzFSv(const RStEx1_rec* head, t_SvetOGL* light) {
  for (t_SvetOGL* l : head->lights)
    if (l == light) return true;
  if (freeLights >= 1 && freeLights <= 6) {
    --freeLights;
    return true;
  }
  return false;
}

bool tzkz_R1R2::zkzFilterSame(const RStEx1_rec* head, const RStEx1_rec& rec) {
  if (!head || head->drawMode != rec.drawMode || head->secondId != rec.secondId || !(head->key == rec.key))
    return false;
  freeLights = 0;
  for (t_SvetOGL* l : head->lights)
    if (!l) ++freeLights;
  for (t_SvetOGL* l : rec.lights)
    if (!zkzFSv(head, l)) return false;
  return true;
}

int tzkz_R1R2::Add(int drawMode, int secondId, int k0, int k1, int k2, int k3, int k4, Fgr4* owner,
                   uint16_t variant, t_SvetOGL* l0, t_SvetOGL* l1, t_SvetOGL* l2, t_SvetOGL* l3, t_SvetOGL* l4,
                   t_SvetOGL* l5, t_SvetOGL* l6, t_SvetOGL* l7) {
  if (count > kCap - 1) return 0;
  RStEx1_rec& rec = Take();
  rec.key.Set(k0, k1, k2, k3, k4);
  rec.secondId = static_cast<int16_t>(secondId);
  rec.drawMode = static_cast<int16_t>(drawMode);
  t_SvetOGL* lights[8] = {l0, l1, l2, l3, l4, l5, l6, l7};
  for (int i = 0; i < 8; ++i) rec.lights[i] = lights[i];
  rec.owner = owner;
  rec.variant = variant;
  rec.next = nullptr;
  return Place([&](const RStEx1_rec* h) { return zkzFilterSame(h, rec); });
}

void tzkz_R1R2::Run(unsigned primitive, t_ExtVrt* arrays) {
  if (!arrays || (!arrays->pos && !arrays->bufPos)) return;
  for (int b = 1; b <= kBuckets && heads[b]; ++b) {
    RStEx1_rec* head = heads[b];
    RStEx1_rec::SetFinPartRenderStates(head);
    int n = 0;
    for (RStEx1_rec* r = head; r && n < kMultiDrawMax; r = r->next, ++n) {
      if (head->drawMode)
        RenderOwnerEvent(r->owner, 8, &tmpPrimF[n], &tmpPrimC[n], &r->variant, nullptr);
      else
        RenderOwnerEvent(r->owner, 9, &indSbr[n], &tmpPrimC[n], &r->variant, nullptr);
    }
    if (n > 0) gl_UniMultiDraw(arrays, head->drawMode, primitive, n);
  }
}

void gl_UniMultiDraw(t_ExtVrt* a, int drawMode, unsigned primitive, int n) {
  if (!a || (!a->pos && !a->bufPos)) return;
  if (a->nrm) OGL::KlientNrm(a->nrm);
  else OGL::KlientNrm(a->bufNrm);
  if (a->rgba) OGL::KlientColor4Bytes(a->rgba);
  else OGL::KlientColor4Bytes(a->bufRgba);
  for (int u = 0; u < 4; ++u) {
    if (a->uv[u]) OGL::KlientTexCoord(u, a->uv[u], 1);
    else if (a->bufUv[u]) OGL::KlientTexCoord(u, a->bufUv[u], 1);
  }
  bool fromBuffer = !a->pos;
  if (a->pos) OGL::KlientVertex(a->pos);
  else OGL::KlientVertex(a->bufPos);
  if (drawMode) {
    if (glMultiDrawArraysEXT) {
      glMultiDrawArraysEXT(primitive, tmpPrimF, tmpPrimC, n);
    } else {
      for (int i = 0; i < n; ++i) glDrawArrays(primitive, tmpPrimF[i], tmpPrimC[i]);
    }
  } else {
    if (glMultiDrawElementsEXT) {
      glMultiDrawElementsEXT(primitive, tmpPrimC, GL_UNSIGNED_INT, indSbr, n);
    } else {
      for (int i = 0; i < n; ++i) glDrawElements(primitive, tmpPrimC[i], GL_UNSIGNED_INT, indSbr[i]);
    }
  }
  OGL::KlientVertexOFF();
  OGL::KlientNrmOFF();
  OGL::KlientColorOFF();
  for (int u = 3; u >= 0; --u) OGL::KlientTexC_OFF(u);
  if (fromBuffer && glBindBufferARB) {
    glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
    glBindBufferARB(GL_ELEMENT_ARRAY_BUFFER_ARB, 0);
  }
}

void RM_AlfMask_Begin(float threshold, int noCull) {
  NomBlend(38);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GREATER, threshold);
  if (noCull) glDisable(GL_CULL_FACE);
}

void RM_AlfMask_End() {
  glEnable(GL_CULL_FACE);
  glDisable(GL_ALPHA_TEST);
}
