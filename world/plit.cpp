// The terrain's tiles: indices and neighbours, the height query and the height
// edits, plateau status, ground types and their walkability layers, and the
// free functions on the global terrain.
#include "world/plit.h"

#include "render/geometry.h"
#include "ui/ui.h"
#include "world/satint.h"
#include "world/walkab.h"

float Plit1_s_coeff[4] = {0.005f, 0, 0, 0};
float Plit1_t_coeff[4] = {0, 0, -0.005f, 0};
float LM_s_coeff[4] = {0.00025f, 0, 0, 0};
float LM_t_coeff[4] = {0, 0, -0.00025f, 0};

namespace {

// Corners a height edit of a tile also writes in each neighbour, as
// (neighbour function, corner, corner); -1 for none.
struct SharedCorners {
  int (*near)(int);
  int k1, k2;
};
const SharedCorners kShared[8] = {
    {t_PlitHold::NearUg1, 3, -1},   {t_PlitHold::NearUg3, 0, -1},  {t_PlitHold::NearUg7, 2, -1},
    {t_PlitHold::NearUg9, 1, -1},   {t_PlitHold::NearRit6, 0, 1},  {t_PlitHold::NearUp8, 1, 2},
    {t_PlitHold::NearLeft4, 2, 3},  {t_PlitHold::NearDn2, 3, 0},
};

// Misses of the height query are logged, but only the first few: movers that
// stray off the map must not use up the log for everything else.
constexpr int kLoggedMisses = 16;
int gLoggedMisses = 0;

}  // namespace

// ---------------------------------------------------------------- tiles

void t_Plit1::Sbros() {
  type = 1;
  region = 1;
  variant = 0;
  rotation = 0;
  extra = 0;
  plato = 0;
  hmByte = 0;
}

t_PlitHold::t_PlitHold() {
  for (vec3& v : Vrt) v = vec3(0, 0, 0);
  for (vec2& v : UV2) v = vec2(0, 0);
  for (auto& c : Clr) c[0] = c[1] = c[2] = c[3] = 0;
  for (int i = 0; i < kPlitTiles; ++i) SetUVSlo2(i, 1, 1, 0, 0);
  DirtyVrt = DirtyUV2 = DirtyClr = 0;
}

int t_PlitHold::NomFrom2(int x, int z) {
  if (x < 1 || x > kPlitSide || z < 1 || z > kPlitSide) return -1;
  return z * kPlitSide + x - (kPlitSide + 1);
}

// x or z at 4000 would name a tile of the next row (or one past the last
// tile): the far edge counts as outside, like the near one.
int t_PlitHold::YchFrCoord(float x, float z) {
  int tx = PosToInt(x), tz = PosToInt(z);
  const int side = static_cast<int>(kPlitSide * kPlitEdge);
  if (tx <= 0 || tz <= 0 || tx >= side || tz >= side) return -1;
  return (tz / 20) * kPlitSide + tx / 20;
}

vec3 t_PlitHold::Vx(int i, int k) const {
  if (YchOut(i) || k < 0 || k > 3) return vec3(9999.0f, -999.0f, 9999.0f);
  return Vrt[4 * i + k];
}

int t_PlitHold::NearUp8(int i) { return YchOut(i) || isTopBort(i) ? -1 : i - kPlitSide; }
int t_PlitHold::NearDn2(int i) { return YchOut(i) || isBBort(i) ? -1 : i + kPlitSide; }
int t_PlitHold::NearLeft4(int i) { return YchOut(i) || isLBort(i) ? -1 : i - 1; }
int t_PlitHold::NearRit6(int i) { return YchOut(i) || isRBort(i) ? -1 : i + 1; }
int t_PlitHold::NearUg7(int i) { return YchOut(i) || isLBort(i) || isTopBort(i) ? -1 : i - kPlitSide - 1; }
int t_PlitHold::NearUg9(int i) { return YchOut(i) || isRBort(i) || isTopBort(i) ? -1 : i - kPlitSide + 1; }
int t_PlitHold::NearUg1(int i) { return YchOut(i) || isLBort(i) || isBBort(i) ? -1 : i + kPlitSide - 1; }
int t_PlitHold::NearUg3(int i) { return YchOut(i) || isRBort(i) || isBBort(i) ? -1 : i + kPlitSide + 1; }

// ---------------------------------------------------------------- heights

int t_PlitHold::GetYPereWithVertikLine(float x, float& y, float z) const {
  int i = YchFrCoord(x, z);
  if (i < 0) {
    if (gLoggedMisses < kLoggedMisses) {
      ++gLoggedMisses;
      LogInfo("\n GetYPere ... YchFrCoord < 0");
    }
    return 0;
  }
  const t_Plit1& t = Plit[i];
  if (t.plato) {
    y = t.minY;
    return 1;
  }
  const vec3* c = &Vrt[4 * i];
  auto near = [&](const vec3& p) { return zn::Absf(x - p.x) < 0.5f && zn::Absf(z - p.z) < 0.5f; };
  vec3 p0 = c[0];
  if (near(p0)) {
    y = p0.y;
    return 1;
  }
  float dx = x - p0.x, dz = z - p0.z;
  if (zn::Absf(dz - dx) < 0.2f) dz += 0.45f;
  bool lower = dz <= dx;  // triangle (0, 2, 3), else (0, 1, 2)
  vec3 a = lower ? c[2] : c[1];
  vec3 b = lower ? c[3] : c[2];
  if (near(a)) {
    y = a.y;
    return 1;
  }
  if (near(b)) {
    y = b.y;
    return 1;
  }
  if (lower) {
    p0.x -= 0.9f;
    a.z += 0.9f;
    b.x += 0.9f;
    b.z -= 0.9f;
  } else {
    p0.z -= 0.9f;
    a.x -= 0.9f;
    a.z += 0.9f;
    b.x += 0.9f;
  }
  const vec3 shift(5000.0f, 0, 5000.0f);
  vec3 hit;
  if (!_TriugLinePere_V(p0 - shift, a - shift, b - shift, vec3(x, -320.0f, z) - shift,
                        vec3(x, 320.0f, z) - shift, &hit))
    return 0;
  y = hit.y;
  return 1;
}

float t_PlitHold::GetMidY(int i) const {
  if (YchOut(i)) return 0;
  if (Plit[i].plato) return Plit[i].minY;
  const vec3* c = &Vrt[4 * i];
  return (c[0].y + c[1].y + c[2].y + c[3].y) / 4;
}

float t_PlitHold::GetMaxY(int i) const { return YchOut(i) ? 0 : Plit[i].maxY; }

int t_PlitHold::ZnaSame4(float a, float b, float c, float d, float tol) {
  float mean = (a + b + c + d) / 4;
  for (float v : {a, b, c, d})
    if (v < mean - tol || v > mean + tol) return 0;
  return 1;
}

void t_PlitHold::ZnaMinMax4(float& mn, float& mx, float a, float b, float c, float d) {
  mn = 9999.0f;
  mx = -9999.0f;
  for (float v : {a, b, c, d}) {
    if (v < mn) mn = v;
    if (v > mx) mx = v;
  }
}

void t_PlitHold::FindPlatoStatus(int i) {
  if (YchOut(i)) return;
  t_Plit1& t = Plit[i];
  const vec3* c = &Vrt[4 * i];
  if (ZnaSame4(c[0].y, c[1].y, c[2].y, c[3].y, 0.25f)) {
    t.plato = 1;
    t.minY = t.maxY = (c[0].y + c[1].y + c[2].y + c[3].y) / 4;
  } else {
    t.plato = 0;
    ZnaMinMax4(t.minY, t.maxY, c[0].y, c[1].y, c[2].y, c[3].y);
  }
}

void t_PlitHold::PlitVertSameY(int i, float y, int clearByte) {
  if (YchOut(i)) return;
  for (int k = 0; k < 4; ++k) Vrt[4 * i + k].y = y;
  t_Plit1& t = Plit[i];
  if (clearByte) t.hmByte = 0;
  t.plato = 1;
  t.minY = t.maxY = y;
  DirtyVrt = 1;
}

void t_PlitHold::VertY(int i, int k, float y, int clearByte) {
  if (YchOut(i) || k < 0 || k > 3) return;
  Vrt[4 * i + k].y = y;
  if (clearByte) Plit[i].hmByte = 0;
  FindPlatoStatus(i);
  DirtyVrt = 1;
}

void t_PlitHold::SetYAround(int i, float y, int onlyThis, int clearByte) {
  if (YchOut(i)) return;
  PlitVertSameY(i, y, clearByte);
  if (onlyThis) return;
  for (const SharedCorners& s : kShared) {
    int n = s.near(i);
    if (n < 0) continue;
    VertY(n, s.k1, y, clearByte);
    if (s.k2 >= 0) VertY(n, s.k2, y, clearByte);
  }
}

void t_PlitHold::PlitSetY(int i, float y, int onlyThis) { SetYAround(i, y, onlyThis, 1); }

void t_PlitHold::PlitSetY_FrHMap(int i, float y) { SetYAround(i, y, 0, 0); }

void t_PlitHold::MoveY(int i, float dy) {
  if (YchOut(i)) return;
  PlitSetY(i, Vrt[4 * i].y + dy, 0);
}

void t_PlitHold::PlitSetY_3x3(int i, float y, float k) {
  if (YchOut(i)) return;
  for (int n : {NearRit6(i), NearLeft4(i), NearUp8(i), NearDn2(i), NearUg1(i), NearUg3(i), NearUg7(i),
                NearUg9(i)})
    PlitSetY(n, y * k, 0);
  PlitSetY(i, y, 0);
}

void t_PlitHold::MoveY_3x3(int i, float dy, float k) {
  if (YchOut(i)) return;
  PlitSetY_3x3(i, Vrt[4 * i].y + dy, k);
}

// ---------------------------------------------------------------- types and layers

int t_PlitHold::TypeLandSame2(int i, int type) const {
  if (YchOut(i)) return -1;
  return Plit[i].type == type ? 1 : 0;
}

void t_PlitHold::MarkLayersOfType(int x, int z, int type) {
  switch (type) {
    case 8: PafLayOkupOuterMas(x, z, 1, 1, 1, 1, 1); break;
    case 7: PafLayOkupOuterMas(x, z, 0, 1, 1, 1, 1); break;
    case 6: PafLayOkupOuterMas(x, z, 0, 0, 1, 0, 1); break;
    case 5: PafLayOkupOuterMas(x, z, 0, 0, 0, 1, 1); break;
    default: break;
  }
}

// The tile's layers follow its new type at once, so a hill painted back to
// plain ground opens again without a reload. Layer 1 also holds the
// registrations of objects of kind 1; only type 8 marks it, so it is cleared
// only when the old type was 8.
void t_PlitHold::SetOnlyType(int i, int type) {
  if (YchOut(i)) return;
  int old = Plit[i].type;
  Plit[i].type = type;
  int x, z;
  NomTo2(i, x, z);
  if (old == 8) walkab1(x, z, 0);
  walkab2(x, z, 0);
  walkab3(x, z, 0);
  walkab4(x, z, 0);
  walkab5(x, z, 0);
  MarkLayersOfType(x, z, type);
}

void t_PlitHold::SetOnlyTypeBelt1(int i, int type) {
  if (YchOut(i)) return;
  for (int n : {NearUg1(i), NearUg3(i), NearUg7(i), NearUg9(i), NearDn2(i), NearLeft4(i), NearRit6(i), NearUp8(i)})
    SetOnlyType(n, type);
}

void t_PlitHold::SetUVTypeBelt1(int i, int type) {
  if (YchOut(i)) return;
  SetOnlyTypeBelt1(i, type);
  if (type == -1) return;
  for (int n : {NearUg1(i), NearUg3(i), NearUg7(i), NearUg9(i), NearDn2(i), NearLeft4(i), NearRit6(i), NearUp8(i)})
    SetUVSlo2(n, type, 0, 0, 0);
}

void t_PlitHold::PafLayOkupOuterMas(int x, int z, int l1, int l2, int l3, int l4, int l5) {
  if (l1) walkab1(x, z, 1);
  if (l2) walkab2(x, z, 1);
  if (l3) walkab3(x, z, 1);
  if (l4) walkab4(x, z, 1);
  if (l5) walkab5(x, z, 1);
}

void t_PlitHold::PafLayOkupOuterMas(int i, int l1, int l2, int l3, int l4, int l5) {
  if (YchOut(i)) return;
  int x, z;
  NomTo2(i, x, z);
  PafLayOkupOuterMas(x, z, l1, l2, l3, l4, l5);
}

void t_PlitHold::PafLayClearOuterMas(int x, int z) {
  walkab1(x, z, 0);
  walkab2(x, z, 0);
  walkab3(x, z, 0);
  walkab4(x, z, 0);
  walkab5(x, z, 0);
}

void t_PlitHold::PafLayClearOuterMas(int i) {
  if (YchOut(i)) return;
  int x, z;
  NomTo2(i, x, z);
  PafLayClearOuterMas(x, z);
}

void t_PlitHold::reSbrosPafLay() {
  walkabBulkBegin();
  for (int i = 0; i < kPlitTiles; ++i) PafLayClearOuterMas(i);
  walkabBulkEnd();
}

void t_PlitHold::reUpdatePafLay() {
  walkabBulkBegin();
  for (int i = 0; i < kPlitTiles; ++i) {
    t_Plit1& t = Plit[i];
    if (t.minY < -2.0f) t.type = 6;
    int x, z;
    NomTo2(i, x, z);
    MarkLayersOfType(x, z, t.type);
  }
  walkabBulkEnd();
}

// ---------------------------------------------------------------- lay-out

void t_PlitHold::PlitXZ_Init() {
  for (int i = 0; i < kPlitTiles; ++i) {
    int c, r;
    NomTo2(i, c, r);
    float x = c * kPlitEdge, z = r * kPlitEdge;
    vec3* v = &Vrt[4 * i];
    v[0] = vec3(x, 0, z);
    v[1] = vec3(x, 0, z + kPlitEdge);
    v[2] = vec3(x + kPlitEdge, 0, z + kPlitEdge);
    v[3] = vec3(x + kPlitEdge, 0, z);
  }
  DirtyVrt = 1;
}

void t_PlitHold::FirstLayout() {
  reSbrosPafLay();
  for (auto& c : Clr) c[0] = c[1] = c[2] = c[3] = 255;
  PlitXZ_Init();
  for (int r = 0; r < kPlitSide; r += 2) {
    for (int c = 0; c < kPlitSide; c += 2) {
      float k = Rand2F(0.7f, 0.9f, 4);
      float y = Rand2F(0.0f, 5.0f, 10);
      PlitSetY_3x3(r * kPlitSide + c, y, k);
    }
  }
  for (int i = 0; i < kPlitTiles; ++i) FindPlatoStatus(i);
  reMakeVBO(1, 1, 1);
  DirtyVrt = DirtyUV2 = DirtyClr = 0;
  for (int n = 0; n < kLoskCount; ++n) Losk[n].Init(n, kPlitSide, kLoskSide);
  reUpdatePafLay();
}

// ---------------------------------------------------------------- free functions

float Plit_MidY(float x, float z) { return PlitHold.GetMidY(PlitHold.YchFrCoord(x, z)); }

int Plit_GetOpora(float& y, float x, float yDefault, float z) {
  float h = yDefault;
  if (PlitHold.GetYPereWithVertikLine(x, h, z)) {
    y = h;
    return 1;
  }
  y = yDefault;
  return 0;
}

float Plit_GetOpora(float x, float yDefault, float z) {
  float y;
  Plit_GetOpora(y, x, yDefault, z);
  return y;
}

float Plit_GetOpora(vec3& p) {
  float y = p.y;
  if (PlitHold.GetYPereWithVertikLine(p.x, y, p.z)) return y;
  if (PlitHold.GetYPereWithVertikLine(p.x + 0.4f, y, p.z + 0.3f)) return y;
  return p.y;
}

vec3 Plit_GetOporaPos(vec3 p) {
  PlitHold.GetYPereWithVertikLine(p.x, p.y, p.z);
  return p;
}

vec3 Plit_GetMidYchCoord(vec3 p) {
  int i = PlitHold.YchFrCoord(p.x, p.z);
  if (i < 0) return p;
  int c, r;
  t_PlitHold::NomTo2(i, c, r);
  float x0 = c * kPlitEdge, z0 = r * kPlitEdge;
  float y = p.y;
  PlitHold.GetYPereWithVertikLine(x0, y, z0);
  return vec3(x0 + kPlitEdge / 2, y, z0 + kPlitEdge / 2);
}

float Plit_xzGetMaxY(float x, float z) { return PlitHold.GetMaxY(x, z); }

void Plit_SetTypeAnUV(int i, int type, int, int, int, int) {
  PlitHold.SetUVSlo2(i, type, 0, 0, 0);
  PlitHold.SetOnlyType(i, type);
  *o2::PlitLastLandT = type;
}

void Plit_SetTypeAnUV_Sand(int i) {
  PlitHold.SetUVSlo2(i, 3, 0, 0, 0);
  PlitHold.SetOnlyType(i, 3);
  *o2::PlitLastLandT = 3;
}

void Plit_SetTypeAnUV_Holm(int i) {
  PlitHold.SetOnlyType(i, 5);
  *o2::PlitLastLandT = 5;
  PlitHold.SetUVSlo2(i, 5, 0, 0, 0);
  if (*o2::PlitBrushSize == 3) PlitHold.SetUVTypeBelt1(i, 5);
}

void Plit_Init() {
  static int firstTime = 1;
  if (!firstTime) return;
  firstTime = 0;
  PlitHold.FirstLayout();
}

void Plit_Kill() { PlitHold.ReleaseGL(); }

void test_PlitHoldGetYPere() {
  uint32_t start = sysTime();
  int errors = 0;
  for (int a = 0; a < 500; ++a) {
    for (int b = 0; b < 500; ++b) {
      float y = 0;
      if (!PlitHold.GetYPereWithVertikLine(80.0f + a * 0.1f, y, 80.0f + b * 0.1f)) ++errors;
    }
  }
  LogInfo("\n test pere  %d milli ( %d errors )\n", static_cast<int>(sysTime() - start), errors);
}
