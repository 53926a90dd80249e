// Viewport cameras: a screen rectangle, a projection and a view; setting one
// up stores the resulting matrices for picking and projection.
#pragma once

#include <cstdint>

#include "core/core.h"

class t_VPortKam {
 public:
  int32_t vpX = 0, vpY = 0, vpW = 64, vpH = 64;
  int32_t mode = 0;  // 0 perspective; else orthographic, 2..6 with a fixed turn
  float orthoW = 1.0f, orthoH = 1.0f;
  vec3 eye{1.0f, 1.0f, 0.0f};
  vec3 target{0.0f, 0.0f, 0.0f};
  double fov = 60.0, aspect = 1.0, znear = -256.0, zfar = 256.0;
  double modelview[16];
  double projection[16];

  void Set1();
  void Set2_ProjMode(int reset);
  void Set3_Kamera();
  vec3 Pos() { return eye; }
  // The screen pixels a length at p covers (as good as endless for a
  // degenerate view).
  float ScreenPixels(const vec3& p, float len) const;
};

// The viewport camera of the current pass (null when none).
extern t_VPortKam* glob_nowVPKam;
