// The two decal rings painted into the ground light map: shell craters and
// vehicle trail marks.
#include "render/OpenGL_Ext.h"
#include "render/groundlight.h"

#include "render/drawhelpers.h"
#include "render/texstate.h"
#include "ui/ui.h"

vec3 masSnarBoomLand[masSnarBoomLand_Last + 1];
int masSnarBoomLand_PrivNext = 0;
int masSnarBoomLand_PrivFirstFill = 0;

float masJetSled[masJetSled_Last + 1][4];
uint8_t masJetSledB[masJetSled_Last + 1];
int masJetSled_PrivNext = 0;
int masJetSled_PrivFirstFill = 0;
int masJetSled_PrivMej = 2000;

namespace {

constexpr float kFar = 97500.0f;

// Both rings start with every slot far away.
struct RingsAtStart {
  RingsAtStart() {
    masSnarBoomLand_Sbros();
    masJetSled_Sbros();
  }
} ringsAtStart;

}  // namespace

// ---- craters ----

void masSnarBoomLand_Sbros() {
  for (vec3& p : masSnarBoomLand) p = vec3(kFar, 0, kFar);
  masSnarBoomLand_PrivNext = 0;
  masSnarBoomLand_PrivFirstFill = 0;
}

int masSnarBoomLand_ElemPere(float x, float z) {
  const float half = masSnarBoomLand_ElemRadius * 1.25f / 2;
  for (int i = 0; i <= masSnarBoomLand_PrivFirstFill; ++i)
    if (PointInRect2D(masSnarBoomLand[i], x - half, z - half, 2 * half, 2 * half)) return 1;
  return 0;
}

void masSnarBoomLand_AddElem(vec3 p) {
  if (!*o2::SvetoKv_SnarBoomLand || masSnarBoomLand_ElemPere(p.x, p.z)) return;
  masSnarBoomLand[masSnarBoomLand_PrivNext] = p;
  if (masSnarBoomLand_PrivFirstFill < masSnarBoomLand_Last) ++masSnarBoomLand_PrivFirstFill;
  if (++masSnarBoomLand_PrivNext > masSnarBoomLand_Last) masSnarBoomLand_PrivNext = 0;
}

void masSnarBoomLand_Draw() {
  ColorMatF(0.7f, 0.35f, 0.25f, 0.3f);
  TexMat(1, 0, 19, -1, 0);
  for (int i = 0; i <= masSnarBoomLand_PrivFirstFill; ++i)
    masSnarBoomLand_DrawElem(vec3(masSnarBoomLand[i].x, 0, masSnarBoomLand[i].z));
}

void masSnarBoomLand_DrawElem(vec3 p) {
  d3::QuadT2cntr(p, masSnarBoomLand_ElemRadius, masSnarBoomLand_ElemRadius);
}

// ---- trail marks ----

void masJetSled_Sbros() {
  for (int i = 0; i <= masJetSled_Last; ++i) {
    masJetSled[i][0] = masJetSled[i][1] = kFar;
    masJetSled[i][2] = masJetSled[i][3] = 0;
    masJetSledB[i] = 0;
  }
  masJetSled_PrivNext = 0;
  masJetSled_PrivFirstFill = 0;
  masJetSled_PrivMej = 2000;
}

int masJetSled_ElemPere(float x, float z) {
  const float side = masJetSled_ElemRadius * 1.8f;
  for (int i = 0; i <= masJetSled_PrivFirstFill; ++i)
    if (PointInRect2D(masJetSled[i][0], masJetSled[i][1], x - side / 2, z - side / 2, side, side)) return 1;
  return 0;
}

void masJetSled_AddElem(float x, float z, float red, float blue) {
  if (!*o2::SvetoKv_JetSled || masJetSled_PrivMej != 0 || masJetSled_ElemPere(x, z)) return;
  masJetSled_PrivMej = 21;
  float* slot = masJetSled[masJetSled_PrivNext];
  ++masJetSledB[masJetSled_PrivNext];
  slot[0] = x;
  slot[1] = z;
  slot[2] = Rand2(0, 1) ? 1.0f : red;
  slot[3] = blue;
  if (masJetSled_PrivFirstFill < masJetSled_Last) ++masJetSled_PrivFirstFill;
  if (++masJetSled_PrivNext > masJetSled_Last) masJetSled_PrivNext = 0;
}

void masJetSled_Draw() {
  TexMat(1, 0, 13, -1, 0);
  for (int i = 0; i <= masJetSled_PrivFirstFill; ++i)
    masJetSled_DrawElem(vec3(masJetSled[i][0], 0, masJetSled[i][1]), masJetSled[i][2], masJetSled[i][3]);
}

void masJetSled_DrawElem(vec3 p, float red, float blue) {
  ColorMatF(0.7f, red, 0.4f, blue);
  d3::QuadT2cntr(p, masJetSled_ElemRadius, masJetSled_ElemRadius);
}
