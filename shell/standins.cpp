// Stand-ins; see standins.h.
#include "shell/standins.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "shell/ekran.h"
#include "shell/genres.h"
#include "shell/glwindow.h"
#include "shell/input.h"
#include "shell/ippi.h"
#include "shell/konfig.h"
#include "ui/ui.h"
#include "world/world.h"

// --- services the general resources load and release ------------------------------

// --- world model -----------------------------------------------------------------------

