// The 12 positional channels: distance, priority, owners told of every change.
#include "tests/sound/sound_fixture.h"

using namespace sndtest;

namespace {

class ChannelTest : public SoundTest {
 protected:
  void SetUp() override {
    SoundTest::SetUp();
    ASSERT_EQ(StartDefault(), 1);
  }
  // Asks for a looping long tone at pos.
  int Ask(Fgr4* owner, vec3 pos) { return ZSrcMainKot_Zakaz(owner, pos, 0, 2, 1, 1.0f, 1.0f); }
  // Fills all twelve channels; channel i at distance dist(i), owned when
  // owned is set (priority prio).
  std::vector<Fgr4*> Fill(float (*dist)(int), bool owned, int prio) {
    std::vector<Fgr4*> hs;
    for (int i = 0; i <= ZSrcMainKot_Last; ++i) {
      vec3 p(dist(i), 0, 0);
      Fgr4* h = owned ? NewOwner(p, prio) : nullptr;
      EXPECT_EQ(Ask(h, p), 1) << i;
      hs.push_back(h);
    }
    return hs;
  }
  static float Spread(int i) { return 100.0f + 10.0f * i; }  // farthest: 11 at 210
};

}  // namespace

TEST_F(ChannelTest, HearingLimitIsFiveHundredInclusive) {
  Fgr4* a = NewOwner(vec3(500, 0, 0));
  EXPECT_EQ(Ask(a, vec3(500.0f, 0, 0)), 1);
  EXPECT_EQ(owners[a].told, std::vector<int>{0});
  EXPECT_EQ(ZSrcMainKot_pFgr[0], a);
  EXPECT_FLOAT_EQ(ZSrcMainKot_Dst[0], 500.0f);
  EXPECT_EQ(Ask(NewOwner(vec3(500.01f, 0, 0)), vec3(500.01f, 0, 0)), 0);
  EXPECT_EQ(Ask(nullptr, vec3(0, 0, -500.01f)), 0);
  EXPECT_EQ(Ask(nullptr, vec3(NAN, 0, 0)), 0);
  EXPECT_EQ(ZSrc_IsPlaying(ZSrcMainKot[1]), 0);
  // measured from the listener
  SetListener(vec3(400, 0, 0), vec3(0, 0, 0), vec3(0, 0, -1), vec3(0, 1, 0));
  EXPECT_EQ(Ask(nullptr, vec3(850, 0, 0)), 1);
  EXPECT_FLOAT_EQ(ZSrcMainKot_Dst[1], 450.0f);
}

TEST_F(ChannelTest, AnOwnersEndMarkFreesItsChannelAndTellsIt) {
  Fgr4* a = NewOwner(vec3(10, 0, 0));
  ASSERT_EQ(Ask(a, vec3(10, 0, 0)), 1);
  ZSrcMainKot_StartKadrProc();
  EXPECT_EQ(owners[a].updates, 1);
  ZSrcMainKot_Dst[0] = kZvuEndDst;
  ZSrcMainKot_StartKadrProc();
  EXPECT_EQ(owners[a].told, (std::vector<int>{0, -1}));
  EXPECT_EQ(ZSrcMainKot_pFgr[0], nullptr);
  EXPECT_FLOAT_EQ(ZSrcMainKot_Dst[0], kZvuFreeDst);
  EXPECT_FALSE(ZSrc_IsPlaying(ZSrcMainKot[0]));
  EXPECT_EQ(owners[a].updates, 1);
}

TEST_F(ChannelTest, TheUpdateFollowsOwnersAndFreesFarAndDeadOnes) {
  Fgr4* near = NewOwner(vec3(30, 0, 40));
  Fgr4* leaving = NewOwner(vec3(100, 0, 0));
  Fgr4* dying = NewOwner(vec3(0, 0, 100));
  for (Fgr4* h : {near, leaving, dying}) ASSERT_EQ(Ask(h, owners[h].pos), 1);
  owners[near].pos = vec3(0, 60, 80);
  owners[leaving].pos = vec3(600, 0, 0);
  dying->Kill(1);
  ZSrcMainKot_StartKadrProc();
  EXPECT_FLOAT_EQ(ZSrcMainKot_Dst[0], 100.0f);
  EXPECT_EQ(owners[near].updates, 1);
  ALfloat p[3] = {};
  alGetSourcefv(ZSrcMainKot[0], AL_POSITION, p);
  EXPECT_FLOAT_EQ(p[2], 80.0f);  // the owner pushed its position by event 38
  EXPECT_EQ(owners[leaving].told, (std::vector<int>{1, -1}));
  EXPECT_EQ(owners[leaving].updates, 0);
  EXPECT_EQ(ZSrcMainKot_pFgr[1], nullptr);
  EXPECT_EQ(ZSrcMainKot_pFgr[2], nullptr);
  EXPECT_FALSE(ZSrc_IsPlaying(ZSrcMainKot[2]));
  EXPECT_TRUE(ZSrc_IsPlaying(ZSrcMainKot[0]));
}

TEST_F(ChannelTest, ASoundThatEndsByItselfLetsItsOwnerGo) {
  Fgr4* a = NewOwner(vec3(10, 0, 0));
  ASSERT_EQ(ZSrcMainKot_Zakaz(a, vec3(10, 0, 0), 0, 1, 0, 1.0f, 1.0f), 1);  // 60 ms, no loop
  ASSERT_TRUE(WaitWhilePlaying(ZSrcMainKot[0]));
  ZSrcMainKot_StartKadrProc();
  EXPECT_EQ(owners[a].told, (std::vector<int>{0, -1}));
  EXPECT_EQ(ZSrcMainKot_pFgr[0], nullptr);
  // the next requester gets the channel without the old owner hearing of it again
  Fgr4* b = NewOwner(vec3(20, 0, 0));
  ASSERT_EQ(Ask(b, vec3(20, 0, 0)), 1);
  EXPECT_EQ(owners[b].told, std::vector<int>{0});
  EXPECT_EQ(owners[a].told.size(), 2u);
}

TEST_F(ChannelTest, AThirteenthRequestTakesTheFarthestByDistanceOrPriority) {
  const struct {
    const char* what;
    bool holdersOwned;
    int holderPrio;
    bool asker;  // false: no owner
    int askerPrio;
    float askerDist;
    int want;
  } cases[] = {
      {"nearer than the farthest", true, 9, true, 0, 200.0f, 1},
      {"nearer, without owner", true, 9, false, 0, 200.0f, 1},
      {"as far, higher priority", true, 3, true, 5, 210.0f, 1},
      {"farther, higher priority", true, 3, true, 5, 300.0f, 1},
      {"farther, equal priority", true, 5, true, 5, 300.0f, 0},
      {"farther, lower priority", true, 6, true, 5, 300.0f, 0},
      {"farther, without owner", true, 0, false, 0, 300.0f, 0},
      {"farther, channel has no owner", false, 0, true, -7, 300.0f, 1},
  };
  for (const auto& c : cases) {
    ZSrc_ResetOnStartLevel();
    std::vector<Fgr4*> holders = Fill(Spread, c.holdersOwned, c.holderPrio);
    Fgr4* asker = c.asker ? NewOwner(vec3(0, 0, c.askerDist), c.askerPrio) : nullptr;
    EXPECT_EQ(Ask(asker, vec3(0, 0, c.askerDist)), c.want) << c.what;
    Fgr4* loser = holders[ZSrcMainKot_Last];
    EXPECT_EQ(ZSrcMainKot_pFgr[ZSrcMainKot_Last], c.want ? asker : loser) << c.what;
    if (loser) {
      std::vector<int> told{ZSrcMainKot_Last};
      if (c.want) told.push_back(-1);
      EXPECT_EQ(owners[loser].told, told) << c.what;
    }
    if (asker) {
      std::vector<int> told;
      if (c.want) told.push_back(ZSrcMainKot_Last);
      EXPECT_EQ(owners[asker].told, told) << c.what;
    }
    for (int i = 0; i < ZSrcMainKot_Last; ++i) EXPECT_EQ(ZSrcMainKot_pFgr[i], holders[i]) << c.what << i;
  }
}

TEST_F(ChannelTest, NearChannelsAreNeverTakenAndTiesGoToTheLowestNumber) {
  Fill([](int i) { return 10.0f + i * 4.0f; }, true, 0);  // all below 64
  EXPECT_EQ(Ask(NewOwner(vec3(1, 0, 0), 100), vec3(1, 0, 0)), 0);
  ZSrc_ResetOnStartLevel();
  Fill([](int i) { return i < 3 ? 300.0f : 100.0f; }, false, 0);
  ASSERT_EQ(Ask(nullptr, vec3(0, 0, 200)), 1);
  EXPECT_FLOAT_EQ(ZSrcMainKot_Dst[0], 200.0f);
  EXPECT_FLOAT_EQ(ZSrcMainKot_Dst[1], 300.0f);
}

TEST_F(ChannelTest, MuteZeroesTheListenerAndRefusesRequests) {
  Fgr4* a = NewOwner(vec3(10, 0, 0));
  ASSERT_EQ(Ask(a, vec3(10, 0, 0)), 1);
  auto gain = [] {
    ALfloat g = -1;
    alGetListenerf(AL_GAIN, &g);
    return g;
  };
  *o2::SoundMute = 1;
  ZSrcMainKot_StartKadrProc();
  EXPECT_FLOAT_EQ(gain(), 0.0f);
  EXPECT_EQ(Ask(nullptr, vec3(1, 0, 0)), 0);
  ZSrcMainKot_StartKadrProc();
  EXPECT_EQ(owners[a].updates, 0);  // nothing else runs while muted
  *o2::SoundMute = 0;
  ZSrcMainKot_StartKadrProc();
  EXPECT_FLOAT_EQ(gain(), 1.0f);
  EXPECT_EQ(owners[a].updates, 1);
  EXPECT_EQ(Ask(nullptr, vec3(1, 0, 0)), 1);
}

TEST_F(ChannelTest, FreeingIgnoresChannelsOutsideTheTable) {
  for (int ch : {-1, 12, 1000}) ZSrcMainKot_FreeKan(ch);
  ZSrcMainKot_FreeKan(3);
  EXPECT_FLOAT_EQ(ZSrcMainKot_Dst[3], kZvuFreeDst);
}
