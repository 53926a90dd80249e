#include "objects/dom.h"

#include "objects/building.h"
#include "objects/frame.h"
#include "objects/modesglue.h"
#include "objects/record.h"
#include "objects/sceneobj.h"
#include "objects/scr_frm.h"
#include "objects/unitlists.h"
#include "render/render.h"
#include "ui/ui.h"
#include "world/world.h"

tw_Dom* pTekDom = nullptr;

namespace {
// The building's body is drawn with this material.
constexpr int kMaterial = 8;
}  // namespace

void tw_Dom::Sbros() {
  owner = nullptr;
  lights = t_SveOkruj();
  for (vec3& p : ring) p = vec3(0.0f);
  link = nullptr;
  angle = 0.0f;
  int0 = side = soundPriority = selected = visible = mesh = texKey = sight = ringRadius = seen = int11 = int12 = 0;
  soundChannel = -1;
  mb.Sbros();
}

void tw_Dom::IFC_x(int kind) {
  lights = t_SveOkruj();
  lights.mode = 1;
  link = nullptr;
  angle = 1.0f;
  soundPriority = 1;
  soundChannel = -1;
  selected = 0;
  visible = 0;
  mesh = 6;
  texKey = 38;
  sight = 9;
  ringRadius = 100;
  seen = 0;
  mb.Sbros();
  mb.setGbr(12, 12, 12);
  mb.Pos(Plit_GetMidYchCoord(test1PointVec));
  Crt_CircleGoriz(ring, kDomRing, static_cast<float>(ringRadius), 1);
}

void tw_Dom::UpdSelf(int mode, int flag) {
  selected = PlayerSelected_AnIn(owner) ? 1 : 0;
  if (side == PlayerBanerID) PlayerUnitsOkrug_Add(mb.Pos(), static_cast<float>(ringRadius));
}

void tw_Dom::Upd(int mode, int ex) {
  Bld_SeenAndDot(side, mb.Pos(), sight, seen, kDomDotKind);
  if (ex) UpdEx();
}

void tw_Dom::UpdEx() {
  ObjTurnAngle(angle);
  ObjSoundWhileSelected(owner, selected, soundChannel, mb);
  ObjLightsRefill(lights, mb.Pos(), mb.Hf());
}

void tw_Dom::Draw() {
  if (!*o2::TestFgrDrawUnit) return;
  if (!ObjBoxInView(mb)) {
    visible = Bld_OutOfView(mb.Pos());
  } else {
    vec3 colour;
    RGB_ColorFlag(side, colour.x, colour.y, colour.z);
    visible = ObjDrawMarked(owner, mb, selected, colour, 1, 80.0f);
    RenderM.mdl[0].Add(owner, 1, 0, 0, 1, 0, texKey, -1, -1);
  }
  if (Bld_RangeShown(owner, selected)) Bld_RangeRing(mb.Pos(), ring, nullptr);
}

void tw_Dom::OnRender(int sub) {
  if (sub != 1) return;
  glPushMatrix();
  mb.MxTransOGL(0.0f);
  SvetStdForFgr(&lights);
  mb.MxRotOGL();
  Material_RS::Bind(MatRS[kMaterial], 1);
  _Mesh_Sbor::DrawMesh_Uni(MdlGVBO[0].Get_pMesh(mesh));
  glPopMatrix();
}

void tw_Dom::OnRender_Spr(int pass) { ObjSprite(mb.Pos(), 1, 1, 0.5f); }

void tw_Dom::DrawForSelect() {
  if (side == PlayerBanerID || seen) ObjDrawForSelect(mb, vec3(0, 1, 0), vec3(1, 1, 1));
}

OBJ_RECORD_RUN(tw_Dom, int0, int12, 13);

template <class IO>
void tw_Dom::Record(IO& io) {
  io.Link(link);
  io.Flo(angle);
  io.Ints(&int0, &int12);
  io.Place(mb);
  io.Check(angle >= 0.0f && angle <= 360.0f);
}

int tw_Dom::AddToFile(FILE* f) { return ObjRecord_Save(*this, f); }

int tw_Dom::FromFile(FILE* f) { return Bld_FromFile(*this, f, "building"); }

void tw_Dom::OnEvent(int code, void* a, void* b, void* c, void* d) {
  Bld_OnEvent(*this, pTekDom, code, a, b, c, [] { return 0; });
}
