// Stand-ins for what the modes call in libraries that are not here yet. Each
// is declared by its real name and signature, with a temporary definition in
// modes/standins.cpp marked with what replaces it. Delete a line here (and
// its definition) when the real one lands.
#pragma once

#include "modes/soundglue.h"
#include "objects/objects.h"
#include "objects/standins_units.h"

// ---- the command posts: the player's credits and fuel ----
extern int globKredi, globTopli;
