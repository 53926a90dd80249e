// The window procedure and the input state it keeps for the mode steps: one
// word per key and mouse button, wheel steps held as pseudo-keys, the pointer
// in window pixels (origin bottom left), and the hand-over of the system
// cursor to dialogs.
#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace nsMKeys {
constexpr int kKeys = 321;   // 0..255 keys, 301..303 mouse buttons, 304/305 wheel
constexpr int kModes = 71;
extern uint16_t n[kKeys];
extern uint16_t Shifts[kModes * kKeys];
extern uint8_t KScanCode[256];
void nFlushProc();
// A press (n[k] := 1) and a release. A frame sees every change of a key,
// in the order the changes came: a change of a key that changed since the
// last frame waits for the next frame, and the changes after it wait with it,
// so quick taps and clicks between two frames all count, one change of a key
// a frame. PressAt is a button's press with the pointer it was made at
// (window pixels, origin bottom left).
void Press(int k);
void PressAt(int k, int x, int y);
void Release(int k);
// After each frame: the waiting changes take effect, in order, up to the
// first of a key that has already changed.
void FrameSeen();
// Where the press a button shows now was made; false when the button is up
// or its press came with no pointer.
bool PressedAt(int k, int& x, int& y);
void Clear_Shifts();
void KScanCodeInitProc();
int ASyncKey(int vk);
uint16_t midMs();
}  // namespace nsMKeys

namespace nsSwapKursor {
extern uint16_t mouseCtrl;
extern uint16_t kursor1;
void ProcBegin(int x, int y, int ctrl);
void ProcEnd();
}  // namespace nsSwapKursor

extern int WPUM_OnWork;
extern int WheelUpTimeMB1, NWheelMinusMB1, NWheelPlusMB1;
extern uint8_t Main_ExtraZMouseStatus;
extern int uMSH_MOUSEWHEEL;
extern int GlobKmd_KnoSmenFlag, GlobKmd_KnoSmenKey;
extern uint16_t CharPressed;
extern int gMX, gMY;
extern int Glob_RealKursorOut;
extern RECT GClientScreen;

LRESULT WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
int SetExtraWheelMB(int unused);
void ProcWheelUpMB();
int MouseX(short local, short on);
int MouseY(short local, short on);
void MouseCoordRoot();
void GetCursorPos_OnLocal(POINT& p);
void SetCursorPos_GlazC(int& x, int& y, int store);
void SetCursorPos_GlazCAccum(int& ax, int& ay, int mx, int my);
int MouseRootRTS_Rot(float& pitch, float& yaw, int mode, float kYaw, float kPitch);
