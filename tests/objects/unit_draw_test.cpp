// Units on real GL frames: the draw gate, the model orders of each test
// variant drawn by the render machine, the selection ring, rings of a
// selected unit out of view, enemies nobody sees, picking, the heap under
// the hover pick over a full pool, and the frame of many units drawn with
// shared lights and dot arrays, and drawn again through the benchmark's
// plain GL floor.
#include <cstring>
#include <iterator>
#include <vector>

#include "bench/plain_floor.h"
#include "objects/fotik.h"
#include "objects/modesglue.h"
#include "tests/common/alloc_hooks.h"
#include "tests/common/default_settings.h"
#include "tests/common/gl_count.h"
#include "tests/common/lists_lap.h"
#include "tests/objects/draw_fixture.h"

namespace {

const vec3 kAt(1000, 0, 1000);

class UnitDrawTest : public ObjDrawTest {
 protected:
  void SetUp() override {
    ObjDrawTest::SetUp();
    LoadDefaultUnitTables();
    *o2::TestFgrDrawUnit = 1;
    *o2::AllBuldMesh2 = 2;
    *o2::AllBuldMeshTex = 50;
    *o2::AllBuldMKoles = 3;
    *o2::ATankTex = 39;
    *o2::AGusTex = 47;
    *o2::t1Body = 10;
    *o2::t1Wing = 11;
    *o2::t1Gus = 12;
    *o2::t1Bash = 13;
    *o2::t1Gunbs = 14;
    *o2::t1Gun = 15;
    *o2::AllTankMKolesBig = 7;
    *o2::AllTankMKolesMin = 5;
    Camera(vec3(1000, 40, 1070), kAt);
  }

  tw_Unit* Unit(int preset, int side = 1, vec3 at = kAt) {
    if (!FgrHld.AddWrk(27, preset, 1)) return nullptr;
    tw_Unit* u = pTekUnit;
    u->iu[uiSide] = side;
    u->mb.Pos(at);
    u->mb.PosYOpor();
    return u;
  }

  // The data set's settings for a test, and what GL offers as the game sets
  // it after them; the suite's own come back after it.
  struct t_DataSetSettings {
    int saved2[std::size(org2n)];
    float savedF[std::size(orgFn)];
    int savedFrameTime = GFrameTime;
    t_DataSetSettings() {
      std::memcpy(saved2, org2n, sizeof saved2);
      std::memcpy(savedF, orgFn, sizeof savedF);
      LoadDefaultSettings();
      EXPECT_EQ(Init_Extensions(1, 1), 1);
      *o2::AktivIPPI = 4;
      GFrameTime = 10;
    }
    ~t_DataSetSettings() {
      GFrameTime = savedFrameTime;
      std::memcpy(org2n, saved2, sizeof saved2);
      std::memcpy(orgFn, savedF, sizeof savedF);
    }
  };

  // 240 units in rows from near the side camera (wheels and wings drawn) to
  // far: tanks, with (`mixed`) a few of every other variant and some
  // selected among them; under the sun and point lights of three colours
  // that reach some of them, gathered by one update.
  void LitRows(bool mixed) {
    sysSRand(7);
    const int others[] = {1, 2, 4};
    for (int k = 0; k < 240; ++k) {
      const int preset = mixed && k % 40 == 7 ? others[(k / 40) % 3] : 3;
      tw_Unit* u = Unit(preset, 1, kAt + vec3((k % 20) * 9.0f - 85, 0, (k / 20) * -14.0f + 40));
      ASSERT_NE(u, nullptr);
      if (mixed && k % 53 == 0) PlayerSelectedAdd(u->owner);
    }
    if (mixed) Unit(4, 1, kAt + vec3(30, 0, 20));
    NowIn_masSvetik = NowIn_masLandSvetik = 0;
    Glob_KamOptimBoxP = kAt;
    Glob_KamOptimBoxG = vec3(400, 400, 400);
    t_Svet* sun = GetSvetikPro(1, vec3(0.3f, 0.8f, 0.5f), 5000);
    ASSERT_NE(sun, nullptr);
    sun->ambient = vec4(0.3f, 0.3f, 0.3f, 1);
    sun->diffuse = vec4(0.8f, 0.8f, 0.7f, 1);
    const struct {
      vec3 at;
      int reach;
      float r, g, b;
    } lamps[] = {{{-40, 5, 20}, 40, 1, 0.3f, 0.1f}, {{20, 5, -30}, 50, 0.1f, 0.4f, 1}, {{0, 8, 0}, 30, 0.2f, 1, 0.2f},
                 {{60, 5, -90}, 60, 1, 1, 0.3f}, {{-70, 5, -60}, 0, 1, 1, 1}};
    for (const auto& l : lamps) Add_SvetBallPos(kAt + l.at, l.reach, l.r, l.g, l.b, 0.3f, 0.3f, 0.3f);
    UnitListsStartLap();
    FgrHld.Update(2, 1);
  }

  // The rows seen from the side, or from a top camera whose square cuts
  // them (the wings that cross its edges are drawn by switching the front
  // face, the others turned).
  void RowsView(bool top) {
    if (top) {
      cam.mode = 6;
      cam.orthoW = cam.orthoH = 95;
      cam.znear = -300;
      cam.zfar = 300;
      cam.eye = kAt + vec3(-40, 0, -73);
      cam.Set1();
      cam.Set2_ProjMode(1);
      cam.Set3_Kamera();
      Fru1.Update();
    } else {
      Camera(vec3(1000, 45, 1095), kAt + vec3(0, 0, -40));
    }
  }

  static std::vector<uint8_t> Picture() {
    std::vector<uint8_t> px(size_t(kTestW) * kTestH * 4);
    glReadPixels(0, 0, kTestW, kTestH, GL_RGBA, GL_UNSIGNED_BYTE, px.data());
    return px;
  }
  static int Differing(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    int n = 0;
    for (size_t i = 0; i + 3 < a.size() && i + 3 < b.size(); i += 4)
      n += a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2];
    return n;
  }
};

}  // namespace

TEST_F(UnitDrawTest, WithTheGateShutNothingIsQueuedOrPickable) {
  tw_Unit* u = Unit(2);
  PlayerSelectedOne(u->owner);
  *o2::TestFgrDrawUnit = 0;
  Frame();
  EXPECT_EQ(queuedModels, 0);
  EXPECT_EQ(queuedBoxes, 0);
  for (int w : queuedWire) EXPECT_EQ(w, 0);
  EXPECT_TRUE(IsClearColour(At(kAt + vec3(0, 2, 0))));
  EXPECT_EQ(PickAt(kAt + vec3(0, 2, 0)), nullptr);
  *o2::TestFgrDrawUnit = 1;
  EXPECT_EQ(PickAt(kAt + vec3(0, 2, 0)), u->owner);
}

TEST_F(UnitDrawTest, EachVariantQueuesItsModelsAndIsDrawn) {
  const struct {
    int preset, orders;
  } cases[] = {{1, 1}, {2, 2}, {3, 2}, {4, 2}};
  for (const auto& c : cases) {
    tw_Unit* u = Unit(c.preset);
    ASSERT_NE(u, nullptr);
    // The flyer stands at its flight height: the camera looks at the unit.
    const vec3 p = u->mb.Pos();
    Camera(p + vec3(0, 40, 70), p);
    Frame();
    EXPECT_EQ(queuedModels, c.orders) << c.preset;
    EXPECT_EQ(u->iu[uiVisible], 1);
    EXPECT_FALSE(IsClearColour(At(u->mb.Pos() + vec3(0, 0.8f, 0)))) << c.preset;
    u->owner->Kill(1);
  }
}

TEST_F(UnitDrawTest, ASelectedUnitShowsItsMarkerAndRing) {
  tw_Unit* u = Unit(2);
  Frame();
  EXPECT_EQ(queuedBoxes, 0);
  EXPECT_EQ(queuedWire[1], 0);
  PlayerSelectedOne(u->owner);
  Frame();
  EXPECT_EQ(u->iu[uiSelect], 1);
  EXPECT_EQ(queuedBoxes, 1);               // the marker above it
  EXPECT_EQ(queuedWire[1], 17 + 3 + 33);  // the selection ring, a hidden joint, the short range ring
  EXPECT_EQ(queuedWire[0], 41);           // long range
  EXPECT_EQ(queuedWire[3], 41);           // sight
  // The ring lies on the ground around the unit, drawn in light grey.
  int found = 0;
  for (int k = 0; k < 16 && !found; ++k) {
    vec3 p = kAt + u->ringSel[k] + vec3(0, 1.5f, 0);
    int x = 0, y = 0;
    GetPointToEkran(p, x, y, &cam);
    for (int dx = -1; dx <= 1; ++dx)
      for (int dy = -1; dy <= 1; ++dy) {
        Rgba c = ReadRgba(x + dx, y + dy);
        found |= c.r == 230 && c.g == 230 && c.b == 230;
      }
  }
  EXPECT_TRUE(found);
}

TEST_F(UnitDrawTest, OutOfViewOnlyTheRingsOfTheOnlySelectedUnit) {
  tw_Unit* u = Unit(2, 1, vec3(1000, 0, 1400));  // behind the camera
  PlayerSelectedOne(u->owner);
  Frame();
  EXPECT_LE(u->iu[uiVisible], 0);
  EXPECT_EQ(queuedModels, 0);
  EXPECT_EQ(queuedBoxes, 0);
  EXPECT_EQ(queuedWire[3], 41);  // the sight ring
  tw_Unit* v = Unit(2, 1, vec3(1000, 0, 1500));
  PlayerSelectedAdd(v->owner);
  Frame();
  EXPECT_EQ(queuedWire[3], 0);  // two selected: no rings
}

TEST_F(UnitDrawTest, AnEnemyNobodySeesIsNeitherDrawnNorPickable) {
  tw_Unit* e = Unit(2, 2);
  e->iu[uiSeen] = 0;
  Frame();
  EXPECT_EQ(queuedModels, 0);
  EXPECT_EQ(PickAt(kAt + vec3(0, 2, 0)), nullptr);
  e->iu[uiSeen] = 1;
  Frame();
  EXPECT_EQ(queuedModels, 2);
  EXPECT_EQ(PickAt(kAt + vec3(0, 2, 0)), e->owner);
}

TEST_F(UnitDrawTest, MeshNumbersOutsideTheGroupAreSkipped) {
  *o2::AllBuldMesh2 = 5000;
  *o2::AllBuldMKoles = -3;
  *o2::t1Body = 1 << 20;
  tw_Unit* car = Unit(2);
  tw_Unit* tank = Unit(3, 1, kAt + vec3(20, 0, 0));
  car->iu[uiModel + 2] = 99;  // no such group either
  Frame();
  EXPECT_EQ(queuedModels, 4);
  (void)tank;
}

// A tank a few dozen pixels long or less is drawn without its wheels and
// wings: a frame without those meshes is the same frame. Near, they show.
TEST_F(UnitDrawTest, AFarTankLeavesOutItsSmallParts) {
  auto frame = [&](bool smallParts) {
    *o2::AllTankMKolesBig = smallParts ? 7 : 5000;
    *o2::AllTankMKolesMin = smallParts ? 5 : 5000;
    *o2::t1Wing = smallParts ? 11 : 5000;
    Frame();
    std::vector<uint8_t> px(size_t(kTestW) * kTestH * 4);
    glReadPixels(0, 0, kTestW, kTestH, GL_RGBA, GL_UNSIGNED_BYTE, px.data());
    return px;
  };
  tw_Unit* tank = Unit(3);
  ASSERT_NE(tank, nullptr);
  tank->iu[uiWingL] = tank->iu[uiWingR] = 1;
  const struct {
    float distance;
    bool detail;
  } cases[] = {{40, true}, {120, true}, {260, false}, {400, false}};
  for (const auto& c : cases) {
    Camera(kAt + normalize(vec3(1, 0.4f, 1)) * c.distance, kAt);
    const auto with = frame(true), without = frame(false);
    EXPECT_FALSE(IsClearColour(At(tank->mb.Pos() + vec3(0, 0.8f, 0)))) << c.distance;
    EXPECT_EQ(with != without, c.detail) << c.distance;
  }
}

TEST_F(UnitDrawTest, SelectedIconsAndMinimapDots) {
  tw_Unit* u = Unit(2);
  PlayerSelectedOne(u->owner);
  PlayerSelected_IconsUp(&cam);
  int x = 0, y = 0;
  GetPointToEkran(u->mb.Pos(), x, y, &cam);
  EXPECT_EQ(PlayerSelected_ekx[1], x);
  EXPECT_EQ(PlayerSelected_eky[1], y);

  // Dots: a black shadow one pixel down and left, then the side colour.
  KlientMiniMapFgr_OnStartLap();
  KlientMiniMapFgr_Add(vec3(100, 0, 100), 1, 2);   // 3 x 3
  KlientMiniMapFgr_Add(vec3(200, 0, 100), 2, 6);   // 6 x 6 outline
  KlientMiniMapFgr_Add(vec3(300, 0, 100), 3, 99);  // no such kind
  glClearColor(1, 1, 1, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  ASSERT_EQ(Begin2D(0, kTestW, 0, kTestH), 1);
  MMapNakladDotsDraw();
  End2D();
  float r, g, b;
  RGB_ColorFlag(1, r, g, b);
  EXPECT_NEAR_RGB(ReadRgba(100, 100), Byte(r), Byte(g), Byte(b), 2);
  EXPECT_NEAR_RGB(ReadRgba(98, 98), 0, 0, 0, 2);
  EXPECT_NEAR_RGB(ReadRgba(300, 100), 255, 255, 255, 2);
  EXPECT_NEAR_RGB(ReadRgba(199, 100), 255, 255, 255, 2);  // inside the outline
  float r2, g2, b2;
  RGB_ColorFlag(2, r2, g2, b2);
  bool edge = false;
  for (int ex = 196; ex <= 204; ++ex) {
    Rgba p = ReadRgba(ex, 100);
    edge |= std::abs(p.r - Byte(r2)) <= 2 && std::abs(p.g - Byte(g2)) <= 2 && std::abs(p.b - Byte(b2)) <= 2;
  }
  EXPECT_TRUE(edge);
}

TEST_F(UnitDrawTest, InTheEditorUnitsNearTheCameraAreFramed) {
  tw_Unit* u = Unit(2);
  tw_Fotik* eye = FgrHld.Add_Fotik(2);
  ASSERT_NE(eye, nullptr);
  tw_Fotik* before = pSoloFotik;
  pSoloFotik = eye;
  const struct {
    int mode;
    vec3 camera;
    bool framed;
  } cases[] = {{5, kAt + vec3(70, 50, -70), true}, {5, kAt + vec3(90, 50, 0), false}, {4, kAt, false}};
  for (const auto& c : cases) {
    *o2::AktivIPPI = c.mode;
    eye->mb.Pos(c.camera);
    RenderM._ResetOnStartNewLap();
    u->owner->Event(EV_DRAW);
    EXPECT_EQ(RenderM.line[0].gNow() > 0, c.framed) << c.mode << " " << c.camera.x;
  }
  *o2::AktivIPPI = 0;
  pSoloFotik = before;
}

// The game picks the object under the pointer every 100 ms while the pointer
// is over the view. Over a full pool of tanks, a long run of those picks
// leaves the heap as it found it: the driver keeps memory for each draw made
// between glBegin and glEnd in the selection mode as long as the context
// lives, so the picking boxes are drawn from arrays.
TEST_F(UnitDrawTest, HoverPicksOverAFullPoolOfTanksKeepTheHeapFlat) {
  int tanks = 0;
  while (Unit(3, 1, kAt + vec3((tanks % 30) * 8.0f - 116, 0, (tanks / 30) * 9.0f - 200))) ++tanks;
  ASSERT_EQ(tanks, Fgr4W_Cap(27) - 1);
  Camera(vec3(1000, 180, 1150), kAt + vec3(0, 0, -60));
  Frame();
  auto hover = [&] { return OGL_SelectOneObj(0, kTestW / 2, kTestH / 2, &cam, 3, 3); };
  ASSERT_NE(hover(), nullptr);
  // The first picks fill the driver's buffers (about 1 MB); a box drawn
  // between glBegin and glEnd would keep some 650 KB a pick here.
  for (int k = 0; k < 10; ++k) hover();
  const size_t before = HeapBytesInUse();
  for (int k = 0; k < 40; ++k) hover();
  const size_t after = HeapBytesInUse();
  EXPECT_LT(after, before + 4 * 1024 * 1024)
      << "the heap grew by " << (after - before) / 1024 << " KB in 40 picks";
}

// With a few hundred units in view, with the data set's settings (their
// parts where they belong), the objects of each model run share the lights
// they have in common, the tanks' left wings are drawn from their turned
// triangles and the minimap dots go to GL as arrays: the frame is the one
// each object and each dot drawn by itself, with the front face switched
// around every left wing, gives, pixel for pixel (the quad drawn after the
// dots shows that GL is left alike too), and it takes less than half the GL
// calls.
TEST_F(UnitDrawTest, SharedLightsAndDotArraysDrawTheSameFrameWithFewerCalls) {
  const t_DataSetSettings settings;
  ASSERT_GT(*o3::t1WingX, 0.5f);
  LitRows(true);
  int lit = 0, pointLit = 0;
  for (int i = 1; i < Fgr4W.Unit.count; ++i) {
    const tw_Unit& u = Fgr4W.Unit.bodies[i];
    lit += u.Status() && u.sve.lights[0];
    pointLit += u.Status() && u.sve.lights[1];
  }
  EXPECT_GT(lit, 200);
  EXPECT_GT(pointLit, 20);
  // Dots of every kind and of three sides in overlapping rows, more than one
  // array takes; the list ends with a textured kind, or with a kind that has
  // no shape. Seen from the top, a turned triangle cut by the view would
  // differ in a few pixels.
  const int kinds[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 99};
  const struct {
    bool top;
    int last;
  } views[] = {{false, 7}, {false, 99}, {true, 7}};
  for (const auto& v : views) {
    RowsView(v.top);
    KlientMiniMapFgr_OnStartLap();
    for (int k = 0; k < 700; ++k)
      KlientMiniMapFgr_Add(vec3(10.0f + (k % 95) * 4, 0, 10.0f + (k / 95) * 5), 1 + k % 3,
                           static_cast<unsigned>(kinds[(k / 3) % 13]));
    KlientMiniMapFgr_Add(vec3(200, 0, 60), 2, static_cast<unsigned>(v.last));
    auto frame = [&](int alone, long& calls) {
      RenderM_EachOrderAlone = alone;
      const long c0 = glcount::Calls();
      Frame();
      if (Begin2D(0, kTestW, 0, kTestH)) {
        MMapNakladDotsDraw();
        d2::Q(300, 300, 40, 40);
        End2D();
      }
      calls = glcount::Calls() - c0;
      RenderM_EachOrderAlone = 0;
      return Picture();
    };
    long aloneCalls = 0, sharedCalls = 0;
    const std::vector<uint8_t> alone = frame(1, aloneCalls), shared = frame(0, sharedCalls);
    EXPECT_EQ(Differing(alone, shared), 0) << "top " << v.top << ", last dot kind " << v.last;
    EXPECT_LT(2 * sharedCalls, aloneCalls) << "top " << v.top << ", last dot kind " << v.last;
    EXPECT_FALSE(IsClearColour(At(kAt + (v.top ? vec3(-40, 1, -72) : vec3(0, 1, 20))))) << "the tanks are drawn";
  }
}

// The benchmark's floor, the model draws of a frame of lit tanks drawn again
// through plain GL, draws the frame's picture: each part with the lights and
// material it had (sun and point lights of three colours reach different
// tanks; hulls and wheels differ in material), seen from the side and from a
// top view that cuts wings.
TEST_F(UnitDrawTest, TheBenchmarksPlainGLFloorDrawsTheFramesPicture) {
  const t_DataSetSettings settings;
  LitRows(false);
  for (bool top : {false, true}) {
    RowsView(top);
    t_PlainFloor floor;
    ASSERT_TRUE(floor.Take([&] { Frame(); })) << top;
    const std::vector<uint8_t> frame = Picture();
    glClearColor(0, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    floor.Draw();
    const std::vector<uint8_t> plain = Picture();
    EXPECT_GT(floor.Parts(), 1000u) << top;
    EXPECT_LT(Differing(frame, plain), kTestW * kTestH * 3 / 1000) << top;
    Frame();
    EXPECT_EQ(Differing(frame, Picture()), 0) << "the frame after the floor, top " << top;
    EXPECT_FALSE(IsClearColour(At(kAt + (top ? vec3(-40, 1, -72) : vec3(0, 1, 20))))) << "the tanks are drawn";
  }
}
