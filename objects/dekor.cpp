#include "objects/dekor.h"

#include "objects/frame.h"
#include "objects/modesglue.h"
#include "objects/record.h"
#include "objects/scr_frm.h"
#include "objects/sceneobj.h"
#include "objects/unithelp.h"
#include "objects/unitlists.h"
#include "render/render.h"
#include "ui/ui.h"
#include "world/world.h"

tw_Dekor* pTekDekor = nullptr;

namespace {
constexpr int kType = 17;
// Material slot the decoration's mesh is drawn with.
constexpr int kMaterial = 8;
}  // namespace

void tw_Dekor::Sbros() {
  owner = nullptr;
  lights = t_SveOkruj();
  link = nullptr;
  angle = 0.0f;
  int1 = side = soundPriority = selected = visible = modelGroup = mesh = int9 = int10 = int11 = 0;
  soundChannel = -1;
  mb.Sbros();
}

void tw_Dekor::IFC_x() {
  lights = t_SveOkruj();
  lights.mode = 1;
  selected = 0;
  soundPriority = 1;
  soundChannel = -1;
  modelGroup = 0;
  mesh = 51;
  int9 = 1;
  angle = 1.0f;
  link = nullptr;
  mb.Sbros();
  mb.Pos(test1PointVec);
}

void tw_Dekor::UpdSelf(int mode) { selected = PlayerSelected_AnIn(owner); }

void tw_Dekor::Upd(int mode, int ex) {
  if (ex) UpdEx();
}

void tw_Dekor::UpdEx() {
  ObjTurnAngle(angle);
  ObjSoundWhileSelected(owner, selected, soundChannel, mb);
  ObjLightsRefill(lights, mb.Pos(), mb.Hf());
}

void tw_Dekor::Draw() {
  vec3 colour;
  ObjSideColour(side, colour.x, colour.y, colour.z);
  visible = ObjDrawMarked(owner, mb, selected, colour, 1, 80.0f);
  if (visible) RenderM.mdl[0].Add(owner, 1, modelGroup, 0, 1, 0, *o2::TestFgrDekTex, -1, -1);
}

void tw_Dekor::OnRender(int pass) {
  glPushMatrix();
  mb.MxTransOGL(0.0f);
  SvetStdForFgr(&lights);
  if (pass == 1) {
    mb.MxRotOGL();
    Material_RS::Bind(MatRS[kMaterial], 1);
    mesh = *o2::TestFgrDekMesh;
    if (modelGroup >= 0 && modelGroup < kMdlGroups) _Mesh_Sbor::DrawMesh_Uni(MdlGVBO[modelGroup].Get_pMesh(mesh));
  }
  glPopMatrix();
}

void tw_Dekor::OnRender_Spr(int pass) { ObjSprite(mb.Pos(), 1, 1, 0.5f); }

void tw_Dekor::DrawForSelect() { ObjDrawForSelect(mb, vec3(0, 1, 0), vec3(1, 1, 1)); }

OBJ_RECORD_RUN(tw_Dekor, int1, int11, 11);

template <class IO>
void tw_Dekor::Record(IO& io) {
  io.Link(link);
  io.Flo(angle);
  io.Ints(&int1, &int11);
  io.Place(mb);
  io.Check(angle >= 0.0f && angle <= 360.0f);
  io.Check(modelGroup >= 0 && modelGroup < kMdlGroups);
}

int tw_Dekor::AddToFile(FILE* f) { return ObjRecord_Save(*this, f); }

int tw_Dekor::FromFile(FILE* f) { return ObjRecord_Load(*this, f, "decoration"); }

void tw_Dekor::OnEvent(int code, void* a, void* b, void* c, void* d) {
  ObjFrame_Dispatch(*this, pTekDekor, kType, code, a, b, c, [&] {
    switch (code) {
      case EV_UPD_SELF: UpdSelf(ObjArgInt(a)); return 1;
      case EV_UPD: Upd(ObjArgInt(a), ObjArgInt(b)); return 1;
      case EV_DRAW: Draw(); return 1;
      case EV_RENDER: OnRender(ObjArgPass(a)); return 1;
      case EV_RENDER_SPR: OnRender_Spr(ObjArgPass(a)); return 1;
      case EV_DRAW_SELECT: DrawForSelect(); return 1;
      case EV_CREATE: IFC_x(); return 1;
      default: return ObjPlacedSoundEvent(code, a, b, c, mb.Pos(), visible, soundPriority, soundChannel);
    }
  });
}
