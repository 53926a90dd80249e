#include "render/sdlglue.h"

#include <SDL2/SDL.h>

bool RenderHaveContext() { return SDL_GL_GetCurrentContext() != nullptr; }
