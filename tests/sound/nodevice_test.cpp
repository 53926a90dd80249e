// Without a sound device (the driver asked for does not exist) sound stays
// off: every function is silent and the program runs on.
#include "tests/sound/sound_fixture.h"

using namespace sndtest;

namespace {
const bool kEnv = UseSoundBackend("no-such-driver");

using NoDeviceTest = SoundTest;
}  // namespace

TEST_F(NoDeviceTest, SoundStaysOffAndEveryFunctionIsSilent) {
  *o2::SoundE = 1;
  EXPECT_EQ(StartDefault(), 0);
  EXPECT_EQ(*o2::SoundE, 0);
  EXPECT_EQ(NeedKillALData, 0);
  EXPECT_EQ(pDevice, nullptr);
  EXPECT_NE(Log().find("sound: no sound device"), std::string::npos) << Log();
  Fgr4* owner = NewOwner(vec3(1, 0, 0));
  EXPECT_EQ(ZSrcMainKot_Zakaz(owner, vec3(1, 0, 0), 0, 1, 1, 1, 1), 0);
  EXPECT_TRUE(owners[owner].told.empty());
  unsigned s = 0;
  EXPECT_EQ(ZSrc_GetCreate(&s), 0);
  EXPECT_EQ(ZSrc_State(ZSrcMainKot[0]), 0);
  EXPECT_EQ(ZSrc_IsPlaying(ZSrcChain[0]), 0);
  EXPECT_EQ(ZSrc_Pitch(ZSrcMainKot[0], 2), 0);
  ZSrcChain_zz_Init();
  ZSrcChain_Zakaz(0, 0, 5, 0.8f, 1.0f);
  ZSrcChain_Rezident();
  ZSrcResetStart(ZSrcHero[1], 0, 1, 0, 0.95f, 0.5f, 0.55f, 5);
  ZSrcMainKot_StartKadrProc();
  ZSrc_SwitchToGame(0);
  ZSrc_SwitchToMenu(0);
  ZSrc_ResetOnStartLevel();
  SetListenerV(vec3(1, 2, 3), vec3(0, 0, 0), vec3(0, 0, -1), vec3(0, 1, 0));
  ZSrcMainKot_FreeKan(0);
  Music1.Play();
  Music1.Stop();
  KillALData();
  EXPECT_EQ(pDevice, nullptr);
}
