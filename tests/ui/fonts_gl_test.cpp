// Fonts and printing on a real GL window, checked by reading pixels, the
// raster position, the model-view matrix and GL feedback.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/ui/gl_window.h"
#include "tests/ui/temp_dir.h"
#include "core/core.h"
#include "render/render.h"
#include "shell/shell.h"
#include "ui/ui.h"

namespace {

std::string Data(const char* rel) { return std::string(VELMAR_SOURCE_DIR) + "/data/" + rel; }

// A Windows font record of a list file.
std::string WinRec(int n, const char* face, int first, int count, int height, int weight, int charSet,
                   int outline = 0, int extrusion = 0) {
  char buf[256];
  std::snprintf(buf, sizeof(buf), "label\r\n%d\r\n%s\r\n%d %d %d 0 0 0 %d 0 0 0 %d %d 0 %d\r\n", n, face, first,
                count, height, weight, charSet, outline, extrusion);
  return buf;
}

struct Box {
  int x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1, n = 0;
};

class FontsGL : public ::testing::Test {
 protected:
  static TestGLWindow win;
  ScopedTempDir tmp;

  static void SetUpTestSuite() {
    ASSERT_TRUE(win.Open(800, 600));
    Ekran.W = static_cast<uint16_t>(win.w);
    Ekran.H = static_cast<uint16_t>(win.h);
    Ekran.VModeReq = 0;
  }
  static void TearDownTestSuite() {
    for (auto& f : org_WFont) f.Sbros();
    for (auto& t : tex_font) t.Sbros();
    // The window stays to the end of the process: unloading the GL driver
    // earlier would leave the leak checker with frames it cannot name.
  }
  void SetUp() override {
    for (auto& f : org_WFont) f.Sbros();
    for (auto& t : tex_font) t.Sbros();
    for (int g = 0; g < kTBufGroups; ++g) KillTBufGru(g);
    ASSERT_EQ(MakeTBufGru(95, 0), 0);
    Main_Done = 0;
    *o2::State2D = 1;
    win.Begin2DPass();
    win.Clear();
    glColor3f(1, 1, 1);
  }
  void TearDown() override {
    for (int g = 0; g < kTBufGroups; ++g) KillTBufGru(g);
  }

  // Four bitmap fonts: 0 bold CP1251, 5 capitals only, 6 CP1252, 11 CP1251.
  static void LoadTestWinFonts() {
    std::string list = "fonts\r\n4\r\n" + WinRec(0, "Arial", 32, 224, 14, 700, 204) +
                       WinRec(5, "Arial", 65, 26, 14, 400, 204) + WinRec(6, "Arial", 32, 224, 14, 400, 0) +
                       WinRec(11, "Arial", 32, 224, 14, 400, 204);
    ScopedTempDir::Write("wf.txt", list);
    ASSERT_TRUE(LoadWinFonts("wf.txt")) << ScopedTempDir::Log();
  }

  static int Text(const char* s) {
    int n = TBufGetNom(0, 1);
    TBufUpdate(0, n, "%s", s);
    return n;
  }

  static float RasterX() {
    GLfloat rp[4];
    glGetFloatv(GL_CURRENT_RASTER_POSITION, rp);
    return rp[0];
  }
  static float RasterY() {
    GLfloat rp[4];
    glGetFloatv(GL_CURRENT_RASTER_POSITION, rp);
    return rp[1];
  }

  // Bounding box of the lit pixels of a rectangle, in window pixels.
  static Box Ink(int x, int y, int w, int h) {
    auto px = win.Read(x, y, w, h);
    Box b;
    for (int r = 0; r < h; ++r)
      for (int c = 0; c < w; ++c) {
        const unsigned char* p = &px[(static_cast<size_t>(r) * w + c) * 4];
        if (p[0] < 100 && p[1] < 100 && p[2] < 100) continue;
        b.x0 = std::min(b.x0, x + c);
        b.x1 = std::max(b.x1, x + c);
        b.y0 = std::min(b.y0, y + r);
        b.y1 = std::max(b.y1, y + r);
        ++b.n;
      }
    return b;
  }

  // The pixels one letter leaves at (100, 100), as lit / unlit.
  static std::vector<bool> Glyph(int font, const char* s) {
    win.Clear();
    glColor3f(1, 1, 1);
    Print2D(100, 100, 0, 0, font, 0, static_cast<short>(Text(s)), 0, 0, 0);
    auto px = win.Read(90, 90, 40, 40);
    std::vector<bool> lit;
    for (size_t i = 0; i < px.size(); i += 4) lit.push_back(px[i] > 100);
    return lit;
  }
};

TestGLWindow FontsGL::win;

TEST_F(FontsGL, DefaultFontListsBuildEveryFont) {
  auto t0 = std::chrono::steady_clock::now();
  ASSERT_TRUE(LoadWinFonts(Data("base/wfont_list0.txt").c_str())) << ScopedTempDir::Log();
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0).count();
  std::printf("13 Windows fonts built in %lld ms\n", static_cast<long long>(ms));
  for (int i = 0; i < kWinFonts; ++i) {
    EXPECT_NE(org_WFont[i].listBase, 0u) << i;
    EXPECT_EQ(org_WFont[i].count, 224);
  }
  EXPECT_EQ(org_WFont[11].outline, 1);
  ASSERT_TRUE(LoadFontProektors(Data("base/proektor_list0.txt").c_str())) << ScopedTempDir::Log();
  EXPECT_EQ(*o2::FontProjTex0, 32);
  EXPECT_EQ(*o2::FontProjTex5, 61);
  for (int s = 0; s < 6; ++s) {
    EXPECT_NE(tex_font[s].listBase, 0u) << s;
    EXPECT_GE(tex_font[s].MaxTilePixW(), 7);
  }
  EXPECT_EQ(tex_font[6].listBase, 0u);
  // Text appears on screen in a Windows font.
  Print2D(50, 300, 0, 0, 0, 0, static_cast<short>(Text("Velmar \xCF\xF0\xE8\xE2\xE5\xF2")), 0, 0, 0);
  EXPECT_GT(win.CountLit(40, 290, 300, 30), 100);
}

TEST_F(FontsGL, BitmapAdvancesEqualTheRasterMovement) {
  LoadTestWinFonts();
  const orgT_WFont& f = org_WFont[0];
  for (int code : {int('A'), int('W'), int('i'), int(' '), int('1'), 0xC6, 0xFF}) {
    glRasterPos2i(10, 10);
    glListBase(f.listBase - f.first);
    unsigned char c = static_cast<unsigned char>(code);
    glCallLists(1, GL_UNSIGNED_BYTE, &c);
    EXPECT_NEAR(RasterX() - 10, f.adv[code - f.first], 0.01) << "code " << code;
    EXPECT_GT(f.adv[code - f.first], 0.0f);
  }
  int n = Text("Hello, \xEC\xE8\xF0!");  // "Hello, мир!"
  Print2D(20, 200, 0, 0, 0, 0, static_cast<short>(n), 0, 0, 0);
  EXPECT_NEAR(RasterX(), 20 + TBufWidth(0, static_cast<short>(n), 0, true, 0, 0), 0.01);
  EXPECT_NEAR(RasterY(), 200, 0.01);
}

// The advances and heights taken from the glyphs themselves are those the
// read-back of WFontBitmaps_GetGabarits measures on the screen, for every
// bitmap font of the default list.
TEST_F(FontsGL, MeasuresFromTheGlyphsEqualTheReadBack) {
  ASSERT_TRUE(LoadWinFonts(Data("base/wfont_list0.txt").c_str())) << ScopedTempDir::Log();
  int fonts = 0;
  for (int i = 0; i < kWinFonts; ++i) {
    orgT_WFont& f = org_WFont[i];
    if (!f.listBase || f.outline) continue;
    ++fonts;
    std::vector<float> adv(f.adv, f.adv + f.count + 1), hgt(f.hgt, f.hgt + f.count + 1);
    WFontBitmaps_GetGabarits(i);
    for (int k = 0; k <= f.count; ++k) {
      ASSERT_EQ(adv[k], f.adv[k]) << "font " << i << " glyph " << f.first + k;
      ASSERT_EQ(hgt[k], f.hgt[k]) << "font " << i << " glyph " << f.first + k;
    }
  }
  EXPECT_GE(fonts, 10);
}

// Hostile records of both lists are refused with a log line, each alone: no
// font of a height or width beyond a screen is built (one of 32767 pixels
// would take gigabytes), nor one outside its table.
TEST_F(FontsGL, HostileFontRecordsAreRefused) {
  std::string list = "fonts\r\n9\r\n" + WinRec(0, "Arial", 32, 224, 32767, 400, 204) +
                     WinRec(1, "Arial", 32, 224, -32768, 400, 204) + WinRec(2, "Arial", 32, 224, 4000, 400, 204) +
                     WinRec(3, "Arial", 65, 6, 1024, 400, 204) + WinRec(4, "Arial", 300, 5, 14, 400, 204) +
                     WinRec(7, "Arial", 32, 300, 14, 400, 204, 1) + WinRec(-4, "Arial", 32, 10, 14, 400, 204) +
                     WinRec(8, "Arial", 65, 6, -1024, 400, 204);
  // A width beyond a screen, in the record's fourth number.
  list += "label\r\n9\r\nArial\r\n65 6 14 5000 0 0 400 0 0 0 204 0 0 0\r\n";
  ScopedTempDir::Write("wf.txt", list);
  EXPECT_TRUE(LoadWinFonts("wf.txt")) << ScopedTempDir::Log();
  for (int slot : {0, 1, 2, 4, 7, 9}) EXPECT_EQ(org_WFont[slot].listBase, 0u) << slot;
  EXPECT_NE(org_WFont[3].listBase, 0u) << "1024 pixels: the tallest screen";
  EXPECT_NE(org_WFont[8].listBase, 0u);
  std::string log = ScopedTempDir::Log();
  EXPECT_NE(log.find("height 32767"), std::string::npos) << log;
  EXPECT_NE(log.find("height -32768"), std::string::npos) << log;
  EXPECT_NE(log.find("width 5000"), std::string::npos) << log;
  EXPECT_NE(log.find("first code above 255"), std::string::npos) << log;
  EXPECT_NE(log.find("more than 256 outline glyphs"), std::string::npos) << log;

  // Texture fonts: no grid, no picture size, a negative slot or count.
  std::string tlist = "0 0 0 0 0 0 0 0 0 0\r\n5\r\n";
  auto tex = [](int slot, const char* nums) {
    return "label\r\n" + std::to_string(slot) + "\r\nlabel\r\n" + nums + "\r\n1 8\r\n";
  };
  tlist += tex(0, "32 10 256 256 0 4 256 256") + tex(1, "32 10 0 256 16 4 256 256") +
           tex(-2, "32 10 256 256 16 4 256 256") + tex(3, "32 -5 256 256 16 4 256 256") +
           tex(4, "32 32767 256 256 16 4 256 256");
  ScopedTempDir::Write("pr.txt", tlist);
  EXPECT_TRUE(LoadFontProektors("pr.txt")) << ScopedTempDir::Log();
  for (int slot : {0, 1, 3}) EXPECT_EQ(tex_font[slot].listBase, 0u) << slot;
  EXPECT_NE(tex_font[4].listBase, 0u);
  EXPECT_EQ(tex_font[4].MaxTilePixW(), 8);
}

TEST_F(FontsGL, InkSitsOnTheBaselineInsideTheAdvance) {
  LoadTestWinFonts();
  const orgT_WFont& f = org_WFont[0];
  Print2D(100, 100, 0, 0, 0, 0, static_cast<short>(Text("H")), 0, 0, 0);
  Box b = Ink(80, 80, 50, 50);
  ASSERT_GT(b.n, 10);
  EXPECT_EQ(b.y0, 100);  // the capital stands on the baseline
  EXPECT_LT(b.y1, 100 + f.height);
  EXPECT_GE(b.x0, 100);
  EXPECT_LT(b.x1, 100 + static_cast<int>(f.adv['H' - f.first]));
  EXPECT_EQ(f.hgt['H' - f.first], b.y1 - b.y0 + 1);  // measured height of the glyph
  win.Clear();
  Print2D(100, 100, 0, 0, 0, 0, static_cast<short>(Text("\xF0")), 0, 0, 0);  // Cyrillic er
  EXPECT_LT(Ink(80, 80, 50, 50).y0, 100);  // its descender goes below
}

TEST_F(FontsGL, CyrillicBytesDrawCyrillicLetters) {
  LoadTestWinFonts();
  // In CP1251, bytes 0xCD, 0xC5, 0xF0 are Н, Е, р: drawn like Latin H, E, p.
  auto latinH = Glyph(0, "H");
  EXPECT_EQ(Glyph(0, "\xCD"), latinH);
  EXPECT_EQ(Glyph(0, "\xC5"), Glyph(0, "E"));
  EXPECT_EQ(Glyph(0, "\xF0"), Glyph(0, "p"));
  auto zhe = Glyph(0, "\xC6");  // Ж
  EXPECT_NE(zhe, latinH);
  EXPECT_GT(std::count(zhe.begin(), zhe.end(), true), 20);
  // The same byte in a CP1252 font is Å: an A with a ring above it.
  Glyph(6, "A");
  Box a = Ink(80, 80, 60, 60);
  Glyph(6, "\xC5");
  Box ring = Ink(80, 80, 60, 60);
  EXPECT_EQ(ring.y0, a.y0);
  EXPECT_GT(ring.y1, a.y1 + 1);
}

TEST_F(FontsGL, LettersOutsideTheFontAreNotDrawn) {
  LoadTestWinFonts();
  const orgT_WFont& caps = org_WFont[5];  // A..Z only
  ASSERT_EQ(caps.first, 65);
  int n = Text("aBc");
  EXPECT_EQ(TBufWidth(0, static_cast<short>(n), 5, true, 0, 0), static_cast<int>(caps.adv['B' - 65]));
  Print2D(100, 100, 0, 0, 5, 0, static_cast<short>(n), 0, 0, 0);
  EXPECT_NEAR(RasterX(), 100 + caps.adv['B' - 65], 0.01);
  Box b = Ink(60, 80, 200, 50);
  EXPECT_GE(b.x0, 100);
  EXPECT_LT(b.x1, 100 + static_cast<int>(caps.adv['B' - 65]));
}

TEST_F(FontsGL, WindowsFontCentring) {
  LoadTestWinFonts();
  const orgT_WFont& f = org_WFont[0];
  short n = static_cast<short>(Text("Centre me"));
  int w = TBufWidth(0, n, 0, true, 0, 0);
  ASSERT_GT(w, 40);
  EXPECT_EQ(gr_TBuf[0][n].wWin[0], 0.0f);
  Print2D(400, 300, 1, 1, 0, 0, n, 0, 0, 0);
  EXPECT_NEAR(RasterX(), 400 - w / 2 + w, 0.01);
  EXPECT_NEAR(RasterY(), 300 - (f.height / 2) / 2, 0.01);
  EXPECT_EQ(gr_TBuf[0][n].wWin[0], static_cast<float>(w));  // measured once, kept
  // A changed text is measured again on its next centred print.
  TBufUpdate(0, n, "%s", "Other, longer text");
  int w2 = TBufWidth(0, n, 0, true, 0, 0);
  Print2D(400, 300, 1, 0, 0, 0, n, 0, 0, 0);
  EXPECT_NEAR(RasterX(), 400 - w2 / 2 + w2, 0.01);
  EXPECT_NEAR(RasterY(), 300, 0.01);
  // With skips the middle letters are measured and drawn.
  int mid = TBufWidth(0, n, 0, true, 2, 3);
  Print2D(400, 300, 1, 0, 0, 0, n, 2, 3, 0);
  EXPECT_NEAR(RasterX(), 400 - mid / 2 + mid, 0.01);
  // Font 11 prints uncentred even when asked to centre.
  Print2D(400, 300, 1, 1, 11, 0, n, 0, 0, 0);
  EXPECT_NEAR(RasterX(), 400 + TBufWidth(0, n, 11, true, 0, 0), 0.01);
}

TEST_F(FontsGL, PrintsNothingWhenItMustNot) {
  LoadTestWinFonts();
  short n = static_cast<short>(Text("abc"));
  glRasterPos2i(7, 7);
  Print2D(100, 100, 0, 0, 0, 0, n, 2, 1, 0);  // 3 letters < 2 + 1 + 1
  Print2D(100, 100, 0, 0, 50, 0, n, 0, 0, 0);
  Print2D(100, 100, 0, 0, 12, 0, n, 0, 0, 0);  // font 12 is not built here
  Print2D(100, 100, 0, 0, 116, 0, n, 0, 0, 0);
  Print2D(100, 100, 0, 0, -3, 0, n, 0, 0, 0);
  Print2D(100, 100, 0, 0, 0, 0, 95, 0, 0, 0);
  Print2D(100, 100, 0, 0, 0, 30, 1, 0, 0, 0);
  *o2::State2D = 0;
  Print2D(100, 100, 0, 0, 0, 0, n, 0, 0, 0);
  *o2::State2D = 1;
  EXPECT_NEAR(RasterX(), 7, 0.01);
  EXPECT_EQ(win.CountLit(0, 0, win.w, win.h), 0);
  EXPECT_EQ(Main_Done, 0);
}

TEST_F(FontsGL, LetterColoursPrintEachLetterInItsColour) {
  LoadTestWinFonts();
  short n = static_cast<short>(Text("II"));
  TBufClrBukv(0, n, 255, 0, 0, 0, 1);
  TBufClrBukv(0, n, 0, 0, 255, 1, 1);
  Print2D(100, 100, 0, 0, 0, 0, n, 0, 0, 1);
  const orgT_WFont& f = org_WFont[0];
  int adv = static_cast<int>(f.adv['I' - f.first]);
  auto left = win.Read(100, 100, adv, 10), right = win.Read(100 + adv, 100, adv, 10);
  int red = 0, blue = 0;
  for (size_t i = 0; i < left.size(); i += 4) red += left[i] == 255 && left[i + 2] == 0;
  for (size_t i = 0; i < right.size(); i += 4) blue += right[i + 2] == 255 && right[i] == 0;
  EXPECT_GT(red, 5);
  EXPECT_GT(blue, 5);
}

TEST_F(FontsGL, ZeroRowSearch) {
  glEnable(GL_SCISSOR_TEST);
  glScissor(0, 0, 10, 5);
  glClearColor(1, 1, 1, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glDisable(GL_SCISSOR_TEST);
  EXPECT_EQ(FindZeroPixLine(0, 0, 10, 12), 5);
  EXPECT_EQ(FindZeroPixLine(20, 0, 10, 12), 0);  // nothing drawn: all blank
  EXPECT_EQ(FindZeroPixLine(0, 0, 10, 5), -1);   // ink everywhere
  EXPECT_EQ(FindZeroPixLine(0, 0, 0, 5), 0);
  EXPECT_EQ(FindZeroPixLine(0, 0, 5, 0), -1);
  EXPECT_EQ(FindZeroPixLine(790, 590, 100, 100), 0);  // cut to the window
}

TEST_F(FontsGL, OutlineFontsDrawIn3D) {
  std::string list = "fonts\r\n3\r\n" + WinRec(12, "Arial", 32, 224, 0, 700, 204, 1, 20) +
                     WinRec(4, "Arial", 32, 257, 0, 700, 204, 1, 0) + WinRec(3, "Arial", 32, 1000, 14, 400, 204);
  ScopedTempDir::Write("of.txt", list);
  ASSERT_TRUE(LoadWinFonts("of.txt"));
  EXPECT_EQ(org_WFont[4].listBase, 0u);  // 257 outline glyphs are refused
  EXPECT_NE(ScopedTempDir::Log().find("more than 256 outline glyphs"), std::string::npos);
  EXPECT_EQ(org_WFont[3].count, 224);  // byte texts never print codes above 255
  const orgT_WFont& f = org_WFont[12];
  ASSERT_NE(f.listBase, 0u);
  float advW = f.adv['W' - 32], advI = f.adv['i' - 32];
  EXPECT_GT(advW, 0.5f);
  EXPECT_LT(advW, 1.2f);
  EXPECT_LT(advI, advW);
  EXPECT_GT(f.hgt['H' - 32], 0.6f);
  short n = static_cast<short>(Text("WH\xC6"));
  // Outline fonts do not print in 2D.
  Print2D(100, 100, 0, 0, 12, 0, n, 0, 0, 0);
  EXPECT_EQ(win.CountLit(0, 0, win.w, win.h), 0);
  // In 3D they print at the caller's transform, one unit an em.
  glColor3f(1, 1, 1);
  glPushMatrix();
  glTranslatef(100, 100, 0);
  glScalef(60, 60, 1);
  Print3D(1, 12, 0, n, 0, 0, 0);
  GLfloat m[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  glPopMatrix();
  EXPECT_NEAR(m[12], 100 + 60 * TBufWidthF(0, n, 12, true, 0, 0), 0.01);
  Box b = Ink(90, 80, 300, 100);
  EXPECT_GT(b.n, 500);
  EXPECT_GE(b.x0, 99);
  EXPECT_LE(b.x1, 100 + static_cast<int>(60 * TBufWidthF(0, n, 12, true, 0, 0)) + 1);
  // The outline printer centres the text on the transform.
  win.Clear();
  Glob_FroPolyFontR = Glob_FroPolyFontG = Glob_FroPolyFontB = Glob_FroPolyFontA = 1;
  glPushMatrix();
  glTranslatef(400, 300, 0);
  glScalef(60, 60, 1);
  PrintFX(12, 0, n, 1, -1);
  glPopMatrix();
  Box c = Ink(200, 280, 400, 100);
  EXPECT_NEAR((c.x0 + c.x1) / 2.0, 400, 6);
  Glob_FroPolyFontR = Glob_FroPolyFontG = Glob_FroPolyFontB = Glob_FroPolyFontA = 0;
}

// ---- texture fonts ----

// A 16 x 8 grid of 16 x 16 cells in a 256 x 128 picture: glyphs 32..159.
void LoadGridFont(int pictureNumber) {
  std::string s = std::to_string(pictureNumber) + " 0 0 0 0 0 0 0 0 0\r\n1\r\nfont 0\r\n0\r\ngrid\r\n"
                  "32 127 256 128 16 8 256 128\r\n0\r\n";
  for (int k = 0; k < 128; ++k) s += std::to_string(3 + k % 7) + (k % 16 == 15 ? "\r\n" : " ");
  ScopedTempDir::Write("tf.txt", s);
  ASSERT_TRUE(LoadFontProektors("tf.txt"));
}

struct FeedbackVertex {
  float x, y, s, t;
};

std::vector<FeedbackVertex> Feedback(void (*draw)()) {
  std::vector<GLfloat> buf(4096);
  glFeedbackBuffer(static_cast<GLsizei>(buf.size()), GL_3D_COLOR_TEXTURE, buf.data());
  glRenderMode(GL_FEEDBACK);
  draw();
  GLint n = glRenderMode(GL_RENDER);
  std::vector<FeedbackVertex> out;
  for (GLint i = 0; i < n;) {
    GLint token = static_cast<GLint>(buf[i++]);
    if (token != GL_POLYGON_TOKEN) break;
    GLint count = static_cast<GLint>(buf[i++]);
    for (GLint v = 0; v < count; ++v, i += 11) out.push_back({buf[i], buf[i + 1], buf[i + 7], buf[i + 8]});
  }
  return out;
}

bool HasVertex(const std::vector<FeedbackVertex>& vs, float x, float y, float s, float t) {
  for (const auto& v : vs)
    if (std::abs(v.x - x) < 1e-3 && std::abs(v.y - y) < 1e-3 && std::abs(v.s - s) < 1e-5 && std::abs(v.t - t) < 1e-5)
      return true;
  return false;
}

TEST_F(FontsGL, TextureGlyphsAreQuadsCutFromTheGrid) {
  LoadGridFont(5);
  const t_tile_proektor& t = tex_font[0];
  EXPECT_EQ(t.cellW, 16);
  EXPECT_EQ(t.cellH, 16);
  EXPECT_EQ(t.MaxTilePixW(), 9);
  glDisable(GL_CULL_FACE);
  for (int code : {32, 33, 47, 48, 100, 159}) {
    SCOPED_TRACE(code);
    static int n;
    char s[2] = {static_cast<char>(code), 0};
    n = Text(s);
    auto vs = Feedback([] { Print2D(40, 60, 0, 0, 100, 0, static_cast<short>(n), 0, 0, 0); });
    int k = code - 32, col = k % 16, row = k / 16, w = 3 + k % 7;
    float s0 = col * 16 / 256.0f, s1 = s0 + w / 256.0f;
    float v0 = 1.0f - (row + 1) * 0.125f, v1 = v0 + 0.125f;
    ASSERT_GE(vs.size(), 4u);
    EXPECT_TRUE(HasVertex(vs, 40, 60, s0, v0));
    EXPECT_TRUE(HasVertex(vs, 40 + w, 60, s1, v0));
    EXPECT_TRUE(HasVertex(vs, 40 + w, 76, s1, v1));
    EXPECT_TRUE(HasVertex(vs, 40, 76, s0, v1));
    TBufClear(0, n);
  }
  // Picture 5 of group 0 does not exist: the glyphs are drawn untextured.
  Print_ProjAutoTexBind(0);
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_NE(ScopedTempDir::Log().find("Texture font 0: picture 5 of group 0 is missing"), std::string::npos);
}

TEST_F(FontsGL, TextureFontCentringAndRange) {
  LoadGridFont(0);
  short n = static_cast<short>(Text("AB\xF0"));  // 0xF0 is outside glyphs 32..159
  int w = TBufWidth(0, n, 0, false, 0, 0);
  EXPECT_EQ(w, (3 + 33 % 7) + (3 + 34 % 7));
  GLfloat m[16];
  Print2D(300, 200, 1, 1, 100, 0, n, 0, 0, 0);
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  EXPECT_EQ(m[12], 300 - w / 2 + 2 + w);  // two pixels right of the Windows rule
  EXPECT_EQ(m[13], 200 - 16 / 2);
  EXPECT_EQ(gr_TBuf[0][n].wTex[0], w);
  // Slot 12 (font 112) never centres.
  std::string s = "0 0 0 0 0 0 0 0 0 0\r\n1\r\nf\r\n12\r\ng\r\n32 127 256 128 16 8 256 128\r\n1 5\r\n";
  ScopedTempDir::Write("t12.txt", s);
  ASSERT_TRUE(LoadFontProektors("t12.txt"));
  Print2D(300, 200, 1, 0, 112, 0, n, 0, 0, 0);
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  EXPECT_EQ(m[12], 300 + 10);
  tex_font[12].Sbros();
}

TEST_F(FontsGL, TextureFontsSampleTheirPicture) {
  // Picture 3 of group 0: every cell of the 16 x 8 grid in its own colour.
  const int W = 256, H = 128;
  std::vector<unsigned char> px(W * H * 4);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      int row = (H - 1 - y) / 16, col = x / 16;  // rows counted from the top
      unsigned char* p = &px[(y * W + x) * 4];
      p[0] = static_cast<unsigned char>(col * 16);
      p[1] = static_cast<unsigned char>(row * 32);
      p[2] = 200;
      p[3] = 255;
    }
  GLuint tex;
  glGenTextures(1, &tex);
  glBindTexture(GL_TEXTURE_2D, tex);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, W, H, 0, GL_RGBA, GL_UNSIGNED_BYTE, px.data());
  gr_Pix[0] = new Pix_[4];
  gr_Pix_Last[0] = 3;
  gr_Pix[0][3].texture = tex;
  glBindTexture(GL_TEXTURE_2D, 0);
  LoadGridFont(3);
  short n = static_cast<short>(Text("d"));  // code 100: glyph 68, column 4, row 4
  Print2D(100, 100, 0, 0, 100, 0, n, 0, 0, 0);
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));  // printing leaves texturing and blending off
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  auto got = win.Read(101, 104, 1, 1);
  EXPECT_EQ(got[0], 4 * 16);
  EXPECT_EQ(got[1], 4 * 32);
  EXPECT_EQ(got[2], 200);
  delete[] gr_Pix[0];  // the picture deletes its texture
  gr_Pix[0] = nullptr;
}

TEST_F(FontsGL, DefaultTextureFontsPrintFromTheirPictures) {
  ASSERT_TRUE(LoadFontProektors(Data("base/proektor_list0.txt").c_str()));
  const int pic = *o2::FontProjTex0;
  gr_Pix[0] = new Pix_[pic + 1];
  gr_Pix_Last[0] = static_cast<uint16_t>(pic);
  std::filesystem::path here = std::filesystem::current_path();
  std::filesystem::current_path(Data(""));  // picture names are lower case, relative to the data folder
  bool loaded = gr_Pix[0][pic].LoadImg("ris/tfont0.tga", "-", 0) && gr_Pix[0][pic].GenTexture(0, 1);
  std::filesystem::current_path(here);
  ASSERT_TRUE(loaded);
  const t_tile_proektor& t = tex_font[0];
  short n = static_cast<short>(Text("\xCF\xF0\xE8\xE2\xE5\xF2, Velmar!"));  // "Привет, Velmar!"
  int w = TBufWidth(0, n, 0, false, 0, 0);
  ASSERT_GT(w, 60);
  glColor3f(1, 1, 1);
  Print2D(100, 100, 0, 0, 100, 0, n, 0, 0, 0);
  Box b = Ink(60, 60, 300, 80);
  EXPECT_GT(b.n, 150);
  EXPECT_GE(b.x0, 100);
  EXPECT_LT(b.x1, 100 + w);
  EXPECT_GE(b.y0, 100);
  EXPECT_LT(b.y1, 100 + t.cellH);
  // Each glyph's ink stays inside its own tile: the first letter, П, alone.
  int tileP = t.TileW(0xCF);
  Box p = Ink(100, 100, tileP, t.cellH);
  Box next = Ink(100 + tileP, 100, t.TileW(0xF0), t.cellH);
  EXPECT_GT(p.n, 10);
  EXPECT_GT(next.n, 5);
  delete[] gr_Pix[0];
  gr_Pix[0] = nullptr;
}

}  // namespace
