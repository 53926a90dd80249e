#include "objects/scr_frm.h"

#include "core/core.h"
#include "objects/frame.h"
#include "objects/record.h"
#include "render/render.h"
#include "world/world.h"

tw_ScrFrm* pTekScrFrm = nullptr;
tw_ScrFrm* pMainScrFrm = nullptr;

namespace {
constexpr int kType = 4;
}

void ObjTurnAngle(float& angle) {
  angle += zn::FrT(0.07f);
  zn::Ring1(angle, 360.0f);
  if (angle >= 360.0f) angle -= 360.0f;  // one full turn lands on 0, not 360
}

void tw_ScrFrm::Sbros() {
  owner = nullptr;
  angle = 0.0f;
  for (int32_t& v : ints) v = 0;
  for (float& v : floats) v = 0.0f;
}

void tw_ScrFrm::FonC(float r, float g, float b) {
  floats[1] = r;
  floats[2] = g;
  floats[3] = b;
}

void tw_ScrFrm::Upd(int mode, int ex) {
  if (ex) UpdEx();
}

void tw_ScrFrm::UpdEx() { ObjTurnAngle(angle); }

void tw_ScrFrm::OnRender_Spr(int pass) { (void)MSprNextQuad_Non(); }

template <class IO>
void tw_ScrFrm::Record(IO& io) {
  io.Flo(angle);
  io.Ints(&ints[0], &ints[3]);
  io.Flos(&floats[0], &floats[4]);
  io.Check(angle >= 0.0f && angle <= 360.0f);
}

int tw_ScrFrm::AddToFile(FILE* f) { return ObjRecord_Save(*this, f); }

int tw_ScrFrm::FromFile(FILE* f) { return ObjRecord_Load(*this, f, "screen frame"); }

void tw_ScrFrm::OnEvent(int code, void* a, void* b, void* c, void* d) {
  ObjFrame_Dispatch(*this, pTekScrFrm, kType, code, a, b, c, [&] {
    switch (code) {
      case EV_UPD: Upd(ObjArgInt(a), ObjArgInt(b)); return 1;
      case EV_RENDER_SPR: OnRender_Spr(ObjArgPass(a)); return 1;
      case EV_CREATE: IFC_x(); return 1;
      case EV_UPD_SELF:  // nothing to do
      case EV_DRAW:
      case EV_RENDER: return 1;
      default: return 0;
    }
  });
}
