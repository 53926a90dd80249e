// Stand-ins for what the units call in work that has not landed yet: each is
// declared here by its real name and signature, with a temporary definition
// in objects/standins.cpp. Delete a line here (and its definition) when the
// real one arrives.
#pragma once

class Fgr4;

// The game mode's object under the pointer (hover pick), null when none.
extern Fgr4* PlayerFgrUnderKur;
