#include "world/mbase1.h"

#include <GL/gl.h>

#include <cmath>
#include <type_traits>

#include "render/geometry.h"
#include "world/plit.h"
#include "world/satint.h"

namespace {

constexpr float kDegToRad = 0.01745f;

// The 30 values of the file record in file order.
template <class Record, class Visit>
void EachFileValue(Record& m, Visit visit) {
  for (auto* v : {&m.pos, &m.wing, &m.cap, &m.fwd, &m.hf}) {
    visit(v->x);
    visit(v->y);
    visit(v->z);
  }
  for (auto* f : {&m.pitch, &m.yaw, &m.roll, &m.yawStep, &m.speed, &m.hiY, &m.lowY, &m.yRange, &m.lowBase,
                  &m.zoneMinX, &m.zoneMaxX, &m.zoneMinZ, &m.zoneMaxZ})
    visit(*f);
  visit(m.zoneOn);
  visit(m.targetYaw);
}

}  // namespace

void t_MBase1::Sbros() {
  pos = vec3(0, 0, 0);
  wing = vec3(1, 0, 0);
  cap = vec3(0, 1, 0);
  fwd = vec3(0, 0, 1);
  hf = vec3(0.5f, 0.5f, 0.5f);
  pitch = yaw = roll = yawStep = 0;
  speed = 0.001f;
  yRange = 400;
  lowBase = -100;
  hiY = 300;
  lowY = -100;
  zoneMinX = zoneMinZ = -9999;
  zoneMaxX = zoneMaxZ = 9999;
  zoneOn = 0;
  targetYaw = -1;
}

float t_MBase1::YRotAnti() const { return zn::Ring1f(yaw + 180.0f, 360.0f); }

vec3 t_MBase1::cGbr(int i) const {
  static const signed char kSigns[8][3] = {{1, 1, 1},  {1, 1, -1},  {-1, 1, -1},  {-1, 1, 1},
                                           {1, -1, 1}, {1, -1, -1}, {-1, -1, -1}, {-1, -1, 1}};
  if (i < 1 || i > 8) return vec3(0, 0, 0);
  const signed char* s = kSigns[i - 1];
  return vec3(pos.x + s[0] * hf.x, pos.y + s[1] * hf.y, pos.z + s[2] * hf.z);
}

int t_MBase1::PosNear2D(vec3 p, float r) const {
  return PointInRect2D(p.x, p.z, pos.x - r, pos.z - r, 2 * r, 2 * r);
}

// ---- setters

void t_MBase1::Pos(vec3 p) {
  pos = p;
  hiLowY();
  MonolitZon();
}

void t_MBase1::Pos(float x, float y, float z) { Pos(vec3(x, y, z)); }

void t_MBase1::Pos(float x, float z) {
  pos.x = x;
  pos.z = z;
  MonolitZon();
}

void t_MBase1::PosY(float y) {
  pos.y = y;
  hiLowY();
}

void t_MBase1::Skor(float s) { speed = zn::Absf(s); }

void t_MBase1::sPosHf_FrMinMax(float x1, float y1, float z1, float x2, float y2, float z2) {
  hf = vec3((x2 - x1) / 2, (y2 - y1) / 2, (z2 - z1) / 2);
  Pos(x1 + hf.x, y1 + hf.y, z1 + hf.z);
}

void t_MBase1::hiYSet(float h) {
  hiY = h;
  yRange = hiY - lowY;
}

void t_MBase1::lowYSet(float l) {
  lowBase = l;
  lowY = l;
  yRange = hiY - lowY;
}

void t_MBase1::setMatr(float p, float y, float r) {
  yawStep = 0;
  pitch = p;
  yaw = y;
  roll = r;
  UpdMatrix(3.0f);
}

void t_MBase1::CopyLookFr(const t_MBase1& other, int posOnly) {
  Pos(other.pos);
  if (!posOnly) setMatr(other.pitch, other.yaw, other.roll);
}

void t_MBase1::hiLowY() {
  if (pos.y > hiY) pos.y = hiY;
  if (lowY > pos.y) pos.y = lowY;
}

void t_MBase1::MonolitZon() {
  if (!zoneOn) return;
  if (pos.x > zoneMaxX) pos.x = zoneMaxX;
  if (zoneMinX > pos.x) pos.x = zoneMinX;
  if (pos.z > zoneMaxZ) pos.z = zoneMaxZ;
  if (zoneMinZ > pos.z) pos.z = zoneMinZ;
}

// ---- motion

void t_MBase1::Move(int axis) { Move(axis, 1.0f); }

void t_MBase1::Move(int axis, float k) {
  float step = zn::FrT(speed) * k;
  pos += (axis == 0 ? wing : (axis == 1 ? cap : fwd)) * step;
  hiLowY();
  MonolitZon();
}

void t_MBase1::Move2D(int axis, float k) {
  float step = zn::FrT(speed) * k;
  vec3 d = axis != 0 ? fwd : wing;
  d.y = 0;
  pos += normalize2(d) * step;
  MonolitZon();
}

void t_MBase1::RotAdd(float dPitch, float dYaw, float pitchMin, float pitchMax) {
  yawStep = dYaw;
  pitch += dPitch;
  zn::Tram(pitch, pitchMin, pitchMax);
  yaw += dYaw;
  zn::Ring2(yaw, 360.0f);
  UpdMatrix(3.0f);
}

int t_MBase1::AnTurnTo(vec3 target, float rate) {
  yawStep = 0;
  if (PosNear2D(target, 10.0f)) return 0;
  return ViewToPoint_PlavnoDone(0, zn::FrT(rate), vec3(target.x, pos.y, target.z), 1);
}

int t_MBase1::A2TurnTo(int& mode, vec3 target, float rate, float near) {
  yawStep = 0;
  if (PosNear2D(target, near)) return 0;
  return ViewToPoint_PlavnoDoneY(mode, zn::FrT(rate), vec3(target.x, pos.y, target.z));
}

int t_MBase1::ViewToPoint_PlavnoDone(float pitchStep, float yawStepWanted, vec3 target, int flatOnly) {
  vec3 d = target - pos;
  float yawTarget = UgFromVecPart(d.x, d.z, 0);
  int arrived = zn::Climb2Pov(yaw, yawStepWanted, yawTarget, 2.0f, 360.0f, yawStep);
  if (!flatOnly) {
    float pitchTarget = zn::Ring1f(-UgFromVecPart(d.y, d.z, 0), 360.0f);
    int pitchArrived = zn::Climb2(pitch, pitchStep, pitchTarget, 2.0f, 360.0f);
    arrived = arrived && pitchArrived;
  }
  UpdMatrix(3.0f);
  return arrived;
}

int t_MBase1::ViewToPoint_PlavnoDoneY(int mode, float step, vec3 target) {
  yawStep = 0;
  int cur = PosToInt(yaw);
  if (mode == 0) {
    vec3 d = target - pos;
    targetYaw = PosToInt(UgFromVecPart(d.x, d.z, 0));
    if (targetYaw < 0) return 1;
  }
  if (targetYaw == cur) return 1;
  int arrived = zn::Climb2Pov(yaw, step, static_cast<float>(targetYaw), 2.0f, 360.0f, yawStep);
  UpdMatrix(3.0f);
  return arrived;
}

// ---- terrain following

void t_MBase1::PosYOpor() { PosY(Plit_GetOpora(pos.x, pos.y, pos.z)); }

void t_MBase1::PosYOporClimb() {
  float support = Plit_GetOpora(pos.x, pos.y, pos.z);
  zn::Climb2(pos.y, zn::FrT(0.001f), support, 0.1f);
  hiLowY();
  MonolitZon();
}

void t_MBase1::hiLowY_FlyStolbUpdate(int ease, float step) {
  float m = Plit_xzGetMaxY(pos.x, pos.z);
  if (m < 0) m = 0;
  float target = m + lowBase;
  if (ease) zn::Climb2(lowY, zn::FrT(step), target, 0.1f);
  else lowY = target;
  hiY = lowY + yRange;
  hiLowY();
}

void t_MBase1::UpdMatrFrSurf(float dFwd, float dSide, vec3& front, vec3& back, vec3& sideA, vec3& sideB) {
  float a = yaw * kDegToRad;
  vec3 flatFwd(std::sin(a), 0, std::cos(a));
  vec3 flatSide(std::cos(a), 0, -std::sin(a));
  front = pos + flatFwd * dFwd;
  back = pos - flatFwd * dFwd;
  sideA = pos + flatSide * dSide;
  sideB = pos - flatSide * dSide;
  for (vec3* p : {&front, &back, &sideA, &sideB}) p->y = Plit_GetOpora(*p);

  float pitchTarget = AngleMej2V(front - back, vec3(fwd.x, 0, fwd.z));
  if (back.y > front.y) pitchTarget = -pitchTarget;
  zn::Climb2(pitch, zn::FrT(0.02f), pitchTarget, 1.0f);
  float rollTarget = AngleMej2V(sideA - sideB, vec3(wing.x, 0, wing.z));
  if (sideA.y > sideB.y) rollTarget = -rollTarget;
  zn::Climb2(roll, zn::FrT(0.01f), rollTarget, 1.0f);
  UpdMatrix(3.0f);
}

void t_MBase1::UpdMatr_Enerc() {
  zn::Climb2(pitch, zn::FrT(0.025f), 0, 1.0f);
  zn::Climb2(roll, zn::FrT(0.02f), 0, 1.0f);
  UpdMatrix(3.0f);
}

void t_MBase1::UpdMatrix(float limit) {
  float cp = std::cos(pitch * kDegToRad), sp = std::sin(pitch * kDegToRad);
  float cy = std::cos(yaw * kDegToRad), sy = std::sin(yaw * kDegToRad);
  if (zn::Outf(roll, -limit, limit)) {
    float cr = std::cos(roll * kDegToRad), sr = std::sin(roll * kDegToRad);
    wing = vec3(cy * cr + sp * sy * sr, -cp * sr, sp * cy * sr - sy * cr);
    cap = vec3(cy * sr - sp * sy * cr, cp * cr, -sy * sr - sp * cy * cr);
  } else {
    wing = vec3(cy, 0, -sy);
    cap = vec3(-sp * sy, cp, -sp * cy);
  }
  fwd = vec3(cp * sy, sp, cp * cy);
}

// ---- GL

void t_MBase1::MxTransOGL(float dy) const { glTranslatef(pos.x, pos.y + dy, pos.z); }

void t_MBase1::MxTraRotOGL() const {
  glTranslatef(pos.x, pos.y, pos.z);
  MxRotOGL();
}

void t_MBase1::MxRotOGL() const {
  glRotatef(yaw, 0, 1, 0);
  glRotatef(-pitch, 1, 0, 0);
  glRotatef(-roll, 0, 0, 1);
}

// ---- file

int t_MBase1::AddToFile(FILE* f) const {
  if (!f) return 0;
  int bytes = 0;
  EachFileValue(*this, [&](const auto& v) {
    if constexpr (std::is_same_v<std::decay_t<decltype(v)>, float>) bytes += FloWrite(v, f);
    else bytes += IntWrite(v, f);
  });
  return bytes;
}

int t_MBase1::FromFile(FILE* f) {
  if (!f) return 0;
  int whole = 1;
  EachFileValue(*this, [&](auto& v) {
    if constexpr (std::is_same_v<std::decay_t<decltype(v)>, float>) whole &= FloRead(v, f);
    else whole &= IntRead(v, f);
  });
  return whole;
}

// ---- world centre

float Plit_GlobCentrX() { return 2000.0f; }
float Plit_GlobCentrZ() { return 2000.0f; }

void SetStdMonolitZoneXZ(float& minX, float& minZ, float& maxX, float& maxZ, float n) {
  float d = 4000.0f / n;
  minX = Plit_GlobCentrX() - 2000.0f + d;
  minZ = Plit_GlobCentrZ() - 2000.0f + d;
  maxX = Plit_GlobCentrX() + 2000.0f - d;
  maxZ = Plit_GlobCentrZ() + 2000.0f - d;
}
