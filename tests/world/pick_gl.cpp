#include "tests/world/pick_gl.h"

#include <GL/gl.h>
#include <SDL2/SDL.h>

namespace {
SDL_Window* win = nullptr;
SDL_GLContext ctx = nullptr;
}  // namespace

// The window stays open for the whole process: closing it unloads the GL
// driver, and the leak checker could no longer tell the driver's own blocks.
bool PickGlOpen(std::string& error) {
  if (ctx) return true;
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    error = SDL_GetError();
    return false;
  }
  win = SDL_CreateWindow("pick", 0, 0, 64, 64, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  if (win) ctx = SDL_GL_CreateContext(win);
  if (!ctx) {
    error = SDL_GetError();
    if (win) SDL_DestroyWindow(win);
    win = nullptr;
    return false;
  }
  return true;
}

std::set<unsigned> PickGlSelect(void (*draw)(int), int mode) {
  static GLuint buf[4096];
  glSelectBuffer(4096, buf);
  glRenderMode(GL_SELECT);
  glInitNames();
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  draw(mode);
  GLint hits = glRenderMode(GL_RENDER);
  std::set<unsigned> names;
  GLuint* p = buf;
  for (GLint i = 0; i < hits; ++i) {
    GLuint n = p[0];
    for (GLuint k = 0; k < n; ++k) names.insert(p[3 + k]);
    p += 3 + n;
  }
  return names;
}

void PickGlQuad() {
  glBegin(GL_QUADS);
  glVertex2f(-1, -1);
  glVertex2f(1, -1);
  glVertex2f(1, 1);
  glVertex2f(-1, 1);
  glEnd();
}
