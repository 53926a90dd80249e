#include "tests/render/gl_window.h"

#include <GL/gl.h>
#include <SDL2/SDL.h>

namespace {
SDL_Window* window = nullptr;
SDL_GLContext context = nullptr;
}  // namespace

bool TestGLWindowOpen(int w, int h) {
  if (window) return true;
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return false;
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, 0);
  SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, 0);
  window = SDL_CreateWindow("render test", 0, 0, w, h, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  if (!window) return false;
  context = SDL_GL_CreateContext(window);
  if (!context) return false;
  SDL_GL_MakeCurrent(window, context);
  glViewport(0, 0, w, h);
  return true;
}

void TestGLWindowClose() {
  if (context) SDL_GL_DeleteContext(context);
  if (window) SDL_DestroyWindow(window);
  context = nullptr;
  window = nullptr;
  SDL_Quit();
}

void TestGLRelease() {
  if (window) SDL_GL_MakeCurrent(window, nullptr);
}

void TestGLMakeCurrent() {
  if (window) SDL_GL_MakeCurrent(window, context);
}

void TestReadPixel(int x, int y, uint8_t rgba[4]) {
  glFinish();
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
}
