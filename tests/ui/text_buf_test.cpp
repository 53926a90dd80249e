// Text-buffer entries and groups, width measurement and the line parser.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/ui/temp_dir.h"
#include "core/core.h"
#include "shell/shell.h"
#include "ui/ui.h"

namespace {

class TextBuf : public ::testing::Test {
 protected:
  ScopedTempDir tmp;
  void SetUp() override {
    for (int g = 0; g < kTBufGroups; ++g) KillTBufGru(g);
    Main_Done = 0;
    Glob_komentTail = 0;
    Glob_wasQvch = 0;
    ASSERT_EQ(MakeTBufGru(95, 0), 0);  // the start-up's general group
  }
  void TearDown() override {
    for (int g = 0; g < kTBufGroups; ++g) KillTBufGru(g);
  }
  static orgT_TBuf_& E(int g, int n) { return gr_TBuf[g][n]; }
};

TEST_F(TextBuf, TakingAndFreeingEntries) {
  EXPECT_EQ(gr_TBuf_Last[0], 94);
  int a = TBufGetNom(0, 1), b = TBufGetNom(0, 1);
  EXPECT_EQ(a, 1);
  EXPECT_EQ(b, 2);
  EXPECT_EQ(TBufGetNom(0, 0), 3);  // looked at, not taken
  EXPECT_EQ(TBufGetNom(0, 0), 3);
  TBufClear(0, a);
  EXPECT_EQ(TBufGetNom(0, 1), 1);
  EXPECT_EQ(pgrTBuf(0, 1), &E(0, 1));
  EXPECT_EQ(pgrTBuf(0, 5), nullptr);  // free
  EXPECT_EQ(pgrTBuf(0, 95), nullptr);
  EXPECT_EQ(pgrTBuf(0, -1), nullptr);
}

TEST_F(TextBuf, FullGroupHandsOutNothingAndFillsItsScratchEntry) {
  ASSERT_EQ(MakeTBufGru(4, 7), 7);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(TBufGetNom(7, 1), i + 1);
  EXPECT_EQ(TBufGetNom(7, 1), 0);  // entry 0 is never handed out
  TBufUpdate(7, -1, "scratch %d", 5);
  EXPECT_STREQ(E(7, 0).text, "scratch 5");
  EXPECT_EQ(Main_Done, 0);
}

TEST_F(TextBuf, UpdateFormatsAndResetsTheWidthCaches) {
  int n = TBufGetNom(0, 1);
  E(0, n).wWin[3] = 12.0f;
  E(0, n).wTex[2] = 40;
  E(0, n).stat[orgT_TBuf_::n_DByte] = 1;
  TBufUpdate(0, n, "FPS %d  %d", 60, 16);
  EXPECT_STREQ(E(0, n).text, "FPS 60  16");
  EXPECT_EQ(E(0, n).Letters(), 10);
  EXPECT_EQ(E(0, n).stat[orgT_TBuf_::n_DByte], 0);
  EXPECT_EQ(E(0, n).wWin[3], 0.0f);
  EXPECT_EQ(E(0, n).wTex[2], 0);
}

TEST_F(TextBuf, UpdateCutsLongTextsAt192Letters) {
  std::string longText(500, 'x');
  int n = TBufGetNom(0, 1);
  TBufUpdate(0, n, "%s%s", longText.c_str(), "tail");
  EXPECT_EQ(E(0, n).Letters(), 192);
  EXPECT_EQ(std::strlen(E(0, n).text), 192u);
  EXPECT_EQ(E(0, n + 1).Letters(), 0);  // the neighbour is untouched
}

TEST_F(TextBuf, EmptyFormatLeavesTheEntryFree) {
  TBufUpdate(0, -1, "%s", "");
  EXPECT_EQ(E(0, 1).Letters(), 0);
  EXPECT_EQ(TBufGetNom(0, 0), 1);
}

TEST_F(TextBuf, MissingGroupStopsTheProgramWithALogLine) {
  TBufUpdate(9, 1, "x");
  EXPECT_EQ(Main_Done, 1);
  EXPECT_NE(ScopedTempDir::Log().find("gr_TBuf[9] Fail or non INIT"), std::string::npos);
  Main_Done = 0;
  EXPECT_EQ(TBufGetNom(-3, 1), 0);
  EXPECT_EQ(Main_Done, 1);
}

TEST_F(TextBuf, GroupNumbersStayInTheTable) {
  EXPECT_EQ(MakeTBufGru(5, 48), 0);
  EXPECT_EQ(MakeTBufGru(5, 1000), 0);
  EXPECT_EQ(MakeTBufGru(0, 3), 0);
  EXPECT_EQ(gr_TBuf[3], nullptr);
  EXPECT_NE(ScopedTempDir::Log().find("group 48"), std::string::npos);
  for (int g = 1; g < kTBufGroups; ++g) ASSERT_EQ(MakeTBufGru(1, g), g);
  KillTBufGru(45);
  EXPECT_EQ(gr_TBuf_GetFreeGru(), -1);  // 40..47 are never handed out
  KillTBufGru(39);
  EXPECT_EQ(gr_TBuf_GetFreeGru(), 39);
  EXPECT_EQ(MakeTBufGru(3, -1), 39);
  EXPECT_EQ(gr_TBuf_Last[39], 2);
}

TEST_F(TextBuf, RemakingAGroupReplacesIt) {
  ASSERT_EQ(MakeTBufGru(10, 12), 12);
  TBufUpdate(12, 4, "old");
  ASSERT_EQ(MakeTBufGru(3, 12), 12);
  EXPECT_EQ(gr_TBuf_Last[12], 2);
  EXPECT_EQ(E(12, 1).Letters(), 0);
  EXPECT_EQ(KillTBufGru(12), 1);
  EXPECT_EQ(KillTBufGru(12), 1);
  EXPECT_EQ(gr_TBuf[12], nullptr);
}

TEST_F(TextBuf, LetterColoursAndCopies) {
  int n = TBufGetNom(0, 1);
  TBufUpdate(0, n, "abcdef");
  TBufClrBukv(0, n, 1, 2, 3, 0, 6);
  TBufClrBukv(0, n, 9, 8, 7, 4, 100);  // count cut at the letters
  EXPECT_EQ(E(0, n).r[3], 1);
  EXPECT_EQ(E(0, n).r[4], 9);
  EXPECT_EQ(E(0, n).b[5], 7);
  TBufClrBukv(0, n, 50, 50, 50, 6, 1);  // past the last letter: nothing
  TBufClrBukv(0, n, 50, 50, 50, -1, 3);
  EXPECT_EQ(E(0, n).r[0], 1);
  TBuf_1_CopyFrom_2(0, 50, 0, n);
  EXPECT_STREQ(E(0, 50).text, "abcdef");
  EXPECT_EQ(E(0, 50).g[4], 8);
  EXPECT_EQ(E(0, 50).Letters(), 6);
}

// Width tables of fonts built by hand: no GL is needed to measure.
class TextWidth : public TextBuf {
 protected:
  void SetUp() override {
    TextBuf::SetUp();
    orgT_WFont& f = org_WFont[3];
    f.listBase = 1;
    f.first = 32;
    f.count = 3;
    f.adv = new float[4]{5.5f, 6.25f, 7.5f, 0.0f};
    f.hgt = new float[4]{};
    t_tile_proektor& t = tex_font[2];
    t.listBase = 1;
    t.first = 65;
    t.count = 2;
    t.widths = new short[3]{4, 9, 11};
  }
  void TearDown() override {
    org_WFont[3].listBase = 0;
    org_WFont[3].Sbros();
    tex_font[2].listBase = 0;
    tex_font[2].Sbros();
    TextBuf::TearDown();
  }
};

TEST_F(TextWidth, SumsTheGlyphWidthsOfTheFont) {
  int n = TBufGetNom(0, 1);
  TBufUpdate(0, n, " !\"");
  EXPECT_EQ(TBufWidth(0, n, 3, true, 0, 0), 19);  // 19.25 truncated
  EXPECT_EQ(TBufWidth(0, n, 3, true, 1, 0), 13);
  EXPECT_EQ(TBufWidth(0, n, 3, true, 0, 1), 11);
  EXPECT_EQ(TBufGetW_InPixels(0, n, 3, true, 1, 1), 6);
  EXPECT_EQ(TBufGetW_InPixels(0, n, 3, true, 1, 50), 13);
  EXPECT_EQ(TBufGetW_InPixels(0, n, 3, true, 3, 1), -1);
  TBufUpdate(0, n, "ABC");
  EXPECT_EQ(TBufWidth(0, n, 2, false, 0, 0), 24);
}

TEST_F(TextWidth, LettersOutsideTheFontCountNothing) {
  int n = TBufGetNom(0, 1);
  TBufUpdate(0, n, "A z\xC0 !");  // only the blank and '!' are in font 3
  EXPECT_EQ(TBufWidth(0, n, 3, true, 0, 0), 17);
  EXPECT_EQ(TBufWidth(0, n, 2, false, 0, 0), 4);  // only 'A' in texture font 2
  EXPECT_EQ(TBufWidth(0, n, 13, true, 0, 0), 0);
  EXPECT_EQ(TBufWidth(0, n, -1, true, 0, 0), 0);
  EXPECT_EQ(TBufGetW_InPixels(0, n, 13, true, 0, 1), -1);
  EXPECT_EQ(TBufGetW_InPixels(5, n, 3, true, 0, 1), -1);  // no group, no crash
}

// ---- the line parser ----

class LineParse : public TextBuf {
 protected:
  ByteLenta bl;
  void Load(const std::string& s) {
    bl.MAlloc(static_cast<int>(s.size()), 1);
    std::memcpy(bl.data, s.data(), s.size());
    bl.pos = 0;
  }
  int Parse(int n, int maxLen = 1000) { return TBufFromLenta_LenAndParse(0, n, &bl, maxLen, 1, hit); }
  int hit = -1;
  struct Rgb {
    int r, g, b;
  };
  static constexpr Rgb kPlain{245, 245, 245}, kStr{180, 180, 180}, kQuote{140, 140, 140}, kNum{220, 200, 125},
      kComment{10, 170, 90}, kSign{250, 50, 30};
  void ExpectColours(int n, const std::vector<Rgb>& want) {
    for (size_t i = 0; i < want.size(); ++i) {
      SCOPED_TRACE(::testing::Message() << "letter " << i << " '" << E(0, n).text[i] << "'");
      EXPECT_EQ(E(0, n).r[i], want[i].r);
      EXPECT_EQ(E(0, n).g[i], want[i].g);
      EXPECT_EQ(E(0, n).b[i], want[i].b);
    }
  }
};

TEST_F(LineParse, ColoursSignsNumbersAndComments) {
  Load("a = 12.5; // \"x\"\r\nnext");
  EXPECT_EQ(Parse(1), 18);
  EXPECT_STREQ(E(0, 1).text, "a = 12.5; // \"x\"");
  EXPECT_EQ(E(0, 1).Letters(), 16);
  EXPECT_EQ(bl.pos, 18u);
  EXPECT_EQ(hit, 0);
  ExpectColours(1, {kPlain, kPlain, kSign, kPlain, kNum, kNum, kNum, kNum, kSign, kPlain, kComment, kComment,
                    kComment, kComment, kComment, kComment});
  EXPECT_EQ(Glob_wasQvch, 0);  // the quote inside the comment opened nothing
}

TEST_F(LineParse, StringsAndDigitsAfterLetters) {
  Load("s = \"a1/b\" x2 3");
  EXPECT_EQ(Parse(1), 15);
  ExpectColours(1, {kPlain, kPlain, kSign, kPlain, kStr, kStr, kStr, kStr, kStr, kQuote, kPlain, kPlain, kPlain,
                    kPlain, kNum});
}

TEST_F(LineParse, StringsAndCommentsEndWithTheLine) {
  Load("\"open\r\nx1\r\n// c\r\ny");
  EXPECT_EQ(Parse(1), 7);
  EXPECT_EQ(Glob_wasQvch, 0);
  EXPECT_EQ(Parse(2), 4);
  ExpectColours(2, {kPlain, kPlain});
  EXPECT_EQ(Parse(3), 6);
  EXPECT_EQ(Parse(4), 1);
  ExpectColours(4, {kPlain});
}

TEST_F(LineParse, TabBecomesOneBlankAndEmptyLinesGiveZero) {
  Load("a\tb\r\n\r\nc");
  EXPECT_EQ(Parse(1), 5);
  EXPECT_STREQ(E(0, 1).text, "a b");
  TBufUpdate(0, 2, "kept");
  EXPECT_EQ(Parse(2), 0);  // CR LF alone
  EXPECT_EQ(bl.pos, 7u);
  EXPECT_EQ(E(0, 2).Letters(), 4);  // count unchanged
  EXPECT_EQ(Parse(3), 1);
  EXPECT_STREQ(E(0, 3).text, "c");
  EXPECT_EQ(Parse(3), 0);  // nothing left
}

TEST_F(LineParse, LongLinesContinueInTheNextEntryWithTheirColour) {
  Load("// " + std::string(247, 'q') + "\r\n");
  EXPECT_EQ(Parse(1), 192);
  EXPECT_EQ(hit, 1);
  EXPECT_EQ(E(0, 1).Letters(), 192);
  EXPECT_EQ(Parse(2), 58 + 2);
  EXPECT_EQ(E(0, 2).Letters(), 58);
  ExpectColours(2, {kComment, kComment});
}

TEST_F(LineParse, WidthLimitCutsTheLine) {
  Load("abcdef\r\n");
  EXPECT_EQ(Parse(1, 4), 4);
  EXPECT_EQ(hit, 1);
  EXPECT_STREQ(E(0, 1).text, "abcd");
  EXPECT_EQ(Parse(2, 4), 4);
  EXPECT_STREQ(E(0, 2).text, "ef");
}

TEST_F(LineParse, RawCopyWithoutParsing) {
  Load("xy\r\nz");
  int hitMax = 5;
  EXPECT_EQ(TBufFromLenta_LenAndParse(0, 1, &bl, 3, 0, hitMax), 3);
  EXPECT_EQ(hitMax, 0);
  EXPECT_STREQ(E(0, 1).text, "xy\r");
  EXPECT_EQ(bl.pos, 3u);
}

TEST_F(LineParse, StreamsWithoutDataAndBadEntries) {
  ByteLenta empty;
  int hitMax = 1;
  EXPECT_EQ(TBufFromLenta_LenAndParse(0, 1, &empty, 100, 1, hitMax), 0);
  EXPECT_EQ(hitMax, 0);
  EXPECT_EQ(TBufFromLenta_LenAndParse(0, 1, nullptr, 100, 1, hitMax), 0);
  Load("abc");
  EXPECT_EQ(TBufFromLenta_LenAndParse(0, 95, &bl, 100, 1, hitMax), 0);
  EXPECT_EQ(TBufFromLenta_LenAndParse(30, 1, &bl, 100, 1, hitMax), 0);
}

TEST_F(LineParse, LengthPrefixedBlocksAreCutToTheEntry) {
  std::string s(4, '\0');
  int32_t len = 301;
  std::memcpy(s.data(), &len, 4);
  s += std::string(300, 'b') + '\0' + "more";
  Load(s);
  EXPECT_EQ(TBufFromLentaBlok(0, 1, &bl, -1), 1);
  EXPECT_EQ(E(0, 1).Letters(), 192);
  EXPECT_EQ(bl.pos, 305u);
  // A length that promises more than the stream holds copies what is there.
  std::string t(4, '\0');
  len = 1000;
  std::memcpy(t.data(), &len, 4);
  t += "short";
  Load(t);
  EXPECT_EQ(TBufFromLentaBlok(0, 2, &bl, 0), 1);
  EXPECT_STREQ(E(0, 2).text, "short");
  EXPECT_EQ(bl.pos, static_cast<uint32_t>(t.size() - 1));
}

TEST_F(TextBuf, GroupFilesStoreTheirTextsAsTheyStand) {
  ScopedTempDir::Write("g.txt",
                       "texts of group 3\r\n3 4\r\nlabel a\r\nlabel b\r\n1 2\r\nHello %s %n 100%\r\n  World  \r\n"
                       "label c\r\nlabel d\r\n3 99\r\nThird\r\nFourth\r\n");
  ASSERT_EQ(LoadTBufGru("g.txt", 1), 1);
  EXPECT_EQ(gr_TBuf_Last[3], 4);
  EXPECT_STREQ(E(3, 1).text, "Hello %s %n 100%");
  EXPECT_STREQ(E(3, 2).text, "World");
  EXPECT_STREQ(E(3, 3).text, "Third");
  EXPECT_STREQ(E(3, 4).text, "Fourth");  // entry 99 cut to the last
}

TEST_F(TextBuf, BrokenGroupFilesLeaveNoGroup) {
  ScopedTempDir::Write("bad.txt", "head\r\n4 4\r\nl\r\nl\r\n1 2\r\nonly one text\r\n");
  EXPECT_EQ(LoadTBufGru("bad.txt", 1), 0);
  EXPECT_EQ(gr_TBuf[4], nullptr);
  ScopedTempDir::Write("big.txt", "head\r\n41 2\r\n");
  EXPECT_EQ(LoadTBufGru("big.txt", 1), 0);
  ScopedTempDir::Write("nogroup.txt", "head\r\n6 2\r\nl\r\nl\r\n1 2\r\na\r\nb\r\n");
  EXPECT_EQ(LoadTBufGru("nogroup.txt", 0), 0);
  EXPECT_EQ(LoadTBufGru("missing.txt", 1), 0);
  EXPECT_EQ(LoadTBufGru("", 1), 0);
  EXPECT_EQ(Main_Done, 0);
}

}  // namespace
