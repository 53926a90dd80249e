// Blend modes, fog, texture units, the render-state key and the combiner
// presets, checked on real GL pixels against GL's own formulas.
#include <algorithm>

#include "tests/render/render_fixture.h"

namespace {

// GL's blend factor for one channel (c = 0..2 colour, 3 alpha).
double Factor(GLenum f, const double* s, const double* d, int c) {
  switch (f) {
    case GL_ZERO: return 0;
    case GL_ONE: return 1;
    case GL_SRC_COLOR: return s[c];
    case GL_ONE_MINUS_SRC_COLOR: return 1 - s[c];
    case GL_DST_COLOR: return d[c];
    case GL_ONE_MINUS_DST_COLOR: return 1 - d[c];
    case GL_SRC_ALPHA: return s[3];
    case GL_ONE_MINUS_SRC_ALPHA: return 1 - s[3];
    case GL_DST_ALPHA: return d[3];
    case GL_ONE_MINUS_DST_ALPHA: return 1 - d[3];
    case GL_SRC_ALPHA_SATURATE: return c == 3 ? 1 : std::min(s[3], 1 - d[3]);
  }
  return -1;
}

const GLenum kSrc[9] = {GL_ZERO,      GL_ONE,                 GL_DST_COLOR,  GL_ONE_MINUS_DST_COLOR,
                        GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_DST_ALPHA,  GL_ONE_MINUS_DST_ALPHA,
                        GL_SRC_ALPHA_SATURATE};
const GLenum kDst[8] = {GL_ZERO,      GL_ONE,                 GL_SRC_COLOR, GL_ONE_MINUS_SRC_COLOR,
                        GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_DST_ALPHA, GL_ONE_MINUS_DST_ALPHA};

}  // namespace

TEST_F(RenderTest, NomBlendChoosesTheFactorsByNumber) {
  for (int n = 1; n <= 80; ++n) {
    NomBlend(n);
    GLint src = 0, dst = 0;
    glGetIntegerv(GL_BLEND_SRC, &src);
    glGetIntegerv(GL_BLEND_DST, &dst);
    EXPECT_TRUE(glIsEnabled(GL_BLEND)) << n;
    GLenum wantS = n > 72 ? GL_SRC_ALPHA : kSrc[(n - 1) / 8];
    GLenum wantD = n > 72 ? GL_ZERO : kDst[(n - 1) % 8];
    EXPECT_EQ(static_cast<GLenum>(src), wantS) << n;
    EXPECT_EQ(static_cast<GLenum>(dst), wantD) << n;
  }
  NomBlend(0);
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  NomBlend(34);
  NomBlend(-3);
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

TEST_F(RenderTest, NomBlendPixelsMatchTheBlendEquation) {
  PixelProjection();
  glDisable(GL_DEPTH_TEST);
  const double d[4] = {0.2, 0.4, 0.6, 0.5}, s[4] = {0.8, 0.3, 0.1, 0.6};
  for (int n = 1; n <= 73; ++n) {
    float x = static_cast<float>((n - 1) % 16) * 16, y = static_cast<float>((n - 1) / 16) * 16;
    NomBlend(0);
    glColor4dv(d);
    FillQuad(x, y, x + 16, y + 16);
    NomBlend(n);
    glColor4dv(s);
    FillQuad(x, y, x + 16, y + 16);
  }
  NomBlend(0);
  for (int n = 1; n <= 73; ++n) {
    GLenum fs = n > 72 ? GL_SRC_ALPHA : kSrc[(n - 1) / 8], fd = n > 72 ? GL_ZERO : kDst[(n - 1) % 8];
    Rgba px = ReadRgba((n - 1) % 16 * 16 + 8, (n - 1) / 16 * 16 + 8);
    const int got[4] = {px.r, px.g, px.b, px.a};
    for (int c = 0; c < 4; ++c)
      EXPECT_NEAR(got[c], Byte(s[c] * Factor(fs, s, d, c) + d[c] * Factor(fd, s, d, c)), 2)
          << "mode " << n << " channel " << c;
  }
}

TEST_F(RenderTest, LinearAndExponentialFogFollowTheirFactors) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, kTestW, 0, kTestH, 0, 200);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_DEPTH_TEST);
  *o2::FogDejNear = 10;
  *o2::FogDejFar = 110;
  const double q[3] = {0.9, 0.1, 0.3}, f[3] = {0.2, 0.6, 1.0};
  auto draw = [&](float x0, float z) {
    glColor3dv(q);
    glBegin(GL_QUADS);
    glVertex3f(x0, 0, z);
    glVertex3f(x0 + 64, 0, z);
    glVertex3f(x0 + 64, 64, z);
    glVertex3f(x0, 64, z);
    glEnd();
  };
  Fog_ProcCase(1, 1.0f, 0.2f, 0.6f, 1.0f);
  draw(0, -60);   // linear: (110 - 60) / (110 - 10)
  draw(64, -90);  // linear: 0.2
  Fog_ProcCase(2, 1.0f, 0.2f, 0.6f, 1.0f);
  draw(128, -60);  // exponential: e^(-0.005 * 60)
  Fog_ProcCase(0, 1.0f, 0, 0, 0);
  EXPECT_FALSE(glIsEnabled(GL_FOG));
  draw(192, -60);
  const double factors[4] = {0.5, 0.2, std::exp(-0.3), 1.0};
  for (int k = 0; k < 4; ++k) {
    double t = factors[k];
    EXPECT_NEAR_RGB(ReadRgba(k * 64 + 32, 32), Byte(t * q[0] + (1 - t) * f[0]), Byte(t * q[1] + (1 - t) * f[1]),
                    Byte(t * q[2] + (1 - t) * f[2]), 3);
  }
}

TEST_F(RenderTest, FogModeTenIgnoresItsColourAndOtherModesKeepTheLast) {
  Fog_ProcCase(10, 0.1f, 1, 0, 0);
  float c[4], start = 0, end = 0;
  glGetFloatv(GL_FOG_COLOR, c);
  glGetFloatv(GL_FOG_START, &start);
  glGetFloatv(GL_FOG_END, &end);
  EXPECT_FLOAT_EQ(c[0], 0.6f);
  EXPECT_FLOAT_EQ(c[1], 0.7f);
  EXPECT_FLOAT_EQ(c[2], 0.8f);
  EXPECT_FLOAT_EQ(c[3], 1.0f);
  EXPECT_FLOAT_EQ(start, 800);
  EXPECT_FLOAT_EQ(end, 1300);
  Fog_ProcCase(0, 0, 0, 0, 0);
  Fog_ProcCase(7, 1, 0, 0, 1);
  EXPECT_TRUE(glIsEnabled(GL_FOG));
  glGetFloatv(GL_FOG_COLOR, c);
  EXPECT_FLOAT_EQ(c[2], 0.8f);
  Fog_ProcCase(0, 0, 0, 0, 0);
}

TEST_F(RenderTest, ColourMaterialSwitchesAtTheAlphaThreshold) {
  ColorMatF(0.00001f, 1, 1, 1);
  EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));
  ColorMatF(0.0001f, 0.5f, 0.25f, 1);
  EXPECT_TRUE(glIsEnabled(GL_COLOR_MATERIAL));
  float c[4];
  glGetFloatv(GL_CURRENT_COLOR, c);
  EXPECT_FLOAT_EQ(c[1], 0.25f);
  ColorMatF(std::nanf(""), 1, 1, 1);
  EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));
  ColorMat(0, 1, 2, 3);
  EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));
  ColorMat(255, 10, 20, 30);
  EXPECT_TRUE(glIsEnabled(GL_COLOR_MATERIAL));
}

namespace {
const uint8_t kPics[4][4] = {{200, 100, 50, 255}, {40, 160, 80, 128}, {128, 64, 255, 51}, {90, 90, 200, 255}};

GLint BoundTexture(unsigned unit) {
  glActiveTextureARB(GL_TEXTURE0_ARB + unit);
  GLint t = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &t);
  glActiveTextureARB(GL_TEXTURE0_ARB);
  return t;
}

bool Enabled2D(unsigned unit) {
  glActiveTextureARB(GL_TEXTURE0_ARB + unit);
  bool on = glIsEnabled(GL_TEXTURE_2D);
  glActiveTextureARB(GL_TEXTURE0_ARB);
  return on;
}
}  // namespace

TEST_F(RenderTest, TexUnitRefusesUnitsAboveSeven) {
  EXPECT_EQ(TexUnit(8, 1), 0);
  EXPECT_EQ(TexUnit(3, 1), 1);
  GLint active = 0;
  glGetIntegerv(GL_ACTIVE_TEXTURE_ARB, &active);
  EXPECT_EQ(active, static_cast<GLint>(GL_TEXTURE3_ARB));
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  TexUnitAllOff();
  glGetIntegerv(GL_ACTIVE_TEXTURE_ARB, &active);
  EXPECT_EQ(active, static_cast<GLint>(GL_TEXTURE0_ARB));
  EXPECT_FALSE(Enabled2D(3));
}

TEST_F(RenderTest, TexMatBindsPictureAOnUnitZeroAndLeavesUnitOneOff) {
  MakeFlatGroup(0, 4, kPics);
  TexMat(1, 0, 2, -1, 0);
  EXPECT_TRUE(Enabled2D(0));
  EXPECT_EQ(BoundTexture(0), static_cast<GLint>(gr_Pix[0][2].texture));
  EXPECT_FALSE(Enabled2D(1));
  *o2::MultiTexE = 0;
  TexMat(0, -1, 0, -1, 0);
  TexMat(1, 0, 3, -1, 0);
  EXPECT_TRUE(Enabled2D(0));
  EXPECT_EQ(BoundTexture(0), static_cast<GLint>(gr_Pix[0][3].texture));
  EXPECT_FALSE(Enabled2D(1));
}

TEST_F(RenderTest, KeysNamingNoRealPictureDrawUntextured) {
  MakeFlatGroup(0, 4, kPics);
  PixelProjection();
  glColor4f(0.25f, 0.5f, 0.75f, 1);
  const int keys[3][2] = {{30, 0}, {0, 9}, {5, 0}};  // group above 25, index past the group, group not loaded
  for (int multi = 0; multi <= 1; ++multi)
    for (int k = 0; k < 3; ++k) {
      *o2::MultiTexE = multi;
      TexMat(1, keys[k][0], keys[k][1], -1, 0);
      float x = static_cast<float>(k * 32), y = static_cast<float>(multi * 32);
      FillQuad(x, y, x + 32, y + 32);
      SCOPED_TRACE(testing::Message() << "multitexture " << multi << " key " << k);
      EXPECT_NEAR_RGB(ReadRgba(static_cast<int>(x) + 16, static_cast<int>(y) + 16), 64, 128, 191, 1);
    }
}

TEST_F(RenderTest, CombinerPresetsComputeTheirFormulas) {
  MakeFlatGroup(0, 4, kPics);
  PixelProjection();
  const double p[3] = {0.3, 0.2, 0.6};
  auto t = [](int pic, int c) { return kPics[pic][c] / 255.0; };
  // 25: primary colour times texture 0, doubled.
  glColor4d(p[0], p[1], p[2], 1);
  TexMat(0, -1, 0, -1, 0);
  USet_UnitSet(0, 0, 0, 25);
  FillQuad(0, 0, 32, 32);
  // 23: colour and alpha of texture 0.
  USet_UnitSet(0, 0, 1, 23);
  FillQuad(32, 0, 64, 32);
  // 25 on unit 0 and 26 on unit 1: texture 1 added signed to the previous colour.
  USet_UnitSet(0, 0, 0, 25);
  USet_UnitSet(1, 0, 3, 26);
  glBegin(GL_QUADS);
  for (int k = 0; k < 4; ++k) {
    glMultiTexCoord2fARB(GL_TEXTURE1_ARB, 0.5f, 0.5f);
    glTexCoord2f(0.5f, 0.5f);
    glVertex2f(64 + 32 * (k == 1 || k == 2), 32 * (k >= 2));
  }
  glEnd();
  TexMat(0, -1, 0, -1, 0);
  for (int c = 0; c < 3; ++c) {
    const int got0[3] = {ReadRgba(16, 16).r, ReadRgba(16, 16).g, ReadRgba(16, 16).b};
    const int got1[3] = {ReadRgba(48, 16).r, ReadRgba(48, 16).g, ReadRgba(48, 16).b};
    const int got2[3] = {ReadRgba(80, 16).r, ReadRgba(80, 16).g, ReadRgba(80, 16).b};
    double doubled = std::min(1.0, 2 * p[c] * t(0, c));
    EXPECT_NEAR(got0[c], Byte(doubled), 2) << c;
    EXPECT_NEAR(got1[c], kPics[1][c], 2) << c;
    EXPECT_NEAR(got2[c], Byte(doubled + t(3, c) - 0.5), 2) << c;
  }
  EXPECT_NEAR(ReadRgba(48, 16).a, kPics[1][3], 2);
}

TEST_F(RenderTest, UnitSetEnvironmentAndWrapping) {
  MakeFlatGroup(0, 4, kPics);
  GLint env = 0, wrap = 0;
  USet_UnitSet(0, 0, 1, 10);
  glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &env);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap);
  EXPECT_EQ(env, GL_MODULATE);
  EXPECT_EQ(wrap, GL_CLAMP_TO_EDGE);
  USet_UnitSet(0, 0, 1, 3);
  glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &env);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap);
  EXPECT_EQ(env, GL_REPLACE);
  EXPECT_EQ(wrap, GL_REPEAT);
  USet_UnitSet(0, 0, 1, 2);  // no environment, repeated
  glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &env);
  EXPECT_EQ(env, GL_REPLACE);
  OGL::TexClamp(1);
  USet_UnitSet(0, 0, 1, -1);  // picture only
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap);
  EXPECT_EQ(wrap, GL_CLAMP_TO_EDGE);
  EXPECT_EQ(BoundTexture(0), static_cast<GLint>(gr_Pix[0][1].texture));
}

TEST_F(RenderTest, ExtensionNamesMatchOnlyWholeWords) {
  EXPECT_EQ(extensionSupported("GL_ARB_shadow_ambient GL_ARB_shadow", "GL_ARB_shadow"), 1);
  EXPECT_EQ(extensionSupported("GL_ARB_shadow_ambient", "GL_ARB_shadow"), 0);
  EXPECT_EQ(extensionSupported("GL_ARB_shadow_ambient GL_X", "GL_ARB_shadow"), 0);
  EXPECT_EQ(extensionSupported("xGL_ARB_shadow", "GL_ARB_shadow"), 1);
  EXPECT_EQ(extensionSupported(nullptr, "GL_ARB_shadow"), 0);
}

TEST_F(RenderTest, VersionStringSetsTheVersionFlags) {
  GL_ParseVersion("1.5.0 Vendor 7");
  EXPECT_EQ(GLMajorVersion, 1);
  EXPECT_EQ(GLMinorVersion, 5);
  EXPECT_EQ(GLReleaseVersion, 0);
  EXPECT_TRUE(GL_1_1_supported && GL_1_2_supported && GL_1_3_supported && GL_1_4_supported && GL_1_5_supported);
  EXPECT_FALSE(GL_2_0_supported);
  GL_ParseVersion("2.0");
  EXPECT_TRUE(GL_1_5_supported && GL_2_0_supported);
  GL_ParseVersion("1.1");
  EXPECT_TRUE(GL_1_1_supported);
  EXPECT_FALSE(GL_1_2_supported);
  GL_ParseVersion("1.0.2");
  EXPECT_FALSE(GL_1_1_supported);
  initExtensions();
  EXPECT_GE(GLMajorVersion, 2);
}

TEST_F(RenderTest, ExtensionStepFillsTheSettingsOfThisContext) {
  EXPECT_EQ(*o2::MultiTexE, 1);
  EXPECT_GE(*o2::MultiTexUnits, 4);
  EXPECT_EQ(*o2::UseVBO, 1);
  EXPECT_EQ(*o2::UseShaderARB1, 1);
  EXPECT_TRUE(GL_EXT_framebuffer_object_supported);
  EXPECT_TRUE(WGL_ARB_pbuffer_supported);
  EXPECT_FALSE(GL_HP_occlusion_test_supported);
  EXPECT_NE(glMultiDrawArraysEXT, nullptr);
  EXPECT_EQ(glIsQueryARB == nullptr, !GL_ARB_occlusion_query_supported);
}
