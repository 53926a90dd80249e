// What the scene objects use of the selection and unit helpers, declared with
// their real names and signatures until the unit helpers land; the
// definitions are stand-ins in standins.cpp.
#pragma once

#include "core/core.h"

class Fgr4;

// The local player's side (banner) number.
extern int PlayerBanerID;
// 1 when the object is among the player's selected objects (slots 1..count).
int PlayerSelected_AnIn(Fgr4* f);
// A random point of the XZ square of half side r around c.
void RandRavnoMerXZ(float& x, float& z, vec3 c, float r);
// The shot decoration: a laser beam from `from` to `to` that fades from the
// given brightness.
void DekorCrt_Laser(vec3 from, vec3 to, int unused, int brightness);
