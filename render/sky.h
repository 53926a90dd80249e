// The sky, drawn first in a game frame around the camera without depth: a
// belt of coloured quads from the fog colour at the bottom to the sky colour
// at the top, and an optional low cloud dome with two scrolling textures.
#pragma once

#include "core/core.h"

extern vec3 mSkyKpV[25];  // the dome's key points
extern vec3 SkyBeltFV[200];  // belt positions
extern vec3 SkyBeltFC[200];  // belt colours (RGB)
extern int SkyBelt_KlvVertex;
// Added to the first dome texture's offset; kept by the game's camera step.
extern float GKlodKamX, GKlodKamZ;

void mSkyKpV_Init();
// Three bands of (2 n + 2) vertices, n = segments limited to 3..32.
void Create_SkyBelt1(float radius, int segments, float skyR, float skyG, float skyB, float fogR, float fogG,
                     float fogB, float skyFogR, float skyFogG, float skyFogB);
void Draw_SkyBelt1(int withColour, int unused);

namespace SkyDekorSbor {
void Fon_Draw(vec3 camera, int unused);
void Fon_CloudKup1(int blend);
}  // namespace SkyDekorSbor

namespace d3 {
// The dome's geometry with the two texture offsets.
void SkyKupol(float s1, float t1, float s2, float t2);
}  // namespace d3
