// Stand-ins; see standins.h. Each block names what replaces it.
#include "modes/standins.h"

// stand-in: replaced by the command posts.
int globKredi, globTopli;
