// Public surface of the world model: object handles and event dispatch, the
// typed pools, the object holder with its work lists, the walkability layers,
// the A* path search and path following.
#pragma once

#include "world/fgr4.h"
#include "world/holder.h"
#include "world/pools.h"
#include "world/standins.h"
#include "world/type_list.h"
