// Public surface of the technology tree: each side's technology box with its
// technology records, their built-in table, the tier query and the numbered
// properties the editor shows and edits.
#pragma once

#include "tech/tehbox.h"

// Record r (1..49) and field f (0..11) of property 10..597; false for any
// other number.
bool TehProp_Field(int prop, int& r, int& f);
