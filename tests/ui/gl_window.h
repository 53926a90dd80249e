// A real GL window for the text tests: SDL2, compatibility profile, no
// multisampling, an orthographic 2D pass over the whole window.
#pragma once

#include <SDL2/SDL.h>
#include <GL/gl.h>

#include <vector>

struct TestGLWindow {
  SDL_Window* win = nullptr;
  SDL_GLContext ctx = nullptr;
  int w = 0, h = 0;

  bool Open(int width = 800, int height = 600) {
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return false;
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, 0);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, 0);
    win = SDL_CreateWindow("velmar text test", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width, height,
                           SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
    if (!win) return false;
    ctx = SDL_GL_CreateContext(win);
    if (!ctx) return false;
    SDL_GL_MakeCurrent(win, ctx);
    SDL_GL_GetDrawableSize(win, &w, &h);
    Begin2DPass();
    return true;
  }

  // SDL stays initialised: unloading the GL driver before the process ends
  // would leave the leak checker with frames it cannot name.
  void Close() {
    if (ctx) SDL_GL_DeleteContext(ctx);
    if (win) SDL_DestroyWindow(win);
    ctx = nullptr;
    win = nullptr;
  }

  // Pixel projection over the window, y up from the bottom edge.
  void Begin2DPass() {
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, w, 0, h, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
  }

  void Clear() {
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }

  // RGBA bytes of a rectangle, bottom row first.
  std::vector<unsigned char> Read(int x, int y, int rw, int rh) const {
    std::vector<unsigned char> px(static_cast<size_t>(rw) * rh * 4);
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, rw, rh, GL_RGBA, GL_UNSIGNED_BYTE, px.data());
    return px;
  }

  // Pixels of a rectangle whose red, green or blue exceeds the threshold.
  int CountLit(int x, int y, int rw, int rh, int threshold = 100) const {
    auto px = Read(x, y, rw, rh);
    int n = 0;
    for (size_t i = 0; i < px.size(); i += 4)
      if (px[i] > threshold || px[i + 1] > threshold || px[i + 2] > threshold) ++n;
    return n;
  }
};
