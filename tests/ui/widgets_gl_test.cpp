// The widgets on a real GL window, read back pixel by pixel: list lines on
// their own rows, the settings overlay at 800 x 600, the text editor's window
// and the input bar. The general pictures are not loaded, so textured quads
// show their plain colours and texture-font glyphs show as solid tiles.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdlib>
#include <string>

#include "tests/ui/gl_window.h"
#include "tests/ui/temp_dir.h"
#include "tests/ui/widget_fixture.h"

namespace {

std::string Data(const char* rel) { return std::string(VELMAR_SOURCE_DIR) + "/data/" + rel; }

struct Rgb {
  int r, g, b;
};

class WidgetsGL : public ::testing::Test {
 protected:
  static TestGLWindow win;
  ScopedTempDir tmp;

  static void SetUpTestSuite() {
    ASSERT_TRUE(win.Open(800, 600));
    ResetWidgetState(800, 600);
    ASSERT_TRUE(LoadWinFonts(Data("base/wfont_list0.txt").c_str()));
    ASSERT_TRUE(LoadFontProektors(Data("base/proektor_list0.txt").c_str()));
  }
  static void TearDownTestSuite() {
    for (auto& f : org_WFont) f.Sbros();
    for (auto& t : tex_font) t.Sbros();
    for (int g = 0; g < kTBufGroups; ++g) KillTBufGru(g);
  }
  void SetUp() override {
    int pics[10];
    for (int s = 0; s < 10; ++s) pics[s] = *FontProjTexSetting(s);
    ResetWidgetState(800, 600);
    for (int s = 0; s < 10; ++s) *FontProjTexSetting(s) = pics[s];
    win.Clear();
    win.Begin2DPass();
    ASSERT_TRUE(Begin2D(0, 800, 0, 600));
  }
  void TearDown() override {
    End2D();
    masPole1[0].Sbros(1);
    masBL[0].Sbros();
  }
  static Rgb At(int x, int y) {
    auto px = win.Read(x, y, 1, 1);
    return {px[0], px[1], px[2]};
  }
};

TestGLWindow WidgetsGL::win;

::testing::AssertionResult Near(Rgb c, int r, int g, int b, int tol) {
  if (std::abs(c.r - r) <= tol && std::abs(c.g - g) <= tol && std::abs(c.b - b) <= tol)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "pixel (" << c.r << ", " << c.g << ", " << c.b << ") is not (" << r
                                       << ", " << g << ", " << b << ") within " << tol;
}

}  // namespace

TEST_F(WidgetsGL, ListLinesPrintOnTheirOwnRows) {
  t_Lin2 li;
  li.InitLin(200, 1, 5, 0.1f, 0.1f, 0.5f, 0.05f, 0.1f, 0.1f, 0.5f, 0.05f, 0, 0, 1);
  gMX = 100;
  gMY = 70;  // the pointer on the bottom line
  li._Exe2(nullptr, 0);
  ASSERT_EQ(li.lineUK, 4);
  ColorMatF(1, 1, 1, 1);
  li.Print(202, 0, 0, "Line two");
  // Field 60..210 high, 30 a line: line 2 is the band 120..150.
  EXPECT_GT(win.CountLit(80, 121, 200, 28), 20);
  EXPECT_EQ(win.CountLit(80, 60, 300, 60), 0);   // not on the pointer's line
  EXPECT_EQ(win.CountLit(80, 151, 300, 59), 0);
  win.Clear();
  for (int id = 200; id < 205; ++id) li.Print(id, 0, 1, "%d", id);
  for (int line = 0; line < 5; ++line) {
    int bottom = li.LineBottom(line);
    EXPECT_GT(win.CountLit(80, bottom + 1, 400, 28), 10) << line;
  }
  li.Print(205, 0, 0, "below the list");  // no line 5
  li.Print(199, 0, 0, "above it");
  EXPECT_EQ(win.CountLit(0, 0, 800, 59), 0);
}

TEST_F(WidgetsGL, SettingsOverlayAt800x600) {
  gOrgAllMenuInit();
  gOrgAllUp();
  gOrg2MenuDraw(&org2_li9);
  gOrgFMenuDraw(&orgF_li10);
  const t_Lin2& li = org2_li9;
  auto rowY = [&](int line) { return li.LineBottom(line) + li.lineH / 2; };
  // The title row is on screen in its colour, on both lists.
  EXPECT_TRUE(Near(At(3, rowY(0)), 102, 76, 51, 2));
  EXPECT_TRUE(Near(At(636, rowY(0)), 102, 76, 51, 2));
  Rgb back = At(li.w - 3, rowY(3));  // a plain row shows the background
  EXPECT_TRUE(Near(back, 17, 50, 66, 3));
  // Line 1 (State2D, read-only) carries the marker bar, inset an eighth.
  EXPECT_TRUE(Near(At(li.w / 8 + 3, rowY(1)), 110, 40, 55, 1));
  EXPECT_TRUE(Near(At(li.w / 8 - 3, rowY(1)), back.r, back.g, back.b, 1));
  // Ids 16 and 48 have no setting: a dark red bar inset a quarter.
  for (int line : {16, 48}) {
    EXPECT_TRUE(Near(At(li.w / 4 + 3, rowY(line)), 40, 0, 0, 1)) << line;
    EXPECT_TRUE(Near(At(li.w / 4 - 3, rowY(line)), back.r, back.g, back.b, 1)) << line;
  }
  // Setting names print in the rows (texture font 100: solid glyph tiles).
  EXPECT_GT(win.CountLit(0, li.LineBottom(26) + 1, li.w, li.lineH - 2, 200), 20);
  // Page 7: the rows of 387..400 are missing.
  win.Clear();
  gOrg2_PartFr0 = 7;
  gOrg2MenuDraw(&org2_li9);
  EXPECT_NE(At(li.w / 4 + 3, rowY(36)).r, 40);  // 386 is the last shown
  // (52 rows of 12 pixels do not fit 600: with the title row on screen, row 50
  // lies below the window.)
  for (int line = 37; line <= 49; ++line) EXPECT_TRUE(Near(At(li.w / 4 + 3, rowY(line)), 40, 0, 0, 1)) << line;
  // Hidden lists draw off screen.
  win.Clear();
  gOrgAllOut();
  gOrg2MenuDraw(&org2_li9);
  gOrgFMenuDraw(&orgF_li10);
  gOrg2MenuDraw(nullptr);
  EXPECT_EQ(win.CountLit(0, 0, 800, 600, 10), 0);
}

TEST_F(WidgetsGL, PointerRowHighlight) {
  gOrgAllMenuInit();
  gOrgAllUp();
  const t_Lin2& li = org2_li9;
  gMX = 3;
  gMY = li.LineBottom(5) + li.lineH / 2;
  org2_li9._Exe2(nullptr, 0);
  gOrg2MenuDraw(&org2_li9);
  Rgb left = At(5, gMY), right = At(li.w - 5, gMY);
  EXPECT_GT(left.g, right.g + 20);  // the left half lights up (additive)
}

TEST_F(WidgetsGL, TextEditorWindow) {
  ScopedTempDir::Write("t.txt", "// note\r\nx = 12;\r\n" + std::string(100, 'w') + "\r\nend\r\n");
  GlobalFileName00.Set("t.txt");
  Test_Pole2_OpenFile();
  tLinesTxt2& p = masPole1[0];
  ASSERT_NE(p.gru, 0);
  EXPECT_EQ(p.wrapped, 3);  // (500 - 60 - 15) / 15 = 28 letters a line
  p.h = 100;                // seven visible lines, the last one half below the window
  p.karet = 2;
  p.NewTextFromLenta();
  ASSERT_EQ(p.page, 7);
  ASSERT_EQ(p.lineKind[6], 1);  // "end"
  p.DrawIn22();
  const int x = static_cast<int>(p.x), y = static_cast<int>(p.y), w = static_cast<int>(p.w),
            h = static_cast<int>(p.h);
  // Scrollbar halves and the corner handles.
  EXPECT_TRUE(Near(At(x + w - 7, y + h * 3 / 4), 20, 130, 120, 1));
  EXPECT_TRUE(Near(At(x + w - 7, y + h / 4), 120, 130, 20, 1));
  EXPECT_TRUE(Near(At(x + 3, y + h - 3), 220, 130, 170, 1));
  EXPECT_TRUE(Near(At(x + w - 3, y + h - 3), 200, 200, 30, 1));
  EXPECT_TRUE(Near(At(x + 3, y + 3), 200, 200, 30, 1));
  EXPECT_TRUE(Near(At(x + 300, y + 40), 38, 25, 38, 1));  // background right of the text
  // Line 0, a comment, prints in the comment green on the caret line.
  int greens = 0, reds = 0;
  auto line0 = win.Read(x + 8, y + h - 15, 100, 15);
  for (size_t i = 0; i < line0.size(); i += 4) greens += line0[i + 1] > 150 && line0[i] < 60;
  auto line1 = win.Read(x + 8, y + h - 30, 100, 15);
  for (size_t i = 0; i < line1.size(); i += 4) reds += line1[i] > 200 && line1[i + 1] < 80;
  EXPECT_GT(greens, 20);
  EXPECT_GT(reds, 5);  // the signs '=' and ';' of line 1
  // The last line is cut at the window's bottom edge.
  EXPECT_GT(win.CountLit(x + 8, y + 2, 30, 8), 20);
  EXPECT_EQ(win.CountLit(x + 8, y - 5, 30, 3, 30), 0);
}

TEST_F(WidgetsGL, NumberInputBar) {
  ASSERT_TRUE(InputInt_Klient.GetInputCtrl(3, 6, "input: now %d", 42));
  End2D();  // the bar opens its own 2D pass
  Glob_vvodF = -402;
  RenderInputString();
  Glob_vvodF = -1;
  ASSERT_EQ(*o2::State2D, 0);
  Rgb bar = At(170, 290);
  EXPECT_EQ(bar.r, 0);
  EXPECT_EQ(bar.g, 0);
  EXPECT_GT(bar.b, 30);
  EXPECT_GT(win.CountLit(250, 280, 300, 40, 200), 20);  // the prompt
  ASSERT_TRUE(Begin2D(0, 800, 0, 600));
}
