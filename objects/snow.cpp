#include "objects/snow.h"

#include "objects/frame.h"
#include "objects/modesglue.h"
#include "objects/record.h"
#include "objects/sceneobj.h"
#include "objects/unithelp.h"
#include "objects/unitlists.h"
#include "render/render.h"
#include "world/world.h"

tw_Sektor* pTekSektor = nullptr;
tw_Snow* pTekSnow = nullptr;

namespace {
constexpr int kSektorType = 19, kSnowType = 11;
// Snow falls only while the camera's eye is within this XZ half side of the
// sector, and a flake is drawn only within this half side of the eye.
constexpr float kSpawnNear = 250.0f, kFlakeNear = 190.0f;
// Flakes start between 82 and 100 (ten steps above 80).
constexpr float kFlakeLow = 80.0f, kFlakeHigh = 100.0f;
constexpr int kFlakeSteps = 10;
// The sector's square is never taken wider than the world.
constexpr float kWorldSize = 4000.0f;
constexpr float kFallPerMs = 0.01f;
constexpr float kFlakeSize = 1.0f;
}  // namespace

// ---------------------------------------------------------------- sector

void tw_Sektor::Sbros() {
  owner = nullptr;
  int1 = selected = visible = weather = spawnCountdown = spawnPeriod = int7 = int8 = 0;
  mb.Sbros();
}

void tw_Sektor::IFC_x() {
  selected = 0;
  weather = 0;
  spawnCountdown = 0;
  spawnPeriod = 1000;
  mb.Sbros();
}

void tw_Sektor::UpdSelf(int mode) {
  selected = PlayerSelected_AnIn(owner);
  if (!weather || !Near2DToGlobKam(mb, kSpawnNear)) return;
  if (!zn::ToZeroi(spawnCountdown)) return;
  spawnCountdown = Rand2(spawnPeriod / 2, spawnPeriod);
  if (!FgrHld_AddWrk(kSnowType, weather, 1) || !pTekSnow) return;
  const float h = zn::fTram(mb.Hf().x, 0.0f, kWorldSize);
  RandRavnoMerXZ(pTekSnow->x, pTekSnow->z, mb.Pos(), h);
  pTekSnow->y = Rand2F(kFlakeLow, kFlakeHigh, kFlakeSteps);
  pTekSnow->fgrSectorSet(owner);
}

void tw_Sektor::Draw() {
  visible = ObjBoxInView(mb) ? 1 : 0;
  if (!visible || !AktivIPPI_ResidentOfEditor()) return;
  float r = 0.9f, g = 0.8f, b = 0.2f;
  if (selected) {
    ObjBoxFrame(mb, 255, 0, 0, 255);
    r = 0.2f, g = 0.2f, b = 0.9f;
  }
  const vec3 p = mb.Pos();
  RenderM.box.Add(p.x, p.y, p.z, 1.0f, 3.0f, 1.0f, r, g, b, 0, -1, -1, -1, 0);
  RenderM.line[0].AddSpikeRam(p, mb.Hf(), 255, 0, 0, 255);
}

void tw_Sektor::DrawForSelect() { ObjDrawForSelect(mb, vec3(0, 0, 0), vec3(1, 3, 1)); }

OBJ_RECORD_RUN(tw_Sektor, int1, int8, 8);

template <class IO>
void tw_Sektor::Record(IO& io) {
  io.Ints(&int1, &int8);
  io.Place(mb);
}

int tw_Sektor::AddToFile(FILE* f) { return ObjRecord_Save(*this, f); }

int tw_Sektor::FromFile(FILE* f) { return ObjRecord_Load(*this, f, "sector"); }

void tw_Sektor::OnEvent(int code, void* a, void* b, void* c, void* d) {
  ObjFrame_Dispatch(*this, pTekSektor, kSektorType, code, a, b, c, [&] {
    switch (code) {
      case EV_UPD_SELF: UpdSelf(ObjArgInt(a)); return 1;
      case EV_UPD: return 1;  // nothing to do
      case EV_DRAW: Draw(); return 1;
      case EV_DRAW_SELECT: DrawForSelect(); return 1;
      case EV_CREATE: IFC_x(); return 1;
      default: return ObjPlacedEvent(code, a, b, c, mb.Pos(), visible);
    }
  });
}

// ---------------------------------------------------------------- snowflake

void tw_Snow::Sbros() {
  owner = nullptr;
  sector = nullptr;
  int2 = int3 = visible = picture = column = row = driftCountdown = int9 = 0;
  float10 = x = y = z = float14 = float15 = float16 = float17 = float18 = 0.0f;
}

void tw_Snow::IFC_x(int kind) {
  picture = kSprPicture;
  column = 1;
  row = kind == 2 ? 2 : 4;
  int3 = 0;
  sector = nullptr;
  driftCountdown = 250;
  x = y = z = 0.0f;
}

void tw_Snow::Upd(int mode, int ex) {
  y -= zn::FrT(kFallPerMs);
  if (zn::ToZeroi(driftCountdown)) {
    driftCountdown = Rand2(200, 300);
    if (Rand2(0, 3) == 0) x -= 0.3f;
    else x += 0.2f;
    if (Rand2(0, 3) == 0) z -= 0.7f;
    else z += 0.4f;
  }
  // A flake belongs to a living sector: one without (a record whose sector
  // was not restored, or a sector gone) has nothing to be drawn by.
  if (y < 0.0f || Fgr_WrkNom(sector) != kSektorType) owner->Kill(1);
}

void tw_Snow::Draw() {
  visible = 0;
  if (Fgr_WrkNom(sector) == kSektorType) sector->Event(42, &visible);
  if (visible && Near2DToGlobKam(Pos(), kFlakeNear)) RenderM.quads[0].Add(owner, 1, 1, 0, picture, -1, -1);
}

void tw_Snow::OnRender_Spr(int pass) { ObjSprite(Pos(), column, row, kFlakeSize); }

OBJ_RECORD_RUN(tw_Snow, int2, int9, 8);
OBJ_RECORD_RUN(tw_Snow, float10, float18, 9);

template <class IO>
void tw_Snow::Record(IO& io) {
  io.Link(sector);
  io.Ints(&int2, &int9);
  io.Flos(&float10, &float18);
  io.Check(ObjAtlasCell(column, row));
}

int tw_Snow::AddToFile(FILE* f) { return ObjRecord_Save(*this, f); }

int tw_Snow::FromFile(FILE* f) { return ObjRecord_Load(*this, f, "snowflake"); }

void tw_Snow::OnEvent(int code, void* a, void* b, void* c, void* d) {
  ObjFrame_Dispatch(*this, pTekSnow, kSnowType, code, a, b, c, [&] {
    switch (code) {
      case EV_UPD_SELF: return 1;  // nothing to do
      case EV_UPD: Upd(ObjArgInt(a), ObjArgInt(b)); return 1;
      case EV_DRAW: Draw(); return 1;
      case EV_RENDER_SPR: OnRender_Spr(ObjArgPass(a)); return 1;
      case EV_DRAW_SELECT: return 1;  // a flake is not picked
      case EV_CREATE: IFC_x(ObjArgInt(a)); return 1;
      default: return ObjPlacedEvent(code, a, b, c, Pos(), visible);
    }
  });
}
