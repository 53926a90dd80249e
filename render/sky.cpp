// Sky belt and cloud dome.
#include "render/OpenGL_Ext.h"
#include "render/sky.h"

#include <cmath>

#include "render/drawhelpers.h"
#include "render/frustum.h"
#include "render/lights.h"
#include "render/texstate.h"
#include "ui/ui.h"

vec3 mSkyKpV[25];
vec3 SkyBeltFV[200];
vec3 SkyBeltFC[200];
int SkyBelt_KlvVertex = 0;
float GKlodKamX = 0, GKlodKamZ = 0;

namespace {

// Texture coordinates of the dome points: s grows with x, t with z.
const float kDomeST[25][2] = {
    {0.5f, 0.5f},     {0.5f, 0.855f},   {0.678f, 0.808f}, {0.808f, 0.678f}, {0.855f, 0.5f},
    {0.808f, 0.322f}, {0.678f, 0.192f}, {0.5f, 0.145f},   {0.322f, 0.192f}, {0.192f, 0.322f},
    {0.145f, 0.5f},   {0.192f, 0.678f}, {0.322f, 0.808f}, {0.5f, 1.0f},     {0.75f, 0.933f},
    {0.933f, 0.75f},  {1.0f, 0.5f},     {0.933f, 0.25f},  {0.75f, 0.067f},  {0.5f, 0.0f},
    {0.25f, 0.067f},  {0.067f, 0.25f},  {0.0f, 0.5f},     {0.067f, 0.75f},  {0.25f, 0.933f}};

const float kApex[4] = {1.0f, 1.0f, 1.0f, 0.45f};
const float kInner[4] = {0.9f, 1.0f, 1.0f, 0.3f};  // InerClrR, G, B, A
const float kOuter[4] = {1.0f, 1.0f, 1.0f, 0.0f};  // OuterClrR, G, B, A

void DomePoint(int i, const float* colour) {
  glColor4fv(colour);
  if (glMultiTexCoord2fARB) {
    glMultiTexCoord2fARB(GL_TEXTURE0_ARB, kDomeST[i][0], kDomeST[i][1]);
    glMultiTexCoord2fARB(GL_TEXTURE1_ARB, kDomeST[i][0], kDomeST[i][1]);
  } else {
    glTexCoord2f(kDomeST[i][0], kDomeST[i][1]);
  }
  glVertex3f(mSkyKpV[i].x, mSkyKpV[i].y, mSkyKpV[i].z);
}

void SelectTextureUnit(int u) {
  if (glActiveTextureARB) glActiveTextureARB(GL_TEXTURE0_ARB + u);
}

// One band: the columns' upper vertices at yUp in cUp, lower ones at yDn in cDn.
int Band(int at, const vec2* columns, int n, float radius, float yUp, vec3 cUp, float yDn, vec3 cDn) {
  for (int k = 0; k <= n; ++k) {
    float x = radius * columns[k].x, z = radius * columns[k].y;
    SkyBeltFV[at] = vec3(x, yUp, z);
    SkyBeltFC[at++] = cUp;
    SkyBeltFV[at] = vec3(x, yDn, z);
    SkyBeltFC[at++] = cDn;
  }
  return at;
}

}  // namespace

void mSkyKpV_Init() {
  static const float kPoints[25][3] = {
      {0, 12, 0},
      {0, 8, 160.186f},       {80.093f, 8, 138.725f}, {138.0f, 8, 80.093f},   {160.186f, 8, 0},
      {138.0f, 8, -80.093f},  {80.093f, 8, -138.725f}, {0, 8, -160.186f},     {-80.093f, 8, -138.725f},
      {-138.0f, 8, -80.093f}, {-160.186f, 8, 0},       {-138.0f, 8, 80.093f}, {-80.093f, 8, 138.725f},
      {0, -4, 225.167f},      {112.583f, -4, 195.0f},  {195.0f, -4, 112.583f}, {225.167f, -4, 0},
      {195.0f, -4, -112.583f}, {112.583f, -4, -195.0f}, {0, -4, -225.167f},   {-112.583f, -4, -195.0f},
      {-195.0f, -4, -112.583f}, {-225.167f, -4, 0},     {-195.0f, -4, 112.583f}, {-112.583f, -4, 195.0f}};
  for (int i = 0; i < 25; ++i) mSkyKpV[i] = vec3(kPoints[i][0], kPoints[i][1], kPoints[i][2]);
}

// Fewer than three segments would leave no belt (and none divides by zero):
// the count is held to 3..32.
void Create_SkyBelt1(float radius, int segments, float skyR, float skyG, float skyB, float fogR, float fogG,
                     float fogB, float skyFogR, float skyFogG, float skyFogB) {
  int n = segments;
  if (n > 32) n = 32;
  if (n < 3) n = 3;
  const float step = 2.0f * (3.14159f / static_cast<float>(n));
  vec2 columns[33];
  float a = 0;
  for (int k = 0; k <= n; ++k) {
    a += step;
    columns[k] = vec2(std::cos(a), std::sin(a));
  }
  const vec3 sky(skyR, skyG, skyB), fog(fogR, fogG, fogB), skyFog(skyFogR, skyFogG, skyFogB);
  const bool fogBrighter = (fogR > skyR && fogG > skyG && fogB > skyB) || fogR + fogG + fogB > skyR + skyG + skyB;
  const vec3 nudged = sky + (fogBrighter ? 0.005f : -0.005f);
  int at = Band(0, columns, n, radius, 40, skyFog, -300, fog);
  at = Band(at, columns, n, radius, 80, nudged, 40, skyFog);
  SkyBelt_KlvVertex = Band(at, columns, n, radius, 120, sky, 80, nudged);
}

void Draw_SkyBelt1(int withColour, int) {
  if (SkyBelt_KlvVertex < 4) return;
  OGL::ArrayBufferOff();
  glVertexPointer(3, GL_FLOAT, 0, SkyBeltFV);
  glEnableClientState(GL_VERTEX_ARRAY);
  if (withColour) {
    glColorPointer(3, GL_FLOAT, 0, SkyBeltFC);
    glEnableClientState(GL_COLOR_ARRAY);
  }
  glDrawArrays(GL_QUAD_STRIP, 0, SkyBelt_KlvVertex);
  glDisableClientState(GL_VERTEX_ARRAY);
  if (withColour) glDisableClientState(GL_COLOR_ARRAY);
}

namespace SkyDekorSbor {

void Fon_Draw(vec3 camera, int) {
  NomBlend(0);
  Svet::ProcCase(0);
  Fog_ProcCase(0, 1.0f, 0, 0, 0);
  TexMat(0, -1, 0, -1, 0);
  ColorMat(255, 255, 255, 255);
  glPushMatrix();
  glTranslatef(camera.x, camera.y + *o3::BcgYTrans, camera.z);
  glDepthMask(GL_FALSE);
  glDisable(GL_DEPTH_TEST);
  Draw_SkyBelt1(1, 0);
  if (*o2::SkyKupBlend > 0) Fon_CloudKup1(*o2::SkyKupBlend);
  glEnable(GL_DEPTH_TEST);
  glDepthMask(GL_TRUE);
  glPopMatrix();
}

void Fon_CloudKup1(int blend) {
  static t_FintFloat offset[5] = {t_FintFloat(0, 0, 1, 0.00005f, 0, 15), t_FintFloat(0, 0, 1, 0.00007f, 0, 15),
                                  t_FintFloat(0, 0, 1, 0.00009f, 0, 15), t_FintFloat(0, 0, 1, 0.00001f, 0, 15),
                                  t_FintFloat(0, 0, 1, 0.00003f, 0, 15)};
  float a = 0, b = 0, c = 0, d = 0;
  switch (*o2::SkyKupScrollCase) {
    case 1:
      a = offset[0]._Update();
      c = offset[1]._Update();
      break;
    case 2:
      a = offset[4]._Update();
      b = d = offset[3]._Update();
      c = offset[1]._Update();
      break;
    case 3:
      a = offset[0]._Update();
      c = offset[2]._Update();
      d = offset[1]._Update();
      break;
    case 4:
      a = offset[0]._Update();
      b = offset[4]._Update();
      c = offset[1]._Update();
      d = offset[3]._Update();
      break;
    default:
      break;
  }
  TexMat(0, -1, 0, -1, 0);
  if (*o2::SkyKupTex1G > -1)
    USet_UnitSet(0, *o2::SkyKupTex1G, static_cast<unsigned>(*o2::SkyKupTex1N), *o2::SkyKupTex1Env);
  if (*o2::SkyKupTex2G > -1)
    USet_UnitSet(1, *o2::SkyKupTex2G, static_cast<unsigned>(*o2::SkyKupTex2N), *o2::SkyKupTex2Env);
  SelectTextureUnit(0);
  NomBlend(blend);
  if (*o2::SkyKupAlfTest > -1) {
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.2f);
  }
  glPushMatrix();
  glTranslatef(0, *o3::KupolYTrans, 0);
  d3::SkyKupol(a + GKlodKamX, b + GKlodKamZ, c, d);
  if (*o2::KlodKupLines) {
    glPolygonMode(GL_FRONT, GL_LINE);
    NomBlend(0);
    d3::SkyKupol(0, 0, 0, 0);
    glPolygonMode(GL_FRONT, GL_FILL);
  }
  glPopMatrix();
  glDisable(GL_ALPHA_TEST);
}

}  // namespace SkyDekorSbor

namespace d3 {

void SkyKupol(float s1, float t1, float s2, float t2) {
  glMatrixMode(GL_TEXTURE);
  if (glActiveTextureARB) {
    SelectTextureUnit(1);
    glLoadIdentity();
    glTranslatef(s1, t1, 0);
    glScalef(2, 2, 2);
  }
  SelectTextureUnit(0);
  glLoadIdentity();
  glTranslatef(s2, t2, 0);
  glMatrixMode(GL_MODELVIEW);

  glBegin(GL_TRIANGLE_FAN);
  DomePoint(0, kApex);
  DomePoint(1, kInner);
  for (int i = 12; i >= 1; --i) DomePoint(i, kInner);
  glEnd();

  glBegin(GL_QUAD_STRIP);
  for (int k = 0; k <= 12; ++k) {
    int i = k % 12;
    DomePoint(13 + i, kOuter);
    DomePoint(1 + i, kInner);
  }
  glEnd();

  glMatrixMode(GL_TEXTURE);
  if (glActiveTextureARB) {
    SelectTextureUnit(1);
    glLoadIdentity();
  }
  SelectTextureUnit(0);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
}

}  // namespace d3
