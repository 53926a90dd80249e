// The generated-mesh pool: ranges and their end, the builders' vertices and
// indices, the texture writers, transforms, boxes, and the meshes drawn
// directly and through the multi-draw queues.
#include "tests/render/render_fixture.h"
#include "world/world.h"

namespace {

class GenMeshTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    testGenVrt.Sbros();
  }
  void TearDown() override {
    testGenVrt.Sbros();
    RenderOwnerEvent = Fgr4_Event;
  }
  static vec3 P(int i) { return testGenVrt.pos[i]; }
  static void ExpectNear(vec3 v, float x, float y, float z) {
    EXPECT_NEAR(v.x, x, 1e-4);
    EXPECT_NEAR(v.y, y, 1e-4);
    EXPECT_NEAR(v.z, z, 1e-4);
  }
  static void PixelView() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-20, 20, -20, 20, -50, 50);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_CULL_FACE);
  }
};

}  // namespace

TEST_F(GenMeshTest, FanTakesSegmentsPlusTwoVerticesAndClosesOnItsFirstRingPoint) {
  t_MeshRec m;
  testGenVrt.next = 5;
  testGenVrt.AddFanFor(&m, 8, 1, vec3(100, 20, 300), 4, 1, 2);
  EXPECT_EQ(m.first, 5);
  EXPECT_EQ(m.klv, 10);
  EXPECT_EQ(m.prim, 6);
  EXPECT_TRUE(m.IsArray());
  EXPECT_EQ(m.GetIndKlv(), 0);
  EXPECT_EQ(testGenVrt.next, 15);
  ExpectNear(P(5), 0, 4, 0);                       // apex
  ExpectNear(P(6), 0, 1, 2);                       // ring point at 0 degrees, raised by 1
  ExpectNear(P(14), P(6).x, P(6).y, P(6).z);       // closing vertex
  ExpectNear(m.mb.Pos(), 100, 20, 300);
  t_MeshRec bad;
  testGenVrt.AddFanFor(&bad, 2, 1, vec3(0, 0, 0), 1, 1, 1);
  testGenVrt.AddFanFor(&bad, 361, 1, vec3(0, 0, 0), 1, 1, 1);
  testGenVrt.AddFanFor(nullptr, 8, 1, vec3(0, 0, 0), 1, 1, 1);
  EXPECT_EQ(bad.klv, 0);
  EXPECT_EQ(testGenVrt.next, 15);
}

TEST_F(GenMeshTest, BodyOfRingsWithItsStripIndices) {
  float h[3] = {0, 5, 10}, r[3] = {3, 2, 1};
  t_MeshRec closed, open;
  testGenVrt.ElemSet_Stolb1For(&closed, 8, 1, vec3(0, 0, 0), h, r, 3, 1);
  EXPECT_EQ(closed.klv, 27);
  EXPECT_EQ(closed.GetIndKlv(), 40);
  EXPECT_EQ(closed.prim, 5);
  EXPECT_FALSE(closed.IsArray());
  // Ring 1 starts at 9; its seam vertex repeats its first.
  ExpectNear(P(9), 0, 5, 2);
  ExpectNear(P(17), P(9).x, P(9).y, P(9).z);
  const uint32_t* ind = closed.GetInd_();
  EXPECT_EQ(ind[0], 9u);
  EXPECT_EQ(ind[1], 0u);
  EXPECT_EQ(ind[18], 8u);   // the jump to ring 2: the seam of ring 0 ...
  EXPECT_EQ(ind[19], 18u);  // ... and ring 2's first vertex
  // Every index lies in the mesh's own range, the last ring's jump included.
  for (int i = 0; i < closed.indKlv; ++i) EXPECT_LT(ind[i], 27u) << i;
  testGenVrt.ElemSet_Stolb1For(&open, 6, 1, vec3(0, 0, 0), h, r, 2, 0);
  EXPECT_EQ(open.first, 27);
  EXPECT_EQ(open.klv, 12);
  EXPECT_EQ(open.GetIndKlv(), 16);
  for (int i = 0; i < open.indKlv; ++i) {
    EXPECT_GE(open.ind[i], 27u);
    EXPECT_LT(open.ind[i], 39u);
  }
  EXPECT_EQ(open.ind[12], 33u);
  EXPECT_EQ(open.ind[13], 27u);
  // A rebuilt mesh takes a new range; the old index array is freed.
  testGenVrt.ElemSet_Stolb1For(&open, 6, 1, vec3(0, 0, 0), h, r, 2, 0);
  EXPECT_EQ(open.first, 39);
  testGenVrt.ElemSet_Stolb1For(&open, 6, 1, vec3(0, 0, 0), nullptr, r, 2, 0);
  EXPECT_EQ(open.first, 39);  // refused before anything changed
  EXPECT_EQ(open.klv, 12);
}

TEST_F(GenMeshTest, PoolRefusesWhatDoesNotFit) {
  testGenVrt.next = t_testGenVrt::kVerts - 9;
  t_MeshRec fan, body, arc;
  testGenVrt.AddFanFor(&fan, 8, 1, vec3(0, 0, 0), 1, 1, 1);  // 10 of 9
  EXPECT_EQ(fan.klv, 0);
  float h[2] = {0, 1}, r[2] = {1, 1};
  testGenVrt.ElemSet_Stolb1For(&body, 8, 1, vec3(0, 0, 0), h, r, 2, 1);
  EXPECT_EQ(body.klv, 0);
  EXPECT_EQ(body.GetInd_(), nullptr);
  testGenVrt.AddDugaFor(&arc, 0, 0, 4, 1, 1, 0.5f, 0, 0, 0, 0, 0);  // 10 of 9
  EXPECT_EQ(arc.klv, 0);
  EXPECT_EQ(testGenVrt.next, t_testGenVrt::kVerts - 9);
  EXPECT_EQ(testGenVrt.GetBlokNowFirst(9), t_testGenVrt::kVerts - 9);
  EXPECT_EQ(testGenVrt.GetBlokNowFirst(1), -1);
  EXPECT_EQ(testGenVrt.GetBlokNowFirst(-1), -1);
  EXPECT_EQ(testGenVrt.next, t_testGenVrt::kVerts);
}

TEST_F(GenMeshTest, ArcTexturesAndShifts) {
  t_MeshRec arc;
  testGenVrt.AddDugaFor(&arc, 10, 0, 4, 1, 2, 0.5f, 0.1f, 0, 1, 3, 7);
  EXPECT_EQ(arc.klv, 10);
  EXPECT_EQ(arc.prim, 5);
  vec3 raw[10];
  Crt_StripDuga(raw, 10, 1, 2, 0.5f, 0.1f, 0);
  for (int i = 0; i < 10; ++i) ExpectNear(P(i), raw[i].x + 10, raw[i].y, raw[i].z);
  EXPECT_FLOAT_EQ(testGenVrt.uv[2].x, 3);
  EXPECT_FLOAT_EQ(testGenVrt.uv[0].y, 7);
}

TEST_F(GenMeshTest, TextureWriters) {
  float h[2] = {2, 6}, r[2] = {1, 1};
  testGenVrt.uv[0] = vec2(-1, -1);
  testGenVrt.UV1_Stolb1For(0, 7, h, r, 2);  // odd count: nothing
  EXPECT_EQ(testGenVrt.uv[0].x, -1);
  testGenVrt.UV1_Stolb1For(0, 8, h, r, 2);
  EXPECT_FLOAT_EQ(testGenVrt.uv[1].x, 0.25f);
  EXPECT_FLOAT_EQ(testGenVrt.uv[4].x, 1.0f);
  EXPECT_FLOAT_EQ(testGenVrt.uv[6].x, 0.5f);
  EXPECT_FLOAT_EQ(testGenVrt.uv[8].y, 1.5f);  // 6 / (6 - 2)
  testGenVrt.UV1_RealRings_Stolb1For(0, 5, h, r, 2);
  EXPECT_FLOAT_EQ(testGenVrt.uv[4].x, 1.0f);
  EXPECT_FLOAT_EQ(testGenVrt.uv[2].x, 0.5f);
  // Flat bodies (no height range) and ranges past the pool write nothing wrong.
  float flat[2] = {3, 3};
  testGenVrt.UV1_RealRings_Stolb1For(0, 5, flat, r, 2);
  EXPECT_FLOAT_EQ(testGenVrt.uv[0].y, 0);
  testGenVrt.UV1_Stolb1For(t_testGenVrt::kVerts - 4, 8, h, r, 2);
  testGenVrt.TransVrtY(t_testGenVrt::kVerts - 4, 8, 1);
}

TEST_F(GenMeshTest, TransformsAndBox) {
  t_MeshRec m;
  testGenVrt.GrabBlokUnder(&m, 3, 6);
  testGenVrt.pos[0] = vec3(11, 0, 0);
  testGenVrt.pos[1] = vec3(10, 2, 0);
  testGenVrt.pos[2] = vec3(10, 0, 4);
  m.mb.Pos(vec3(10, 0, 0));
  // Relative: the placement is taken off first and not added back.
  testGenVrt.MultVrt(&m, vec3(0, 0, 1), vec3(0, 1, 0), vec3(1, 0, 0), 1);
  ExpectNear(P(0), 0, 0, 1);
  ExpectNear(P(2), 4, 0, 0);
  testGenVrt.TransVrt(&m, vec3(1, 1, 1));
  ExpectNear(P(1), 1, 3, 1);
  testGenVrt.TransVrtY(&m, -1);
  ExpectNear(P(1), 1, 2, 1);
  mat4 M = identity4();
  testGenVrt.MultVrtM4(&m, M, 0);
  ExpectNear(P(2), 5, 0, 1);
  testGenVrt.MultVrt(&m, 0);  // the reset placement's axes: no change
  ExpectNear(P(2), 5, 0, 1);
  testGenVrt.UpdGbrFor(&m);
  ExpectNear(m.mb.Pos(), 3, 1, 1.5f);
  ExpectNear(m.mb.Hf(), 2, 1, 0.5f);
  t_MeshRec one;
  one.first = 7;
  one.klv = 1;
  testGenVrt.pos[7] = vec3(3, 4, 5);
  testGenVrt.UpdGbrFor(&one);
  ExpectNear(one.mb.Hf(), 0, 0, 0);
  ExpectNear(one.mb.Pos(), 3, 4, 5);
  t_MeshRec empty;
  testGenVrt.UpdGbrFor(&empty);
  ExpectNear(empty.mb.Hf(), 0.5f, 0.5f, 0.5f);
}

TEST_F(GenMeshTest, MeshesDrawDirectlyAndThroughTheMultiDrawQueues) {
  float h[2] = {-10, 10}, r[2] = {8, 8};
  static t_MeshRec body, cap;
  testGenVrt.ElemSet_Stolb1For(&body, 16, 1, vec3(0, 0, 0), h, r, 2, 1);
  testGenVrt.AddFanFor(&cap, 16, 1, vec3(0, 0, 0), 0, 0, 8);
  // Seen from the front: the body is a rectangle 16 wide and 20 high.
  PixelView();
  ColorMatF(1, 1, 1, 1);
  testGenVrt.DrawNow(&body, 1, 1);
  EXPECT_NEAR_RGB(ReadRgba(200, 200), 255, 255, 255, 1);
  EXPECT_NEAR_RGB(ReadRgba(200 + 70, 200), 255, 255, 255, 1);
  EXPECT_NEAR_RGB(ReadRgba(200 + 90, 200), 0, 0, 0, 1);
  EXPECT_NEAR_RGB(ReadRgba(200, 200 + 110), 0, 0, 0, 1);
  // The pool's colours reach the drawing with the colour flag.
  testGenVrt.rgba[body.first][0] = testGenVrt.rgba[body.first][2] = 0;
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glRotatef(90, 1, 0, 0);  // seen from above: the cap is a disc of radius 8
  testGenVrt.DrawNow(&cap, 0, 0);
  EXPECT_NEAR_RGB(ReadRgba(200, 200), 255, 255, 255, 1);
  EXPECT_NEAR_RGB(ReadRgba(200 + 75, 200 + 75), 0, 0, 0, 1);
  testGenVrt.DrawNow(nullptr, 1, 1);

  // The multi-draw passes ask the owner for the ranges (event 8 for plain
  // ranges, 9 for index arrays) and colour the vertices from the pool.
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
  RenderOwnerEvent = [](Fgr4*, int code, void* a, void* b, void* c, void*) {
    t_MeshRec* m = *static_cast<uint16_t*>(c) == 0 ? &cap : &body;
    if (code == 8) {
      *static_cast<int*>(a) = m->first;
      *static_cast<int*>(b) = m->klv;
    } else if (code == 9) {
      *static_cast<const void**>(a) = m->GetInd_();
      *static_cast<int*>(b) = m->GetIndKlv();
    }
  };
  Fgr4* owner = reinterpret_cast<Fgr4*>(32);
  RenderM.r1r2[1].Add(body.IsArray(), 0, 0, -1, 0, -1, 0, owner, 1, nullptr, nullptr, nullptr, nullptr, nullptr,
                      nullptr, nullptr, nullptr);
  RenderM._Run(nullptr);
  Rgba p = ReadRgba(210, 200);
  EXPECT_GT(p.g, 200);
  EXPECT_LT(p.r, 200);  // the first vertex, below, is green
  EXPECT_NEAR_RGB(ReadRgba(200 + 90, 200), 0, 0, 0, 1);
}
