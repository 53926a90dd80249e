#include "objects/unithelp.h"

#include <cmath>

#include "objects/kompult.h"
#include "objects/laser.h"
#include "objects/unit.h"
#include "render/render.h"
#include "world/world.h"

vec3 AddUnitRV[kAddUnitRVLast + 1];
float Distan1_LastRes = 0.0f;

namespace {
uint8_t Byte(int v) { return static_cast<uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v)); }

// Ring point k around the centre on the ground, raised by lift.
vec3 OnGround(vec3 centre, const vec3& k, float lift) {
  vec3 p = centre + k;
  p.y = Plit_GetOpora(p.x, p.y, p.z) + lift;
  return p;
}

// The command post of a side: the first of the two that answers that the
// side is its own (object event 48).
Fgr4* PostOfSide(int side) {
  for (Fgr4* post : {p1FgrKomPult, p2FgrKomPult}) {
    if (!post) continue;
    int s = side, answer = 0;
    post->Event(48, &s, &answer);
    if (Fgr4_Event_LastCallToDeadFgr == 0 && answer == side && side != 0) return post;
  }
  return nullptr;
}

// A unit of the preset next to the side's bunker, paid at the side's post.
void FromBunker(int preset, int side, float dx, float dz, bool flyer) {
  if (!FgrHld_AddWrkNetElit(tw_Unit::kType, preset, 1) || !pTekUnit) return;
  tw_Unit* u = pTekUnit;
  Fgr4* post = PostOfSide(side);
  Fgr4* bunker = post ? post->trigFind(25, 1) : nullptr;
  if (!bunker) return;
  vec3 b(0.0f);
  bunker->Event(EV_POSITION, &b.x, &b.y, &b.z);
  if (flyer) {
    u->mb.Pos(b.x + dx, gUnitLowAirY, b.z + dz);
  } else {
    u->mb.Pos(b.x + dx, b.y, b.z + dz);
    u->mb.PosYOpor();
  }
  u->iu[uiSide] = side;
  int k = 0, t = 0, x = 0;
  u->MyFgrEvent(50, &k, &t, &x);
  post->Event(50, &k, &t, &x);
}
}  // namespace

void AddUnitRadWireChain(vec3 centre, vec3* ring, int n, int r, int g, int b, int a, float lift, int queue,
                         vec3* out) {
  if (!ring || n <= 2) return;
  if (n > kAddUnitRVLast) n = kAddUnitRVLast;
  for (int k = 0; k < n; ++k) {
    AddUnitRV[k] = OnGround(centre, ring[k], lift);
    if (out) out[k] = AddUnitRV[k];
  }
  AddUnitRV[n] = AddUnitRV[0];
  int w = queue >= 2 && queue <= 4 ? queue - 1 : 0;
  RenderM.wire[w].AddChain(AddUnitRV, nullptr, n + 1, Byte(r), Byte(g), Byte(b), Byte(a));
}

void AddUnitRadiusLines(vec3 centre, vec3* ring32, vec3* ring40a, vec3* ring40b, int f1, int f2, int f3) {
  if (f1) AddUnitRadWireChain(centre, ring32, 32, 250, 210, 0, 215, 3.0f, 2, nullptr);
  if (f2) AddUnitRadWireChain(centre, ring40a, 40, 210, 180, 0, 170, 2.0f, 1, nullptr);
  if (f3) AddUnitRadWireChain(centre, ring40b, 40, 90, 180, 190, 85, 5.0f, 3, nullptr);
}

void DekorCrt_Laser(vec3 from, vec3 to, int, int brightness) {
  if (!FgrHld_AddWrk(15, 0, 1) || !pTekLaser) return;
  tw_Laser* l = pTekLaser;
  l->brightness = brightness;
  l->fadeStep = 4;
  l->fadeCountdown = 24;
  l->fadePeriod = 24;
  l->mb.Pos(from);
  l->setPointV(to);
}

void TestCar_FromBunker(int side) { FromBunker(2, side, 0.0f, 60.0f, false); }

void TestFly_FromBunker(int side) { FromBunker(4, side, 20.0f, -20.0f, true); }

void Camp_DoTehn(int, int) {}

int Camp_NameDoTehn(int tier, int side) {
  Fgr4* post = side == 1 ? p1FgrKomPult : p2FgrKomPult;
  if (!post) return 5;
  int t = tier, id = 5;
  post->Event(47, &t, &id);
  return id;
}

int Camp_NameTekDom(int) { return 60; }

void RandRavnoMerXZ(float& x, float& z, vec3 c, float r) {
  long rounded = std::lround(r);
  int n = rounded >= 2 && rounded <= 32767 ? static_cast<int>(rounded) : 20;
  x = Rand2F(c.x - r, c.x + r, n);
  z = Rand2F(c.z - r, c.z + r, n);
}

void ColorMatForUnits(int kind, float a, float k) {
  static const float kColours[10][3] = {{0, 0, 0},        {1, 0.2f, 0},     {0.9f, 0, 0.3f},  {0.9f, 0.6f, 0.3f},
                                        {0.9f, 0.9f, 0.1f}, {0.8f, 0.7f, 0.3f}, {0.7f, 1, 0.5f}, {0.6f, 0.8f, 0.7f},
                                        {0.4f, 0.6f, 0.8f}, {0.2f, 0.5f, 1}};
  const float* c = kColours[kind >= 1 && kind <= 9 ? kind : 0];
  ColorMatF(a, c[0] * k, c[1] * k, c[2] * k);
}

void globDraw_Path(float r, float g, float b, int& count, int& current, unsigned char steps[][2]) {
  if (!steps) return;
  for (int k = 0; k < count; ++k) {
    float x = steps[k][0] * 20.0f + 10.0f, z = steps[k][1] * 20.0f + 10.0f, y = 5.0f;
    if (!PlitHold.GetYPereWithVertikLine(x, y, z)) y = 5.0f;
    if (k == current) RenderM.box.Add(x, y + 3.0f, z, 2, 21, 2, r, g, b, 0, -1, -1, -1, 0);
    else RenderM.box.Add(x, y, z, 1, 18, 1, r, g, b, 0, -1, -1, -1, 0);
  }
}

float Distan1(float* a, float* b) {
  if (!a || !b) return 0.0f;
  return Distan1V(vec3(a[0], a[1], a[2]), vec3(b[0], b[1], b[2]));
}

float Distan1V(vec3 a, vec3 b) {
  float dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
  Distan1_LastRes = std::sqrt(dx * dx + dy * dy + dz * dz);
  return Distan1_LastRes;
}
