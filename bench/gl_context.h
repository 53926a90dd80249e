// A GL window for the benchmarks that draw: opened once, its context made
// current, the sine tables set up and the extensions loaded on it, which
// sets the settings of what GL offers (as the game does once its settings
// are loaded; the others stay as they are).
#pragma once

#include "platform/platform.h"
#include "render/render.h"
#include "shell/shell.h"
#include "ui/ui.h"

// The device context of the window, or null when no GL context could be made.
inline HDC BenchGLWindow(int w, int h) {
  static bool done = false;
  static HDC dc = nullptr;
  if (done) return dc;
  done = true;
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.lpszClassName = "velmar_bench";
  RegisterClassA(&wc);
  HWND wnd = CreateWindowExA(0, "velmar_bench", "bench", WS_POPUP, 0, 0, w, h, nullptr, nullptr, nullptr, nullptr);
  HDC d = wnd ? GetDC(wnd) : nullptr;
  PIXELFORMATDESCRIPTOR pfd{};
  pfd.nSize = sizeof pfd;
  pfd.nVersion = 1;
  pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  pfd.cColorBits = 32;
  pfd.cDepthBits = 24;
  int format = d ? ChoosePixelFormat(d, &pfd) : 0;
  if (!format || !SetPixelFormat(d, format, &pfd)) return nullptr;
  HGLRC rc = wglCreateContext(d);
  if (!rc || !wglMakeCurrent(d, rc)) return nullptr;
  Sprr1FillCosSin();
  initExtensions(d);
  Init_Extensions(1, 1);
  dc = d;
  return dc;
}
