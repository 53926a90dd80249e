// Start-up and release of sound: the device, the general sound list and the
// 16 fixed sources.
#include <AL/al.h>

#include <cstring>
#include <string>

#include "shell/genres.h"
#include "sound/aldevice.h"
#include "sound/zsrc.h"
#include "sound/zvu.h"
#include "ui/ui.h"

char general_zvu_list0[128];
int NeedKillALData;
int Glob_klvSndKan;

unsigned ZSrcChain[ZSrcChain_Last + 1];
unsigned ZSrcHero[ZSrcHero_Last + 1];

namespace {

// Makes a set of listener-relative sources (the chains and the hero sources).
int RelativeSet(unsigned* set, int last) {
  for (int i = 0; i <= last; ++i) {
    if (!ZSrc_GetCreate(&set[i])) return 0;
    alSourcei(set[i], AL_SOURCE_RELATIVE, AL_TRUE);
  }
  return 1;
}

int FreeSet(unsigned* set, int last) {
  for (int i = 0; i <= last; ++i)
    if (!ZSrc_KillSrc(&set[i])) return 0;
  return 1;
}

// Sound went off for good: forget the source names (closing the device
// disposed of the sources themselves).
void ForgetSources() {
  for (unsigned& s : ZSrcChain) s = 0;
  for (unsigned& s : ZSrcHero) s = 0;
  for (int i = 0; i <= ZSrcMainKot_Last; ++i) {
    ZSrcMainKot[i] = 0;
    ZSrcMainKot_pFgr[i] = nullptr;
  }
}

void SoundOffAndRelease() {
  *o2::SoundE = 0;
  NeedKillALData = 0;
  KillALData();
}

}  // namespace

int OpenAL_SrcKanKlv() {
  unsigned probe[kSndKanProbe];
  int count = 0;
  alGetError();
  while (count < kSndKanProbe) {
    alGenSources(1, &probe[count]);
    if (alGetError() != AL_NO_ERROR) break;
    ++count;
  }
  if (count > 0) alDeleteSources(count, probe);
  return count;
}

int InitOpenAL() {
  if (!InitializeOpenAL()) return 0;
  Glob_klvSndKan = OpenAL_SrcKanKlv();
  alGetError();
  alListenerf(AL_GAIN, 1.0f);
  alDopplerFactor(1.0f);
  alDopplerVelocity(343.0f);
  return 1;
}

void ExitOpenAL() { DestroyOpenAL(); }

int ZSrcChain_Init() { return RelativeSet(ZSrcChain, ZSrcChain_Last); }
int ZSrcHero_Init() { return RelativeSet(ZSrcHero, ZSrcHero_Last); }

int ZSrcChain_Free() { return FreeSet(ZSrcChain, ZSrcChain_Last); }
int ZSrcHero_Free() { return FreeSet(ZSrcHero, ZSrcHero_Last); }
int ZSrcMainKot_Free() { return FreeSet(ZSrcMainKot, ZSrcMainKot_Last); }

int StartOpenAL() {
  if (*o2::FirstTimeAL) *o2::FirstTimeAL = 0;
  if (!InitOpenAL()) {
    *o2::SoundE = 0;
    NeedKillALData = 0;
    return 0;
  }
  *o2::SoundE = 1;
  if (!LoadZvuGru(std::string(general_zvu_list0, strnlen(general_zvu_list0, sizeof general_zvu_list0)))) {
    *o2::GeneralZvuE = 0;
    SoundOffAndRelease();
    return 0;
  }
  if (!ZSrcChain_Init() || !ZSrcHero_Init() || !ZSrcMainKot_Init()) {
    LogInfo("\n%s sound: the device could not make the 16 sources\n", MixDateCh(0, 0, 1));
    SoundOffAndRelease();
    return 0;
  }
  SetListener(ListenerPos0, ListenerVel0, ListenerOriAt0, ListenerOriUp0);
  NeedKillALData = 1;
  return 1;
}

void KillALData() {
  ProjSndStopClose();
  ZSrcChain_Free();
  ZSrcHero_Free();
  ZSrcMainKot_Free();
  for (int g = 0; g < kZvuGroups; ++g) ZvuKillGru(g);
  ExitOpenAL();
  ForgetSources();
  *o2::SoundE = 0;
  NeedKillALData = 0;
}
