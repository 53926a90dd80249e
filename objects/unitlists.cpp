#include "objects/unitlists.h"

#include <climits>

#include "objects/cellindex.h"
#include "objects/modesglue.h"
#include "objects/modesglue.h"
#include "objects/unit.h"
#include "objects/unithelp.h"
#include "render/render.h"
#include "world/world.h"

int PlayerBanerID = 1;

Fgr4* PlayerSelected_[kPlayerSelectedLast + 1];
int PlayerSelected_Now;
void* PlayerSelected_Conv;
int PlayerSelected_ekx[kPlayerSelectedLast + 1];
int PlayerSelected_eky[kPlayerSelectedLast + 1];

Fgr4* PlayerUnits_[kUnitListCap];
int PlayerUnitsKlv;
Fgr4* PlaEnemyUnits_[kUnitListCap];
int PlaEnemyUnitsKlv;
vec3 PlayerUnitsOkrugPos[kSightListCap];
float PlayerUnitsOkrugR[kSightListCap];
int PlayerUnitsOkrugKlv;
int KlientMiniMapFgrX[kSightListCap];
int KlientMiniMapFgrY[kSightListCap];
uint8_t KlientMiniMapFgrClrNom[kSightListCap];
uint8_t KlientMiniMapFgrDotNom[kSightListCap];
int KlientMiniMapFgrKlv;

namespace {

// The searches' indexes of the three lists, and the laps that tell a unit's
// remembered list entry from one of an earlier frame.
t_CellIndex<kUnitListCap> ownIndex, enemyIndex;
t_CellIndex<kSightListCap> sightIndex;
int32_t ownLap = 0, enemyLap = 0;

// The body of a unit, whose moves are reported: it is indexed by its cell.
// Other types stay loose.
tw_Unit* UnitOf(Fgr4* f) { return f && f->WrkNom() == tw_Unit::kType ? static_cast<tw_Unit*>(f->body) : nullptr; }

void AddTo(Fgr4** list, int& count, t_CellIndex<kUnitListCap>& index, int which, int32_t lap, Fgr4* f) {
  if (!f || count >= kUnitListCap) return;
  int i = count++;
  list[i] = f;
  if (tw_Unit* u = UnitOf(f)) {
    index.Add(i, u->mb.pos, static_cast<float>(u->iu[uiRadius]));
    u->listWhich = which;
    u->listLap = lap;
    u->listIdx = i;
  } else {
    index.AddLoose(i);
  }
}

// The nearest live entry within its radius plus the range; ties keep the
// earlier entry. Positions and radii are read now: units earlier in the
// update pass have already moved this frame.
Fgr4* TryAtak(Fgr4* const* list, int count, const t_CellIndex<kUnitListCap>& index, vec3 p, float range) {
  Fgr4* best = nullptr;
  float bestD = 99000.0f;
  int bestIdx = INT_MAX;
  index.Each(p, range, [&](int i) {
    if (i >= count) return false;
    Fgr4* e = list[i];
    if (!e || !e->Status()) return false;  // killed earlier in this frame
    vec3 q;
    int radius = 0;
    if (const tw_Unit* u = UnitOf(e)) {
      q = u->mb.pos;
      radius = u->iu[uiRadius];
    } else {
      e->Event(EV_POSITION, &q.x, &q.y, &q.z);
      e->Event(51, &radius);
    }
    float d = Distan1V(p, q);
    if (!(d < bestD || (best && d == bestD && i < bestIdx))) return false;
    if (d < static_cast<float>(radius) + range) {
      best = e;
      bestD = d;
      bestIdx = i;
    }
    return false;
  });
  return best;
}

}  // namespace

// ---------------------------------------------------------------- selection

void PlayerSelectedReset() {
  for (int k = 1; k <= kPlayerSelectedLast; ++k) PlayerSelected_[k] = nullptr;
  PlayerSelected_Now = 0;
}

void PlayerSelectedOne(Fgr4* f) {
  if (!f) return;
  if (PlayerSelected_[1]) PlayerSelected_[0] = PlayerSelected_[1];
  PlayerSelectedReset();
  PlayerSelected_Now = 1;
  PlayerSelected_[1] = f;
}

void PlayerSelectedAdd(Fgr4* f) {
  if (!f || PlayerSelected_AnIn(f)) return;
  if (PlayerSelected_[1] && PlayerSelected_Now == 1) PlayerSelected_[0] = PlayerSelected_[1];
  if (PlayerSelected_Now >= kPlayerSelectedLast) {
    PlayerSelected_Now = kPlayerSelectedLast;
    return;
  }
  PlayerSelected_[++PlayerSelected_Now] = f;
}

int PlayerSelected_AnIn(Fgr4* f) {
  if (!f) return 0;
  for (int k = 1; k <= PlayerSelected_Now && k <= kPlayerSelectedLast; ++k)
    if (PlayerSelected_[k] == f) return 1;
  return 0;
}

int PlayerSelected_OnlyOne() { return PlayerSelected_Now == 1; }

namespace {
// Orders go only to the selected objects of the player's side (event 31); a
// picked enemy stays selected to be looked at, not commanded.
bool OwnSide(Fgr4* f) {
  int side = PlayerBanerID, own = 0;
  Fgr4_Event(f, 31, &side, &own);
  return own != 0;
}
}  // namespace

void PlayerSelected_AllToTarget(Fgr4* target) {
  if (!target || PlayerSelected_Now < 1) return;
  PlayerSelected_Conv = target;
  for (int k = 1; k <= PlayerSelected_Now && k <= kPlayerSelectedLast; ++k)
    if (OwnSide(PlayerSelected_[k])) Fgr4_Event(PlayerSelected_[k], EV_MOVE_TO_TARGET, &PlayerSelected_Conv);
}

void PlayerSelected_AllToPoint(vec3* point, int mode) {
  if (!point || PlayerSelected_Now < 1) return;
  PlayerSelected_Conv = point;
  for (int k = 1; k <= PlayerSelected_Now && k <= kPlayerSelectedLast; ++k)
    if (OwnSide(PlayerSelected_[k])) Fgr4_Event(PlayerSelected_[k], EV_MOVE_TO_POINT, &PlayerSelected_Conv, &mode);
}

void PlayerSelected_IconsUp(t_VPortKam* view) {
  if (!view || PlayerSelected_Now < 1) return;
  for (int k = 1; k <= PlayerSelected_Now && k <= kPlayerSelectedLast; ++k) {
    vec3 p(0.0f);
    if (!PlayerSelected_[k]) continue;
    PlayerSelected_[k]->Event(EV_POSITION, &p.x, &p.y, &p.z);
    GetPointToEkran(p, PlayerSelected_ekx[k], PlayerSelected_eky[k], view);
  }
}

// ---------------------------------------------------------------- lists

void PlayerUnits_OnStartLap() {
  PlayerUnitsKlv = 0;
  ownIndex.Reset();
  ++ownLap;
}

void PlaEnemyUnits_OnStartLap() {
  PlaEnemyUnitsKlv = 0;
  enemyIndex.Reset();
  ++enemyLap;
}

void PlayerUnitsOkrug_OnStartLap() {
  PlayerUnitsOkrugKlv = 0;
  sightIndex.Reset();
}

void KlientMiniMapFgr_OnStartLap() { KlientMiniMapFgrKlv = 0; }

void PlayerUnits_Add(Fgr4* f) { AddTo(PlayerUnits_, PlayerUnitsKlv, ownIndex, 0, ownLap, f); }

void PlaEnemyUnits_Add(Fgr4* f) { AddTo(PlaEnemyUnits_, PlaEnemyUnitsKlv, enemyIndex, 1, enemyLap, f); }

void UnitLists_Moved(Fgr4* f, vec3 pos) {
  tw_Unit* u = UnitOf(f);
  if (!u) return;
  if (u->listWhich == 0 && u->listLap == ownLap) ownIndex.Moved(u->listIdx, pos);
  else if (u->listWhich == 1 && u->listLap == enemyLap) enemyIndex.Moved(u->listIdx, pos);
}

void PlayerUnitsOkrug_Add(vec3 centre, float r) {
  if (PlayerUnitsOkrugKlv >= kSightListCap) return;
  int i = PlayerUnitsOkrugKlv++;
  PlayerUnitsOkrugPos[i] = centre;
  PlayerUnitsOkrugR[i] = r;
  sightIndex.Add(i, centre, r);
}

void PlayerUnitsOkrug_Try(vec3 p, float r, int& seen) {
  seen = 0;
  sightIndex.Each(p, r, [&](int i) {
    if (i >= PlayerUnitsOkrugKlv || !(Distan1V(p, PlayerUnitsOkrugPos[i]) < PlayerUnitsOkrugR[i] + r)) return false;
    seen = 1;
    return true;
  });
}

void KlientMiniMapFgr_Add(vec3 p, unsigned colour, unsigned kind) {
  if (colour >= 256 || kind >= 256 || KlientMiniMapFgrKlv >= kSightListCap) return;
  int i = KlientMiniMapFgrKlv++;
  KlientMiniMapFgrX[i] = PosToInt(p.x);
  KlientMiniMapFgrY[i] = PosToInt(p.z);
  KlientMiniMapFgrClrNom[i] = static_cast<uint8_t>(colour);
  KlientMiniMapFgrDotNom[i] = static_cast<uint8_t>(kind);
}

namespace {

// A dot kind's square: its side and how far it starts left of and below the
// dot, whether only its outline is drawn, and the picture of group 0 it is
// textured with (blended; -1 untextured). False for a kind without a shape.
struct t_DotShape {
  float side, offset;
  bool outline;
  int picture;
};

bool DotShape(int kind, t_DotShape& s) {
  switch (kind) {
    case 1: case 3: s = {2, 0, false, -1}; return true;
    case 2: case 4: s = {3, 1, false, -1}; return true;
    case 5: s = {4, 2, true, -1}; return true;
    case 6: s = {6, 3, true, -1}; return true;
    case 7: s = {7, 3, false, 8}; return true;
    case 8: s = {6, 3, false, 12}; return true;
    case 9: case 10: case 11: case 12: s = {5, 2, true, -1}; return true;
    default: return false;
  }
}

bool SameLook(const t_DotShape& a, const t_DotShape& b) { return a.outline == b.outline && a.picture == b.picture; }

// A shape's texture and blending: untextured and unblended, then for a
// picture that picture, blended.
void DotLook(const t_DotShape& s) {
  TexMat(0, -1, 0, -1, 0);
  NomBlend(0);
  if (s.picture < 0) return;
  TexMat(1, 0, s.picture, -1, 0);
  NomBlend(38);
}

// The dots' squares gathered for the array draws: corners and colours, in
// runs of squares of one look.
constexpr int kDotQuads = d2::kQArrayMax;
float dotXY[kDotQuads * 8];
float dotRGBA[kDotQuads * 16];
int dotQuads = 0;
struct t_DotRun {
  t_DotShape look;
  int first, count;
};
t_DotRun dotRuns[kDotQuads];
int dotRunCount = 0;

// The gathered squares: the arrays given to GL once, then each run with its
// look.
void DrawDotQuads() {
  if (!dotQuads) return;
  const bool begun = d2::QArraysBegin(dotXY, dotRGBA, dotQuads);
  for (int k = 0; k < dotRunCount; ++k) {
    const t_DotRun& run = dotRuns[k];
    DotLook(run.look);
    if (begun) d2::QArraysDraw(run.first, run.count, run.look.outline ? 0 : 1);
    if (run.look.picture >= 0) NomBlend(0);
  }
  if (begun) d2::QArraysEnd();
  dotQuads = dotRunCount = 0;
}

void AddDotQuad(const t_DotShape& s, int x, int y, float r, float g, float b) {
  if (dotQuads == kDotQuads) DrawDotQuads();
  if (!dotRunCount || !SameLook(s, dotRuns[dotRunCount - 1].look)) dotRuns[dotRunCount++] = {s, dotQuads, 0};
  ++dotRuns[dotRunCount - 1].count;
  const float x0 = static_cast<float>(x) - s.offset, y0 = static_cast<float>(y) - s.offset;
  const float x1 = x0 + s.side, y1 = y0 + s.side;
  const float corners[8] = {x0, y0, x1, y0, x1, y1, x0, y1};
  float* xy = dotXY + 8 * dotQuads;
  float* rgba = dotRGBA + 16 * dotQuads;
  for (int k = 0; k < 8; ++k) xy[k] = corners[k];
  for (int k = 0; k < 4; ++k) {
    rgba[4 * k] = r;
    rgba[4 * k + 1] = g;
    rgba[4 * k + 2] = b;
    rgba[4 * k + 3] = 1.0f;
  }
  ++dotQuads;
}

// The dots one by one, each square with its own state and draw.
void DotsEachAlone() {
  for (int i = 0; i < KlientMiniMapFgrKlv; ++i) {
    const int x = KlientMiniMapFgrX[i], y = KlientMiniMapFgrY[i], kind = KlientMiniMapFgrDotNom[i];
    ColorMat(255, 0, 0, 0);
    MMapNakladPreset(kind, x - 1, y - 1);
    RGB_ColorFlagSet(KlientMiniMapFgrClrNom[i], 1.0f);
    MMapNakladPreset(kind, x, y);
  }
}

}  // namespace

void MMapNakladPreset(int kind, int x, int y) {
  t_DotShape s;
  if (!DotShape(kind, s)) {
    TexMat(0, -1, 0, -1, 0);
    NomBlend(0);
    return;
  }
  DotLook(s);
  const float fx = static_cast<float>(x) - s.offset, fy = static_cast<float>(y) - s.offset;
  if (s.picture >= 0) {
    d2::Q(fx, fy, s.side, s.side);
    NomBlend(0);
  } else if (s.outline) {
    d2::Q_(fx, fy, s.side, s.side, 0);
  } else {
    d2::Q(fx, fy, s.side, s.side);
  }
}

// The squares of all dots go to GL as arrays, in the order the dots are
// drawn one by one (each dot's shadow, then its colour): the arrays given
// once, and one draw for each run of squares of one look. GL is left as the
// one-by-one drawing leaves it.
void MMapNakladDotsDraw() {
  NomBlend(0);
  if (RenderM_EachOrderAlone) {
    DotsEachAlone();
    return;
  }
  if (KlientMiniMapFgrKlv <= 0) return;
  ColorMat(255, 0, 0, 0);
  bool shaped = false;
  for (int i = 0; i < KlientMiniMapFgrKlv; ++i) {
    t_DotShape s;
    shaped = DotShape(KlientMiniMapFgrDotNom[i], s);
    if (!shaped) continue;
    const int x = KlientMiniMapFgrX[i], y = KlientMiniMapFgrY[i];
    float r, g, b;
    RGB_ColorFlag(KlientMiniMapFgrClrNom[i], r, g, b);
    AddDotQuad(s, x - 1, y - 1, 0, 0, 0);
    AddDotQuad(s, x, y, r, g, b);
  }
  DrawDotQuads();
  if (!shaped) {
    TexMat(0, -1, 0, -1, 0);
    NomBlend(0);
  }
  RGB_ColorFlagSet(KlientMiniMapFgrClrNom[KlientMiniMapFgrKlv - 1], 1.0f);
}

// ---------------------------------------------------------------- target search

Fgr4* PlayerUnits_TryAtak(vec3& p, float& range) {
  return TryAtak(PlayerUnits_, PlayerUnitsKlv, ownIndex, p, range);
}

Fgr4* PlaEnemyUnits_TryAtak(vec3& p, float& range) {
  return TryAtak(PlaEnemyUnits_, PlaEnemyUnitsKlv, enemyIndex, p, range);
}

Fgr4* GeneralUnits_TryAtak(vec3 p, float range, int side) {
  if (side < 1) return nullptr;
  if (side == PlayerBanerID) return PlaEnemyUnits_TryAtak(p, range);
  return PlayerUnits_TryAtak(p, range);
}
