// Stand-ins for services that other parts of the program own and that have not
// landed yet. Each is the smallest faithful version of what the render engine
// calls, marked with what replaces it. Nothing else lives in this file.
#pragma once

#include <cstdint>

#include "core/core.h"

// ---- replaced by the world objects' distance helper (objects/) ----
float Distan1V(vec3 a, vec3 b);

// ---- replaced by the materials of the render engine's second part ----
class Material_RS {
 public:
  int id = 0;
  float colour[4] = {1, 1, 1, 1};
  vec3 ambient{0, 0, 0}, diffuse{1, 1, 1}, specular{0, 0, 0}, emission{0, 0, 0}, shine{0, 0, 0};
  static int PredBind;
  static void Bind(Material_RS& m, short face);
};
extern Material_RS MatRS[501];

// ---- replaced by the lights of the render engine's second part ----
namespace Svet {
void ProcCase(int mode);
}
class t_SvetOGL {
 public:
  int range = -1;
  vec4 position{0, 0, 0, 1}, ambient{0, 0, 0, 1}, diffuse{0, 0, 0, 1}, specular{0, 0, 0, 1},
      spotDir{0, 0, 0, 0};
  float cutoff = 180, exponent = 0;
  void ToOGL(unsigned unit);
};
void SvetToOGL(unsigned unit, t_SvetOGL* light);

// ---- replaced by the model groups of the render engine's second part ----
void Bind_MGru(int group, int ram);
void BindClear_MGru();

// ---- replaced by the generated-mesh vertex pool of the render engine's second part ----
struct t_testGenVrt {
  vec3 pos[21001];
  vec2 uv[21001];
  uint8_t rgba[21001][4];
  int next = 0;
  t_testGenVrt();
};
extern t_testGenVrt testGenVrt;

// ---- replaced by the sprites of the render engine's second part ----
constexpr int kSprVerts = 10001;
extern vec2 MSp2D_Vert[kSprVerts], MSp2D2_Vert[kSprVerts];
extern vec3 MSpr_Vert[kSprVerts], MSpr2_Vert[kSprVerts];
extern vec4 MSpr_RGBA[kSprVerts], MSpr2_RGBA[kSprVerts];
extern vec2 MSpr_UV1[kSprVerts], MSpr2_UV1[kSprVerts];
extern vec2 MSpr_UV2[kSprVerts], MSpr2_UV2[kSprVerts];
extern int MSpr_TekV, MSpr_TekOdd, MSpr_Tek2D;
int MSprNextQuad_Non();
void MSpr_SetQuad(float* quad, float* colours, float* uv1, float* uv2);
float* MSpr_qClr(float* c, float r, float g, float b, float a);
float* MSpr_qTC(float* t, int col, int cols, int row, int rows);
float* MSpr_q2DV(float* q, float x, float y, float s, int angle);

// ---- replaced by the ground light of the render engine's second part ----
void SveKvad_PixBufMtdCopy_Rise(int w, int h);

