// Public surface of the foundation library: text and number conversion, the
// byte stream, binary and text file helpers, date stamps, the directory stack,
// the log and the millisecond clock, vector and matrix maths, numeric helpers,
// animated values, grid, bit and copy helpers.
#pragma once

#include "core/chars.h"
#include "core/a_mem.h"
#include "core/a_mem_file.h"
#include "core/a_mem_lenta.h"
#include "core/Vector.h"
#include "core/numeric.h"
#include "core/sysclock.h"
#include "core/sysfs.h"
#include "core/safewrite.h"
#include "core/log.h"
#include "core/timers.h"
#include "core/dates.h"
#include "core/dirstack.h"
#include "core/anim.h"
#include "core/grid.h"
