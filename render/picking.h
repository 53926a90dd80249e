// Picking: GL selection for the objects under a small rectangle or inside a
// dragged one, the depth buffer for the ground point under a pixel, and
// projection of a world point to the window. Selection names are the holder's
// slot numbers; a hit is resolved to its handle through the holder. Window
// coordinates have their origin at the bottom left.
#pragma once

#include <cstdint>

#include "core/core.h"

class Fgr4;
class t_VPortKam;

constexpr int ogl_SelBufKlv = 18000;
constexpr int OGL_SelectMassObj_mLast = 705;
extern uint32_t ogl_SelectBuffer[ogl_SelBufKlv];
// The handles found by the last rectangle pick, in hit order.
extern Fgr4* OGL_SelectMassObj_m[OGL_SelectMassObj_mLast + 1];
extern float GetPointUnderKurs_testWnZ;

// Draws every object for selection under its slot number (the holder's
// picking pass); a test may put its own drawing here.
typedef void (*t_SelectDrawFn)(int mode);
extern t_SelectDrawFn OGL_SelectDraw;
void OGL_FgrsRenderForSelect(int mode);

// Rectangle pick of w x h pixels (at least 3 x 3) centred on (x, y): the
// number of handles found (0..706), stored in OGL_SelectMassObj_m.
int OGL_SelectMassObj(int mode, int x, int y, t_VPortKam* cam, int w, int h);
// The handle nearest the viewer in a w x h rectangle at (x, y); null for none.
Fgr4* OGL_SelectOneObj(int mode, int x, int y, t_VPortKam* cam, int w, int h);
// The world point under window pixel (x, y) from the depth buffer; 1 when found,
// 0 outside the camera's viewport or where the depth is the far plane.
int GetPointUnderKurs(vec3& out, int x, int y, t_VPortKam* cam);
// The window position of p (9990, 9990 when it fails); 1 on success.
int GetPointToEkran(vec3 p, int& sx, int& sy, t_VPortKam* cam);
