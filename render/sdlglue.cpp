#include "render/sdlglue.h"

#include <SDL2/SDL.h>

void* RenderGetProcAddress(const char* name) { return SDL_GL_GetProcAddress(name); }

bool RenderHaveContext() { return SDL_GL_GetCurrentContext() != nullptr; }

int RenderSwapInterval(int interval) { return SDL_GL_SetSwapInterval(interval) == 0 ? 1 : 0; }

void RenderSwapWindow() {
  if (SDL_Window* w = SDL_GL_GetCurrentWindow()) SDL_GL_SwapWindow(w);
}

void RenderShowMessageBox(const char* caption, const char* text) {
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, caption, text, nullptr);
}
