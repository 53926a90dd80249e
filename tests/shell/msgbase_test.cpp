// The message base: slots, language variants, placeholders, bad files.
#include <cstdlib>
#include <filesystem>
#include <string>

#include "shell/shell.h"
#include "test_dir.h"
#include "ui/ui.h"

namespace {

class MessageBase : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    setenv("VELMAR_MSGBOX", "auto", 1);
    FreeMsgBase();
    org2_Init();
  }
  void TearDown() override {
    FreeMsgBase();
    TempDirTest::TearDown();
  }
};

}  // namespace

TEST_F(MessageBase, TwoSlotsPerMessageChosenByEngText) {
  Write("base/msgbase.txt",
        "3\r\n-1\r\n  one en \t\r\none ru\r\n-2\r\ntwo en\r\n\r\n-3\r\nthree en\r\nthree ru\r\n");
  ASSERT_EQ(LoadMsgBase(), 1);
  EXPECT_EQ(msgbaseLast, 5);
  *o2::EngText = 1;
  EXPECT_STREQ(MsgBase(1), "one en");
  EXPECT_STREQ(MsgBase(3), "three en");
  *o2::EngText = 0;
  EXPECT_STREQ(MsgBase(1), "one ru");
  EXPECT_STREQ(MsgBase(2), "");
  EXPECT_STREQ(MsgBase(3), "three ru");
  EXPECT_STREQ(MsgBase(4), ".Z.");
  EXPECT_STREQ(MsgBase(0), ".0.");
  EXPECT_STREQ(MsgBase(-2), ".Z.");
  // Numbers whose slot index 2n - 1 would overflow an int are beyond the base too.
  for (int n : {1 << 30, (1 << 30) + 1, 0x7fffffff, -0x7fffffff - 1}) EXPECT_STREQ(MsgBase(n), ".Z.") << n;
}

TEST_F(MessageBase, MissingFileShowsTheBoxAndAnswersDots) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(LoadMsgBase(), 0);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("Not found <msgbase.txt>"), std::string::npos) << err;
  EXPECT_NE(err.find("Не-найден файл сообщений."), std::string::npos) << err;
  EXPECT_STREQ(MsgBase(7), "...");
}

TEST_F(MessageBase, BadCountsAndTruncationFail) {
  Write("base/msgbase.txt", "0\r\n");
  EXPECT_EQ(LoadMsgBase(), 0);
  Write("base/msgbase.txt", "x\r\n");
  EXPECT_EQ(LoadMsgBase(), 0);
  Write("base/msgbase.txt", "16385\r\n-1\r\na\r\nb\r\n");
  EXPECT_EQ(LoadMsgBase(), 0);  // more than the 16-bit index holds: a failure, not "loaded"
  EXPECT_EQ(msgbase, nullptr);
  Write("base/msgbase.txt", "3\r\n-1\r\na\r\nb\r\n");
  EXPECT_EQ(LoadMsgBase(), 0);  // ends inside the records
  *o2::EngText = 1;
  EXPECT_STREQ(MsgBase(1), "a");  // what was read stays
}

TEST_F(MessageBase, LongLinesAreCutToTheSlot) {
  std::string longText(300, 'x');
  Write("base/msgbase.txt", "1\r\n-1\r\n" + longText + "\r\nshort\r\n");
  ASSERT_EQ(LoadMsgBase(), 1);
  *o2::EngText = 1;
  EXPECT_EQ(std::string(MsgBase(1)), std::string(127, 'x'));
  *o2::EngText = 0;
  EXPECT_STREQ(MsgBase(1), "short");
}

TEST_F(MessageBase, ShippedBaseHoldsEveryNumberInBothLanguages) {
  std::filesystem::current_path(std::filesystem::path(VELMAR_SOURCE_DIR) / "data");
  ASSERT_EQ(LoadMsgBase(), 1);
  EXPECT_GE(msgbaseLast, 2 * 205 - 1);
  for (int n : {1, 2, 3, 4, 5, 8, 15, 21, 23, 26, 27, 28, 29, 30, 31, 32, 58, 61, 167, 205}) {
    *o2::EngText = 1;
    std::string en = MsgBase(n);
    *o2::EngText = 0;
    std::string ru = MsgBase(n);
    EXPECT_FALSE(en.empty()) << n;
    EXPECT_FALSE(ru.empty()) << n;
    EXPECT_NE(en, ".Z.") << n;
  }
  *o2::EngText = 0;
  EXPECT_STREQ(MsgBase(5), "\xCE\xF8\xE8\xE1\xEA\xE0");  // "Ошибка" in CP1251
}

TEST_F(MessageBase, GreetingAnsweredYesAsksForTheWindowMode) {
  Write("base/msgbase.txt", "29\r\n" + [] {
    std::string s;
    for (int i = 1; i <= 29; ++i) s += "-\r\nen\r\nru\r\n";
    return s;
  }());
  ASSERT_EQ(LoadMsgBase(), 1);
  Ekran.VModeReq = 3;
  setenv("VELMAR_MSGBOX", "no", 1);
  EXPECT_EQ(PrivetUser(), 1);
  EXPECT_EQ(Ekran.VModeReq, 3);
  setenv("VELMAR_MSGBOX", "no,yes", 1);  // the script is read on: "yes" is next
  EXPECT_EQ(PrivetUser(), 1);
  EXPECT_EQ(Ekran.VModeReq, 1);
}
