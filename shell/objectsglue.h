// What the program shell uses of the world objects: loading the weapon and
// unit tables among the general resources.
#pragma once

// Reads base/_ar_tab.h and base/_units_tab.h.
void LoadArAndUnitsTab();
