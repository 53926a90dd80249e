// Start and stop of sound, the 16 fixed sources and the thin source functions
// through which the rest of the program touches a source. Every source
// function is silent while sound is off (o2::SoundE 0), so callers test
// nothing.
#pragma once

#include "core/core.h"
#include "objects/soundglue.h"
#include "shell/soundglue.h"

// Last indices of the chain and hero sources (two each).
constexpr int ZSrcChain_Last = 1;
constexpr int ZSrcHero_Last = 1;
// Most sources the start-up probe asks the device for.
constexpr int kSndKanProbe = 128;

extern unsigned ZSrcChain[ZSrcChain_Last + 1];
extern unsigned ZSrcHero[ZSrcHero_Last + 1];
// Sources the device could make at start-up (at most kSndKanProbe).
extern int Glob_klvSndKan;

extern const vec3 ZvuZeroPos, ZvuZeroVel;
extern const vec3 ListenerPos0, ListenerVel0, ListenerOriAt0, ListenerOriUp0;

// Start and stop.
int InitOpenAL();
void ExitOpenAL();
int OpenAL_SrcKanKlv();
int ZSrcChain_Init();
int ZSrcHero_Init();
int ZSrcMainKot_Init();
int ZSrcChain_Free();
int ZSrcHero_Free();
int ZSrcMainKot_Free();

// 1 while sound is off; otherwise reads and clears the OpenAL error state
// and answers 1 when an error was pending.
int NotSound();

// Source functions: each does nothing (answering 0) while NotSound holds or
// when the name is no source.
int ZSrc_GetCreate(unsigned* source);
int ZSrc_KillSrc(unsigned* source);
int ZSrc_SetBuf(unsigned source, int group, int index);
int ZSrc_LoopFlag(unsigned source, int loop);
int ZSrc_Pos(unsigned source, float x, float y, float z);
int ZSrc_Vel(unsigned source, float x, float y, float z);
// 0 when silent or no source; else 1 initial, 2 playing, 3 paused, 4 stopped.
int ZSrc_State(unsigned source);
int ZSrc_IsPlaying(unsigned source);
// Gain 0, looping off, stop, then pitch 1, gain 1, position and velocity 0.
void ZSrc_Reset(unsigned source);
// Reset, bind (group, index), loop flag, gain and a pitch drawn by Rand2F,
// then play.
void ZSrcResetStart(unsigned source, int group, int index, int loop, float gain, float pitchMin,
                    float pitchMax, int steps);
// Rewinds and plays the source unless it is playing; 1 when it did.
int Zvu_PlayPro1(int enable, unsigned source);

// The listener.
void SetListener(vec3 pos, vec3 vel, vec3 at, vec3 up);
void SetListenerV(vec3 pos, vec3 vel, vec3 at, vec3 up);
void SetListenerToZero();
