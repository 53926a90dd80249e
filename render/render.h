// Public surface of the render engine: GL set-up and extensions, pictures and
// textures, off-screen buffers, render state, draw helpers, fog and frustum,
// geometry builders, viewport cameras, the render queues and the render
// machine, BMP files and screenshots.
#pragma once

#include "render/OpenGL_Ext.h"
#include "render/PBuffer.h"
#include "render/bmp.h"
#include "render/drawhelpers.h"
#include "render/frustum.h"
#include "render/geometry.h"
#include "render/image0.h"
#include "render/queues.h"
#include "render/rendermash.h"
#include "render/standins.h"
#include "render/texstate.h"
#include "render/vportkam.h"
