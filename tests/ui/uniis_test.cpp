// The input line driven as the game drives it: key-downs, characters and
// key-ups through the window procedure, one input step per frame.
#include <gtest/gtest.h>

#include <string>

#include "tests/ui/widget_fixture.h"

namespace {

class UniIS : public ::testing::Test {
 protected:
  void SetUp() override { ResetWidgetState(); }
};

// Opens the whole-number client with a filter and a limit.
void OpenInt(int filter, int maxLen) {
  ASSERT_EQ(InputInt_Klient.GetInputCtrl(filter, maxLen, "input: now %d", 7), 1);
  ASSERT_EQ(*o2::UniIS_Input, 1);
}

}  // namespace

TEST_F(UniIS, FiltersAdmitTheirCharacters) {
  struct Case {
    int filter;
    const char* typed;
    const char* kept;
  } cases[] = {
      {2, "-12a3", "123"},            // digits only
      {3, "-1-2a", "-12"},            // a minus only in front
      {1, "1,5.2", "1.52"},           // one point, a comma becomes a point
      {1, "-.5", "-.5"},
      {4, "-2.5,1", "2.51"},          // unsigned decimal
      {0, "Ab 1,-", "Ab 1,-"},        // text
  };
  for (const Case& c : cases) {
    ResetWidgetState();
    OpenInt(c.filter, 0);
    TypeText(c.typed);
    EXPECT_EQ(nsUniIS::_String, c.kept) << "filter " << c.filter << " typing " << c.typed;
  }
}

TEST_F(UniIS, BackspaceOverThePointAllowsAnother) {
  OpenInt(1, 0);
  TypeText("1.5");
  EXPECT_EQ(*o2::UniIS_DotIn, 2);
  TypeText(".");
  EXPECT_EQ(nsUniIS::_String, "1.5");
  PressBack();
  EXPECT_EQ(*o2::UniIS_DotIn, 2);  // the point is still there
  PressBack();
  EXPECT_EQ(nsUniIS::_String, "1");
  EXPECT_EQ(*o2::UniIS_DotIn, 0);
  TypeText(",25");
  EXPECT_EQ(nsUniIS::_String, "1.25");
  PressEnter();
  InputFrame();
  EXPECT_EQ(InputInt_Klient.state, 0);  // applied and freed
}

TEST_F(UniIS, DecimalClientAcceptsOnEnter) {
  ASSERT_TRUE(InputFlo_Klient.GetInputCtrl(1, 6, "input: now %3.4f", 0.5));
  TypeText("1,5.2");
  InputFrame();
  EXPECT_EQ(EntryText(0, InputFlo_Klient.NomTB()), "Flo: 1.52");
  PressEnter();
  _UniIS_Cases::Cases_UniIStringUpdate();
  EXPECT_EQ(InputFlo_Klient.state, 2);
  EXPECT_EQ(InputFlo_Klient.endKind, 1);
  EXPECT_FLOAT_EQ(InputFlo_Klient.resFlo, 1.52f);
  EXPECT_TRUE(Input_orgF(11));
  EXPECT_FLOAT_EQ(orgFn[11], 1.52f);
  EXPECT_EQ(InputFlo_Klient.taken, 0);
}

TEST_F(UniIS, LengthLimitFinishesTheFrameAfter) {
  OpenInt(3, 6);
  TypeText("123456");
  InputFrame();
  EXPECT_EQ(*o2::UniIS_Input, 2);
  TypeText("7");
  InputFrame();  // the limit is passed: finished, and still echoed
  EXPECT_EQ(*o2::UniIS_Input, 3);
  EXPECT_EQ(EntryText(0, InputInt_Klient.NomTB()), "Int: 1234567");
  _UniIS_Cases::Cases_UniIStringUpdate();
  EXPECT_EQ(InputInt_Klient.state, 2);
  EXPECT_EQ(InputInt_Klient.endKind, 2);
  int v = 0;
  EXPECT_TRUE(InputInt_ResTo(v));
  EXPECT_EQ(v, 1234567);
}

TEST_F(UniIS, EscapeAsTheFirstKeyCancels) {
  OpenInt(3, 6);
  PressEscape();  // its key-down starts the typing, its character cancels
  EXPECT_EQ(*o2::UniIS_Input, 4);
  _UniIS_Cases::Cases_UniIStringUpdate();
  EXPECT_EQ(InputInt_Klient.state, -1);
  EXPECT_EQ(InputInt_Klient.endKind, -1);
  EXPECT_EQ(*o2::UniIS_Input, 0);
  EXPECT_EQ(*o2::UniIS_NowEdit, 0);
  int v = 5;
  EXPECT_FALSE(InputInt_ResTo(v));
  EXPECT_EQ(v, 5);
  EXPECT_EQ(InputInt_Klient.taken, 0);
}

TEST_F(UniIS, AnEntryWithoutDigitsIsACancel) {
  for (const char* typed : {"", "-", "-.", "."}) {
    ResetWidgetState();
    *o2::SleepEachFrame = 9;
    org2_InputProp(26, 0);  // typed entry of SleepEachFrame
    ASSERT_EQ(InputInt_pVar, o2::SleepEachFrame);
    Press(VK_SPACE);  // a key without a character starts the typing
    TypeText(typed);
    PressEnter();
    InputFrame();
    EXPECT_EQ(*o2::SleepEachFrame, 9) << "'" << typed << "'";
    EXPECT_EQ(InputInt_pVar, nullptr);
    EXPECT_EQ(InputInt_Klient.state, 0);
  }
}

TEST_F(UniIS, OneInputAtATime) {
  OpenInt(3, 6);
  EXPECT_EQ(nsUniIS::TryStart(4, 1), 0);           // another case while one runs
  EXPECT_EQ(InputFlo_Klient.GetInputCtrl(1, 6, "x"), 0);
  EXPECT_EQ(InputInt_Klient.GetInputCtrl(3, 6, "x"), 0);  // a taken client
  EXPECT_EQ(*o2::UniIS_NowEdit, 3);
  PressEscape();
  InputFrame();
  EXPECT_EQ(nsUniIS::TryStart(7, 0), 0);  // no such case
  EXPECT_EQ(nsUniIS::TryStart(4, 5), 0);  // no such filter
  EXPECT_EQ(nsUniIS::TryStart(4, 1), 1);
}

TEST_F(UniIS, SettingsIdEntryFinishesOnItsFifthCharacter) {
  UniOrgStartYch(1);
  EXPECT_EQ(UniOrg_StringE, 1);
  EXPECT_EQ(*o2::UniIS_Filter, 2);
  TypeText("1234");
  InputFrame();
  EXPECT_EQ(EntryText(0, UniOrg_TBuf), "\xCD\xEE\xEC\xE5\xF0 org2n[ 1234 ]");
  EXPECT_EQ(*o2::UniIS_Input, 2);
  TypeText("5");
  InputFrame();
  EXPECT_EQ(*o2::UniIS_Input, 3);
  InputFrame();
  EXPECT_EQ(UniOrg_StringE, 0);
  EXPECT_EQ(UniOrg_YchNom, 12345);  // outside the table: nothing opens
  EXPECT_EQ(InputInt_Klient.state, 0);
  EXPECT_EQ(*o2::UniIS_Input, 0);
}

TEST_F(UniIS, UserNameInput) {
  GLob_InputNameActive = 2;
  EXPECT_FALSE(UserNmAchTable_InputDone(3));
  EXPECT_EQ(GLob_InputNameActive, 3);
  EXPECT_EQ(*o2::UniIS_NowEdit, 6);
  TypeText("Velmar");
  InputFrame();
  PressEnter();
  InputFrame();
  EXPECT_EQ(GLob_InputNameActive, 50);
  EXPECT_TRUE(UserNmAchTable_InputDone(3));
  EXPECT_STREQ(UserNmAchTable.c, "Velmar");
  // A cancelled or one-letter name becomes a random name of three letters.
  for (const char* typed : {static_cast<const char*>("q"), static_cast<const char*>(nullptr)}) {
    GLob_InputNameActive = 2;
    UserNmAchTable_InputDone(3);
    if (typed) {
      TypeText(typed);
      PressEnter();
    } else {
      PressEscape();
    }
    InputFrame();
    EXPECT_TRUE(UserNmAchTable_InputDone(3));
    std::string name = UserNmAchTable.c;
    ASSERT_EQ(name.size(), 3u);
    EXPECT_NE(std::string("xz").find(name[0]), std::string::npos);
    EXPECT_NE(std::string("eo").find(name[1]), std::string::npos);
    EXPECT_NE(std::string("td").find(name[2]), std::string::npos);
    EXPECT_EQ(GLob_InputNameActive, 0);
  }
}

TEST_F(UniIS, TheLineHoldsABoundedNumberOfCharacters) {
  OpenInt(0, 15);
  Press(VK_SPACE);
  for (int i = 0; i < 1000; ++i) SendMsg(WM_CHAR, 'a');
  EXPECT_EQ(nsUniIS::_String.size(), 255u);
}
