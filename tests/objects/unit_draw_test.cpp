// Units on real GL frames: the draw gate, the model orders of each test
// variant drawn by the render machine, the selection ring, rings of a
// selected unit out of view, enemies nobody sees, picking, and the heap
// under the hover pick over a full pool.
#include <vector>

#include "objects/fotik.h"
#include "objects/modesglue.h"
#include "tests/common/alloc_hooks.h"
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
