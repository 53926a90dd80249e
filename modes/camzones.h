// Small services of the modes that other parts share: the edge zones of the
// game's panel phase 2 in which the pointer steers the camera and their
// drawing, where a point lies relative to the current camera, the pointer
// handling of the camera lift grab, and the side and minimap colours.
// Pointer coordinates are window pixels, y upward from the bottom edge.
#pragma once

#include <cstdint>

#include "objects/modesglue.h"
#include "shell/modesglue.h"

// Move zones (the rotation zones are declared with the shell's glue): each
// answers 1 while the pointer lies in its zone, only in panel phase 2 and
// while its group is switched on. Spans are open: a pointer on a zone's start
// coordinate is outside it.
int guiKamLeft();
int guiKamRit();
int guiKamFwd();
int guiKamBwd();
int guiKamFwd2D();
int guiKamBwd2D();

// Draws the switched-on zones as 4-pixel strips in panel phase 2 (inside the
// 2D pass).
void guiKamDraw();

// Lift grab, each frame: takes the pointer's offset from the window centre
// into the lift settings (the vertical one damped) and re-centres the pointer.
void spePultLift_PrepZna();

// Sets the draw colour of a minimap kind (1..7) with opacity a; other kinds
// set nothing.
void RMap_ColorFlag(int kind, float a);

// Six integers, all zero after construction.
struct t_MouseMoveForZna {
  int32_t v[6] = {};
};
extern t_MouseMoveForZna MouseMove_ShadRingEdit;
