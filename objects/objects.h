// Public surface of the world-object library: the 27 object types and the
// frame they share.
#pragma once

#include "objects/dekor.h"
#include "objects/effects.h"
#include "objects/flr2.h"
#include "objects/fotik.h"
#include "objects/frame.h"
#include "objects/kmd3.h"
#include "objects/kno.h"
#include "objects/land.h"
#include "objects/laser.h"
#include "objects/scr_frm.h"
#include "objects/shells.h"
#include "objects/snow.h"
#include "objects/sputnik.h"
#include "objects/stolb.h"
#include "objects/svet1.h"
#include "objects/trig1.h"
#include "objects/unit.h"
#include "objects/unithelp.h"
#include "objects/unitlists.h"
#include "objects/unitstab.h"
