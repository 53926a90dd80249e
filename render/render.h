// Public surface of the render engine: GL set-up and extensions, pictures and
// textures, off-screen buffers, render state, materials, draw helpers, fog and
// frustum, geometry builders, viewport cameras, the render queues and the
// render machine, models and their binary block, sprites, the generated-mesh
// pool, lights, the sky, the ground light map with its decals, picking, BMP
// files and screenshots.
#pragma once

#include "render/OpenGL_Ext.h"
#include "render/PBuffer.h"
#include "render/bmp.h"
#include "render/drawhelpers.h"
#include "render/frustum.h"
#include "render/genmesh.h"
#include "render/geometry.h"
#include "render/groundlight.h"
#include "render/image0.h"
#include "render/lights.h"
#include "render/materials.h"
#include "render/models.h"
#include "render/picking.h"
#include "render/queues.h"
#include "render/rendermash.h"
#include "render/sky.h"
#include "render/sprites.h"
#include "render/texstate.h"
#include "render/vportkam.h"
