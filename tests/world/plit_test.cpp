// The terrain's tiles: indices at the map edges, the height query, height
// edits and their shared corners, ground types with their walkability layers,
// and the texture atlas.
#include "tests/world/terrain_fixture.h"

namespace {

int Tile(int c, int r) { return r * kPlitSide + c; }

void SetCorners(int i, float y0, float y1, float y2, float y3) {
  const float y[4] = {y0, y1, y2, y3};
  for (int k = 0; k < 4; ++k) PlitHold.VertY(i, k, y[k], 1);
}

float Query(float x, float z, float start = -777.0f, int* ok = nullptr) {
  float y = start;
  int r = PlitHold.GetYPereWithVertikLine(x, y, z);
  if (ok) *ok = r;
  return y;
}

constexpr float kCell = 146.0f / 1024.0f;
constexpr float kE = 0.009f;

// The atlas coordinate the corner at position `slot` of the turned order gets.
vec2 CellUV(int a, int b, int slot) {
  float s0 = (a - 1) * kCell, t0 = (b - 1) * kCell;
  switch (slot) {
    case 0: return vec2(s0 + kE, t0 + kCell - kE);
    case 1: return vec2(s0 + kE, t0 + kE);
    case 2: return vec2(s0 + kCell - kE, t0 + kE);
    default: return vec2(s0 + kCell - kE, t0 + kCell - kE);
  }
}

void ExpectUV(int i, int a, int b, const int (&order)[4]) {
  for (int slot = 0; slot < 4; ++slot) {
    vec2 want = CellUV(a, b, slot), got = PlitHold.UV2[4 * i + order[slot]];
    EXPECT_FLOAT_EQ(got.x, want.x) << "slot " << slot;
    EXPECT_FLOAT_EQ(got.y, want.y) << "slot " << slot;
  }
}

}  // namespace

// ---------------------------------------------------------------- indices

TEST_F(TerrainTest, TileUnderAPointTreatsBothMapEdgesAsOutside) {
  EXPECT_EQ(t_PlitHold::YchFrCoord(0, 100), -1);
  EXPECT_EQ(t_PlitHold::YchFrCoord(100, 0), -1);
  EXPECT_EQ(t_PlitHold::YchFrCoord(0.9f, 100), -1) << "x truncates to 0";
  EXPECT_EQ(t_PlitHold::YchFrCoord(1, 1), 0);
  EXPECT_EQ(t_PlitHold::YchFrCoord(3999.9f, 3999.9f), kPlitTiles - 1);
  EXPECT_EQ(t_PlitHold::YchFrCoord(4000, 100), -1) << "x = 4000 is past the last column";
  EXPECT_EQ(t_PlitHold::YchFrCoord(100, 4000), -1) << "z = 4000 is past the last tile";
  EXPECT_EQ(t_PlitHold::YchFrCoord(4000, 4000), -1);
  EXPECT_EQ(t_PlitHold::YchFrCoord(NAN, 100), -1);
  EXPECT_EQ(t_PlitHold::YchFrCoord(100, INFINITY), -1);
  EXPECT_EQ(t_PlitHold::YchFrCoord(-1e30f, 100), -1);
  EXPECT_EQ(t_PlitHold::YchFrCoord(3e9f, 3e9f), -1);
  EXPECT_EQ(t_PlitHold::YchFrCoord(1010, 230), Tile(50, 11));

  EXPECT_EQ(t_PlitHold::NomFrom2(1, 1), 0);
  EXPECT_EQ(t_PlitHold::NomFrom2(200, 200), kPlitTiles - 1);
  EXPECT_EQ(t_PlitHold::NomFrom2(0, 5), -1);
  EXPECT_EQ(t_PlitHold::NomFrom2(5, 201), -1);
  vec3 far = PlitHold.Vx(kPlitTiles, 0);
  EXPECT_FLOAT_EQ(far.x, 9999);
  EXPECT_FLOAT_EQ(far.y, -999);
  EXPECT_FLOAT_EQ(PlitHold.Vx(5, 4).z, 9999);
}

TEST_F(TerrainTest, NeighboursStopAtTheMapBorder) {
  int corner = Tile(0, 0), last = kPlitTiles - 1, mid = Tile(7, 9);
  EXPECT_EQ(t_PlitHold::NearUp8(corner), -1);
  EXPECT_EQ(t_PlitHold::NearLeft4(corner), -1);
  EXPECT_EQ(t_PlitHold::NearUg7(corner), -1);
  EXPECT_EQ(t_PlitHold::NearUg9(corner), -1);
  EXPECT_EQ(t_PlitHold::NearUg1(corner), -1);
  EXPECT_EQ(t_PlitHold::NearUg3(corner), Tile(1, 1));
  EXPECT_EQ(t_PlitHold::NearDn2(last), -1);
  EXPECT_EQ(t_PlitHold::NearRit6(last), -1);
  EXPECT_EQ(t_PlitHold::NearUg3(last), -1);
  EXPECT_EQ(t_PlitHold::NearUg9(Tile(199, 5)), -1);
  EXPECT_EQ(t_PlitHold::NearUg7(mid), Tile(6, 8));
  EXPECT_EQ(t_PlitHold::NearUg9(mid), Tile(8, 8));
  EXPECT_EQ(t_PlitHold::NearUg1(mid), Tile(6, 10));
  EXPECT_EQ(t_PlitHold::NearUg3(mid), Tile(8, 10));
  EXPECT_EQ(t_PlitHold::NearUp8(-5), -1);
  EXPECT_EQ(t_PlitHold::NearDn2(kPlitTiles + 3), -1);
}

// ---------------------------------------------------------------- heights

TEST_F(TerrainTest, HeightQueryOnCornersDiagonalsAndInside) {
  int i = Tile(10, 10);  // corners (200,200) (200,220) (220,220) (220,200)
  SetCorners(i, 0, 10, 20, 5);
  EXPECT_EQ(PlitHold.Plit[i].plato, 0);
  EXPECT_FLOAT_EQ(Query(200.3f, 200.2f), 0) << "within 0.5 of corner 0";
  EXPECT_FLOAT_EQ(Query(219.7f, 200.2f), 5) << "within 0.5 of corner 3";
  EXPECT_FLOAT_EQ(Query(219.6f, 219.9f), 20) << "within 0.5 of corner 2";
  EXPECT_FLOAT_EQ(Query(200.1f, 219.6f), 10) << "within 0.5 of corner 1";
  // Inside the triangle (0, 2, 3): the plane y = 0.25 dx + 0.75 dz.
  EXPECT_NEAR(Query(215, 203), 6.0f, 0.3f);
  // Inside the triangle (0, 1, 2): y = 0.5 dx + 0.5 dz.
  EXPECT_NEAR(Query(203, 215), 9.0f, 0.3f);

  int j = Tile(20, 20);  // a crease: (0, 1, 2) flat at 0, (0, 2, 3) rising to corner 3
  SetCorners(j, 0, 0, 0, 40);
  EXPECT_FLOAT_EQ(Query(410.1f, 410.0f), 0) << "near the diagonal the (0, 1, 2) side answers";
  EXPECT_GT(Query(415, 403), 20.0f);
}

TEST_F(TerrainTest, HeightQueryAtTheMapEdges) {
  for (int i = 0; i < kPlitTiles; ++i) PlitHold.PlitVertSameY(i, 3.5f, 1);
  int ok = -1;
  EXPECT_FLOAT_EQ(Query(0, 100, -777, &ok), -777) << "y untouched";
  EXPECT_EQ(ok, 0);
  Query(100, 0, -777, &ok);
  EXPECT_EQ(ok, 0);
  EXPECT_FLOAT_EQ(Query(3999.9f, 3999.9f, -777, &ok), 3.5f);
  EXPECT_EQ(ok, 1);
  EXPECT_FLOAT_EQ(Query(4000, 2000, -777, &ok), -777);
  EXPECT_EQ(ok, 0);
  EXPECT_FLOAT_EQ(Query(2000, 4000, -777, &ok), -777);
  EXPECT_EQ(ok, 0);
  Query(NAN, NAN, 0, &ok);
  EXPECT_EQ(ok, 0);

  vec3 p(2000, 55, 4000.5f);
  EXPECT_FLOAT_EQ(Plit_GetOpora(p), 55) << "both tries fail: the point's own y";
  EXPECT_FLOAT_EQ(Plit_GetOpora(2000, 9, 2000), 3.5f);
  EXPECT_FLOAT_EQ(Plit_GetOporaPos(vec3(5000, 1, 5)).y, 1);
  vec3 mid = Plit_GetMidYchCoord(vec3(1013, 0, 27));
  EXPECT_FLOAT_EQ(mid.x, 1010);
  EXPECT_FLOAT_EQ(mid.z, 30);
  EXPECT_FLOAT_EQ(mid.y, 3.5f);
}

TEST_F(TerrainTest, PlateauAnswersWithTheMean) {
  int i = Tile(30, 30);
  SetCorners(i, 1.0f, 1.2f, 0.8f, 1.0f);
  EXPECT_EQ(PlitHold.Plit[i].plato, 1);
  EXPECT_FLOAT_EQ(PlitHold.Plit[i].minY, 1.0f);
  EXPECT_FLOAT_EQ(Query(611, 617), 1.0f);
  EXPECT_FLOAT_EQ(PlitHold.GetMidY(i), 1.0f);
  SetCorners(i, 0, 0.6f, 0, 0);
  EXPECT_EQ(PlitHold.Plit[i].plato, 0);
  EXPECT_FLOAT_EQ(PlitHold.GetMaxY(i), 0.6f);
  EXPECT_FLOAT_EQ(PlitHold.GetMidY(i), 0.15f);
  EXPECT_FLOAT_EQ(PlitHold.GetMaxY(-3), 0);
}

TEST_F(TerrainTest, RaisingATileMovesTheTouchingCornersOfAllEightNeighbours) {
  int i = Tile(50, 50);
  for (int n : {i, Tile(49, 49), Tile(50, 49), Tile(51, 49), Tile(49, 50), Tile(51, 50), Tile(49, 51),
                Tile(50, 51), Tile(51, 51)})
    PlitHold.Plit[n].hmByte = 7;
  PlitHold.PlitSetY_FrHMap(i, 5);
  EXPECT_EQ(PlitHold.Plit[Tile(51, 51)].hmByte, 7) << "the height-map edit keeps the bytes";
  EXPECT_EQ(PlitHold.Plit[i].hmByte, 7);
  PlitHold.PlitSetY(i, 6, 0);
  for (int n : {i, Tile(49, 49), Tile(50, 49), Tile(51, 49), Tile(49, 50), Tile(51, 50), Tile(49, 51),
                Tile(50, 51), Tile(51, 51)})
    EXPECT_EQ(PlitHold.Plit[n].hmByte, 0) << n;
  EXPECT_FLOAT_EQ(PlitHold.Vrt[4 * Tile(49, 49) + 2].y, 6);
  EXPECT_FLOAT_EQ(PlitHold.Vrt[4 * Tile(49, 49) + 0].y, 0) << "far corners stay";
  EXPECT_FLOAT_EQ(PlitHold.Vrt[4 * Tile(51, 50) + 0].y, 6);
  EXPECT_FLOAT_EQ(PlitHold.Vrt[4 * Tile(51, 50) + 1].y, 6);
  EXPECT_FLOAT_EQ(PlitHold.Vrt[4 * Tile(51, 50) + 2].y, 0);
  EXPECT_EQ(CornerCopyMismatches(PlitHold), 0);
  EXPECT_EQ(PlitHold.DirtyVrt, 1);

  PlitHold.PlitSetY(Tile(80, 80), 9, 1);
  EXPECT_FLOAT_EQ(PlitHold.Vrt[4 * Tile(81, 80)].y, 0) << "only this tile";
  EXPECT_GT(CornerCopyMismatches(PlitHold), 0);

  ResetTerrain();
  PlitHold.MoveY(i, 2.5f);
  PlitHold.MoveY(i, 2.5f);
  EXPECT_FLOAT_EQ(Query(1010, 1010), 5);
  PlitHold.PlitSetY_3x3(Tile(60, 60), 10, 0.5f);
  EXPECT_FLOAT_EQ(PlitHold.Vrt[4 * Tile(61, 61) + 2].y, 5) << "the belt at y * k";
  EXPECT_FLOAT_EQ(PlitHold.Vrt[4 * Tile(60, 60)].y, 10);
  EXPECT_EQ(CornerCopyMismatches(PlitHold), 0);
}

TEST_F(TerrainTest, AllCopiesOfEachWorldCornerAgreeAfterRandomBrushes) {
  sysSRand(12345);
  PlitHold.FirstLayout();
  EXPECT_TRUE(CornersOnGrid(PlitHold));
  EXPECT_EQ(CornerCopyMismatches(PlitHold), 0);
  for (int step = 0; step < 3000; ++step) {
    static const int kEdges[4] = {0, kPlitSide - 1, kPlitTiles - kPlitSide, kPlitTiles - 1};
    int i = step % 7 == 0 ? kEdges[Rand2(0, 3)] : Rand2(0, kPlitTiles - 1);
    float y = Rand2F(-30, 60, 90);
    switch (Rand2(0, 5)) {
      case 0: PlitHold.PlitSetY(i, y, 0); break;
      case 1: PlitHold.MoveY(i, y / 10); break;
      case 2: PlitHold.PlitSetY_3x3(i, y, Rand2F(0.5f, 1.0f, 5)); break;
      case 3: PlitHold.MoveY_3x3(i, y / 10, 0.8f); break;
      case 4: PlitHold.PlitSetY_FrHMap(i, y); break;
      default: PlitHold.Plit[i].hmByte = static_cast<uint8_t>(Rand2(1, 255)); break;
    }
  }
  PlitHold.SetHMapByte();
  EXPECT_EQ(CornerCopyMismatches(PlitHold), 0);
  EXPECT_TRUE(CornersOnGrid(PlitHold));
  for (int i : {-1, kPlitTiles, kPlitTiles + 200}) {  // ignored
    PlitHold.PlitSetY(i, 5, 0);
    PlitHold.MoveY_3x3(i, 5, 1);
    PlitHold.VertY(3, i, 1, 1);
  }
  EXPECT_EQ(CornerCopyMismatches(PlitHold), 0);
}

// ---------------------------------------------------------------- types and layers

TEST_F(TerrainTest, DeepTilesBecomeWaterForGood) {
  int i = Tile(40, 41);
  PlitHold.PlitSetY(i, -2.5f, 1);
  PlitHold.reUpdatePafLay();
  EXPECT_EQ(PlitHold.Plit[i].type, 6);
  EXPECT_EQ(walkability3[40][41], 1);
  EXPECT_EQ(walkability5[40][41], 1);
  EXPECT_EQ(walkability4[40][41], 0);
  PlitHold.PlitSetY(i, 10, 1);
  PlitHold.reSbrosPafLay();
  PlitHold.reUpdatePafLay();
  EXPECT_EQ(PlitHold.Plit[i].type, 6) << "raising it does not change the type back";
  PlitHold.PlitSetY(Tile(3, 3), -2.0f, 1);
  PlitHold.reUpdatePafLay();
  EXPECT_EQ(PlitHold.Plit[Tile(3, 3)].type, 1) << "-2.0 itself is dry";
}

TEST_F(TerrainTest, RepaintingAHillOpensItsLayersAtOnce) {
  int i = Tile(12, 34);
  Plit_SetTypeAnUV_Holm(i);
  EXPECT_EQ(*o2::PlitLastLandT, 5);
  EXPECT_EQ(PlitHold.Plit[i].type, 5);
  EXPECT_EQ(walkability4[12][34], 1);
  EXPECT_EQ(walkability5[12][34], 1);
  Plit_SetTypeAnUV(i, 1);
  EXPECT_EQ(*o2::PlitLastLandT, 1);
  EXPECT_EQ(walkability4[12][34], 0) << "plain ground again: walkable without a reload";
  EXPECT_EQ(walkability5[12][34], 0);

  Plit_SetTypeAnUV(i, 8);
  for (auto* g : {walkability, walkability2, walkability3, walkability4, walkability5}) EXPECT_EQ(g[12][34], 1);
  Plit_SetTypeAnUV_Sand(i);
  EXPECT_EQ(PlitHold.Plit[i].type, 3);
  for (auto* g : {walkability, walkability2, walkability3, walkability4, walkability5}) EXPECT_EQ(g[12][34], 0);

  walkab1(70, 70, 1);  // an object of kind 1 holds the tile
  Plit_SetTypeAnUV_Holm(Tile(70, 70));
  Plit_SetTypeAnUV(Tile(70, 70), 4);
  EXPECT_EQ(walkability[70][70], 1) << "repainting keeps a registration on layer 1";
  EXPECT_EQ(PlitHold.TypeLandSame2(Tile(70, 70), 4), 1);
  EXPECT_EQ(PlitHold.TypeLandSame2(Tile(70, 70), 5), 0);
  EXPECT_EQ(PlitHold.TypeLandSame2(-1, 4), -1);
}

TEST_F(TerrainTest, WideHillBrushTypesTheBelt) {
  *o2::PlitBrushSize = 3;
  int i = Tile(100, 100);
  Plit_SetTypeAnUV_Holm(i);
  for (int dz = -1; dz <= 1; ++dz)
    for (int dx = -1; dx <= 1; ++dx) {
      EXPECT_EQ(PlitHold.Plit[Tile(100 + dx, 100 + dz)].type, 5);
      EXPECT_EQ(PlitHold.Plit[Tile(100 + dx, 100 + dz)].region, 7);
      EXPECT_EQ(walkability4[100 + dx][100 + dz], 1);
    }
  EXPECT_EQ(PlitHold.Plit[Tile(102, 100)].type, 1);
  *o2::PlitBrushSize = 1;
  Plit_SetTypeAnUV_Holm(Tile(120, 120));
  EXPECT_EQ(PlitHold.Plit[Tile(121, 120)].type, 1);
}

// ---------------------------------------------------------------- atlas

TEST_F(TerrainTest, AtlasCellsAndCornerOrders) {
  int i = Tile(5, 5);
  EXPECT_EQ(PlitHold.Plit[i].region, 1);
  EXPECT_EQ(PlitHold.Plit[i].variant, 1);
  ExpectUV(i, 1, 4, {0, 1, 2, 3});

  PlitHold.SetUVSlo2(i, 1, 2, 1, 9);
  EXPECT_EQ(PlitHold.Plit[i].rotation, 1);
  EXPECT_EQ(PlitHold.Plit[i].extra, 9);
  ExpectUV(i, 2, 4, {3, 0, 1, 2});

  PlitHold.SetUVSlo2(i, 3, 6, 0, 0);  // sand: region 5, variant 6 turns as rotation 3
  EXPECT_EQ(PlitHold.Plit[i].region, 5);
  ExpectUV(i, 2, 5, {1, 2, 3, 0});

  PlitHold.SetUVSlo2(i, 4, 1, 2, 0);  // region 6: pre-swap 1, then rotation 2
  EXPECT_EQ(PlitHold.Plit[i].region, 6);
  ExpectUV(i, 7, 7, {1, 0, 3, 2});

  PlitHold.SetUVSlo2(i, 5, 9, 0, 0);  // region 7: pre-swap 3
  ExpectUV(i, 5, 3, {2, 3, 0, 1});

  int regionsSeen[9] = {};
  for (int k = 0; k < 200; ++k) {
    PlitHold.SetUVSlo2(i, 2, 0, 0, 0);
    const t_Plit1& t = PlitHold.Plit[i];
    ASSERT_TRUE(t.region == 2 || t.region == 4);
    ++regionsSeen[t.region];
    if (t.region == 2) ASSERT_TRUE(t.variant == 1 || t.variant == 2);
    else ASSERT_TRUE(t.variant >= 1 && t.variant <= 4);
    PlitHold.SetUVSlo2(i, 5, 59, 0, 0);
    ASSERT_TRUE(t.variant == 5 || t.variant == 9);
    PlitHold.SetUVSlo2(i, 3, 34, 0, 0);
    ASSERT_TRUE(t.variant == 3 || t.variant == 4);
    PlitHold.SetUVSlo2(i, 4, 68, 0, 0);
    ASSERT_TRUE(t.variant == 6 || t.variant == 8);
    PlitHold.SetUVSlo2(i, 1, 0, 0, 0);
    ASSERT_TRUE(t.variant == 1 || t.variant == 2);
    PlitHold.SetUVSlo2(i, 77, 0, 0, 0);
    ASSERT_EQ(t.region, 1);
  }
  EXPECT_GT(regionsSeen[2], 0);
  EXPECT_GT(regionsSeen[4], 0);

  int v = 0, a = 0, b = 0;
  int order[4] = {0, 1, 2, 3};
  for (int k = 0; k < 50; ++k) {
    v = 0;
    t_PlitHold::TexRegionTiles(8, v, a, b, order);
    ASSERT_TRUE(v >= 1 && v <= 4);
    ASSERT_EQ(a, (v - 1) % 2 + 1);
    ASSERT_EQ(b, (v - 1) / 2 + 1);
  }

  PlitHold.DirtyUV2 = 0;
  PlitHold.SetUVSlo2(i, -1, 1, 0, 0);
  PlitHold.SetUVSlo2(-4, 1, 1, 0, 0);
  EXPECT_EQ(PlitHold.DirtyUV2, 0);
}
