// Off-screen buffers (framebuffer objects in the role of pbuffers) and the BMP
// writers: painting leaves the scene's state and back buffer as found, and
// screenshots hold what GL reads back.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

#include "tests/render/render_fixture.h"

namespace {

// Everything of the scene's GL state that a buffer could disturb.
std::map<std::string, std::vector<double>> Snapshot() {
  std::map<std::string, std::vector<double>> s;
  auto doubles = [&](const char* name, GLenum what, int n) {
    std::vector<double> v(static_cast<size_t>(n));
    glGetDoublev(what, v.data());
    s[name] = v;
  };
  doubles("projection", GL_PROJECTION_MATRIX, 16);
  doubles("modelview", GL_MODELVIEW_MATRIX, 16);
  doubles("viewport", GL_VIEWPORT, 4);
  doubles("scissor", GL_SCISSOR_BOX, 4);
  doubles("clear colour", GL_COLOR_CLEAR_VALUE, 4);
  doubles("clear depth", GL_DEPTH_CLEAR_VALUE, 1);
  doubles("colour", GL_CURRENT_COLOR, 4);
  doubles("blend", GL_BLEND_SRC, 1);
  doubles("blend dst", GL_BLEND_DST, 1);
  doubles("depth func", GL_DEPTH_FUNC, 1);
  doubles("depth mask", GL_DEPTH_WRITEMASK, 1);
  doubles("colour mask", GL_COLOR_WRITEMASK, 4);
  doubles("line width", GL_LINE_WIDTH, 1);
  doubles("polygon mode", GL_POLYGON_MODE, 2);
  doubles("shade", GL_SHADE_MODEL, 1);
  doubles("matrix mode", GL_MATRIX_MODE, 1);
  doubles("active texture", GL_ACTIVE_TEXTURE_ARB, 1);
  doubles("client texture", GL_CLIENT_ACTIVE_TEXTURE_ARB, 1);
  doubles("framebuffer", GL_FRAMEBUFFER_BINDING_EXT, 1);
  doubles("array buffer", GL_ARRAY_BUFFER_BINDING_ARB, 1);
  doubles("fog colour", GL_FOG_COLOR, 4);
  doubles("alpha func", GL_ALPHA_TEST_FUNC, 1);
  doubles("unpack", GL_UNPACK_ALIGNMENT, 1);
  const GLenum caps[] = {GL_DEPTH_TEST, GL_BLEND,      GL_LIGHTING,   GL_FOG,     GL_CULL_FACE, GL_ALPHA_TEST,
                         GL_SCISSOR_TEST, GL_COLOR_MATERIAL, GL_LIGHT0, GL_NORMALIZE, GL_STENCIL_TEST};
  for (GLenum c : caps) s["cap " + std::to_string(c)] = {static_cast<double>(glIsEnabled(c))};
  s["vertex array"] = {static_cast<double>(glIsEnabled(GL_VERTEX_ARRAY))};
  GLint active = 0;
  glGetIntegerv(GL_ACTIVE_TEXTURE_ARB, &active);
  for (int u = 0; u < 4; ++u) {
    glActiveTextureARB(GL_TEXTURE0_ARB + u);
    doubles(("texture matrix " + std::to_string(u)).c_str(), GL_TEXTURE_MATRIX, 16);
    doubles(("texture " + std::to_string(u)).c_str(), GL_TEXTURE_BINDING_2D, 1);
    s["texturing " + std::to_string(u)] = {static_cast<double>(glIsEnabled(GL_TEXTURE_2D))};
    GLint env = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &env);
    s["env " + std::to_string(u)] = {static_cast<double>(env)};
  }
  glActiveTextureARB(static_cast<GLenum>(active));
  s["2D state"] = {static_cast<double>(*o2::State2D)};
  return s;
}

// A scene state far from GL's defaults.
void OddSceneState() {
  static const uint8_t pics[1][4] = {{30, 60, 90, 255}};
  MakeFlatGroup(5, 1, pics);
  glViewport(7, 9, 300, 200);
  glScissor(3, 4, 50, 60);
  glEnable(GL_SCISSOR_TEST);
  glDisable(GL_SCISSOR_TEST);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glFrustum(-1, 1, -1, 1, 2, 50);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(1, 2, -3);
  glRotatef(30, 0, 1, 0);
  glActiveTextureARB(GL_TEXTURE2_ARB);
  glMatrixMode(GL_TEXTURE);
  glScalef(2, 2, 1);
  glMatrixMode(GL_MODELVIEW);
  glEnable(GL_TEXTURE_2D);
  gr_Pix[5][0].Bind();
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_ADD);
  glActiveTextureARB(GL_TEXTURE1_ARB);
  glClientActiveTextureARB(GL_TEXTURE1_ARB);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glEnable(GL_FOG);
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  glDepthFunc(GL_GREATER);
  glDepthMask(GL_FALSE);
  glClearColor(0.1f, 0.2f, 0.3f, 0.4f);
  glColor4f(0.9f, 0.8f, 0.7f, 0.6f);
  glLineWidth(2);
  glEnableClientState(GL_VERTEX_ARRAY);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 2);
}

// Paints inside a buffer with a state of its own and leaves it changed.
void PaintSomething() {
  glClearColor(0, 0.5f, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  NomBlend(34);
  glEnable(GL_DEPTH_TEST);
  glLineWidth(4);
  ASSERT_EQ(Begin2D(0, 64, 0, 64), 1);
  glColor4f(1, 0, 0, 1);
  d2::Q(8, 8, 16, 16);
  End2D();
  glMatrixMode(GL_PROJECTION);
  glOrtho(0, 1, 0, 1, -1, 1);
  TexMat(1, 5, 0, -1, 0);
}

class OffscreenTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    // A pattern in the back buffer that painting must not touch.
    PixelProjection();
    glDisable(GL_DEPTH_TEST);
    glColor4f(0.2f, 0.4f, 0.6f, 1);
    FillQuad(0, 0, kTestW, kTestH);
    glColor4f(1, 1, 0, 1);
    FillQuad(100, 100, 140, 140);
  }
  void TearDown() override {
    glDisableClientState(GL_VERTEX_ARRAY);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    gr_Pix_FreeAll();
  }
  static void ExpectBackBufferPattern() {
    EXPECT_NEAR_RGB(ReadRgba(20, 20), 51, 102, 153, 0);
    EXPECT_NEAR_RGB(ReadRgba(120, 120), 255, 255, 0, 0);
  }
};

}  // namespace

TEST_F(OffscreenTest, CopyBufferPaintingLeavesTheSceneAsFound) {
  CPixelBuffer buf;
  buf.Init(64, 64, 32, 24, true);
  ASSERT_TRUE(buf.valid);
  OddSceneState();
  auto before = Snapshot();
  ASSERT_TRUE(buf.Activate());
  EXPECT_TRUE(buf.isActive());
  PaintSomething();
  // The copy method: the buffer's pixels into a texture, read while active.
  GLuint tex = 0;
  glGenTextures(1, &tex);
  glBindTexture(GL_TEXTURE_2D, tex);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 64, 64, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
  glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, 64, 64);
  buf.Deactivate();
  EXPECT_FALSE(buf.isActive());
  auto after = Snapshot();
  for (const auto& [name, value] : before) EXPECT_EQ(after[name], value) << name;
  StartOfClearDraw1();
  glViewport(0, 0, kTestW, kTestH);
  glDisable(GL_DEPTH_TEST);
  ExpectBackBufferPattern();
  // The copied picture: green cleared, with the red square painted into it.
  uint8_t texels[64 * 64 * 4];
  glBindTexture(GL_TEXTURE_2D, tex);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
  EXPECT_EQ(texels[(2 * 64 + 2) * 4 + 1], 128);
  EXPECT_EQ(texels[(16 * 64 + 16) * 4 + 0], 255);
  glDeleteTextures(1, &tex);
}

TEST_F(OffscreenTest, RenderToTexturePaintsTheTextureWithoutBindingIt) {
  ASSERT_EQ(RenderTarg_initPBuffer(), 1);
  ASSERT_NE(pbufferTexLand, 0u);
  EXPECT_EQ(pbufferLand.getWidth(), 512);
  OddSceneState();
  // The scene has the buffer's texture bound and enabled, as the painting step does.
  glActiveTextureARB(GL_TEXTURE0_ARB);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, pbufferTexLand);
  auto before = Snapshot();
  ASSERT_TRUE(pbufferLand.unbindFromTexture(0));
  ASSERT_TRUE(pbufferLand.makeCurrent());
  for (int u = 0; u < 8; ++u) {
    glActiveTextureARB(GL_TEXTURE0_ARB + u);
    GLint bound = -1;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(bound, 0) << "unit " << u;
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  }
  glActiveTextureARB(GL_TEXTURE0_ARB);
  EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));  // the buffer's own set-up
  glClearColor(0.25f, 0.5f, 0.75f, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  EXPECT_TRUE(pbufferLand.restoreCurrent());
  auto after = Snapshot();
  for (const auto& [name, value] : before) EXPECT_EQ(after[name], value) << name;
  ASSERT_TRUE(pbufferLand.bindToTexture(0));
  // Drawn in the scene, the texture shows what the buffer painted.
  StartOfClearDraw1();
  glViewport(0, 0, kTestW, kTestH);
  PixelProjection();
  glDisable(GL_DEPTH_TEST);
  glActiveTextureARB(GL_TEXTURE0_ARB);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, pbufferTexLand);
  glColor4f(1, 1, 1, 1);
  FillQuad(200, 200, 260, 260);
  glDisable(GL_TEXTURE_2D);
  EXPECT_NEAR_RGB(ReadRgba(230, 230), 64, 128, 191, 1);
  EXPECT_NEAR_RGB(ReadRgba(120, 120), 255, 255, 0, 0);
  pbufferLand.clear();
  EXPECT_TRUE(pbufferLand.isLost());
}

TEST_F(OffscreenTest, BuffersRefuseWhatTheyCannotDo) {
  PBuffer p(32, 32, PBUF_ALPHA, false);
  EXPECT_FALSE(p.restoreCurrent());
  EXPECT_FALSE(p.makeCurrent());  // not created
  ASSERT_TRUE(p.create());
  EXPECT_FALSE(p.setCubemapSide(1));
  EXPECT_FALSE(p.bindToTexture(0));  // no texture bits
  EXPECT_FALSE(p.restoreCurrent());
  // A buffer that could not be made is never made current, so painting skips
  // instead of clearing the scene's own framebuffer.
  CPixelBuffer none;
  none.Init(0, 64, 32, 24, true);
  EXPECT_FALSE(none.valid);
  EXPECT_FALSE(none.Activate());
  none.Deactivate();
  ExpectBackBufferPattern();
  AttrList<int> attrs;
  for (int i = 0; i < 25; ++i) attrs.add(i + 1, i);
  EXPECT_EQ(attrs.count, 20);
  EXPECT_EQ(attrs.getAttrs()[39], 19);
}

namespace {

std::vector<uint8_t> ReadFileBytes(const char* path) {
  std::vector<uint8_t> d;
  FILE* f = std::fopen(path, "rb");
  if (!f) return d;
  int c;
  while ((c = std::fgetc(f)) != EOF) d.push_back(static_cast<uint8_t>(c));
  std::fclose(f);
  return d;
}

uint32_t U32(const std::vector<uint8_t>& d, size_t at) {
  return d[at] | d[at + 1] << 8 | d[at + 2] << 16 | static_cast<uint32_t>(d[at + 3]) << 24;
}

}  // namespace

TEST_F(OffscreenTest, ScreenshotsHoldWhatGlReadsBack) {
  for (int width : {640, 642}) {
    const int height = 37;
    CPixelBuffer buf;
    buf.Init(width, height, 32, 24, true);
    ASSERT_TRUE(buf.Activate());
    glMatrixMode(GL_PROJECTION);
    glOrtho(0, width, 0, height, -1, 1);
    for (int x = 0; x < width; x += 7) {
      glColor3ub(static_cast<uint8_t>(x), static_cast<uint8_t>(x * 3), static_cast<uint8_t>(255 - x));
      RenderTest::FillQuad(static_cast<float>(x), 0, static_cast<float>(x + 7), static_cast<float>(x % height));
    }
    std::vector<uint8_t> gl(static_cast<size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_BGR, GL_UNSIGNED_BYTE, gl.data());
    std::string path = "/tmp/velmar_shot_" + std::to_string(getpid()) + "_" + std::to_string(width) + ".bmp";
    ASSERT_EQ(OGL_SaveViewportToBMP(path), 1);
    buf.Deactivate();
    std::vector<uint8_t> bmp = ReadFileBytes(path.c_str());
    std::remove(path.c_str());
    size_t row = (static_cast<size_t>(width) * 3 + 3) & ~size_t(3);
    ASSERT_EQ(bmp.size(), 54 + row * height) << width;
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(U32(bmp, 2), 0u);
    EXPECT_EQ(U32(bmp, 10), 54u);
    EXPECT_EQ(U32(bmp, 18), static_cast<uint32_t>(width));
    EXPECT_EQ(U32(bmp, 22), static_cast<uint32_t>(height));
    EXPECT_EQ(U32(bmp, 34), row * height);
    EXPECT_EQ(U32(bmp, 38), width == 640 ? 0u : 2952u);  // the padded width takes the second writer
    for (int y = 0; y < height; ++y) {
      for (size_t k = 0; k < static_cast<size_t>(width) * 3; ++k)
        ASSERT_EQ(bmp[54 + y * row + k], gl[y * width * 3 + k]) << width << " row " << y;
      for (size_t k = static_cast<size_t>(width) * 3; k < row; ++k) ASSERT_EQ(bmp[54 + y * row + k], 0);
    }
  }
  EXPECT_EQ(OGL_SaveViewportToBMP(""), 0);
}

TEST_F(OffscreenTest, BmpWritersPadFlipAndSwap) {
  std::string path = "/tmp/velmar_bmp_" + std::to_string(getpid()) + ".bmp";
  uint8_t px[6] = {1, 2, 3, 4, 5, 6};  // 1 x 2, rows unpadded
  ASSERT_EQ(_writeBmp24(path.c_str(), 1, 2, px, 1, 1), 1);
  std::vector<uint8_t> d = ReadFileBytes(path.c_str());
  ASSERT_EQ(d.size(), 54u + 8);
  const uint8_t rows[8] = {6, 5, 4, 0, 3, 2, 1, 0};  // flipped, red and blue exchanged, 1 pad byte
  for (int k = 0; k < 8; ++k) EXPECT_EQ(d[54 + k], rows[k]);
  uint8_t grey[6] = {10, 20, 30, 40, 50, 60};  // 3 x 2
  ASSERT_EQ(_writeGrayScaleDataToBmpFile(path.c_str(), 3, 2, grey), 1);
  d = ReadFileBytes(path.c_str());
  ASSERT_EQ(d.size(), 54u + 1024 + 8);
  EXPECT_EQ(U32(d, 10), 54u + 1024);
  EXPECT_EQ(U32(d, 46), 256u);
  EXPECT_EQ(d[54 + 4 * 200], 200);
  EXPECT_EQ(d[54 + 4 * 200 + 3], 0);
  const uint8_t pixRows[8] = {40, 50, 60, 0, 10, 20, 30, 0};
  for (int k = 0; k < 8; ++k) EXPECT_EQ(d[54 + 1024 + k], pixRows[k]);
  std::remove(path.c_str());
  EXPECT_EQ(_writeBmp24("/nonexistent-dir/x.bmp", 1, 1, px, 0, 0), 0);
}
