// The sound chains, the hero sources and the mode switches.
#include "sound/chains.h"

#include <AL/al.h>

#include "shell/soundglue.h"
#include "sound/zsrc.h"

t_ZvuZakaz ZSrcChain_zz1[2], ZSrcChain_zz2[2], ZSrcChain_zz3[2], ZSrcChain_zz4[2], ZSrcChain_zz5[2];
vec2 ZSrcChain_zzf1[2], ZSrcChain_zzf2[2], ZSrcChain_zzf3[2], ZSrcChain_zzf4[2], ZSrcChain_zzf5[2];

namespace {

// Slots 1..5 by position 0..4.
t_ZvuZakaz* const kZz[kChainSlots] = {ZSrcChain_zz1, ZSrcChain_zz2, ZSrcChain_zz3, ZSrcChain_zz4,
                                      ZSrcChain_zz5};
vec2* const kZzf[kChainSlots] = {ZSrcChain_zzf1, ZSrcChain_zzf2, ZSrcChain_zzf3, ZSrcChain_zzf4,
                                 ZSrcChain_zzf5};

void Store(int slot, int chain, int group, int index, float gain, float pitch) {
  kZz[slot][chain] = {1, group, index};
  kZzf[slot][chain] = vec2(gain, pitch);
}

void Copy(int from, int to, int chain) {
  kZz[to][chain] = kZz[from][chain];
  kZzf[to][chain] = kZzf[from][chain];
}

void ResetChainsAndHeroes() {
  for (unsigned s : ZSrcChain) ZSrc_Reset(s);
  for (unsigned s : ZSrcHero) ZSrc_Reset(s);
}

void FreeAllChannels() {
  for (int i = 0; i <= ZSrcMainKot_Last; ++i) ZSrcMainKot_FreeKan(i);
}

}  // namespace

void ZSrcChain_zz_Init() {
  for (int slot = 0; slot < kChainSlots; ++slot) {
    for (int chain = 0; chain <= ZSrcChain_Last; ++chain) {
      kZz[slot][chain] = {0, 0, 0};
      kZzf[slot][chain] = vec2(1.0f, 1.0f);
    }
  }
}

void ZSrcChain_Play(int chain, int group, int index, float gain, float pitch) {
  if (chain < 0 || chain > ZSrcChain_Last || NotSound()) return;
  unsigned s = ZSrcChain[chain];
  ZSrc_Reset(s);
  ZSrc_SetBuf(s, group, index);
  ZSrc_Gain(s, gain);
  ZSrc_Pitch(s, pitch);
  if (alIsSource(s)) alSourcePlay(s);
}

void ZSrcChain_Zakaz(int chain, int group, int index, float gain, float pitch) {
  if (chain < 0 || chain > ZSrcChain_Last || kZz[kChainSlots - 1][chain].busy) return;
  if (!kZz[0][chain].busy) {
    if (ZSrc_IsPlaying(ZSrcChain[chain])) {
      Store(0, chain, group, index, gain, pitch);
    } else {
      ZSrcChain_Play(chain, group, index, gain, pitch);
    }
    return;
  }
  for (int slot = 1; slot < kChainSlots; ++slot) {
    if (!kZz[slot][chain].busy) {
      Store(slot, chain, group, index, gain, pitch);
      return;
    }
  }
}

void ZSrcChain_Rezident() {
  for (int chain = 0; chain <= ZSrcChain_Last; ++chain) {
    const t_ZvuZakaz head = kZz[0][chain];
    if (!head.busy || ZSrc_IsPlaying(ZSrcChain[chain])) continue;
    ZSrcChain_Play(chain, head.group, head.index, kZzf[0][chain].x, kZzf[0][chain].y);
    // Move the queue up: the slot before the first free one, or the last
    // slot once it has been copied, becomes free.
    int slot = 1;
    for (; slot < kChainSlots && kZz[slot][chain].busy; ++slot) Copy(slot, slot - 1, chain);
    kZz[slot - 1][chain].busy = 0;
  }
}

void ZSrcHero_SetVolZeroGear() { ZSrc_Gain(ZSrcHero[0], 0.07f); }
void ZSrcHero_MotorPitch() { NotSound(); }
void ZSrcHero_SetMotor() { NotSound(); }
void ZSrcHero_SetVolSpe() {}
void SetListenerToHero() { NotSound(); }

void ZSrc_ResetOnStartLevel() {
  if (NotSound()) return;
  ResetChainsAndHeroes();
  FreeAllChannels();
  SetListenerToHero();
}

void ZSrc_SwitchToMenu(int keep) {
  if (NotSound()) return;
  if (keep != 1) {
    for (unsigned s : ZSrcChain) {
      ZSrc_Reset(s);
      ZSrc_SetBuf(s, 0, 1);
    }
    for (unsigned s : ZSrcHero) ZSrc_Reset(s);
    ZSrc_SetBuf(ZSrcHero[0], 0, 3);
    ZSrc_SetBuf(ZSrcHero[1], 0, 1);
  }
  FreeAllChannels();
  SetListenerToZero();
}

void ZSrc_SwitchToGame(int) {
  if (NotSound()) return;
  ResetChainsAndHeroes();
  ZSrcHero_SetMotor();
  for (int i = 0; i <= ZSrcMainKot_Last; ++i)
    if (ZSrc_State(ZSrcMainKot[i]) == 3) alSourcePlay(ZSrcMainKot[i]);
  SetListenerToHero();
}
