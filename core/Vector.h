// Vector and matrix maths in single precision: vec2/vec3/vec4 (vec3 is the
// position, direction, size and colour type everywhere), mat2/mat3/mat4 in row
// order with rotation, translation and projection builders, and the box helpers.
// Default constructors leave the values uninitialised (the types stay trivial,
// arrays of vec3 are copied as raw 12-byte blocks and handed to GL).
#pragma once

#include <cmath>
#include <cstdint>

float rsqrtf(float x);  // approximate 1/sqrt(x), numeric.cpp

struct vec2 {
  float x, y;
  vec2() = default;
  explicit vec2(float f) : x(f), y(f) {}
  vec2(float x_, float y_) : x(x_), y(y_) {}
  void s(float x_, float y_) { x = x_; y = y_; }
  float& operator[](int i) { return (&x)[i]; }
  float operator[](int i) const { return (&x)[i]; }
  vec2& operator+=(float f) { x += f; y += f; return *this; }
  vec2& operator-=(float f) { x -= f; y -= f; return *this; }
  vec2& operator*=(float f) { x *= f; y *= f; return *this; }
  vec2& operator/=(float f) { x /= f; y /= f; return *this; }
  vec2& operator+=(const vec2& v) { x += v.x; y += v.y; return *this; }
  vec2& operator-=(const vec2& v) { x -= v.x; y -= v.y; return *this; }
  vec2& operator*=(const vec2& v) { x *= v.x; y *= v.y; return *this; }
  vec2& operator/=(const vec2& v) { x /= v.x; y /= v.y; return *this; }
};

struct vec3 {
  float x, y, z;
  vec3() = default;
  vec3(float f) : x(f), y(f), z(f) {}
  vec3(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}
  void s(float x_, float y_, float z_) { x = x_; y = y_; z = z_; }
  vec3 a(float dx, float dy, float dz) const { return vec3(x + dx, y + dy, z + dz); }
  vec3 ax(float d) const { return vec3(x + d, y, z); }
  vec3 ay(float d) const { return vec3(x, y + d, z); }
  vec3 az(float d) const { return vec3(x, y, z + d); }
  vec3 axz(float dx, float dz) const { return vec3(x + dx, y, z + dz); }
  vec3 ry(float y_) const { return vec3(x, y_, z); }
  float len() const { return sqrtf(x * x + y * y + z * z); }
  float len(const vec3& p) const {
    float dx = p.x - x, dy = p.y - y, dz = p.z - z;
    return sqrtf(dx * dx + dy * dy + dz * dz);
  }
  float& operator[](int i) { return (&x)[i]; }
  float operator[](int i) const { return (&x)[i]; }
  vec3& operator+=(float f) { x += f; y += f; z += f; return *this; }
  vec3& operator-=(float f) { x -= f; y -= f; z -= f; return *this; }
  vec3& operator*=(float f) { x *= f; y *= f; z *= f; return *this; }
  vec3& operator/=(float f) { x /= f; y /= f; z /= f; return *this; }
  vec3& operator+=(const vec3& v) { x += v.x; y += v.y; z += v.z; return *this; }
  vec3& operator-=(const vec3& v) { x -= v.x; y -= v.y; z -= v.z; return *this; }
  vec3& operator*=(const vec3& v) { x *= v.x; y *= v.y; z *= v.z; return *this; }
  vec3& operator/=(const vec3& v) { x /= v.x; y /= v.y; z /= v.z; return *this; }
};

struct vec4 {
  float x, y, z, w;
  vec4() = default;
  explicit vec4(float f) : x(f), y(f), z(f), w(f) {}
  vec4(float x_, float y_, float z_, float w_) : x(x_), y(y_), z(z_), w(w_) {}
  vec4(const vec3& v, float w_) : x(v.x), y(v.y), z(v.z), w(w_) {}
  void s(float x_, float y_, float z_, float w_) { x = x_; y = y_; z = z_; w = w_; }
  vec3 xyz() const { return vec3(x, y, z); }
  operator const float*() const { return &x; }
  vec4& operator+=(float f) { x += f; y += f; z += f; w += f; return *this; }
  vec4& operator-=(float f) { x -= f; y -= f; z -= f; w -= f; return *this; }
  vec4& operator*=(float f) { x *= f; y *= f; z *= f; w *= f; return *this; }
  vec4& operator/=(float f) { x /= f; y /= f; z /= f; w /= f; return *this; }
  vec4& operator+=(const vec4& v) { x += v.x; y += v.y; z += v.z; w += v.w; return *this; }
  vec4& operator-=(const vec4& v) { x -= v.x; y -= v.y; z -= v.z; w -= v.w; return *this; }
  vec4& operator*=(const vec4& v) { x *= v.x; y *= v.y; z *= v.z; w *= v.w; return *this; }
  vec4& operator/=(const vec4& v) { x /= v.x; y /= v.y; z /= v.z; w /= v.w; return *this; }
};

static_assert(sizeof(vec2) == 8 && sizeof(vec3) == 12 && sizeof(vec4) == 16, "vectors are packed floats");

// Component-wise binary operators, generated for each vector type.
#define VELMAR_VEC_OPS(V)                                                                    \
  inline V operator+(V a, const V& b) { return a += b; }                                    \
  inline V operator-(V a, const V& b) { return a -= b; }                                    \
  inline V operator*(V a, const V& b) { return a *= b; }                                    \
  inline V operator/(V a, const V& b) { return a /= b; }                                    \
  inline V operator+(V v, float s) { return v += s; }                                       \
  inline V operator+(float s, V v) { return v += s; }                                       \
  inline V operator-(V v, float s) { return v -= s; }                                       \
  inline V operator*(V v, float s) { return v *= s; }                                       \
  inline V operator*(float s, V v) { return v *= s; }                                       \
  inline V operator/(V v, float s) { return v /= s; }
VELMAR_VEC_OPS(vec2)
VELMAR_VEC_OPS(vec3)
VELMAR_VEC_OPS(vec4)
#undef VELMAR_VEC_OPS

inline vec2 operator-(float s, const vec2& v) { return vec2(s - v.x, s - v.y); }
inline vec3 operator-(float s, const vec3& v) { return vec3(s - v.x, s - v.y, s - v.z); }
inline vec4 operator-(float s, const vec4& v) { return vec4(s - v.x, s - v.y, s - v.z, s - v.w); }
inline vec2 operator/(float s, const vec2& v) { return vec2(s / v.x, s / v.y); }
inline vec3 operator/(float s, const vec3& v) { return vec3(s / v.x, s / v.y, s / v.z); }
inline vec4 operator/(float s, const vec4& v) { return vec4(s / v.x, s / v.y, s / v.z, s / v.w); }
inline vec2 operator-(const vec2& v) { return vec2(-v.x, -v.y); }
inline vec3 operator-(const vec3& v) { return vec3(-v.x, -v.y, -v.z); }
inline vec4 operator-(const vec4& v) { return vec4(-v.x, -v.y, -v.z, -v.w); }

inline float dot(const vec2& a, const vec2& b) { return a.x * b.x + a.y * b.y; }
inline float dot(const vec3& a, const vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline float dot(const vec4& a, const vec4& b) { return a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w; }
inline float length(const vec2& v) { return sqrtf(dot(v, v)); }
inline float length(const vec3& v) { return sqrtf(dot(v, v)); }
inline float length(const vec4& v) { return sqrtf(dot(v, v)); }
inline vec2 normalize(const vec2& v) { return v * (1.0f / length(v)); }
inline vec3 normalize(const vec3& v) { return v * (1.0f / length(v)); }
inline vec4 normalize(const vec4& v) { return v * (1.0f / length(v)); }
// Zero vector for a zero length instead of NaNs.
inline vec3 normalize2(vec3 v) {
  float l = length(v);
  return l == 0.0f ? vec3(0.0f) : v * (1.0f / l);
}
inline vec2 fastNormalize(const vec2& v) { return v * rsqrtf(dot(v, v)); }
inline vec3 fastNormalize(const vec3& v) { return v * rsqrtf(dot(v, v)); }
inline vec4 fastNormalize(const vec4& v) { return v * rsqrtf(dot(v, v)); }

inline float lerp(float a, float b, float t) { return (1 - t) * a + b * t; }
inline vec2 lerp(const vec2& a, const vec2& b, float t) { return a * (1 - t) + b * t; }
inline vec3 lerp(const vec3& a, const vec3& b, float t) { return a * (1 - t) + b * t; }
inline vec4 lerp(const vec4& a, const vec4& b, float t) { return a * (1 - t) + b * t; }

// Cubic through four points: t = 0 gives p1, t = 1 gives p2.
template <class T>
inline T cerp(const T& p0, const T& p1, const T& p2, const T& p3, float t) {
  T a = (p3 - p2) - (p0 - p1);
  T b = (p0 - p1) - a;
  T c = p2 - p0;
  return ((a * t + b) * t + c) * t + p1;
}

inline float sign(float x) { return x > 0 ? 1.0f : (x < 0 ? -1.0f : 0.0f); }
inline vec2 sign(const vec2& v) { return vec2(sign(v.x), sign(v.y)); }
inline vec3 sign(const vec3& v) { return vec3(sign(v.x), sign(v.y), sign(v.z)); }
inline vec4 sign(const vec4& v) { return vec4(sign(v.x), sign(v.y), sign(v.z), sign(v.w)); }

// With lo > hi the result is hi; a NaN stays NaN.
inline float clamp(float x, float lo, float hi) {
  float m = x < lo ? lo : x;
  return hi < m ? hi : m;
}
inline vec2 clamp(const vec2& v, float lo, float hi) { return vec2(clamp(v.x, lo, hi), clamp(v.y, lo, hi)); }
inline vec3 clamp(const vec3& v, float lo, float hi) {
  return vec3(clamp(v.x, lo, hi), clamp(v.y, lo, hi), clamp(v.z, lo, hi));
}
inline vec4 clamp(const vec4& v, float lo, float hi) {
  return vec4(clamp(v.x, lo, hi), clamp(v.y, lo, hi), clamp(v.z, lo, hi), clamp(v.w, lo, hi));
}
inline vec2 clamp(const vec2& v, const vec2& lo, const vec2& hi) {
  return vec2(clamp(v.x, lo.x, hi.x), clamp(v.y, lo.y, hi.y));
}
inline vec3 clamp(const vec3& v, const vec3& lo, const vec3& hi) {
  return vec3(clamp(v.x, lo.x, hi.x), clamp(v.y, lo.y, hi.y), clamp(v.z, lo.z, hi.z));
}
inline vec4 clamp(const vec4& v, const vec4& lo, const vec4& hi) {
  return vec4(clamp(v.x, lo.x, hi.x), clamp(v.y, lo.y, hi.y), clamp(v.z, lo.z, hi.z), clamp(v.w, lo.w, hi.w));
}

inline vec3 reflect(const vec3& v, const vec3& n) { return v - 2 * dot(v, n) * n; }
inline float sCurve(float t) { return t * t * (3 - 2 * t); }
inline vec3 cross(const vec3& a, const vec3& b) {
  return vec3(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}
// Parameter of p projected onto the line a->b.
inline float lineProjection(const vec3& a, const vec3& b, const vec3& p) {
  vec3 d = b - a;
  return dot(d, p - a) / dot(d, d);
}

// Packs a colour into bytes 0..3 (x, y, z, w times 255, truncated, not clamped).
uint32_t toRGBA(const vec4& c);
uint32_t toBGRA(const vec4& c);

// Moves the start a (or the end b) of a segment by d toward the other end.
void VecStaEdit(vec3& a, vec3 b, float d);
void VecEndEdit(vec3 a, vec3& b, float d);

// Matrices: n x n floats in row order, element (r, c) at index r * n + c.
// A matrix times a vector treats the vector as a column.
struct mat2 {
  float m[4];
  mat2() = default;
  mat2(float m00, float m01, float m10, float m11) : m{m00, m01, m10, m11} {}
  float& operator()(int r, int c) { return m[r * 2 + c]; }
  float operator()(int r, int c) const { return m[r * 2 + c]; }
};

struct mat3 {
  float m[9];
  mat3() = default;
  mat3(float m00, float m01, float m02, float m10, float m11, float m12, float m20, float m21, float m22)
      : m{m00, m01, m02, m10, m11, m12, m20, m21, m22} {}
  float& operator()(int r, int c) { return m[r * 3 + c]; }
  float operator()(int r, int c) const { return m[r * 3 + c]; }
};

struct mat4 {
  float m[16];
  mat4() = default;
  mat4(float m00, float m01, float m02, float m03, float m10, float m11, float m12, float m13, float m20,
       float m21, float m22, float m23, float m30, float m31, float m32, float m33)
      : m{m00, m01, m02, m03, m10, m11, m12, m13, m20, m21, m22, m23, m30, m31, m32, m33} {}
  float& operator()(int r, int c) { return m[r * 4 + c]; }
  float operator()(int r, int c) const { return m[r * 4 + c]; }
  // Multiplies in place on the right by translate(t).
  void translate(const vec3& t);
};

mat2 operator+(const mat2& a, const mat2& b);
mat3 operator+(const mat3& a, const mat3& b);
mat4 operator+(const mat4& a, const mat4& b);
mat2 operator-(const mat2& a, const mat2& b);
mat3 operator-(const mat3& a, const mat3& b);
mat4 operator-(const mat4& a, const mat4& b);
mat2 operator-(const mat2& m);
mat3 operator-(const mat3& m);
mat4 operator-(const mat4& m);
mat2 operator*(const mat2& m, float s);
mat3 operator*(const mat3& m, float s);
mat4 operator*(const mat4& m, float s);
mat2 operator*(const mat2& a, const mat2& b);
mat3 operator*(const mat3& a, const mat3& b);
mat4 operator*(const mat4& a, const mat4& b);
vec2 operator*(const mat2& m, const vec2& v);
vec3 operator*(const mat3& m, const vec3& v);
vec4 operator*(const mat4& m, const vec4& v);
mat4 operator!(const mat4& m);  // inverse (Gauss-Jordan); singular input gives inf/NaN

// The same as a mat3 with rows r0..r2 times v.
inline vec3 VecMultM3x3(const vec3& r0, const vec3& r1, const vec3& r2, const vec3& v) {
  return vec3(dot(r0, v), dot(r1, v), dot(r2, v));
}

mat2 transpose(const mat2& m);
mat3 transpose(const mat3& m);
mat4 transpose(const mat4& m);
mat2 identity2();
mat3 identity3();
mat4 identity4();
mat4 translate(const vec3& t);
mat4 rotateX(float a);  // radians
mat4 rotateY(float a);
mat4 rotateZ(float a);
mat4 rotateXY(float x, float y);
mat4 rotateZXY(float x, float y, float z);
mat4 projectionMatrixX(float fov, float aspect, float zNear, float zFar);  // fov in radians
mat4 cubemapMatrix(int face);

// A box stored elsewhere as centre and half-size, seen through six pointers.
struct Box0 {
  float *cx, *cy, *cz, *hx, *hy, *hz;
  float gMinX() const { return *cx - *hx; }
  float gMinY() const { return *cy - *hy; }
  float gMinZ() const { return *cz - *hz; }
  float gMaxX() const { return *cx + *hx; }
  float gMaxY() const { return *cy + *hy; }
  float gMaxZ() const { return *cz + *hz; }
};

namespace Gab {
void initFrMinMax(vec3& centre, vec3& half, float minX, float minY, float minZ, float maxX, float maxY, float maxZ);
// Corner 1..4 the top face, 5..8 the bottom face, in the same turning order;
// any other number gives (0, 0, 0).
vec3 c(const vec3& centre, const vec3& half, int i);
}  // namespace Gab
