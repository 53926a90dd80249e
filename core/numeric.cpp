#include "core/numeric.h"

#include <cstdint>
#include <cstring>
#include <utility>

// ---- random generator ----------------------------------------------------

namespace {
uint32_t gRandState = 1;

// Truncation of a float toward zero into an int, saturating at the int range.
int truncInt(float v) {
  if (!(v > -2147483648.0f)) return v != v ? 0 : INT32_MIN;
  if (v >= 2147483647.0f) return INT32_MAX;
  return (int)v;
}
}  // namespace

int sysRand() {
  gRandState = gRandState * 214013u + 2531011u;
  return (int)((gRandState >> 16) & 0x7FFF);
}

void sysSRand(unsigned seed) { gRandState = seed; }

// ---- zn: clamps and steps ------------------------------------------------

float ResLastClimbSign = 0;

namespace zn {

int Tram(float& v, float lo, float hi) {
  if (v < lo) { v = lo; return 1; }
  if (v > hi) { v = hi; return 1; }
  return 0;
}

int Tram(int& v, int lo, int hi) {
  if (v < lo) { v = lo; return 1; }
  if (v > hi) { v = hi; return 1; }
  return 0;
}

float fTram(float v, float lo, float hi) {
  float m = v < lo ? lo : v;
  return hi < m ? hi : m;
}

void Add(float& v, float d, float lo, float hi) {
  v += d;
  if (lo > v) v = lo;
  if (v > hi) v = hi;
}

void Add(int& v, int d, int lo, int hi) {
  int64_t r = (int64_t)v + d;
  if (lo > r) r = lo;
  if (r > hi) r = hi;
  v = (int)(r < INT32_MIN ? INT32_MIN : (r > INT32_MAX ? INT32_MAX : r));
}

float fAdd(float v, float d, float lo, float hi) {
  Add(v, d, lo, hi);
  return v;
}

void Addw(float& v, float d, float lo, float hi) {
  // A step wider than the span either way cannot be wrapped by one correction.
  float span = hi - lo;
  if (!(lo <= hi) || !(d <= span) || !(-d <= span)) return;
  v += d;
  if (v > hi) v -= span;
  else if (v < lo) v += span;
}

void Addw(int& v, int d, int lo, int hi) {
  if (!(lo < hi)) return;
  int64_t r = (int64_t)v + d, n = (int64_t)hi - lo + 1;
  if (r > hi) r = (r - lo) % n + lo;
  else if (r < lo) r = (r - hi) % n + hi;
  v = (int)r;
}

int ToDn(float& v, float lim) {
  if (v > lim) { v = lim; return 1; }
  return 0;
}

int Outf(float v, float lo, float hi) { return v < lo ? 1 : (v > hi ? 2 : 0); }
int Outi(int v, int lo, int hi) { return v < lo ? 1 : (v > hi ? 2 : 0); }
int Ineri(int v, int a, int len) { return (a < v && (int64_t)v < (int64_t)a + len) ? 1 : 0; }

void Abs(float& v) {
  if (v < 0) v = -v;
}
void Abs(int& v) {
  if (v < 0) v = v == INT32_MIN ? INT32_MAX : -v;
}
float Absf(float v) { return v < 0 ? -v : v; }
int Absi(int v) { return v < 0 ? (v == INT32_MIN ? INT32_MAX : -v) : v; }

void Swap(int& a, int& b) { std::swap(a, b); }

int FlagSwap(int& v) {
  v = v > 0 ? 0 : 1;
  return v;
}

float Perc(float v, float base, float scale) { return v / (base / 100) / 100 * scale; }
float Perc2(float v, float base, float scale) { return v / base / 100 * scale; }

void MidBall(int& v, int step, float k) {
  if (v == 0) return;
  int64_t s = step < 0 ? -(int64_t)step : step;
  if (-s <= v && v <= s) {
    v = 0;
    return;
  }
  int64_t r = v > 0 ? v - s : v + s;
  v = truncInt((float)r * k);
}

int ModTms(int a, int b) {
  if (b == 0) return 0;
  int64_t q = (int64_t)a / b;
  q = q < 0 ? -q : q;
  return q > INT32_MAX ? INT32_MAX : (int)q;
}

// ---- rings ---------------------------------------------------------------

int Ring1(float& v, float ring) {
  if (v < 0) { v += ring; return 1; }
  if (v > ring) { v -= ring; return 1; }
  return 0;
}

float Ring1f(float v, float ring) {
  Ring1(v, ring);
  return v;
}

int Ring1i(int v, int ring) {
  if (v < 0) return v + ring;
  if (v > ring) return v - ring;
  return v;
}

void Ring2(float& v, float ring) {
  for (int i = 0; i < 8 && Ring1(v, ring); i++) {
  }
}

void ModRing(float& v, float ring) {
  ring = Absf(ring);
  if (v < 0) v += (float)(ModTms(truncInt(v), truncInt(ring)) + 1) * ring;
  else if (v > ring) v -= (float)ModTms(truncInt(v), truncInt(ring)) * ring;
}

int OutOnRingf(float v, float lo, float hi, float ring) {
  if (lo < 0 && v > ring / 2) {
    if (v <= hi) return 1;
    return v <= Ring1f(lo, ring) ? 1 : 0;
  }
  if (hi > ring && v < ring / 2) {
    if (lo <= v) return 1;
    return Ring1f(hi, ring) <= v ? 1 : 0;
  }
  return (v < lo || v > hi) ? 1 : 0;
}

// ---- climbs --------------------------------------------------------------

int PribProvPivB(float& v, float step, float target) {
  if (target < v) {
    v -= step;
    if (v < target) { v = target; return 1; }
  } else if (v < target) {
    v += step;
    if (v > target) { v = target; return 1; }
  }
  return 0;
}

int Climb(float& out, float v, float step, float target, float tol) {
  step = Absf(step);
  tol = Absf(tol);
  if (Outf(v, target - tol, target + tol) == 0) { out = target; return 1; }
  float c = v;
  if (PribProvPivB(c, step, target)) { out = target; return 1; }
  if (Outf(c, target - tol, target + tol) == 0) { out = target; return 1; }
  out = c;
  return 0;
}

int Climb2(float& v, float step, float target, float tol) { return Climb(v, v, step, target, tol); }

int Climb(float& out, float v, float step, float target, float tol, float ring, int wrapTarget) {
  step = Absf(step);
  tol = Absf(tol);
  ring = Absf(ring);
  ToDn(step, 0.2f * ring);
  ToDn(tol, 0.1f * ring);
  if (wrapTarget != 0) ModRing(target, ring);
  Ring1(v, ring);
  if (v == target || OutOnRingf(v, target - tol, target + tol, ring) == 0) {
    out = target;
    return 1;
  }
  return Climb_Ring(out, v, step, target, tol, ring);
}

int Climb_Ring(float& out, float v, float step, float target, float tol, float ring) {
  float half = ring * 0.5f, lo = target - tol, hi = target + tol;
  ResLastClimbSign = 0;

  float m = v - step;
  if (OutOnRingf(Ring1f(m, ring), lo, hi, ring) == 0) { out = target; return 1; }
  if (target < v && m < target) { out = target; return 1; }
  if (target >= v && m < 0 && half < target && m < target - ring) { out = target; return 1; }
  float dm = (target < m ? target + ring : target) - m;
  if (dm > half) dm = ring - dm;

  float p = v + step;
  if (OutOnRingf(Ring1f(p, ring), lo, hi, ring) == 0) { out = target; return 1; }
  if (v < target && p > target) { out = target; return 1; }
  if (v >= target && p > ring && target < half && p > target + ring) { out = target; return 1; }
  float dp = (target < p ? target + ring : target) - p;
  if (dp > half) dp = ring - dp;

  if (dp < dm) {
    out = p;
    ResLastClimbSign = 1;
  } else {
    out = m;
    ResLastClimbSign = -1;
  }
  Ring1(out, ring);
  if (OutOnRingf(out, lo, hi, ring) == 0) { out = target; return 1; }
  return 0;
}

int Climb2(float& v, float step, float target, float tol, float ring) {
  return Climb(v, v, step, target, tol, ring, 0);
}

int Climb2Pov(float& v, float step, float target, float tol, float ring, float& turn) {
  turn = 0;
  int r = Climb(v, v, step, target, tol, ring, 0);
  if (!r) turn = Absf(step) * ResLastClimbSign;
  return r;
}

}  // namespace zn

namespace mr {
int GetIntKlv_OnMemPart(const int* a, const int* b) {
  uintptr_t pa = (uintptr_t)a, pb = (uintptr_t)b;
  if (pa >= pb) return 0;
  return (int)((pb - pa) / sizeof(int)) + 1;
}
}  // namespace mr

// ---- random values -------------------------------------------------------

int Rand2(int a, int b) {
  int64_t n = (int64_t)b - a + 1;
  if (n < 1) return a;  // outside the domain (b < a): the lower bound
  return (int)(a + sysRand() % n);
}

float Rand2F(float a, float b, int steps) {
  if (steps < 1) return b;
  return a + (b - a) / (float)steps * (float)(sysRand() % steps + 1);
}

float getRandomMinMax(float a, float b) { return (float)((b - a) * (sysRand() / 32767.0) + a); }

vec3 getRandomVector() {
  float z = getRandomMinMax(-1.0f, 1.0f);
  float r = sqrtf(1.0f - z * z);
  float a = getRandomMinMax(-3.1415927f, 3.1415927f);
  return vec3(cosf(a) * r, sinf(a) * r, z);
}

// ---- formulas ------------------------------------------------------------

float UgFromVecPart(float x, float z, int radians) {
  if (radians == 0) {
    if (zn::Absf(z) < 0.0001f) return x > 0 ? 90.0f : 270.0f;
    if (zn::Absf(x) < 0.0001f) return z > 0 ? 0.0f : 180.0f;
    float a = atanf(x / z) * 57.2958f;
    if (z < 0) return a + 180.0f;
    if (x > 0) return a;
    return a + 360.0f;
  }
  if (zn::Absf(z) < 0.0001f) return x > 0 ? 1.5705f : 4.7115f;
  if (zn::Absf(x) < 0.0001f) return z > 0 ? 0.0f : 3.141f;
  float a = atanf(x / z);
  if (z < 0) return a + 3.141f;
  if (x > 0) return a;
  return a + 6.282f;
}

float Koleso_UgForMetr_Spe(float r) {
  int n;
  float c;  // cos(360 / n degrees) as single-precision constants
  if (r > 7.99f) {
    n = 128;
    c = 0.99879545f;
  } else if (r > 2.99f) {
    n = 64;
    c = 0.99518473f;
  } else if (r > 0.99f) {
    n = 48;
    c = 0.99144486f;
  } else {
    n = 32;
    c = 0.98078528f;
  }
  float chord = sqrtf(2 * r * r - 2 * r * r * c);
  return (360.0f / (float)n) / chord;
}

float GetDrobPerc(float a, float b, float v) {
  if (v < a) return 0.0001f;
  if (v > b) return 1.0f;
  return v / ((b - a) / 100) / 100;
}

float divpro(float f) { return zn::Absf(f) > 0.00001f ? f : 1.0f; }
float divpro1(float f) { return zn::Absf(f) > 0.00001f ? 1.0f / f : 1.0f; }

void FloOkrugl4(float& f, int n) {
  float k;
  switch (n) {
    case 0: k = 1; break;
    case 1:
    case 10: k = 10; break;
    case 100: k = 100; break;
    case 1000: k = 1000; break;
    case 10000: k = 10000; break;
    default: return;
  }
  f = truncf(f * k) / k;
}

int MathLog2(int n) {
  if (n <= 0) return -1;
  if (n & (n - 1)) return -1;
  int r = 0;
  while (n > 1) {
    n >>= 1;
    r++;
  }
  return r;
}

void quickSort(int* a, int lo, int hi) {
  if (!a) return;
  while (lo < hi) {
    int pivot = a[lo + (hi - lo) / 2];
    int i = lo, j = hi;
    while (i <= j) {
      while (a[i] < pivot) i++;
      while (a[j] > pivot) j--;
      if (i <= j) std::swap(a[i++], a[j--]);
    }
    // Recurse into the smaller part, loop on the larger: bounded stack depth.
    if (j - lo < hi - i) {
      quickSort(a, lo, j);
      lo = i;
    } else {
      quickSort(a, i, hi);
      hi = j;
    }
  }
}

int i_floor(float x) {
  uint32_t bits;
  std::memcpy(&bits, &x, 4);
  uint32_t shift = 158u - ((bits >> 23) & 0xFF);
  if (shift < 32u) return (int)(((bits << 8) | 0x80000000u) >> shift);
  return 0;
}

float rsqrtf(float x) {
  uint32_t bits;
  std::memcpy(&bits, &x, 4);
  bits = 0x5F3759DFu - (bits >> 1);
  float y;
  std::memcpy(&y, &bits, 4);
  return y * (1.5f - 0.5f * x * y * y);
}

// ---- tables --------------------------------------------------------------

float Sprr1COS[361];
float Sprr1SIN[361];
unsigned char sys_normTable[255][2];

void Sprr1FillCosSin() {
  float a = 0;
  for (int i = 0; i <= 360; i++) {
    Sprr1COS[i] = cosf(a);
    Sprr1SIN[i] = sinf(a);
    a += 0.01745f;
  }
}

namespace {
// The tables are usable before the start-up sequence fills them again.
struct TablesAtLoad {
  TablesAtLoad() { Sprr1FillCosSin(); }
} gTablesAtLoad;
}  // namespace

float getSprSIN(int deg) { return (deg >= 0 && deg <= 360) ? Sprr1SIN[deg] : Sprr1SIN[0]; }
float getSprCOS(int deg) { return (deg >= 0 && deg <= 360) ? Sprr1COS[deg] : Sprr1COS[0]; }

void sysBuildNormTable() {
  for (uint32_t i = 0; i < 255; i++) {
    uint32_t b1 = (i << 15) | 0x3F800000u, b2 = (i << 15) | 0x40000000u;
    float f1, f2;
    std::memcpy(&f1, &b1, 4);
    std::memcpy(&f2, &b2, 4);
    f1 = sqrtf(f1);
    f2 = sqrtf(f2);
    std::memcpy(&b1, &f1, 4);
    std::memcpy(&b2, &f2, 4);
    sys_normTable[i][0] = (unsigned char)((b1 >> 15) & 0xFF);
    sys_normTable[i][1] = (unsigned char)((b2 >> 15) & 0xFF);
  }
}
