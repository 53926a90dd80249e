// Stand-ins for what the world objects call in libraries that are not here
// yet. Each has the real name and signature; delete it when the real one lands.
#include "objects/soundglue.h"

// stand-in: replaced by the game mode (the hover pick).
#include "objects/standins_units.h"

Fgr4* PlayerFgrUnderKur = nullptr;
