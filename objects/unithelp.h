// Small services the units, vehicles and buildings share: ground rings and
// range lines, the laser shot, test spawns beside a bunker, the technology
// names of the building panel, colours by unit kind, path boxes, distances.
#pragma once

#include "core/core.h"

class Fgr4;

// Scratch ring points of the ring helpers (at most 40 points and the closing one).
constexpr int kAddUnitRVLast = 40;
extern vec3 AddUnitRV[kAddUnitRVLast + 1];
// The last distance computed by Distan1 or Distan1V.
extern float Distan1_LastRes;

// A closed ring (n points around the centre, at most 40) set on the ground,
// raised by lift, as one wire chain into wire queue 2, 3 or 4 (any other
// number: 1); the ground points go to out when it is given.
void AddUnitRadWireChain(vec3 centre, vec3* ring, int n, int r, int g, int b, int a, float lift, int queue,
                         vec3* out);
// The vehicles' range rings: 32 points (f1), 40 points (f2), 40 points (f3).
void AddUnitRadiusLines(vec3 centre, vec3* ring32, vec3* ring40a, vec3* ring40b, int f1, int f2, int f3);

// A laser shot from `from` to `to` (an effect object of type 15).
void DekorCrt_Laser(vec3 from, vec3 to, int unused, int brightness);

// A car (preset 2) or a flyer (preset 4) of the side next to its bunker,
// paid at the side's command post.
void TestCar_FromBunker(int side);
void TestFly_FromBunker(int side);

void Camp_DoTehn(int tier, int side);
int Camp_NameDoTehn(int tier, int side);  // message number; 5 when unknown
int Camp_NameTekDom(int);                 // 60

void RandRavnoMerXZ(float& x, float& z, vec3 c, float r);
void ColorMatForUnits(int kind, float a, float k);

// Path marks of the path follower: a box per path cell on the ground.
void globDraw_Path(float r, float g, float b, int& count, int& current, unsigned char steps[][2]);

float Distan1(float* a, float* b);
float Distan1V(vec3 a, vec3 b);
