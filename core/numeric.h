// Numeric helpers: the zn clamps, steps, rings and climbs; the project's own
// random generator (range 0..32767, the range every random helper divides by);
// a few formulas; and the per-degree sine/cosine and square-root tables.
#pragma once

#include "core/Vector.h"

// The random generator: a linear congruential generator with the classic
// 0..32767 range. The start-up sequence seeds it with the tick count.
inline constexpr int SYS_RAND_MAX = 32767;
int sysRand();                 // 0..SYS_RAND_MAX
void sysSRand(unsigned seed);  // like srand: seed 1 is the default sequence

namespace zn {

int Tram(float& v, float lo, float hi);  // clamp; 1 when it changed v
int Tram(int& v, int lo, int hi);
float fTram(float v, float lo, float hi);
void Add(float& v, float d, float lo, float hi);  // v += d, then clamp
void Add(int& v, int d, int lo, int hi);
float fAdd(float v, float d, float lo, float hi);
void Addw(float& v, float d, float lo, float hi);  // v += d, wrapped by the span
void Addw(int& v, int d, int lo, int hi);
int ToDn(float& v, float lim);
int Outf(float v, float lo, float hi);  // 1 below, 2 above, 0 inside (bounds inside)
int Outi(int v, int lo, int hi);
int Ineri(int v, int a, int len);  // a < v < a + len
void Abs(float& v);
void Abs(int& v);
float Absf(float v);
int Absi(int v);
void Swap(int& a, int& b);
int FlagSwap(int& v);
float Perc(float v, float base, float scale);
float Perc2(float v, float base, float scale);
void MidBall(int& v, int step, float k);
int ModTms(int a, int b);  // |a / b|; 0 for b == 0

// Rings (angles on a circle of size ring, usually 360).
int Ring1(float& v, float ring);
float Ring1f(float v, float ring);
int Ring1i(int v, int ring);
void Ring2(float& v, float ring);
void ModRing(float& v, float ring);
int OutOnRingf(float v, float lo, float hi, float ring);

// Climbs toward a target; result 1 = arrived.
int PribProvPivB(float& v, float step, float target);
int Climb(float& out, float v, float step, float target, float tol);
int Climb2(float& v, float step, float target, float tol);
int Climb(float& out, float v, float step, float target, float tol, float ring, int wrapTarget);
int Climb_Ring(float& out, float v, float step, float target, float tol, float ring);
int Climb2(float& v, float step, float target, float tol, float ring);
int Climb2Pov(float& v, float step, float target, float tol, float ring, float& turn);

}  // namespace zn

namespace mr {
int GetIntKlv_OnMemPart(const int* a, const int* b);  // ints from a to b inclusive, 0 when a >= b
}

extern float ResLastClimbSign;  // +1 / -1: direction of the last ring climb step

// Random values.
int Rand2(int a, int b);                    // a..b inclusive
float Rand2F(float a, float b, int steps);  // one of steps values in (a, b]
float getRandomMinMax(float a, float b);
vec3 getRandomVector();  // random unit vector

// Formulas.
float UgFromVecPart(float x, float z, int radians);  // heading of (x, z); degrees when radians is 0
float Koleso_UgForMetr_Spe(float r);  // degrees a wheel of radius r turns per unit of travel
float GetDrobPerc(float a, float b, float v);
float divpro(float f);   // f, or 1 when f is near zero
float divpro1(float f);  // 1 / f, or 1 when f is near zero
void FloOkrugl4(float& f, int n);
int MathLog2(int n);  // -1 unless n is a power of two
void quickSort(int* a, int lo, int hi);
int i_floor(float x);

// Tables, built once at start-up.
extern float Sprr1COS[361];
extern float Sprr1SIN[361];
extern unsigned char sys_normTable[255][2];
void Sprr1FillCosSin();
float getSprSIN(int deg);  // entry 0 for degrees outside 0..360
float getSprCOS(int deg);
void sysBuildNormTable();
