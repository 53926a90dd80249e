// What the settings editor's page helpers use of the front end of the modes:
// the editor-object list li8 and its half width in pixels.
#pragma once

class t_Lin2;

extern int Menu_li8_WHaf;
// The front end's editor-object list (li8).
t_Lin2* EdFgr_li8();
