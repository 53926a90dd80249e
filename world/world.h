// Public surface of the world model: object handles and event dispatch, the
// typed pools, the object holder with its work lists, the walkability layers,
// the A* path search and path following, the placement record, the terrain
// with its files and height map, the object base file and the minimap.
#pragma once

#include "world/astar.h"
#include "world/fgr4.h"
#include "world/holder.h"
#include "world/mbase1.h"
#include "world/minimap.h"
#include "world/netglue.h"
#include "world/plit.h"
#include "world/pafmove.h"
#include "world/pools.h"
#include "world/type_list.h"
#include "world/walkab.h"
