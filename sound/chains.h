// The two sound chains that play queued sounds one after another, the hero
// sources for interface sounds, and the switches between program modes.
#pragma once

#include <cstdint>

#include "core/core.h"

// Order slots of a chain (slot 1 is the head of the queue).
constexpr int kChainSlots = 5;

// One queued order: busy (0 or 1), group and index.
struct t_ZvuZakaz {
  int32_t busy;
  int32_t group;
  int32_t index;
};
// Slots 1..5 of both chains: the orders and their {gain, pitch}.
extern t_ZvuZakaz ZSrcChain_zz1[2], ZSrcChain_zz2[2], ZSrcChain_zz3[2], ZSrcChain_zz4[2],
    ZSrcChain_zz5[2];
extern vec2 ZSrcChain_zzf1[2], ZSrcChain_zzf2[2], ZSrcChain_zzf3[2], ZSrcChain_zzf4[2],
    ZSrcChain_zzf5[2];

// Plays (group, index) on a chain at once, with gain and pitch.
void ZSrcChain_Play(int chain, int group, int index, float gain, float pitch);
// Orders a sound on chain 0 or 1: it plays at once when the chain is idle,
// else it waits in the first free slot; dropped when all five are busy.
void ZSrcChain_Zakaz(int chain, int group, int index, float gain, float pitch);
// Per-frame chain step: starts the head order of each chain once its source
// has finished, and moves the queue up.
void ZSrcChain_Rezident();

// Hero source 0's gain to 0.07; the others keep their place in the program
// and do nothing beyond testing NotSound.
void ZSrcHero_SetVolZeroGear();
void ZSrcHero_MotorPitch();
void ZSrcHero_SetMotor();
void ZSrcHero_SetVolSpe();
void SetListenerToHero();

// Mode switches: at level start, on returning to the menu (keep 1 leaves the
// chain and hero sources alone) and on leaving the menu (mode unused).
void ZSrc_ResetOnStartLevel();
void ZSrc_SwitchToMenu(int keep);
void ZSrc_SwitchToGame(int mode);
