// Stand-ins for what the world objects call in libraries that are not here
// yet. Each has the real name and signature; delete it when the real one lands.
#include "objects/soundglue.h"

#include "objects/standins_units.h"

// stand-in: replaced by the command posts.
Fgr4* p1FgrKomPult = nullptr;
Fgr4* p2FgrKomPult = nullptr;
