// Picking by GL selection, by the depth buffer and by projection.
#include "render/OpenGL_Ext.h"
#include "render/picking.h"

#include <cstring>

#include "render/vportkam.h"
#include "world/world.h"

uint32_t ogl_SelectBuffer[ogl_SelBufKlv];
Fgr4* OGL_SelectMassObj_m[OGL_SelectMassObj_mLast + 1];
float GetPointUnderKurs_testWnZ = 0;

namespace {

void HolderDrawForSelect(int mode) { FgrHld.DrawForSel(mode); }

// The living handle of a selection name (a holder slot), or null.
Fgr4* Resolve(uint32_t name) {
  if (name > 0x7fffffffu) return nullptr;
  Fgr4* f = FgrHld.pFgrFromLogNom(static_cast<int>(name));
  return f && f->Status() ? f : nullptr;
}

// One selection pass over a w x h rectangle at (x, y) (each side at least 3);
// the hit count, negative when the buffer overflowed. The camera's stored
// matrices are those of its last frame again afterwards.
int SelectPass(int mode, int x, int y, t_VPortKam* cam, int w, int h) {
  if (w < 3) w = 3;
  if (h < 3) h = 3;
  double savedMv[16], savedPr[16];
  std::memcpy(savedMv, cam->modelview, sizeof savedMv);
  std::memcpy(savedPr, cam->projection, sizeof savedPr);
  glSelectBuffer(ogl_SelBufKlv, ogl_SelectBuffer);
  glRenderMode(GL_SELECT);
  cam->Set1();
  GLint viewport[4] = {cam->vpX, cam->vpY, cam->vpW, cam->vpH};
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  gluPickMatrix(x, y, w, h, viewport);
  cam->Set2_ProjMode(0);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  cam->Set3_Kamera();
  OGL_FgrsRenderForSelect(mode);
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  int hits = glRenderMode(GL_RENDER);
  std::memcpy(cam->modelview, savedMv, sizeof savedMv);
  std::memcpy(cam->projection, savedPr, sizeof savedPr);
  return hits;
}

// Walks the hit records of the buffer: (name count, min depth, max depth,
// names...); calls take(min depth, first name) for each record with a name.
template <typename Take>
void ForEachHit(int hits, Take take) {
  int at = 0;
  for (int k = 0; k < hits; ++k) {
    if (at + 3 > ogl_SelBufKlv) return;
    uint32_t names = ogl_SelectBuffer[at];
    if (names > static_cast<uint32_t>(ogl_SelBufKlv - at - 3)) return;
    if (names > 0) take(ogl_SelectBuffer[at + 1], ogl_SelectBuffer[at + 3]);
    at += 3 + static_cast<int>(names);
  }
}

}  // namespace

t_SelectDrawFn OGL_SelectDraw = HolderDrawForSelect;

void OGL_FgrsRenderForSelect(int mode) {
  glInitNames();
  if (OGL_SelectDraw) OGL_SelectDraw(mode);
}

int OGL_SelectMassObj(int mode, int x, int y, t_VPortKam* cam, int w, int h) {
  if (!cam) return 0;
  int hits = SelectPass(mode, x, y, cam, w, h);
  if (hits < 1) return 0;
  int n = 0;
  ForEachHit(hits, [&](uint32_t, uint32_t name) {
    if (n > OGL_SelectMassObj_mLast) return;
    if (Fgr4* f = Resolve(name)) OGL_SelectMassObj_m[n++] = f;
  });
  return n;
}

Fgr4* OGL_SelectOneObj(int mode, int x, int y, t_VPortKam* cam, int w, int h) {
  if (!cam) return nullptr;
  if (w > cam->vpW) w = cam->vpW;
  if (h > cam->vpH) h = cam->vpH;
  int hits = SelectPass(mode, x, y, cam, w, h);
  if (hits < 1) return nullptr;
  bool any = false;
  uint32_t nearest = 0, best = 0;
  ForEachHit(hits, [&](uint32_t depth, uint32_t name) {
    if (!any || depth < nearest) {
      any = true;
      nearest = depth;
      best = name;
    }
  });
  return any ? Resolve(best) : nullptr;
}

// The depth read belongs to the pixel's centre, so the centre is un-projected:
// the point then lies on the surface drawn there. A pixel outside the camera's
// viewport, or one where nothing was drawn (the depth still at the far plane,
// as under the sky), holds no ground: nothing is picked and out is left alone.
int GetPointUnderKurs(vec3& out, int x, int y, t_VPortKam* cam) {
  if (!cam) return 0;
  if (x < cam->vpX || x >= cam->vpX + cam->vpW || y < cam->vpY || y >= cam->vpY + cam->vpH) return 0;
  float z = 1.0f;
  glReadPixels(x, y, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &z);
  GetPointUnderKurs_testWnZ = z;
  if (!(z < 1.0f)) return 0;
  GLint viewport[4] = {cam->vpX, cam->vpY, cam->vpW, cam->vpH};
  double wx = 0, wy = 0, wz = 0;
  if (!gluUnProject(x + 0.5, y + 0.5, z, cam->modelview, cam->projection, viewport, &wx, &wy, &wz)) return 0;
  out = vec3(static_cast<float>(wx), static_cast<float>(wy), static_cast<float>(wz));
  return 1;
}

int GetPointToEkran(vec3 p, int& sx, int& sy, t_VPortKam* cam) {
  sx = sy = 9990;
  if (!cam) return 0;
  GLint viewport[4] = {cam->vpX, cam->vpY, cam->vpW, cam->vpH};
  double wx = 0, wy = 0, wz = 0;
  if (!gluProject(p.x, p.y, p.z, cam->modelview, cam->projection, viewport, &wx, &wy, &wz)) return 0;
  if (!(wx > -2e9 && wx < 2e9 && wy > -2e9 && wy < 2e9)) return 0;
  sx = static_cast<int>(wx);
  sy = static_cast<int>(wy);
  return 1;
}
