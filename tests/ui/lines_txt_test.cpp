// The text editor on real files: loading, typing through the window
// procedure, the caret and page moves, the window handles and the bounds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/ui/temp_dir.h"
#include "tests/ui/widget_fixture.h"

namespace {

class LinesTxt : public ::testing::Test {
 protected:
  ScopedTempDir tmp;
  void SetUp() override {
    ResetWidgetState(800, 600);
    for (tLinesTxt2& p : masPole1) p.Sbros(1);
    for (ByteLenta& b : masBL) b.Sbros();
  }
  void TearDown() override {
    for (tLinesTxt2& p : masPole1) p.Sbros(1);
    for (ByteLenta& b : masBL) b.Sbros();
  }
  // Opens a file with these bytes as the menu's open command does.
  static tLinesTxt2& Open(const std::string& bytes) {
    ScopedTempDir::Write("t.txt", bytes);
    GlobalFileName00.Set("t.txt");
    Test_Pole2_OpenFile();
    return masPole1[0];
  }
  static std::string Text() {
    const ByteLenta& b = masBL[0];
    return b.data ? std::string(reinterpret_cast<const char*>(b.data), b.size) : std::string();
  }
  // Characters as the window procedure hands them to the editor.
  static void Type(const std::string& s) {
    glob_PoleTextActive = 1;
    for (char c : s) SendMsg(WM_CHAR, static_cast<unsigned char>(c));
  }
  // The letters' colours of a line, three bytes a letter.
  static std::string ColoursOf(int g, int n) {
    const orgT_TBuf_& e = gr_TBuf[g][n];
    std::string s;
    for (int i = 0; i < e.Letters(); ++i) s += {static_cast<char>(e.r[i]), static_cast<char>(e.g[i]), static_cast<char>(e.b[i])};
    return s;
  }
  static bool BetweenCRLF(int caret) {
    const ByteLenta& b = masBL[0];
    return caret > 0 && caret < b.size && b.data[caret - 1] == 13 && b.data[caret] == 10;
  }
};

}  // namespace

TEST_F(LinesTxt, OpensAFileIntoItsWindow) {
  // A lone LF ends a line as CR LF does: the field holds CR LF either way.
  for (const char* bytes : {"one\r\ntwo\r\nthree", "one\ntwo\nthree", "one\ntwo\r\nthree"}) {
    SCOPED_TRACE(::testing::PrintToString(std::string(bytes)));
    tLinesTxt2& p = Open(bytes);
    ASSERT_NE(p.gru, 0);
    EXPECT_EQ(Text(), "one\r\ntwo\r\nthree");
    EXPECT_EQ(p.x, 50);
    EXPECT_EQ(p.y, 104);
    EXPECT_EQ(p.w, 500);
    EXPECT_EQ(p.h, 392);
    EXPECT_EQ(p.capacity, 105);
    EXPECT_EQ(p.totalLines, 3);
    EXPECT_EQ(p.page, 27);
    EXPECT_EQ(EntryText(p.gru, 1), "two");
    EXPECT_EQ(p.lineStart[2], 10);
    EXPECT_EQ(p.lineKind[2], 1);
    EXPECT_EQ(p.lineKind[3], -1);
    EXPECT_EQ(p.lineStart[3], -1);  // beyond the text
  }
  // A text that begins with an empty line.
  tLinesTxt2& p = Open("\ntwo");
  EXPECT_EQ(Text(), "\r\ntwo");
  EXPECT_EQ(p.totalLines, 2);
}

TEST_F(LinesTxt, BackspaceAfterALineBreakRemovesCRLF) {
  tLinesTxt2& p = Open("ab\r\ncd");
  p.karet = 4;
  Type("\b");
  EXPECT_EQ(Text(), "abcd");
  EXPECT_EQ(p.karet, 2);
  EXPECT_EQ(p.totalLines, 1);
  Type("\b");
  EXPECT_EQ(Text(), "acd");
  p.karet = 0;
  Type("\b");  // nothing before the caret
  EXPECT_EQ(Text(), "acd");
}

TEST_F(LinesTxt, DeleteOnACarriageReturnRemovesThePair) {
  tLinesTxt2& p = Open("ab\r\ncd\r\n");
  p.karet = 2;
  p.BL_Del_Kmd();
  EXPECT_EQ(Text(), "abcd\r\n");
  EXPECT_EQ(p.totalLines, 2);
  p.karet = 4;  // a pair at the very end goes one byte at a time
  p.BL_Del_Kmd();
  EXPECT_EQ(Text(), "abcd\n");
  p.BL_Del_Kmd();
  EXPECT_EQ(Text(), "abcd\n");  // the last byte is never deleted
}

TEST_F(LinesTxt, TheCaretNeverRestsBetweenCRAndLF) {
  const std::string text = "ab\r\ncd\r\n\r\nef";
  tLinesTxt2& p = Open(text);
  for (int start = 0; start < static_cast<int>(text.size()); ++start)
    for (int n : {-1, 1, -2, 2}) {
      p.karet = start;
      p.MoveKaretka(n);
      EXPECT_FALSE(BetweenCRLF(p.karet)) << start << " by " << n;
      EXPECT_GE(p.karet, 0);
      EXPECT_LT(p.karet, static_cast<int>(text.size()));
    }
  p.karet = 2;  // on the CR: one step right goes to the next line
  p.MoveKaretka(1);
  EXPECT_EQ(p.karet, 4);
  p.MoveKaretka(-1);  // and one step left comes back onto the CR
  EXPECT_EQ(p.karet, 2);
  p.karet = 1;  // Enter leaves the caret at the start of the new line
  Type("\r");
  EXPECT_EQ(Text(), "a\r\nb\r\ncd\r\n\r\nef");
  EXPECT_EQ(p.karet, 3);
}

TEST_F(LinesTxt, NewLinesAreReachable) {
  tLinesTxt2& p = Open("a\r\nb\r\nc ");
  p.karet = 7;  // on the closing blank: the caret never passes the last byte
  Type("\rd\re");
  EXPECT_EQ(Text(), "a\r\nb\r\nc\r\nd\r\ne ");
  EXPECT_EQ(p.totalLines, 5);
  p.karet = 0;
  p.NewTextFromLenta();
  for (int i = 0; i < 4; ++i) p.JumpKaretLine(1);
  EXPECT_EQ(p.karetLine, 4);
  EXPECT_EQ(p.karet, 12);  // the start of "e"
}

TEST_F(LinesTxt, LinesBeyondTheTextKeepTheCaret) {
  tLinesTxt2& p = Open("one\r\ntwo");
  p.karet = 5;
  p.NewTextFromLenta();
  p.JumpKaretLine(10);
  EXPECT_EQ(p.karet, 5);
  // A click far below the text.
  p.KursorIn(static_cast<int>(p.x) + 100, static_cast<int>(p.y) + 20, 1, 1);
  EXPECT_EQ(p.karet, 5);
  EXPECT_EQ(p.karetLine, 1);
  p.MoveKaretEnd();
  EXPECT_EQ(p.karet, 5);  // no line break after the last line: stays at its start
  p.MoveKaretHome(1);
  EXPECT_EQ(p.karet, 5);
}

TEST_F(LinesTxt, HomeAndEnd) {
  tLinesTxt2& p = Open("   abc\r\nxy");
  p.karet = 4;
  p.MoveKaretHome(0);  // the first character from "0" on
  EXPECT_EQ(p.karet, 3);
  p.MoveKaretHome(1);
  EXPECT_EQ(p.karet, 0);
  p.MoveKaretEnd();  // onto the CR
  EXPECT_EQ(p.karet, 6);
}

TEST_F(LinesTxt, TypingIntoAnEmptyFileUsesItsBlank) {
  tLinesTxt2& p = Open("");
  EXPECT_EQ(Text(), " ");
  Type("hi\t!");
  EXPECT_EQ(Text(), "hi  ! ");
  EXPECT_EQ(p.karet, 5);
  EXPECT_EQ(p.lineKind[0], 1);
  EXPECT_EQ(EntryText(p.gru, 0), "hi  ! ");
}

TEST_F(LinesTxt, WrappedLinesShortenPageSteps) {
  std::string text(200, 'w');
  for (int i = 0; i < 80; ++i) text += "\r\nline " + std::to_string(i);
  tLinesTxt2& p = Open(text);
  p.w = 100;  // 39 letters a line with 1-pixel glyphs: (100 - 60 - 1) / 1
  p.NewTextFromLenta();
  EXPECT_EQ(p.wrapped, 5);  // the long line takes six visible lines
  EXPECT_EQ(EntryText(p.gru, 0), std::string(39, 'w'));
  EXPECT_EQ(EntryText(p.gru, 5), std::string(5, 'w'));
  EXPECT_EQ(EntryText(p.gru, 6), "line 0");
  p.TextNextPage();
  EXPECT_EQ(p.firstLine, p.page - 5 - 1);
  p.NewTextFromLenta();
  EXPECT_EQ(p.wrapped, 0);
  p.TextPrevPage();
  EXPECT_EQ(p.firstLine, 0);
}

TEST_F(LinesTxt, WindowStaysOnScreenAndKeepsItsSmallestSize) {
  tLinesTxt2& p = Open("text");
  // Drag the move handle (bottom left) past the corner of the screen.
  EXPECT_TRUE(p.KursorIn(static_cast<int>(p.x) + 2, static_cast<int>(p.y) + 2, 1, 1));
  EXPECT_EQ(p.moving, 1);
  p.KursorIn(-300, -300, 0, 1);
  EXPECT_EQ(p.x, 5);
  EXPECT_EQ(p.y, 5);
  p.KursorIn(2000, 2000, 0, 1);
  EXPECT_EQ(p.x, 795);
  EXPECT_EQ(p.y, 595);
  p.KursorIn(100, 100, 0, 1);
  p.KursorIn(100, 100, 0, 0);  // release
  EXPECT_EQ(p.moving, 0);
  EXPECT_EQ(p.x, 98);
  // Shrink with the resize handle (top right) to nothing.
  int right = static_cast<int>(p.x + p.w) - 2, top = static_cast<int>(p.y + p.h) - 2;
  p.KursorIn(right, top, 1, 1);
  EXPECT_EQ(p.resizing, 1);
  p.KursorIn(static_cast<int>(p.x), static_cast<int>(p.y), 0, 1);
  EXPECT_EQ(p.w, 80);
  EXPECT_EQ(p.h, 84);
  p.KursorIn(5000, 5000, 0, 1);
  EXPECT_EQ(p.w, 790);
  EXPECT_EQ(p.h, 590);
  EXPECT_EQ(glob_PoleTextActive, 1);
}

TEST_F(LinesTxt, ScrollbarButtonsScrollByTwoLines) {
  std::string text;
  for (int i = 0; i < 100; ++i) text += "line\r\n";
  tLinesTxt2& p = Open(text);
  int barX = static_cast<int>(p.x + p.w) - 3;
  // The caret left above the page is pulled onto it without scrolling back.
  for (int expect : {2, 4}) {
    p.KursorIn(barX, static_cast<int>(p.y) + 15, 1, 1);  // lower button
    EXPECT_EQ(p.firstLine, expect);
    EXPECT_EQ(p.karet, p.lineStart[0]);
  }
  for (int expect : {2, 0}) {
    p.KursorIn(barX, static_cast<int>(p.y + p.h) - 15, 1, 1);  // upper button
    EXPECT_EQ(p.firstLine, expect);
  }
  // The bottom of the track shows the end of the text.
  p.KursorIn(barX, static_cast<int>(p.y) + 25, 1, 1);
  EXPECT_EQ(p.firstLine, p.totalLines - p.page + 2);
}

TEST_F(LinesTxt, TheCloseHandleClosesIt) {
  tLinesTxt2& p = Open("text");
  p.KursorIn(static_cast<int>(p.x) + 2, static_cast<int>(p.y + p.h) - 2, 1, 1);
  EXPECT_EQ(p.gru, 0);
  glob_PoleTextActive = 0;
  EXPECT_FALSE(p.KursorIn(100, 100, 0, 0));
  EXPECT_EQ(glob_PoleTextActive, 0);  // a closed editor leaves the keyboard alone
}

TEST_F(LinesTxt, StartUpTextAndMissingFiles) {
  Test_Pole2_Init();  // no test-pole1/0.txt here
  EXPECT_EQ(masPole1[0].gru, 0);
  EXPECT_FALSE(masPole1[0].KursorIn(100, 100, 1, 1));
  // The shipped text.
  std::filesystem::create_directories("test-pole1");
  std::filesystem::copy_file(std::string(VELMAR_SOURCE_DIR) + "/data/test-pole1/0.txt", "test-pole1/0.txt");
  Test_Pole2_Init();
  tLinesTxt2& p = masPole1[0];
  ASSERT_NE(p.gru, 0);
  EXPECT_GT(p.totalLines, 5);
  EXPECT_EQ(p.lineKind[0], 1);
  // The same text with LF line ends shows the same lines in the same colours.
  const std::string shown = Text();
  std::vector<std::string> lines;
  for (int i = 0; i < p.page && p.lineKind[i] == 1; ++i) lines.push_back(EntryText(p.gru, i) + ColoursOf(p.gru, i));
  std::string unix = shown;
  std::erase(unix, '\r');
  ScopedTempDir::Write("test-pole1/0.txt", unix);
  Test_Pole2_Init();
  EXPECT_EQ(Text(), shown);
  for (int i = 0; i < static_cast<int>(lines.size()); ++i)
    EXPECT_EQ(EntryText(p.gru, i) + ColoursOf(p.gru, i), lines[i]) << "line " << i;
  // A file that cannot be read leaves the text as it was.
  std::string before = Text();
  int group = p.gru;
  GlobalFileName00.Set("no such file");
  Test_Pole2_OpenFile();
  EXPECT_EQ(Text(), before);
  EXPECT_EQ(p.gru, group);
  EXPECT_NE(ScopedTempDir::Log().find("err: Test_Pole2_OpenFile (GetByteLenta)"), std::string::npos);
  // Re-opening uses the same group.
  Open("other");
  EXPECT_EQ(p.gru, group);
  EXPECT_EQ(EntryText(group, 0), "other");
}
