// What the world model uses of the technology tree: the technology box type,
// whose bodies live in one of the typed pools and whose events the handles
// dispatch.
#pragma once

#include "tech/tehbox.h"
