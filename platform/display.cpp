// Display modes of the first display and the full-screen switch.
#include "platform/internal.h"

namespace {

// A full-screen mode asked for with CDS_FULLSCREEN; the next window without a
// frame takes it.
bool g_fullPending = false;
SDL_DisplayMode g_fullMode{};

DWORD BitsOf(const SDL_DisplayMode& m) {
  int bytes = SDL_BYTESPERPIXEL(m.format);
  return bytes >= 3 ? 32u : DWORD(bytes * 8);
}

bool Matches(const SDL_DisplayMode& m, const DEVMODEA& want) {
  if ((want.dmFields & DM_PELSWIDTH) && DWORD(m.w) != want.dmPelsWidth) return false;
  if ((want.dmFields & DM_PELSHEIGHT) && DWORD(m.h) != want.dmPelsHeight) return false;
  if ((want.dmFields & DM_BITSPERPEL) && BitsOf(m) != want.dmBitsPerPel) return false;
  // A display that reports no refresh rate matches every rate.
  if ((want.dmFields & DM_DISPLAYFREQUENCY) && m.refresh_rate != 0 &&
      DWORD(m.refresh_rate) != want.dmDisplayFrequency)
    return false;
  return true;
}

}  // namespace

namespace plat {
bool TakeFullscreenMode(SDL_DisplayMode* out) {
  if (!g_fullPending) return false;
  *out = g_fullMode;
  return true;
}
}  // namespace plat

BOOL EnumDisplaySettingsA(const char*, DWORD index, DEVMODEA* mode) {
  if (!mode || !plat::EnsureVideo()) return FALSE;
  SDL_DisplayMode m{};
  if (index == ENUM_CURRENT_SETTINGS) {
    if (SDL_GetDesktopDisplayMode(0, &m) != 0) return FALSE;
  } else if (int(index) >= SDL_GetNumDisplayModes(0) || SDL_GetDisplayMode(0, int(index), &m) != 0) {
    return FALSE;
  }
  mode->dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL | DM_DISPLAYFREQUENCY;
  mode->dmPelsWidth = DWORD(m.w);
  mode->dmPelsHeight = DWORD(m.h);
  mode->dmBitsPerPel = BitsOf(m);
  mode->dmDisplayFrequency = DWORD(m.refresh_rate);
  return TRUE;
}

LONG ChangeDisplaySettingsA(DEVMODEA* mode, DWORD flags) {
  if (!plat::EnsureVideo()) return DISP_CHANGE_FAILED;
  if (!mode) {  // back to the desktop mode
    g_fullPending = false;
    for (PlatWindow* w : plat::Windows()) {
      if (w->sdl && (SDL_GetWindowFlags(w->sdl) & SDL_WINDOW_FULLSCREEN)) {
        SDL_SetWindowFullscreen(w->sdl, 0);
        SDL_SetWindowSize(w->sdl, w->w, w->h);
      }
    }
    return DISP_CHANGE_SUCCESSFUL;
  }
  int n = SDL_GetNumDisplayModes(0);
  for (int i = 0; i < n; ++i) {
    SDL_DisplayMode m{};
    if (SDL_GetDisplayMode(0, i, &m) != 0 || !Matches(m, *mode)) continue;
    if (flags & CDS_TEST) return DISP_CHANGE_SUCCESSFUL;
    g_fullPending = (flags & CDS_FULLSCREEN) != 0;
    g_fullMode = m;
    return DISP_CHANGE_SUCCESSFUL;
  }
  return DISP_CHANGE_BADMODE;
}
