#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <type_traits>

#include "core/core.h"

namespace {

void ExpectMat(const mat4& m, std::initializer_list<float> rows, float eps = 1e-6f) {
  int i = 0;
  for (float v : rows) {
    EXPECT_NEAR(m.m[i], v, eps) << "element (" << i / 4 << ", " << i % 4 << ")";
    i++;
  }
}

void ExpectVec(const vec3& v, float x, float y, float z, float eps = 1e-6f) {
  EXPECT_NEAR(v.x, x, eps);
  EXPECT_NEAR(v.y, y, eps);
  EXPECT_NEAR(v.z, z, eps);
}

TEST(VectorTypes, AreTightlyPackedTrivialValues) {
  static_assert(std::is_trivial_v<vec3> && std::is_trivial_v<mat4>);
  vec3 a[2] = {vec3(1, 2, 3), vec3(4, 5, 6)};
  float raw[6];
  std::memcpy(raw, a, sizeof(a));
  EXPECT_EQ(raw[3], 4.0f);
  vec4 c(1, 2, 3, 4);
  const float* p = c;
  EXPECT_EQ(p[3], 4.0f);
  ExpectVec(c.xyz(), 1, 2, 3);
}

TEST(VectorOps, ScalarOnTheLeftAndNegation) {
  vec2 a = 3.0f - vec2(1, 2);
  EXPECT_EQ(a.x, 2);
  EXPECT_EQ(a.y, 1);
  vec2 b = 6.0f / vec2(2, 3);
  EXPECT_EQ(b.x, 3);
  EXPECT_EQ(b.y, 2);
  vec3 z = -vec3(0, 0, 0);
  EXPECT_TRUE(std::signbit(z.x) && std::signbit(z.y) && std::signbit(z.z));
  vec3 v(1, 2, 3);
  ExpectVec(v.a(1, 1, 1), 2, 3, 4);
  ExpectVec(v.axz(10, 20), 11, 2, 23);
  ExpectVec(v.ry(9), 1, 9, 3);
  EXPECT_FLOAT_EQ(vec3(0, 0, 0).len(vec3(3, 4, 0)), 5.0f);
}

TEST(VectorOps, NormalisationAndClamps) {
  ExpectVec(normalize2(vec3(0, 0, 0)), 0, 0, 0);
  vec3 n = normalize(vec3(0, 0, 0));
  EXPECT_TRUE(std::isnan(n.x));
  ExpectVec(normalize(vec3(3, 0, 4)), 0.6f, 0, 0.8f);
  vec3 f = fastNormalize(vec3(3, 0, 4));
  EXPECT_NEAR(length(f), 1.0f, 2e-3f);
  EXPECT_EQ(clamp(5.0f, 10.0f, 2.0f), 2.0f);
  EXPECT_TRUE(std::isnan(clamp(NAN, 0.0f, 1.0f)));
  EXPECT_EQ(sign(-0.0f), 0.0f);
  EXPECT_EQ(sign(NAN), 0.0f);
  EXPECT_EQ(sign(-3.0f), -1.0f);
  EXPECT_FLOAT_EQ(cerp(0.0f, 1.0f, 2.0f, 3.0f, 0.0f), 1.0f);
  EXPECT_FLOAT_EQ(cerp(0.0f, 1.0f, 5.0f, 3.0f, 1.0f), 5.0f);
  EXPECT_FLOAT_EQ(lineProjection(vec3(0, 0, 0), vec3(2, 0, 0), vec3(1, 5, 0)), 0.5f);
  ExpectVec(reflect(vec3(1, -1, 0), vec3(0, 1, 0)), 1, 1, 0);
  ExpectVec(cross(vec3(1, 0, 0), vec3(0, 1, 0)), 0, 0, 1);
}

TEST(VectorOps, PackedColours) {
  EXPECT_EQ(toRGBA(vec4(1, 0.5f, 0, 1)), 0xFF007FFFu);
  EXPECT_EQ(toBGRA(vec4(1, 0.5f, 0, 1)), 0xFFFF7F00u);
  toRGBA(vec4(1e30f, -1e30f, NAN, 0));  // saturates, no overflow
}

TEST(VectorOps, SegmentEndEdits) {
  vec3 a(1, 1, 1);
  VecStaEdit(a, vec3(1, 1, 1), 5);  // coinciding points: no direction, no move
  ExpectVec(a, 1, 1, 1);
  VecStaEdit(a, vec3(11, 1, 1), 0);
  ExpectVec(a, 1, 1, 1);
  VecStaEdit(a, vec3(11, 1, 1), 4);
  ExpectVec(a, 5, 1, 1);
  vec3 b(0, 10, 0);
  VecEndEdit(vec3(0, 0, 0), b, 3);
  ExpectVec(b, 0, 7, 0);
  VecEndEdit(vec3(0, 0, 0), b, -3);
  ExpectVec(b, 0, 10, 0);
}

TEST(MatrixBuilders, RotationsMatchHandComputedRows) {
  const float c = std::cos(0.5f), s = std::sin(0.5f);
  ExpectMat(rotateX(0.5f), {1, 0, 0, 0, 0, c, -s, 0, 0, s, c, 0, 0, 0, 0, 1});
  ExpectMat(rotateY(0.5f), {c, 0, -s, 0, 0, 1, 0, 0, s, 0, c, 0, 0, 0, 0, 1});
  ExpectMat(rotateZ(0.5f), {c, -s, 0, 0, s, c, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
  // A quarter turn about y takes the column vector (0, 0, 1) to (-1, 0, 0).
  vec4 r = rotateY(float(M_PI / 2)) * vec4(0, 0, 1, 1);
  EXPECT_NEAR(r.x, -1, 1e-6f);
  EXPECT_NEAR(r.z, 0, 1e-6f);
  // rotateXY is rotateX(x) * rotateY(y) as written out row by row.
  mat4 xy = rotateXY(0.3f, 0.7f), ref = rotateX(0.3f) * rotateY(0.7f);
  for (int i = 0; i < 16; i++) EXPECT_NEAR(xy.m[i], ref.m[i], 1e-6f) << i;
  // rotateZXY with only z set is rotateZ.
  mat4 z = rotateZXY(0, 0, 0.5f);
  ExpectMat(z, {c, -s, 0, 0, s, c, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
  mat4 zxy = rotateZXY(0.2f, 0.4f, 0.6f);
  float cx = std::cos(0.2f), sx = std::sin(0.2f), cy = std::cos(0.4f), sy = std::sin(0.4f),
        cz = std::cos(0.6f), sz = std::sin(0.6f);
  ExpectMat(zxy, {cy * cz + sx * sy * sz, -cx * sz, sx * cy * sz - sy * cz, 0, cy * sz - sx * sy * cz, cx * cz,
                  -sy * sz - sx * cy * cz, 0, cx * sy, sx, cx * cy, 0, 0, 0, 0, 1});
}

TEST(MatrixBuilders, TranslationProjectionAndCubeFaces) {
  ExpectMat(translate(vec3(1, 2, 3)), {1, 0, 0, 1, 0, 1, 0, 2, 0, 0, 1, 3, 0, 0, 0, 1});
  mat4 m = rotateZ(float(M_PI / 2));
  m.translate(vec3(1, 0, 0));  // = m * translate((1, 0, 0))
  mat4 ref = rotateZ(float(M_PI / 2)) * translate(vec3(1, 0, 0));
  for (int i = 0; i < 16; i++) EXPECT_NEAR(m.m[i], ref.m[i], 1e-6f);
  // fov 90 degrees: t = 1; near 1, far 3.
  ExpectMat(projectionMatrixX(float(M_PI / 2), 2.0f, 1.0f, 3.0f), {1, 0, 0, 0, 0, 0.5f, 0, 0, 0, 0, 2, -3, 0, 0, 1, 0});
  ExpectMat(cubemapMatrix(0), {0, 0, -1, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1});
  ExpectMat(cubemapMatrix(3), {1, 0, 0, 0, 0, 0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1});
  mat4 f5 = cubemapMatrix(5), f7 = cubemapMatrix(7);
  EXPECT_EQ(std::memcmp(f5.m, f7.m, sizeof(f5.m)), 0);
  ExpectMat(cubemapMatrix(4), {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
}

TEST(MatrixBuilders, ProductsTransposeAndInverse) {
  mat2 a(1, 2, 3, 4), b(5, 6, 7, 8);
  mat2 p = a * b;
  EXPECT_EQ(p.m[0], 19);
  EXPECT_EQ(p.m[1], 22);
  EXPECT_EQ(p.m[2], 43);
  EXPECT_EQ(p.m[3], 50);
  vec2 v = a * vec2(1, 1);
  EXPECT_EQ(v.x, 3);
  EXPECT_EQ(v.y, 7);
  mat3 t = transpose(mat3(1, 2, 3, 4, 5, 6, 7, 8, 9));
  EXPECT_EQ(t(0, 1), 4);
  EXPECT_EQ(t(2, 0), 3);
  vec3 r = VecMultM3x3(vec3(1, 2, 3), vec3(4, 5, 6), vec3(7, 8, 9), vec3(1, 0, 1));
  ExpectVec(r, 4, 10, 16);
  // Needs a row exchange: the first pivot is 0.
  mat4 m(0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1);
  ExpectMat(!m, {0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0.5f, 0, 0, 0, 0, 1});
  mat4 g = rotateZXY(0.3f, 1.1f, -0.4f);
  g.translate(vec3(3, -2, 5));
  mat4 id = g * !g;
  mat4 unit = identity4();
  for (int i = 0; i < 16; i++) EXPECT_NEAR(id.m[i], unit.m[i], 1e-5f);
}

TEST(BoxHelpers, CornersAndMinMax) {
  vec3 c, h;
  Gab::initFrMinMax(c, h, 0, 0, 0, 2, 4, 6);
  ExpectVec(c, 1, 2, 3);
  ExpectVec(h, 1, 2, 3);
  ExpectVec(Gab::c(c, h, 1), 2, 4, 6);
  ExpectVec(Gab::c(c, h, 3), 0, 4, 0);
  ExpectVec(Gab::c(c, h, 7), 0, 0, 0);
  ExpectVec(Gab::c(c, h, 8), 0, 0, 6);
  ExpectVec(Gab::c(c, h, 0), 0, 0, 0);
  ExpectVec(Gab::c(c, h, 9), 0, 0, 0);
  Box0 b{&c.x, &c.y, &c.z, &h.x, &h.y, &h.z};
  EXPECT_EQ(b.gMaxZ(), 6);
  EXPECT_EQ(b.gMinY(), 0);
}

}  // namespace
