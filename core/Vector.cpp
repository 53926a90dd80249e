#include "core/Vector.h"

#include <utility>

namespace {

// Truncation toward zero that saturates instead of overflowing (NaN gives 0).
uint32_t channel(float v) {
  float f = v * 255.0f;
  if (!(f > -2147483648.0f)) return f != f ? 0u : (uint32_t)INT32_MIN;
  if (f >= 2147483647.0f) return (uint32_t)INT32_MAX;
  return (uint32_t)(int32_t)f;
}

}  // namespace

uint32_t toRGBA(const vec4& c) {
  // Each channel is truncated toward zero and added at its byte; values outside
  // 0..1 spill into the neighbouring bytes as in the packed colour arithmetic.
  return channel(c.x) + (channel(c.y) << 8) + (channel(c.z) << 16) + (channel(c.w) << 24);
}

uint32_t toBGRA(const vec4& c) { return toRGBA(vec4(c.z, c.y, c.x, c.w)); }

void VecStaEdit(vec3& a, vec3 b, float d) {
  if (d != 0) a += normalize2(b - a) * d;
}

void VecEndEdit(vec3 a, vec3& b, float d) {
  if (d != 0) b += normalize2(a - b) * d;
}

namespace {

template <class M, int N>
M elementwise(const M& a, const M& b, float sa, float sb) {
  M r;
  for (int i = 0; i < N * N; i++) r.m[i] = sa * a.m[i] + sb * b.m[i];
  return r;
}

template <class M, int N>
M scaled(const M& a, float s) {
  M r;
  for (int i = 0; i < N * N; i++) r.m[i] = a.m[i] * s;
  return r;
}

template <class M, int N>
M product(const M& a, const M& b) {
  M r;
  for (int i = 0; i < N; i++)
    for (int j = 0; j < N; j++) {
      float s = 0;
      for (int k = 0; k < N; k++) s += a.m[i * N + k] * b.m[k * N + j];
      r.m[i * N + j] = s;
    }
  return r;
}

template <class M, int N>
M transposed(const M& a) {
  M r;
  for (int i = 0; i < N; i++)
    for (int j = 0; j < N; j++) r.m[j * N + i] = a.m[i * N + j];
  return r;
}

template <class M, int N>
M unit() {
  M r;
  for (int i = 0; i < N * N; i++) r.m[i] = (i % (N + 1) == 0) ? 1.0f : 0.0f;
  return r;
}

}  // namespace

mat2 operator+(const mat2& a, const mat2& b) { return elementwise<mat2, 2>(a, b, 1, 1); }
mat3 operator+(const mat3& a, const mat3& b) { return elementwise<mat3, 3>(a, b, 1, 1); }
mat4 operator+(const mat4& a, const mat4& b) { return elementwise<mat4, 4>(a, b, 1, 1); }
mat2 operator-(const mat2& a, const mat2& b) { return elementwise<mat2, 2>(a, b, 1, -1); }
mat3 operator-(const mat3& a, const mat3& b) { return elementwise<mat3, 3>(a, b, 1, -1); }
mat4 operator-(const mat4& a, const mat4& b) { return elementwise<mat4, 4>(a, b, 1, -1); }
mat2 operator-(const mat2& m) { return scaled<mat2, 2>(m, -1); }
mat3 operator-(const mat3& m) { return scaled<mat3, 3>(m, -1); }
mat4 operator-(const mat4& m) { return scaled<mat4, 4>(m, -1); }
mat2 operator*(const mat2& m, float s) { return scaled<mat2, 2>(m, s); }
mat3 operator*(const mat3& m, float s) { return scaled<mat3, 3>(m, s); }
mat4 operator*(const mat4& m, float s) { return scaled<mat4, 4>(m, s); }
mat2 operator*(const mat2& a, const mat2& b) { return product<mat2, 2>(a, b); }
mat3 operator*(const mat3& a, const mat3& b) { return product<mat3, 3>(a, b); }
mat4 operator*(const mat4& a, const mat4& b) { return product<mat4, 4>(a, b); }
mat2 transpose(const mat2& m) { return transposed<mat2, 2>(m); }
mat3 transpose(const mat3& m) { return transposed<mat3, 3>(m); }
mat4 transpose(const mat4& m) { return transposed<mat4, 4>(m); }
mat2 identity2() { return unit<mat2, 2>(); }
mat3 identity3() { return unit<mat3, 3>(); }
mat4 identity4() { return unit<mat4, 4>(); }

vec2 operator*(const mat2& m, const vec2& v) {
  return vec2(m.m[0] * v.x + m.m[1] * v.y, m.m[2] * v.x + m.m[3] * v.y);
}

vec3 operator*(const mat3& m, const vec3& v) {
  return vec3(m.m[0] * v.x + m.m[1] * v.y + m.m[2] * v.z, m.m[3] * v.x + m.m[4] * v.y + m.m[5] * v.z,
              m.m[6] * v.x + m.m[7] * v.y + m.m[8] * v.z);
}

vec4 operator*(const mat4& m, const vec4& v) {
  vec4 r;
  for (int i = 0; i < 4; i++)
    (&r.x)[i] = m.m[i * 4] * v.x + m.m[i * 4 + 1] * v.y + m.m[i * 4 + 2] * v.z + m.m[i * 4 + 3] * v.w;
  return r;
}

mat4 operator!(const mat4& in) {
  float a[4][8];
  for (int i = 0; i < 4; i++)
    for (int j = 0; j < 4; j++) {
      a[i][j] = in.m[i * 4 + j];
      a[i][j + 4] = (i == j) ? 1.0f : 0.0f;
    }
  for (int i = 0; i < 4; i++) {
    if (std::fabs(a[i][i]) < 0.0001f) {
      int best = i;
      for (int r = i + 1; r < 4; r++)
        if (std::fabs(a[r][i]) > std::fabs(a[best][i])) best = r;
      if (best != i)
        for (int c = i; c < 8; c++) std::swap(a[i][c], a[best][c]);
    }
    float p = a[i][i];
    for (int c = i; c < 8; c++) a[i][c] /= p;
    for (int r = 0; r < 4; r++) {
      if (r == i) continue;
      float f = a[r][i];
      for (int c = i; c < 8; c++) a[r][c] -= f * a[i][c];
    }
  }
  mat4 out;
  for (int i = 0; i < 4; i++)
    for (int j = 0; j < 4; j++) out.m[i * 4 + j] = a[i][j + 4];
  return out;
}

void mat4::translate(const vec3& t) {
  for (int r = 0; r < 4; r++) m[r * 4 + 3] += m[r * 4] * t.x + m[r * 4 + 1] * t.y + m[r * 4 + 2] * t.z;
}

mat4 translate(const vec3& t) {
  return mat4(1, 0, 0, t.x, 0, 1, 0, t.y, 0, 0, 1, t.z, 0, 0, 0, 1);
}

mat4 rotateX(float a) {
  float c = cosf(a), s = sinf(a);
  return mat4(1, 0, 0, 0, 0, c, -s, 0, 0, s, c, 0, 0, 0, 0, 1);
}

mat4 rotateY(float a) {
  float c = cosf(a), s = sinf(a);
  return mat4(c, 0, -s, 0, 0, 1, 0, 0, s, 0, c, 0, 0, 0, 0, 1);
}

mat4 rotateZ(float a) {
  float c = cosf(a), s = sinf(a);
  return mat4(c, -s, 0, 0, s, c, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
}

mat4 rotateXY(float x, float y) {
  float cx = cosf(x), sx = sinf(x), cy = cosf(y), sy = sinf(y);
  return mat4(cy, 0, -sy, 0, -sx * sy, cx, -sx * cy, 0, cx * sy, sx, cx * cy, 0, 0, 0, 0, 1);
}

mat4 rotateZXY(float x, float y, float z) {
  float cx = cosf(x), sx = sinf(x), cy = cosf(y), sy = sinf(y), cz = cosf(z), sz = sinf(z);
  return mat4(cy * cz + sx * sy * sz, -cx * sz, sx * cy * sz - sy * cz, 0,  //
              cy * sz - sx * sy * cz, cx * cz, -sy * sz - sx * cy * cz, 0,  //
              cx * sy, sx, cx * cy, 0,                                      //
              0, 0, 0, 1);
}

mat4 projectionMatrixX(float fov, float aspect, float zNear, float zFar) {
  float t = tanf(fov * 0.5f);
  return mat4(1.0f / t, 0, 0, 0,                //
              0, 1.0f / (t * aspect), 0, 0,     //
              0, 0, (zFar + zNear) / (zFar - zNear), -2 * zFar * zNear / (zFar - zNear),  //
              0, 0, 1, 0);
}

mat4 cubemapMatrix(int face) {
  switch (face) {
    case 0: return mat4(0, 0, -1, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1);
    case 1: return mat4(0, 0, 1, 0, 0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 0, 1);
    case 2: return mat4(1, 0, 0, 0, 0, 0, -1, 0, 0, 1, 0, 0, 0, 0, 0, 1);
    case 3: return mat4(1, 0, 0, 0, 0, 0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1);
    case 4: return identity4();
    default: return mat4(-1, 0, 0, 0, 0, 1, 0, 0, 0, 0, -1, 0, 0, 0, 0, 1);
  }
}

namespace Gab {

void initFrMinMax(vec3& centre, vec3& half, float minX, float minY, float minZ, float maxX, float maxY,
                  float maxZ) {
  half.s((maxX - minX) / 2, (maxY - minY) / 2, (maxZ - minZ) / 2);
  centre.s(minX + half.x, minY + half.y, minZ + half.z);
}

vec3 c(const vec3& centre, const vec3& half, int i) {
  // Signs of x, y, z per corner number 1..8.
  static const signed char k[8][3] = {{1, 1, 1},  {1, 1, -1},  {-1, 1, -1},  {-1, 1, 1},
                                      {1, -1, 1}, {1, -1, -1}, {-1, -1, -1}, {-1, -1, 1}};
  if (i < 1 || i > 8) return vec3(0.0f);
  const signed char* s = k[i - 1];
  return vec3(centre.x + s[0] * half.x, centre.y + s[1] * half.y, centre.z + s[2] * half.z);
}

}  // namespace Gab
