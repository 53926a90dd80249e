// What the program shell uses of the render engine: the extension loader and
// GL set-up with the extension flags the window code tests, the picture
// groups the start-up clears, the screenshot writer and the model block the
// frame may save.
#pragma once

#include "render/OpenGL_Ext.h"
#include "render/bmp.h"
#include "render/image0.h"
#include "render/models.h"
