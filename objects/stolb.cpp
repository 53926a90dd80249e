#include "objects/stolb.h"

#include <algorithm>

#include "objects/fotik.h"
#include "objects/frame.h"
#include "objects/modesglue.h"
#include "objects/record.h"
#include "objects/sceneobj.h"
#include "objects/unithelp.h"
#include "objects/unitlists.h"
#include "render/render.h"
#include "shell/shell.h"
#include "ui/ui.h"
#include "world/world.h"

tw_Stolb* pTekStolb = nullptr;

namespace {

constexpr int kType = 8;
constexpr int kVariants = 5;

// A fan: segments (0 none), apex height, ring height, radius, colour of the
// apex.
struct t_FanSpec {
  int seg;
  float apex, ring, radius;
  uint8_t rgba[4];
};

// A body of rings: segments (0 none), rings, seam vertex per ring, ring
// heights and radii, texture coordinates going round and back (0) or
// straight round (1), colour of the first vertex (alpha 0: none).
struct t_BodySpec {
  int seg, rings, seam;
  float h[8], rad[8];
  int uvStraight;
  uint8_t rgba[4];
};

struct t_PostSpec {
  t_FanSpec cap, spike;
  t_BodySpec body;
  int arc;  // the body is the arc strip instead
};

// Variant 0 (and any other kind), 1, 2, 3 and 4.
const t_PostSpec kPosts[kVariants] = {
    {{9, 13.0f, 11.0f, 1.5f, {255, 0, 0, 255}},
     {0, 0, 0, 0, {0, 0, 0, 0}},
     {9, 4, 1, {0, 3.5f, 4.0f, 11.0f}, {7.5f, 7.0f, 3.5f, 1.5f}, 1, {0, 255, 255, 255}},
     0},
    {{12, 3.0f, 0, 2.0f, {0, 255, 0, 255}}, {12, -3.0f, 0, 2.0f, {0, 0, 255, 255}}, {}, 0},
    {{24, 8.0f, 7.5f, 1.6f, {255, 255, 0, 255}},
     {0, 0, 0, 0, {0, 0, 0, 0}},
     {24, 5, 0, {0, 4.7f, 5.5f, 7.0f, 7.5f}, {8.0f, 8.0f, 4.5f, 1.3f, 1.6f}, 0, {255, 255, 0, 255}},
     0},
    {{3, 19.0f, 17.0f, 2.0f, {0, 255, 0, 255}},
     {3, -5.0f, 0, 1.9f, {0, 0, 255, 255}},
     {3, 8, 1, {0, 1.7f, 1.9f, 11.0f, 11.5f, 12.0f, 15.0f, 17.0f}, {1.9f, 1.9f, 1.5f, 1.5f, 2.0f, 1.5f, 1.7f, 2.0f}, 1,
      {0, 0, 0, 0}},
     0},
    {{8, 15.0f, 0, 2.0f, {250, 120, 90, 255}}, {8, -5.0f, 0, 2.0f, {0, 180, 255, 255}}, {}, 1},
};

// The arc body of variant 4: 10 steps raised 17, turned by up to 45 degrees.
constexpr int kArcSteps = 10;
constexpr float kArcLift = 17.0f;
constexpr int kArcMaxTurn = 45;

const t_PostSpec& SpecOf(int kind) { return kPosts[kind >= 1 && kind < kVariants ? kind : 0]; }

int FanVertices(const t_FanSpec& f) { return f.seg ? f.seg + 2 : 0; }

int BodyVertices(const t_PostSpec& s) {
  if (s.arc) return 2 * kArcSteps + 2;
  return s.body.seg ? (s.body.seg + s.body.seam) * s.body.rings : 0;
}

// Turned by its own (reset) axes, moved to the post, boxed, and its first
// vertex coloured unless the colour's alpha is 0.
void Finish(t_MeshRec& m, const uint8_t* rgba) {
  testGenVrt.MultVrt(&m, 0);
  testGenVrt.TransVrt(&m, m.mb.Pos());
  testGenVrt.UpdGbrFor(&m);
  if (m.klv > 0 && rgba[3]) t_4set(testGenVrt.rgba[m.first], rgba[0], rgba[1], rgba[2], rgba[3]);
}

void BuildFan(t_MeshRec& m, const t_FanSpec& f, int upward, vec3 at) {
  if (!f.seg) return;
  testGenVrt.AddFanFor(&m, f.seg, upward, at, f.apex, f.ring, f.radius);
  Finish(m, f.rgba);
}

// The post's spike and cap light: their boxes, the body's and the post's.
constexpr uint8_t kFrameCap[4] = {255, 0, 0, 255}, kFrameSpike[4] = {255, 255, 25, 255},
                  kFrameBody[4] = {127, 0, 255, 255}, kFramePost[4] = {255, 255, 255, 255};

// Sprites of the post's box corners 1..4: cell column, size, turned by the
// shared angle, coloured.
struct t_CornerSprite {
  int column;
  float size;
  int turned, rotated, coloured;
};
const t_CornerSprite kCorners[4] = {
    {1, 2.0f, 0, 0, 1}, {2, 7.0f, 1, 1, 1}, {3, 7.0f, 0, 0, 0}, {4, 5.0f, 1, 0, 0}};
constexpr int kCornerRow = 2;

}  // namespace

float tw_Stolb::rot1 = 0.0f;

int tw_Stolb::Vertices(int kind) {
  const t_PostSpec& s = SpecOf(kind);
  return FanVertices(s.cap) + FanVertices(s.spike) + BodyVertices(s);
}

void tw_Stolb::Sbros() {
  owner = nullptr;
  r.mb.Sbros();
  r.int31 = r.variant = r.selected = r.visible = r.regIndex = r.regLayer = r.int38 = r.int39 = 0;
  r.regTile = -1;
  for (t_MeshRec& m : mesh) m.Sbros();
}

void tw_Stolb::IFC_x(int kind) {
  r.variant = kind;
  r.selected = 0;
  r.regIndex = 0;
  r.regTile = -1;
  r.regLayer = 0;
  for (t_MeshRec& m : mesh) m.Sbros();
  r.mb.Sbros();
  r.mb.Pos(test1PointVec.ay(2.0f));
  r.mb.Skor(0.0f);

  const int need = Vertices(kind);
  if (testGenVrt.next > t_testGenVrt::kVerts - need) {
    LogInfo("\n post: the generated-mesh pool has %d vertices free, variant %d needs %d; no post made\n",
            t_testGenVrt::kVerts - testGenVrt.next, kind, need);
    Sbros();
    return;
  }

  const t_PostSpec& s = SpecOf(kind);
  const vec3 at = r.mb.Pos();
  BuildFan(mesh[kCap], s.cap, 1, at);
  BuildFan(mesh[kSpike], s.spike, 0, at);
  t_MeshRec& body = mesh[kBody];
  if (s.arc) {
    testGenVrt.AddDugaFor(&body, 0.0f, kArcLift, kArcSteps, 1.5f, 2.0f, 4.0f, 0.5f, 1, 1, 1.0f, 0.25f);
    testGenVrt.MultVrtM4(&body, rotateY(static_cast<float>(Rand2(0, kArcMaxTurn)) * 0.01745f), 0);
    // The arc stands on the post like every other body.
    testGenVrt.TransVrt(&body, at);
    testGenVrt.UpdGbrFor(&body);
  } else if (s.body.seg) {
    const t_BodySpec& b = s.body;
    float h[8], rad[8];
    for (int i = 0; i < 8; ++i) h[i] = b.h[i], rad[i] = b.rad[i];
    testGenVrt.ElemSet_Stolb1For(&body, b.seg, 1, at, h, rad, b.rings, b.seam);
    if (b.uvStraight) testGenVrt.UV1_RealRings_Stolb1For(body.first, b.seg + b.seam, h, rad, b.rings);
    else testGenVrt.UV1_Stolb1For(body.first, b.seg + b.seam, h, rad, b.rings);
    Finish(body, b.rgba);
  }
}

void tw_Stolb::UpdSelf(int mode) {
  r.selected = PlayerSelected_AnIn(owner);
  if (ServPlusGame(mode)) LandsRootFrCoord(r.regIndex, r.regTile, r.mb.Pos(), r.regLayer);
  if (r.variant == 0 && r.selected) {
    if (t_Svet* s = GetSvetikPro(0, r.mb.Pos(), 80)) {
      s->position.y += 8.0f;
      s->diffuse = vec4(0.2f, 0.3f, 1.0f, 1.0f);
      s->specular = vec4(0.1f, 0.2f, 0.2f, 1.0f);
    }
  }
}

void tw_Stolb::Draw() {
  if (!*o2::TestFgrDrawStolb) return;
  if (!ObjBoxInView(r.mb)) {
    r.visible = 0;
    return;
  }
  r.visible = 1;
  const vec3 p = r.mb.Pos();
  RenderM.box.Add(p.x, p.y, p.z, 0.1f, 0.1f, 0.1f, 1, 1, 0, 0, -1, -1, -1, 0);
  if (r.selected) {
    RenderM.box.Add(p.x, p.y + 3.0f, p.z, 5.0f, 0.5f, 0.1f, 0, 1, 1, 0, -1, -1, -1, 0);
    RenderM.box.Add(p.x, p.y + 2.8f, p.z, 0.1f, 0.5f, 5.0f, 0, 1, 1, 0, -1, -1, -1, 0);
  }
  RenderM.quads[0].Add(owner, 1, 1, 0, kSprPicture, -1, -1);
  for (int i = 0; i < 3; ++i) {
    t_MeshRec& m = mesh[i];
    if (m.klv <= 0 || !ObjBoxInView(m.mb)) continue;
    const int arr = m.IsArray() ? 1 : 0;
    const uint16_t idx = static_cast<uint16_t>(i);
    if (i != kBody)
      RenderM.r1r2[0].Add(arr, 0, 0, -1, 0, -1, 0, owner, idx, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                          nullptr, nullptr);
    else if (r.variant == 4)
      RenderM.r1r2[2].Add(arr, 0, 1, 0, 12, -1, 0, owner, idx, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                          nullptr, nullptr);
    else
      RenderM.r1r2[1].Add(arr, 0, 1, 0, 5, -1, 0, owner, idx, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                          nullptr, nullptr);
  }
  if (AktivIPPI_ResidentOfEditor() && pSoloFotik && r.mb.PosNear2D(pSoloFotik->mb.Pos(), 70.0f)) {
    const uint8_t* colours[3] = {kFrameCap, kFrameSpike, kFrameBody};
    for (int i = 0; i < 3; ++i)
      if (mesh[i].klv > 0) ObjBoxFrame(mesh[i].mb, colours[i][0], colours[i][1], colours[i][2], colours[i][3]);
    ObjBoxFrame(r.mb, kFramePost[0], kFramePost[1], kFramePost[2], kFramePost[3]);
  }
}

void tw_Stolb::OnRender_Spr(int pass) {
  if (MSprNextQuad_Non()) return;
  set16flo(w0qc, 0.9f, 0.5f, 0.5f, 0.9f);
  zn::Addw(rot1, zn::FrT(0.005f), 0.0f, 360.0f);
  for (int i = 0; i < 4; ++i) {
    const t_CornerSprite& c = kCorners[i];
    const vec3 at = r.mb.cGbr(i + 1);
    const int angle = c.turned ? static_cast<int>(rot1) : 0;
    MSpr_qTC(w0qt, c.column, kSprAtlas, kCornerRow, kSprAtlas);
    if (c.rotated) MSpr_qVRot(w0qv, at, c.size, angle);
    else MSpr_qV(w0qv, at, c.size, angle);
    MSpr_SetQuad(w0qv, c.coloured ? w0qc : nullptr, w0qt, nullptr);
  }
}

void tw_Stolb::DrawForSelect() {
  testGenVrt.DrawNow(&mesh[kCap], 0, 0);
  testGenVrt.DrawNow(&mesh[kSpike], 0, 0);
  if (r.variant == 4) testGenVrt.DrawNowAlfMask(&mesh[kBody], 1, 0, 12, -1, 0);
  else testGenVrt.DrawNow(&mesh[kBody], 1, 0);
}

void tw_Stolb::OnDeact() {
  PlitHold_DeReg(r.regIndex, r.regTile, r.regLayer);
  owner->active = 0;
}

void tw_Stolb::OnKill() {
  PlitHold_DeReg(r.regIndex, r.regTile, r.regLayer);
  owner = nullptr;
}

void tw_Stolb::OnRender1_ArrGeneral(int* first, int* count, int index) {
  if (index < 0 || index > 2) return;
  if (first) *first = mesh[index].first;
  if (count) *count = mesh[index].klv;
}

void tw_Stolb::OnRender2_ElemGeneral(const void** indices, int* count, int index) {
  if (count) *count = 0;
  if (index < 0 || index > 2) return;
  t_MeshRec& m = mesh[index];
  if (indices) *indices = m.GetInd_();
  if (count && m.GetInd_()) *count = m.GetIndKlv();
}

void tw_Stolb::PosUpdPlus_Mesh(t_MeshRec* m, float& maxX, float& maxY, float& maxZ, float& minX, float& minY,
                               float& minZ) {
  if (!m || m->klv <= 0) return;
  testGenVrt.TransVrt(m, r.mb.Pos());
  testGenVrt.UpdGbrFor(m);
  const vec3 hi = m->mb.cGbr(1), lo = m->mb.cGbr(7);
  maxX = std::max(maxX, hi.x), maxY = std::max(maxY, hi.y), maxZ = std::max(maxZ, hi.z);
  minX = std::min(minX, lo.x), minY = std::min(minY, lo.y), minZ = std::min(minZ, lo.z);
}

void tw_Stolb::PosUpd(float x, float y, float z) {
  if (!owner) return;
  const vec3 old = r.mb.Pos();
  for (t_MeshRec& m : mesh)
    if (m.klv > 0) testGenVrt.TransVrt(&m, vec3(-old.x, -old.y, -old.z));
  r.mb.Pos(x, y, z);
  float maxX = -99999.0f, maxY = -99999.0f, maxZ = -99999.0f;
  float minX = 99999.0f, minY = 99999.0f, minZ = 99999.0f;
  for (t_MeshRec& m : mesh) PosUpdPlus_Mesh(&m, maxX, maxY, maxZ, minX, minY, minZ);
  const vec3 p = r.mb.Pos();
  auto half = [](float up, float down) { return std::max(std::max(up, down), 0.0f); };
  r.mb.setGbr(half(maxX - p.x, p.x - minX), half(maxY - p.y, p.y - minY), half(maxZ - p.z, p.z - minZ));
}

void tw_Stolb::PosUpd_SetOpora(float x, float y, float z, float dy) {
  const float shift = Rand2F(0.0f, 1.0f, 100);
  PosUpd(x, Plit_GetOpora(x + shift, y, z) + dy, z);
}

OBJ_RECORD_RUN(t_StolbRec, int31, int39, 9);

template <class IO>
void t_StolbRec::Record(IO& io) {
  io.Place(mb);
  io.Ints(&int31, &int39);
}

int tw_Stolb::AddToFile(FILE* f) { return ObjRecord_SavePart(*this, r, f); }

int tw_Stolb::FromFile(FILE* f) { return ObjRecord_LoadPart(*this, r, f, "post"); }

void tw_Stolb::OnEvent(int code, void* a, void* b, void* c, void* d) {
  ObjFrame_Dispatch(*this, pTekStolb, kType, code, a, b, c, [&] {
    switch (code) {
      case EV_UPD_SELF: UpdSelf(ObjArgInt(a)); return 1;
      case EV_UPD: return 1;  // posts have no update of their own
      case EV_DRAW: Draw(); return 1;
      case EV_RENDER_ARR: OnRender1_ArrGeneral(static_cast<int*>(a), static_cast<int*>(b), ObjArgPass(c)); return 1;
      case EV_RENDER_ELEM:
        OnRender2_ElemGeneral(static_cast<const void**>(a), static_cast<int*>(b), ObjArgPass(c));
        return 1;
      case 10:
      case 11: return 1;  // the fill passes have nothing to do
      case EV_RENDER_SPR: OnRender_Spr(ObjArgPass(a)); return 1;
      case EV_DRAW_SELECT: DrawForSelect(); return 1;
      case EV_CREATE: IFC_x(ObjArgInt(a)); return 1;
      case EV_DEACT: OnDeact(); return 1;
      case EV_KILL: OnKill(); return 1;
      default: return ObjPlacedEvent(code, a, b, c, r.mb.Pos(), r.visible);
    }
  });
}
