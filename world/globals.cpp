// The world model's globals built before the program entry, in this order
// and destroyed in the reverse order: the pools, the object base's file
// extension, the holder, then the terrain (terrain first, pools last).
#include <string>

#include "world/holder.h"
#include "world/plit.h"
#include "world/pools.h"

tm_Fgr4W Fgr4W;
std::string FgHFileType = ".fgh";
t_FgrHld FgrHld;
t_PlitHold PlitHold;
