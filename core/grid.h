// Grid, rectangle, bit, byte and copy helpers: cells on pixel grids, point and
// rectangle tests, bit and four-character packing, small copies and fills,
// and the table-record template.
#pragma once

#include <cstdint>

#include "core/Vector.h"
#include "core/chars.h"

// Grids and rectangles (w, h cell size; cols, rows grid size; x0, y0 origin).
void BFTileXY(int& x, int& y, int i, int x0, int y0, int w, int h, int cols, int rows, int flip);
void BFHexXY(int& x, int& y, int i, int x0, int y0, int w, int h, int cols, int rows, int flip);
void BFHexXY_Line(int i1, int i2, int& x1, int& y1, int& x2, int& y2, int x0, int y0, int w, int h, int cols,
                  int rows, int centre);
int LentaPoleFrom0_NomYchUnder(int x, int y, int x0, int y0, int w, int h, int cols, int rows);   // rows from the bottom
int LentaPoleFrom0_NomYchUnder2(int x, int y, int x0, int y0, int w, int h, int cols, int rows);  // rows from the top
int BFTileInRect(int x, int y, int w, int h, int rx, int ry, int rw, int rh);
int PointInRect2D(const vec3& p, float x0, float y0, float w, float h);  // p.x, p.z; edges inside
int PointInRect2D(float x, float y, float x0, float y0, float w, float h);
int PointInRect2Di(int x, int y, int x0, int y0, int w, int h);
int PointInQXZ(const vec3& p, const vec3& c, float r);
int PointInQXZ(float px, float pz, float cx, float cz, float r);
void FreeDotsRectOutput(int x1, int y1, int x2, int y2, int& x, int& y, int& w, int& h);
int RootGrid1(int n, int m, int k);
void IndQuadVertexSwap(int code, int& a, int& b, int& c, int& d, int mode);

// Bits, bytes and four-character codes.
extern short MyBits[9];  // indexes 1..8
void MyBitsFill(int v);
void ByteZnaBitsTo8(int v, unsigned char* out);
int GetByte_From8Bits(int b0, int b1, int b2, int b3, int b4, int b5, int b6, int b7);
unsigned int ui4simb(const char* s);  // the first four characters, little-endian (zero past the end)
unsigned int LoadUINT_4Simbols(const char* s);
unsigned int int4simb(const char* s);
extern t_Char32 general_5simb;
extern t_Char32 general_9simb;
char* fromInt(int v);
char* fromInt2(int a, int b);
void Swap4ByteVars(void* a, void* b);
int SwapInt(int& v);
short SwapShort(short& v);
unsigned char SwapByte(unsigned char& v);
int SwapIntFlg(int& v);
int SwapShortFlg(short& v);
int SwapByteFlg(unsigned char& v);
int GetRepInt(int& v, int n);
short GetRepShort(short& v, short n);
int CharIsDigit(int c);

// Copies and fills.
void t3F3F(vec3& dst, const vec3& src, int n);
void t3F3F(vec3* dst, const vec3* src, int n);
void t4B4B(unsigned char (*dst)[4], const unsigned char (*src)[4], int n);
void t_2set(vec2& v, float x, float y);
void t_3setmix1(vec3& out, const vec3& a, const vec3& b, float k);
void t_4set(unsigned char (&c)[4], unsigned char r, unsigned char g, unsigned char b, unsigned char a);
void t_4set(unsigned char (&c)[4], const unsigned char (&src)[4]);
void set4flo(float* m, float a, float b, float c, float d);
void set8flo(float* m, float a0, float a1, float a2, float a3, float a4, float a5, float a6, float a7);
void set16flo(float* m, float a0, float a1, float a2, float a3, float a4, float a5, float a6, float a7, float a8,
              float a9, float a10, float a11, float a12, float a13, float a14, float a15);
void set16flo(float* m, float a, float b, float c, float d);  // (a, b, c, d) four times
extern void* pTempVec3;
void voidVec3To(void* p, vec3& out);  // *(vec3*)p, or (0, 0, 0) for null

// Table-record template: 15 blanks and a NUL, three ints 0, then 16, 1, 2005.
struct typeTableRec {
  char name[16];
  int32_t v[3] = {0, 0, 0};
  int32_t nameLen = 16, one = 1, year = 2005;
  typeTableRec() { clearName(); }
  void clearName();
};
