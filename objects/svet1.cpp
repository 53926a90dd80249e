#include "objects/svet1.h"

#include "objects/frame.h"
#include "objects/modesglue.h"
#include "objects/record.h"
#include "objects/scr_frm.h"
#include "objects/sceneobj.h"
#include "render/render.h"
#include "world/world.h"

tw_Svet1* pTekSvet1 = nullptr;

namespace {
constexpr int kType = 9;
// New lights stand 45..50 from the origin in x and z, in steps of 5.
constexpr float kSpread = 50.0f;
constexpr int kSpreadSteps = 20;
}  // namespace

void tw_Svet1::Sbros() {
  owner = nullptr;
  angle = 0.0f;
  int2 = spriteSwitch = visible = int5 = int6 = 0;
  light.Sbros();
  mb.Sbros();
}

void tw_Svet1::IFC_x() {
  light.Sbros();
  light.range = 30;
  light.diffuse = vec4(0.9f, 0.9f, 0.0f, 1.0f);
  spriteSwitch = 0;
  angle = 1.0f;
  mb.Sbros();
  mb.Pos(Rand2F(-kSpread, kSpread, kSpreadSteps), 0.0f, Rand2F(-kSpread, kSpread, kSpreadSteps));
  mb.setGbr(4, 4, 4);
  mb.Skor(0.0f);
}

void tw_Svet1::UpdEx() { ObjTurnAngle(angle); }

bool tw_Svet1::Near2DToGlobKam(float r) const { return ::Near2DToGlobKam(mb, r); }

void tw_Svet1::Draw() {
  if (!ObjBoxInView(mb)) {
    visible = 0;
    return;
  }
  visible = 1;
  if (spriteSwitch) RenderM.quads[1].Add(owner, 1, 1, 0, kSprPicture, -1, -1);
  if (AktivIPPI_ResidentOfEditor() && Near2DToGlobKam(80.0f)) ObjBoxFrame(mb, 205, 245, 245, 255);
}

void tw_Svet1::OnRender_Spr(int pass) { (void)MSprNextQuad_Non(); }

void tw_Svet1::DrawForSelect() { ObjDrawForSelect(mb, vec3(0, 1, 0), vec3(1, 1, 1)); }

OBJ_RECORD_RUN(tw_Svet1, int2, int6, 5);

template <class IO>
void tw_Svet1::Record(IO& io) {
  io.Flo(angle);
  io.Ints(&int2, &int6);
  io.Int(light.range);
  for (vec4* v : {&light.position, &light.ambient, &light.diffuse, &light.specular, &light.spotDir}) {
    io.Flo(v->x);
    io.Flo(v->y);
    io.Flo(v->z);
    io.Flo(v->w);
  }
  io.Flo(light.cutoff);
  io.Flo(light.exponent);
  io.Place(mb);
  io.Check(angle >= 0.0f && angle <= 360.0f);
}

int tw_Svet1::AddToFile(FILE* f) { return ObjRecord_Save(*this, f); }

int tw_Svet1::FromFile(FILE* f) { return ObjRecord_Load(*this, f, "placed light"); }

void tw_Svet1::OnEvent(int code, void* a, void* b, void* c, void* d) {
  ObjFrame_Dispatch(*this, pTekSvet1, kType, code, a, b, c, [&] {
    switch (code) {
      case EV_UPD_SELF:
      case EV_UPD:
      case EV_RENDER: return 1;  // nothing to do
      case EV_UPD_EX: UpdEx(); return 1;
      case EV_DRAW: Draw(); return 1;
      case EV_RENDER_SPR: OnRender_Spr(ObjArgPass(a)); return 1;
      case EV_DRAW_SELECT: DrawForSelect(); return 1;
      case EV_CREATE: IFC_x(); return 1;
      // A level reset kills its objects: a light frees its slot like every
      // other (it does not answer deactivation).
      case EV_KILL: owner = nullptr; return 1;
      default: return ObjPlacedEvent(code, a, b, c, mb.Pos(), visible);
    }
  });
}
