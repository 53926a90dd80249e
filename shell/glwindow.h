// The GL window and the short-lived probe window that learns the GL and WGL
// capabilities first; display-mode changes; the three common dialogs.
#pragma once

#include "platform/platform.h"

extern HWND hWnd;
extern HDC hDC;
extern HGLRC hRC;
extern HINSTANCE hInstance;
extern HWND hWndStart;
extern HDC hDCStart;
extern HGLRC hRCStart;
extern HINSTANCE hInstanceStart;

extern unsigned char supportsGLSL;
extern unsigned char UseStandardWindow;
extern unsigned char ForceStandardWindow;
extern unsigned char samplesSupported[17];
extern int Glob_numSamplesAA;
extern int Glob_vSync;
extern int WPUM_Rect[4];

int CreateStartWindow();
int KillStartWindow();
int StartWnd_TryFill_EXT_Flags();
void Start_FindSamplesSupported(int depthBits, int stencilBits);
int ChooseSamplesAA(int requested);  // the sample count the extended window asks for
int InitExtendedGLWindow(bool unused);
int CreateGLWindow();
int ChangeScreenResolution2(int width, int height, int bits, int frequency);
int ChangeScreenResolution(int width, int height, int bits, int highestFrequency);
int KillGLWindow();
LRESULT WndProcStart(HWND hwnd, UINT msg, WPARAM w, LPARAM l);

int OpenFileDlg();
int SaveFileDlg();
int GetNewColor(float& r, float& g, float& b, int slot);
// 1 when another process holds the lock file (the run folder's); otherwise
// this one holds it for the rest of its life and the result is 0 (also, with
// a line on stderr and a message box, when the lock cannot be taken at all).
int WinProgStartOverlap(const char* lockFile);
