#include <gtest/gtest.h>

#include <cstring>

#include "core/core.h"

namespace {

TEST(Grids, TilesHexesAndCellsUnderAPoint) {
  int x = 0, y = 0;
  BFTileXY(x, y, 13, 5, 7, 10, 20, 10, 4, 0);
  EXPECT_EQ(x, 35);
  EXPECT_EQ(y, 27);
  BFTileXY(x, y, 13, 5, 7, 10, 20, 10, 4, 1);  // rows counted from the other end
  EXPECT_EQ(y, 47);
  BFTileXY(x, y, 3, 5, 7, 10, 20, 0, 4, 0);  // no columns: the origin
  EXPECT_EQ(x, 5);
  int x0, y0, x10, y10, x20, y20;
  BFHexXY(x0, y0, 0, 0, 0, 10, 10, 10, 4, 0);
  BFHexXY(x10, y10, 10, 0, 0, 10, 10, 10, 4, 0);
  BFHexXY(x20, y20, 20, 0, 0, 10, 10, 10, 4, 0);
  EXPECT_EQ(x10, x0 - 5);
  EXPECT_EQ(x20, x0);
  int a, b, c, d;
  BFHexXY_Line(0, 11, a, b, c, d, 0, 0, 10, 10, 10, 4, 1);
  EXPECT_EQ(a, 5);
  EXPECT_EQ(b, 35);
  EXPECT_EQ(c, 10);
  EXPECT_EQ(d, 25);

  EXPECT_EQ(LentaPoleFrom0_NomYchUnder(15, 5, 0, 0, 10, 10, 4, 3), 9);  // bottom row first
  EXPECT_EQ(LentaPoleFrom0_NomYchUnder(0, 5, 0, 0, 10, 10, 4, 3), -1);  // on the origin line
  EXPECT_EQ(LentaPoleFrom0_NomYchUnder(5, 0, 0, 0, 10, 10, 4, 3), -1);
  EXPECT_EQ(LentaPoleFrom0_NomYchUnder(5, 5, 0, 0, 1, 10, 4, 3), -1);  // cells of width 1
  EXPECT_EQ(LentaPoleFrom0_NomYchUnder(41, 5, 0, 0, 10, 10, 4, 3), -1);
  EXPECT_EQ(LentaPoleFrom0_NomYchUnder2(15, 5, 0, 0, 10, 10, 4, 3), 1);
  EXPECT_EQ(LentaPoleFrom0_NomYchUnder2(15, 25, 0, 0, 10, 10, 4, 3), 9);
  EXPECT_EQ(LentaPoleFrom0_NomYchUnder2(15, 31, 0, 0, 10, 10, 4, 3), -1);
  EXPECT_EQ(LentaPoleFrom0_NomYchUnder2(15, 5, 0, 0, 0, 10, 4, 3), -1);
}

TEST(Rectangles, EdgesCountAsInside) {
  EXPECT_EQ(PointInRect2D(0, 0, 0, 0, 10, 5), 1);
  EXPECT_EQ(PointInRect2D(10, 5, 0, 0, 10, 5), 1);
  EXPECT_EQ(PointInRect2D(10.01f, 5, 0, 0, 10, 5), 0);
  EXPECT_EQ(PointInRect2D(vec3(3, 99, 4), 0, 0, 10, 5), 1);  // x and z
  EXPECT_EQ(PointInRect2D(vec3(3, 0, 6), 0, 0, 10, 5), 0);
  EXPECT_EQ(PointInRect2Di(10, 0, 0, 0, 10, 5), 1);
  EXPECT_EQ(PointInRect2Di(-1, 0, 0, 0, 10, 5), 0);
  EXPECT_EQ(PointInQXZ(vec3(12, 0, 8), vec3(10, 50, 10), 2), 1);
  EXPECT_EQ(PointInQXZ(12.5f, 8, 10, 10, 2), 0);
  int x, y, w, h;
  FreeDotsRectOutput(10, 2, 4, 8, x, y, w, h);
  EXPECT_EQ(x, 4);
  EXPECT_EQ(y, 2);
  EXPECT_EQ(w, 6);
  EXPECT_EQ(h, 6);
  EXPECT_EQ(BFTileInRect(5, 5, 10, 10, 8, 0, 10, 7), 1);
  EXPECT_EQ(BFTileInRect(5, 5, 10, 10, 8, 20, 10, 7), 0);
  EXPECT_EQ(BFTileInRect(0, 5, 30, 10, 8, 0, 10, 30), 1);  // spans it horizontally
  EXPECT_EQ(RootGrid1(10, 4, 1), 4);
  EXPECT_EQ(RootGrid1(10, 4, 9), 2);
  EXPECT_EQ(RootGrid1(10, 4, 11), 0);
  EXPECT_EQ(RootGrid1(0, 4, 1), 0);
}

TEST(Rectangles, QuadVertexReorders) {
  int a = 1, b = 2, c = 3, d = 4;
  IndQuadVertexSwap(1, a, b, c, d, 0);
  EXPECT_EQ(a * 1000 + b * 100 + c * 10 + d, 4321);
  IndQuadVertexSwap(0, a, b, c, d, 3);
  EXPECT_EQ(a * 1000 + b * 100 + c * 10 + d, 3214);
  IndQuadVertexSwap(2, a, b, c, d, 1);  // 2341, then rotate right
  EXPECT_EQ(a * 1000 + b * 100 + c * 10 + d, 1234);
  IndQuadVertexSwap(3, a, b, c, d, 2);
  EXPECT_EQ(a * 1000 + b * 100 + c * 10 + d, 1234);
}

TEST(Bits, BitsBytesAndMarkers) {
  MyBitsFill(5);
  for (int i = 1; i <= 8; i++) EXPECT_EQ(MyBits[i], (i == 6 || i == 8) ? 1 : 0) << i;
  MyBitsFill(300);
  EXPECT_EQ(MyBits[8], 1);
  MyBitsFill(-1);
  EXPECT_EQ(MyBits[8], 0);
  unsigned char out[8] = {};
  ByteZnaBitsTo8(5, out);
  EXPECT_EQ(out[0] + out[2], 2);
  EXPECT_EQ(out[1] + out[3] + out[7], 0);
  ByteZnaBitsTo8(5, nullptr);
  EXPECT_EQ(GetByte_From8Bits(1, 0, 0, 0, 0, 0, 0, 1), 129);
  EXPECT_EQ(ui4simb("FGR>"), 0x3E524746u);
  EXPECT_EQ(LoadUINT_4Simbols("PRS>extra"), ui4simb("PRS>"));
  EXPECT_EQ(int4simb("AB"), 0x4241u);
  EXPECT_EQ(ui4simb("A"), 0x41u);  // never reads past the text
  EXPECT_EQ(ui4simb(nullptr), 0u);
  char* s = fromInt((int)ui4simb("BLOK"));
  EXPECT_STREQ(s, "BLOK");
  EXPECT_STREQ(fromInt2((int)ui4simb("FGR>"), (int)ui4simb("PRS>")), "FGR>PRS>");
  int i = -3;
  EXPECT_EQ(SwapIntFlg(i), 1);
  EXPECT_EQ(SwapIntFlg(i), 0);
}

TEST(Copies, FillsAndUntypedVectors) {
  vec3 src[3] = {vec3(1, 2, 3), vec3(4, 5, 6), vec3(7, 8, 9)}, dst[3] = {vec3(0.0f), vec3(0.0f), vec3(0.0f)};
  t3F3F(dst, src, 2);
  EXPECT_EQ(dst[1].z, 6);
  EXPECT_EQ(dst[2].z, 0);
  t3F3F(dst[2], src[2], 1);
  EXPECT_EQ(dst[2].x, 7);
  vec3 m;
  t_3setmix1(m, vec3(1, 1, 1), vec3(0, 3, 1), 2);
  EXPECT_EQ(m.x, 3);
  EXPECT_EQ(m.y, -3);
  EXPECT_EQ(m.z, 1);
  float f[16];
  set16flo(f, 1, 2, 3, 4);
  EXPECT_EQ(f[12], 1);
  EXPECT_EQ(f[15], 4);
  set16flo(f, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
  for (int k = 0; k < 16; k++) EXPECT_EQ(f[k], k);
  vec3 out(5.0f), p(1, 2, 3);
  voidVec3To(nullptr, out);
  EXPECT_EQ(out.x + out.y + out.z, 0);
  voidVec3To(&p, out);
  EXPECT_EQ(out.y, 2);
  EXPECT_EQ(pTempVec3, nullptr);
  typeTableRec r;
  EXPECT_EQ(std::string(r.name), std::string(15, ' '));
  EXPECT_EQ(r.nameLen + r.one + r.year, 16 + 1 + 2005);
}

}  // namespace
