// Public surface of the world-object library: the 27 object types and the
// frame they share.
#pragma once

#include "objects/fotik.h"
#include "objects/frame.h"
#include "objects/kno.h"
#include "objects/scr_frm.h"
#include "objects/shells.h"
#include "objects/unit.h"
#include "objects/unithelp.h"
#include "objects/unitlists.h"
#include "objects/unitstab.h"
