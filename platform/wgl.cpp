// Pixel formats and GL contexts. The format list is read once from GLX (the
// frame-buffer configurations an X display offers); a window takes its
// format's sizes as SDL GL attributes when it is made. A multisampled window
// that cannot be made is retried with fewer samples, down to none.
#include <GL/glx.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/internal.h"

namespace {

struct Format {
  int red, green, blue, alpha, depth, stencil;
  bool window, opengl, doubleBuffer, full;
  int sampleBuffers, samples;
};

std::vector<Format> g_formats;
bool g_formatsRead = false;
bool g_fromGlx = false;
HGLRC g_current = nullptr;
HDC g_currentDC = nullptr;

void ReadFormats() {
  if (g_formatsRead) return;
  g_formatsRead = true;
  const char* driver = plat::EnsureVideo() ? SDL_GetCurrentVideoDriver() : nullptr;
  Display* d = driver && std::strcmp(driver, "x11") == 0 ? XOpenDisplay(nullptr) : nullptr;
  if (d) {
    int n = 0;
    GLXFBConfig* cfg = glXGetFBConfigs(d, DefaultScreen(d), &n);
    for (int i = 0; cfg && i < n; ++i) {
      auto get = [&](int attr) {
        int v = 0;
        glXGetFBConfigAttrib(d, cfg[i], attr, &v);
        return v;
      };
      if (!(get(GLX_RENDER_TYPE) & GLX_RGBA_BIT) || !get(GLX_X_RENDERABLE)) continue;
      Format f{};
      f.red = get(GLX_RED_SIZE);
      f.green = get(GLX_GREEN_SIZE);
      f.blue = get(GLX_BLUE_SIZE);
      f.alpha = get(GLX_ALPHA_SIZE);
      f.depth = get(GLX_DEPTH_SIZE);
      f.stencil = get(GLX_STENCIL_SIZE);
      f.window = (get(GLX_DRAWABLE_TYPE) & GLX_WINDOW_BIT) != 0;
      f.opengl = true;
      f.doubleBuffer = get(GLX_DOUBLEBUFFER) != 0;
      f.full = get(GLX_CONFIG_CAVEAT) != GLX_SLOW_CONFIG;
      f.sampleBuffers = get(GLX_SAMPLE_BUFFERS);
      f.samples = f.sampleBuffers ? get(GLX_SAMPLES) : 0;
      g_formats.push_back(f);
    }
    if (cfg) XFree(cfg);
    // The connection stays open: closing it unloads the GLX driver, whose
    // allocations would then be reported without names.
    g_fromGlx = !g_formats.empty();
  }
  if (g_formats.empty()) {
    // No GLX to ask: offer the classic formats SDL can always be asked for.
    for (int depth : {24, 16})
      for (int stencil : {8, 0})
        g_formats.push_back(Format{8, 8, 8, 8, depth, stencil, true, true, true, true, 0, 0});
  }
}

const Format* At(int format) {
  ReadFormats();
  return format >= 1 && format <= int(g_formats.size()) ? &g_formats[size_t(format - 1)] : nullptr;
}

int Attribute(const Format& f, int attr, int* value) {
  switch (attr) {
    case WGL_DRAW_TO_WINDOW_ARB: *value = f.window; return 1;
    case WGL_SUPPORT_OPENGL_ARB: *value = f.opengl; return 1;
    case WGL_DOUBLE_BUFFER_ARB: *value = f.doubleBuffer; return 1;
    case WGL_ACCELERATION_ARB:
      *value = f.full ? WGL_FULL_ACCELERATION_ARB : WGL_NO_ACCELERATION_ARB;
      return 1;
    case WGL_PIXEL_TYPE_ARB: *value = WGL_TYPE_RGBA_ARB; return 1;
    case WGL_COLOR_BITS_ARB: *value = f.red + f.green + f.blue; return 1;
    case WGL_RED_BITS_ARB: *value = f.red; return 1;
    case WGL_GREEN_BITS_ARB: *value = f.green; return 1;
    case WGL_BLUE_BITS_ARB: *value = f.blue; return 1;
    case WGL_ALPHA_BITS_ARB: *value = f.alpha; return 1;
    case WGL_DEPTH_BITS_ARB: *value = f.depth; return 1;
    case WGL_STENCIL_BITS_ARB: *value = f.stencil; return 1;
    case WGL_SAMPLE_BUFFERS_ARB: *value = f.sampleBuffers; return 1;
    case WGL_SAMPLES_ARB: *value = f.samples; return 1;
    default: return 0;
  }
}

bool MakeWindow(PlatWindow* w, int format, int samples) {
  plat::ApplyFormatAttributes(format, samples);
  if (w->sdl) {  // made before its format was known: make it again
    SDL_DestroyWindow(w->sdl);
    w->sdl = nullptr;
  }
  return plat::Materialize(w);
}

}  // namespace

namespace plat {

void ApplyFormatAttributes(int format, int samples) {
  SDL_GL_ResetAttributes();
  const Format* f = At(format);
  if (!f) return;
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, f->red);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, f->green);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, f->blue);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, f->alpha);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, f->depth);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, f->stencil);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, f->doubleBuffer ? 1 : 0);
  SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, samples > 0 ? 1 : 0);
  SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, samples > 0 ? samples : 0);
}

int FormatSamples(int format) {
  const Format* f = At(format);
  return f ? f->samples : 0;
}

}  // namespace plat

int ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* pfd) {
  if (!dc || !plat::Live(dc->wnd) || !pfd) return 0;
  ReadFormats();
  int wantColour = pfd->cColorBits >= 24 ? 8 : 5;
  int best = 0, bestScore = 1 << 30;
  for (size_t i = 0; i < g_formats.size(); ++i) {
    const Format& f = g_formats[i];
    if (!f.window || f.sampleBuffers) continue;
    if ((pfd->dwFlags & PFD_DOUBLEBUFFER) && !f.doubleBuffer) continue;
    int score = std::abs(f.red - wantColour) * 8 + std::abs(f.depth - pfd->cDepthBits) * 4 +
                std::abs(f.stencil - pfd->cStencilBits) * 4 + (f.full ? 0 : 1000) +
                (f.alpha == 8 ? 0 : 1);
    if (score < bestScore) {
      bestScore = score;
      best = int(i) + 1;
    }
  }
  return best;
}

BOOL SetPixelFormat(HDC dc, int format, const PIXELFORMATDESCRIPTOR*) {
  if (!dc) return FALSE;
  PlatWindow* w = plat::Live(dc->wnd);
  if (!w || w->pixelFormat || !At(format)) return FALSE;  // a window gets one format only
  int samples = plat::FormatSamples(format);
  while (!MakeWindow(w, format, samples)) {
    if (samples <= 0) return FALSE;
    std::fprintf(stderr, "velmar: no window with %d samples (%s), trying fewer\n", samples,
                 SDL_GetError());
    samples = samples > 2 ? samples / 2 : 0;
  }
  w->pixelFormat = format;
  w->samples = samples;
  return TRUE;
}

BOOL SwapBuffers(HDC dc) {
  PlatWindow* w = dc ? plat::Live(dc->wnd) : nullptr;
  if (!w || !w->sdl) return FALSE;
  SDL_GL_SwapWindow(w->sdl);
  return TRUE;
}

HGLRC wglCreateContext(HDC dc) {
  PlatWindow* w = dc ? plat::Live(dc->wnd) : nullptr;
  if (!w || !w->pixelFormat || !w->sdl) return nullptr;
  SDL_GLContext c = SDL_GL_CreateContext(w->sdl);
  if (!c) return nullptr;
  // Creating made it current; the caller makes it current when it wants it.
  if (g_current) SDL_GL_MakeCurrent(g_current->wnd->sdl, g_current->ctx);
  else SDL_GL_MakeCurrent(w->sdl, nullptr);
  return new PlatContext{c, w};
}

BOOL wglMakeCurrent(HDC dc, HGLRC rc) {
  if (!rc) {
    if (g_current && plat::Live(g_current->wnd)) SDL_GL_MakeCurrent(g_current->wnd->sdl, nullptr);
    g_current = nullptr;
    g_currentDC = nullptr;
    return TRUE;
  }
  PlatWindow* w = dc ? plat::Live(dc->wnd) : nullptr;
  if (!w || !w->sdl || SDL_GL_MakeCurrent(w->sdl, rc->ctx) != 0) return FALSE;
  g_current = rc;
  g_currentDC = dc;
  return TRUE;
}

BOOL wglDeleteContext(HGLRC rc) {
  if (!rc) return FALSE;
  if (rc == g_current) wglMakeCurrent(nullptr, nullptr);
  SDL_GL_DeleteContext(rc->ctx);
  delete rc;
  return TRUE;
}

HGLRC wglGetCurrentContext() { return g_current; }
HDC wglGetCurrentDC() { return g_currentDC; }

void* wglGetProcAddress(const char* name) {
  return name && plat::EnsureVideo() ? SDL_GL_GetProcAddress(name) : nullptr;
}

const char* wglGetExtensionsStringARB(HDC) {
  ReadFormats();
  if (!g_fromGlx) return "WGL_ARB_extensions_string";
  bool multi = std::any_of(g_formats.begin(), g_formats.end(),
                           [](const Format& f) { return f.sampleBuffers != 0; });
  return multi ? "WGL_ARB_extensions_string WGL_ARB_pixel_format WGL_ARB_multisample "
                 "WGL_EXT_swap_control"
               : "WGL_ARB_extensions_string WGL_ARB_pixel_format WGL_EXT_swap_control";
}

BOOL wglGetPixelFormatAttribivARB(HDC, int format, int, UINT n, const int* attributes,
                                  int* values) {
  ReadFormats();
  if (!attributes || !values) return FALSE;
  for (UINT i = 0; i < n; ++i) {
    if (attributes[i] == WGL_NUMBER_PIXEL_FORMATS_ARB) {
      values[i] = int(g_formats.size());
      continue;
    }
    const Format* f = At(format);
    if (!f || !Attribute(*f, attributes[i], &values[i])) return FALSE;
  }
  return TRUE;
}

BOOL wglChoosePixelFormatARB(HDC, const int* intAttribs, const float*, UINT maxFormats,
                             int* formats, UINT* numFormats) {
  ReadFormats();
  if (!numFormats) return FALSE;
  *numFormats = 0;
  std::vector<int> hits;
  for (size_t i = 0; i < g_formats.size(); ++i) {
    bool ok = true;
    for (const int* a = intAttribs; ok && a && a[0]; a += 2) {
      int have = 0;
      if (!Attribute(g_formats[i], a[0], &have)) return FALSE;
      bool atLeast = a[0] == WGL_RED_BITS_ARB || a[0] == WGL_GREEN_BITS_ARB ||
                     a[0] == WGL_BLUE_BITS_ARB || a[0] == WGL_ALPHA_BITS_ARB ||
                     a[0] == WGL_DEPTH_BITS_ARB || a[0] == WGL_STENCIL_BITS_ARB ||
                     a[0] == WGL_COLOR_BITS_ARB || a[0] == WGL_SAMPLE_BUFFERS_ARB ||
                     a[0] == WGL_SAMPLES_ARB;
      ok = atLeast ? have >= a[1] : have == a[1];
    }
    if (ok) hits.push_back(int(i) + 1);
  }
  // Closest first: fewest samples, then smallest sizes.
  std::stable_sort(hits.begin(), hits.end(), [](int a, int b) {
    const Format& x = g_formats[size_t(a - 1)];
    const Format& y = g_formats[size_t(b - 1)];
    if (x.samples != y.samples) return x.samples < y.samples;
    return x.depth + x.stencil + x.red < y.depth + y.stencil + y.red;
  });
  for (int h : hits) {
    if (*numFormats >= maxFormats) break;
    if (formats) formats[*numFormats] = h;
    ++*numFormats;
  }
  return TRUE;
}

BOOL wglSwapIntervalEXT(int interval) {
  SDL_GL_SetSwapInterval(interval);  // refused under Xvfb; nothing depends on it
  return TRUE;
}
