// The vehicles on real GL frames with the default data set's settings,
// pictures, materials and models: each kind and body is drawn where it
// stands (the tank's tracks too), selected ones show their markers and range
// rings, an enemy nobody sees is neither drawn nor picked while its shot
// still shows, and the models and settings they name are in the data set.
#include <fstream>

#include "tests/common/default_settings.h"
#include "tests/objects/draw_fixture.h"

namespace {

const vec3 kAt(1000, 0, 1000);

class VehicleGLTest : public ObjDrawTest {
 protected:
  void SetUp() override {
    ObjDrawTest::SetUp();
    LoadDefaultSettings();
    Camera(vec3(1000, 30, 1040), kAt);
  }

  Fgr4* Vehicle(int type, int kind, int side = 1, vec3 at = kAt) {
    if (!FgrHld.AddWrk(type, kind, 1)) return nullptr;
    if (type == 5) return Placed(pTekCar1, side, at);
    return Placed(pTekTank1, side, at);
  }

  template <class V>
  static Fgr4* Placed(V* v, int side, vec3 at) {
    v->side = side;
    v->mb.Pos(at);
    v->mb.PosYOpor();
    return v->owner;
  }
};

// Pixels of the window that are not the clear colour.
int DrawnPixels() {
  int n = 0;
  for (int y = 0; y < kTestH; y += 2)
    for (int x = 0; x < kTestW; x += 2) n += !IsClearColour(ReadRgba(x, y));
  return n;
}

}  // namespace

TEST_F(VehicleGLTest, EachVehicleIsDrawnWhereItStands) {
  const struct {
    int type, kind;
    const char* what;
  } cases[] = {{5, 2, "car"}, {6, 0, "tank"}, {6, 1, "dragon"}, {6, 2, "titan"}, {6, 5, "kind 5"}};
  for (const auto& c : cases) {
    Fgr4* h = Vehicle(c.type, c.kind);
    ASSERT_NE(h, nullptr) << c.what;
    Frame();
    EXPECT_EQ(queuedModels, 2) << c.what;  // a tracked vehicle's tracks are queued too
    int visible = 0;
    h->Event(42, &visible);
    EXPECT_EQ(visible, 1) << c.what;
    EXPECT_FALSE(IsClearColour(At(kAt + vec3(0, 1.5f, 0)))) << c.what;
    const int pixels = DrawnPixels();
    EXPECT_GT(pixels, 300) << c.what;
    EXPECT_LT(pixels, kTestW * kTestH / 4) << c.what;  // a shape, not the whole window
    // The render machine called each model pass back: the tracks (pass 1)
    // and the body of a tracked vehicle, the body and the beacon of a car.
    EXPECT_EQ(passes[1], c.type == 6 ? 1 : 0) << c.what;
    EXPECT_EQ(passes[2], 1) << c.what;
    EXPECT_EQ(passes[3], c.type == 5 ? 1 : 0) << c.what;
    h->Sbros();
  }
}

TEST_F(VehicleGLTest, TheBodiesLookApart) {
  // Drawn from above, the three bodies of the tracked vehicle and the car
  // each cover their own number of pixels.
  Camera(vec3(1000, 45, 1001), kAt);
  int pixels[4] = {};
  int k = 0;
  for (int kind : {0, 1, 2}) {
    Fgr4* h = Vehicle(6, kind);
    Frame();
    pixels[k++] = DrawnPixels();
    h->Sbros();
  }
  Fgr4* car = Vehicle(5, 2);
  Frame();
  pixels[3] = DrawnPixels();
  car->Kill(1);
  for (int a = 0; a < 4; ++a)
    for (int b = a + 1; b < 4; ++b) EXPECT_NE(pixels[a], pixels[b]) << a << " " << b;
}

TEST_F(VehicleGLTest, SelectedVehiclesShowTheirMarkersAndRings) {
  const struct {
    int type, kind, boxes;
  } cases[] = {{5, 2, 7}, {6, 0, 3}};
  for (const auto& c : cases) {
    Fgr4* h = Vehicle(c.type, c.kind);
    int mode = 2, flag = 1;
    h->Event(EV_UPD_SELF, &mode, &flag);  // takes the selection in
    Frame();
    EXPECT_EQ(queuedBoxes, 0);
    EXPECT_EQ(queuedWire[0] + queuedWire[1] + queuedWire[2], 0);
    PlayerSelectedOne(h);
    h->Event(EV_UPD_SELF, &mode, &flag);
    Frame();
    EXPECT_EQ(queuedBoxes, c.boxes) << c.type;
    // Three range rings on the ground and the grey line 15 up, near the camera wide.
    EXPECT_GT(queuedWire[0], 0);
    EXPECT_GT(queuedWire[1], 0);
    EXPECT_GT(queuedWire[2], 0);
    EXPECT_EQ(queuedLines[3], 2);
    // A second selected object: no rings.
    PlayerSelectedAdd(&FgrHld.fgrs[FgrHld.firstScrFrm]);
    Frame();
    EXPECT_EQ(queuedWire[0] + queuedWire[1] + queuedWire[2], 0);
    PlayerSelectedReset();
    h->Sbros();
  }
}

TEST_F(VehicleGLTest, AnEnemyNobodySeesIsNeitherDrawnNorPickedButItsShotShows) {
  Fgr4* enemy = Vehicle(6, 0, 2);
  tw_Tank1* t = pTekTank1;
  t->flash = 255;
  t->shotFrom = kAt + vec3(0, 10, 0);
  t->shotTo = kAt + vec3(20, 0, 0);
  Frame();
  EXPECT_EQ(queuedModels, 0);
  EXPECT_EQ(queuedLines[3], 2);  // the shot line
  EXPECT_TRUE(IsClearColour(At(kAt + vec3(0, 1.5f, 0))));
  EXPECT_EQ(PickAt(kAt + vec3(0, 1.5f, 0)), nullptr);
  // Seen, it is both.
  t->seen = 1;
  Frame();
  EXPECT_EQ(queuedModels, 2);
  EXPECT_EQ(PickAt(kAt + vec3(0, 1.5f, 0)), enemy);
  // A local car is pickable without being seen.
  enemy->Sbros();
  Fgr4* car = Vehicle(5, 2, 1);
  Frame();
  EXPECT_EQ(PickAt(kAt + vec3(0, 1.5f, 0)), car);
}

TEST(VehicleDataTest, TheDefaultDataSetHoldsWhatTheVehiclesDraw) {
  LoadDefaultSettings();
  const struct {
    const char* name;
    int value;
  } settings[] = {
      {"AllBuldMeshTex", *o2::AllBuldMeshTex}, {"ATankTex", *o2::ATankTex},       {"ADragonTex", *o2::ADragonTex},
      {"ATitanTex", *o2::ATitanTex},           {"AGusTex", *o2::AGusTex},         {"AGusTitanTex", *o2::AGusTitanTex},
      {"TestFgrDrawUnit", *o2::TestFgrDrawUnit},
  };
  for (const auto& s : settings) EXPECT_NE(s.value, 0) << s.name;
  std::ifstream list(std::string(VELMAR_SOURCE_DIR) + "/data/base/msh_sbr0.txt", std::ios::binary);
  std::string line;
  int group = -1, meshes = 0;
  TextGetLine(list, line);
  list >> group >> meshes;
  ASSERT_EQ(group, 0);
  const struct {
    const char* name;
    int mesh;
  } used[] = {
      {"AllBuldMesh2", *o2::AllBuldMesh2}, {"AllBuldMKoles", *o2::AllBuldMKoles},
      {"AllTankMKolesBig", *o2::AllTankMKolesBig}, {"AllTankMKolesMin", *o2::AllTankMKolesMin},
      {"t1Body", *o2::t1Body}, {"t1Wing", *o2::t1Wing}, {"t1Gus", *o2::t1Gus}, {"t1Bash", *o2::t1Bash},
      {"t1Gunbs", *o2::t1Gunbs}, {"t1Gun", *o2::t1Gun}, {"tbGus", *o2::tbGus}, {"d1Body", *o2::d1Body},
      {"d1Wing", *o2::d1Wing}, {"d1Bash", *o2::d1Bash}, {"d1Gun", *o2::d1Gun}, {"ttBody", *o2::ttBody},
      {"ttWing", *o2::ttWing}, {"ttGunbs", *o2::ttGunbs}, {"ttGun", *o2::ttGun},
  };
  for (const auto& u : used) {
    EXPECT_GT(u.mesh, 0) << u.name;
    EXPECT_LT(u.mesh, meshes) << u.name;
  }
  const struct {
    const char* name;
    float value;
  } offsets[] = {
      {"tbBUp", *o3::tbBUp},     {"tbKZ1", *o3::tbKZ1},     {"tbKZ2", *o3::tbKZ2},     {"tbKBigY", *o3::tbKBigY},
      {"tbKMinY", *o3::tbKMinY}, {"tbWingX", *o3::tbWingX}, {"tbGusX", *o3::tbGusX},   {"t1KZ1", *o3::t1KZ1},
      {"t1KZ2", *o3::t1KZ2},     {"t1KBigY", *o3::t1KBigY}, {"t1GunY", *o3::t1GunY},   {"t1GunZ", *o3::t1GunZ},
      {"d1BashY", *o3::d1BashY}, {"d1BashZ", *o3::d1BashZ}, {"d1GunY", *o3::d1GunY},   {"d1GunZ", *o3::d1GunZ},
      {"ttGunY", *o3::ttGunY},   {"ttGunZ", *o3::ttGunZ},
  };
  for (const auto& s : offsets) EXPECT_NE(s.value, 0.0f) << s.name;
}
