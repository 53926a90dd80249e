#include "objects/effects.h"

#include "objects/frame.h"
#include "objects/modesglue.h"
#include "objects/record.h"
#include "objects/scr_frm.h"
#include "objects/sceneobj.h"
#include "objects/unithelp.h"
#include "objects/unitlists.h"
#include "render/render.h"
#include "world/world.h"

tw_Smoke* pTekSmoke = nullptr;

namespace {
constexpr int kBoomType = 13, kOblomType = 14, kSmokeType = 12;
// The smoke's quad: 4 wide, skewed by 25, 2 above the ground.
constexpr float kSmokeSize = 4.0f, kSmokeLift = 2.0f;
constexpr int kSmokeSkew = 25;
}  // namespace

// ---------------------------------------------------------------- explosion and debris

void t_BoomPart::Sbros() {
  link = nullptr;
  angle = 0.0f;
  int3 = colourFlag = soundPriority = selected = visible = int9 = int10 = 0;
  soundChannel = -1;
  mb.Sbros();
}

void t_BoomPart::IFC_x() {
  selected = 0;
  soundPriority = 1;
  soundChannel = -1;
  angle = 1.0f;
  link = nullptr;
  mb.Sbros();
}

void t_BoomPart::UpdEx(Fgr4* owner) {
  ObjTurnAngle(angle);
  ObjSoundWhileSelected(owner, selected, soundChannel, mb);
}

void t_BoomPart::Draw(Fgr4* owner) {
  vec3 colour;
  RGB_ColorFlag(colourFlag, colour.x, colour.y, colour.z);
  visible = ObjDrawMarked(owner, mb, selected, colour, 1, 80.0f);
}

void t_BoomPart::OnRender_Spr(int pass) { ObjSprite(mb.Pos(), 1, 1, 0.5f); }

int t_BoomPart::Event(Fgr4* owner, int code, void* a, void* b, void* c) {
  switch (code) {
    case EV_UPD_SELF: selected = PlayerSelected_AnIn(owner); return 1;
    case EV_UPD:
      if (ObjArgInt(b)) UpdEx(owner);
      return 1;
    case EV_DRAW: Draw(owner); return 1;
    case EV_RENDER: return 1;  // nothing to draw
    case EV_RENDER_SPR: OnRender_Spr(ObjArgPass(a)); return 1;
    case EV_DRAW_SELECT: ObjDrawForSelect(mb, vec3(0, 1, 0), vec3(1, 1, 1)); return 1;
    case EV_CREATE: IFC_x(); return 1;
    default: return ObjPlacedSoundEvent(code, a, b, c, mb.Pos(), visible, soundPriority, soundChannel);
  }
}

OBJ_RECORD_RUN(t_BoomPart, int3, int10, 8);

template <class IO>
void t_BoomPart::Record(IO& io) {
  io.Link(link);
  io.Flo(angle);
  io.Ints(&int3, &int10);
  io.Place(mb);
  io.Check(angle >= 0.0f && angle <= 360.0f);
}

OBJ_PART_TYPE_IMPL(Boom, kBoomType, "explosion")
OBJ_PART_TYPE_IMPL(Oblom1, kOblomType, "debris")

// ---------------------------------------------------------------- smoke

void tw_Smoke::Sbros() {
  owner = nullptr;
  link = nullptr;
  angle = 0.0f;
  int3 = int4 = selected = visible = int7 = int8 = 0;
  mb.Sbros();
}

void tw_Smoke::IFC_x() {
  selected = 0;
  angle = 1.0f;
  link = nullptr;
  mb.Sbros();
}

void tw_Smoke::Draw() {
  if (!ObjBoxInView(mb)) {
    visible = 0;
    return;
  }
  visible = 1;
  RenderM.quads[0].Add(owner, 1, 1, 0, kSprPicture, -1, -1);
  ObjEditorFrame(mb, 50.0f);
}

void tw_Smoke::OnRender_Spr(int pass) {
  if (MSprNextQuad_Non()) return;
  MSpr_qTC(w0qt, 1, kSprAtlas, 1, kSprAtlas);
  MSpr_qVLow(w0qv, Plit_GetOporaPos(mb.Pos()).ay(kSmokeLift), kSmokeSize, kSmokeSkew);
  MSpr_SetQuad(w0qv, nullptr, w0qt, nullptr);
}

OBJ_RECORD_RUN(tw_Smoke, int3, int8, 6);

template <class IO>
void tw_Smoke::Record(IO& io) {
  io.Link(link);
  io.Flo(angle);
  io.Ints(&int3, &int8);
  io.Place(mb);
  io.Check(angle >= 0.0f && angle <= 360.0f);
}

int tw_Smoke::AddToFile(FILE* f) { return ObjRecord_Save(*this, f); }

int tw_Smoke::FromFile(FILE* f) { return ObjRecord_Load(*this, f, "smoke"); }

void tw_Smoke::OnEvent(int code, void* a, void* b, void* c, void* d) {
  ObjFrame_Dispatch(*this, pTekSmoke, kSmokeType, code, a, b, c, [&] {
    switch (code) {
      case EV_UPD_SELF: selected = PlayerSelected_AnIn(owner); return 1;
      case EV_UPD:
        if (ObjArgInt(b)) ObjTurnAngle(angle);
        return 1;
      case EV_DRAW: Draw(); return 1;
      case EV_RENDER: return 1;  // nothing to draw
      case EV_RENDER_SPR: OnRender_Spr(ObjArgPass(a)); return 1;
      case EV_DRAW_SELECT: ObjDrawForSelect(mb, vec3(0, 1, 0), vec3(1, 1, 1)); return 1;
      case EV_CREATE: IFC_x(); return 1;
      default: return ObjPlacedEvent(code, a, b, c, mb.Pos(), visible);
    }
  });
}
