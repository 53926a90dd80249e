// What the world objects use of the technology tree: the command post links
// its side's technology box by the box's handle.
#pragma once

#include "tech/tehbox.h"
