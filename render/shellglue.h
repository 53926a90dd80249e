// What the render engine uses of the program shell: the screen size, the 2D
// projection, the start-up flags and list names of konfig.txt, the message
// base, message boxes and the buffer swap. Declared here under the shell's
// names; render/standins.cpp serves them until the shell library provides them.
#pragma once

extern int Main_Done;
extern int Glob_LoadingFail_KillWindow;
extern char general_ris_list0[128];
extern char wfont_list0[128];
extern char proektor_list0[128];

int Begin2D(double left, double right, double bottom, double top);
void End2D();
void SetVPort(float* camera, int x, int y, int w, int h);
void Sys_SwapBuf_DC();
const char* MsgBase(int n);

// A modal message box with an OK button (exclamation icon); answered without
// blocking when the environment variable VELMAR_MSGBOX is set.
void ShellMessageBox(const char* text, const char* caption);

// The screen record's current width and height in pixels.
int ScreenWidth();
int ScreenHeight();
