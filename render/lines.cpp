// The line queues: separate segments and line strips in per-vertex colours.
#include "render/OpenGL_Ext.h"
#include "render/queues.h"

#include "render/drawhelpers.h"
#include "render/texstate.h"

namespace {

void DrawColouredLines(GLenum primitive, vec3* pos, uint8_t (*rgba)[4], int count) {
  OGL::ArrayBufferOff();
  glColorPointer(4, GL_UNSIGNED_BYTE, 0, rgba);
  glVertexPointer(3, GL_FLOAT, 0, pos);
  glEnableClientState(GL_COLOR_ARRAY);
  glEnableClientState(GL_VERTEX_ARRAY);
  glDrawArrays(primitive, 0, count);
  glDisableClientState(GL_COLOR_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);
}

}  // namespace

int tzkz_Lines1::Add(vec3 a, vec3 b, uint8_t ra, uint8_t ga, uint8_t ba, uint8_t aa, uint8_t rb, uint8_t gb,
                     uint8_t bb, uint8_t ab) {
  if (count + 2 > kCap) return 0;
  pos[count] = a;
  rgba[count][0] = ra, rgba[count][1] = ga, rgba[count][2] = ba, rgba[count][3] = aa;
  ++count;
  pos[count] = b;
  rgba[count][0] = rb, rgba[count][1] = gb, rgba[count][2] = bb, rgba[count][3] = ab;
  ++count;
  return 1;
}

int tzkz_Lines1::AddBoxRam(vec3 c, vec3 h, uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
  if (count + 24 > kCap) return 0;
  static const int kEdges[12][2] = {{1, 2}, {2, 3}, {3, 4}, {4, 1}, {5, 6}, {6, 7},
                                    {7, 8}, {8, 5}, {1, 5}, {2, 6}, {3, 7}, {4, 8}};
  for (const int* e : kEdges) Add(Gab::c(c, h, e[0]), Gab::c(c, h, e[1]), r, g, b, a, r, g, b, a);
  return 1;
}

int tzkz_Lines1::AddSpikeRam(vec3 c, vec3 h, uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
  if (count + 16 > kCap) return 0;
  for (int i = 1; i <= 8; ++i) Add(Gab::c(c, h, i), c, r, g, b, a, r, g, b, a);
  return 1;
}

void tzkz_Lines1::Run() {
  if (count <= 1) return;
  ColorMat(0, 255, 255, 255);
  NomBlend(38);
  for (int u = 3; u >= 0; --u) OGL::KlientTexC_OFF(u);
  DrawColouredLines(GL_LINES, pos, rgba, count);
}

void tzkz_Wires1::Put(vec3 p, const uint8_t* c) {
  pos[count] = p;
  for (int k = 0; k < 4; ++k) rgba[count][k] = c[k];
  ++count;
}

int tzkz_Wires1::AddChain(vec3* points, uint8_t (*colours)[4], int n, uint8_t r, uint8_t g, uint8_t b,
                          uint8_t a) {
  if (n <= 1 || !points || count + n + 3 > kCap) return 0;
  if (count > 0) {
    // Invisible joints to the previous strip: alpha 0 fails the pass's alpha test.
    static const uint8_t kNone[4] = {0, 0, 0, 0};
    vec3 last = pos[count - 1];
    Put(last, kNone);
    Put(vec3(0, 0, 0), kNone);
    Put(points[0], kNone);
  }
  const uint8_t one[4] = {r, g, b, a};
  for (int i = 0; i < n; ++i) Put(points[i], colours ? colours[i] : one);
  return 1;
}

void tzkz_Wires1::Run() {
  if (count <= 1) return;
  ColorMat(0, 255, 255, 255);
  NomBlend(38);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GREATER, 0.1f);
  DrawColouredLines(GL_LINE_STRIP, pos, rgba, count);
  glDisable(GL_ALPHA_TEST);
}
