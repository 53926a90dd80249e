#include "tech/tehbox.h"

#include <cstring>

#include "objects/frame.h"
#include "objects/modesglue.h"
#include "objects/record.h"
#include "objects/sceneobj.h"
#include "objects/unitlists.h"
#include "render/render.h"
#include "world/world.h"

tw_KomTehBox* pTekKomTehBox = nullptr;

namespace {
// The cross of three bars: half-extents of each bar.
const vec3 kBars[3] = {vec3(5, 1, 1), vec3(1, 5, 1), vec3(1, 1, 5)};
// The marker of a selected box: 8 above, half-extents (1, 2, 1).
constexpr float kSelLift = 8.0f;
const vec3 kSelHalf(1, 2, 1);
// The bars are textured with picture 14 of group 0.
constexpr int kBarPicture = 14;
}  // namespace

tw_KomTehBox::tw_KomTehBox() {
  Sbros();
  res1 = baner = sel = vis = res2 = 0;
  for (int32_t& t : nearTeh) t = 0;
  ResetTable();
}

void tw_KomTehBox::Sbros() {
  owner = nullptr;
  mb.Sbros();
}

void tw_KomTehBox::ResetTable() {
  for (int i = 0; i <= kTehRecLast; ++i) {
    recTeh[i] = t_RecDomTeh();
    if (i >= 1) recTeh[i].staMsg = 61 + 3 * (i - 1);
  }
}

void tw_KomTehBox::IFC_x(int kind) {
  sel = 0;
  const int32_t starts[kTehTiers] = {6, 14, 21, 30, 35};
  for (int t = 0; t < kTehTiers; ++t) nearTeh[t] = starts[t];
  mb.Sbros();
  mb.setGbr(5, 5, 5);
  // A slot used again starts from the construction table, not from the
  // previous box's.
  ResetTable();
}

void tw_KomTehBox::UpdSelf(int mode, int flag) { sel = PlayerSelected_AnIn(owner) ? 1 : 0; }

void tw_KomTehBox::Upd(int mode, int ex) {
  if (ex) UpdEx();
}

void tw_KomTehBox::Draw() {
  if (!ObjBoxInView(mb)) {
    vis = 0;
    return;
  }
  vis = 1;
  const vec3 p = mb.Pos();
  float r, g, b;
  RGB_ColorFlag(baner, r, g, b);
  for (const vec3& h : kBars) RenderM.box.Add(p.x, p.y, p.z, h.x, h.y, h.z, r, g, b, 1, 0, kBarPicture, -1, 0);
  if (sel) RenderM.box.Add(p.x, p.y + kSelLift, p.z, kSelHalf.x, kSelHalf.y, kSelHalf.z, r, g, b, 0, -1, -1, -1, 0);
  ObjEditorFrame(mb, 80.0f);
}

void tw_KomTehBox::DrawForSelect() {
  glPushMatrix();
  mb.MxTraRotOGL();
  for (const vec3& h : kBars) d3::Kub(0, 0, 0, h.x, h.y, h.z);
  glPopMatrix();
}

void tw_KomTehBox::OnKill() {
  owner = nullptr;
  // The table goes with the box: a slot used again does not show it.
  ResetTable();
}

int tw_KomTehBox::TehNearBloGetName(int tier, int off) const {
  const unsigned t = static_cast<unsigned>(tier);
  if (t < 1 || t > kTehTiers) return kTehNoName;
  const int n = nearTeh[t - 1];
  if (n < 1 || n > kTehRecLast) return kTehNoName;
  return off + recTeh[n].staMsg;
}

void tw_KomTehBox::TehDoStart(int i, t_RecDomTeh* out) {
  if (i < 1 || i > kTehRecLast) return;
  const t_RecDomTeh copy = recTeh[i];
  if (out) *out = copy;
  const int p = copy.aP;
  if (p < 1 || p > kTehRecLast) return;
  recTeh[p].faza = 0;
  for (int j = 1; j <= kTehRecLast; ++j)
    if (recTeh[j].aP > 500 && recTeh[j].aP - 500 == p) recTeh[j].faza = 0;
}

OBJ_RECORD_RUN(tw_KomTehBox, res1, res2, 10);

template <class IO>
void tw_KomTehBox::Record(IO& io) {
  io.Ints(&res1, &res2);
  io.Place(mb);
}

int tw_KomTehBox::AddToFile(FILE* f) { return ObjRecord_Save(*this, f); }

int tw_KomTehBox::FromFile(FILE* f) { return ObjRecord_Load(*this, f, "technology box"); }

void tw_KomTehBox::OnEvent(int code, void* a, void* b, void* c, void* d) {
  ObjFrame_Dispatch(*this, pTekKomTehBox, kType, code, a, b, c, [&] {
    switch (code) {
      case EV_UPD_SELF: UpdSelf(ObjArgInt(a), ObjArgInt(b)); return 1;
      case EV_UPD: Upd(ObjArgInt(a), ObjArgInt(b)); return 1;
      case EV_DRAW: Draw(); return 1;
      case EV_RENDER: return 1;  // the bars are drawn by the box queue
      case EV_DRAW_SELECT: DrawForSelect(); return 1;
      case EV_CREATE: IFC_x(ObjArgInt(a)); return 1;
      case EV_KILL: OnKill(); return 1;
      case 43:
        if (a) TBuf00Set(*static_cast<int*>(a), static_cast<int*>(b), static_cast<int*>(c));
        return 1;
      case 44:
        if (a) InputProp(*static_cast<int*>(a), ObjArgInt(b));
        return 1;
      case 45:
        if (a) std::memcpy(a, &recTeh[0].aP, sizeof recTeh[0].aP);
        return 1;
      case 46:
        if (a) TehDoStart(*static_cast<int*>(a), static_cast<t_RecDomTeh*>(b));
        return 1;
      case 47:
        if (a && b) *static_cast<int*>(b) = TehNearBloGetName(*static_cast<int*>(a), 0);
        return 1;
      case 48:
        if (a && b && *static_cast<int*>(a) == baner) *static_cast<int*>(b) = baner;
        return 1;
      default: return ObjPlacedEvent(code, a, b, c, mb.Pos(), vis);
    }
  });
}
