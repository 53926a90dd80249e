// What the modes use of sound: the chain step of every frame, the chain
// orders of the game's start, the hero source of the click sounds, the
// switches between the menu and the game, the listener at the camera and the
// music object.
#pragma once

#include "core/core.h"
#include "sound/remSnd.h"

extern unsigned ZSrcHero[2];

void ZSrcChain_Rezident();
void ZSrcChain_Zakaz(int chain, int group, int index, float gain, float pitch);
// Reset, bind (group, index), loop flag, gain and a pitch drawn in
// pitchMin..pitchMax in `steps` steps, then play.
void ZSrcResetStart(unsigned source, int group, int index, int loop, float gain, float pitchMin, float pitchMax,
                    int steps);
void ZSrc_ResetOnStartLevel();
void ZSrc_SwitchToMenu(int keep);
void ZSrc_SwitchToGame(int mode);
void SetListenerV(vec3 pos, vec3 vel, vec3 at, vec3 up);
