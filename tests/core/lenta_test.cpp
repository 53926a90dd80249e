#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "core/core.h"
#include "test_util.h"
#include "tests/common/file_limit.h"

namespace {

ByteLenta From(const std::string& s) {
  ByteLenta b;
  for (char c : s) b.ByteWrite((unsigned char)c, 1);
  b.pos = 0;
  return b;
}

std::string Text(const ByteLenta& b) { return b.data ? std::string((const char*)b.data, (size_t)b.size) : ""; }

TEST(ByteLentaRead, ShortTailsYieldZeroAndKeepTheCursor) {
  ByteLenta b = From("\x01\x02\x03\x04\x05\x06\x07");
  b.pos = 4;
  EXPECT_EQ(b.IntRead(1), 0);
  EXPECT_EQ(b.pos, 4u);
  EXPECT_EQ(b.ShortRead(1), 0x0605);
  EXPECT_EQ(b.pos, 6u);
  EXPECT_EQ(b.ByteRead(0), 7);
  EXPECT_EQ(b.pos, 6u);
  EXPECT_EQ(b.DblRead(1), 0.0);
  b.pos = 0xFFFFFFF0u;  // a cursor far past the end reads nothing
  EXPECT_EQ(b.IntRead(1), 0);
  EXPECT_EQ(b.ByteRead(1), 0);
  char dst[4] = {'x', 'x', 'x', 'x'};
  b.BlokRead(dst, 2, 1);
  EXPECT_EQ(dst[0], 'x');
  b.pos = 5;
  b.BlokRead(dst, 2, 1);
  EXPECT_EQ(std::memcmp(dst, "\x06\x07", 2), 0);
  EXPECT_EQ(b.pos, 7u);
  ByteLenta empty;
  EXPECT_EQ(empty.IntRead(1), 0);
  EXPECT_EQ(empty.FloRead(1), 0.0f);
}

TEST(ByteLentaRead, ElementIndexReads) {
  ByteLenta b;
  for (int v : {10, 20, 30}) b.IntWrite(v, 1);
  EXPECT_EQ(b.size, 12);
  EXPECT_EQ(b.AnIntRead(2), 30);
  EXPECT_EQ(b.AnIntRead(3), 0);
  EXPECT_EQ(b.AnIntRead(-1), 0);
  EXPECT_EQ(b.AnByteRead(4), 20);
  EXPECT_EQ(b.AnShortRead(5), 0);
  EXPECT_EQ(b.AnDblRead(1), 0.0);
  EXPECT_NE(b.AnDblRead(0), 0.0);
}

TEST(ByteLentaWrite, GrowsToExactlyWhatIsNeeded) {
  ByteLenta b;
  b.IntWrite(0x01020304, 1);
  EXPECT_EQ(b.size, 4);
  b.IntWrite(-1, 1);
  EXPECT_EQ(b.size, 8);
  b.ShortWrite(-2, 1);
  b.FloWrite(1.0f, 1);
  b.UShortWrite(0xBEEF, 1);
  b.UIntWrite(7, 1);
  b.DblWrite(0.5, 1);
  b.ByteWrite(9, 1);
  EXPECT_EQ(b.size, 29);
  EXPECT_EQ(Text(b), std::string("\x04\x03\x02\x01\xFF\xFF\xFF\xFF\xFE\xFF\x00\x00\x80\x3F\xEF\xBE\x07\x00\x00\x00"
                                 "\x00\x00\x00\x00\x00\x00\xE0\x3F\x09",
                                 29));
  b.ByteWrite(1, 0);  // at the end, without growth: dropped
  EXPECT_EQ(b.size, 29);
  EXPECT_EQ(b.pos, 29u);
  b.pos = 27;
  b.IntWrite(5, 0);  // does not fit
  EXPECT_EQ(b.AnByteRead(27), 0x3F);
  b.pos = 0;
  EXPECT_EQ(b.IntRead(1), 0x01020304);
  EXPECT_EQ(b.IntRead(1), -1);
  EXPECT_EQ(b.ShortRead(1), -2);
  EXPECT_EQ(b.FloRead(1), 1.0f);
  EXPECT_EQ(b.UShortRead(1), 0xBEEF);
  EXPECT_EQ(b.UIntRead(1), 7u);
  EXPECT_EQ(b.DblRead(1), 0.5);
}

TEST(ByteLentaWrite, NoBufferWritesWithoutGrowthAreDropped) {
  ByteLenta b;
  b.IntWrite(1, 0);
  EXPECT_EQ(b.data, nullptr);
  EXPECT_EQ(b.size, 0);
}

// Every truncation of a record: each read yields its value or 0 and the cursor
// never passes the end.
TEST(ByteLentaRead, EveryTruncationPoint) {
  ByteLenta full;
  full.ByteWrite(200, 1);
  full.ShortWrite(-7, 1);
  full.IntWrite(99999, 1);
  full.FloWrite(0.25f, 1);
  full.DblWrite(3.5, 1);
  for (int len = 0; len <= full.size; len++) {
    ByteLenta cut = full;
    cut.DeleteTailFrom(len);
    cut.pos = 0;
    unsigned char b = cut.ByteRead(1);
    short s = cut.ShortRead(1);
    int i = cut.IntRead(1);
    float f = cut.FloRead(1);
    double d = cut.DblRead(1);
    EXPECT_TRUE(b == 200 || b == 0);
    EXPECT_TRUE(s == -7 || s == 0);
    EXPECT_TRUE(i == 99999 || i == 0);
    EXPECT_TRUE(f == 0.25f || f == 0);
    EXPECT_TRUE(d == 3.5 || d == 0);
    EXPECT_LE(cut.pos, (uint32_t)cut.size);
    EXPECT_EQ(d == 3.5, len == full.size);
  }
}

TEST(ByteLentaStorage, CopiesMixesAndTails) {
  ByteLenta a = From("abc"), b = From("de");
  a.pos = 2;
  ByteLenta c(a);
  EXPECT_EQ(Text(c), "abc");
  EXPECT_EQ(c.pos, 0u);
  c = c;
  EXPECT_EQ(Text(c), "abc");
  c = b;
  EXPECT_EQ(Text(c), "de");
  ByteLenta m = a + b;
  EXPECT_EQ(Text(m), "abcde");
  m.HoldSqvMix(m, m);
  EXPECT_EQ(Text(m), "abcdeabcde");
  EXPECT_EQ(m.pos, 0u);
  a.AddOtherBL(&a);
  EXPECT_EQ(Text(a), "abcabc");
  EXPECT_EQ(a.pos, 2u);
  a.AddOtherBL(nullptr);
  ByteLenta none;
  a.AddOtherBL(&none);
  EXPECT_EQ(a.size, 6);
  none.AddOtherBL(&b);
  EXPECT_EQ(Text(none), "de");

  ByteLenta t = From("0123456789");
  t.pos = 7;
  t.DeleteTailFrom(4);
  EXPECT_EQ(Text(t), "0123");
  EXPECT_EQ(t.pos, 3u);
  t.DeleteTailFrom(9);
  EXPECT_EQ(t.size, 4);
  EXPECT_EQ(t.SetLastPos(), 3);
  t.DeleteTailFrom(0);
  EXPECT_EQ(t.data, nullptr);
  EXPECT_EQ(t.SetLastPos(), -1);

  ByteLenta r;
  r.MAlloc(8, 0);
  EXPECT_EQ(r.size, 8);
  r.MAlloc(16, 0);  // keeps the existing buffer
  EXPECT_EQ(r.size, 8);
  r.MAlloc(16, 1);
  EXPECT_EQ(r.size, 16);
  ByteLenta g;
  g.pos = 3;
  g.Add(2);
  EXPECT_EQ(g.size, 5);
  EXPECT_EQ(g.pos, 0u);
}

TEST(ByteLentaStorage, CopyToIsBoundedByTheDestination) {
  ByteLenta src = From("abcdef"), dst;
  dst.MAlloc(4, 1);
  std::memset(dst.data, '.', 4);
  dst.pos = 1;
  src.pos = 4;
  src.CopyTo(&dst, 2, 0);  // "ef"
  EXPECT_EQ(Text(dst), ".ef.");
  src.CopyTo(&dst, 0, 1);  // all from 0, cut to the 3 bytes of room
  EXPECT_EQ(Text(dst), ".abc");
  src.CopyTo(&dst, 5, 1);  // fewer than 5 after the cursor: everything from 0
  EXPECT_EQ(Text(dst), ".abc");
  EXPECT_EQ(src.pos, 4u);
  EXPECT_EQ(dst.pos, 1u);
  src.CopyTo(nullptr, 2, 0);
}

TEST(ByteLentaLines, CountSkipAndFirstCharacter) {
  EXPECT_EQ(From("ab\r\ncd").CountEOL(1), 2);
  EXPECT_EQ(From("ab\r\ncd").CountEOL(0), 1);
  EXPECT_EQ(From("ab\r").CountEOL(0), 0);
  EXPECT_EQ(From("a\r\r\nb\n\r").CountEOL(0), 1);
  EXPECT_EQ(ByteLenta().CountEOL(1), 0);

  ByteLenta s = From("abc");
  s.pos = 2;
  EXPECT_EQ(s.SkipToEOL(), 0);
  EXPECT_EQ(s.pos, 0u);
  ByteLenta l = From("ab\r\n  x\r\n\r\n");
  EXPECT_EQ(l.SkipToEOL(), 1);
  EXPECT_EQ(l.pos, 4u);
  EXPECT_EQ(l.SetPosToFirstNormCharInLine(33), 1);
  EXPECT_EQ(l.pos, 6u);
  l.pos = 7;
  EXPECT_EQ(l.SetPosToFirstNormCharInLine(33), 0);  // the line ends first
  EXPECT_EQ(l.pos, 9u);
  l.pos = 11;
  EXPECT_EQ(l.SetPosToFirstNormCharInLine(33), 0);
  EXPECT_EQ(l.pos, 0u);
}

TEST(ByteLentaLines, GapsAndCuts) {
  ByteLenta g = From("abcdef");
  g.pos = 1;
  g.SdvigLenPlus(2, 3);
  EXPECT_EQ(g.size, 9);
  EXPECT_EQ(Text(g).substr(0, 2) + Text(g).substr(5), "abcdef");
  EXPECT_EQ(Text(g).substr(2, 3), "cde");  // the gap keeps its old bytes
  EXPECT_EQ(g.pos, 1u);
  g.SdvigLenPlus(9, 1);
  g.SdvigLenPlus(-1, 1);
  g.SdvigLenPlus(0, 0);
  EXPECT_EQ(g.size, 9);

  ByteLenta m = From("0123456789");
  m.SdvigLenMinus(3, 10);
  EXPECT_EQ(Text(m), "3456789");
  m.SdvigLenMinus(0, 5);
  EXPECT_EQ(Text(m), "3456789");
  m.SdvigLenMinus(4, 2);
  EXPECT_EQ(Text(m), "34789");

  ByteLenta c = From("0123456789");
  c.CutLenMinus(2, 3);
  EXPECT_EQ(Text(c), "0156789");
  c.CutLenMinus(5, 100);
  EXPECT_EQ(Text(c), "01567");
  c.CutLenMinus(0, c.size);
  EXPECT_EQ(c.data, nullptr);
  EXPECT_EQ(c.size, 0);
  c.CutLenMinus(0, 1);
}

using ByteLentaFile = TmpDirTest;

TEST_F(ByteLentaFile, WholeFileLoadKeepsEveryByte) {
  WriteAll("t.txt", "line\r\nx\r\n");
  ByteLenta b;
  EXPECT_EQ(GetByteLenta(b, "t", ".txt", "TEXT", 0), 1);
  EXPECT_EQ(Text(b), "line\r\nx\r\n");
  EXPECT_EQ(b.CountEOL(0), 2);
  EXPECT_EQ(GetByteLenta(b, "t.txt", "", "", 0), 0);  // not empty
  EXPECT_EQ(Text(b), "line\r\nx\r\n");
  ByteLenta c;
  EXPECT_EQ(GetByteLenta(c, "t.txt", "", "LONGT", 0), 0);
  EXPECT_EQ(GetByteLenta(c, "", "", "", 0), 0);
  EXPECT_EQ(GetByteLenta(c, "missing.txt", "", "", 0), 0);
  EXPECT_EQ(GetByteLenta(c, ".", "", "", 0), 0);
  c.pos = 1;
  EXPECT_EQ(GetByteLenta(c, "t.txt", "", "", 0), 0);
  c.pos = 0;
  EXPECT_EQ(GetByteLenta(c, "t.txt", "", "", 9), 1);  // the expected size
  c.Sbros();
  EXPECT_EQ(GetByteLenta(c, "t.txt", "", "", 8), 0);
  WriteAll("empty", "");
  ByteLenta e;
  EXPECT_EQ(GetByteLenta(e, "empty", "", "", 0), 1);
  EXPECT_EQ(e.size, 0);
}

TEST_F(ByteLentaFile, SaveToFileWithBackup) {
  ByteLenta b = From("0123456789");
  EXPECT_EQ(b.SaveToFile("out.bin", 2, 0, 1), 10);
  b.pos = 6;
  EXPECT_EQ(b.SaveToFile("out.bin", 2, 2, 0), 2);
  EXPECT_EQ(ReadAll("out.bin"), "67");
  EXPECT_EQ(ReadAll("out.bin_bak"), "0123456789");
  EXPECT_EQ(b.SaveToFile("out.bin", 2, 9, 0), 4);  // fewer than 9 remain: to the end
  EXPECT_EQ(ReadAll("out.bin"), "6789");
  EXPECT_EQ(ByteLenta().SaveToFile("none.bin", 2, 0, 1), 0);
  EXPECT_EQ(b.SaveToFile("no/dir/x.bin", 2, 0, 1), 0);
}

// A write that stops part-way reports 0, not the bytes it got out, and the
// file and its backup stay as they were.
TEST_F(ByteLentaFile, AFailedSaveKeepsTheOldFileAndReportsNothingWritten) {
  ByteLenta small = From("old");
  ASSERT_EQ(small.SaveToFile("out.bin", 2, 0, 1), 3);
  ASSERT_EQ(small.SaveToFile("out.bin", 2, 0, 1), 3);
  ByteLenta big;
  big.MAlloc(20000, 1);
  int r = 0;
  {
    FileSizeLimit limit(5000);
    ASSERT_TRUE(limit.Ok());
    r = big.SaveToFile("out.bin", 2, 0, 1);
  }
  EXPECT_EQ(r, 0);
  EXPECT_EQ(ReadAll("out.bin"), "old");
  EXPECT_EQ(ReadAll("out.bin_bak"), "old");
}

TEST(ByteLentaRandom, FillsWholeFloatsInTheRange) {
  ByteLenta b;
  b.MAlloc(18, 1);
  std::memset(b.data, 0xAA, 18);
  b.FillRand(3, 2, 0);  // from 2 to the end: four floats, two bytes left
  EXPECT_EQ(b.pos, 18u);
  EXPECT_EQ(b.data[0], 0xAA);
  for (int k = 0; k < 4; k++) {
    float f;
    std::memcpy(&f, b.data + 2 + 4 * k, 4);
    EXPECT_GT(f, 0.0f);
    EXPECT_LE(f, 1.0f);
    EXPECT_NEAR(std::round(f * 100) / 100, f, 1e-6f);
  }
  b.FillRand(3, 16, 0);  // two bytes: unchanged
  b.FillRand(1, 0, 0);
  EXPECT_EQ(b.pos, 16u);
}

}  // namespace
