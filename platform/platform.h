// Public surface of the platform layer: the only code that knows Linux, SDL2,
// GLX and POSIX sockets. It offers what the game expects of the window system,
// WGL, the kernel and the socket layer, with the same numbers and much the
// same shapes.
#pragma once

#include "platform/system.h"
#include "platform/wgl.h"
#include "platform/win_types.h"
#include "platform/window.h"
#include "platform/winsock.h"
