// Start-up, the source functions, the chains and the mode switches on the
// null backend.
#include <AL/alext.h>

#include "tests/sound/sound_fixture.h"

using namespace sndtest;

namespace {

using SourceTest = SoundTest;

// Stops and restarts the device's mixer: while it is held no sound advances,
// so a source that plays goes on playing and one that has stopped stays so.
class Mixer {
 public:
  Mixer()
      : pause_(reinterpret_cast<LPALCDEVICEPAUSESOFT>(alcGetProcAddress(pDevice, "alcDevicePauseSOFT"))),
        resume_(reinterpret_cast<LPALCDEVICERESUMESOFT>(alcGetProcAddress(pDevice, "alcDeviceResumeSOFT"))) {}
  bool Ok() const { return pause_ && resume_; }
  void Hold() { pause_(pDevice); }
  // Lets the mixer run until the source has played out, then holds it again.
  bool PlayOut(unsigned source) {
    resume_(pDevice);
    const bool out = WaitWhilePlaying(source);
    pause_(pDevice);
    return out;
  }

 private:
  LPALCDEVICEPAUSESOFT pause_;
  LPALCDEVICERESUMESOFT resume_;
};

}  // namespace

TEST_F(SourceTest, StartUpMakesSixteenSourcesAndPlacesTheListener) {
  *o2::FirstTimeAL = 1;
  ASSERT_EQ(StartDefault(), 1);
  EXPECT_EQ(*o2::FirstTimeAL, 0);
  EXPECT_EQ(Glob_klvSndKan, kSndKanProbe);
  for (unsigned s : ZSrcChain) EXPECT_EQ(SrcInt(s, AL_SOURCE_RELATIVE), AL_TRUE);
  for (unsigned s : ZSrcHero) EXPECT_EQ(SrcInt(s, AL_SOURCE_RELATIVE), AL_TRUE);
  for (unsigned s : ZSrcMainKot) {
    EXPECT_EQ(SrcInt(s, AL_SOURCE_RELATIVE), AL_FALSE);
    EXPECT_FLOAT_EQ(SrcFloat(s, AL_ROLLOFF_FACTOR), 0.001f);
    EXPECT_FLOAT_EQ(SrcFloat(s, AL_REFERENCE_DISTANCE), 25.0f);
  }
  ALfloat gain = 0, ori[6] = {};
  alGetListenerf(AL_GAIN, &gain);
  alGetListenerfv(AL_ORIENTATION, ori);
  EXPECT_FLOAT_EQ(gain, 1.0f);
  EXPECT_FLOAT_EQ(ori[2], -1.0f);
  EXPECT_FLOAT_EQ(ori[4], 1.0f);
  EXPECT_FLOAT_EQ(alGetFloat(AL_DOPPLER_VELOCITY), 343.0f);
  KillALData();
  EXPECT_EQ(pDevice, nullptr);
  EXPECT_EQ(*o2::SoundE, 0);
  EXPECT_EQ(ZSrcChain[0], 0u);
}

TEST_F(SourceTest, StatesOfASource) {
  ASSERT_EQ(StartDefault(), 1);
  unsigned s = ZSrcHero[0];
  EXPECT_EQ(ZSrc_State(s), 1);
  ZSrc_SetBuf(s, 0, 2);
  alSourcePlay(s);
  EXPECT_EQ(ZSrc_State(s), 2);
  EXPECT_EQ(ZSrc_IsPlaying(s), 1);
  alSourcePause(s);
  EXPECT_EQ(ZSrc_State(s), 3);
  alSourceStop(s);
  EXPECT_EQ(ZSrc_State(s), 4);
  EXPECT_EQ(ZSrc_State(0xBAD), 0);
  EXPECT_EQ(Zvu_PlayPro1(1, s), 1);
  EXPECT_EQ(Zvu_PlayPro1(1, s), 0);  // already playing
  unsigned copy = s;
  EXPECT_EQ(ZSrc_KillSrc(&ZSrcHero[0]), 1);
  EXPECT_EQ(ZSrcHero[0], 0u);
  EXPECT_FALSE(alIsSource(copy));
  EXPECT_EQ(ZSrc_KillSrc(&ZSrcHero[0]), 0);
}

TEST_F(SourceTest, APendingErrorSilencesOneCallAndIsCleared) {
  ASSERT_EQ(StartDefault(), 1);
  alSourcef(0xDEAD, AL_GAIN, 1.0f);
  EXPECT_EQ(ZSrc_Gain(ZSrcHero[1], 0.5f), 0);
  EXPECT_EQ(ZSrc_Gain(ZSrcHero[1], 0.5f), 1);
  EXPECT_FLOAT_EQ(SrcFloat(ZSrcHero[1], AL_GAIN), 0.5f);
}

TEST_F(SourceTest, ResetStartDrawsThePitchInSteps) {
  ASSERT_EQ(StartDefault(), 1);
  for (int i = 0; i < 40; ++i) {
    ZSrcResetStart(ZSrcHero[1], 0, 1, 0, 0.85f, 0.4f, 0.5f, 10);
    float p = SrcFloat(ZSrcHero[1], AL_PITCH) * 100.0f;
    EXPECT_NEAR(p, std::round(p), 1e-3) << p;
    EXPECT_GE(std::round(p), 41);
    EXPECT_LE(std::round(p), 50);
  }
  EXPECT_EQ(ZSrc_State(ZSrcHero[1]), 2);
  EXPECT_EQ(Bound(ZSrcHero[1]), Zvu_[0][1]);
  EXPECT_FLOAT_EQ(SrcFloat(ZSrcHero[1], AL_GAIN), 0.85f);
}

TEST_F(SourceTest, SoundOffSilencesEveryFunctionAndTheResetAndPlay) {
  ASSERT_EQ(StartDefault(), 1);
  unsigned s = ZSrcHero[1];
  alSourcef(s, AL_GAIN, 0.3f);
  *o2::SoundE = 0;
  ZSrc_Reset(s);
  ZSrcResetStart(s, 0, 2, 1, 1.0f, 1.0f, 1.0f, 1);
  ZSrcChain_Zakaz(0, 0, 2, 1.0f, 1.0f);
  ZSrcChain_Rezident();
  ZSrc_SwitchToGame(0);
  ZSrc_SwitchToMenu(0);
  ZSrc_ResetOnStartLevel();
  ZSrcMainKot_StartKadrProc();
  SetListenerToZero();
  EXPECT_FLOAT_EQ(SrcFloat(s, AL_GAIN), 0.3f);
  EXPECT_EQ(SrcInt(s, AL_SOURCE_STATE), AL_INITIAL);
  EXPECT_EQ(SrcInt(ZSrcChain[0], AL_SOURCE_STATE), AL_INITIAL);
  unsigned fresh = 0;
  const int answers[] = {
      NotSound(), ZSrc_GetCreate(&fresh), ZSrc_KillSrc(&s), ZSrc_SetBuf(s, 0, 1), ZSrc_Pitch(s, 2),
      ZSrc_Gain(s, 0), ZSrc_LoopFlag(s, 1), ZSrc_Pos(s, 1, 2, 3), ZSrc_PosV(s, vec3(1, 2, 3)),
      ZSrc_Vel(s, 1, 2, 3), ZSrc_VelV(s, vec3(1, 2, 3)), ZSrc_State(s), ZSrc_IsPlaying(s),
      Zvu_PlayPro1(1, s), ZSrcMainKot_Zakaz(nullptr, vec3(0, 0, 0), 0, 1, 0, 1, 1)};
  EXPECT_EQ(answers[0], 1);
  for (size_t i = 1; i < std::size(answers); ++i) EXPECT_EQ(answers[i], 0) << i;
  EXPECT_EQ(fresh, 0u);
  EXPECT_TRUE(alIsSource(s));
  *o2::SoundE = 1;  // so that the release deletes the sources
}

TEST_F(SourceTest, ChainOrdersPlayInTurn) {
  ASSERT_EQ(StartDefault(), 1);
  Mixer mixer;
  ASSERT_TRUE(mixer.Ok());
  mixer.Hold();
  ZSrcChain_Zakaz(0, 0, 3, 0.8f, 1.0f);  // plays at once
  ZSrcChain_Zakaz(0, 0, 1, 0.6f, 1.5f);  // waits in slot 1
  ZSrcChain_Zakaz(0, 0, 3, 0.7f, 1.0f);  // waits in slot 2
  EXPECT_EQ(ZSrcChain_zz1[0].busy, 1);
  EXPECT_EQ(ZSrcChain_zz1[0].index, 1);
  EXPECT_EQ(ZSrcChain_zz2[0].index, 3);
  EXPECT_EQ(ZSrcChain_zz3[0].busy, 0);
  EXPECT_EQ(ZSrcChain_zz1[1].busy, 0);
  // Each order plays to its end; the chain steps while it plays leave it
  // alone, and the first step after it has stopped starts the next one.
  const struct {
    unsigned buffer;
    float gain, pitch;
  } turns[] = {{Zvu_[0][3], 0.8f, 1.0f}, {Zvu_[0][1], 0.6f, 1.5f}, {Zvu_[0][3], 0.7f, 1.0f}};
  const unsigned s = ZSrcChain[0];
  for (int k = 0; k < 3; ++k) {
    for (int frame = 0; frame < 3; ++frame) ZSrcChain_Rezident();
    EXPECT_EQ(ZSrc_State(s), 2) << k;
    EXPECT_EQ(Bound(s), turns[k].buffer) << k;
    EXPECT_EQ(SrcInt(s, AL_SAMPLE_OFFSET), 0) << k;  // from its start, not cut into
    EXPECT_FLOAT_EQ(SrcFloat(s, AL_GAIN), turns[k].gain) << k;
    EXPECT_FLOAT_EQ(SrcFloat(s, AL_PITCH), turns[k].pitch) << k;
    EXPECT_EQ(ZSrcChain_zz1[0].busy + ZSrcChain_zz2[0].busy, 2 - k) << k;
    ASSERT_TRUE(mixer.PlayOut(s)) << k;
    EXPECT_EQ(ZSrc_State(s), 4) << k;
    ZSrcChain_Rezident();
  }
  EXPECT_EQ(ZSrc_State(s), 4);
  EXPECT_EQ(ZSrcChain_zz1[0].busy, 0);
}

TEST_F(SourceTest, FullChainsAndUnknownChainsDropOrders) {
  ASSERT_EQ(StartDefault(), 1);
  ZSrcChain_Zakaz(1, 0, 2, 1.0f, 1.0f);  // the long tone keeps chain 1 busy
  for (int i = 1; i <= 6; ++i) ZSrcChain_Zakaz(1, 0, i % 3 + 1, 1.0f, 0.5f + 0.1f * i);
  const t_ZvuZakaz* slots[] = {ZSrcChain_zz1, ZSrcChain_zz2, ZSrcChain_zz3, ZSrcChain_zz4, ZSrcChain_zz5};
  const vec2* gp[] = {ZSrcChain_zzf1, ZSrcChain_zzf2, ZSrcChain_zzf3, ZSrcChain_zzf4, ZSrcChain_zzf5};
  for (int k = 0; k < 5; ++k) {
    EXPECT_EQ(slots[k][1].busy, 1) << k;
    EXPECT_EQ(slots[k][1].index, (k + 1) % 3 + 1) << k;
    EXPECT_FLOAT_EQ(gp[k][1].y, 0.6f + 0.1f * k) << k;  // the sixth order left no trace
    EXPECT_EQ(slots[k][0].busy, 0) << k;
  }
  ZSrcChain_Zakaz(2, 0, 1, 1.0f, 1.0f);
  ZSrcChain_Zakaz(-1, 0, 1, 1.0f, 1.0f);
  EXPECT_FALSE(ZSrc_IsPlaying(ZSrcChain[0]));
  // the chain moves up by one while its sound still plays: not at all
  ZSrcChain_Rezident();
  EXPECT_EQ(slots[4][1].busy, 1);
  ZSrcChain_zz_Init();
  for (int k = 0; k < 5; ++k) {
    EXPECT_EQ(slots[k][1].busy, 0);
    EXPECT_FLOAT_EQ(gp[k][1].x, 1.0f);
    EXPECT_FLOAT_EQ(gp[k][1].y, 1.0f);
  }
}

TEST_F(SourceTest, ModeSwitches) {
  ASSERT_EQ(Start(ListText(0, 4, {{0, 1, ""}, {1, 0, "short.wav"}, {2, 0, "long.wav"}, {3, 0, "medium.wav"}})), 1);
  Fgr4* owner = NewOwner(vec3(100, 0, 0));
  ASSERT_EQ(ZSrcMainKot_Zakaz(owner, vec3(100, 0, 0), 0, 2, 1, 1.0f, 1.0f), 1);
  SetListener(vec3(5, 6, 7), vec3(0, 0, 0), vec3(1, 0, 0), vec3(0, 1, 0));
  ZSrc_SwitchToMenu(0);
  EXPECT_EQ(Bound(ZSrcChain[0]), Zvu_[0][1]);
  EXPECT_EQ(Bound(ZSrcChain[1]), Zvu_[0][1]);
  EXPECT_EQ(Bound(ZSrcHero[0]), Zvu_[0][3]);
  EXPECT_EQ(Bound(ZSrcHero[1]), Zvu_[0][1]);
  EXPECT_EQ(owners[owner].told, (std::vector<int>{0, -1}));
  EXPECT_FLOAT_EQ(ZSrcMainKot_Dst[0], kZvuFreeDst);
  EXPECT_FALSE(ZSrc_IsPlaying(ZSrcMainKot[0]));
  ALfloat pos[3] = {-1, -1, -1};
  alGetListenerfv(AL_POSITION, pos);
  EXPECT_EQ(pos[0], 0.0f);
  // keep 1 leaves the chain and hero sources alone
  ZSrc_SetBuf(ZSrcChain[0], 0, 2);
  ZSrc_SwitchToMenu(1);
  EXPECT_EQ(Bound(ZSrcChain[0]), Zvu_[0][2]);
  // leaving the menu plays paused channels on
  ZSrcResetStart(ZSrcMainKot[4], 0, 2, 1, 1.0f, 1.0f, 1.0f, 1);
  alSourcePause(ZSrcMainKot[4]);
  ZSrcChain_Play(0, 0, 2, 1.0f, 1.0f);
  ZSrc_SwitchToGame(0);
  EXPECT_EQ(ZSrc_State(ZSrcMainKot[4]), 2);
  EXPECT_EQ(ZSrc_State(ZSrcChain[0]), 4);
  // a new level frees every channel
  ZSrc_ResetOnStartLevel();
  EXPECT_EQ(ZSrc_State(ZSrcMainKot[4]), 4);
  EXPECT_FLOAT_EQ(ZSrcMainKot_Dst[4], kZvuFreeDst);
}
