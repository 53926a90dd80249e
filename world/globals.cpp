// The pools and the holder are built in this order and destroyed in the
// reverse order (holder first, pools last).
#include "world/holder.h"
#include "world/pools.h"

tm_Fgr4W Fgr4W;
t_FgrHld FgrHld;
