// The render queues and the render machine: limits, buckets, owner callbacks
// and the fixed pass order, on real GL frames read back.
#include <functional>
#include <vector>

#include "tests/render/render_fixture.h"
#include "world/world.h"

namespace {

// Owners are plain tokens here: the machine hands them to the owner callback.
Fgr4* Owner(int k) { return reinterpret_cast<Fgr4*>(static_cast<uintptr_t>(0x1000 + 16 * k)); }
int OwnerIndex(Fgr4* f) { return static_cast<int>((reinterpret_cast<uintptr_t>(f) - 0x1000) / 16); }

struct Call {
  int owner, code;
  void *a, *b, *c;
};
std::vector<Call> calls;
std::function<void(const Call&)> onEvent;

void Record(Fgr4* owner, int code, void* a, void* b, void* c, void*) {
  Call call{OwnerIndex(owner), code, a, b, c};
  calls.push_back(call);
  if (onEvent) onEvent(call);
}

class MachineTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    calls.clear();
    onEvent = nullptr;
    RenderOwnerEvent = Record;
    for (tzkz_Quads& q : RenderM.quads) q.enable = 1;
  }
  void TearDown() override {
    RenderOwnerEvent = Fgr4_Event;
    onEvent = nullptr;
  }
  // Pixel projection with depth 0..200 in front of the eye.
  static void SceneProjection() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, kTestW, 0, kTestH, 0, 200);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
  }
};

// A sprite quad of half size h around (x, y) at depth z in one colour.
void SpriteQuad(float x, float y, float z, float h, float r, float g, float b, float a) {
  float q[12] = {x - h, y - h, z, x + h, y - h, z, x + h, y + h, z, x - h, y + h, z};
  float c[16], uv[8];
  MSpr_SetQuad(q, MSpr_qClr(c, r, g, b, a), MSpr_qTC(uv, 1, 1, 1, 1), nullptr);
}

}  // namespace

TEST_F(MachineTest, QueuesRefuseOrdersPastTheirCapacity) {
  for (int i = 0; i < 400; ++i) ASSERT_EQ(RenderM.box.Add(0, 0, 0, 1, 1, 1, 1, 1, 1, 0, -1, 0, -1, 0), 1);
  EXPECT_EQ(RenderM.box.Add(0, 0, 0, 1, 1, 1, 1, 1, 1, 0, -1, 0, -1, 0), 0);
  EXPECT_EQ(RenderM.box.gNow(), 400);
  for (int i = 0; i < 2500; ++i) ASSERT_EQ(RenderM.quads[0].Add(Owner(1), 0, 1, 0, 22, -1, 0), 1);
  EXPECT_EQ(RenderM.quads[0].Add(Owner(1), 0, 1, 0, 22, -1, 0), 0);
  EXPECT_EQ(RenderM.mdl[0].Add(Owner(1), 0, -1, 0, 1, 0, 3, -1, 0), 0);
  for (int i = 0; i < 2000; ++i) ASSERT_EQ(RenderM.mdl[0].Add(Owner(1), 0, 0, 0, 1, 0, 3, -1, 0), 1);
  EXPECT_EQ(RenderM.mdl[0].Add(Owner(1), 0, 0, 0, 1, 0, 3, -1, 0), 0);
  for (int i = 0; i < 2000; ++i)
    ASSERT_EQ(RenderM.r1r2[1].Add(1, 0, 0, -1, 0, -1, 0, Owner(1), 0, nullptr, nullptr, nullptr, nullptr, nullptr,
                                  nullptr, nullptr, nullptr),
              1);
  EXPECT_EQ(RenderM.r1r2[1].Add(1, 0, 0, -1, 0, -1, 0, Owner(1), 0, nullptr, nullptr, nullptr, nullptr, nullptr,
                                nullptr, nullptr, nullptr),
            0);
  RenderM._ResetOnStartNewLap();
  EXPECT_EQ(RenderM.box.gNow() + RenderM.quads[0].gNow() + RenderM.mdl[0].gNow() + RenderM.r1r2[1].gNow(), 0);
}

TEST_F(MachineTest, KeysPastTheBucketCountAreCountedButNeverDrawn) {
  tzkz_FModels& q = RenderM.mdl[0];
  for (int k = 0; k < 50; ++k) ASSERT_EQ(q.Add(Owner(k), static_cast<uint16_t>(k), 0, 0, 1, 0, k, -1, 0), 1);
  EXPECT_EQ(q.Add(Owner(50), 50, 0, 0, 1, 0, 50, -1, 0), 0);  // a 51st key
  EXPECT_EQ(q.gNow(), 51);
  EXPECT_EQ(q.Add(Owner(51), 51, 0, 0, 1, 0, 7, -1, 0), 1);  // joins key 7's bucket
  q.Run(1);
  std::vector<int> seen;
  for (const Call& c : calls) {
    EXPECT_EQ(c.code, 7);
    seen.push_back(*static_cast<uint16_t*>(c.a));
  }
  ASSERT_EQ(seen.size(), 51u);
  EXPECT_EQ(std::count(seen.begin(), seen.end(), 50), 0);
  // Within a bucket the newest order comes first.
  auto at = std::find(seen.begin(), seen.end(), 51);
  ASSERT_NE(at, seen.end());
  EXPECT_EQ(*(at + 1), 7);

  calls.clear();
  tzkz_Quads& s = RenderM.quads[0];
  for (int k = 0; k < 18; ++k) ASSERT_EQ(s.Add(Owner(k), static_cast<uint16_t>(k), 1, 0, k, -1, 0), 1);
  EXPECT_EQ(s.Add(Owner(18), 18, 1, 0, 18, -1, 0), 0);
  EXPECT_EQ(s.gNow(), 19);
  s.Run(0);
  EXPECT_EQ(calls.size(), 18u);
}

TEST_F(MachineTest, MultiDrawOrdersWithOtherLightsTakeTheirOwnBucket) {
  t_SvetOGL a, b;
  tzkz_R1R2& q = RenderM.r1r2[0];
  auto add = [&](int owner, t_SvetOGL* l0, t_SvetOGL* l1) {
    return q.Add(1, 3, 0, -1, 0, -1, 0, Owner(owner), 0, l0, l1, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
  };
  ASSERT_EQ(add(0, nullptr, nullptr), 1);  // head without lights: takes no order with a light
  ASSERT_EQ(add(1, &a, nullptr), 1);
  ASSERT_EQ(add(2, &a, &b), 1);  // head 2 has one light: still no room for b
  ASSERT_EQ(add(3, nullptr, nullptr), 1);  // joins the first bucket
  ASSERT_EQ(add(4, &a, nullptr), 1);  // joins the second
  onEvent = [](const Call& c) {
    *static_cast<int*>(c.a) = 0;
    *static_cast<int*>(c.b) = 0;
  };
  t_ExtVrt arrays;
  arrays.Sbros();
  arrays.pos = testGenVrt.pos;
  q.Run(GL_TRIANGLE_FAN, &arrays);
  ASSERT_EQ(calls.size(), 5u);
  const int order[5] = {3, 0, 4, 1, 2};
  const int slot[5] = {0, 1, 0, 1, 0};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(calls[i].owner, order[i]);
    EXPECT_EQ(calls[i].code, 8);
    EXPECT_EQ(calls[i].a, &tmpPrimF[slot[i]]);
    EXPECT_EQ(calls[i].b, &tmpPrimC[slot[i]]);
  }
  glDisable(GL_LIGHTING);
  for (int i = 0; i < 8; ++i) glDisable(GL_LIGHT0 + i);
}

TEST_F(MachineTest, WireChainsJoinInvisiblyAndRefuseWhatDoesNotFit) {
  tzkz_Wires1& w = RenderM.wire[0];
  vec3 pts[6] = {vec3(1, 0, 0), vec3(2, 0, 0), vec3(3, 0, 0), vec3(4, 0, 0), vec3(5, 0, 0), vec3(6, 0, 0)};
  EXPECT_EQ(w.AddChain(pts, nullptr, 1, 255, 255, 255, 255), 0);
  EXPECT_EQ(w.AddChain(nullptr, nullptr, 3, 255, 255, 255, 255), 0);
  EXPECT_EQ(w.AddChain(pts, nullptr, 3, 255, 255, 255, 255), 1);
  EXPECT_EQ(w.gNow(), 3);
  EXPECT_EQ(w.AddChain(pts, nullptr, 2, 255, 255, 255, 255), 1);
  EXPECT_EQ(w.gNow(), 8);
  while (w.gNow() + 6 + 3 <= tzkz_Wires1::kCap) ASSERT_EQ(w.AddChain(pts, nullptr, 6, 1, 2, 3, 4), 1);
  int before = w.gNow();
  EXPECT_EQ(w.AddChain(pts, nullptr, 6, 1, 2, 3, 4), 0);
  EXPECT_EQ(w.gNow(), before);
}

TEST_F(MachineTest, LineQueueRefusesVerticesPastItsCapacity) {
  tzkz_Lines1& l = RenderM.line[0];
  EXPECT_EQ(l.AddBoxRam(vec3(0, 0, 0), vec3(1, 1, 1), 1, 2, 3, 4), 1);
  EXPECT_EQ(l.gNow(), 24);
  EXPECT_EQ(l.AddSpikeRam(vec3(0, 0, 0), vec3(1, 1, 1), 1, 2, 3, 4), 1);
  EXPECT_EQ(l.gNow(), 40);
  while (l.gNow() + 2 <= tzkz_Lines1::kCap) ASSERT_EQ(l.Add(vec3(0), vec3(1), 1, 1, 1, 1, 1, 1, 1, 1), 1);
  EXPECT_EQ(l.gNow(), tzkz_Lines1::kCap);
  EXPECT_EQ(l.Add(vec3(0), vec3(1), 1, 1, 1, 1, 1, 1, 1, 1), 0);
  EXPECT_EQ(l.AddBoxRam(vec3(0), vec3(1), 1, 1, 1, 1), 0);
  EXPECT_EQ(l.gNow(), tzkz_Lines1::kCap);
  l.Run();  // a full queue draws without reading past its arrays
}

TEST_F(MachineTest, BoxLinesOutlineTheTwelveEdges) {
  SceneProjection();
  glDisable(GL_DEPTH_TEST);
  RenderM.line[0].AddBoxRam(vec3(128.5f, 128.5f, -50), vec3(40, 40, 10), 255, 0, 0, 255);
  RenderM._Run(nullptr);
  // Seen along z the outline is the square of the front and back faces.
  EXPECT_NEAR_RGB(ReadRgba(128, 88), 255, 0, 0, 1);
  EXPECT_NEAR_RGB(ReadRgba(88, 128), 255, 0, 0, 1);
  EXPECT_NEAR_RGB(ReadRgba(128, 128), 0, 0, 0, 0);
}

TEST_F(MachineTest, PassesComposeInTheFixedOrder) {
  SceneProjection();
  *o2::FogDejNear = 10;
  *o2::FogDejFar = 110;
  Fog_ProcCase(1, 1.0f, 0.2f, 0.6f, 1.0f);  // the scene's fog, as the game frame sets it
  RenderM.box.Add(128, 128, -60, 30, 30, 5, 0.8f, 0.2f, 0.4f, 0, -1, 0, -1, 0);
  RenderM.quads[0].Add(Owner(1), 0, 0, -1, 0, -1, 0);  // additive, in the world at depth 50
  RenderM.quads[4].Add(Owner(2), 0, 0, -1, 0, -1, 0);  // alpha-blended, on the screen
  onEvent = [](const Call& c) {
    ASSERT_EQ(c.code, 12);
    if (c.owner == 1) SpriteQuad(128, 128, -50, 20, 0.3f, 0.1f, 0.05f, 0.5f);
    if (c.owner == 2) SpriteQuad(128, 128, 0, 20, 0.1f, 0.9f, 0.2f, 0.25f);
  };
  RenderM._Run(nullptr);
  EXPECT_FALSE(glIsEnabled(GL_FOG));
  // The box's front face at depth 55 takes the linear fog factor (110 - 55) / 100.
  const double f = 0.55, box[3] = {0.8, 0.2, 0.4}, fog[3] = {0.2, 0.6, 1.0};
  const double add[3] = {0.3, 0.1, 0.05}, alpha[3] = {0.1, 0.9, 0.2};
  int want[3];
  for (int c = 0; c < 3; ++c) {
    double v = Byte(f * box[c] + (1 - f) * fog[c]) / 255.0;   // fogged box
    v = Byte(v + add[c] * 0.5) / 255.0;                          // additive sprite, unfogged
    want[c] = Byte(alpha[c] * 0.25 + v * 0.75);                  // alpha sprite over it
  }
  EXPECT_NEAR_RGB(ReadRgba(128, 128), want[0], want[1], want[2], 2);
  // Outside the sprites only the fogged box shows.
  EXPECT_NEAR_RGB(ReadRgba(152, 152), Byte(f * 0.8 + (1 - f) * 0.2), Byte(f * 0.2 + (1 - f) * 0.6),
                  Byte(f * 0.4 + (1 - f) * 1.0), 2);
}

TEST_F(MachineTest, RunningTwiceDrawsTheOrdersTwice) {
  RenderM.quads[3].Add(Owner(1), 0, 0, -1, 0, -1, 0);
  onEvent = [](const Call&) { SpriteQuad(64, 64, 0, 10, 0.2f, 0.1f, 0.3f, 1.0f); };
  RenderM._Run(nullptr);
  EXPECT_NEAR_RGB(ReadRgba(64, 64), 51, 26, 77, 1);
  RenderM._Run(nullptr);
  EXPECT_NEAR_RGB(ReadRgba(64, 64), 102, 51, 153, 2);
  EXPECT_EQ(calls.size(), 2u);
}

TEST_F(MachineTest, SpriteEnableWordsTakeEffectAfterTheNextRun) {
  *o2::TestFgrDrawQuads34 = 0;
  *o2::TestFgrDrawQuads38D = 0;
  EXPECT_EQ(RenderM.quads[0].Add(Owner(1), 0, 0, -1, 0, -1, 0), 1);
  RenderM._Run(nullptr);
  EXPECT_EQ(calls.size(), 1u);  // the order of this frame is still drawn
  RenderM._ResetOnStartNewLap();
  EXPECT_EQ(RenderM.quads[0].Add(Owner(1), 0, 0, -1, 0, -1, 0), 0);
  EXPECT_EQ(RenderM.quads[1].Add(Owner(1), 0, 0, -1, 0, -1, 0), 0);
  EXPECT_EQ(RenderM.quads[4].Add(Owner(1), 0, 0, -1, 0, -1, 0), 0);
  EXPECT_EQ(RenderM.quads[3].Add(Owner(1), 0, 0, -1, 0, -1, 0), 1);
  *o2::TestFgrDrawQuads34 = 1;
  *o2::TestFgrDrawQuads38D = 1;
  RenderM._Run(nullptr);
  EXPECT_EQ(RenderM.quads[0].Add(Owner(1), 0, 0, -1, 0, -1, 0), 1);
}

TEST_F(MachineTest, AnEmptyFrameOnlySetsTheFixedState) {
  glEnable(GL_LIGHTING);
  glEnable(GL_FOG);
  glEnable(GL_BLEND);
  glLineWidth(3);
  glActiveTextureARB(GL_TEXTURE0_ARB);
  glEnable(GL_TEXTURE_2D);
  RenderM._Run(nullptr);
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  EXPECT_FALSE(glIsEnabled(GL_FOG));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));
  float width = 0;
  glGetFloatv(GL_LINE_WIDTH, &width);
  EXPECT_FLOAT_EQ(width, 1);
  EXPECT_TRUE(calls.empty());
  EXPECT_EQ(RenderM.quads[2].enable, 1);
}

TEST_F(MachineTest, ModelOrdersCallTheirOwnersWithTheSubId) {
  PixelProjection();
  glDisable(GL_DEPTH_TEST);
  RenderM.mdl[0].Add(Owner(3), 77, 0, 0, 0, -1, 0, -1, 0);
  RenderM.mdl[1].Add(Owner(4), 78, 0, 0, 0, -1, 0, -1, 0);
  onEvent = [](const Call& c) {
    ASSERT_EQ(c.code, 7);
    uint16_t sub = *static_cast<uint16_t*>(c.a);
    if (sub == 77) {
      EXPECT_FALSE(glIsEnabled(GL_BLEND));
      glColor4f(0, 1, 0, 1);
      RenderTest::FillQuad(0, 0, 32, 32);
    } else {
      EXPECT_TRUE(glIsEnabled(GL_ALPHA_TEST));  // alpha-masked: the low alpha is cut away
      glColor4f(1, 0, 0, 0.1f);
      RenderTest::FillQuad(0, 0, 32, 32);
    }
  };
  RenderM._Run(nullptr);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_NEAR_RGB(ReadRgba(16, 16), 0, 255, 0, 0);
}

TEST_F(MachineTest, MultiDrawRangesComeFromTheVertexPool) {
  PixelProjection();
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  const vec3 corners[4] = {vec3(100, 100, 0), vec3(140, 100, 0), vec3(140, 140, 0), vec3(100, 140, 0)};
  for (int i = 0; i < 4; ++i) {
    testGenVrt.pos[500 + i] = corners[i];
    const uint8_t c[4] = {10, 200, 90, 255};
    for (int k = 0; k < 4; ++k) testGenVrt.rgba[500 + i][k] = c[k];
  }
  static uint32_t indices[4] = {500, 501, 502, 503};
  RenderM.r1r2[0].Add(1, 0, 0, -1, 0, -1, 0, Owner(5), 1, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                      nullptr, nullptr);
  onEvent = [](const Call& c) {
    if (c.code == 8) {
      *static_cast<int*>(c.a) = 500;
      *static_cast<int*>(c.b) = 4;
    } else if (c.code == 9) {
      *static_cast<const void**>(c.a) = indices;
      *static_cast<int*>(c.b) = 4;
    }
  };
  RenderM._Run(nullptr);
  EXPECT_NEAR_RGB(ReadRgba(120, 120), 10, 200, 90, 0);
  // The same range by index array, through the element path.
  glClear(GL_COLOR_BUFFER_BIT);
  RenderM._ResetOnStartNewLap();
  calls.clear();
  RenderM.r1r2[0].Add(0, 0, 0, -1, 0, -1, 0, Owner(5), 1, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                      nullptr, nullptr);
  RenderM._Run(nullptr);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].code, 9);
  EXPECT_NEAR_RGB(ReadRgba(120, 120), 10, 200, 90, 0);
  for (int i = 0; i < 4; ++i)
    for (int k = 0; k < 4; ++k) testGenVrt.rgba[500 + i][k] = 255;
}

TEST_F(MachineTest, SpriteOrderWithoutOwnerDrawsTheTestQuad) {
  glViewport(10, 10, 50, 50);
  RenderM.quads[3].Add(nullptr, 0, 0, -1, 0, -1, 0);
  RenderM._Run(nullptr);
  EXPECT_TRUE(calls.empty());
  GLint vp[4];
  glGetIntegerv(GL_VIEWPORT, vp);
  EXPECT_EQ(vp[2], 50);  // the full-screen viewport was popped again
  // A white quad around (100, 300) in screen pixels, over the whole screen.
  EXPECT_NEAR_RGB(ReadRgba(100, 300), 255, 255, 255, 0);
  EXPECT_NEAR_RGB(ReadRgba(100, 200), 0, 0, 0, 0);
}
