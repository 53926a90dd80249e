#include "objects/building.h"
#include "objects/dom.h"
#include "objects/frame.h"
#include "objects/modesglue.h"
#include "objects/record.h"
#include "objects/sceneobj.h"
#include "objects/unitlists.h"
#include "render/render.h"
#include "shell/shell.h"
#include "ui/ui.h"
#include "world/world.h"

tw_DomXEner* pTekDomXEner = nullptr;

namespace {
constexpr int kMaterialBody = 10, kMaterialDetail = 8;
constexpr int kMeshDetail = 31;
// The footprint: tiles under the corners at this offset.
constexpr float kFoot = 20.0f;
// The rising light: its reach.
constexpr int kLightReach = 120;
// Flag boxes around the building, and a selected building's marker.
const vec3 kRimBoxes[8] = {vec3(-10, 0, -30), vec3(10, 0, -30), vec3(30, 0, -10), vec3(30, 0, 10),
                           vec3(-10, 0, 30),  vec3(10, 0, 30),  vec3(-30, 0, -10), vec3(-30, 0, 10)};
const vec3 kRimHalf(1.1f, 1, 1.1f);
const vec3 kSelHalf(0.5f, 8, 0.5f);
constexpr float kSelLift = 6.0f;
// The editor's green frame of the footprint.
const vec3 kFootHalf(23, 1.5f, 23);
constexpr float kFootLift = 2.5f;
// The sprite: 8 above the building, this size, this colour.
constexpr float kSprLift = 8.0f, kSprSize = 3.5f;
constexpr float kSoundGain = 0.6f;
}  // namespace

void tw_DomXEner::Sbros() {
  owner = nullptr;
  lights = t_SveOkruj();
  for (vec3& p : ring) p = vec3(0.0f);
  int0 = side = soundPriority = selected = visible = sight = ringRadius = seen = mesh = int10 = texKey = int12 =
      soundIndex = int14 = int23 = int24 = 0;
  soundChannel = -1;
  Bld_TilesForget(regPair, regTile);
  flo0 = lift = groundLight = flo3 = 0.0f;
  mb.Sbros();
}

void tw_DomXEner::IFC_x(int kind) {
  lights = t_SveOkruj();
  lights.mode = 1;
  soundPriority = 1;
  soundChannel = -1;
  selected = 0;
  visible = 0;
  sight = 40;
  ringRadius = 200;
  seen = 0;
  mesh = 28;
  int10 = 10;
  texKey = 38;
  int12 = 12;
  soundIndex = 4;
  int14 = 3;
  Bld_TilesForget(regPair, regTile);
  lift = 1.0f;
  groundLight = 40.0f;
  mb.Sbros();
  mb.setGbr(30, 18, 30);
  mb.Pos(Plit_GetMidYchCoord(test1PointVec));
  Crt_CircleGoriz(ring, kDomRing, static_cast<float>(ringRadius), 1);
}

void tw_DomXEner::LandUp() {
  const vec3 p = mb.Pos();
  const vec3 corners[4] = {vec3(-kFoot, 0, -kFoot), vec3(kFoot, 0, -kFoot), vec3(-kFoot, 0, kFoot),
                           vec3(kFoot, 0, kFoot)};
  for (vec3 d : corners) LandsRoot_SetPlit(p + d, 2);
  for (vec3 d : {vec3(-kFoot, 0, 0), vec3(kFoot, 0, 0), vec3(0, 0, -kFoot), vec3(0, 0, kFoot)})
    LandsRoot_SetPlit(p + d, 5);
  LandsRoot_SetPlit(p + vec3(0, 4, 0), 5);
  for (vec3 d : corners) LandsRoot_SetPlit(p + d, -1);
  mb.PosY(p.y - 0.25f);
}

void tw_DomXEner::xLndReg() { Bld_TilesReg(regPair, regTile, mb.Pos(), kFoot); }

void tw_DomXEner::xDeReg() { Bld_TilesDeReg(regPair, regTile); }

void tw_DomXEner::UpdSelf(int mode, int flag) {
  const vec3 p = mb.Pos();
  Bld_HolderSelfUpdate(mode, flag, side, p, ringRadius, groundLight, regPair, regTile, kFoot);
  t_Svet* s = GetSvetikPro(0, p, kLightReach);
  if (s) s->position.y += lift;
  Bld_LightColours(s, vec3(0.3f, 0.2f, 0.2f), vec3(0.8f, 0.7f, 0.3f), vec3(0.6f, 0.6f, 0.5f));
}

void tw_DomXEner::Upd(int mode, int ex) {
  Bld_SeenAndDot(side, mb.Pos(), sight, seen, kEnerDotKind);
  if (ex) UpdEx();
}

void tw_DomXEner::UpdEx() { Bld_HolderUpdEx(*this, lift, 0.12f, kSoundGain); }

void tw_DomXEner::Draw() {
  if (!Bld_HolderDrawn(side, seen)) return;
  selected = PlayerSelected_AnIn(owner) ? 1 : 0;
  const vec3 p = mb.Pos();
  if (!ObjBoxInView(mb)) {
    visible = Bld_OutOfView(p);
    if (Bld_RangeShown(owner, selected)) Bld_RangeRing(p, ring, nullptr);
    return;
  }
  visible = 1;
  RenderM.mdl[0].Add(owner, 1, 0, 0, 1, 0, texKey, -1, -1);
  for (const vec3& d : kRimBoxes) Bld_FlagBox(p + d, kRimHalf, side, 0);
  if (selected) Bld_FlagBox(p + vec3(0, kSelLift, 0), kSelHalf, side, -1);
  RenderM.quads[0].Add(owner, 1, 1, 0, kSprPicture, -1, -1);
  if (Bld_RangeShown(owner, selected)) Bld_RangeRing(p, ring, nullptr);
  if (AktivIPPI_ResidentOfEditor() && Near2DToGlobKam(mb, 80.0f)) {
    ObjBoxFrame(mb, 255, 0, 0, 255);
    RenderM.line[0].AddBoxRam(p + vec3(0, kFootLift, 0), kFootHalf, 0, 255, 0, 255);
  }
}

void tw_DomXEner::OnRender(int sub) {
  if (sub != 1) return;
  glPushMatrix();
  mb.MxTransOGL(0.0f);
  SvetStdForFgr(&lights);
  mb.MxRotOGL();
  Material_RS::Bind(MatRS[kMaterialBody], 1);
  _Mesh_Sbor::DrawMesh_Uni(MdlGVBO[0].Get_pMesh(mesh));
  Material_RS::Bind(MatRS[kMaterialDetail], 1);
  _Mesh_Sbor::DrawMesh_Uni(MdlGVBO[0].Get_pMesh(kMeshDetail));
  glPopMatrix();
}

void tw_DomXEner::OnRender_Spr(int pass) {
  if (MSprNextQuad_Non()) return;
  MSpr_qTC(w0qt, 2, kSprAtlas, 1, kSprAtlas);
  MSpr_qV(w0qv, mb.Pos() + vec3(0, kSprLift, 0), kSprSize, 0);
  set16flo(w0qc, 0.9f, 0.9f, 0.3f, 0.9f);
  MSpr_SetQuad(w0qv, w0qc, w0qt, nullptr);
}

void tw_DomXEner::DrawForSelect() {
  if (Bld_HolderDrawn(side, seen)) ObjDrawForSelect(mb, vec3(0, 2, 0), vec3(18, 1.5f, 18));
}

OBJ_RECORD_RUN(tw_DomXEner, int0, int24, 25);

template <class IO>
void tw_DomXEner::Record(IO& io) {
  io.Ints(&int0, &int24);
  io.Flos(&flo0, &flo3);
  io.Place(mb);
  io.Check(lift >= 0.0f && lift <= 360.0f);
}

int tw_DomXEner::AddToFile(FILE* f) { return ObjRecord_Save(*this, f); }

int tw_DomXEner::FromFile(FILE* f) { return Bld_FromFile(*this, f, "energy building"); }

void tw_DomXEner::OnEvent(int code, void* a, void* b, void* c, void* d) {
  Bld_OnEvent(*this, pTekDomXEner, code, a, b, c, [&] { return Bld_TilesEvent(*this, code); });
}
