#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "core/core.h"

namespace {

TEST(LineReaders, GetLineDropsTheCrBeforeLf) {
  std::istringstream in("a\r\nb\rc\r\n\r\nlast\r");
  std::string l;
  ASSERT_TRUE(TextGetLine(in, l));
  EXPECT_EQ(l, "a");
  ASSERT_TRUE(TextGetLine(in, l));
  EXPECT_EQ(l, "b\rc");  // a lone CR is not a line end
  ASSERT_TRUE(TextGetLine(in, l));
  EXPECT_EQ(l, "");
  ASSERT_TRUE(TextGetLine(in, l));
  EXPECT_EQ(l, "last\r");  // no LF follows: kept
  EXPECT_FALSE(TextGetLine(in, l));
}

TEST(LineReaders, FindBeginWithinNinetyNineLines) {
  std::string text;
  for (int i = 0; i < 98; i++) text += "x\r\n";
  std::istringstream at99(text + "  begin thing\r\n");
  std::string l;
  EXPECT_EQ(findInStrBEGIN(l, at99), 1);
  EXPECT_EQ(l, "begin thing");
  std::istringstream at100(text + "x\r\nbegin\r\n");
  EXPECT_EQ(findInStrBEGIN(l, at100), 0);
  std::istringstream lastWithoutEnd("x\r\nbegin");
  EXPECT_EQ(findInStrBEGIN(l, lastWithoutEnd), 0);
  EXPECT_EQ(findInStrEND("endif"), 1);
  EXPECT_EQ(findInStrEND("send"), 1);
  EXPECT_EQ(findInStrEND("en d"), 0);
}

TEST(LineReaders, NonEmptySkipsCommentsAndBars) {
  std::istringstream in("\r\n  // c\r\n|bar\r\n\t\r\n|\r\n value \r\n");
  std::string l;
  EXPECT_EQ(findNonEmptyStr(l, in), 1);
  EXPECT_EQ(l, "|");  // a one-character line is always taken
  EXPECT_EQ(findNonEmptyStr(l, in), 1);
  EXPECT_EQ(l, "value");
  EXPECT_EQ(findNonEmptyStr(l, in), 0);
  std::string many;
  for (int i = 0; i < 120; i++) many += "//\n";
  std::istringstream in2(many + "v\n");
  EXPECT_EQ(findNonEmptyStr(l, in2), 0);
}

TEST(LineReaders, CommaFields) {
  std::string t = "a, b ,c";
  int pos = 0;
  EXPECT_EQ(NextStringBefComa(t, pos), "a");
  EXPECT_EQ(pos, 2);
  EXPECT_EQ(NextStringBefComa(t, pos), "b");
  EXPECT_EQ(pos, 6);
  std::string out;
  NextStringBefComa(out, t, pos);
  EXPECT_EQ(out, "c");
  EXPECT_EQ(pos, 7);
  EXPECT_EQ(NextStringBefComa(t, pos), "");
  EXPECT_EQ(pos, -1);
  EXPECT_EQ(NextStringBefComa(t, pos), "");
  EXPECT_EQ(pos, -1);
  pos = -5;
  EXPECT_EQ(NextStringBefComa(t, pos), "");
  EXPECT_EQ(pos, -5);
}

TEST(LineReaders, ContinuedLinesAndBlockComments) {
  std::istringstream in("b \\\r\nc\r\n");
  std::string l = "a\\";
  StringLinkLinesRead(l, in);
  EXPECT_EQ(l, "ab c");
  std::istringstream ended("");
  l = "x\\\\";
  StringLinkLinesRead(l, ended);  // nothing to join: stops
  EXPECT_EQ(l, "x\\");

  std::istringstream c1("junk\r\n*/\r\n\r\n//\r\n/*\r\nmore\r\n*/\r\nab\r\nrest\r\n");
  EXPECT_EQ(BigKomentSkipRead(l, c1), 1);
  EXPECT_EQ(l, "ab");
  std::istringstream c2("*/\r\ncontent line\r\n");
  EXPECT_EQ(BigKomentSkipRead(l, c2), 1);
  EXPECT_EQ(l, "content line");
  std::istringstream c3("*/\r\n//\r\n");
  EXPECT_EQ(BigKomentSkipRead(l, c3), 1);
  std::istringstream c4("nothing\r\n");
  EXPECT_EQ(BigKomentSkipRead(l, c4), 0);
}

TEST(LineReaders, KeywordFollowedByName) {
  std::string lines[] = {"class Foo : Bar", "class", "Next more", "\"class X\" class  ", "classY"};
  int kp = -1, kl = -1, nl = -1, np = -1, nlen = -1;
  EXPECT_EQ(SMasFind_PreWord_AnyName(lines, 0, 5, "class", 0, kp, kl, nl, np, nlen), 1);
  EXPECT_EQ(kp, 0);
  EXPECT_EQ(kl, 5);
  EXPECT_EQ(nl, 0);
  EXPECT_EQ(np, 6);
  EXPECT_EQ(nlen, 3);
  EXPECT_EQ(SMasFind_PreWord_AnyName(lines, 1, 5, "class", 0, kp, kl, nl, np, nlen), 1);
  EXPECT_EQ(nl, 2);
  EXPECT_EQ(nlen, 4);
  // The keyword outside the string is followed by blanks only: the name is
  // the first word of the next line, if there is one.
  EXPECT_EQ(SMasFind_PreWord_AnyName(lines, 3, 5, "class", 0, kp, kl, nl, np, nlen), 1);
  EXPECT_EQ(kp, 10);
  EXPECT_EQ(nl, 4);
  EXPECT_EQ(nlen, 6);
  EXPECT_EQ(SMasFind_PreWord_AnyName(lines, 3, 4, "class", 0, kp, kl, nl, np, nlen), 0);
  EXPECT_EQ(SMasFind_PreWord_AnyName(lines, 4, 5, "class", 0, kp, kl, nl, np, nlen), 0);
  EXPECT_EQ(SMasFind_PreWord_AnyName(lines, 1, 2, "class", 0, kp, kl, nl, np, nlen), 0);
  EXPECT_EQ(SMasFind_PreWord_AnyName(lines, 0, 5, "class", -1, kp, kl, nl, np, nlen), 0);
  EXPECT_EQ(SMasFind_PreWord_AnyName(lines, 7, 5, "class", 0, kp, kl, nl, np, nlen), 0);
  EXPECT_EQ(SMasFind_PreWord_AnyName(nullptr, 0, 5, "class", 0, kp, kl, nl, np, nlen), 0);
}

}  // namespace
