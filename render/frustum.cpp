#include "render/OpenGL_Ext.h"
#include "render/frustum.h"

#include <cmath>
#include <new>

#include "ui/ui.h"

fru0::CFrustum Fru1;

namespace {
float fogColour[4] = {0.5f, 0.5f, 0.5f, 1.0f};
}

void Fog_ProcCase(int mode, float alpha, float r, float g, float b) {
  if (mode == 0) {
    glDisable(GL_FOG);
    return;
  }
  glEnable(GL_FOG);
  switch (mode) {
    case 1:
      fogColour[0] = r, fogColour[1] = g, fogColour[2] = b, fogColour[3] = alpha;
      glFogfv(GL_FOG_COLOR, fogColour);
      glFogi(GL_FOG_MODE, GL_LINEAR);
      glFogf(GL_FOG_START, static_cast<float>(*o2::FogDejNear));
      glFogf(GL_FOG_END, static_cast<float>(*o2::FogDejFar));
      break;
    case 2:
      fogColour[0] = r, fogColour[1] = g, fogColour[2] = b, fogColour[3] = alpha;
      glFogfv(GL_FOG_COLOR, fogColour);
      glFogi(GL_FOG_MODE, GL_EXP);
      glFogf(GL_FOG_DENSITY, 0.005f);
      break;
    case 10:
      fogColour[0] = 0.6f, fogColour[1] = 0.7f, fogColour[2] = 0.8f, fogColour[3] = 1.0f;
      glFogfv(GL_FOG_COLOR, fogColour);
      glFogi(GL_FOG_MODE, GL_LINEAR);
      glFogf(GL_FOG_START, 800.0f);
      glFogf(GL_FOG_END, 1300.0f);
      break;
    default:
      break;
  }
}

namespace fru0 {

void NormalizePlane(float planes[][4], int i) {
  float m = std::sqrt(planes[i][0] * planes[i][0] + planes[i][1] * planes[i][1] + planes[i][2] * planes[i][2]);
  for (int k = 0; k < 4; ++k) planes[i][k] /= m;
}

void CFrustum::FromMatrices(const float* mv, const float* proj) {
  float clip[16];
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) {
      float s = 0;
      for (int k = 0; k < 4; ++k) s += mv[4 * i + k] * proj[4 * k + j];
      clip[4 * i + j] = s;
    }
  auto col = [&](int j, int row) { return clip[4 * row + j]; };
  for (int r = 0; r < 4; ++r) {
    m_Frustum[0][r] = col(3, r) - col(0, r);
    m_Frustum[1][r] = col(3, r) + col(0, r);
    m_Frustum[2][r] = col(3, r) + col(1, r);
    m_Frustum[3][r] = col(3, r) - col(1, r);
    m_Frustum[4][r] = col(3, r) - col(2, r);
    m_Frustum[5][r] = col(3, r) + col(2, r);
  }
  for (int p = 0; p < 6; ++p) NormalizePlane(m_Frustum, p);
}

void CFrustum::Update() {
  float proj[16], mv[16];
  glGetFloatv(GL_PROJECTION_MATRIX, proj);
  glGetFloatv(GL_MODELVIEW_MATRIX, mv);
  FromMatrices(mv, proj);
}

int CFrustum::PointInFrustum(float x, float y, float z) {
  for (const float* p : m_Frustum)
    if (p[0] * x + p[1] * y + p[2] * z + p[3] <= 0) return 0;
  return 1;
}

int CFrustum::BoxCorners(float x0, float y0, float z0, float x1, float y1, float z1) {
  for (const float* p : m_Frustum) {
    bool passed = false;
    for (int c = 0; c < 8 && !passed; ++c) {
      float x = c & 1 ? x1 : x0, y = c & 2 ? y1 : y0, z = c & 4 ? z1 : z0;
      passed = p[0] * x + p[1] * y + p[2] * z + p[3] > 0;
    }
    if (!passed) return 0;
  }
  return 1;
}

int CFrustum::Gbr_InFrustum(vec3 mn, vec3 mx) { return BoxCorners(mn.x, mn.y, mn.z, mx.x, mx.y, mx.z); }

int CFrustum::CubeInFrustum(float x, float y, float z, float h) {
  return BoxCorners(x - h, y - h, z - h, x + h, y + h, z + h);
}

int CFrustum::BallInside(vec3 c, float r) {
  const float need = r * 1.001f + 0.01f;
  for (const float* p : m_Frustum)
    if (!(p[0] * c.x + p[1] * c.y + p[2] * c.z + p[3] > need)) return 0;
  return 1;
}

int CFrustum::Box0_InFrustum(Box0* b) {
  if (!b) return 0;
  return BoxCorners(b->gMinX(), b->gMinY(), b->gMinZ(), b->gMaxX(), b->gMaxY(), b->gMaxZ());
}

int CFrustum::LineInFrustum(float* a, float* b) {
  if (!a || !b) return 0;
  for (const float* p : m_Frustum) {
    float da = p[0] * a[0] + p[1] * a[1] + p[2] * a[2] + p[3];
    float db = p[0] * b[0] + p[1] * b[1] + p[2] * b[2] + p[3];
    if (da * db < 0) return 1;
  }
  return 0;
}

}  // namespace fru0

// ---- light map of a square height map ----

int8_t* computeNormals(uint8_t* heights, int size) {
  if (!heights || size < 1) return nullptr;
  size_t n = static_cast<size_t>(size) * size * 3;
  int8_t* out = new (std::nothrow) int8_t[n]();
  if (!out) {
    LogInfo("\n no mem for LMap normals\n");
    return nullptr;
  }
  int half = size / 2;
  auto P = [&](int x, int z) {
    return vec3(static_cast<float>(x - half), static_cast<float>(heights[z * size + x]), static_cast<float>(z - half));
  };
  for (int z = 1; z <= size - 2; ++z)
    for (int x = 1; x <= size - 2; ++x) {
      vec3 C = P(x, z), N1 = P(x - 1, z - 1), N2 = P(x, z - 1), N3 = P(x + 1, z - 1), N4 = P(x + 1, z);
      vec3 N5 = P(x + 1, z + 1), N6 = P(x, z + 1), N7 = P(x - 1, z + 1), N8 = P(x - 1, z);
      (void)N1;
      (void)N5;
      vec3 sum = cross(normalize(C - N2), normalize(N2 - N8)) + cross(normalize(N3 - N2), normalize(N2 - C)) +
                 cross(normalize(N4 - N3), normalize(N3 - C)) + cross(normalize(N5 - N4), normalize(N4 - N6)) +
                 cross(normalize(N6 - C), normalize(C - N7)) + cross(normalize(C - N8), normalize(N8 - N7));
      vec3 nrm = normalize(sum) * 128.0f;
      int8_t* o = out + (static_cast<size_t>(z) * size + x) * 3;
      const float c[3] = {nrm.x, nrm.y, nrm.z};
      for (int k = 0; k < 3; ++k) {
        long v = std::lround(c[k]);
        o[k] = static_cast<int8_t>(v < -128 ? -128 : v > 127 ? 127 : v);
      }
    }
  return out;
}

int intersect_map(const vec3& p, vec3 lightPos, vec3 lightDir, uint8_t* heights, int size, float heightScale) {
  vec3 step = normalize(vec3(lightDir.x, 0, lightDir.z));
  vec3 q = p + step;
  while (true) {
    if (!(q.x < size - 1) || !(q.x > 0) || !(q.z < size - 1) || !(q.z > 0)) return 0;
    float h = p.y + lightPos.y * length(p - q) / length(vec3(q.x, 0, q.z) - vec3(lightPos.x, 0, lightPos.z));
    if (h < heights[static_cast<int>(std::floor(q.z)) * size + static_cast<int>(std::floor(q.x))] * heightScale)
      return 1;
    q = q + step;
  }
}

uint8_t* pByteGenLMap(int8_t* normals, uint8_t* heights, vec3 lightDir, int size, float ambient) {
  if (!normals || !heights || size < 1) return nullptr;
  uint8_t* out = new (std::nothrow) uint8_t[static_cast<size_t>(size) * size];
  if (!out) {
    LogInfo("\n Error: cannot alloc lightmap mem\n");
    return nullptr;
  }
  const float k = 10.0f / 255.0f;
  vec3 l = normalize(lightDir);
  for (int z = 0; z < size; ++z)
    for (int x = 0; x < size; ++x) {
      vec3 p(static_cast<float>(x), heights[z * size + x] * k, static_cast<float>(z));
      vec3 light = p + lightDir * 3000.0f;
      float bright = ambient;
      if (!intersect_map(p, light, lightDir, heights, size, k)) {
        const int8_t* nb = normals + (static_cast<size_t>(z) * size + x) * 3;
        vec3 n = normalize(vec3(nb[0], nb[1], nb[2]));
        bright = ambient + (dot(n, l) + 1.0f) * 0.5f;
        if (bright > 1.0f) bright = 1.0f;
        if (!(bright >= 0.0f)) bright = ambient;  // edge texels have no normal
      }
      out[z * size + x] = static_cast<uint8_t>(static_cast<int>(bright * 255.0f));
    }
  return out;
}
