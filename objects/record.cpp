#include "objects/record.h"

#include <cmath>

#include "objects/heldranges.h"
#include "world/world.h"

void t_RecWrite::Vec(vec3& v) {
  Flo(v.x);
  Flo(v.y);
  Flo(v.z);
}

void t_RecWrite::Ints(int32_t* first, int32_t* last) { bytes_ += 4 * IntWriteMem(first, last, f_, kRecRunMax); }

void t_RecWrite::Flos(float* first, float* last) { bytes_ += 4 * FloWriteMem(first, last, f_, kRecRunMax); }

void t_RecWrite::Link(Fgr4*& link) { bytes_ += IntWrite(Fgr4_Status_LogNom(link), f_); }

void t_RecWrite::Place(t_MBase1& m) { bytes_ += m.AddToFile(f_); }

void t_RecWrite::Paf(t_PafMove1& p) {
  if (!f_) return;
  p.AddToFile(f_);
  bytes_ += t_PafMove1::kRecordSize;
}

void t_RecRead::Flo(float& v) { ok_ = ok_ && FloRead(v, f_) && std::isfinite(v); }

void t_RecRead::Dbl(double& v) {
  float f = 0;
  Flo(f);
  if (ok_) v = f;
}

void t_RecRead::Vec(vec3& v) {
  Flo(v.x);
  Flo(v.y);
  Flo(v.z);
}

void t_RecRead::Ints(int32_t* first, int32_t* last) {
  if (!ok_) return;
  ok_ = IntReadToMem(first, last, f_, kRecRunMax) == static_cast<int>(last - first + 1);
}

void t_RecRead::Flos(float* first, float* last) {
  if (!ok_) return;
  ok_ = FloReadToMem(first, last, f_, kRecRunMax) == static_cast<int>(last - first + 1);
  for (float* p = first; ok_ && p <= last; ++p) ok_ = std::isfinite(*p);
}

void t_RecRead::Link(Fgr4*& link) {
  int32_t n = 0;
  Int(n);
  if (!ok_) return;
  ok_ = Etap_LogNomOK(n);
  link = Etap_pFgrFromLogNom(n);
}

void t_RecRead::Place(t_MBase1& m) {
  if (!ok_) return;
  ok_ = m.FromFile(f_) == 1;
  // Every float of the placement is a number.
  for (const vec3* v : {&m.pos, &m.wing, &m.cap, &m.fwd, &m.hf})
    ok_ = ok_ && std::isfinite(v->x) && std::isfinite(v->y) && std::isfinite(v->z);
  for (float v : {m.pitch, m.yaw, m.roll, m.yawStep, m.speed, m.hiY, m.lowY, m.yRange, m.lowBase, m.zoneMinX,
                  m.zoneMaxX, m.zoneMinZ, m.zoneMaxZ})
    ok_ = ok_ && std::isfinite(v);
  held::Place(m);
}

void t_RecRead::Paf(t_PafMove1& p) {
  if (!ok_) return;
  const long at = std::ftell(f_);
  p.FromFile(f_);
  ok_ = at >= 0 && std::ftell(f_) - at == t_PafMove1::kRecordSize;
  for (const vec3* v : {&p.wayPoint, &p.vec2nd})
    ok_ = ok_ && std::isfinite(v->x) && std::isfinite(v->y) && std::isfinite(v->z);
}

void ObjRecord_Refused(const char* typeName, Fgr4* owner) {
  LogInfo("\n object base: the %s record of slot %d is cut short or holds bad values; not loaded\n", typeName,
          Fgr4_Status_LogNom(owner));
}
