// Behaviour of the scene objects without drawing: snow falls from near
// sectors and dies below the ground, posts are built, moved and refused when
// the vertex pool is full, lasers fade and free their slots, the flare's
// shine timer, the markers' sprite orders, the sound channels of selected
// objects, and the command point's tile.
#include <cstdio>
#include <set>

#include "objects/unithelp.h"
#include "objects/unitlists.h"
#include "objects/soundglue.h"
#include "render/render.h"
#include "shell/shell.h"
#include "tests/common/temp_dir.h"
#include "tests/sound/sound_fixture.h"
#include "tests/world/alloc_counter.h"
#include "objects/modesglue.h"
#include "tests/world/world_fixture.h"
#include "ui/ui.h"

namespace {

// A view frustum that is the box lo..hi.
void FrustumBox(vec3 lo, vec3 hi) {
  const float planes[6][4] = {{-1, 0, 0, hi.x}, {1, 0, 0, -lo.x}, {0, 1, 0, -lo.y},
                              {0, -1, 0, hi.y}, {0, 0, -1, hi.z}, {0, 0, 1, -lo.z}};
  for (int i = 0; i < 6; ++i)
    for (int k = 0; k < 4; ++k) Fru1.m_Frustum[i][k] = planes[i][k];
}

class SceneObjectsTest : public WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    GFrameTime = 10;
    sysSRand(1);
    glob_nowVPKam = nullptr;
    PlayerSelected_Now = 0;
    RenderM._ResetOnStartNewLap();
    poolNext_ = testGenVrt.next;
    FrustumBox(vec3(0, -100, 0), vec3(4000, 400, 4000));
  }
  void TearDown() override {
    glob_nowVPKam = nullptr;
    PlayerSelected_Now = 0;
    testGenVrt.next = poolNext_;
    test1PointVec = vec3(0, 0, 0);
    GFrameTime = 1;
    WorldTest::TearDown();
  }

  void Select(Fgr4* h) {
    PlayerSelected_Now = 1;
    PlayerSelected_[1] = h;
  }
  // The camera's eye at a point.
  void EyeAt(vec3 p) {
    cam_.eye = p;
    glob_nowVPKam = &cam_;
  }
  void Frame() {
    RenderM._ResetOnStartNewLap();
    FgrHld.Update(2, 1);
    FgrHld.DrawZkz(0, 1);
  }

  t_VPortKam cam_;
  int poolNext_ = 0;
  TempDir tmp_;  // the log lands here
};

// ---------------------------------------------------------------- snow

TEST_F(SceneObjectsTest, ANearSectorLetsSnowFallEveryHalfToWholePeriod) {
  Fgr4* h = Make(19);
  auto* s = static_cast<tw_Sektor*>(h->body);
  s->weather = 1;
  s->mb.Pos(1000, 0, 1000);
  s->mb.setGbr(100, 5, 100);
  EyeAt(vec3(1100, 60, 1100));
  // Each new flake as the sector's self update leaves it.
  std::vector<int> times;
  std::vector<vec3> starts;
  int now = 0;
  tw_Snow* last = nullptr;
  script.act = [&](Fgr4* who, int code) {
    if (who != h || code != EV_UPD_SELF || pTekSnow == last) return;
    last = pTekSnow;
    times.push_back(now);
    starts.push_back(last->Pos());
    EXPECT_EQ(last->sector, h);
  };
  for (now = 0; now < 20000; now += GFrameTime) FgrHld.Update(2, 1);
  ASSERT_GE(times.size(), 20u);
  EXPECT_EQ(times[0], 0) << "a sector that comes near spawns at once";
  for (size_t i = 1; i < times.size(); ++i) {
    EXPECT_GE(times[i] - times[i - 1], 500);
    EXPECT_LE(times[i] - times[i - 1], 1000 + GFrameTime);
  }
  std::set<float> heights;
  for (const vec3& p : starts) {
    EXPECT_GE(p.y, 82.0f);
    EXPECT_LE(p.y, 100.0f);
    EXPECT_GE(p.x, 900.0f);
    EXPECT_LE(p.x, 1100.0f);
    EXPECT_GE(p.z, 900.0f);
    EXPECT_LE(p.z, 1100.0f);
    heights.insert(p.y);
  }
  EXPECT_GT(heights.size(), 3u) << "heights are spread in steps of 2";

  // Far away, or without weather, nothing falls.
  const int flakes = Fgr4W.Snow.InUse();
  EyeAt(vec3(1300, 60, 1000));
  for (int t = 0; t < 3000; t += GFrameTime) {
    FgrHld.Update(2, 1);
    ASSERT_LE(Fgr4W.Snow.InUse(), flakes);
  }
  EyeAt(vec3(1000, 60, 1000));
  s->weather = 0;
  for (int t = 0; t < 3000; t += GFrameTime) {
    FgrHld.Update(2, 1);
    ASSERT_LE(Fgr4W.Snow.InUse(), flakes);
  }
}

TEST_F(SceneObjectsTest, AFlakeDiesInItsFirstUpdateBelowTheGround) {
  Fgr4* sector = Make(19);
  Fgr4* h = Make(11, 1);
  auto* f = static_cast<tw_Snow*>(h->body);
  EXPECT_EQ(f->row, 4);
  f->fgrSectorSet(sector);
  GFrameTime = 1;
  f->y = 0.015f;
  FgrHld.Update(2, 1);
  ASSERT_TRUE(h->Status());
  EXPECT_NEAR(f->y, 0.005f, 1e-6f);
  FgrHld.Update(2, 1);
  EXPECT_FALSE(h->Status());
  EXPECT_EQ(Fgr4W.Snow.InUse(), 0);

  // Exactly on the ground it lives.
  h = Make(11, 2);
  f = static_cast<tw_Snow*>(h->body);
  EXPECT_EQ(f->row, 2);
  f->fgrSectorSet(sector);
  f->y = 0.01f;
  FgrHld.Update(2, 1);
  EXPECT_EQ(f->y, 0.0f);
  EXPECT_TRUE(h->Status());
}

TEST_F(SceneObjectsTest, AFlakeWithoutASectorDies) {
  Fgr4* h = Make(11, 1);
  static_cast<tw_Snow*>(h->body)->y = 50;
  FgrHld.DrawZkz(0, 1);  // asks nothing through the missing link
  FgrHld.Update(2, 1);
  EXPECT_FALSE(h->Status());
  EXPECT_EQ(Fgr4W.Snow.InUse(), 0);
}

TEST_F(SceneObjectsTest, AFlakeIsDrawnOnlyWhileItsSectorIsInViewAndTheEyeNear) {
  Fgr4* sector = Make(19);
  auto* s = static_cast<tw_Sektor*>(sector->body);
  s->mb.Pos(1000, 0, 1000);
  Fgr4* h = Make(11, 1);
  auto* f = static_cast<tw_Snow*>(h->body);
  f->fgrSectorSet(sector);
  f->x = 1000, f->y = 90, f->z = 1000;
  const struct {
    vec3 lo, hi, eye;
    int queued;
  } cases[] = {
      {{900, -10, 900}, {1100, 200, 1100}, {1100, 60, 1100}, 1},
      {{900, -10, 900}, {1100, 200, 1100}, {1200, 60, 1100}, 0},  // eye farther than 190
      {{0, -10, 0}, {500, 200, 500}, {1000, 60, 1000}, 0},        // the sector out of view
  };
  for (const auto& c : cases) {
    FrustumBox(c.lo, c.hi);
    EyeAt(c.eye);
    RenderM._ResetOnStartNewLap();
    FgrHld.DrawZkz(0, 1);
    EXPECT_EQ(RenderM.quads[0].gNow(), c.queued) << c.eye.x;
  }
}

// ---------------------------------------------------------------- posts

TEST_F(SceneObjectsTest, AVariantOnePostStandsOnThePickedPoint) {
  test1PointVec = vec3(100, 5, 100);
  const int before = testGenVrt.next;
  Fgr4* h = Make(8, 1);
  ASSERT_NE(h, nullptr);
  auto* p = static_cast<tw_Stolb*>(h->body);
  EXPECT_EQ(testGenVrt.next - before, 28);
  EXPECT_FLOAT_EQ(p->r.mb.posy(), 7.0f);
  EXPECT_FLOAT_EQ(testGenVrt.pos[p->mesh[tw_Stolb::kCap].first].y, 10.0f) << "the cap's apex";
  EXPECT_FLOAT_EQ(testGenVrt.pos[p->mesh[tw_Stolb::kSpike].first].y, 4.0f) << "the spike's tip";
  EXPECT_EQ(p->mesh[tw_Stolb::kBody].klv, 0);
  const uint8_t* apex = testGenVrt.rgba[p->mesh[tw_Stolb::kCap].first];
  EXPECT_EQ(apex[0], 0);
  EXPECT_EQ(apex[1], 255);
  EXPECT_EQ(testGenVrt.rgba[p->mesh[tw_Stolb::kCap].first + 1][0], 255) << "only the apex is coloured";

  // The vertices every variant takes.
  const int want[5] = {51, 28, 146, 42, 42};
  for (int kind = 0; kind < 5; ++kind) {
    const int n = testGenVrt.next;
    ASSERT_NE(Make(8, kind), nullptr) << kind;
    EXPECT_EQ(testGenVrt.next - n, want[kind]) << kind;
    EXPECT_EQ(tw_Stolb::Vertices(kind), want[kind]);
  }
}

TEST_F(SceneObjectsTest, AFullVertexPoolRefusesAPost) {
  testGenVrt.next = t_testGenVrt::kVerts - 27;
  Fgr4* earlier = nullptr;
  pTekStolb = nullptr;
  EXPECT_EQ(FgrHld.AddWrk(8, 1, 1), 0);
  EXPECT_EQ(pTekStolb, nullptr);
  EXPECT_EQ(Fgr4W.Stolb.InUse(), 0) << "the body taken for it is free again";
  EXPECT_EQ(testGenVrt.next, t_testGenVrt::kVerts - 27) << "nothing of it was built";
  // Its handle slot is free: the next object takes it.
  Fgr4* next = Make(17);
  ASSERT_NE(next, nullptr);
  testGenVrt.next = t_testGenVrt::kVerts - 28;
  earlier = Make(8, 1);
  ASSERT_NE(earlier, nullptr) << "28 vertices still fit";
  EXPECT_EQ(testGenVrt.next, t_testGenVrt::kVerts);
}

TEST_F(SceneObjectsTest, MovingAPostMovesEveryMeshAndBoxesThem) {
  test1PointVec = vec3(100, 0, 100);
  for (int kind : {1, 4}) {
    Fgr4* h = Make(8, kind);
    auto* p = static_cast<tw_Stolb*>(h->body);
    t_MeshRec& body = p->mesh[tw_Stolb::kBody];
    if (kind == 4) {
      // The arc stands on the post, 17 up, like every other body.
      EXPECT_NEAR(body.mb.posx(), 100.0f, 4.5f);
      EXPECT_NEAR(body.mb.posz(), 100.0f, 4.5f);
      EXPECT_GT(body.mb.posy(), 17.0f);
    }
    const vec3 cap = testGenVrt.pos[p->mesh[tw_Stolb::kCap].first];
    const vec3 arc = kind == 4 ? testGenVrt.pos[body.first] : vec3(0, 0, 0);
    p->PosUpd(500, 30, 600);
    EXPECT_FLOAT_EQ(p->r.mb.posx(), 500);
    const vec3 d(400, 28, 500);
    const vec3 capNow = testGenVrt.pos[p->mesh[tw_Stolb::kCap].first];
    EXPECT_NEAR(capNow.x, cap.x + d.x, 1e-3f);
    EXPECT_NEAR(capNow.y, cap.y + d.y, 1e-3f);
    EXPECT_NEAR(capNow.z, cap.z + d.z, 1e-3f);
    if (kind == 4) {
      EXPECT_NEAR(testGenVrt.pos[body.first].x, arc.x + d.x, 1e-3f);
      EXPECT_NEAR(testGenVrt.pos[body.first].y, arc.y + d.y, 1e-3f);
    }
    if (kind == 1) {
      // Apex 3 above, tip 3 below, radius 2 round.
      EXPECT_NEAR(p->r.mb.Hf().x, 2.0f, 1e-3f);
      EXPECT_NEAR(p->r.mb.Hf().y, 3.0f, 1e-3f);
      EXPECT_NEAR(p->r.mb.Hf().z, 2.0f, 1e-3f);
    }
  }
  // Outside the map the post keeps the height it was given, raised by dy.
  Fgr4* h = Make(8, 1);
  auto* p = static_cast<tw_Stolb*>(h->body);
  p->PosUpd_SetOpora(-100, 12, -100, 3);
  EXPECT_FLOAT_EQ(p->r.mb.posy(), 15.0f);
}

TEST_F(SceneObjectsTest, APostQueuesItsMarkUntexturedAndNothingWhileSwitchedOff) {
  test1PointVec = vec3(100, 0, 100);
  Fgr4* h = Make(8, 0);
  auto* p = static_cast<tw_Stolb*>(h->body);
  p->PosUpd(100, 0, 100);
  *o2::TestFgrDrawStolb = 0;
  p->r.visible = 7;
  FgrHld.DrawZkz(0, 1);
  EXPECT_EQ(RenderM.box.gNow() + RenderM.quads[0].gNow() + RenderM.r1r2[0].gNow(), 0);
  EXPECT_EQ(p->r.visible, 7);
  *o2::TestFgrDrawStolb = 1;
  FgrHld.DrawZkz(0, 1);
  EXPECT_EQ(p->r.visible, 1);
  ASSERT_EQ(RenderM.box.gNow(), 1);
  EXPECT_EQ(RenderM.box.Head(1)->key.k[0], 0) << "texture mode 0: untextured";
  EXPECT_EQ(RenderM.quads[0].gNow(), 1);
  EXPECT_EQ(RenderM.r1r2[0].gNow(), 1) << "the cap";
  EXPECT_EQ(RenderM.r1r2[1].gNow(), 1) << "the body";
  int first = -1, count = -1;
  uint16_t cap = tw_Stolb::kCap;
  h->Event(EV_RENDER_ARR, &first, &count, &cap);
  EXPECT_EQ(first, p->mesh[tw_Stolb::kCap].first);
  EXPECT_EQ(count, 11);
  const void* ind = nullptr;
  uint16_t body = tw_Stolb::kBody;
  h->Event(EV_RENDER_ELEM, &ind, &count, &body);
  EXPECT_EQ(ind, p->mesh[tw_Stolb::kBody].ind);
  EXPECT_EQ(count, 3 * (2 * 9 + 4));
  *o2::TestFgrDrawStolb = 0;
}

// ---------------------------------------------------------------- lasers

TEST_F(SceneObjectsTest, AShotFadesInSixtyFourStepsAndFreesItsSlot) {
  DekorCrt_Laser(vec3(1, 2, 3), vec3(40, 2, 3), 0, 255);
  ASSERT_NE(pTekLaser, nullptr);
  tw_Laser* l = pTekLaser;
  Fgr4* h = l->owner;
  EXPECT_FLOAT_EQ(l->endPoint.x, 40);
  EXPECT_FLOAT_EQ(l->mb.posx(), 1);
  GFrameTime = 24;
  for (int step = 1; step <= 64; ++step) {
    FgrHld.Update(2, 1);
    ASSERT_TRUE(h->Status()) << step;
    EXPECT_EQ(l->brightness, step < 64 ? 255 - 4 * step : 0);
  }
  FgrHld.Update(2, 1);
  EXPECT_FALSE(h->Status());
  EXPECT_EQ(Fgr4W.Laser.InUse(), 0);

  DekorCrt_Laser(vec3(1, 2, 3), vec3(40, 2, 3), 0, 0);
  h = pTekLaser->owner;
  FgrHld.Update(2, 1);
  EXPECT_FALSE(h->Status()) << "a dark shot dies in its first update";
}

TEST_F(SceneObjectsTest, TwentyFiveThousandShotsInARowAllGetSlots) {
  GFrameTime = 16;
  int made = 0;
  for (int shot = 0; shot < 25000; ++shot) {
    pTekLaser = nullptr;
    DekorCrt_Laser(vec3(100, 2, 100), vec3(140, 2, 100), 0, 255);
    made += pTekLaser != nullptr;
    FgrHld.Update(2, 1);
  }
  EXPECT_EQ(made, 25000);
  // A 24 ms fade period takes two 16 ms frames: each shot lives 130 frames.
  EXPECT_LE(Fgr4W.Laser.InUse(), 130);
}

// ---------------------------------------------------------------- flares

TEST_F(SceneObjectsTest, TheFlareBlinksThroughItsDarkPhasesAndSwitchesOff) {
  Fgr4* h = Make(7, 1);
  auto* f = static_cast<tw_Flr2*>(h->body);
  f->onTime = 100;
  f->offTime = 50;
  f->blinkCount = f->blinkReload = 2;
  // Per 10 ms frame: shining (s), dark (d) or off (o).
  std::string phases;
  for (int t = 0; t < 500; t += GFrameTime) {
    h->Event(EV_UPD_SELF);
    phases += f->shining <= 0 ? 'o' : f->offCountdown ? 'd' : 's';
  }
  // Runs of equal phases: shining about 100 ms, dark about 50 ms, twice,
  // a last shining phase, then off for good.
  std::vector<std::pair<char, int>> runs;
  for (char c : phases) {
    if (runs.empty() || runs.back().first != c) runs.push_back({c, 0});
    ++runs.back().second;
  }
  ASSERT_EQ(runs.size(), 6u) << phases;
  const char want[] = "sdsdso";
  for (size_t i = 0; i < runs.size(); ++i) {
    EXPECT_EQ(runs[i].first, want[i]) << phases;
    if (want[i] == 's' && i) {
      EXPECT_NEAR(runs[i].second, 10, 1) << phases;
    }
    if (want[i] == 'd') {
      EXPECT_NEAR(runs[i].second, 5, 1) << phases;
    }
  }
  EXPECT_EQ(runs[0].second, 10) << phases;
  EXPECT_EQ(f->blinkCount, 2) << "reloaded when it switched off";

  // With no blink left it switches off at the end of its first phase.
  h = Make(7, 1);
  f = static_cast<tw_Flr2*>(h->body);
  f->onTime = 100;
  f->blinkCount = 0;
  for (int t = 0; t < 110; t += GFrameTime) h->Event(EV_UPD_SELF);
  EXPECT_EQ(f->shining, 0);
}

TEST_F(SceneObjectsTest, AShiningFlareBrightensAndIsQueuedADarkOneFadesOut) {
  *o2::TestFgrDrawFlare = 1;
  Fgr4* h = Make(7, 1);
  auto* f = static_cast<tw_Flr2*>(h->body);
  f->onTime = 1000;
  f->offTime = 100000;
  const float start = f->brightness;
  h->Event(EV_UPD_SELF);
  EXPECT_GT(f->brightness, start);
  FgrHld.DrawZkz(0, 1);
  EXPECT_EQ(RenderM.quads[3].gNow(), 1);
  for (int t = 0; t < 1000; t += GFrameTime) h->Event(EV_UPD_SELF);
  ASSERT_GT(f->offCountdown, 0);
  // Dark: each draw fades it and queues it while it is above 0.05.
  int queued = 0;
  for (int i = 0; i < 300; ++i) {
    RenderM._ResetOnStartNewLap();
    FgrHld.DrawZkz(0, 1);
    queued += RenderM.quads[3].gNow();
  }
  EXPECT_LT(f->brightness, 0.05f);
  EXPECT_GT(queued, 5);
  EXPECT_LT(queued, 300);
  h->Event(EV_DRAW);
  EXPECT_EQ(RenderM.quads[3].gNow(), 0);
  f->SkipDraw();
  f->offCountdown = 0;
  RenderM._ResetOnStartNewLap();
  h->Event(EV_DRAW);
  EXPECT_EQ(RenderM.quads[3].gNow(), 0) << "a skipped draw queues nothing";
  EXPECT_EQ(f->skipDraw, 0);
  *o2::TestFgrDrawFlare = 0;
}

// ---------------------------------------------------------------- markers

TEST_F(SceneObjectsTest, TheTailMarkerQueuesItsSpriteOnlyWhenSelectedAndInView) {
  Fgr4* h = Make(16);
  auto* t = static_cast<tw_TailStrip*>(h->body);
  t->p.m.mb.Pos(100, 10, 100);
  FrustumBox(vec3(0, 0, 0), vec3(200, 200, 200));
  const struct {
    bool selected;
    vec3 at;
    int boxes, sprites;
  } cases[] = {{false, {100, 10, 100}, 0, 0}, {true, {100, 10, 100}, 1, 1}, {true, {600, 10, 600}, 0, 0}};
  for (const auto& c : cases) {
    PlayerSelected_Now = 0;
    if (c.selected) Select(h);
    t->p.m.mb.Pos(c.at);
    Frame();
    EXPECT_EQ(RenderM.box.gNow(), c.boxes) << c.selected << " " << c.at.x;
    EXPECT_EQ(RenderM.quads[0].gNow(), c.sprites) << c.selected << " " << c.at.x;
    EXPECT_EQ(t->p.m.visible, c.at.x < 200 ? 1 : 0);
  }
  // A created satellite is never drawn.
  Fgr4* sat = Make(22);
  EXPECT_EQ(sat->draw, 0);
}

// ---------------------------------------------------------------- sound

TEST_F(SceneObjectsTest, AnUnselectedObjectMarksItsChannelFarEveryUpdate) {
  for (int type : {17, 13, 14}) {
    Fgr4* h = Make(type);
    int channel = 3, prio = 0, mode = 2, ex = 1;
    h->Event(EV_SOUND_CHANNEL, &channel);
    h->Event(EV_SOUND_PRIORITY, &prio);
    EXPECT_EQ(prio, 1) << type;
    for (int i = 0; i < 3; ++i) {
      ZSrcMainKot_Dst[3] = 10.0f;
      h->Event(EV_UPD, &mode, &ex);
      EXPECT_EQ(ZSrcMainKot_Dst[3], 5003.0f) << type;
    }
    ZSrcMainKot_Dst[3] = 10.0f;
    ex = 0;
    h->Event(EV_UPD, &mode, &ex);
    EXPECT_EQ(ZSrcMainKot_Dst[3], 10.0f) << type << ": only the extra update";
    h->Kill(1);
  }
  // A trigger whose sound is switched off lets its channel go the same way.
  Fgr4* trig = Make(10);
  int channel = 5, mode = 2, ex = 1;
  trig->Event(EV_SOUND_CHANNEL, &channel);
  ZSrcMainKot_Dst[5] = 10.0f;
  trig->Event(EV_UPD, &mode, &ex);
  EXPECT_EQ(ZSrcMainKot_Dst[5], 5003.0f);
  ZSrcMainKot_Dst[3] = ZSrcMainKot_Dst[5] = 0.0f;
}

TEST_F(SceneObjectsTest, ATriggerPlaysItsSoundOncePerSwitchOn) {
  // Sound on: the trigger's sound (group 0, index 3) is a 60 ms beep.
  org2_Init();
  orgF_Init();
  ZSrcChain_zz_Init();
  sndtest::WriteFile("beep.wav", sndtest::WavBytes(60));
  sndtest::WriteFile("list.txt", sndtest::ListText(0, 4, {{0, 1, "none"}, {1, 0, "beep.wav"}, {2, 0, "beep.wav"}, {3, 0, "beep.wav"}}));
  std::snprintf(general_zvu_list0, sizeof general_zvu_list0, "list.txt");
  ASSERT_EQ(StartOpenAL(), 1) << sndtest::ReadFile("log.txt");
  Fgr4* h = Make(10);
  auto* trig = static_cast<tw_Trig1*>(h->body);
  trig->mb.Pos(10, 0, 0);  // beside the listener
  int mode = 2, ex = 1;
  auto update = [&] { h->Event(EV_UPD, &mode, &ex); };
  // Runs the channel updates until the beep has ended and its channel is free.
  auto playOut = [&](int channel) {
    EXPECT_TRUE(sndtest::WaitWhilePlaying(ZSrcMainKot[channel]));
    ZSrcMainKot_StartKadrProc();
  };
  for (int switchOn = 0; switchOn < 2; ++switchOn) {
    trig->soundSwitch = 1;
    update();
    const int channel = trig->soundChannel;
    ASSERT_GE(channel, 0) << "switch-on " << switchOn;
    EXPECT_EQ(ZSrcMainKot_pFgr[channel], h);
    playOut(channel);
    EXPECT_EQ(trig->soundChannel, -1) << "the ended beep gave its channel back";
    for (int i = 0; i < 5; ++i) {
      update();
      EXPECT_EQ(trig->soundChannel, -1) << "switch-on " << switchOn << ", update " << i << ": played again";
      EXPECT_FALSE(ZSrc_IsPlaying(ZSrcMainKot[channel]));
    }
    trig->soundSwitch = 0;
    update();
  }
  KillALData();
}

// ---------------------------------------------------------------- command point

TEST_F(SceneObjectsTest, ACommandPointHoldsTheTileUnderItOnAServer) {
  walkabil_Init();
  Fgr4* h = Make(2);
  auto* k = static_cast<tw_Kmd3*>(h->body);
  k->mb.Pos(110, 0, 130);  // tile x 5, z 6
  int mode = 0, flag = 0;
  h->Event(EV_UPD_SELF, &mode, &flag);
  EXPECT_EQ(k->regTile, -1) << "a client registers nothing";
  mode = 2;
  h->Event(EV_UPD_SELF, &mode, &flag);
  EXPECT_EQ(k->regTile, 6 * 200 + 5);
  EXPECT_EQ(walkability2345Land[5][6], 1);
  k->mb.Pos(150, 0, 130);  // it follows its position
  h->Event(EV_UPD_SELF, &mode, &flag);
  EXPECT_EQ(walkability2345Land[5][6], 0);
  EXPECT_EQ(walkability2345Land[7][6], 1);
  h->Event(EV_DEACT);
  EXPECT_EQ(walkability2345Land[7][6], 0);
  EXPECT_EQ(k->regTile, -1);
  EXPECT_EQ(h->active, 0);
}

// ---------------------------------------------------------------- no allocation

TEST_F(SceneObjectsTest, FramesOfEveryKindDoNotAllocate) {
  *o2::TestFgrDrawStolb = *o2::TestFgrDrawFlare = 1;
  *o2::AktivIPPI = 5;  // the editor's frames and marks too
  EyeAt(vec3(1000, 60, 1000));
  Fgr4* sector = Make(19);
  auto* s = static_cast<tw_Sektor*>(sector->body);
  s->weather = 1;
  s->mb.Pos(1000, 0, 1000);
  s->mb.setGbr(100, 5, 100);
  test1PointVec = vec3(1000, 0, 1010);
  for (int kind = 0; kind < 5; ++kind) Make(8, kind);
  for (int type : {2, 7, 9, 10, 12, 13, 14, 16, 17, 18, 22}) {
    Fgr4* h = Make(type, 1);
    ASSERT_NE(h, nullptr) << type;
    h->draw = 1;
    PlayerSelected_[++PlayerSelected_Now] = h;
  }
  pTekTrig1->soundSwitch = 1;
  auto frame = [&] {
    DekorCrt_Laser(vec3(1000, 2, 1000), vec3(1010, 2, 1000), 0, 255);
    NowIn_masSvetik = NowIn_masLandSvetik = 0;
    Frame();
    for (int q : {0, 1}) {
      for (int b = 1; b <= tzkz_Quads::kBuckets && RenderM.quads[q].Head(b); ++b) {
        MSpr_TekV = 0;
        for (const Quads1_rec* r = RenderM.quads[q].Head(b); r; r = r->next) {
          uint16_t param = r->param;
          Fgr4_Event(r->owner, EV_RENDER_SPR, &param);
        }
      }
    }
  };
  // Snowflakes live about 9 s: 15 s brings the work lists to their working size.
  for (int i = 0; i < 1500; ++i) frame();
  const long before = HeapAllocations();
  for (int i = 0; i < 300; ++i) frame();
  EXPECT_EQ(HeapAllocations() - before, 0);
  EXPECT_GT(Fgr4W.Snow.InUse(), 5);
  EXPECT_GT(Fgr4W.Laser.InUse(), 50);
  *o2::TestFgrDrawStolb = *o2::TestFgrDrawFlare = 0;
  *o2::AktivIPPI = 0;
}

}  // namespace
