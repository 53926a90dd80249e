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

tw_DomXBunk* pTekDomXBunk = nullptr;
vec3 DomXResRingObzora[kDomRing + 1];

namespace {
constexpr int kMaterial = 8;
// Meshes of model group 0 drawn beside the two bodies: the mast, and the
// flag pole and cloth in the side's colour.
constexpr int kMeshMast = 27, kMeshPole = 24, kMeshCloth = 25;
// The turning dish: on the mast, this high, this size, this colour.
constexpr float kDishLift = 33.5f;
const vec3 kDishHalf(3.5f, 1.5f, 0.5f);
// The orbiting light: radius and height of its orbit, its reach.
constexpr float kOrbitR = 80.0f, kOrbitY = 30.0f;
constexpr int kOrbitReach = 170;
// The footprint: tiles under the corners at this offset.
constexpr float kFoot = 10.0f;
// Flag boxes at the four corners, and a selected bunker's marker.
constexpr float kCornerBox = 20.0f;
const vec3 kCornerHalf(1, 1, 1);
const vec3 kSelHalf(2, 5, 2);
constexpr float kSelLift = 50.0f;
// The range display's lines from the ground ring up to the top.
constexpr float kRangeTop = 50.0f;
constexpr uint8_t kRangeTopAlpha = 32;
constexpr float kSoundGain = 0.8f;

// The pulse of the range lines, shared by every bunker and advanced once per
// shown bunker a frame.
t_FintFloat& RangePulse() {
  static t_FintFloat pulse(2.0f, 1.0f, 240.0f, 2.0f, 2, 10);
  return pulse;
}

uint8_t PulseAlpha(float v) { return static_cast<uint8_t>(v < 0.0f ? 0.0f : (v > 255.0f ? 255.0f : v)); }
}  // namespace

void tw_DomXBunk::Sbros() {
  owner = nullptr;
  lights = t_SveOkruj();
  for (vec3& p : ring) p = vec3(0.0f);
  int0 = side = soundPriority = selected = visible = meshA = meshB = texKey1 = texKey2 = soundIndex = int11 = 0;
  soundChannel = -1;
  Bld_TilesForget(regPair, regTile);
  spawnMark = 0;
  for (int32_t& v : int21) v = 0;
  sight = ringRadius = seen = int32 = 0;
  flo0 = dishAngle = groundLight = flo3 = 0.0f;
  mb.Sbros();
}

void tw_DomXBunk::IFC_x(int kind) {
  lights = t_SveOkruj();
  lights.mode = 1;
  soundPriority = 1;
  soundChannel = -1;
  selected = 0;
  visible = 0;
  meshA = 21;
  meshB = 26;
  texKey1 = 35;
  texKey2 = 37;
  soundIndex = 4;
  int11 = 3;
  Bld_TilesForget(regPair, regTile);
  spawnMark = 0;
  sight = 40;
  ringRadius = 420;
  seen = 0;
  dishAngle = 1.0f;
  groundLight = 32.0f;
  mb.Sbros();
  mb.setGbr(21, 35, 21);
  Crt_CircleGoriz(ring, kDomRing, static_cast<float>(ringRadius), 1);
}

void tw_DomXBunk::LandUp() {
  const vec3 p = mb.Pos();
  for (vec3 d : {vec3(-kFoot, 0, -kFoot), vec3(kFoot, 0, -kFoot), vec3(-kFoot, 0, kFoot), vec3(kFoot, 0, kFoot)})
    LandsRoot_SetPlit(p + d, 2);
}

void tw_DomXBunk::xLndReg() { Bld_TilesReg(regPair, regTile, mb.Pos(), kFoot); }

void tw_DomXBunk::xDeReg() { Bld_TilesDeReg(regPair, regTile); }

void tw_DomXBunk::UpdSelf(int mode, int flag) {
  const vec3 p = mb.Pos();
  Bld_HolderSelfUpdate(mode, flag, side, p, ringRadius, groundLight, regPair, regTile, kFoot);
  const int deg = static_cast<int>(dishAngle);
  const vec3 at = p + vec3(kOrbitR * getSprSIN(deg), kOrbitY, kOrbitR * getSprCOS(deg));
  Bld_LightColours(GetSvetikPro(0, at, kOrbitReach), vec3(0.1f, 0.1f, 0.1f), vec3(0.7f, 0.7f, 0.7f),
                   vec3(0.4f, 0.5f, 0.6f));
}

void tw_DomXBunk::Upd(int mode, int ex) {
  Bld_SeenAndDot(side, mb.Pos(), sight, seen, kDomDotKind);
  if (ex) UpdEx();
}

void tw_DomXBunk::UpdEx() { Bld_HolderUpdEx(*this, dishAngle, 0.14f, kSoundGain); }

void tw_DomXBunk::Draw() {
  if (!Bld_HolderDrawn(side, seen)) return;
  selected = side == PlayerBanerID || AktivIPPI_ResidentOfEditor() ? PlayerSelected_AnIn(owner) : 0;
  const vec3 p = mb.Pos();
  if (!ObjBoxInView(mb)) {
    visible = Bld_OutOfView(p);
  } else {
    visible = 1;
    RenderM.mdl[0].Add(owner, 1, 0, 0, 1, 0, texKey1, -1, -1);
    RenderM.mdl[1].Add(owner, 2, 0, 0, 1, 0, texKey2, -1, -1);
    RenderM.mdl[0].Add(owner, 3, 0, 0, 0, -1, 0, -1, -1);
    RenderM.mdl[1].Add(owner, 4, 0, 0, 1, 0, texKey2, -1, -1);
    for (vec3 d : {vec3(-kCornerBox, 0, -kCornerBox), vec3(kCornerBox, 0, -kCornerBox),
                   vec3(-kCornerBox, 0, kCornerBox), vec3(kCornerBox, 0, kCornerBox)})
      Bld_FlagBox(p + d, kCornerHalf, side, 0);
    if (selected) Bld_FlagBox(p + vec3(0, kSelLift, 0), kSelHalf, side, 0);
  }
  Draw_SpeOkrugs();
  if (visible == 1) ObjEditorFrame(mb, 80.0f);
}

void tw_DomXBunk::Draw_SpeOkrugs() {
  if (!Bld_RangeShown(owner, selected)) return;
  const vec3 p = mb.Pos();
  Bld_RangeRing(p, ring, DomXResRingObzora);
  const uint8_t a = PulseAlpha(RangePulse()._Update());
  const vec3 top = p + vec3(0, kRangeTop, 0);
  for (int k = 0; k < kDomRing; ++k)
    RenderM.line[1].Add(DomXResRingObzora[k], top, 190, 190, 100, a, 190, 190, 100, kRangeTopAlpha);
}

void tw_DomXBunk::OnRender(int sub) {
  if (sub < 1 || sub > 4) return;
  glPushMatrix();
  mb.MxTransOGL(0.0f);
  switch (sub) {
    case 1:
      SvetStdForFgr(&lights);
      mb.MxRotOGL();
      Material_RS::Bind(MatRS[kMaterial], 1);
      _Mesh_Sbor::DrawMesh_Uni(MdlGVBO[0].Get_pMesh(meshA));
      _Mesh_Sbor::DrawMesh_Uni(MdlGVBO[0].Get_pMesh(meshB));
      break;
    case 2:
      SvetStdForFgr(&lights);
      Material_RS::Bind(MatRS[kMaterial], 1);
      _Mesh_Sbor::DrawMesh_Uni(MdlGVBO[0].Get_pMesh(kMeshMast));
      break;
    case 3:
      Svet::ProcCase(0);
      RGB_ColorFlagSet(side, 1.0f);
      _Mesh_Sbor::DrawMesh_Uni(MdlGVBO[0].Get_pMesh(kMeshPole));
      _Mesh_Sbor::DrawMesh_Uni(MdlGVBO[0].Get_pMesh(kMeshCloth));
      break;
    case 4:
      glTranslatef(0.0f, kDishLift, 0.0f);
      glRotatef(dishAngle, 0.0f, 1.0f, 0.0f);
      ColorMat(255, 130, 140, 150);
      d3::Kub(0, 0, 0, kDishHalf.x, kDishHalf.y, kDishHalf.z);
      break;
  }
  glPopMatrix();
}

void tw_DomXBunk::OnRender_Spr(int pass) { ObjSprite(mb.Pos(), 1, 1, 0.5f); }

void tw_DomXBunk::DrawForSelect() {
  if (Bld_HolderDrawn(side, seen)) ObjDrawForSelect(mb, vec3(0.0f), vec3(18, 7, 18));
}

OBJ_RECORD_RUN(tw_DomXBunk, int0, int32, 33);

template <class IO>
void tw_DomXBunk::Record(IO& io) {
  io.Ints(&int0, &int32);
  io.Flos(&flo0, &flo3);
  io.Place(mb);
  io.Check(dishAngle >= 0.0f && dishAngle <= 360.0f);
}

int tw_DomXBunk::AddToFile(FILE* f) { return ObjRecord_Save(*this, f); }

int tw_DomXBunk::FromFile(FILE* f) { return Bld_FromFile(*this, f, "bunker"); }

void tw_DomXBunk::OnEvent(int code, void* a, void* b, void* c, void* d) {
  Bld_OnEvent(*this, pTekDomXBunk, code, a, b, c, [&] {
    switch (code) {
      case 48:
        if (a && b && *static_cast<int*>(a) == side) *static_cast<int*>(b) = side;
        return 1;
      case EV_TRIGGER_KEY: ObjAnswerInt(spawnMark, a); return 1;
      case 51: ObjAnswerInt(sight, a); return 1;
      default: return Bld_TilesEvent(*this, code);
    }
  });
}
