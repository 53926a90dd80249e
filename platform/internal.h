// Shared state of the platform sources (not part of the public surface).
#pragma once

#include <SDL2/SDL.h>

#include <string>
#include <vector>

#include "platform/platform.h"

struct PlatWindow {
  std::string className;
  std::string title;
  WNDPROC proc = nullptr;
  DWORD style = 0, exStyle = 0;
  int x = 0, y = 0, w = 0, h = 0;  // client area
  SDL_Window* sdl = nullptr;
  PlatDC dc{};
  bool visible = false;
  bool minimized = false;
  int pixelFormat = 0;  // chosen format, 0 = none yet
  int samples = 0;      // multisample count the window was made with
};

struct PlatContext {
  SDL_GLContext ctx = nullptr;
  PlatWindow* wnd = nullptr;
};

namespace plat {
bool EnsureVideo();                          // SDL video up (once); false when it cannot start
PlatWindow* Live(HWND h);                    // h when it is a live window, else null
PlatWindow* FromSdlId(Uint32 id);            // the window of an SDL window id
const std::vector<PlatWindow*>& Windows();   // every live window
bool TakeFullscreenMode(SDL_DisplayMode* out);  // the pending full-screen mode, if any
bool Materialize(PlatWindow* w);             // make the SDL window with the current GL attributes
void ApplyFormatAttributes(int format, int samplesOverride);  // SDL_GL_SetAttribute from a format
int FormatSamples(int format);
void PollSockets();  // posts the socket events selected by WSAAsyncSelect (winsock.cpp)
// Alt and F10 come as WM_SYSKEYDOWN / WM_SYSKEYUP, as the window system's
// menu-bar keys do (every key does while Alt is held; keys.cpp).
bool SysKey(int vk);
}  // namespace plat
