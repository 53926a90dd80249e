// What the world benchmarks share: the GL-order (column-major) view and
// projection matrices of a camera, to set the view frustum without a GL
// context, a viewport camera set up on one, and the hilly test terrain of
// the default data set.
#pragma once

#include <cmath>
#include <string>

#include "core/core.h"
#include "render/render.h"
#include "ui/ui.h"
#include "world/world.h"

inline void CameraMatrices(vec3 eye, vec3 at, float fovDeg, float aspect, float n, float f, float* mv, float* pr) {
  vec3 fw = normalize(at - eye), up(0, 1, 0);
  vec3 s = normalize(cross(fw, up)), u = cross(s, fw);
  const float m[16] = {s.x, u.x, -fw.x, 0, s.y, u.y, -fw.y, 0, s.z, u.z, -fw.z, 0,
                       -dot(s, eye), -dot(u, eye), dot(fw, eye), 1};
  for (int i = 0; i < 16; ++i) mv[i] = m[i];
  float t = 1.0f / std::tan(fovDeg * 0.5f * 3.14159265f / 180.0f);
  const float p[16] = {t / aspect, 0, 0, 0, 0, t, 0, 0, 0, 0, (f + n) / (n - f), -1, 0, 0, 2 * f * n / (n - f), 0};
  for (int i = 0; i < 16; ++i) pr[i] = p[i];
}

// A camera over the whole w x h window, from `eye` to `look`, set up as a
// frame does it (viewport, 60 degrees, planes 1 and 1000, view) and made the
// current one, with the sprite orientation and the view frustum taken from it.
inline void BenchFrameCamera(t_VPortKam& cam, int w, int h, vec3 eye, vec3 look) {
  cam.vpW = w;
  cam.vpH = h;
  cam.fov = 60;
  cam.aspect = double(w) / h;
  cam.znear = 1;
  cam.zfar = 1000;
  cam.eye = eye;
  cam.target = look;
  cam.Set1();
  cam.Set2_ProjMode(1);
  cam.Set3_Kamera();
  glob_nowVPKam = &cam;
  Sprr1.UpdMatrix();
  Sprr1.UpdR360();
  Fru1.Update();
}

// The view frustum of a camera high over the middle of the map that sees all
// of it.
inline void WholeMapFrustum() {
  float mv[16], pr[16];
  CameraMatrices(vec3(2000, 3000, 1990), vec3(2000, 0, 2000), 90, 4.0f / 3, 10, 6000, mv, pr);
  Fru1.FromMatrices(mv, pr);
}

// The test level's terrain from the default height map, laid out once. The
// settings stay as they are: those a benchmark has loaded are its own.
inline void TestTerrain() {
  static bool done = false;
  if (done) return;
  done = true;
  sysSRand(1);
  PlitHold.FirstLayout();
  PlitHold.InitHMap(std::string(VELMAR_SOURCE_DIR) + "/data/testhmap.tga");
}

// The test terrain with the units' draw gate open and the view frustum of a
// camera high over the middle that sees the whole map.
inline void TestTerrainSeenWhole() {
  static bool done = false;
  if (done) return;
  done = true;
  TestTerrain();
  *o2::TestFgrDrawUnit = 1;
  WholeMapFrustum();
}
