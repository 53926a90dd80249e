#include <cmath>

#include "render/OpenGL_Ext.h"
#include "render/vportkam.h"

t_VPortKam* glob_nowVPKam = nullptr;

float t_VPortKam::ScreenPixels(const vec3& p, float len) const {
  constexpr float kAll = 1e9f;
  if (mode != 0) return orthoW > 0.0f ? len * static_cast<float>(vpW) / orthoW : kAll;
  const float span = 2.0f * length(eye - p) * static_cast<float>(std::tan(fov * M_PI / 360.0));
  return span > 1e-3f ? len * static_cast<float>(vpH) / span : kAll;
}

void t_VPortKam::Set1() {
  if (vpH < 1) vpH = 1;
  glViewport(vpX, vpY, vpW, vpH);
}

void t_VPortKam::Set2_ProjMode(int reset) {
  glMatrixMode(GL_PROJECTION);
  if (reset) glLoadIdentity();
  // A perspective projection needs its near plane in front of the eye: one at
  // or behind it (the constructor's -256 among them) becomes 1, or half the
  // far distance when that is nearer.
  if (mode == 0 && !(znear > 0.0)) znear = zfar > 2.0 ? 1.0 : zfar > 0.0 ? zfar * 0.5 : 1.0;
  if (mode)
    glOrtho(-orthoW / 2.0, orthoW / 2.0, -orthoH / 2.0, orthoH / 2.0, znear, zfar);
  else
    gluPerspective(fov, aspect, znear, zfar);
  glMatrixMode(GL_MODELVIEW);
}

void t_VPortKam::Set3_Kamera() {
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  if (mode) {
    glTranslatef(-eye.x, eye.z, 0);
    switch (mode) {
      case 2: glRotatef(90, 0, 1, 0); break;
      case 3: glRotatef(180, 0, 1, 0); break;
      case 4: glRotatef(-90, 0, 1, 0); break;
      case 5: glRotatef(-90, 1, 0, 0); break;
      case 6: glRotatef(90, 1, 0, 0); break;
      default: break;
    }
  } else {
    gluLookAt(eye.x, eye.y, eye.z, target.x, target.y, target.z, 0, 1, 0);
  }
  glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
}
