// A GL context for the fuzz targets whose loaders make textures and display
// lists: a hidden window of SDL's off-screen driver (no display needed),
// made through the platform layer as the program makes its own, opened once
// for the run and kept to its end.
#pragma once

#include <cstdlib>

#include "platform/platform.h"

inline void FuzzGLContext() {
  static bool open = false;
  if (open) return;
  setenv("SDL_VIDEODRIVER", "offscreen", 1);
  setenv("VELMAR_MSGBOX", "auto", 1);  // refusal boxes answer themselves
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.lpszClassName = "fuzzGL";
  if (!RegisterClassA(&wc)) std::abort();
  HWND w = CreateWindowExA(0, "fuzzGL", "fuzz", WS_POPUP, 0, 0, 64, 64, nullptr, nullptr, nullptr, nullptr);
  PIXELFORMATDESCRIPTOR pfd{};
  pfd.nSize = 40;
  pfd.nVersion = 1;
  pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  pfd.cColorBits = 32;
  pfd.cDepthBits = 24;
  pfd.cStencilBits = 8;
  HDC dc = w ? GetDC(w) : nullptr;
  int format = dc ? ChoosePixelFormat(dc, &pfd) : 0;
  HGLRC rc = format && SetPixelFormat(dc, format, &pfd) ? wglCreateContext(dc) : nullptr;
  if (!rc || !wglMakeCurrent(dc, rc)) std::abort();
  open = true;
}
