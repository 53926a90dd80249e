#include "objects/kmd3.h"

#include "objects/frame.h"
#include "objects/modesglue.h"
#include "objects/record.h"
#include "objects/scr_frm.h"
#include "objects/sceneobj.h"
#include "objects/unithelp.h"
#include "objects/unitlists.h"
#include "render/render.h"
#include "shell/shell.h"
#include "world/world.h"

tw_Kmd3* pTekKmd3 = nullptr;

namespace {
constexpr int kType = 2;
// Lights are gathered for a box of these half-sizes around the point.
const vec3 kLightReach(5.0f, 5.0f, 5.0f);
}  // namespace

void tw_Kmd3::Sbros() {
  owner = nullptr;
  lights = t_SveOkruj();
  link = nullptr;
  angle = 0.0f;
  int1 = side = regIndex = selected = visible = int8 = int9 = 0;
  regTile = -1;
  regLayer = 0;
  mb.Sbros();
}

void tw_Kmd3::IFC_x() {
  selected = 0;
  regIndex = 0;
  regTile = -1;
  regLayer = 0;
  angle = 1.0f;
  link = nullptr;
  lights = t_SveOkruj();
  lights.mode = 1;
  mb.Sbros();
}

bool tw_Kmd3::Near2DToGlobKam(float r) const { return ::Near2DToGlobKam(mb, r); }

void tw_Kmd3::xDeReg() { PlitHold_DeReg(regIndex, regTile, regLayer); }

void tw_Kmd3::UpdSelf(int mode) {
  selected = PlayerSelected_AnIn(owner);
  if (ServPlusGame(mode)) {
    xDeReg();
    LandsRootFrCoord(regIndex, regTile, mb.Pos(), regLayer);
  }
}

void tw_Kmd3::Upd(int mode, int ex) {
  ObjLightsRefill(lights, mb.Pos(), kLightReach);
  if (ex) ObjTurnAngle(angle);
}

void tw_Kmd3::Draw() {
  vec3 colour;
  ObjSideColour(side, colour.x, colour.y, colour.z);
  visible = ObjDrawMarked(owner, mb, selected, colour, 0, 80.0f);
}

void tw_Kmd3::DrawForSelect() { ObjDrawForSelect(mb, vec3(0, 1, 0), vec3(1, 1, 1)); }

void tw_Kmd3::OnDeact() {
  xDeReg();
  owner->active = 0;
}

void tw_Kmd3::OnKill() {
  xDeReg();
  owner = nullptr;
}

OBJ_RECORD_RUN(tw_Kmd3, int1, int9, 9);

template <class IO>
void tw_Kmd3::Record(IO& io) {
  io.Link(link);
  io.Flo(angle);
  io.Ints(&int1, &int9);
  io.Place(mb);
  io.Check(angle >= 0.0f && angle <= 360.0f);
}

int tw_Kmd3::AddToFile(FILE* f) { return ObjRecord_Save(*this, f); }

int tw_Kmd3::FromFile(FILE* f) { return ObjRecord_Load(*this, f, "command point"); }

void tw_Kmd3::OnEvent(int code, void* a, void* b, void* c, void* d) {
  ObjFrame_Dispatch(*this, pTekKmd3, kType, code, a, b, c, [&] {
    switch (code) {
      case EV_UPD_SELF: UpdSelf(ObjArgInt(a)); return 1;
      case EV_UPD: Upd(ObjArgInt(a), ObjArgInt(b)); return 1;
      case EV_DRAW: Draw(); return 1;
      case EV_RENDER: return 1;  // nothing to draw
      case EV_DRAW_SELECT: DrawForSelect(); return 1;
      case EV_CREATE: IFC_x(); return 1;
      case EV_DEACT: OnDeact(); return 1;
      case EV_KILL: OnKill(); return 1;
      default: return ObjPlacedEvent(code, a, b, c, mb.Pos(), visible);
    }
  });
}
