#include "shell/ekran.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

#include "platform/platform.h"
#include "shell/glwindow.h"
#include "ui/ui.h"

const uint16_t VModeW[6] = {800, 960, 1024, 1152, 1280, 1280};
const uint16_t VModeH[6] = {600, 720, 768, 864, 960, 1024};
double Begin2D_LBort, Begin2D_RBort, Begin2D_Niz, Begin2D_Top;

void t_Main_Ekran::Sbros() {
  Aktiv = 1;
  FullScreen = 0;
  Framed = 0;
  Status = 1;
}

void EkranCheckZna(t_Main_Ekran& e) {
  if (e.VModeReq > 5) e.VModeReq = 5;
  *o2::WindowNonStd = 0;
  e.W = VModeW[e.VModeReq];
  e.H = VModeH[e.VModeReq];
  if (e.VModeReq == 1) {  // 960 x 720 always runs in a window
    *o2::WindowNonStd = 1;
    e.FullScreen = 0;
  }
  e.W2 = uint16_t(e.W / 2);
  e.H2 = uint16_t(e.H / 2);
  if (e.ClrBitsReq != 16 && e.ClrBitsReq != 24 && e.ClrBitsReq != 32) e.ClrBitsReq = 32;
  if (e.DepthBitsReq != 16 && e.DepthBitsReq != 24 && e.DepthBitsReq != 32) e.DepthBitsReq = 32;
  if (e.StencilBitsReq != 8 && e.StencilBitsReq != 16) e.StencilBitsReq = 0;
}

int EkranTryNew(t_Main_Ekran& e) {
  return e.VMode != e.VModeReq || e.ClrBits != e.ClrBitsReq || e.DepthBits != e.DepthBitsReq ||
                 e.StencilBits != e.StencilBitsReq
             ? 1
             : 0;
}

void Ekran_ClearF(t_Main_Ekran& e, float r, float g, float b) {
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glClearColor(r, g, b, 0.0f);
  GLbitfield bits = GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT;
  if (e.StencilBitsReq) bits |= GL_STENCIL_BUFFER_BIT;
  glClear(bits);
}

void Ekran_Clear(t_Main_Ekran& e, uint16_t r, uint16_t g, uint16_t b) {
  Ekran_ClearF(e, r / 255.0f, g / 255.0f, b / 255.0f);
}

void Sys_SwapBuf_DC() { SwapBuffers(hDC); }

void Sys_Video_FinDraw() {
  if (*o2::GL_Flush) glFlush();
  else glFinish();
}

static void PushOrtho2D(double l, double r, double b, double t) {
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  gluOrtho2D(l, r, b, t);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
}

int Begin2D(double l, double r, double b, double t) {
  if (*o2::State2D > 0) return 0;
  *o2::State2D = 1;
  glDisable(GL_DEPTH_TEST);
  glDepthMask(GL_FALSE);
  Begin2D_LBort = l;
  Begin2D_RBort = r;
  Begin2D_Niz = b;
  Begin2D_Top = t;
  PushOrtho2D(l, r, b, t);
  return 1;
}

int ReBegin2D() {
  if (*o2::State2D > 0) return 0;
  *o2::State2D = 1;
  glDisable(GL_DEPTH_TEST);
  glDepthMask(GL_FALSE);
  PushOrtho2D(Begin2D_LBort, Begin2D_RBort, Begin2D_Niz, Begin2D_Top);
  return 1;
}

int BeginView2D(double l, double r, double b, double t, double n, double f) {
  if (*o2::State2D > 0) return 0;
  *o2::State2D = 2;
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(l, r, b, t, n, f);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  return 1;
}

void End2D() {
  if (*o2::State2D <= 0) return;
  if (*o2::State2D == 1) {
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_TRUE);
  }
  *o2::State2D = 0;
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
}

void SetVPort(const float* cam, int x, int y, int w, int h) {
  if (h == 0) h = 1;
  glViewport(x, y, w, h);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(cam[0], double(w) / double(h), cam[1], cam[2]);
}

void SetVPortFlat(float width, float height, int x, int y, int w, int h) {
  glViewport(x, y, w, h);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-width / 2, width / 2, -height / 2, height / 2, -256, 256);
}

void ReshapeGL(int w, int h) {
  glViewport(0, 0, w, h);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(60.0, double(w) / double(h ? h : 1), 1.0, 750.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void WindowFrustum() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  const double nearZ = 0.25;
  double top = std::tan(60 * 3.1415 / 360) * nearZ;
  double right = top * 0.75;
  glFrustum(-right, right, -top, top, nearZ, 1250.0);
}
