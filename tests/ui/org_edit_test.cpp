// The settings editor through its own calls, its lists' clicks and the keys
// of the input line: display lines, edit rules, stepping, typed entry, the id
// prompt, the last edited setting and the page rows.
#include <gtest/gtest.h>

#include <string>

#include "tests/ui/widget_fixture.h"
#include "ui/modesglue.h"
#include "world/world.h"

namespace {

class OrgEdit : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetWidgetState(800, 600);
    PlayerSelected_Now = 0;
    PlayerSelected_[1] = nullptr;
  }
  void TearDown() override {
    PlayerSelected_Now = 0;
    PlayerSelected_[1] = nullptr;
  }
  // The display line of a setting, or "-" when it has none.
  static std::string Line(bool isInt, int id, int* readOnly = nullptr) {
    int kind = -1, ro = -1;
    TBufUpdate(0, 0, "-");
    if (isInt) org2_TBuf00Set(id, kind, ro);
    else orgF_TBuf00Set(id, kind, ro);
    if (readOnly) *readOnly = ro;
    if (kind == -1) return "-";
    EXPECT_EQ(kind, isInt ? 1 : 2);
    return EntryText(0, 0);
  }
  // One click of both overlay lists pressed at (x, y), routed as the front
  // end does; by the frame that works it the pointer is at the window's other
  // side, so every part of a row acts by the press.
  static void Click(int x, int y) {
    gMX = Ekran.W - 1 - x;
    gMY = y;
    auto cases = [](int id) { gOrgAll_LinCase(id); };
    org2_li9._Exe2(cases, 1, x, y);
    orgF_li10._Exe2(cases, 1, x, y);
  }
  static int RowY(const t_Lin2& li, int line) { return li.LineBottom(line) + li.lineH / 2; }
};

}  // namespace

TEST_F(OrgEdit, PageZeroAndPageSevenRows) {
  int missing = 0, ro = 0;
  for (int id = 1; id <= 50; ++id) missing += Line(true, id) == "-";
  EXPECT_EQ(missing, 2);
  EXPECT_EQ(Line(true, 16), "-");
  EXPECT_EQ(Line(true, 48), "-");
  EXPECT_EQ(Line(true, 1, &ro), "State2D: 0");
  EXPECT_EQ(ro, 1);
  *o2::SleepEachFrame = 7;
  EXPECT_EQ(Line(true, 26, &ro), "SleepEachFrame: 7");
  EXPECT_EQ(ro, 0);
  // Page 7 shows ids 351..400; the table is shown up to 386 only.
  EXPECT_EQ(Line(true, 370), "-");
  EXPECT_EQ(Line(true, 386), "guiBokaH: 0");
  for (int id = 387; id <= 400; ++id) EXPECT_EQ(Line(true, id), "-") << id;
  EXPECT_EQ(Line(false, 357), "-");
  EXPECT_EQ(Line(true, 0), "-");
  EXPECT_EQ(Line(true, 2400), "-");
}

TEST_F(OrgEdit, FloatLinesAndTheirDecimals) {
  *o3::SkyG = 0.5f;
  *o3::SkyFogG = 0.25f;
  *o3::spePLiftYSrc = 3;
  int ro = 0;
  EXPECT_EQ(Line(false, 12), "SkyG: 0.500");
  EXPECT_EQ(Line(false, 15), "SkyFogG: 0.250000");
  EXPECT_EQ(Line(false, 317, &ro), "spePLiftYSrc: 3.000");
  EXPECT_EQ(ro, 1);
}

TEST_F(OrgEdit, EveryEditableSettingHasOneRule) {
  int stepping = 0, typed = 0, none = 0;
  for (int id = 1; id < org2n_Count; ++id) {
    int step = -1;
    if (!org2_EditRule(id, step)) {
      ++none;
      EXPECT_TRUE(!org2_Name(id) || org2_ReadOut(id)) << id;
      continue;
    }
    (step ? stepping : typed)++;
  }
  EXPECT_EQ(stepping, 126);
  EXPECT_EQ(typed, 34);
  for (int id = 1; id < orgFn_Count; ++id) {
    float step = -1;
    bool rule = orgF_EditRule(id, step);
    EXPECT_EQ(rule, orgF_Name(id) != nullptr && !orgF_ReadOut(id)) << id;
  }
  float step = 0;
  ASSERT_TRUE(orgF_EditRule(351, step));
  EXPECT_EQ(step, 0.0f);
}

TEST_F(OrgEdit, SteppingAndTheDisplayClamp) {
  *o2::GSpOfGame = 1;
  org2_InputProp(54, 1);
  EXPECT_EQ(*o2::GSpOfGame, 0);  // no clamp while stepping
  EXPECT_EQ(Line(true, 54), "GSpOfGame: 1");
  EXPECT_EQ(*o2::GSpOfGame, 1);  // the display line clamps and stores
  *o3::SkyR = 0.98f;
  orgF_InputProp(11, 2);
  EXPECT_FLOAT_EQ(*o3::SkyR, 1.03f);
  EXPECT_EQ(Line(false, 11), "SkyR: 1.000");
  EXPECT_FLOAT_EQ(*o3::SkyR, 1.0f);
  // Read-only and unnamed ids take no edit and are not remembered.
  *o2::State2D = 0;
  org2_InputProp(1, 2);
  org2_InputProp(16, 2);
  EXPECT_EQ(*o2::State2D, 0);
  EXPECT_EQ(UniOrg_PredYchNom, 11);
  EXPECT_EQ(UniOrg_PredOrg, 2);
  // Typed-only settings ignore steps but become the last edited one.
  *o2::NeedExit = 0;
  org2_InputProp(3, 2);
  EXPECT_EQ(*o2::NeedExit, 0);
  EXPECT_EQ(UniOrg_PredYchNom, 3);
}

TEST_F(OrgEdit, LastEditedSettingCommands) {
  UniOrgPredYchAdv(2);  // nothing edited yet
  rea(7);
  EXPECT_EQ(UniOrg_PredOrg, 0);
  *o2::SleepEachFrame = 5;
  org2_InputProp(26, 2);
  rea(8);
  rea(8);
  EXPECT_EQ(*o2::SleepEachFrame, 8);
  rea(7);
  EXPECT_EQ(*o2::SleepEachFrame, 7);
  rea(6);  // its typed entry
  EXPECT_EQ(InputInt_pVar, o2::SleepEachFrame);
  EXPECT_EQ(EntryText(0, InputInt_Klient.NomTB()), "input: now 7");
}

TEST_F(OrgEdit, TypedEntryIsStoredInTheFrameOfEnter) {
  *o2::SleepEachFrame = 3;
  org2_InputProp(26, 0);
  EXPECT_EQ(*o2::UniIS_Filter, 3);
  TypeText("-12");
  InputFrame();
  EXPECT_EQ(*o2::SleepEachFrame, 3);
  PressEnter();
  InputFrame();
  EXPECT_EQ(*o2::SleepEachFrame, -12);
  EXPECT_EQ(InputInt_Klient.state, 0);
  // A float entry.
  orgF_InputProp(20, 0);
  EXPECT_EQ(EntryText(0, InputFlo_Klient.NomTB()), "input: now 0.0000");
  TypeText("2,5");
  PressEnter();
  InputFrame();
  EXPECT_FLOAT_EQ(*o3::PlitFadeBelt, 2.5f);
}

TEST_F(OrgEdit, BusyClientIgnoresASecondRequest) {
  org2_InputProp(26, 0);
  ASSERT_EQ(InputInt_pVar, o2::SleepEachFrame);
  org2_InputProp(27, 0);
  EXPECT_EQ(InputInt_pVar, o2::SleepEachFrame);  // the earlier entry stays pending
  EXPECT_EQ(UniOrg_PredYchNom, 27);
  TypeText("4");
  PressEnter();
  InputFrame();
  EXPECT_EQ(*o2::SleepEachFrame, 4);
  EXPECT_EQ(*o2::MouseSensX, 0);
  // An idle client whose start is refused (the id prompt runs) keeps no target.
  UniOrgStartYch(1);
  org2_InputProp(27, 0);
  EXPECT_EQ(InputInt_pVar, nullptr);
}

TEST_F(OrgEdit, IdPromptOpensTheSettingsEntry) {
  *o2::EngText = 1;
  rea(4);
  EXPECT_EQ(UniOrg_StringE, 1);
  EXPECT_EQ(EntryText(0, UniOrg_TBuf),
            "\xCD\xEE\xEC\xE5\xF0 org2n[ x ] (\xE2 \xEF\xF0\xE5\xE4\xE5\xEB\xE0\xF5 1..436)");
  TypeText("5");
  PressEnter();
  InputFrame();  // the id is taken and EngText's entry opens
  EXPECT_EQ(UniOrg_StringE, 0);
  EXPECT_EQ(UniOrg_YchNom, 5);
  EXPECT_EQ(InputInt_pVar, o2::EngText);
  EXPECT_EQ(EntryText(0, InputInt_Klient.NomTB()), "input: now 1");
  TypeText("0");
  PressEnter();
  EXPECT_EQ(*o2::EngText, 1);
  InputFrame();
  EXPECT_EQ(*o2::EngText, 0);
  // The float table's prompt.
  rea(5);
  EXPECT_EQ(EntryText(0, UniOrg_TBuf),
            "\xDF\xF7\xE5\xE9\xEA\xE0 orgFn[ z ] (\xE2 \xEF\xF0\xE5\xE4\xE5\xEB\xE0\xF5 1..406)");
  PressEscape();
  InputFrame();
  EXPECT_EQ(UniOrg_StringE, 0);
  EXPECT_EQ(UniOrg_PredOrg, 2);  // the cancelled prompt keeps its table
  EXPECT_EQ(UniOrg_PredYchNom, 5);
}

TEST_F(OrgEdit, PageControlsAreOnScreenAndClickable) {
  for (int height : {600, 768, 1024}) {
    ResetWidgetState(800, height);
    gOrgAllMenuInit();
    EXPECT_LT(org2_li9.x, -1000);  // placed hidden
    gOrgAllUp();
    for (const t_Lin2* li : {&org2_li9, &orgF_li10}) {
      EXPECT_LE(li->y + li->h, height) << height;
      EXPECT_GE(li->LineBottom(0), 0);
      EXPECT_EQ(li->keepOpen, 1);
    }
    EXPECT_EQ(org2_li9.x, 0);
    EXPECT_EQ(orgF_li10.x, 632);
    const int titleY = RowY(org2_li9, 0);
    const int q = org2_li9.w / 4;
    Click(q / 2, titleY);  // left quarter: page back, held at 0
    EXPECT_EQ(gOrg2_PartFr0, 0);
    Click(org2_li9.w - q / 2, titleY);
    Click(org2_li9.w - q / 2, titleY);
    EXPECT_EQ(gOrg2_PartFr0, 2);
    Click(q / 2, titleY);
    EXPECT_EQ(gOrg2_PartFr0, 1);
    Click(790, RowY(orgF_li10, 0));  // the float list's right quarter, inside the window
    EXPECT_EQ(gOrgF_PartFr0, 1);
    Click(2 * q, titleY);  // the middle: the id prompt
    EXPECT_EQ(UniOrg_StringE, 1);
    EXPECT_EQ(UniOrg_PredOrg, 1);
    PressEscape();
    InputFrame();
    // Rows: page 1, line 4 is id 54; its quarters step it down and up.
    *o2::GSpOfGame = 5;
    Click(2, RowY(org2_li9, 4));
    EXPECT_EQ(*o2::GSpOfGame, 4);
    Click(org2_li9.w - 2, RowY(org2_li9, 4));
    Click(org2_li9.w - 2, RowY(org2_li9, 4));
    EXPECT_EQ(*o2::GSpOfGame, 6);
    Click(org2_li9.w / 2, RowY(org2_li9, 4));  // the middle: typed entry
    EXPECT_EQ(InputInt_pVar, o2::GSpOfGame);
    PressEscape();
    InputFrame();
    for (int page = 0; page < 60; ++page) Click(org2_li9.w - 2, titleY);
    EXPECT_EQ(gOrg2_PartFr0, 49);
    gOrgAllOut();
    EXPECT_EQ(org2_li9.x, -2000);
    EXPECT_EQ(orgF_li10.x0, -2000);
  }
}

TEST_F(OrgEdit, ObjectListPagesByWhatIsSelected) {
  t_Lin2* li8 = EdFgr_li8();
  li8->InitLin(406, 0, 26, 0, 0, 0.05f, 0.05f, 0, 0, 0.3f, 0.035f, 0, 0, 1);
  li8->SetFullPole(0, 800, 0, 600);
  Menu_li8_WHaf = li8->w / 2;
  // The page line (409) pressed at x; the pointer has gone to the other half.
  auto pageClick = [li8](int x) {
    gMX = x < Menu_li8_WHaf ? li8->w - 5 : 5;
    li8->_Exe2([](int id) { if (id == 409) gEdFgr_PartFr0_UpKlik(); }, 1, x, RowY(*li8, 3));
  };
  for (int i = 0; i < 40; ++i) pageClick(li8->w - 10);
  EXPECT_EQ(gEdFgr_PartFr0, 30);  // nothing selected: still bounded
  for (int i = 0; i < 40; ++i) pageClick(10);
  EXPECT_EQ(gEdFgr_PartFr0, 0);
  // A selected object's type code bounds the page: 21 (technology box) 0..30, others 0..9.
  Fgr4 box, unit;
  int bodyA = 0, bodyB = 0;
  box.body = &bodyA;
  box.wrkNom = 21;
  unit.body = &bodyB;
  unit.wrkNom = 27;
  PlayerSelected_Now = 1;
  PlayerSelected_[1] = &unit;
  for (int i = 0; i < 40; ++i) pageClick(li8->w - 10);
  EXPECT_EQ(gEdFgr_PartFr0, 9);
  PlayerSelected_[1] = &box;
  for (int i = 0; i < 40; ++i) pageClick(li8->w - 10);
  EXPECT_EQ(gEdFgr_PartFr0, 30);
  box.body = nullptr;
  unit.body = nullptr;
  // The click side over the list, by the press: the pointer is elsewhere.
  static int side = 0;
  const struct {
    int x, side;
  } sides[] = {{5, 1}, {li8->w - 5, 2}, {li8->w / 2, 2}};  // the middle leaves the caller's side
  for (const auto& c : sides) {
    gMX = li8->w - c.x;
    li8->_Exe2([](int) { gEdFgr_GetSpe(side); }, 1, c.x, RowY(*li8, 3));
    EXPECT_EQ(side, c.side) << c.x;
  }
}
