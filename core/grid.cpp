#include "core/grid.h"

#include <cstring>
#include <utility>

#include "core/numeric.h"

// ---- grids and rectangles ------------------------------------------------

void BFTileXY(int& x, int& y, int i, int x0, int y0, int w, int h, int cols, int rows, int flip) {
  if (cols <= 0) {
    x = x0;
    y = y0;
    return;
  }
  x = (i % cols) * w + x0;
  int row = i / cols;
  if (flip) row = rows - row - 1;
  y = row * h + y0;
}

void BFHexXY(int& x, int& y, int i, int x0, int y0, int w, int h, int cols, int rows, int flip) {
  BFTileXY(x, y, i, x0, y0, w, h, cols, rows, flip);
  if (cols > 0 && (i % (2 * cols)) > cols - 1) x = (int)((float)x - (float)w * 0.5f);
}

void BFHexXY_Line(int i1, int i2, int& x1, int& y1, int& x2, int& y2, int x0, int y0, int w, int h, int cols,
                  int rows, int centre) {
  BFHexXY(x1, y1, i1, x0, y0, w, h, cols, rows, 1);
  BFHexXY(x2, y2, i2, x0, y0, w, h, cols, rows, 1);
  if (centre) {
    x1 += w / 2;
    y1 += h / 2;
    x2 += w / 2;
    y2 += h / 2;
  }
}

int LentaPoleFrom0_NomYchUnder(int x, int y, int x0, int y0, int w, int h, int cols, int rows) {
  if (x < 0 || y < 0 || w < 2 || h < 2 || x - x0 < 1 || y - y0 < 1 || x > (int64_t)cols * w + x0 ||
      y > (int64_t)rows * h + y0)
    return -1;
  return (rows - (y - y0) / h - 1) * cols + (x - x0) / w;
}

int LentaPoleFrom0_NomYchUnder2(int x, int y, int x0, int y0, int w, int h, int cols, int rows) {
  if (!(w > 0 && h > 0 && x - x0 > 0 && y - y0 > 0 && x <= (int64_t)cols * w + x0 &&
        y <= (int64_t)rows * h + y0)) return -1;
  return ((y - y0) / h) * cols + (x - x0) / w;
}

int BFTileInRect(int x, int y, int w, int h, int rx, int ry, int rw, int rh) {
  int x2 = x + w;
  if (zn::Ineri(x, rx, rw) || zn::Ineri(x2, rx, rw)) return (y <= ry + rh && ry <= y + h) ? 1 : 0;
  if (!zn::Ineri(y, ry, rh) && !zn::Ineri(y + h, ry, rh)) return (x < rx && rx + rw < x2) ? 1 : 0;
  return (x <= rx + rw && rx <= x2) ? 1 : 0;
}

int PointInRect2D(float x, float y, float x0, float y0, float w, float h) {
  return (x0 <= x && x <= x0 + w && y0 <= y && y <= y0 + h) ? 1 : 0;
}

int PointInRect2D(const vec3& p, float x0, float y0, float w, float h) { return PointInRect2D(p.x, p.z, x0, y0, w, h); }

int PointInRect2Di(int x, int y, int x0, int y0, int w, int h) {
  return (x0 <= x && (int64_t)x <= (int64_t)x0 + w && y0 <= y && (int64_t)y <= (int64_t)y0 + h) ? 1 : 0;
}

int PointInQXZ(float px, float pz, float cx, float cz, float r) {
  return PointInRect2D(px, pz, cx - r, cz - r, 2 * r, 2 * r);
}

int PointInQXZ(const vec3& p, const vec3& c, float r) { return PointInQXZ(p.x, p.z, c.x, c.z, r); }

void FreeDotsRectOutput(int x1, int y1, int x2, int y2, int& x, int& y, int& w, int& h) {
  x = x1 < x2 ? x1 : x2;
  y = y1 < y2 ? y1 : y2;
  w = x1 < x2 ? x2 - x1 : x1 - x2;
  h = y1 < y2 ? y2 - y1 : y1 - y2;
}

int RootGrid1(int n, int m, int k) {
  if (n <= 0 || m <= 0 || k < 1 || k > n) return 0;
  int r = n < m ? n : m;
  return (r + k - 1 <= n) ? r : n - k + 1;
}

void IndQuadVertexSwap(int code, int& a, int& b, int& c, int& d, int mode) {
  switch (code) {
    case 1: std::swap(a, d); std::swap(b, c); break;
    case 2: std::swap(a, b); std::swap(c, d); break;
    case 3: std::swap(a, c); std::swap(b, d); break;
    default: break;
  }
  int t;
  switch (mode) {
    case 2: std::swap(a, c); std::swap(b, d); break;
    case 3: t = a; a = b; b = c; c = d; d = t; break;
    case 1: t = d; d = c; c = b; b = a; a = t; break;
    default: break;
  }
}

// ---- bits, bytes and four-character codes --------------------------------

short MyBits[9];
t_Char32 general_5simb;
t_Char32 general_9simb;
void* pTempVec3 = nullptr;

void MyBitsFill(int v) {
  if (v >= 256) return;
  for (int i = 1; i <= 8; i++) MyBits[i] = v < 0 ? 0 : (short)((v >> (8 - i)) & 1);
}

void ByteZnaBitsTo8(int v, unsigned char* out) {
  if (v >= 256 || !out) return;
  for (int i = 0; i < 8; i++) out[i] = (unsigned char)((v >> i) & 1);
}

int GetByte_From8Bits(int b0, int b1, int b2, int b3, int b4, int b5, int b6, int b7) {
  int bits[8] = {b0, b1, b2, b3, b4, b5, b6, b7};
  int r = 0;
  for (int i = 0; i < 8; i++) r = (r << 1) | (bits[i] != 0);
  return r;
}

unsigned int int4simb(const char* s) {
  if (!s) return 0;
  unsigned char b[4] = {0, 0, 0, 0};
  std::memcpy(b, s, strnlen(s, 4));
  return (unsigned)b[0] | ((unsigned)b[1] << 8) | ((unsigned)b[2] << 16) | ((unsigned)b[3] << 24);
}

// A marker is always four characters; a shorter text reads as zero-filled.
unsigned int ui4simb(const char* s) { return int4simb(s); }
unsigned int LoadUINT_4Simbols(const char* s) { return int4simb(s); }

char* fromInt(int v) {
  general_5simb.Clear();
  std::memcpy(general_5simb.c, &v, 4);
  return general_5simb.c;
}

char* fromInt2(int a, int b) {
  general_9simb.Clear();
  std::memcpy(general_9simb.c, &a, 4);
  std::memcpy(general_9simb.c + 4, &b, 4);
  return general_9simb.c;
}

void Swap4ByteVars(void* a, void* b) {
  if (!a || !b) return;
  unsigned char t[4];
  std::memcpy(t, a, 4);
  std::memmove(a, b, 4);
  std::memcpy(b, t, 4);
}

int SwapInt(int& v) { return v = (v == 0 ? 1 : 0); }
short SwapShort(short& v) { return v = (short)(v == 0 ? 1 : 0); }
unsigned char SwapByte(unsigned char& v) { return v = (unsigned char)(v == 0 ? 1 : 0); }
int SwapIntFlg(int& v) { return v = (v < 1 ? 1 : 0); }
int SwapShortFlg(short& v) { return v = (short)(v < 1 ? 1 : 0); }
int SwapByteFlg(unsigned char& v) { return v = (unsigned char)(v != 0 ? 0 : 1); }

int GetRepInt(int& v, int n) {
  int old = v;
  v = n;
  return old;
}

short GetRepShort(short& v, short n) {
  short old = v;
  v = n;
  return old;
}

int CharIsDigit(int c) { return (c >= '0' && c <= '9') ? 1 : 0; }

// ---- copies and fills ----------------------------------------------------

void t3F3F(vec3* dst, const vec3* src, int n) {
  if (dst && src && n > 0) std::memmove(dst, src, sizeof(vec3) * (size_t)n);
}
void t3F3F(vec3& dst, const vec3& src, int n) { t3F3F(&dst, &src, n); }

void t4B4B(unsigned char (*dst)[4], const unsigned char (*src)[4], int n) {
  if (dst && src && n > 0) std::memmove(dst, src, 4 * (size_t)n);
}

void t_2set(vec2& v, float x, float y) { v.s(x, y); }

void t_3setmix1(vec3& out, const vec3& a, const vec3& b, float k) {
  out.s(a.x + (a.x - b.x) * k, a.y + (a.y - b.y) * k, a.z + (a.z - b.z) * k);
}

void t_4set(unsigned char (&c)[4], unsigned char r, unsigned char g, unsigned char b, unsigned char a) {
  c[0] = r;
  c[1] = g;
  c[2] = b;
  c[3] = a;
}

void t_4set(unsigned char (&c)[4], const unsigned char (&src)[4]) { std::memmove(c, src, 4); }

void set4flo(float* m, float a, float b, float c, float d) {
  if (!m) return;
  m[0] = a;
  m[1] = b;
  m[2] = c;
  m[3] = d;
}

void set8flo(float* m, float a0, float a1, float a2, float a3, float a4, float a5, float a6, float a7) {
  if (!m) return;
  set4flo(m, a0, a1, a2, a3);
  set4flo(m + 4, a4, a5, a6, a7);
}

void set16flo(float* m, float a0, float a1, float a2, float a3, float a4, float a5, float a6, float a7, float a8,
              float a9, float a10, float a11, float a12, float a13, float a14, float a15) {
  if (!m) return;
  set8flo(m, a0, a1, a2, a3, a4, a5, a6, a7);
  set8flo(m + 8, a8, a9, a10, a11, a12, a13, a14, a15);
}

void set16flo(float* m, float a, float b, float c, float d) {
  if (!m) return;
  for (int i = 0; i < 4; i++) set4flo(m + 4 * i, a, b, c, d);
}

void voidVec3To(void* p, vec3& out) {
  pTempVec3 = p;
  if (pTempVec3) {
    out = *(const vec3*)pTempVec3;
    pTempVec3 = nullptr;
  } else {
    out = vec3(0.0f);
  }
}

void typeTableRec::clearName() {
  std::memset(name, ' ', 15);
  name[15] = 0;
}
