#include "objects/kompult.h"

#include <algorithm>
#include <cstdint>

#include "objects/frame.h"
#include "objects/heldranges.h"
#include "objects/modesglue.h"
#include "objects/record.h"
#include "objects/sceneobj.h"
#include "objects/scr_frm.h"
#include "objects/techglue.h"
#include "objects/unit.h"
#include "objects/unitlists.h"
#include "render/render.h"
#include "world/world.h"

tw_KomPult* pTekKomPult = nullptr;
Fgr4* p1FgrKomPult = nullptr;
Fgr4* p2FgrKomPult = nullptr;
tw_KomPult* p1KomPult = nullptr;
tw_KomPult* p2KomPult = nullptr;
int globKredi = 0;
int globTopli = 0;

namespace {
// A new post's balances and production.
constexpr int kStartCredits = 4553, kStartFuel = 1532;
constexpr int kFirstCarMs = 9000, kNextCarMs = 21000, kCars = 4;
// The unit preset a post produces, and where: this far from the bunker in x
// and in z.
constexpr int kCarPreset = 2;
constexpr float kBesideBunker = 60.0f;
// The spawn mark of the bunker a post produces at.
constexpr int kSpawnMark = 1;
// The post's box: half-size 2; a selected post's marker 6 above it.
const vec3 kBoxHalf(2, 2, 2);
const vec3 kSelHalf(0.5f, 1, 0.5f);
constexpr float kSelLift = 6.0f;
}  // namespace

void tw_KomPult::Sbros() {
  owner = nullptr;
  tehBox = nullptr;
  angle = 0.0f;
  int0 = side = selected = visible = credits = fuel = countdown = carsLeft = int8 = 0;
  mb.Sbros();
}

void tw_KomPult::IFC_x(int kind) {
  credits = kStartCredits;
  fuel = kStartFuel;
  countdown = kFirstCarMs;
  carsLeft = kCars;
  selected = 0;
  angle = 1.0f;
  tehBox = nullptr;
  mb.Sbros();
}

void tw_KomPult::fgrTehBoxSet(tw_KomTehBox* box) {
  if (box) tehBox = box->mf_forKomPult();
}

namespace {
// A balance after paying a price, held within the balance range either way
// however many payments come.
int32_t Paid(int32_t balance, int price) {
  return static_cast<int32_t>(
      std::clamp<int64_t>(static_cast<int64_t>(balance) - price, -held::kBalanceMax, held::kBalanceMax));
}
}  // namespace

void tw_KomPult::UsePay(int kr, int oil, int x) {
  credits = Paid(credits, kr);
  fuel = Paid(fuel, oil);
  if (side == PlayerBanerID) {
    globKredi = credits;
    globTopli = fuel;
  }
}

void tw_KomPult::UpdSelf(int mode, int flag) { selected = PlayerSelected_AnIn(owner) ? 1 : 0; }

void tw_KomPult::Upd(int mode, int ex) {
  if (side != PlayerBanerID) {
    if (carsLeft >= 1 && zn::ToZeroi(countdown)) {
      countdown = kNextCarMs;
      --carsLeft;
      TryAddCar();
    }
  } else {
    globKredi = credits;
    globTopli = fuel;
  }
  if (ex) UpdEx();
}

void tw_KomPult::UpdEx() { ObjTurnAngle(angle); }

void tw_KomPult::TryAddCar() {
  // The bunker first: without one no unit is made.
  Fgr4* bunker = owner->trigFind(25, kSpawnMark);
  if (!bunker) return;
  if (!FgrHld_AddWrkNetElit(tw_Unit::kType, kCarPreset, 1) || !pTekUnit) return;
  tw_Unit* u = pTekUnit;
  vec3 b(0.0f);
  bunker->Event(EV_POSITION, &b.x, &b.y, &b.z);
  u->mb.Pos(b.x + kBesideBunker, 0.0f, b.z + kBesideBunker);
  u->mb.PosYOpor();
  u->iu[uiSide] = side;
  const vec3 to(Plit_GlobCentrX() + Rand2F(0, 200, 10) - 100, 0.0f, Plit_GlobCentrZ() + Rand2F(0, 200, 10));
  u->StaMoveToPointAutoPilot(to, 1);
  int kr = 0, oil = 0, x = 0;
  u->MyFgrEvent(50, &kr, &oil, &x);
  owner->Event(50, &kr, &oil, &x);
}

void tw_KomPult::Draw() {
  if (!ObjBoxInView(mb)) {
    visible = 0;
    return;
  }
  visible = 1;
  const vec3 p = mb.Pos();
  float r, g, b;
  RGB_ColorFlag(side, r, g, b);
  RenderM.box.Add(p.x, p.y, p.z, kBoxHalf.x, kBoxHalf.y, kBoxHalf.z, r, g, b, 0, -1, 0, -1, 0);
  if (selected)
    RenderM.box.Add(p.x, p.y + kSelLift, p.z, kSelHalf.x, kSelHalf.y, kSelHalf.z, r, g, b, 0, -1, 0, -1, 0);
  ObjEditorFrame(mb, 80.0f);
}

void tw_KomPult::DrawForSelect() { ObjDrawForSelect(mb, vec3(0.0f), kBoxHalf); }

OBJ_RECORD_RUN(tw_KomPult, int0, int8, 9);

template <class IO>
void tw_KomPult::Record(IO& io) {
  io.Link(tehBox);
  io.Flo(angle);
  io.Ints(&int0, &int8);
  io.Place(mb);
  io.Check(angle >= 0.0f && angle <= 360.0f);
}

int tw_KomPult::AddToFile(FILE* f) { return ObjRecord_Save(*this, f); }

int tw_KomPult::FromFile(FILE* f) {
  if (!ObjRecord_Load(*this, f, "command post")) return 0;
  for (int32_t* balance : {&credits, &fuel}) zn::Tram(*balance, -held::kBalanceMax, held::kBalanceMax);
  // A link to an object already loaded that is not a technology box (the post
  // itself among them) can never answer the tier query: it is dropped. A
  // link to a slot loaded later is checked when the query comes.
  if (tehBox && tehBox->Status() && !TehBoxLive()) {
    LogInfo("\n object base: the command post of slot %d names slot %d, which is no technology box; link dropped\n",
            Fgr4_Status_LogNom(owner), Fgr4_Status_LogNom(tehBox));
    tehBox = nullptr;
  }
  return 1;
}

int tw_KomPult::TehBoxLive() const { return Fgr_WrkNom(tehBox) == tw_KomTehBox::kType; }

void tw_KomPult::OnEvent(int code, void* a, void* b, void* c, void* d) {
  ObjFrame_Dispatch(*this, pTekKomPult, kType, code, a, b, c, [&] {
    switch (code) {
      case EV_UPD_SELF: UpdSelf(ObjArgInt(a), ObjArgInt(b)); return 1;
      case EV_UPD: Upd(ObjArgInt(a), ObjArgInt(b)); return 1;
      case EV_DRAW: Draw(); return 1;
      case EV_RENDER: return 1;  // the post is drawn by the box queue
      case EV_DRAW_SELECT: DrawForSelect(); return 1;
      case EV_CREATE: IFC_x(ObjArgInt(a)); return 1;
      case 47:
        // The tier query goes to the technology box; without a live one the
        // asker keeps its own answer (a link that came to name another post,
        // or this one, would pass the query round without end).
        if (TehBoxLive()) tehBox->Event(47, a, b);
        return 1;
      case 48:
        if (a && b && *static_cast<int*>(a) == side) *static_cast<int*>(b) = side;
        return 1;
      case 50:
        UsePay(ObjArgInt(a), ObjArgInt(b), ObjArgInt(c));
        return 1;
      default: return ObjPlacedEvent(code, a, b, c, mb.Pos(), visible);
    }
  });
}
