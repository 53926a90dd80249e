// The mode machine and its frame: clamps, pending transitions, frame counter,
// reactions and the screen record's checks.
#include <gtest/gtest.h>

#include "core/core.h"
#include "shell/shell.h"
#include "ui/ui.h"

namespace {

int64_t g_nowNs;
int64_t FakeClock() { return g_nowNs; }
void SetMs(int64_t ms) { g_nowNs = ms * 1000000; }

int g_steps, g_stepResult = 1, g_smenaResult = 1, g_smenaCalls;
int Step() { ++g_steps; return g_stepResult; }
int Smena() { ++g_smenaCalls; return g_smenaResult; }

class ModeMachine : public ::testing::Test {
 protected:
  void SetUp() override {
    org2_Init();
    *o2::GSpOfGame = 1;
    sysSetMonoClock(FakeClock);
    SetMs(0);
    TimerInit();  // the monotonic counter: o2::UseQueryPF = 1
    SetMs(5000);
    root_ = new t_Root_IPPI;
    g_steps = g_smenaCalls = 0;
    g_stepResult = g_smenaResult = 1;
    gMilli_Old = gMilli_SwapEvent = 0;
    *o2::NeedScreen = 0;
    GFrameTime = 1;
    FPS0 = t_FPS{};
  }
  void TearDown() override {
    delete root_;
    sysSetMonoClock(nullptr);
    gMilli_SwapEvent = 0;
    GFrameTime = 1;
  }
  t_Root_IPPI* root_;
};

}  // namespace

TEST_F(ModeMachine, FirstChecksTheModeRange) {
  EXPECT_EQ(root_->First(0), 0);
  EXPECT_EQ(root_->First(71), 0);
  EXPECT_EQ(root_->pCur, nullptr);
  EXPECT_EQ(root_->_RunGeneral(), 0);  // no current mode yet
  ASSERT_EQ(root_->First(3), 1);
  EXPECT_EQ(root_->Get_NomTekIPPI(), 3);
  EXPECT_EQ(*o2::AktivIPPI, 3);
  EXPECT_EQ(FPS0.fps, 10);
  EXPECT_EQ(FPS0.frameMs, 1);
}

TEST_F(ModeMachine, FrameTimeAndGameSpeedAreClamped) {
  root_->SetMain(3, Step);
  root_->First(3);
  GFrameTime = 250;
  *o2::GSpOfGame = 25;
  root_->_1_FixSysErrors();
  EXPECT_EQ(GFrameTime, 100);
  EXPECT_EQ(*o2::GSpOfGame, 20);
  EXPECT_EQ(GFGameTime, 2000);
  GFrameTime = 0;
  *o2::GSpOfGame = 0;
  root_->_1_FixSysErrors();
  EXPECT_EQ(GFrameTime, 1);
  EXPECT_EQ(*o2::GSpOfGame, 1);
}

TEST_F(ModeMachine, ClockGoingBackwardsCountsAsOneMillisecond) {
  root_->SetMain(3, Step);
  root_->First(3);
  SetMs(9000);
  root_->_1_FixSysErrors();
  GFrameTime = 40;
  SetMs(8000);
  root_->_1_FixSysErrors();
  EXPECT_EQ(gMilli_SwapEvent, 1);
  EXPECT_EQ(GFrameTime, 1);
  ProcFPS(FPS0);
  EXPECT_EQ(FPS0.counted, 0);
  EXPECT_EQ(FPS0.frameMs, 1);
}

TEST_F(ModeMachine, FrameCounterAndFrameTime) {
  root_->SetMain(3, Step);
  root_->First(3);
  for (int i = 0; i < 60; ++i) {
    SetMs(5000 + 16 * (i + 1));
    ASSERT_EQ(root_->_RunGeneral(), 1);
  }
  EXPECT_EQ(g_steps, 60);
  EXPECT_EQ(GFrameTime, 16);
  SetMs(5000 + 16 * 60 + 100);
  root_->_RunGeneral();
  EXPECT_EQ(FPS0.fps, 61);  // the 60 frames of that second and the count First made
}

TEST_F(ModeMachine, StepReturningZeroEndsTheFrameEarly) {
  root_->SetMain(3, Step);
  root_->SetSmena(3, 4, Smena);
  root_->First(3);
  root_->Set_ChangeTo(4);
  g_stepResult = 0;
  EXPECT_EQ(root_->_RunGeneral(), 0);
  EXPECT_EQ(g_smenaCalls, 0);  // no change in a frame that did not finish
  g_stepResult = -1;
  EXPECT_EQ(root_->_RunGeneral(), 0);
  g_stepResult = 1;
  EXPECT_EQ(root_->_RunGeneral(), 1);
  EXPECT_EQ(root_->Get_NomTekIPPI(), 4);
  EXPECT_EQ(root_->req, -1);
  EXPECT_EQ(*o2::AktivIPPI, 4);
}

TEST_F(ModeMachine, MissingOrRefusingTransitionStaysPending) {
  root_->SetMain(4, Step);
  root_->First(4);
  root_->Set_ChangeTo(5);
  nsMKeys::n[65] = 1;
  root_->_RunGeneral();
  EXPECT_EQ(root_->Get_NomTekIPPI(), 4);
  EXPECT_EQ(root_->req, 5);
  EXPECT_EQ(nsMKeys::n[65], 0);  // the key array is cleared while a change waits
  root_->SetSmena(4, 5, Smena);
  g_smenaResult = 0;
  root_->_RunGeneral();
  EXPECT_EQ(g_smenaCalls, 1);
  EXPECT_EQ(root_->req, 5);
  g_smenaResult = 1;
  root_->_RunGeneral();
  EXPECT_EQ(root_->Get_NomTekIPPI(), 5);
  root_->Set_ChangeTo(99);  // never served
  root_->_RunGeneral();
  EXPECT_EQ(root_->req, 99);
}

TEST_F(ModeMachine, RegistrationRules) {
  root_->SetSmena(3, 4, Smena);
  root_->SetSmena(3, 4, nullptr);  // a null function keeps the earlier one
  EXPECT_EQ(root_->m[3].smena[4].fn, Smena);
  root_->SetMain(3, Step);
  root_->SetMain(3, nullptr);  // removes the step
  EXPECT_EQ(root_->m[3].step, nullptr);
  root_->SetMain(71, Step);
  root_->SetSmena(-1, 2, Smena);
  root_->First(3);
  EXPECT_EQ(root_->_RunGeneral(), 0);  // a mode without a step
}

TEST_F(ModeMachine, ManualModeSettingRequestsAChange) {
  root_->SetMain(3, Step);
  root_->SetMain(5, Step);
  root_->SetSmena(3, 5, Smena);
  root_->First(3);
  *o2::AktivIPPI = 5;
  root_->_RunGeneral();
  EXPECT_EQ(root_->Get_NomTekIPPI(), 3);  // without the manual switch the setting mirrors
  EXPECT_EQ(*o2::AktivIPPI, 3);
  *o2::ManualAktivIPPI = 1;
  *o2::AktivIPPI = 5;
  root_->_RunGeneral();
  EXPECT_EQ(root_->Get_NomTekIPPI(), 5);
}

TEST_F(ModeMachine, ShiftLikeKeysPerMode) {
  root_->First(3);
  nsMKeys::Clear_Shifts();
  EXPECT_EQ(root_->TekIPPI_KeyIsShift(16), 0);
  root_->TekIPPI_KeyLikeShift(16);
  EXPECT_EQ(root_->TekIPPI_KeyIsShift(16), 1);
  root_->TekIPPI_KeyLikeShift(400);  // outside the key codes: ignored
  EXPECT_EQ(root_->TekIPPI_KeyIsShift(400), 0);
}

TEST(Reactions, RangesAndTheFirstThreeReactions) {
  org2_Init();
  for (int n : {0, 9, 99, 500, 4999, 5000, -3}) rea(n);
  EXPECT_EQ(*o2::NeedExit, 0);
  EXPECT_EQ(*o2::HideWnd, 0);
  EXPECT_EQ(*o2::NeedScreen, 0);
  rea(1);
  rea(2);
  rea(3);
  EXPECT_EQ(*o2::NeedExit, 1);
  EXPECT_EQ(*o2::HideWnd, 1);
  EXPECT_EQ(*o2::NeedScreen, 1);
  EXPECT_EQ(ServPlusGame(0), 0);
  EXPECT_EQ(ServPlusGame(2), 1);
  EXPECT_EQ(ServPlusGame(3), 0);
}

TEST(ScreenRecord, CheckedValues) {
  org2_Init();
  t_Main_Ekran e;
  EXPECT_EQ(e.Aktiv, 1);
  EXPECT_EQ(e.Status, 1);
  e.VModeReq = 9;
  e.ClrBitsReq = 15;
  e.DepthBitsReq = 16;
  e.StencilBitsReq = 24;
  EkranCheckZna(e);
  EXPECT_EQ(e.VModeReq, 5);
  EXPECT_EQ(e.W, 1280);
  EXPECT_EQ(e.H, 1024);
  EXPECT_EQ(e.W2, 640);
  EXPECT_EQ(e.H2, 512);
  EXPECT_EQ(e.ClrBitsReq, 32);
  EXPECT_EQ(e.DepthBitsReq, 16);
  EXPECT_EQ(e.StencilBitsReq, 0);
  EXPECT_EQ(*o2::WindowNonStd, 0);
  e.VModeReq = 1;
  e.FullScreen = 1;
  EkranCheckZna(e);
  EXPECT_EQ(e.W, 960);
  EXPECT_EQ(e.FullScreen, 0);
  EXPECT_EQ(*o2::WindowNonStd, 1);
}
