// Stand-ins; see standins.h. Each block names what replaces it.
#include "render/standins.h"

#include "ui/ui.h"

// ---- modes ----
int AktivIPPI_ResidentOfEditor() { return *o2::AktivIPPI == 5; }
vec3 test1PointVec(0, 0, 0);
