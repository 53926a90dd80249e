// Sprites: textured, coloured quads that objects build during the sprite
// passes. The orientation table turns angles into camera-facing directions;
// the builders compute a quad's four corners into the caller's 12 floats (x,
// y, z per corner); the appender writes a finished quad into the current
// sprite vertex set, which the sprite queue draws as one GL_QUADS array.
#pragma once

#include "core/core.h"

// The camera-facing orientation of the frame.
class t_Sprr1 {
 public:
  vec3 axis[3];    // the first three columns of the camera's model-view rotation
  vec3 ring[361];  // cos i * right + sin i * up, in two-degree steps

  t_Sprr1();
  void UpdMatrix();
  void UpdR360();
  vec3 MultV(vec3 v) const { return vec3(dot(axis[0], v), dot(axis[1], v), dot(axis[2], v)); }
};
extern t_Sprr1 Sprr1;

// The two sprite vertex sets; the current one is chosen by MSpr_TekOdd (1 the
// first) and the position array by MSpr_Tek2D (1 screen, 0 world).
constexpr int kSprVerts = 10001;
extern vec2 MSp2D_Vert[kSprVerts], MSp2D2_Vert[kSprVerts];
extern vec3 MSpr_Vert[kSprVerts], MSpr2_Vert[kSprVerts];
extern vec4 MSpr_RGBA[kSprVerts], MSpr2_RGBA[kSprVerts];
extern vec2 MSpr_UV1[kSprVerts], MSpr2_UV1[kSprVerts];
extern vec2 MSpr_UV2[kSprVerts], MSpr2_UV2[kSprVerts];
extern int MSpr_TekV, MSpr_TekOdd, MSpr_Tek2D;

// 1 when another quad would not fit (MSpr_TekV + 4 > 10000).
int MSprNextQuad_Non();
// Appends a quad (colours null: white; uv2 null: left as it was); nothing
// when it does not fit or quad or uv1 is null.
void MSpr_SetQuad(float* quad, float* colours, float* uv1, float* uv2);
void MSpr_privSetV(int i, const float* xyz);
void MSpr_privSetClr(int i, const float* rgba);
void MSpr_privSetUV1(int i, const float* uv);
void MSpr_privSetUV2(int i, const float* uv);

float* MSpr_qClr(float* c, float r, float g, float b, float a);
// Texture coordinates of the 1-based cell (col, row) of a cols x rows atlas.
float* MSpr_qTC(float* t, int col, int cols, int row, int rows);

float* MSpr_qV(float* q, vec3 c, float s, int angle);
float* MSpr_qVRot(float* q, vec3 c, float s, int angle);
float* MSpr_qVLow(float* q, vec3 c, float s, int skew);
float* MSpr_qVRay(float* q, vec3 c, float length, float width, int angle, int mode, float taper);
float* MSpr_qVRay2(float* q, vec3 a, vec3 b, float width, int mode);
float* MSpr_qVKust(float* q, vec3 foot, float height, float halfWidth);
float* MSpr_qVAxX(float* q, vec3 c, float a, float b);
float* MSpr_qVAxY(float* q, vec3 c, float a, float b);
float* MSpr_qVAxZ(float* q, vec3 c, float a, float b);
float* MSpr_qVAxXR(float* q, vec3 c, float s, int angle, int p, int k);
float* MSpr_qVAxYR(float* q, vec3 c, float s, int angle, int p, int k);
float* MSpr_qVAxZR(float* q, vec3 c, float s, int angle, int p, int k);
float* MSpr_q2DV(float* q, float x, float y, float s, int angle);
float* MSpr_q2DVhf(float* q, float x, float y, float s, int angle);
float* MSpr_q2DVS(float* q, float x, float y, float h);
float* MSpr_q2DVS(float* q, int x, int y, int w, int h);

// The corner builders behind the quad builders.
void MSpr_privSetQV0(float* q, vec3 c, float s);
void MSpr_privSetQV1(float* q, vec3 c, float s, int angle, int skew);
void MSpr_privSetQVRay0(float* q, vec3 a, vec3 b, float w);
void MSpr_privSetQVRay1(float* q, vec3 a, vec3 b, vec3& side, float taper);
void MSpr_privSetQVRayY(float* q, vec3 a, vec3 b, float w);

// Scratch arrays shared by the sprite owners: corners, colours, texture cells.
extern float w0qv[12];
extern float w0qc[16];
extern float w0qt[8];
