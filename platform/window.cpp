// Window classes and windows on top of SDL windows.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "platform/internal.h"

namespace {

std::map<std::string, WNDCLASSA> g_classes;
std::string g_videoFailure;
std::vector<PlatWindow*> g_windows;
int g_moduleTag;  // its address is the module handle

}  // namespace

namespace plat {

bool EnsureVideo() {
  static int state = 0;  // 0 not tried, 1 up, -1 failed
  if (state != 0) return state == 1;
  state = -1;
  // Without a display SDL falls back to its off-screen driver: a window no one
  // sees and no input. Only a run that asks for such a driver gets one.
  const char* asked = std::getenv("SDL_VIDEODRIVER");
  auto set = [](const char* v) { return v && *v; };
  if (!set(asked) && !set(std::getenv("DISPLAY")) && !set(std::getenv("WAYLAND_DISPLAY"))) {
    g_videoFailure = "no display: neither DISPLAY nor WAYLAND_DISPLAY is set";
    return false;
  }
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    g_videoFailure = std::string("no display: ") + SDL_GetError();
    return false;
  }
  const char* driver = SDL_GetCurrentVideoDriver();
  bool headless = driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
  if (headless && !(set(asked) && std::strcmp(asked, driver) == 0)) {
    g_videoFailure = std::string("no display: only SDL's ") + driver + " driver started";
    SDL_Quit();
    return false;
  }
  // SDL stays up until the process ends: quitting it unloads the GL
  // driver, which leaves the driver's own allocations unattributable.
  state = 1;
  return true;
}

PlatWindow* Live(HWND h) {
  if (!h) return nullptr;
  return std::find(g_windows.begin(), g_windows.end(), h) != g_windows.end() ? h : nullptr;
}

PlatWindow* FromSdlId(Uint32 id) {
  for (PlatWindow* w : g_windows)
    if (w->sdl && SDL_GetWindowID(w->sdl) == id) return w;
  return nullptr;
}

const std::vector<PlatWindow*>& Windows() { return g_windows; }

bool Materialize(PlatWindow* w) {
  if (w->sdl) return true;
  if (!EnsureVideo()) return false;
  Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
  bool popup = (w->style & WS_POPUP) != 0;
  if (popup) flags |= SDL_WINDOW_BORDERLESS;
  w->sdl = SDL_CreateWindow(w->title.c_str(), w->x, w->y, std::max(1, w->w), std::max(1, w->h),
                            flags);
  if (!w->sdl) return false;
  SDL_DisplayMode full{};
  if (popup && TakeFullscreenMode(&full)) {
    SDL_SetWindowDisplayMode(w->sdl, &full);
    SDL_SetWindowFullscreen(w->sdl, SDL_WINDOW_FULLSCREEN);
  }
  if (w->visible) SDL_ShowWindow(w->sdl);
  return true;
}

}  // namespace plat

const char* plat_VideoFailure() { return g_videoFailure.c_str(); }

HINSTANCE GetModuleHandleA(const char*) { return &g_moduleTag; }

ATOM RegisterClassA(const WNDCLASSA* wc) {
  if (!wc || !wc->lpszClassName || !*wc->lpszClassName || !wc->lpfnWndProc) return 0;
  if (g_classes.count(wc->lpszClassName)) return 0;
  g_classes[wc->lpszClassName] = *wc;
  return ATOM(g_classes.size());
}

BOOL UnregisterClassA(const char* className, HINSTANCE) {
  if (!className) return FALSE;
  auto it = g_classes.find(className);
  if (it == g_classes.end()) return FALSE;
  for (PlatWindow* w : g_windows)
    if (w->className == className) return FALSE;  // still in use
  g_classes.erase(it);
  return TRUE;
}

HWND CreateWindowExA(DWORD exStyle, const char* className, const char* title, DWORD style, int x,
                     int y, int w, int h, HWND, void*, HINSTANCE, void*) {
  if (!className) return nullptr;
  auto it = g_classes.find(className);
  if (it == g_classes.end()) return nullptr;
  auto* win = new PlatWindow;
  win->className = className;
  win->title = plat_Cp1251ToUtf8(title ? title : "");
  win->proc = it->second.lpfnWndProc;
  win->style = style;
  win->exStyle = exStyle;
  win->x = x;
  win->y = y;
  win->w = w;
  win->h = h;
  win->dc.wnd = win;
  win->visible = (style & WS_VISIBLE) != 0;
  g_windows.push_back(win);
  if (win->visible && !plat::Materialize(win)) {
    g_windows.pop_back();
    delete win;
    return nullptr;
  }
  return win;
}

BOOL DestroyWindow(HWND hwnd) {
  PlatWindow* w = plat::Live(hwnd);
  if (!w) return FALSE;
  if (w->sdl) SDL_DestroyWindow(w->sdl);
  g_windows.erase(std::find(g_windows.begin(), g_windows.end(), w));
  delete w;
  return TRUE;
}

BOOL IsWindow(HWND hwnd) { return plat::Live(hwnd) ? TRUE : FALSE; }

BOOL ShowWindow(HWND hwnd, int cmd) {
  PlatWindow* w = plat::Live(hwnd);
  if (!w) return FALSE;
  BOOL was = w->visible ? TRUE : FALSE;
  if (cmd == SW_HIDE) {
    w->visible = false;
    if (w->sdl) SDL_HideWindow(w->sdl);
    return was;
  }
  w->visible = true;
  if (!plat::Materialize(w)) return was;
  SDL_ShowWindow(w->sdl);
  if (cmd == SW_MINIMIZE || cmd == SW_SHOWMINIMIZED) {
    SDL_MinimizeWindow(w->sdl);
    w->minimized = true;
  } else if (cmd == SW_RESTORE) {
    SDL_RestoreWindow(w->sdl);
    w->minimized = false;
  }
  return was;
}

BOOL IsIconic(HWND hwnd) {
  PlatWindow* w = plat::Live(hwnd);
  return w && w->minimized ? TRUE : FALSE;
}

BOOL SetForegroundWindow(HWND hwnd) {
  PlatWindow* w = plat::Live(hwnd);
  if (!w || !w->sdl) return FALSE;
  SDL_RaiseWindow(w->sdl);
  return TRUE;
}

HWND SetFocus(HWND hwnd) {
  // Raising asks the window manager for the focus; without one the pointer
  // decides, as X does by default.
  SetForegroundWindow(hwnd);
  return nullptr;
}

static void Borders(PlatWindow* w, int* top, int* left, int* bottom, int* right) {
  *top = *left = *bottom = *right = 0;
  if (w->sdl && !(w->style & WS_POPUP)) SDL_GetWindowBordersSize(w->sdl, top, left, bottom, right);
}

BOOL GetWindowRect(HWND hwnd, RECT* r) {
  PlatWindow* w = plat::Live(hwnd);
  if (!w || !r) return FALSE;
  int x = w->x, y = w->y, cw = w->w, ch = w->h;
  if (w->sdl) {
    SDL_GetWindowPosition(w->sdl, &x, &y);
    SDL_GetWindowSize(w->sdl, &cw, &ch);
  }
  int top, left, bottom, right;
  Borders(w, &top, &left, &bottom, &right);
  *r = RECT{x - left, y - top, x + cw + right, y + ch + bottom};
  return TRUE;
}

BOOL GetClientRect(HWND hwnd, RECT* r) {
  PlatWindow* w = plat::Live(hwnd);
  if (!w || !r) return FALSE;
  int cw = w->w, ch = w->h;
  if (w->sdl) SDL_GL_GetDrawableSize(w->sdl, &cw, &ch);
  *r = RECT{0, 0, cw, ch};
  return TRUE;
}

BOOL AdjustWindowRectEx(RECT* r, DWORD, BOOL, DWORD) {
  // Sizes handed to CreateWindowExA are client sizes here: nothing to add.
  return r ? TRUE : FALSE;
}

HDC GetDC(HWND hwnd) {
  PlatWindow* w = plat::Live(hwnd);
  return w ? &w->dc : nullptr;
}

int ReleaseDC(HWND hwnd, HDC dc) {
  PlatWindow* w = plat::Live(hwnd);
  return w && dc == &w->dc ? 1 : 0;
}

int GetSystemMetrics(int index) {
  if (!plat::EnsureVideo()) return 0;
  PlatWindow* framed = nullptr;
  for (PlatWindow* w : g_windows)
    if (w->sdl && !(w->style & WS_POPUP)) framed = w;
  int top = 0, left = 0, bottom = 0, right = 0;
  if (framed) Borders(framed, &top, &left, &bottom, &right);
  SDL_DisplayMode m{};
  switch (index) {
    case SM_CXSCREEN: return SDL_GetDesktopDisplayMode(0, &m) == 0 ? m.w : 0;
    case SM_CYSCREEN: return SDL_GetDesktopDisplayMode(0, &m) == 0 ? m.h : 0;
    // The frame of a framed window as the window manager draws it (0 without one),
    // so that GetWindowRect plus these gives the client origin.
    case SM_CXEDGE: return left;
    case SM_CYEDGE: return bottom;
    case SM_CYCAPTION: return top;
    default: return 0;
  }
}

// Over one of our windows the pointer is the window's position plus SDL's
// window-relative pointer, which every motion event and warp keeps current;
// the global query can answer a stale position after a warp when the pointer
// then moves without raw input events (a synthetic pointer, a remote display).
BOOL GetCursorPos(POINT* p) {
  if (!p || !plat::EnsureVideo()) return FALSE;
  int x = 0, y = 0;
  if (SDL_Window* w = SDL_GetMouseFocus()) {
    int wx = 0, wy = 0;
    SDL_GetWindowPosition(w, &wx, &wy);
    SDL_GetMouseState(&x, &y);
    *p = POINT{wx + x, wy + y};
    return TRUE;
  }
  SDL_GetGlobalMouseState(&x, &y);
  *p = POINT{x, y};
  return TRUE;
}

BOOL SetCursorPos(int x, int y) {
  if (!plat::EnsureVideo()) return FALSE;
  if (SDL_Window* w = SDL_GetMouseFocus()) {
    int wx = 0, wy = 0, ww = 0, wh = 0;
    SDL_GetWindowPosition(w, &wx, &wy);
    SDL_GetWindowSize(w, &ww, &wh);
    if (x >= wx && y >= wy && x < wx + ww && y < wy + wh) {
      SDL_WarpMouseInWindow(w, x - wx, y - wy);
      return TRUE;
    }
  }
  return SDL_WarpMouseGlobal(x, y) == 0 ? TRUE : FALSE;
}

int ShowCursor(BOOL show) {
  static int counter = 0;
  counter += show ? 1 : -1;
  if (plat::EnsureVideo()) SDL_ShowCursor(counter >= 0 ? SDL_ENABLE : SDL_DISABLE);
  return counter;
}
