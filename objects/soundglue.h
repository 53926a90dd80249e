// What the world objects use of sound: the twelve positional channels they
// borrow by distance and priority, and the source functions they may call on
// the channel they hold. Every one of these is silent while sound is off, so
// callers test nothing.
#pragma once

#include "core/core.h"

class Fgr4;

// Last index of the positional channels (12 channels, 0..11).
constexpr int ZSrcMainKot_Last = 11;

// Source names of the channels, the distance each owner was last measured at
// (an owner that wants its sound to end writes 5003.0 into its channel's
// entry) and each channel's owner.
extern unsigned ZSrcMainKot[ZSrcMainKot_Last + 1];
extern float ZSrcMainKot_Dst[ZSrcMainKot_Last + 1];
extern Fgr4* ZSrcMainKot_pFgr[ZSrcMainKot_Last + 1];

// Asks for a channel to play (group, index) at pos; 1 when one was given (the
// owner is told its index by event 37), 0 when refused. The owner may be null.
int ZSrcMainKot_Zakaz(Fgr4* owner, vec3 pos, int group, int index, int loop,
                      float gain, float pitch);
// Frees a channel.
void ZSrcMainKot_FreeKan(int channel);

// Source functions on a channel's source.
int ZSrc_Pitch(unsigned source, float pitch);
int ZSrc_Gain(unsigned source, float gain);
int ZSrc_PosV(unsigned source, vec3 pos);
int ZSrc_VelV(unsigned source, vec3 vel);
