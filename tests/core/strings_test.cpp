#include <gtest/gtest.h>

#include <string>

#include "core/core.h"

namespace {

TEST(NumberParsing, ClampsOfEachType) {
  EXPECT_EQ(SToByte("-1"), 255);
  EXPECT_EQ(SToByte("-128"), 128);
  EXPECT_EQ(SToByte("-129"), 0);
  EXPECT_EQ(SToByte("300"), 255);
  EXPECT_EQ(SToByte("  17abc"), 17);
  EXPECT_EQ(SToShort("40000"), 32767);
  EXPECT_EQ(SToShort("-40000"), 0);
  EXPECT_EQ(SToShort("-32768"), -32768);
  EXPECT_EQ(SToUShort("70000"), 0);
  EXPECT_EQ(SToUShort("65535"), 65535);
  EXPECT_EQ(SToUShort("-1"), 0);
  for (const char* empty : {"", "abc", "-", " "}) {
    EXPECT_EQ(SToByte(empty), 0);
    EXPECT_EQ(SToShort(empty), 0);
    EXPECT_EQ(SToUShort(empty), 0);
    EXPECT_EQ(SToInt(empty), 0);
    EXPECT_EQ(SToFlo(empty), 0.0f);
  }
  EXPECT_EQ(SToInt(" \t-42xyz"), -42);
  EXPECT_EQ(SToInt("99999999999999999999"), 2147483647);  // saturates like a 32-bit atoi
  EXPECT_EQ(SToInt("-99999999999999999999"), -2147483647 - 1);
  EXPECT_EQ(SToUInt("-1"), 4294967295u);
  EXPECT_EQ(SToUInt("4294967295"), 2147483647u);
  EXPECT_FLOAT_EQ(SToFlo("2.5e1x"), 25.0f);
  EXPECT_TRUE(std::isinf(SToFlo("1e300")));
  EXPECT_DOUBLE_EQ(SToDbl("-0.125"), -0.125);
}

TEST(Formatting, ZeroFilledWidths) {
  EXPECT_EQ(IntToS(-17), "-17");
  EXPECT_EQ(ByteToS(255), "255");
  EXPECT_EQ(IntToS(7, 2), "07");
  EXPECT_EQ(IntToS(42, 5), "00042");
  EXPECT_EQ(IntToS(123456, 4), "123456");
  EXPECT_EQ(IntToS(5, 1), "5");
  EXPECT_EQ(IntToS(5, 10), "0000000005");
  EXPECT_EQ(IntToS(1000000000, 10), "1000000000");
  EXPECT_EQ(IntToS(999999999, 10), "0999999999");
  EXPECT_EQ(IntToS(5, 11), "5");
  EXPECT_EQ(IntToS(5, -3), "5");
  EXPECT_EQ(IntToS(-5, 3), "00-5");
  EXPECT_EQ(MixForString64("%d-%s", 7, "x"), "7-x");
  EXPECT_EQ(MixForString64(nullptr), "");
  std::string big(200, 'a');
  EXPECT_EQ(MixForString64("%s", big.c_str()).size(), 64u);  // cut, never overflowed
  EXPECT_EQ(MixForString300("%s%s", big.c_str(), big.c_str()).size(), 300u);
}

TEST(CaseAndTrim, OnlyLatinLettersAndBlanks) {
  EXPECT_EQ(TextUpperS("abz\xE0Q1"), "ABZ\xE0Q1");
  EXPECT_EQ(TextLowerS("ABZ\xC0q1"), "abz\xC0q1");
  EXPECT_EQ(TextUpperS(""), "");
  EXPECT_EQ(TextTrimS(" \t a b \t"), "a b");
  EXPECT_EQ(TextTrimS(" \t "), "");
  EXPECT_EQ(TextTrimS("\r\n"), "\r\n");
  EXPECT_EQ(TextTrimS(""), "");
}

TEST(Searching, PositionsAndPartialCompares) {
  EXPECT_EQ(TextPos("abcabc", "bc", 0), 1);
  EXPECT_EQ(TextPos("abcabc", "bc", 2), 4);
  EXPECT_EQ(TextPos("abcabc", "bc", 5), -1);
  EXPECT_EQ(TextPos("abc", "a", 4), -1);
  EXPECT_EQ(TextPos("abc", "a", -1), -1);
  EXPECT_EQ(TextPos((const char*)nullptr, "a", 0), -1);
  EXPECT_EQ(TextPartSame("xxabcd", 2, "abcz", 0, 3), 1);
  EXPECT_EQ(TextPartSame("ab", 0, "abcdef", 0, 3), 0);  // tails differ and one is short
  EXPECT_EQ(TextPartSame("ab", 0, "ab", 0, 5), 1);      // equal short tails
  EXPECT_EQ(TextPartSame("xab", 1, "ab", 0, 0), 1);
  EXPECT_EQ(TextPartSame("xab", 1, "abc", 0, -1), 0);
  EXPECT_EQ(TextPartSame("ab", 9, "ab", 0, 1), 0);
  EXPECT_EQ(EngTextSimb('a'), 1);
  EXPECT_EQ(EngTextSimb('\0'), 0);
  EXPECT_EQ(EngTextSimb((unsigned char)0xE0), 0);
  EXPECT_EQ(EngTextSimb(std::string("a1"), 1), 0);
  EXPECT_EQ(EngTextSimb(std::string("a1"), 2), 0);
  EXPECT_EQ(EngTextSimb(std::string("a1"), -1), 0);
  int end = 0;
  EXPECT_EQ(AnTextWordFrom("name(x)", 0, end, "("), "name");
  EXPECT_EQ(end, 4);
  EXPECT_EQ(AnTextWordFrom("name", 1, end, "("), "ame");
  EXPECT_EQ(end, -1);
  EXPECT_EQ(AnTextWordFrom("(x", 0, end, "("), "");
  EXPECT_EQ(AnTextWordFrom("abc", 7, end, "("), "");
}

TEST(Searching, OutsideQuotedStrings) {
  EXPECT_EQ(FindInLineIgnorStrings("\"x\" x", "x", 0, 1), 4);
  EXPECT_EQ(FindInLineIgnorStrings("x \"x\" x", "x", 0, 2), 6);
  EXPECT_EQ(FindInLineIgnorStrings("\"a\\\"x\" x", "x", 0, 1), 7);  // escaped quote stays inside
  EXPECT_EQ(FindInLineIgnorStrings("a x", "x", 0, 3), -1);
  EXPECT_EQ(FindInLineIgnorStrings("a x", "\"", 0, 1), -1);
  EXPECT_EQ(FindInLineIgnorStrings("", "x", 0, 1), -1);
  EXPECT_EQ(FindInLineIgnorStrings("x", "x", -1, 1), -1);
  EXPECT_EQ(FindInLineIgnorStrings("x", "x", 0, 0), -1);
  EXPECT_EQ(FindInLineIgnorStrings("x", "x", 9, 1), -1);
  EXPECT_EQ(FindInLineIgnorStrings("xxx", "xx", 0, 2), -1);  // counted one continues behind itself
}

TEST(Replacing, ReplaceAndRemoveBlocks) {
  EXPECT_EQ(TextReplaceS("a-b-c", "-", "--"), "a--b--c");
  EXPECT_EQ(TextReplaceS("abc", "x", "y"), "abc");
  EXPECT_EQ(TextReplaceS("abc", "", "y"), "abc");
  EXPECT_EQ(TextReplaceS("aaa", "a", ""), "");
  TextReplaceS("aabb", "ab", "");  // a joined occurrence: bounded, no throw

  std::string s = "a/*x*/b/*y*/c/*z";
  EXPECT_EQ(RemoveBloksFromString(s, "/*", "*/"), 1);
  EXPECT_EQ(s, "abc/*z");
  EXPECT_EQ(RemoveBloksFromString(s, "/*", "*/"), 0);
  EXPECT_EQ(RemoveBloksFromString(s, "", "*/"), 0);

  std::string q = "a\"/*\"b/*c\"*/\"d*/e";
  EXPECT_EQ(RemoveBloksFrLineWfStrings(q, "/*", "*/"), 1);
  EXPECT_EQ(q, "a\"/*\"be");
  std::string open = "x/*y";
  EXPECT_EQ(RemoveBloksFrLineWfStrings(open, "/*", "*/"), 0);
  EXPECT_EQ(open, "x/*y");
  std::string tiny = "a";
  EXPECT_EQ(RemoveBloksFrLineWfStrings(tiny, "a", "b"), 0);
  std::string quoted = "ab";
  EXPECT_EQ(RemoveBloksFrLineWfStrings(quoted, "'", "b"), 0);
}

TEST(Identifiers, CppAndQualifiedNames) {
  EXPECT_EQ(ValidNameVarCPP(" _a1 "), 1);
  EXPECT_EQ(ValidNameVarCPP("1a"), 0);
  EXPECT_EQ(ValidNameVarCPP(""), 0);
  EXPECT_EQ(ValidNameVarCPP("  "), 0);
  EXPECT_EQ(ValidNameVarCPP("a.b"), 0);
  EXPECT_EQ(ValidNameVarCPGen("::a.b"), 1);
  EXPECT_EQ(ValidNameVarCPGen(":a"), 0);
  EXPECT_EQ(ValidNameVarCPGen("::"), 0);
  EXPECT_EQ(ValidNameVarCPGen("::1"), 0);
  EXPECT_EQ(ValidNameVarCPGen("a::b"), 1);
}

}  // namespace
