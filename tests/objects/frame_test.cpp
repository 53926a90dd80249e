// The frame every object type follows: entry rules, creation and kill steps,
// the current-object pointers and the constant answers.
#include <gtest/gtest.h>

#include "tests/world/world_fixture.h"

using FrameTest = WorldTest;

namespace {

int Ask(Fgr4* h, int code, int preset = -7) {
  int v = preset;
  h->Event(code, &v);
  return v;
}

}  // namespace

TEST_F(FrameTest, FreeBodyAnswersNothing) {
  tw_Dekor body;  // owner null: a free pool slot
  int v = -7;
  Fgr4_Event_LastCallToDeadFgr = 0;
  body.OnEvent(EV_IS_ACTIVE, &v, nullptr, nullptr, nullptr);
  EXPECT_EQ(Fgr4_Event_LastCallToDeadFgr, 2);
  EXPECT_EQ(v, -7);
}

TEST_F(FrameTest, CodesAboveTheMaximumAreIgnored) {
  Fgr4* kno = Make(3);  // maximum 23
  EXPECT_EQ(Ask(kno, 30), -7);
  EXPECT_EQ(Ask(kno, 42), -7);
  EXPECT_EQ(Fgr4_Event_LastCallToDeadFgr, 0);
  EXPECT_EQ(Ask(kno, EV_IS_ACTIVE, 0), 1);
}

TEST_F(FrameTest, InactiveObjectLeavesTheAnswerUntouched) {
  Fgr4* h = Make(24);
  h->Event(EV_DEACT);
  EXPECT_EQ(Ask(h, EV_IS_ACTIVE), -7);
}

TEST_F(FrameTest, TerrainHolderAnswersOnlyIsActive) {
  Fgr4 h;
  ASSERT_EQ(h.Init(20, 0, 1, nullptr), 1);
  EXPECT_EQ(h.active, 0);            // no creation step
  EXPECT_EQ(pTekLand, nullptr);      // never made current
  EXPECT_EQ(Ask(&h, 29), -7);
  EXPECT_EQ(Ask(&h, EV_IS_ACTIVE, 0), 0);
  h.active = 1;
  EXPECT_EQ(Ask(&h, EV_IS_ACTIVE, 0), 1);
  h.Kill(1);                         // no kill step: the handle frees the body
  EXPECT_EQ(Fgr4W.Land.InUse(), 0);
}

// Cameras, screen frames and lights answer no kill step of their own (lights
// ignore deactivation too); killing their handle gives their pool slot back
// all the same, as for a type that has one.
TEST_F(FrameTest, KillFreesTheBodyWithOrWithoutAKillStep) {
  Fgr4* light = Make(9);
  ASSERT_NE(light, nullptr);
  light->Event(EV_DEACT);
  EXPECT_EQ(light->active, 1);
  light->Kill(1);
  for (int type : {1, 17}) {
    Fgr4* h = Make(type);
    ASSERT_NE(h, nullptr) << type;
    h->Kill(1);
  }
  EXPECT_EQ(Fgr4W.Fotik.InUse(), 0);
  EXPECT_EQ(Fgr4W.Svet1.InUse(), 0);
  EXPECT_EQ(Fgr4W.Dekor.InUse(), 0);
  const int frames = Fgr4W.ScrFrm.InUse();
  Fgr4 frame;
  ASSERT_EQ(frame.Init(4, 0, 0, nullptr), 1);
  EXPECT_EQ(Fgr4W.ScrFrm.InUse(), frames + 1);
  frame.Sbros();
  EXPECT_EQ(Fgr4W.ScrFrm.InUse(), frames);
}

TEST_F(FrameTest, CreationSetsCategoryDrawAndActive) {
  LoadDefaultUnitTables();
  const struct {
    int type, category, draw;
  } want[] = {{1, 4, 0},  {2, 2, 0},  {3, 1, 1},  {5, 3, 1},  {6, 3, 1},  {7, 3, 1},  {8, 2, 1},  {9, 2, 0},
              {10, 2, 1}, {11, 4, 1}, {12, 4, 1}, {13, 2, 0}, {14, 2, 0}, {15, 2, 1}, {16, 2, 1},
              {17, 2, 1}, {18, 2, 0}, {19, 2, 1}, {21, 2, 1}, {22, 2, 0}, {25, 3, 1}, {26, 3, 1},
              {27, 3, 1}};
  for (const auto& w : want) {
    Fgr4* h = Make(w.type, w.type == 27 ? 1 : (w.type == 5 ? 2 : 0));
    ASSERT_NE(h, nullptr) << w.type;
    EXPECT_EQ(h->SaveCategory, w.category) << w.type;
    EXPECT_EQ(h->draw, w.draw) << w.type;
    EXPECT_EQ(h->active, 1) << w.type;
  }
  Fgr4* frame = &FgrHld.fgrs[FgrHld.firstScrFrm];
  EXPECT_EQ(frame->SaveCategory, 0);
  EXPECT_EQ(frame->draw, 0);
  EXPECT_FLOAT_EQ(static_cast<tw_ScrFrm*>(frame->body)->angle, 1.0f);
}

TEST_F(FrameTest, LoadingMakesCurrentOnlyWhenAsked) {
  Fgr4* h = Make(17);
  pTekDekor = nullptr;
  FILE* f = nullptr;
  int kind = 0, cur = 0;
  h->Event(EV_LOAD, &f, &kind, &cur);
  EXPECT_EQ(pTekDekor, nullptr);
  cur = 1;
  h->Event(EV_LOAD, &f, &kind, &cur);
  EXPECT_EQ(pTekDekor, h->body);
}

TEST_F(FrameTest, ConstantAnswers) {
  const struct {
    int type, c28, c29, c30, c40, c41;
  } want[] = {
      {1, 0, 1, 0, -7, -7},   {4, -7, 0, 1, -7, -7}, {5, 0, 0, 1, 0, 5},    {6, 0, 0, 1, 0, 6},
      {7, 0, 1, 0, 0, 0},     {8, 0, 0, 1, 8, 0},    {9, -7, 1, 0, -7, -7},
      {11, 0, 1, 0, -7, -7},  {17, 0, 0, 1, -7, -7}, {25, 1, 0, 1, -7, -7},
      {27, 0, 0, 1, 0, 27},
  };
  LoadDefaultUnitTables();
  for (const auto& w : want) {
    Fgr4* h;
    if (w.type == 4) {
      h = &FgrHld.fgrs[FgrHld.firstScrFrm];
    } else {
      h = Make(w.type, w.type == 27 ? 1 : (w.type == 5 ? 2 : 0));
    }
    ASSERT_NE(h, nullptr) << w.type;
    EXPECT_EQ(Ask(h, 28), w.c28) << w.type;
    EXPECT_EQ(Ask(h, 29), w.c29) << w.type;
    EXPECT_EQ(Ask(h, 30), w.c30) << w.type;
    EXPECT_EQ(Ask(h, 40), w.c40) << w.type;
    EXPECT_EQ(Ask(h, 41), w.c41) << w.type;
  }
}

TEST_F(FrameTest, CameraIsOnNoSide) {
  Fgr4* cam = Make(1);
  int side = 1, answer = 5;
  cam->Event(31, &side, &answer);
  EXPECT_EQ(answer, 0);
}
