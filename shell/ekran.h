// The screen record: window state, video mode and the GL sizes asked for and
// obtained; the helpers that clear and present a frame and switch between the
// 3D projection and a 2D overlay.
#pragma once

#include <cstdint>

struct t_Main_Ekran {
  uint8_t Aktiv;          // 1 while the window is active; frames run only then
  uint8_t FullScreen;     // 1 = full screen
  uint8_t Framed;         // 1 = caption and borders (when not full screen)
  uint16_t VMode;         // video mode in use, 0..5
  uint16_t VModeReq;      // video mode asked for
  uint16_t W, H;          // pixels
  uint16_t W2, H2;        // half width and height
  uint16_t ClrBits, DepthBits, StencilBits;           // in use
  uint16_t ClrBitsReq, DepthBitsReq, StencilBitsReq;  // asked for
  uint16_t SamplesReq;    // multisample count asked for (0 none)
  int32_t Status;         // 1 active, 0 focus lost, -1 minimised

  t_Main_Ekran() { Sbros(); }
  void Sbros();
};

extern t_Main_Ekran Ekran;
extern const uint16_t VModeW[6];
extern const uint16_t VModeH[6];
extern double Begin2D_LBort, Begin2D_RBort, Begin2D_Niz, Begin2D_Top;

void EkranCheckZna(t_Main_Ekran& e);
int EkranTryNew(t_Main_Ekran& e);
void Ekran_Clear(t_Main_Ekran& e, uint16_t r, uint16_t g, uint16_t b);
void Ekran_ClearF(t_Main_Ekran& e, float r, float g, float b);
void Sys_SwapBuf_DC();
void Sys_Video_FinDraw();

int Begin2D(double left, double right, double bottom, double top);
int ReBegin2D();
int BeginView2D(double left, double right, double bottom, double top, double nearZ, double farZ);
void End2D();
void SetVPort(const float* cam, int x, int y, int w, int h);  // cam: fov (deg), near, far
void SetVPortFlat(float width, float height, int x, int y, int w, int h);
void ReshapeGL(int w, int h);
void WindowFrustum();
