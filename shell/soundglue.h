// What the program shell uses of sound: the list names konfig.txt gives it,
// start-up and release, the chain reset of the general resources and the
// channel update of every frame's pre-update stage.
#pragma once

#include <string>

// File names of the general sound list and of the music (konfig.txt values
// 16 and 17).
extern char general_zvu_list0[128];
extern std::string Glob_GenMusFileName;

// 1 once sound has started completely, so that the exit releases it.
extern int NeedKillALData;

// Opens the device, loads the general sound list and makes the 16 sources;
// on any failure sound stays off and the program runs on silently.
int StartOpenAL();
// Releases the sources, the sound groups and the device.
void KillALData();
// Empties the queued orders of both sound chains.
void ZSrcChain_zz_Init();
// Per-frame start of the positional channels: mute, owners' positions and
// release of far, finished or orphaned channels.
void ZSrcMainKot_StartKadrProc();
