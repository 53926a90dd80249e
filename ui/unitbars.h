// The small status bars of units and vehicles, drawn in 2D beside their icon:
// up to four (maximum, value) pairs in one of two styles. Their fill alpha
// follows one shared pulse that the game mode advances once per frame.
#pragma once

#include "core/core.h"

extern t_FintFloat UnitBars_ramAlf;

void UnitBars_ramAlf_Upd();
// Draws the bars at (x1, y1) (first style) or beside (x2, y2) (second style,
// chosen by o2::TestDrawBars unless force is set). A pair with maximum 0 or
// less draws nothing.
void RTS_UnitBarsDraw(float x1, float y1, float x2, float y2, float max1, float value1, float max2, float value2,
                      float max3, float value3, float max4, float value4, int force);
// One bar of the first style: a dark frame of length x 4 pixels and a fill of
// value / max of the length.
void RTS_UnitBar1(float& value, float& max, float& x, float y, float length, float r, float g, float b);
