// The shared set-up of the render tests: a real GL window, the extensions
// loaded, the settings the engine reads, the sine tables, an empty scene.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "render/render.h"
#include "shell/shell.h"
#include "tests/render/gl_window.h"
#include "ui/ui.h"

constexpr int kTestW = 400, kTestH = 400;

struct Rgba {
  int r, g, b, a;
};

inline Rgba ReadRgba(int x, int y) {
  uint8_t p[4] = {0, 0, 0, 0};
  TestReadPixel(x, y, p);
  return {p[0], p[1], p[2], p[3]};
}

// The byte GL writes for a colour value in 0..1 (round to nearest).
inline int Byte(double v) {
  if (v < 0) v = 0;
  if (v > 1) v = 1;
  return static_cast<int>(std::lround(v * 255.0));
}

#define EXPECT_NEAR_RGB(px, r_, g_, b_, tol) \
  do {                                       \
    Rgba p_ = (px);                          \
    EXPECT_NEAR(p_.r, (r_), (tol));          \
    EXPECT_NEAR(p_.g, (g_), (tol));          \
    EXPECT_NEAR(p_.b, (b_), (tol));          \
  } while (0)

// The screen record's size, as the window code would set it.
inline void SetScreen(int w, int h) {
  Ekran.W = static_cast<uint16_t>(w);
  Ekran.H = static_cast<uint16_t>(h);
  Ekran.W2 = static_cast<uint16_t>(w / 2);
  Ekran.H2 = static_cast<uint16_t>(h / 2);
}

class RenderTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(TestGLWindowOpen(kTestW, kTestH)) << "no GL window (is DISPLAY set?)";
    org2_Init();
    orgF_Init();
    Sprr1FillCosSin();
    initExtensions();
    ASSERT_EQ(Init_Extensions(1, 1), 1);
    SetScreen(kTestW, kTestH);
  }
  // The window stays open to the end of the process: closing it unloads the
  // GL driver, whose own allocations the leak checker could then not name.
  static void TearDownTestSuite() { gr_Pix_FreeAll(); }
  void SetUp() override {
    *o2::State2D = 0;
    *o2::MultiTexE = 1;
    *o2::TestFgrDrawQuads34 = *o2::TestFgrDrawQuads34D = *o2::TestFgrDrawQuads38 = *o2::TestFgrDrawQuads38D = 1;
    glViewport(0, 0, kTestW, kTestH);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    StartOfClearDraw1();
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    RenderM._ResetOnStartNewLap();
  }
  // An orthographic pixel projection over the window, depth -1..1.
  static void PixelProjection() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, kTestW, 0, kTestH, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
  }
  static void FillQuad(float x0, float y0, float x1, float y1) {
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(x0, y0);
    glTexCoord2f(1, 0);
    glVertex2f(x1, y0);
    glTexCoord2f(1, 1);
    glVertex2f(x1, y1);
    glTexCoord2f(0, 1);
    glVertex2f(x0, y1);
    glEnd();
  }
};

// Group g of n flat pictures of size x size, picture k in colour rgba[k].
inline void MakeFlatGroup(int g, int n, const uint8_t (*rgba)[4], int bpp = 32, int size = 4) {
  delete[] gr_Pix[g];
  gr_Pix[g] = new Pix_[n];
  gr_Pix_Last[g] = static_cast<uint16_t>(n - 1);
  int bytes = bpp / 8;
  for (int k = 0; k < n; ++k) {
    Pix_& p = gr_Pix[g][k];
    p.InitEmpty(static_cast<short>(size), static_cast<short>(size), static_cast<short>(bpp));
    for (int i = 0; i < size * size; ++i)
      for (int c = 0; c < bytes; ++c) p.pixels[i * bytes + c] = rgba[k][c];
    p.GenTexture(0, 1);
  }
}
