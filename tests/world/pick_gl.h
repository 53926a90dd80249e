// A hidden SDL window with a GL context, and a GL selection run around a
// drawing callback. Kept apart from the world headers (SDL pulls in <math.h>).
#pragma once

#include <set>
#include <string>

// Opens the window once per process; false with the reason when impossible.
bool PickGlOpen(std::string& error);
// Draws through `draw` in selection mode and returns every name hit.
std::set<unsigned> PickGlSelect(void (*draw)(int), int mode);
// A quad over the whole view, for an object drawn for picking.
void PickGlQuad();
