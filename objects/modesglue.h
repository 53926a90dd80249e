// What the world objects use of the game, editor and menu modes: the side
// colours, the tests of where a point lies relative to the current camera,
// whether the editor is the active mode, the ground-light box follow-up and
// the ground point the game keeps.
#pragma once

#include "core/core.h"

class Fgr4;
class t_MBase1;

// The colour of a side (banner 1..6; any other banner gives black).
void RGB_ColorFlag(int banner, float& r, float& g, float& b);
// Sets the draw colour to the side's colour with opacity a.
void RGB_ColorFlagSet(int banner, float a);

// False without a current viewport camera; else true when its eye lies
// strictly inside the XZ square of half side r around the point.
bool Near2DToGlobKam(vec3 point, float r);
// False without a current viewport camera; else true when its eye lies within
// the XZ square of half side r around the placement's position.
bool Near2DToGlobKam(const t_MBase1& motion, float r);

// False without a current camera; true for an orthographic camera; otherwise
// true only when the camera's pitch lies in -75..20 degrees and the bearing
// to (x, z) lies within 81 degrees of its yaw.
bool InFrontOfSoloFotik(float x, float z);

// Non-zero while the editor is the active mode.
int AktivIPPI_ResidentOfEditor();

// Centres the ground-light box on the current camera, when there is one.
void SveKvad_box_UpdPos();

// The last ground point of an order or a pick; new posts and decorations are
// placed there.
extern vec3 test1PointVec;

// The game's object under the pointer (its hover pick), null when none.
extern Fgr4* PlayerFgrUnderKur;
