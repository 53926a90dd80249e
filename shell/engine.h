// Program entry, start-up sequence and main loop.
#pragma once

#include "core/chars.h"

extern int Main_Done;
extern int Glob_LoadingFail_KillWindow;
extern unsigned char Main_NotNormZMouse;
extern t_Char256 game_start_dir0;
extern t_Char256 game_user_dir0;

int WinMain(void* instance, void* prevInstance, char* cmdLine, int show);
int EngineMain();
int WinProg_PrepOK();
bool Start1();
