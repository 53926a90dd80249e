#include "render/geometry.h"

#include <cmath>

#include "render/objectsglue.h"
#include "render/shellglue.h"

vec3 Glob_KamOptimBoxP;
vec3 Glob_KamOptimBoxG;

namespace {

// Point k of a circle: the angle starts at `start`, steps by (360 / n) * dir.
template <typename Point>
void Circle(vec3* out, int start, int n, int d, Point point) {
  if (!out || n <= 2) return;
  int step = (360 / n) * (d == 1 ? 1 : -1);
  int a = start;
  for (int k = 0; k < n; ++k) {
    a = zn::Ring1i(a, 360);
    out[k] = point(getSprSIN(a), getSprCOS(a));
    a += step;
  }
}

bool Near(float a, float b, float d) { return std::fabs(a - b) <= d; }

}  // namespace

void Crt_CircleGoriz(vec3* out, int n, float r, int d) {
  Circle(out, 0, n, d, [r](float s, float c) { return vec3(s * r, 0, c * r); });
}

void Crt_CircleVerti(vec3* out, int n, float r, int d) {
  Circle(out, 0, n, d, [r](float s, float c) { return vec3(0, s * r, c * r); });
}

void Crt_CircleGorizUgPos(vec3* out, int startAngle, vec3 p, int n, float r, int d) {
  Circle(out, startAngle, n, d, [r, p](float s, float c) { return vec3(s * r + p.x, p.y, c * r + p.z); });
}

void Crt_CircleVertiUgPos(vec3* out, int startAngle, vec3 p, int n, float r, int d) {
  Circle(out, startAngle, n, d, [r, p](float s, float c) { return vec3(p.x, s * r + p.y, c * r + p.z); });
}

void Crt_StripGorizUV1(vec2* out, int n, float v) {
  if (!out) return;
  if (n % 2) Main_Done = 1;
  static const float kU[8] = {0, 0, 0.5f, 0.5f, 1, 1, 0.5f, 0.5f};
  for (int i = 0; i < n; ++i) out[i] = vec2(kU[i % 8], i % 2 ? 0.0f : v);
}

void Crt_StripGorizUV2(vec2* out, int n, float u, float v) {
  if (!out) return;
  if (n % 2) Main_Done = 1;
  for (int i = 0; i < n; ++i) out[i] = vec2(i % 4 < 2 ? 0.0f : u, i % 2 ? 0.0f : v);
}

void Crt_StripDuga(vec3* out, int n, float stepX, float h, float k, float c, int closeEnds) {
  if (!out) return;
  if (n % 2) Main_Done = 1;
  zn::Tram(c, -0.9f, 0.9f);
  float x = ((n / 2 - 1) * stepX) / -2.0f;
  if (zn::Outf(x, -0.5f, 0.5f) == 0) return;
  float f = 100.0f / (c * 100.0f);
  float d = (1.0f / x) * k;
  float y = 0;
  int mid = n / 2 - 1;
  bool turned = false;
  int lastBottom = -1;
  for (int i = 0; i < n; i += 2) {
    if (i == mid && !turned) {
      y += d;
      d = -d;
      c = f;
      turned = true;
    } else if (i > mid && !turned) {
      d = -d * f;
      c = f;
      turned = true;
    } else {
      y += d;
      d = d * c;
    }
    out[i] = vec3(x, y, 0);
    if (i + 1 < n) {  // an odd count has no room for the last bottom vertex
      out[i + 1] = vec3(x, y - h, 0);
      lastBottom = i + 1;
    }
    if (closeEnds && i > 0) out[i - 1].x += out[i].y - out[i - 2].y;
    x += stepX;
  }
  if (closeEnds && lastBottom > 0) out[lastBottom].x = -(out[1].x);
}

void Crt_LinesSpring(vec3* out, int n, float angleStep, float r, float rStep, float y) {
  if (!out) return;
  float a = 0, rho = r;
  for (int i = 0; i < n; ++i) {
    out[i] = vec3(std::cos(a * 0.01745f) * rho, y, -std::sin(a * 0.01745f) * rho);
    a += angleStep;
    zn::Ring2(a, 360.0f);
    rho += rStep;
  }
}

bool Kubs_XZ_Pere(float x1, float z1, float x2, float z2, float d) { return Near(x1, x2, d) && Near(z1, z2, d); }

bool Kubs_3D_Pere(vec3 a, vec3 b, float d) { return Near(a.x, b.x, d) && Near(a.z, b.z, d) && Near(a.y, b.y, d); }

bool Kub_PereBox(vec3 c, float h, vec3 p, vec3 g) {
  return std::fabs(c.x - p.x) + 0.001f <= g.x + h && std::fabs(c.z - p.z) + 0.001f <= g.z + h &&
         std::fabs(c.y - p.y) + 0.001f <= g.y + h;
}

bool Box_PereBox(vec3 c1, vec3 h1, vec3 c2, vec3 h2, float eps) {
  return std::fabs(c1.x - c2.x) + eps <= h1.x + h2.x && std::fabs(c1.z - c2.z) + eps <= h1.z + h2.z &&
         std::fabs(c1.y - c2.y) + eps <= h1.y + h2.y;
}

bool BoxInKameraOptimBox(vec3 c, vec3 h) { return Box_PereBox(c, h, Glob_KamOptimBoxP, Glob_KamOptimBoxG, 0.001f); }

bool SferCollisionV(vec3 a, vec3 b, float ra, float rb) {
  return Kubs_3D_Pere(a, b, ra + rb) && Distan1V(a, b) < ra + rb;
}

float Magnitude(vec3 v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }

float AngleMej2V(vec3 a, vec3 b) {
  float r = std::acos(dot(a, b) / (Magnitude(b) * Magnitude(a))) * 57.2958f;
  return std::isnan(r) ? 0.0f : r;
}

int _TriugLinePere_V(vec3 t0, vec3 t1, vec3 t2, vec3 s, vec3 e, vec3* hit) {
  vec3 e1 = t1 - t0, e2 = t2 - t0, n = cross(e1, e2), dir = s - e;
  float det = dot(dir, n);
  if (det > -0.00001f && det < 0.00001f) return 0;
  vec3 st = s - t0;
  float t = dot(st, n) / det;
  if (!(t > 0 && t < 1)) return 0;
  float u = dot(dir, cross(st, e2)) / det;
  if (!(u > 0 && u < 1)) return 0;
  float v = dot(dir, cross(e1, st)) / det;
  if (!(v > 0 && v < 1) || !(u + v <= 1)) return 0;
  if (hit) *hit = t0 + e1 * u + e2 * v;
  return 1;
}

int VecToFile(vec3& v, FILE* f) {
  FloWrite(v.x, f);
  FloWrite(v.y, f);
  return FloWrite(v.z, f);
}

void VecFrFile(vec3& v, FILE* f) {
  FloRead(v.x, f);
  FloRead(v.y, f);
  FloRead(v.z, f);
}
