// Materials: the list and both material file forms, slot rules, the bind
// cache on real GL state, and the default material set of the data.
#include <cstring>

#include "tests/render/render_fixture.h"
#include "tests/render/scratch_dir.h"

namespace {

std::string Entry(int slot, int kind, const std::string& file, const std::string& tag = "0") {
  return "// entry\n" + std::to_string(slot) + " " + std::to_string(kind) + "\n" + file + "\n" + tag + "\n";
}

std::string Bin(std::initializer_list<float> values) {
  std::string s(8, '\0');
  for (float v : values) s.append(reinterpret_cast<const char*>(&v), 4);
  return s;
}

class MaterialTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    for (Material_RS& m : MatRS) m.StartVers();
    MatRS_InitProc();
  }
  void TearDown() override {
    for (Material_RS& m : MatRS) m.StartVers();
  }
  static bool IsDefault(const Material_RS& m) {
    Material_RS d;
    return std::memcmp(m.colour, d.colour, sizeof d.colour) == 0 && m.ambient.x == 0 && m.diffuse.y == 1 &&
           m.specular.z == 0 && m.emission.x == 0 && m.shine.x == 0;
  }
};

}  // namespace

TEST_F(MaterialTest, ListLoadsTextAndBinaryMaterialsIntoTheirSlots) {
  ScratchDir d;
  d.Text("m/a.txt", "header\n0.5 0.25 0.125 1\n0.1 0.2 0.3\n0.4 0.5 0.6\n0.7 0.8 0.9\n0.05 0.06 0.07\n32 4 5\n");
  std::vector<float> v(19);
  for (int i = 0; i < 19; ++i) v[i] = static_cast<float>(i) / 10;
  std::string bin(8, '\0');
  bin.append(reinterpret_cast<const char*>(v.data()), 19 * 4);
  d.Bytes("m/b.bin", bin);
  d.Text("list.txt", "materials\n3\n" + Entry(8, 1, " m/a.txt ") + Entry(900, 0, "m/b.bin", "tag") +
                         Entry(10, 1, "m/a.txt"));
  EXPECT_EQ(MatRS_LoadSbor("list.txt"), 1);
  const Material_RS& a = MatRS[8];
  EXPECT_FLOAT_EQ(a.colour[0], 0.5f);
  EXPECT_FLOAT_EQ(a.colour[2], 0.125f);
  EXPECT_FLOAT_EQ(a.ambient.z, 0.3f);
  EXPECT_FLOAT_EQ(a.specular.x, 0.7f);
  EXPECT_FLOAT_EQ(a.emission.z, 0.07f);
  EXPECT_FLOAT_EQ(a.shine.x, 32);
  EXPECT_FLOAT_EQ(a.shine.z, 5);
  EXPECT_EQ(a.id, 9);
  // Slot 900 lands in slot 500.
  EXPECT_FLOAT_EQ(MatRS[500].colour[1], 0.1f);
  EXPECT_FLOAT_EQ(MatRS[500].shine.z, 1.8f);
  EXPECT_FLOAT_EQ(MatRS[10].diffuse.y, 0.5f);
  EXPECT_TRUE(IsDefault(MatRS[9]));
}

TEST_F(MaterialTest, ShortAndOddMaterialFiles) {
  ScratchDir d;
  // Only a header: the slot keeps its defaults and the load counts.
  d.Text("head.txt", "only a header\n");
  EXPECT_EQ(Material_RS::LoadFromTxtFile(MatRS[3], "head.txt"), 1);
  EXPECT_TRUE(IsDefault(MatRS[3]));
  // A value that does not read leaves it and the rest as they were.
  d.Text("part.txt", "h\n0.5 0.5 x 0.5\n");
  EXPECT_EQ(Material_RS::LoadFromTxtFile(MatRS[4], "part.txt"), 1);
  EXPECT_FLOAT_EQ(MatRS[4].colour[1], 0.5f);
  EXPECT_FLOAT_EQ(MatRS[4].colour[2], 1.0f);
  EXPECT_FLOAT_EQ(MatRS[4].colour[3], 1.0f);
  // Eight bytes: all nineteen values 0.
  d.Bytes("eight.bin", Bin({}));
  EXPECT_EQ(Material_RS::LoadBin(MatRS[5], "eight.bin", "0"), 1);
  EXPECT_FLOAT_EQ(MatRS[5].colour[0], 0);
  EXPECT_FLOAT_EQ(MatRS[5].diffuse.x, 0);
  // A tag longer than four characters fails like a missing file.
  EXPECT_EQ(Material_RS::LoadBin(MatRS[6], "eight.bin", "toolong"), 0);
  EXPECT_EQ(Material_RS::LoadBin(MatRS[6], "missing.bin", "0"), 0);
  EXPECT_EQ(Material_RS::LoadFromTxtFile(MatRS[6], "missing.txt"), 0);
}

TEST_F(MaterialTest, ListFailures) {
  ScratchDir d;
  d.Text("a.txt", "h\n0.25 0.25 0.25 1\n");
  EXPECT_EQ(MatRS_LoadSbor("missing.txt"), 0);
  d.Text("nocount.txt", "materials\nnone\n");
  EXPECT_EQ(MatRS_LoadSbor("nocount.txt"), 0);
  // A missing material ends the list; the slots before it stay loaded.
  d.Text("gap.txt", "m\n3\n" + Entry(7, 1, "a.txt") + Entry(8, 1, "gone.txt") + Entry(9, 1, "a.txt"));
  EXPECT_EQ(MatRS_LoadSbor("gap.txt"), 0);
  EXPECT_FLOAT_EQ(MatRS[7].colour[0], 0.25f);
  EXPECT_TRUE(IsDefault(MatRS[9]));
  // A short list ends with 0 as well.
  d.Text("short.txt", "m\n3\n" + Entry(11, 1, "a.txt"));
  EXPECT_EQ(MatRS_LoadSbor("short.txt"), 0);
  EXPECT_FLOAT_EQ(MatRS[11].colour[0], 0.25f);
  // A negative slot is skipped (nothing outside the table is written); the
  // entries after it still load and the list answers 0.
  d.Text("neg.txt", "m\n2\n" + Entry(-3, 1, "a.txt") + Entry(12, 1, "a.txt"));
  EXPECT_EQ(MatRS_LoadSbor("neg.txt"), 0);
  EXPECT_FLOAT_EQ(MatRS[12].colour[0], 0.25f);
  EXPECT_TRUE(IsDefault(MatRS[0]));
}

TEST_F(MaterialTest, BindSetsTheColourEveryTimeAndTheMaterialOnce) {
  Material_RS::PredBind = -10;
  Material_RS& m = MatRS[8];
  m.colour[0] = 0.25f;
  m.colour[1] = 0.5f;
  m.specular = vec3(0.75f, 0.5f, 0.25f);
  m.shine.x = 12;
  glDisable(GL_COLOR_MATERIAL);
  Material_RS::Bind(m, 1);
  EXPECT_TRUE(glIsEnabled(GL_COLOR_MATERIAL));
  float c[4], spe[4], shine = 0;
  glGetFloatv(GL_CURRENT_COLOR, c);
  EXPECT_FLOAT_EQ(c[0], 0.25f);
  EXPECT_FLOAT_EQ(c[1], 0.5f);
  // Ambient and diffuse follow the current colour under colour material; the
  // other colours are what the bind sent.
  glGetMaterialfv(GL_FRONT, GL_SPECULAR, spe);
  glGetMaterialfv(GL_FRONT, GL_SHININESS, &shine);
  EXPECT_FLOAT_EQ(spe[0], 0.75f);
  EXPECT_FLOAT_EQ(spe[2], 0.25f);
  EXPECT_FLOAT_EQ(shine, 12);
  EXPECT_EQ(Material_RS::PredBind, 9);
  // Bound again: the colour is set again, the material is not.
  const float other[4] = {0.1f, 0.1f, 0.1f, 1};
  glMaterialfv(GL_FRONT, GL_SPECULAR, other);
  glColor4f(0, 0, 0, 1);
  Material_RS::Bind(m, 1);
  glGetFloatv(GL_CURRENT_COLOR, c);
  EXPECT_FLOAT_EQ(c[1], 0.5f);
  glGetMaterialfv(GL_FRONT, GL_SPECULAR, spe);
  EXPECT_FLOAT_EQ(spe[0], 0.1f);
  // Another face with the same material sends nothing either; face 0 never.
  Material_RS::Bind(m, 2);
  glGetMaterialfv(GL_BACK, GL_SHININESS, &shine);
  EXPECT_NE(shine, 12);
  Material_RS::PredBind = -10;
  Material_RS::Bind(m, 0);
  EXPECT_EQ(Material_RS::PredBind, -10);
  Material_RS::Bind(m, 3);
  glGetMaterialfv(GL_BACK, GL_SHININESS, &shine);
  EXPECT_FLOAT_EQ(shine, 12);
  Material_RS::PredBind = -10;
}

TEST_F(MaterialTest, RenderStateListAndFiles) {
  ScratchDir d;
  std::string text = "states\n";
  for (int i = 0; i < 24; ++i) text += std::to_string(i * 3) + " // value " + std::to_string(i) + "\n";
  d.Text("s.txt", text);
  std::string bin(8, '\0');
  for (int16_t i = 0; i < 24; ++i) {
    int16_t v = static_cast<int16_t>(-i);
    bin.append(reinterpret_cast<const char*>(&v), 2);
  }
  d.Bytes("s.bin", bin);
  d.Text("list.txt", "render states\n2\n" + Entry(2000, 1, "s.txt") + Entry(4, 0, "s.bin"));
  RenderSt_InitProc();
  EXPECT_EQ(RenderSt[1000].id, 1001);
  EXPECT_EQ(RenderSt_LoadSbor("list.txt"), 1);
  EXPECT_EQ(RenderSt[1000].values[_RState_Sbor::n_PolySmoothE], 69);
  EXPECT_EQ(RenderSt[1000].values[_RState_Sbor::n_CullFace], 3);
  EXPECT_EQ(RenderSt[4].values[23], -23);
}

TEST_F(MaterialTest, DefaultMaterialListLoadsItsSlots) {
  EnterDir in(SourceData());
  EXPECT_EQ(MatRS_LoadSbor("base/mat_sbr0.txt"), 1);
  for (int slot : {1, 8, 10}) EXPECT_FALSE(IsDefault(MatRS[slot])) << slot;
  EXPECT_GT(MatRS[8].shine.x, 0);
  EXPECT_GT(MatRS[2].specular.x, 0.5f);  // the binary one
}
