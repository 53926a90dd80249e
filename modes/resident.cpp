// Which program mode is active: the setting that names the mode to enter at
// start mirrors the current one (3 menu, 4 game, 5 editor).
#include "objects/modesglue.h"
#include "ui/ui.h"

int AktivIPPI_ResidentOfEditor() { return *o2::AktivIPPI == 5; }
