// Model groups: text models in both layouts through the model list, the
// binary block written and read back, refusals of bad lists, models and
// blocks, and meshes drawn from a bound group on real GL frames.
#include <cmath>
#include <cstring>
#include <filesystem>
#include <vector>

#include "tests/common/file_limit.h"
#include "tests/render/render_fixture.h"
#include "tests/render/scratch_dir.h"

namespace {

// An indexed quad: x offset by +10 (used), z offset 5 (not used), z negated,
// with face data.
const char* kQuadIndexed =
    "quad\n"
    "indexed, with face data\n"
    "4 2 4 0 1\n"
    "1 2\n3 4\n5 6\n7 8\n"
    "0 0 1\n"
    "10 1\n0 0\n5 0\n"
    "2.5 7\n"
    "0\n"
    "0\n"
    "// positions\n"
    "0 0 0\n1 0 0\n1 1 0\n0 1 0\n"
    "// triangles\n//\n"
    "1 2 3\n1 3 4\n"
    "// face data\n"
    "0 0 1\n0 0 1\n"
    "// normals\n"
    "0 0 1\n0 0 1\n0 0 1\n0 0 1\n"
    "// uv\n"
    "0 0\n1 0\n1 1\n0 1\n";

// One triangle expanded by its texture table (4 points for 3 vertices), with a
// second table.
const char* kTriExpanded =
    "tri\n"
    "expanded by its texture table\n"
    "3 1 4 4 0\n"
    "-1 -1\n-1 -1\n-1 -1\n-1 -1\n"
    "0 0 0\n"
    "0 0\n0 0\n0 0\n"
    "1 0\n"
    "0\n"
    "0\n"
    "// positions\n"
    "0.00003 0 0\n2.509 0 0\n0 3 -1.257\n"
    "// triangles\n//\n"
    "1 2 3\n"
    "// normals\n"
    "0 0.12345 1\n0 0 1\n1 0 0\n"
    "// uv points\n"
    "0 0\n0.5 0\n0.5 0.5\n0 0.5\n"
    "// uv triangles\n"
    "4 2 1\n"
    "// uv2 points\n"
    "0.1 0.1\n0.2 0.2\n0.3 0.3\n0.4 0.4\n"
    "// uv2 triangles\n"
    "1 2 3\n";

std::string Entry(int slot, int flag, const std::string& file) {
  return "// entry\n" + std::to_string(slot) + " " + std::to_string(flag) + "\n" + file + "\n0\n";
}

std::string List(int group, int count, const std::string& entries, int bin = 0, const std::string& block = "-") {
  return "list\n" + std::to_string(group) + " " + std::to_string(count) + " " + std::to_string(bin) + "\n" +
         block + "\n0\n" + entries;
}

// The quad as a.txt, the triangle as b.txt and list.txt with these entries.
void WriteModels(const ScratchDir& d, int group, int count, const std::string& entries) {
  d.Text("a.txt", kQuadIndexed);
  d.Text("b.txt", kTriExpanded);
  d.Text("list.txt", List(group, count, entries));
}

// A square model of two triangles spanning x, y in -1..1 at z = 0; indexed or
// expanded (four texture points for four vertices, layout 10 by its own word);
// mirrored (x negated), its faces wind clockwise seen from +z.
std::string Square(bool expanded, bool mirrored = false) {
  std::string s = "square\nc\n4 2 4 0 0\n-1 -1\n-1 -1\n-1 -1\n-1 -1\n";
  s += mirrored ? "1 0 0\n" : "0 0 0\n";
  s += "0 0\n0 0\n0 0\n1 0\n";
  s += expanded ? "10\n0\n" : "0\n0\n";
  s += "// p\n-1 -1 0\n1 -1 0\n1 1 0\n-1 1 0\n// t\n//\n1 2 3\n1 3 4\n// n\n0 0 1\n0 0 1\n0 0 1\n0 0 1\n";
  if (expanded) s += "// up\n0 0\n1 0\n1 1\n0 1\n// ut\n1 2 3\n1 3 4\n";
  else s += "// uv\n0 0\n1 0\n1 1\n0 1\n";
  return s;
}

void ExpectVec(vec3 v, float x, float y, float z) {
  EXPECT_FLOAT_EQ(v.x, x);
  EXPECT_FLOAT_EQ(v.y, y);
  EXPECT_FLOAT_EQ(v.z, z);
}

class ModelTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    *o2::UseVBO = 1;
    *o2::NeedLoadEtapMeshOK = 1;
    *o2::GL_PushClientAll = 0;
  }
  void TearDown() override {
    BindClear_MGru();
    MdlGVBO_PreExit();
  }
  static void ExpectSameGroup(const typeMdlGruVBO& a, const typeMdlGruVBO& b) {
    ASSERT_EQ(a.klvV, b.klvV);
    ASSERT_EQ(a.klvMesh, b.klvMesh);
    size_t n = static_cast<size_t>(a.klvV);
    EXPECT_EQ(std::memcmp(a.pos, b.pos, n * 12), 0);
    EXPECT_EQ(std::memcmp(a.nrm, b.nrm, n * 12), 0);
    EXPECT_EQ(std::memcmp(a.uv1, b.uv1, n * 8), 0);
    EXPECT_EQ(std::memcmp(a.uv2, b.uv2, n * 8), 0);
    for (int i = 0; i < a.klvMesh; ++i) {
      const Mesh0 &m = a.mMesh[i], &k = b.mMesh[i];
      EXPECT_EQ(m.layout, k.layout);
      EXPECT_EQ(m.primitive, k.primitive);
      EXPECT_EQ(m.firstV, k.firstV);
      EXPECT_EQ(m.klvV, k.klvV);
      EXPECT_EQ(m.klvTri, k.klvTri);
      EXPECT_EQ(m.scalar, k.scalar);
      EXPECT_EQ(m.valA, k.valA);
      EXPECT_EQ(m.faceFlag, k.faceFlag);
      EXPECT_EQ(std::memcmp(m.pairs, k.pairs, sizeof m.pairs), 0);
      size_t t = static_cast<size_t>(m.klvTri) * 12;
      if (t) {
        EXPECT_EQ(std::memcmp(m.tri, k.tri, t), 0);
        EXPECT_EQ(std::memcmp(m.face, k.face, t), 0);
      }
    }
  }
  // A fresh copy of group g kept outside the six groups.
  static void CopyGroup(const typeMdlGruVBO& from, typeMdlGruVBO& to) {
    ASSERT_EQ(to.ReGetMemory(from.klvMesh, from.klvV), 1);
    std::memcpy(to.pos, from.pos, static_cast<size_t>(from.klvV) * 12);
    std::memcpy(to.nrm, from.nrm, static_cast<size_t>(from.klvV) * 12);
    std::memcpy(to.uv1, from.uv1, static_cast<size_t>(from.klvV) * 8);
    std::memcpy(to.uv2, from.uv2, static_cast<size_t>(from.klvV) * 8);
    for (int i = 0; i < from.klvMesh; ++i) {
      const Mesh0& m = from.mMesh[i];
      Mesh0& k = to.mMesh[i];
      k.layout = m.layout, k.primitive = m.primitive, k.firstV = m.firstV, k.klvV = m.klvV;
      k.klvTri = m.klvTri, k.scalar = m.scalar, k.valA = m.valA, k.faceFlag = m.faceFlag;
      std::memcpy(k.pairs, m.pairs, sizeof k.pairs);
      ASSERT_EQ(k.SetMainMas(), 1);
      if (m.klvTri) {
        std::memcpy(k.tri, m.tri, static_cast<size_t>(m.klvTri) * 12);
        std::memcpy(k.face, m.face, static_cast<size_t>(m.klvTri) * 12);
      }
    }
  }
  // Draws mesh i of group g in white over black with a projection of -2..2;
  // with back faces culled, as a mesh whose front faces wind clockwise.
  static void DrawMesh(int g, int i, int ram, bool frontCW = false) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-2, 2, -2, 2, -5, 5);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    if (frontCW) glEnable(GL_CULL_FACE);
    else glDisable(GL_CULL_FACE);
    ColorMatF(1, 1, 1, 1);
    Bind_MGru(g, ram);
    if (frontCW) _Mesh_Sbor::DrawMesh_FrontCW(MdlGVBO[g].Get_pMesh(i), true);
    else _Mesh_Sbor::DrawMesh_Uni(MdlGVBO[g].Get_pMesh(i));
    BindClear_MGru();
  }
};

}  // namespace

TEST_F(ModelTest, TextListLoadsBothLayoutsIntoOneGroup) {
  ScratchDir d;
  // The second entry's flag is 0: it is loaded, so it is counted too.
  WriteModels(d, 3, 2, Entry(0, 1, "a.txt") + Entry(1, 0, "  b.txt\t"));
  ASSERT_EQ(_Mesh_Sbor::LoadMeshGru("list.txt", -1), 1);
  typeMdlGruVBO& g = MdlGVBO[3];
  ASSERT_EQ(g.klvMesh, 2);
  EXPECT_EQ(g.klvV, 4 + 3 + 1);
  EXPECT_EQ(LoadOffsetVGru, 7);

  const Mesh0& a = g.mMesh[0];
  EXPECT_EQ(a.layout, Mesh0::kIndexed);
  EXPECT_EQ(a.firstV, 0);
  EXPECT_EQ(a.klvV, 4);
  EXPECT_EQ(a.klvTri, 2);
  EXPECT_EQ(a.indKlv, 6);
  EXPECT_NE(a.elemBuf, 0u);
  EXPECT_FLOAT_EQ(a.scalar, 2.5f);
  EXPECT_EQ(a.valA, 7);
  EXPECT_EQ(a.faceFlag, 1);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(a.pairs[i], i + 1);
  const uint32_t tri[6] = {0, 1, 2, 0, 2, 3};
  EXPECT_EQ(std::memcmp(a.tri, tri, sizeof tri), 0);
  // Its z is negated, a mirror: its triangles are kept turned back to
  // counter-clockwise as well (drawn below), with the reach of its vertices.
  ASSERT_NE(a.turned, nullptr);
  EXPECT_FLOAT_EQ(a.turnedReach, std::sqrt(122.0f));  // the corner at (11, 1, 0)
  EXPECT_FLOAT_EQ(a.face[2], 1.0f);
  ExpectVec(g.pos[0], 10, 0, 0);
  ExpectVec(g.pos[2], 11, 1, 0);
  ExpectVec(g.nrm[3], 0, 0, 1);
  EXPECT_FLOAT_EQ(g.uv1[2].x, 1);
  EXPECT_FLOAT_EQ(g.uv1[3].y, 1);

  const Mesh0& b = g.mMesh[1];
  EXPECT_EQ(b.layout, Mesh0::kExpanded);
  EXPECT_EQ(b.firstV, 4);
  EXPECT_EQ(b.klvV, 3);
  EXPECT_EQ(b.elemBuf, 0u);
  EXPECT_EQ(b.turned, nullptr);  // expanded: drawn by switching the front face
  // Tiny values become 0, then every coordinate is cut to two decimals and
  // every normal to three.
  ExpectVec(g.pos[4], 0, 0, 0);
  ExpectVec(g.pos[5], 2.5f, 0, 0);
  ExpectVec(g.pos[6], 0, 3, -1.25f);
  ExpectVec(g.nrm[4], 0, 0.123f, 1);
  // Texture points per corner from both tables.
  EXPECT_FLOAT_EQ(g.uv1[4].y, 0.5f);
  EXPECT_FLOAT_EQ(g.uv1[5].x, 0.5f);
  EXPECT_FLOAT_EQ(g.uv1[6].x, 0.0f);
  EXPECT_FLOAT_EQ(g.uv2[4].x, 0.1f);
  EXPECT_FLOAT_EQ(g.uv2[6].y, 0.3f);
  EXPECT_NE(g.bufPos, 0u);
}

TEST_F(ModelTest, ListRefusals) {
  ScratchDir d;
  d.Text("a.txt", kQuadIndexed);
  d.Text("zero.txt", List(0, 0, ""));
  EXPECT_EQ(_Mesh_Sbor::LoadMeshGru("zero.txt", -1), 0);
  // Two vertices in all are too few.
  d.Text("two.txt", "two\nc\n2 0 2 0 0\n-1 -1\n-1 -1\n-1 -1\n-1 -1\n0 0 0\n0 0\n0 0\n0 0\n1 0\n0\n0\n"
                    "// p\n0 0 0\n1 0 0\n//\n//\n// n\n0 0 1\n0 0 1\n//\n//\n0 0\n1 0\n");
  d.Text("few.txt", List(0, 1, Entry(0, 1, "two.txt")));
  EXPECT_EQ(_Mesh_Sbor::LoadMeshGru("few.txt", -1), 0);
  d.Text("six.txt", List(6, 1, Entry(0, 1, "a.txt")));
  EXPECT_EQ(_Mesh_Sbor::LoadMeshGru("six.txt", -1), 0);
  EXPECT_EQ(_Mesh_Sbor::LoadMeshGru("six.txt", 0), 1);
  EXPECT_EQ(MdlGVBO[0].klvMesh, 1);
  d.Text("missing.txt", List(2, 1, Entry(0, 1, "nowhere.txt")));
  EXPECT_EQ(_Mesh_Sbor::LoadMeshGru("missing.txt", -1), 0);
  EXPECT_EQ(MdlGVBO[2].klvMesh, 0);
  EXPECT_EQ(_Mesh_Sbor::LoadMeshGru("no-such-list.txt", -1), 0);
}

TEST_F(ModelTest, ExpansionFollowsTheTextureTables) {
  ScratchDir d;
  std::string same = kQuadIndexed;  // U1 = V, U2 = 0: indexed
  d.Text("same.txt", same);
  std::string more = same;
  more.replace(more.find("4 2 4 0 1"), 9, "4 2 5 0 1");  // U1 = V + 1: expanded
  d.Text("more.txt", more);
  d.Text("list.txt", List(0, 2, Entry(0, 1, "same.txt") + Entry(1, 1, "more.txt")));
  // The expanded entry carries no texture table of the size it names, so it
  // fails to load; the header alone decides what is counted.
  EXPECT_EQ(_Mesh_Sbor::LoadMeshGru("list.txt", -1), 0);
  std::istringstream in(more);
  t_MdlTxtHead h;
  ASSERT_TRUE(MdlTxt_ReadHead(in, h));
  EXPECT_TRUE(h.Expanded());
  EXPECT_EQ(h.VerticesPlaced(), 6);
  std::istringstream in2(same);
  ASSERT_TRUE(MdlTxt_ReadHead(in2, h));
  EXPECT_FALSE(h.Expanded());
  EXPECT_EQ(h.VerticesPlaced(), 4);
  // A layout word other than 0 and 10 reads as indexed.
  std::string odd = same;
  odd.replace(odd.find("2.5 7\n0\n"), 8, "2.5 7\n3\n");
  std::istringstream in3(odd);
  ASSERT_TRUE(MdlTxt_ReadHead(in3, h));
  EXPECT_EQ(h.layout, Mesh0::kIndexed);
}

TEST_F(ModelTest, EntrySlotBeyondTheCountLoadsIntoTheLastMesh) {
  ScratchDir d;
  WriteModels(d, 0, 2, Entry(9, 1, "b.txt") + Entry(0, 1, "a.txt"));
  ASSERT_EQ(_Mesh_Sbor::LoadMeshGru("list.txt", -1), 1);
  EXPECT_EQ(MdlGVBO[0].mMesh[1].layout, Mesh0::kExpanded);
  EXPECT_EQ(MdlGVBO[0].mMesh[1].firstV, 0);
  EXPECT_EQ(MdlGVBO[0].mMesh[0].firstV, 3);
}

TEST_F(ModelTest, BadModelsAreRefusedAndLeaveTheCursor) {
  ScratchDir d;
  typeMdlGruVBO g;
  ASSERT_EQ(g.ReGetMemory(2, 6), 1);
  LoadOffsetVGru = 3;
  d.Text("a.txt", kQuadIndexed);
  Mesh0 m;
  // Four vertices do not fit the three left.
  EXPECT_EQ(m.LoadFromTxt("a.txt", &g), 0);
  EXPECT_EQ(LoadOffsetVGru, 3);
  LoadOffsetVGru = 0;
  std::string bad = kQuadIndexed;
  bad.replace(bad.find("1 3 4"), 5, "1 3 5");  // vertex 5 of 4
  d.Text("bad.txt", bad);
  EXPECT_EQ(m.LoadFromTxt("bad.txt", &g), 0);
  EXPECT_EQ(LoadOffsetVGru, 0);
  std::string zero = kQuadIndexed;
  zero.replace(zero.find("1 3 4"), 5, "0 3 4");
  d.Text("zero.txt", zero);
  EXPECT_EQ(m.LoadFromTxt("zero.txt", &g), 0);
  std::string uv = kTriExpanded;
  uv.replace(uv.find("4 2 1"), 5, "4 2 5");  // texture point 5 of 4
  d.Text("uv.txt", uv);
  EXPECT_EQ(m.LoadFromTxt("uv.txt", &g), 0);
  std::string cut = kQuadIndexed;
  cut.resize(cut.find("// normals"));
  d.Text("cut.txt", cut);
  EXPECT_EQ(m.LoadFromTxt("cut.txt", &g), 0);
  std::string huge = kQuadIndexed;
  huge.replace(huge.find("4 2 4 0 1"), 9, "4 2000000000 4 0 1");
  d.Text("huge.txt", huge);
  EXPECT_EQ(m.LoadFromTxt("huge.txt", &g), 0);
  EXPECT_EQ(m.LoadFromTxt("a.txt", &g), 1);
  EXPECT_EQ(LoadOffsetVGru, 4);
  g.Sbros();
}

TEST_F(ModelTest, BlockRoundTripGivesIdenticalArraysAndMeshes) {
  ScratchDir d;
  WriteModels(d, 0, 2, Entry(0, 1, "a.txt") + Entry(1, 1, "b.txt"));
  ASSERT_EQ(_Mesh_Sbor::LoadMeshGru("list.txt", -1), 1);
  typeMdlGruVBO kept;
  CopyGroup(MdlGVBO[0], kept);
  MdlGVBO_SaveGru(0);
  std::string block = ReadAll("mdl_0");
  // Header, two meshes (marker to marker 52 bytes, triangles and face data,
  // two zeros), four arrays with three separators, the trailer.
  size_t expected = 16 + (52 + 2 * 24 + 8) + (52 + 1 * 24 + 8) + 8 * (12 + 12 + 8 + 8) + 12 + 24;
  EXPECT_EQ(block.size(), expected);
  d.Text("bin.txt", List(0, 0, "", 1, "mdl_0"));
  MdlGVBO[0].Sbros();
  ASSERT_EQ(_Mesh_Sbor::LoadMeshGru("bin.txt", 4), 1);
  ExpectSameGroup(MdlGVBO[4], kept);
  EXPECT_NE(MdlGVBO[4].mMesh[0].elemBuf, 0u);  // indexed: a fresh element buffer
  EXPECT_EQ(MdlGVBO[4].mMesh[1].elemBuf, 0u);  // expanded: none
  // Saving again keeps the previous block beside it.
  MdlGVBO_SaveGru(4);
  EXPECT_EQ(ReadAll("mdl_4").size(), expected);
  MdlGVBO_SaveGru(4);
  EXPECT_EQ(ReadAll("mdl_4_bak"), ReadAll("mdl_4"));
  MdlGVBO_SaveGru(6);
  EXPECT_FALSE(std::filesystem::exists("mdl_6"));
  kept.Sbros();
}

// A block that cannot be written whole reports 0 and leaves the previous
// block and its backup in place.
TEST_F(ModelTest, AFailedBlockSaveKeepsThePreviousBlock) {
  ScratchDir d;
  WriteModels(d, 0, 2, Entry(0, 1, "a.txt") + Entry(1, 1, "b.txt"));
  ASSERT_EQ(_Mesh_Sbor::LoadMeshGru("list.txt", -1), 1);
  ASSERT_EQ(MdlGVBO_SaveGru(0), 1);
  ASSERT_EQ(MdlGVBO_SaveGru(0), 1);
  const std::string block = ReadAll("mdl_0"), bak = ReadAll("mdl_0_bak");
  int r = 1;
  {
    FileSizeLimit limit(100);
    ASSERT_TRUE(limit.Ok());
    r = MdlGVBO_SaveGru(0);
  }
  EXPECT_EQ(r, 0);
  EXPECT_EQ(ReadAll("mdl_0"), block);
  EXPECT_EQ(ReadAll("mdl_0_bak"), bak);
  EXPECT_FALSE(std::filesystem::exists("mdl_0_new"));
  MdlGVBO[0].Sbros();
}

TEST_F(ModelTest, EmptyGroupBlockIsHeaderSeparatorsAndTrailer) {
  ScratchDir d;
  MdlGVBO_SaveGru(5);
  std::string b = ReadAll("mdl_5");
  ASSERT_EQ(b.size(), 52u);
  int32_t head[4];
  std::memcpy(head, b.data(), 16);
  EXPECT_EQ(head[0], 1);
  EXPECT_EQ(static_cast<uint32_t>(head[1]), 0x00235DC2u);
  EXPECT_EQ(head[2], 0);
  EXPECT_EQ(head[3], 0);
}

TEST_F(ModelTest, TruncatedOrInconsistentBlocksAreRefused) {
  ScratchDir d;
  WriteModels(d, 0, 2, Entry(0, 1, "a.txt") + Entry(1, 1, "b.txt"));
  ASSERT_EQ(_Mesh_Sbor::LoadMeshGru("list.txt", -1), 1);
  MdlGVBO_SaveGru(0);
  const std::string whole = ReadAll("mdl_0");
  d.Text("bin.txt", List(1, 0, "", 1, "cut"));
  // Every cut that loses array or mesh bytes is refused (the trailer is not
  // read); the reader never runs past the bytes it has (the sanitizer checks).
  for (size_t n = 0; n + 24 < whole.size(); n += 3) {
    d.Bytes("cut", whole.substr(0, n));
    ASSERT_EQ(_Mesh_Sbor::LoadMeshGru("bin.txt", 1), 0) << "cut at " << n;
    EXPECT_EQ(MdlGVBO[1].klvMesh, 0);
  }
  d.Bytes("cut", whole);
  EXPECT_EQ(_Mesh_Sbor::LoadMeshGru("bin.txt", 1), 1);

  auto patched = [&](size_t at, int32_t v) {
    std::string s = whole;
    std::memcpy(&s[at], &v, 4);
    d.Bytes("cut", s);
    return _Mesh_Sbor::LoadMeshGru("bin.txt", 1);
  };
  const size_t mesh1 = 16 + 52 + 48 + 8;
  EXPECT_EQ(patched(mesh1 + 4, 5), 0);          // second record carries index 5
  EXPECT_EQ(patched(16 + 8, 7), 0);             // first vertex 7 + 4 vertices > 8
  EXPECT_EQ(patched(16 + 12, -1), 0);           // negative vertex count
  EXPECT_EQ(patched(16 + 16, 100000), 0);       // more triangles than bytes
  EXPECT_EQ(patched(16 + 52, 8), 0);            // an index past the vertices
  EXPECT_EQ(patched(12, 100000000), 0);         // vertex count beyond any group
  std::string layout = whole;
  layout[16 + 44] = 3;                          // layout 3 is neither 0 nor 10
  d.Bytes("cut", layout);
  EXPECT_EQ(_Mesh_Sbor::LoadMeshGru("bin.txt", 1), 0);
}

TEST_F(ModelTest, BindingRules) {
  ScratchDir d;
  d.Text("sq.txt", Square(false));
  d.Text("list.txt", List(0, 1, Entry(0, 1, "sq.txt")));
  ASSERT_EQ(_Mesh_Sbor::LoadMeshGru("list.txt", 0), 1);
  ASSERT_EQ(_Mesh_Sbor::LoadMeshGru("list.txt", 1), 1);
  *o2::NeedLoadEtapMeshOK = 0;
  Bind_MGru(1, 1);
  EXPECT_EQ(Glob_D1g, -1);
  EXPECT_EQ(*o2::GL_PushClientAll, 0);
  *o2::NeedLoadEtapMeshOK = 1;
  Bind_MGru(0, 1);
  EXPECT_EQ(Glob_D1g, 0);
  Bind_MGru(1, 1);  // another group while one is bound
  EXPECT_EQ(Glob_D1g, 0);
  BindClear_MGru();
  EXPECT_EQ(Glob_D1g, -1);
  EXPECT_EQ(*o2::GL_PushClientAll, 0);
  Bind_MGru(7, 1);
  EXPECT_EQ(Glob_D1g, -1);
}

TEST_F(ModelTest, MeshesDrawFromTheBoundGroupInBothWays) {
  ScratchDir d;
  // The expanded square comes first, at vertex 0: it is drawn all the same.
  d.Text("e.txt", Square(true));
  d.Text("i.txt", Square(false));
  d.Text("me.txt", Square(true, true));
  d.Text("mi.txt", Square(false, true));
  d.Text("list.txt", List(0, 4, Entry(0, 1, "e.txt") + Entry(1, 1, "i.txt") + Entry(2, 1, "me.txt") +
                                    Entry(3, 1, "mi.txt")));
  ASSERT_EQ(_Mesh_Sbor::LoadMeshGru("list.txt", -1), 1);
  ASSERT_EQ(MdlGVBO[0].mMesh[0].firstV, 0);
  for (int mesh = 0; mesh < 2; ++mesh)
    for (int ram = 0; ram < 2; ++ram) {
      glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
      DrawMesh(0, mesh, ram);
      SCOPED_TRACE(testing::Message() << "mesh " << mesh << " ram " << ram);
      EXPECT_NEAR_RGB(ReadRgba(200, 200), 255, 255, 255, 1);
      EXPECT_NEAR_RGB(ReadRgba(20, 20), 0, 0, 0, 1);
    }
  // The mirrored squares wind clockwise: as meshes with clockwise fronts they
  // show with back faces culled, the indexed one from its turned triangles
  // and the expanded one, or either under the hook, by switching the front
  // face; the same pixels either way, and the front face is left
  // counter-clockwise.
  ASSERT_NE(MdlGVBO[0].mMesh[3].turned, nullptr);
  std::vector<uint8_t> first;
  for (int mesh = 2; mesh < 4; ++mesh)
    for (int ram = 0; ram < 2; ++ram)
      for (int alone = 0; alone < 2; ++alone) {
        SCOPED_TRACE(testing::Message() << "mesh " << mesh << " ram " << ram << " alone " << alone);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        RenderM_EachOrderAlone = alone;
        DrawMesh(0, mesh, ram, true);
        RenderM_EachOrderAlone = 0;
        std::vector<uint8_t> px(static_cast<size_t>(kTestW) * kTestH * 4);
        glReadPixels(0, 0, kTestW, kTestH, GL_RGBA, GL_UNSIGNED_BYTE, px.data());
        if (first.empty()) first = px;
        EXPECT_TRUE(px == first);
        EXPECT_NEAR_RGB(ReadRgba(200, 200), 255, 255, 255, 1);
        GLint front = 0;
        glGetIntegerv(GL_FRONT_FACE, &front);
        EXPECT_EQ(front, GL_CCW);
      }
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glEnable(GL_CULL_FACE);
  Bind_MGru(0, 1);
  _Mesh_Sbor::DrawMesh_Uni(MdlGVBO[0].Get_pMesh(3));  // its back, culled
  BindClear_MGru();
  glDisable(GL_CULL_FACE);
  EXPECT_NEAR_RGB(ReadRgba(200, 200), 0, 0, 0, 1);
  // Primitive codes above 7 are not drawn; nor is a mesh of another group.
  glClear(GL_COLOR_BUFFER_BIT);
  MdlGVBO[0].mMesh[1].primitive = 8;
  DrawMesh(0, 1, 1);
  EXPECT_NEAR_RGB(ReadRgba(200, 200), 0, 0, 0, 1);
  Bind_MGru(0, 1);
  Mesh0 stray;
  stray.layout = Mesh0::kExpanded;
  stray.klvV = 3;
  _Mesh_Sbor::DrawMesh_Uni(&stray);
  _Mesh_Sbor::DrawMesh_Uni(nullptr);
  BindClear_MGru();
  EXPECT_NEAR_RGB(ReadRgba(200, 200), 0, 0, 0, 1);
}

TEST_F(ModelTest, DefaultModelSetLoadsDrawsAndSurvivesItsBlock) {
  std::string data = SourceData();
  {
    EnterDir in(data);
    ASSERT_EQ(LoadGeneralModels(), 1);
  }
  typeMdlGruVBO& g = MdlGVBO[0];
  ASSERT_EQ(g.klvMesh, 72);
  int expanded = 0;
  for (int i = 0; i < g.klvMesh; ++i) {
    EXPECT_GT(g.mMesh[i].klvV, 0) << "mesh " << i;
    EXPECT_GT(g.mMesh[i].klvTri, 0) << "mesh " << i;
    expanded += g.mMesh[i].layout == Mesh0::kExpanded;
  }
  EXPECT_GT(expanded, 10);
  EXPECT_LT(expanded, 62);
  // Every mesh shows on screen, seen from above at a small scale.
  for (int i = 0; i < g.klvMesh; ++i) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-15, 15, -15, 15, -50, 50);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRotatef(60, 1, 0, 0);
    glDisable(GL_CULL_FACE);
    ColorMatF(1, 1, 1, 1);
    Bind_MGru(0, 1);
    _Mesh_Sbor::DrawMesh_Uni(g.Get_pMesh(i));
    BindClear_MGru();
    std::vector<uint8_t> px(static_cast<size_t>(kTestW) * kTestH * 4);
    glReadPixels(0, 0, kTestW, kTestH, GL_RGBA, GL_UNSIGNED_BYTE, px.data());
    int lit = 0;
    for (size_t k = 0; k < px.size(); k += 4) lit += px[k] > 128;
    EXPECT_GT(lit, 20) << "mesh " << i;
  }
  ScratchDir d;
  typeMdlGruVBO kept;
  CopyGroup(g, kept);
  MdlGVBO_SaveGru(0);
  d.Text("bin.txt", List(0, 0, "", 1, "mdl_0"));
  ASSERT_EQ(_Mesh_Sbor::LoadMeshGru("bin.txt", 2), 1);
  ExpectSameGroup(MdlGVBO[2], kept);
  kept.Sbros();
}
