// The wheeled vehicle: its own numbers, creation, record, events, update and
// drawing; what it does like the tracked vehicle comes from vehshared.h.
#include "objects/car1.h"

#include <GL/gl.h>

#include "objects/vehparts.h"
#include "objects/vehshared.h"

tw_Car1* pTekCar1 = nullptr;

OBJ_RECORD_RUN(tw_Car1, int0, int54, tw_Car1::kInts);
OBJ_RECORD_RUN(tw_Car1, float0, float9, tw_Car1::kFlos);

namespace {

const t_VehDrive kDrive = {
    9.0f, 2.0f, 1.0f, 4.0f,      // on a path: facing, turning, waiting, after a sharp bend
    8.0f,                        // waypoint reached within
    0.025f, 11.0f, 8.0f, 2.0f,   // toward a target
    0.04f, 11.0f, 8.0f, 4.0f,    // toward a point
    1,                           // the point branch aims anew
    900,                         // ms between aims
    {10, 15}, {7, 10},           // damage of a shot
};

// Sprite cells: the axis quads on the whole texture but the middle one on
// the first cell of a 2 x 2 atlas, the ground quad on the first of 4 x 4.
const t_TestSprCells kSprCells = {{1, 1, 1, 1}, {1, 2, 1, 2}, {1, 1, 1, 1},
                                  {1, 1, 1, 1}, {1, 1, 1, 1}, {1, 4, 1, 4}};

}  // namespace

void tw_Car1::Sbros() { veh::Sbros(*this); }

// ---------------------------------------------------------------- creation

void tw_Car1::IFC_x(int kind) {
  if (kind != 2) {
    // "Юнит не машинка": there is no other kind of wheeled vehicle.
    LogInfo("\n tw_Car1::IFC Err.. \xDE\xED\xE8\xF2 \xED\xE5 \xEC\xE0\xF8\xE8\xED\xEA\xE0");
    Sbros();  // the creation fails and the slot is free again
    return;
  }
  // The test preset.
  price[0] = 200;
  price[1] = 25;
  price[2] = 0;
  int10 = int11 = -1;
  model = 0;
  bodyMesh = 30;
  beaconModel = 0;
  hp = hpMax = 130;
  armor = armorMax = 100;
  third = 70;
  thirdMax = 80;
  fourth = 2;
  fourthMax = 40;
  sight = 7;
  range1 = 60;
  range2 = 120;
  range3 = 200;
  strikeCount = 0;
  strikeBase = 7000;
  strikeSpread = 1000;
  flashCount = veh::kFlashPeriod;
  xp = 0;
  xpThreshold = 90;
  level = 0;

  variant = 2;
  pafLayer = 2;
  mmapSel = 0;
  proCar::Init0(wheelSpin, wheelSteer);
  veh::Create(*this, 4.0f);
}

// ---------------------------------------------------------------- record

template <class IO>
void tw_Car1::Record(IO& io) {
  veh::Record(*this, io);
}

int tw_Car1::AddToFile(FILE* f) { return ObjRecord_Save(*this, f); }

int tw_Car1::FromFile(FILE* f) { return veh::FromFile(*this, f, "wheeled vehicle"); }

// ---------------------------------------------------------------- events

void tw_Car1::KomPultPay(int* a, int* b, int* c) const {
  if (a) *a = price[0];
  if (b) *b = price[1];
  if (c) *c = price[2];
}

void tw_Car1::NameToTBuf0() const { TBufUpdate(0, 0, "%s", variant == 2 ? "anCar1" : "anErrGruUnit"); }

void tw_Car1::OnEvent(int code, void* a, void* b, void* c, void* d) {
  ObjFrame_Dispatch(*this, pTekCar1, kType, code, a, b, c, [&] {
    switch (code) {
      case EV_RENDER_ARR: {
        const int i = c ? *static_cast<uint16_t*>(c) : -1;
        if (i >= 0 && i < 3) {
          ObjAnswerInt(mesh.m[i].first, a);
          ObjAnswerInt(mesh.m[i].klv, b);
        }
        return 1;
      }
      case EV_RENDER_SPR:
        OnRender_Spr(ObjArgPass(a));
        return 1;
      default:
        return veh::Event(*this, code, a, b, c, d);
    }
  });
}

// ---------------------------------------------------------------- update

void tw_Car1::UpdSelf(int mode, int flag) { veh::UpdSelf(*this, mode, flag); }

void tw_Car1::Upd(int, int ex) {
  paf.Upd();
  veh::Steer(*this, kDrive);
  veh::Drive(*this, kDrive);
  PlayerUnitsOkrug_Try(mb.Pos(), static_cast<float>(sight), seen);
  // One countdown a frame, whichever side fires.
  if (zn::ToZeroi(strikeCount)) veh::DoStrike(*this, kDrive);
  if (seen) KlientMiniMapFgr_Add(mb.Pos(), static_cast<unsigned>(side), mmapSel ? 5 : 1);
  ObjLightsRefill(sve, mb.Pos(), mb.Hf());
  if (ex) veh::UpdEx(*this);
}

// ---------------------------------------------------------------- drawing

void tw_Car1::Draw() {
  veh::DrawShot(*this);
  if (!veh::DrawGate(*this)) return;
  RenderM.mdl[0].Add(owner, 2, model, 0, 1, 0, *o2::AllBuldMeshTex, -1, -1);
  RenderM.mdl[0].Add(owner, 3, beaconModel, 0, 1, 0, 7, -1, -1);
  if (selected) veh::DrawSelMarker(*this, 6.0f, 5.9f, true);
  veh::DrawRanges(*this);
}

void tw_Car1::OnRender(int pass) {
  static const float kDegPerUnit = Koleso_UgForMetr_Spe(2.0f);
  glPushMatrix();
  mb.MxTransOGL(0.0f);
  SvetStdForFgr(&sve);
  if (pass == 2) {
    glTranslatef(0, 0.8f, 0);
    mb.MxRotOGL();
    glScalef(2, 2, 2);
    ObjBindMaterial(8);
    proCar::Koles4Draw(model, mb, wheelSpin, wheelSteer, kDegPerUnit);
    bodyMesh = *o2::AllBuldMesh2;
    ObjDrawMesh(model, bodyMesh);
  } else if (pass == 3) {
    // The beacon: a bar turning above the vehicle.
    glTranslatef(0, 17.0f, 0);
    mb.MxRotOGL();
    glRotatef(spin, 0, 1, 0);
    ColorMat(255, 100, 120, 100);
    d3::Kub(0, 0, 0, 8.4f, 0.8f, 1.5f);
    ColorMat(0, 0, 0, 0);
  }
  glPopMatrix();
}

void tw_Car1::OnRender_Spr(int pass) { ObjTestSprites(mb, pass, kSprCells); }

void tw_Car1::DrawForSelect() { veh::DrawForSelect(*this, vec3(3.0f, 2.3f, 5.0f)); }
