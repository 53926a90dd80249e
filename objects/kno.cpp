#include "objects/kno.h"

#include "core/core.h"
#include "objects/frame.h"
#include "objects/record.h"
#include "objects/scr_frm.h"
#include "render/render.h"
#include "shell/shell.h"
#include "world/world.h"

tw_Kno* pTekKno = nullptr;

namespace {
constexpr int kType = 3;
constexpr int kAtlas = 4;              // cells per side of the sprite atlas
constexpr float kCornerPixels = 40.0f;  // distance of the quad's corners from its centre
// Largest relative position a record may hold: the program places buttons on
// the screen; this keeps the pixel position a number on any screen.
constexpr float kMaxRelative = 16.0f;
}  // namespace

void tw_Kno::Sbros() {
  owner = nullptr;
  for (int32_t& v : ints) v = 0;
  for (float& v : floats) v = 0.0f;
}

void tw_Kno::UpdEx() { ObjTurnAngle(Angle()); }

void tw_Kno::Draw() { RenderM.quads[3].Add(owner, 1, 1, 0, Picture(), -1, -1); }

void tw_Kno::OnRender_Spr(int pass) {
  if (MSprNextQuad_Non()) return;
  MSpr_qTC(w0qt, Column(), kAtlas, Row(), kAtlas);
  MSpr_q2DV(w0qv, ScrX(), ScrY(), kCornerPixels, static_cast<int>(Angle()));
  MSpr_SetQuad(w0qv, nullptr, w0qt, nullptr);
}

template <class IO>
void tw_Kno::Record(IO& io) {
  io.Ints(&ints[0], &ints[6]);
  io.Flos(&floats[0], &floats[6]);
  io.Check(Angle() >= 0.0f && Angle() <= 360.0f);
  io.Check(zn::Absf(RelX()) <= kMaxRelative && zn::Absf(RelY()) <= kMaxRelative);
}

int tw_Kno::AddToFile(FILE* f) { return ObjRecord_Save(*this, f); }

int tw_Kno::FromFile(FILE* f) {
  if (!f) return 1;
  if (!ObjRecord_Load(*this, f, "button")) return 0;
  ScrX() = Ekran.W * RelX();
  ScrY() = Ekran.H * RelY();
  return 1;
}

void tw_Kno::OnEvent(int code, void* a, void* b, void* c, void* d) {
  ObjFrame_Dispatch(*this, pTekKno, kType, code, a, b, c, [&] {
    switch (code) {
      case EV_UPD: Upd(ObjArgInt(a), ObjArgInt(b)); return 1;
      case EV_DRAW: Draw(); return 1;
      case EV_RENDER_SPR: OnRender_Spr(ObjArgPass(a)); return 1;
      case EV_CREATE: IFC_x(); return 1;
      case EV_UPD_SELF: return 1;  // nothing to do
      default: return 0;  // 21 deactivate, 22 kill, 23 is active: the frame's
    }
  });
}
