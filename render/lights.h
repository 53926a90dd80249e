// Lights: the per-frame lists of scene lights and ground lights that shining
// objects announce, the at most eight scene lights around one lit object, the
// stored GL light of the world light objects, and the low-level switches of
// the eight fixed-function GL lights.
#pragma once

#include <cstdio>

#include "core/core.h"

// One scene light.
class t_Svet {
 public:
  int range;          // -1 not in use; else the reach in world units
  vec4 position;      // w 1 point light, 0 directional
  vec4 ambient, diffuse, specular;
  vec4 spotDir;
  float cutoff, exponent;

  t_Svet() : position(0, 0, 0, 1), spotDir(0, 0, 0, 0) { Reset(); }
  // Not in use, black colours, no spot; position and spot direction stay.
  void Reset();
};

// One ground light, painted into the ground light map.
class t_SvetLand {
 public:
  int range = -1;  // -1 not in use; 1..400 when set
  int kind = 0;    // picture of group 0 it is painted with
  vec3 position;
  vec4 colour;
};

constexpr int kSvetikLast = 300;
extern t_Svet masSvetik[kSvetikLast + 1];          // 1..300 handed out in order
extern int NowIn_masSvetik;                        // last index in use, 0 empty
extern t_SvetLand masLandSvetik[kSvetikLast + 1];  // likewise
extern int NowIn_masLandSvetik;

// The next scene light of the frame, reset, with its range (at most 5000) and
// position (w 1 for kind 0, else 0); null when 300 are taken or, for a point
// light, when the radius is below 5 or its cube misses the camera box.
t_Svet* GetSvetikPro(int kind, vec3 pos, int radius);
// A point light with the given diffuse and specular colours.
void Add_SvetBallPos(vec3 pos, int radius, float dr, float dg, float db, float sr, float sg, float sb);
// A ground light of this frame: radius at most 400, nothing for radius <= 0,
// when 300 are taken or when its square misses the ground light square.
void Add_LandSvetikPro(vec3 pos, int radius, int kind, float r, float g, float b, float a);

// The scene lights around one object.
class t_SveOkruj {
 public:
  t_Svet* lights[8];  // the list ends at the first null
  int mode;           // > 0: the gathered lights are used
  vec3 centre;

  t_SveOkruj() : mode(-1) {
    for (t_Svet*& l : lights) l = nullptr;
  }
  ~t_SveOkruj() {
    for (t_Svet*& l : lights) l = nullptr;
  }

  // Appends, up to eight in all, the frame's lights that reach the box of
  // these half-sizes around the centre, when that box lies in the camera box.
  void Fill(vec3 half, int takeDirectional);
  bool isUnderSvetik(t_Svet* s, vec3& half, int& takeDirectional);
  // Sets GL lights 0.. from the list, point lights relative to the centre;
  // with none set and fallback >= 1, lighting on with every light off.
  void Use(int fallback);
};

// The lights of one object before it is drawn (null: nothing).
void SvetStdForFgr(t_SveOkruj* o);
// A model run's objects share their lights (tzkz_FModels::Run): between
// SvetShare_Begin and SvetShare_End, SvetStdForFgr sends only the light state
// that differs from what the run's earlier objects left; any other light
// switch in between makes the next object send all of it again.
void SvetShare_Begin();
void SvetShare_End();

// A light stored in a world light object and set directly on a GL light.
class t_SvetOGL {
 public:
  int range;
  vec4 position, ambient, diffuse, specular, spotDir;
  float cutoff, exponent;

  t_SvetOGL() : spotDir(0, 0, 0, 0) { Sbros(); }
  void Sbros();
  void ToOGL(unsigned unit);
  void priv_Svet_Atten(unsigned unit, float constant, float linear, float quadratic);
  void priv_Default_Atten(unsigned unit);
  // The 92-byte record: int32 range, five groups of four floats, cutoff and
  // exponent. 0 without a file.
  int AddToFile(FILE* f);
  int FromFile(FILE* f);
};

void SvetToOGL(unsigned unit, t_SvetOGL* light);

namespace Svet {
// <= 0 lighting off; > 0 on, and 1 and 20 also switch the eight lights off.
void ProcCase(int mode);
void Case1();
void Case20();
// n <= 7 that light off; 100 and above all eight off; others nothing.
void priv_GLDisLightX(unsigned n);
// Light `unit` (0..7) from the record, at (x, y, z, w); attenuation by range.
void Svetik(unsigned unit, t_Svet* s, float x, float y, float z, float w);
void priv_Svet_Pos(unsigned unit, float& x, float& y, float& z, float w);
void priv_Svet_Atten(unsigned unit, float constant, float linear, float quadratic);
void priv_Default_Atten(unsigned unit);
int Vis();
extern vec4 priv_Svet_Pos_Last;
}  // namespace Svet
