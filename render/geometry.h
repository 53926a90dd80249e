// Geometry builders (circles, strips, spirals), overlap tests, small vector
// helpers, the segment-triangle intersection and the file form of a vec3.
#pragma once

#include <cstdio>

#include "core/core.h"

void Crt_CircleGoriz(vec3* out, int n, float r, int d);
void Crt_CircleVerti(vec3* out, int n, float r, int d);
void Crt_CircleGorizUgPos(vec3* out, int startAngle, vec3 c, int n, float r, int d);
void Crt_CircleVertiUgPos(vec3* out, int startAngle, vec3 c, int n, float r, int d);
void Crt_StripGorizUV1(vec2* out, int n, float v);
void Crt_StripGorizUV2(vec2* out, int n, float u, float v);
void Crt_StripDuga(vec3* out, int n, float stepX, float h, float k, float c, int closeEnds);
void Crt_LinesSpring(vec3* out, int n, float angleStep, float r, float rStep, float y);

bool Kubs_XZ_Pere(float x1, float z1, float x2, float z2, float d);
bool Kubs_3D_Pere(vec3 a, vec3 b, float d);
bool Kub_PereBox(vec3 c, float h, vec3 p, vec3 g);
bool Box_PereBox(vec3 c1, vec3 h1, vec3 c2, vec3 h2, float eps);
bool BoxInKameraOptimBox(vec3 c, vec3 h);
bool SferCollisionV(vec3 a, vec3 b, float ra, float rb);

// The camera's optimisation box (centre, half-sizes), kept by the camera steps.
extern vec3 Glob_KamOptimBoxP;
extern vec3 Glob_KamOptimBoxG;

float Magnitude(vec3 v);
float AngleMej2V(vec3 a, vec3 b);
int _TriugLinePere_V(vec3 t0, vec3 t1, vec3 t2, vec3 s, vec3 e, vec3* hit);
int VecToFile(vec3& v, FILE* f);
void VecFrFile(vec3& v, FILE* f);
