// What the program shell uses of the world model: the path-finder's memory,
// taken before start-up and given back at the end.
#pragma once

void InitPathfinder();
void EndPathfinder();
