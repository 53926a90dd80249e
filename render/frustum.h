// Fog modes, the view frustum Fru1 and the offline light-map generator.
#pragma once

#include <cstdint>

#include "core/core.h"

void Fog_ProcCase(int mode, float alpha, float r, float g, float b);

namespace fru0 {

void NormalizePlane(float planes[][4], int i);

class CFrustum {
 public:
  // Planes 0 right, 1 left, 2 bottom, 3 top, 4 far, 5 near; inside when
  // a*x + b*y + c*z + d > 0.
  float m_Frustum[6][4] = {};

  void Update();
  int PointInFrustum(float x, float y, float z);
  int Gbr_InFrustum(vec3 min, vec3 max);
  int CubeInFrustum(float x, float y, float z, float half);
  // 1 when the ball of radius r about c lies wholly inside every plane, with
  // a small margin for the rounding of GL's own transforms.
  int BallInside(vec3 c, float r);
  int Box0_InFrustum(Box0* box);
  int LineInFrustum(float* p1, float* p2);
  // Sets the planes from a model-view and a projection matrix (16 floats each,
  // in GL's order); Update reads them from GL.
  void FromMatrices(const float* modelview, const float* projection);

 private:
  int BoxCorners(float x0, float y0, float z0, float x1, float y1, float z1);
};

}  // namespace fru0

extern fru0::CFrustum Fru1;

int8_t* computeNormals(uint8_t* heights, int size);
uint8_t* pByteGenLMap(int8_t* normals, uint8_t* heights, vec3 lightDir, int size, float ambient);
int intersect_map(const vec3& p, vec3 lightPos, vec3 lightDir, uint8_t* heights, int size, float heightScale);
