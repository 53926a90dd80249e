// The unit's body: reset, creation from a preset, events and record.
#include "objects/unit.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

#include "objects/frame.h"
#include "objects/heldranges.h"
#include "objects/soundglue.h"
#include "objects/unitlists.h"
#include "objects/unitstab.h"
#include "render/geometry.h"
#include "render/models.h"
#include "ui/ui.h"
#include "world/world.h"

tw_Unit* pTekUnit = nullptr;
float gUnitLowAirY = 42.0f;

namespace {

// Tiles to world units, saturating instead of overflowing.
int32_t TilesToWorld(int32_t v) {
  int64_t w = static_cast<int64_t>(v) * 20;
  return static_cast<int32_t>(std::clamp<int64_t>(w, INT_MIN, INT_MAX));
}

template <class T>
T& Arg(void* p, T& fallback) {
  return p ? *static_cast<T*>(p) : fallback;
}

}  // namespace

// ---------------------------------------------------------------- body

void tw_Unit::Sbros() {
  owner = nullptr;
  sve = t_SveOkruj();
  zvuCount = 0;
  zvuLastPos = zvuVel = vec3(0.0f);
  for (vec3& v : surf) v = vec3(0.0f);
  target = link2 = nullptr;
  movePoint = vec3(0.0f);
  paf = t_PafMove1();
  std::fill(std::begin(iu), std::end(iu), 0);
  std::fill(std::begin(fu), std::end(fu), 0.0f);
  iu[uiSndChannel] = -1;
  for (int k = 0; k < 4; ++k) iu[uiRegTile + k] = iu[uiRegPair + k] = -1;
  mb.Sbros();
  for (t_MeshRec& m : mesh) m.Sbros();
  for (int k = 0; k < kItems; ++k) {
    items[k] = nullptr;
    itemStore[k].Sbros();
  }
  listWhich = listLap = listIdx = -1;
}

void tw_Unit::MyFgrEvent(int code, void* a, void* b, void* c, void* d) {
  if (Status()) owner->Event(code, a, b, c, d);
}

void tw_Unit::setName(const char* text) { Name12Store(&iu[uiName], text); }

const char* tw_Unit::getName12simb() const { return Name12ToBuffer(&iu[uiName]); }

void tw_Unit::CopyIntSborFrom(const tw_Unit* o) {
  if (o) std::copy(o->iu, o->iu + 143, iu);
}

void tw_Unit::CopyFloSborFrom(const tw_Unit* o) {
  if (o) std::copy(o->fu, o->fu + 26, fu);
}

// ---------------------------------------------------------------- creation

void tw_Unit::IFC_x(int preset) {
  SetPresetUnitsTabForUnit(preset, this);
  owner->active = 1;
  owner->ms_EtapD();
  owner->draw = 1;
  iu[uiSight] = TilesToWorld(iu[uiSight]);
  iu[uiDist2] = TilesToWorld(iu[uiDist2]);
  paf.onPath = 0;
  paf.step = 0;
  paf.wait = 0;
  paf.state = 0;
  paf.zanX = paf.zanZ = -1;
  paf.krutPov = 0;
  paf.w9 = 0;
  target = link2 = nullptr;
  mb.Sbros();
  mb.Pos(Plit_GlobCentrX() + Rand2F(-49, 51, 20), 0.0f, Plit_GlobCentrZ() + Rand2F(-49, 51, 20));
  mb.setGbr(5, 3, 7);
  mb.PosYOpor();
  fu[ufWanted] = fu[ufSpeed] = 0;
  fu[22] = 0;
  fu[ufTurretPitch] = -15;
  fu[ufRecoil] = 0;
  iu[uiWingL] = iu[uiWingR] = 1;
  Uni_IFC_Load();
}

void tw_Unit::MakeRings() {
  const t_ArItem* gun = Gun();
  if (gun && gun->w[t_ArItem::wRange1] != 0)
    Crt_CircleGoriz(ringShort, 32, static_cast<float>(gun->w[t_ArItem::wRange1]), 1);
  if (gun && gun->w[t_ArItem::wRange2] != 0)
    Crt_CircleGoriz(ringLong, 40, static_cast<float>(gun->w[t_ArItem::wRange2]), 1);
  Crt_CircleGoriz(ringSight, 40, static_cast<float>(iu[uiSight]), 1);
  Crt_CircleGoriz(ringSel, 16, static_cast<float>(iu[uiRadius]) + 2.0f, 1);
}

void tw_Unit::Uni_IFC_Load() {
  sve.mode = 1;
  proCar::Init0(&fu[ufWheel], &fu[ufSteer]);
  mb.Skor(fu[ufSpeed] / 1000.0f);
  if (Flies()) {
    mb.hiYSet(gUnitLowAirY + 80.0f);
    mb.lowYSet(gUnitLowAirY);
    mb.hiLowY_FlyStolbUpdate(0, 0.0f);
  }
  zvuLastPos = mb.Pos();
  zvuCount = 0;
  zvuVel = vec3(0.0f);
  for (int k = 0; k < kItems; ++k) {
    if (items[k] || !arOne.nomOK(iu[uiItem + k])) continue;
    items[k] = &itemStore[k];
    items[k]->Sbros();
    items[k]->FromTab(iu[uiItem + k]);
    items[k]->w[t_ArItem::wRange1] = TilesToWorld(items[k]->w[t_ArItem::wRange1]);
    items[k]->w[t_ArItem::wRange2] = TilesToWorld(items[k]->w[t_ArItem::wRange2]);
  }
  MakeRings();
  fu[1] = 1.2f;
}

// ---------------------------------------------------------------- record

void tw_Unit::AddToFile(FILE* f) {
  if (!f) return;
  owner->AddToFile(f);
  IntWrite(Fgr4_Status_LogNom(target), f);
  IntWrite(Fgr4_Status_LogNom(link2), f);
  VecToFile(movePoint, f);
  paf.AddToFile(f);
  IntWriteMem(&iu[0], &iu[uiIntCount - 1], f, 300);
  FloWriteMem(&fu[0], &fu[ufFloatCount - 1], f, 300);
  mb.AddToFile(f);
  for (const t_ArItem* item : items) {
    IntWrite(item ? 1 : 0, f);
    if (item) item->AddToFile(f);
  }
}

void tw_Unit::FromFile(FILE* f) {
  if (!f) return;
  owner->FromFile(f);
  int t = 0, l2 = 0;
  IntRead(t, f);
  IntRead(l2, f);
  target = Etap_pFgrFromLogNom(t);
  link2 = Etap_pFgrFromLogNom(l2);
  VecFrFile(movePoint, f);
  paf.FromFile(f);
  IntReadToMem(&iu[0], &iu[uiIntCount - 1], f, 300);
  FloReadToMem(&fu[0], &fu[ufFloatCount - 1], f, 300);
  mb.FromFile(f);
  for (int k = 0; k < kItems; ++k) {
    int present = 0;
    IntRead(present, f);
    if (present != 1) continue;
    if (!items[k]) {
      items[k] = &itemStore[k];
      items[k]->Sbros();
    }
    items[k]->FromFile(f);
  }
  ClampLoaded();
  Uni_IFC_Load();
}

// A record from a file is not trusted: every value used as an index is
// brought into range, and the tiles and sound channel it names are not this
// run's.
void tw_Unit::ClampLoaded() {
  zn::Tram(iu[uiPreset], 1, 4);
  for (int k : {int(uiModel), uiModel + 2, uiModel + 4}) zn::Tram(iu[k], 0, kMdlGroups - 1);
  if (iu[uiModel + 3] < 0) iu[uiModel + 3] = 0;
  iu[uiSndChannel] = -1;
  zn::Tram(iu[uiSlotCount], 0, 9);
  zn::Tram(iu[uiSelect], -1, 1);
  for (int k = 0; k < 4; ++k) iu[uiRegTile + k] = -1;
  for (int k : {int(uiTurnCount), int(uiMarkCount), int(uiStrikeCount)}) iu[k] = std::max(iu[k], 0);
  paf.step = std::clamp(paf.step, 0, t_PafMove1::kCells);
  paf.count = std::clamp(paf.count, 0, t_PafMove1::kCells);
  HoldRanges(held::kReach);
  for (t_ArItem* item : items)
    if (item)
      for (int k : {int(t_ArItem::wRange1), int(t_ArItem::wRange2)}) zn::Tram(item->w[k], 0, held::kReach);
  held::Place(mb);
  held::Pos(movePoint);
  // Axes that are not of unit length would carry the unit as far as they
  // are long: they are made afresh from the angles.
  for (const vec3* axis : {&mb.wing, &mb.cap, &mb.fwd}) {
    if (!(std::fabs(length(*axis) - 1.0f) < 0.01f)) {
      mb.UpdMatrix(3.0f);
      break;
    }
  }
}

void tw_Unit::HoldRanges(int32_t reach) {
  zn::Tram(iu[uiRadius], 0, held::kRadiusMax);
  zn::Tram(iu[uiSight], 0, reach);
  zn::Tram(iu[uiDist2], 0, reach);
  for (int k = uiPrice; k < uiPrice + 3; ++k) zn::Tram(iu[k], 0, held::kPriceMax);
  for (int k : {int(ufCruise), int(ufSlow), int(ufTurning), int(ufWaitCap), int(ufWanted), int(ufSpeed)})
    zn::Tram(fu[k], 0.0f, held::kSpeedMax);
  zn::Tram(fu[ufAccel], 0.0f, held::kAccelMax);
}

// ---------------------------------------------------------------- events

void tw_Unit::KomPultPay(int* a, int* b, int* c) const {
  if (a) *a = iu[uiPrice];
  if (b) *b = iu[uiPrice + 1];
  if (c) *c = iu[uiPrice + 2];
}

void tw_Unit::OnIconDraw(int x, int y, int w, int h) const {
  auto F = [](int v) { return static_cast<float>(v); };
  RTS_UnitBarsDraw(F(x), F(y), F(w), F(h), F(iu[uiHPMax]), F(iu[uiHP]), F(iu[uiArmorMax]), F(iu[uiArmor]),
                   F(iu[uiThirdMax]), F(iu[uiThird]), 0.0f, 0.0f, h == -1);
}

void tw_Unit::OnEvent(int code, void* a, void* b, void* c, void* d) {
  if (!ObjFrame_Enter(owner, kType, code)) return;
  int zero = 0;
  switch (code) {
    case EV_SAVE:
    case EV_LOAD: {
      FILE* f = a ? *static_cast<FILE**>(a) : nullptr;
      if (code == EV_SAVE) AddToFile(f);
      else FromFile(f);
      break;
    }
    case EV_UPD_SELF:
      UpdSelf(Arg(a, zero), Arg(b, zero));
      break;
    case EV_UPD:
      Upd(Arg(a, zero), Arg(b, zero));
      break;
    case EV_DRAW:
      Draw();
      break;
    case EV_RENDER:
      if (a) OnRender(*static_cast<uint16_t*>(a));
      break;
    case EV_RENDER_ARR: {
      int i = c ? *static_cast<uint16_t*>(c) : -1;
      if (i >= 0 && i < 3) {
        if (a) *static_cast<int*>(a) = mesh[i].first;
        if (b) *static_cast<int*>(b) = mesh[i].klv;
      }
      break;
    }
    case EV_RENDER_SPR:
      if (a) OnRender_Spr(*static_cast<uint16_t*>(a));
      break;
    case EV_DRAW_SELECT:
      DrawForSelect();
      break;
    case EV_CREATE:
      IFC_x(Arg(a, zero));
      break;
    case EV_DEACT:
      xDeReg();
      owner->active = 0;
      break;
    case EV_KILL:
      xDeReg();
      Sbros();
      return;
    case 31:
      if (a && b) *static_cast<int*>(b) = iu[uiSide] == *static_cast<int*>(a);
      break;
    case EV_MOVE_TO_TARGET:
      StaMoveToTarget(a, priv_Fgr4_EventSendToServer);
      break;
    case EV_MOVE_TO_POINT:
      StaMoveToPoint(a, b, priv_Fgr4_EventSendToServer);
      break;
    case EV_POSITION:
      if (a) *static_cast<float*>(a) = mb.pos.x;
      if (b) *static_cast<float*>(b) = mb.pos.y;
      if (c) *static_cast<float*>(c) = mb.pos.z;
      break;
    case EV_SOUND_PRIORITY:
      if (a) *static_cast<int*>(a) = iu[uiSndPriority];
      break;
    case EV_SOUND_CHANNEL:
      if (a) {
        int ch = *static_cast<int*>(a);
        iu[uiSndChannel] = ch >= 0 && ch <= ZSrcMainKot_Last ? ch : -1;
      }
      break;
    case EV_SOUND_POSITION:
      if (a) {
        int ch = *static_cast<int*>(a);
        if (ch >= 0 && ch <= ZSrcMainKot_Last) {
          ZSrc_PosV(ZSrcMainKot[ch], mb.Pos());
          ZSrc_VelV(ZSrcMainKot[ch], zvuVel);
        }
      }
      break;
    case 39:
      if (a && b && c && d)
        OnIconDraw(*static_cast<int*>(a), *static_cast<int*>(b), *static_cast<int*>(c), *static_cast<int*>(d));
      break;
    case 42:
      if (a) *static_cast<int*>(a) = iu[uiVisible];
      break;
    case 48:
      if (a && b && *static_cast<int*>(a) == iu[uiSide]) *static_cast<int*>(b) = iu[uiSide];
      break;
    case 50:
      KomPultPay(static_cast<int*>(a), static_cast<int*>(b), static_cast<int*>(c));
      break;
    case 51:
      if (a) *static_cast<int*>(a) = iu[uiRadius];
      break;
    case 52:
      if (a) *static_cast<int*>(a) = iu[uiHP];
      break;
    case 53:
      if (a) *static_cast<int*>(a) = iu[uiArmor];
      break;
    case 54:
      if (a) *static_cast<int*>(a) = iu[uiHP];
      if (b) *static_cast<int*>(b) = iu[uiArmor];
      if (c) *static_cast<int*>(c) = iu[uiThird];
      if (d) *static_cast<int*>(d) = 0;
      break;
    case 55:
      SetUron(Arg(a, zero), Arg(b, zero), static_cast<int*>(c));
      break;
    case 56:
      TBufUpdate(0, 0, "%s", getName12simb());
      break;
    default:
      ObjFrame_Common(owner, kType, code, a, b);
      break;
  }
  if (ObjFrame_WantsCurrent(code, b, c)) pTekUnit = this;
}
