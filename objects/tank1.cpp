// The tracked vehicle: its own numbers, creation, record, events and
// update; what it does like the wheeled vehicle comes from vehshared.h.
#include "objects/tank1.h"

#include "objects/vehparts.h"
#include "objects/vehshared.h"

tw_Tank1* pTekTank1 = nullptr;

int Tank1_TestToPrint_onPath = 0, Tank1_TestToPrint_movToPoint = 0, Tank1_TestToPrint_onPathLen = 0,
    Tank1_TestToPrint_onPathNext = 0, Tank1_TestToPrint_pafMoveWait = 0, Tank1_TestToPrint_OnKrutPov = 0,
    Tank1_TestToPrint_RePathCall = 0;

OBJ_RECORD_RUN(tw_Tank1, int0, int45, tw_Tank1::kInts);
OBJ_RECORD_RUN(tw_Tank1, float0, float5, tw_Tank1::kFlos);

namespace {

const t_VehDrive kDrive = {
    5.0f, 1.0f, 1.0f, 3.0f,     // on a path: facing, turning, waiting, after a sharp bend
    5.0f,                       // waypoint reached within
    0.025f, 8.0f, 5.0f, 0.8f,   // toward a target
    0.04f, 8.0f, 4.0f, 0.8f,    // toward a point
    0,                          // the point branch keeps its aim
    1500,                       // ms between aims
    {25, 30}, {2, 16},          // damage of a shot
};

// The selection marker jumps this high at a waypoint.
constexpr float kMarkerUp = 9.0f;

}  // namespace

void tw_Tank1::Sbros() {
  veh::Sbros(*this);
  markerY = 0.0f;
}

// ---------------------------------------------------------------- creation

void tw_Tank1::IFC_x(int kind) {
  variant = kind;
  trackModel = int11 = -1;
  model = 0;
  bodyMesh = 30;
  int14 = int15 = -1;
  hp = hpMax = 200;
  armor = armorMax = 150;
  third = 100;
  thirdMax = 130;
  fourth = 28;
  fourthMax = 50;
  pafLayer = 5;
  int31 = 0;
  strikeCount = 0;
  strikeBase = 5000;
  strikeSpread = 2000;
  xp = 0;
  xpThreshold = 100;
  level = 0;
  sight = 8;
  range1 = 140;
  range2 = 160;
  range3 = 180;
  proCar::Koles4InitRnd(wheelSpin);
  markerY = kMarkerRest;
  veh::Create(*this, 5.0f);
}

// ---------------------------------------------------------------- record

template <class IO>
void tw_Tank1::Record(IO& io) {
  veh::Record(*this, io);
}

int tw_Tank1::AddToFile(FILE* f) { return ObjRecord_Save(*this, f); }

int tw_Tank1::FromFile(FILE* f) { return veh::FromFile(*this, f, "tracked vehicle"); }

// ---------------------------------------------------------------- events

// Its price, whatever the record holds: 300 credits and 80 fuel.
void tw_Tank1::KomPultPay(int* a, int* b, int*) const {
  if (a) *a = 300;
  if (b) *b = 80;
}

void tw_Tank1::NameToTBuf0() const { TBufUpdate(0, 0, "%s", "anTank1"); }

void tw_Tank1::OnEvent(int code, void* a, void* b, void* c, void* d) {
  ObjFrame_Dispatch(*this, pTekTank1, kType, code, a, b, c, [&] { return veh::Event(*this, code, a, b, c, d); });
}

// ---------------------------------------------------------------- update

void tw_Tank1::UpdSelf(int mode, int flag) { veh::UpdSelf(*this, mode, flag); }

void tw_Tank1::Upd(int, int ex) {
  zn::Climb2(markerY, zn::FrT(0.001f), kMarkerRest, 0.2f);
  paf.Upd();
  if (veh::Steer(*this, kDrive)) markerY = kMarkerUp;
  veh::Drive(*this, kDrive);
  if (side == PlayerBanerID) seen = 1;
  else PlayerUnitsOkrug_Try(mb.Pos(), static_cast<float>(sight), seen);
  if (zn::ToZeroi(strikeCount)) veh::DoStrike(*this, kDrive);
  if (seen) KlientMiniMapFgr_Add(mb.Pos(), static_cast<unsigned>(side), 2);
  ObjLightsRefill(sve, mb.Pos(), mb.Hf());
  if (ex) veh::UpdEx(*this);
  Upd_TestToPrint();
}

void tw_Tank1::Upd_TestToPrint() {
  if (!selected) return;
  Tank1_TestToPrint_onPath = paf.onPath;
  Tank1_TestToPrint_movToPoint = moveMode;
  Tank1_TestToPrint_onPathLen = paf.count;
  Tank1_TestToPrint_onPathNext = paf.step;
  Tank1_TestToPrint_pafMoveWait = paf.wait;
  Tank1_TestToPrint_OnKrutPov = paf.krutPov;
  if (paf.state != 0) Tank1_TestToPrint_RePathCall = Rand2(800, 920);
  else zn::ToZero(Tank1_TestToPrint_RePathCall);
}
