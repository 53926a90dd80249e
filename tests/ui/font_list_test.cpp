// The two font list files, read without GL.
#include <gtest/gtest.h>

#include <string>

#include "tests/ui/temp_dir.h"
#include "core/core.h"
#include "ui/ui.h"

namespace {

std::string WinRecord(int number, const std::string& face, int height, int outline = 0, int count = 224) {
  return "font label\r\n" + std::to_string(number) + "\r\n" + face + "\r\n32 " + std::to_string(count) + " " +
         std::to_string(height) + " 0 0 0 700 0 0 0 204 " + std::to_string(outline) + " 0 10\r\n";
}

std::string WinList(int declared, int records) {
  std::string s = "Windows fonts\r\n" + std::to_string(declared) + "\r\n";
  for (int i = 0; i < records; ++i) s += WinRecord(i, "Arial", 14);
  return s;
}

std::vector<t_WFontSpec> ParseWin(const std::string& s, int mode, int* result = nullptr) {
  std::vector<t_WFontSpec> out;
  int r = WFontList_Parse(s.data(), s.size(), mode, out);
  if (result) *result = r;
  return out;
}

TEST(WinFontList, KeepsThirteenFontsOfTwenty) {
  int r = 0;
  auto specs = ParseWin(WinList(20, 20), 0, &r);
  EXPECT_EQ(r, 1);
  ASSERT_EQ(specs.size(), 13u);
  EXPECT_EQ(specs[12].slot, 12);
  EXPECT_STREQ(specs[0].face, "Arial");
  EXPECT_EQ(specs[0].first, 32);
  EXPECT_EQ(specs[0].count, 224);
  EXPECT_EQ(specs[0].weight, 700);
  EXPECT_EQ(specs[0].charSet, 204);
  EXPECT_EQ(specs[0].extrusion, 10);
}

TEST(WinFontList, HeightsGrowWithTheVideoMode) {
  std::string s = "Windows fonts\r\n2\r\n" + WinRecord(0, "Arial", 14) + WinRecord(1, "Arial", -12);
  const int want14[6] = {14, 18, 20, 22, 22, 22};
  for (int mode = 0; mode < 6; ++mode) {
    auto specs = ParseWin(s, mode);
    ASSERT_EQ(specs.size(), 2u);
    EXPECT_EQ(specs[0].height, want14[mode]) << "mode " << mode;
    EXPECT_EQ(specs[1].height, -12) << "em heights stay";
  }
  EXPECT_EQ(WFontHeightForMode(16, 1), 20);  // 16 / 3 = 5, made even: 4
  EXPECT_EQ(WFontHeightForMode(16, 2), 22);  // 5 + 2 = 7 -> 6
  EXPECT_EQ(WFontHeightForMode(0, 3), 0);
}

TEST(WinFontList, FontNumbersAreCutAndNamesTrimmed) {
  std::string longFace(80, 'F');
  std::string s = "Windows fonts\r\n3\r\n" + WinRecord(30, "  Times New Roman \t", 14) + WinRecord(2, longFace, 14) +
                  WinRecord(-4, "Arial", 14);
  ScopedTempDir tmp;
  auto specs = ParseWin(s, 0);
  ASSERT_EQ(specs.size(), 3u);
  EXPECT_EQ(specs[0].slot, 12);
  EXPECT_STREQ(specs[0].face, "Times New Roman");
  EXPECT_EQ(std::string(specs[1].face), std::string(63, 'F'));
  EXPECT_TRUE(WFontSpecOK(specs[0]));
  EXPECT_FALSE(WFontSpecOK(specs[2]));  // a negative font number is refused
  EXPECT_NE(ScopedTempDir::Log().find("Windows font -4"), std::string::npos);
}

TEST(WinFontList, OutlineFontsBuildAtMost256Glyphs) {
  auto specs = ParseWin("W\r\n2\r\n" + WinRecord(0, "Arial", 0, 1, 257) + WinRecord(1, "Arial", 0, 1, 256), 0);
  ASSERT_EQ(specs.size(), 2u);
  ScopedTempDir tmp;
  EXPECT_FALSE(WFontSpecOK(specs[0]));
  EXPECT_TRUE(WFontSpecOK(specs[1]));
  EXPECT_NE(ScopedTempDir::Log().find("more than 256 outline glyphs"), std::string::npos);
}

TEST(WinFontList, ToleratesSpacesAfterNumbersAndLfOnlyLines) {
  std::string s = "label\n1   \nfont 0\n5 \nArial\n32 10 14 0 0 0 400 0 0 0 0 0 0 0\n";
  auto specs = ParseWin(s, 0);
  ASSERT_EQ(specs.size(), 1u);
  EXPECT_EQ(specs[0].slot, 5);
  EXPECT_EQ(specs[0].count, 10);
}

TEST(WinFontList, TruncatedListsReportWhatTheyRead) {
  std::string whole = WinList(3, 3);
  int r = 1;
  auto specs = ParseWin(whole.substr(0, whole.size() - 20), 0, &r);
  EXPECT_EQ(r, 0);
  EXPECT_EQ(specs.size(), 2u);
  EXPECT_EQ(ParseWin("", 0, &r).size(), 0u);
  EXPECT_EQ(r, 0);
  EXPECT_EQ(ParseWin("label\r\nnot a number\r\n", 0, &r).size(), 0u);
  EXPECT_EQ(r, 0);
}

std::string TexRecord(int slot, int count, int cols, int rows, const std::string& widths) {
  return "\r\ntexture font\r\n" + std::to_string(slot) + "\r\nfirst count picW picH cols rows gridW gridH\r\n32 " +
         std::to_string(count) + " 256 128 " + std::to_string(cols) + " " + std::to_string(rows) + " 256 128\r\n" +
         widths;
}

TEST(TexFontList, ReadsPicturesWidthsAndTheSameWidthMode) {
  std::string s = "11 12 13 14 15 16 17 18 19 20\r\n3" + TexRecord(0, 3, 16, 8, "0\r\n4 5 6 7") +
                  TexRecord(20, 4, 16, 8, "1 9") + TexRecord(-1, 1, 16, 8, "0\r\n1 2") + "\r\n";
  t_TFontList list;
  ASSERT_EQ(TFontList_Parse(s.data(), s.size(), list), 1);
  for (int k = 0; k < 10; ++k) EXPECT_EQ(list.pics[k], 11 + k);
  ASSERT_EQ(list.fonts.size(), 3u);
  EXPECT_EQ(list.fonts[0].widths, (std::vector<short>{4, 5, 6, 7}));
  EXPECT_EQ(list.fonts[1].slot, 15);  // cut to the last slot
  EXPECT_EQ(list.fonts[1].widths, std::vector<short>(5, 9));
  EXPECT_EQ(list.fonts[0].picW, 256);
  EXPECT_EQ(list.fonts[0].gridH, 128);
  ScopedTempDir tmp;
  EXPECT_TRUE(TFontSpecOK(list.fonts[0]));
  EXPECT_FALSE(TFontSpecOK(list.fonts[2]));
}

TEST(TexFontList, ZeroColumnsOrRowsAreRefused) {
  std::string s = "0 0 0 0 0 0 0 0 0 0\r\n2" + TexRecord(1, 1, 0, 8, "1 5") + TexRecord(2, 1, 16, 0, "1 5");
  t_TFontList list;
  ASSERT_EQ(TFontList_Parse(s.data(), s.size(), list), 1);
  ScopedTempDir tmp;
  EXPECT_FALSE(TFontSpecOK(list.fonts[0]));
  EXPECT_FALSE(TFontSpecOK(list.fonts[1]));
  EXPECT_NE(ScopedTempDir::Log().find("Texture font 1: no columns or rows"), std::string::npos);
}

TEST(TexFontList, SixteenFontsAtMostAndTruncationIsReported) {
  std::string s = "1 2 3 4 5 6 7 8 9 10\r\n40";
  for (int i = 0; i < 40; ++i) s += TexRecord(i, 0, 16, 8, "1 8");
  t_TFontList list;
  EXPECT_EQ(TFontList_Parse(s.data(), s.size(), list), 1);
  EXPECT_EQ(list.fonts.size(), 16u);
  std::string cut = "1 2 3 4 5 6 7 8 9 10\r\n1" + TexRecord(0, 30, 16, 8, "0\r\n1 2 3");
  EXPECT_EQ(TFontList_Parse(cut.data(), cut.size(), list), 0);
  EXPECT_EQ(TFontList_Parse("1 2 3", 5, list), 0);
}

TEST(FontData, TheDefaultListsParseWhole) {
  std::string dir = std::string(VELMAR_SOURCE_DIR) + "/data/";
  ByteLenta bl;
  ASSERT_TRUE(GetByteLenta(bl, dir + "base/wfont_list0.txt", "", "", 0));
  std::vector<t_WFontSpec> w;
  ASSERT_EQ(WFontList_Parse(reinterpret_cast<const char*>(bl.data), bl.size, 0, w), 1);
  ASSERT_EQ(w.size(), 13u);
  for (size_t i = 0; i < w.size(); ++i) {
    EXPECT_EQ(w[i].slot, static_cast<short>(i));
    EXPECT_TRUE(WFontSpecOK(w[i]));
  }
  ByteLenta bt;
  ASSERT_TRUE(GetByteLenta(bt, dir + "base/proektor_list0.txt", "", "", 0));
  t_TFontList t;
  ASSERT_EQ(TFontList_Parse(reinterpret_cast<const char*>(bt.data), bt.size, t), 1);
  ASSERT_GE(t.fonts.size(), 6u);  // fonts 100..105 are printed by the panels and the editor
  for (const t_TFontSpec& f : t.fonts) {
    EXPECT_TRUE(TFontSpecOK(f));
    EXPECT_GT(t.pics[f.slot], 0);
    EXPECT_EQ(f.widths.size(), static_cast<size_t>(f.count + 1));
    EXPECT_LE(f.rows * (f.gridH / f.rows), f.picH);
    for (short wd : f.widths) EXPECT_LE(wd, f.gridW / f.cols);
  }
}

}  // namespace
