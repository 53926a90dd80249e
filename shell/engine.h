// Program entry, start-up sequence and main loop.
#pragma once

#include "core/chars.h"

extern int Main_Done;
extern int Glob_LoadingFail_KillWindow;
extern unsigned char Main_NotNormZMouse;
extern t_Char256 game_start_dir0;
extern t_Char256 game_user_dir0;

// EngineMain (and WinMain with it): 0 after a run, 1 when start-up failed
// or the run was stopped (Main_Stop); either also writes one line to stderr
// saying what failed and where the log is.
int WinMain(void* instance, void* prevInstance, char* cmdLine, int show);
int EngineMain();
// Ends the run because the game cannot go on: the log says why, and the
// program ends with a line on stderr and exit code 1.
void Main_Stop(const char* why);
// Records a failed start-up step with the cause the loaders left (the first
// failure wins); returns false.
bool StartFailed(const char* step);
int WinProg_PrepOK();
bool Start1();
// Why the users folder (where screenshots go) could not be used at start.
const char* UserDirWhy();
