// The default data set starts the units with their draw gates, mesh and
// picture numbers, part offsets and camera band set.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "tests/common/default_settings.h"
#include "ui/ui.h"

TEST(UnitDataTest, ADefaultDataSetStartsWithTheUnitSettingsSet) {
  LoadDefaultSettings();
  std::string line;
  const struct {
    const char* name;
    int value;
  } ints[] = {
      {"TestFgrDrawUnit", *o2::TestFgrDrawUnit},   {"TestFgrDrawDom", *o2::TestFgrDrawDom},
      {"TestFgrDrawQuads34", *o2::TestFgrDrawQuads34}, {"TestFgrDrawQuads34D", *o2::TestFgrDrawQuads34D},
      {"TestFgrDrawQuads38", *o2::TestFgrDrawQuads38}, {"TestFgrDrawQuads38D", *o2::TestFgrDrawQuads38D},
      {"AllBuldMesh2", *o2::AllBuldMesh2},
      {"AllBuldMeshTex", *o2::AllBuldMeshTex},     {"AllBuldMKoles", *o2::AllBuldMKoles},
      {"AllTankMKolesBig", *o2::AllTankMKolesBig}, {"AllTankMKolesMin", *o2::AllTankMKolesMin},
      {"ATankTex", *o2::ATankTex},                 {"AGusTex", *o2::AGusTex},
      {"t1Body", *o2::t1Body},                     {"t1Wing", *o2::t1Wing},
      {"t1Gus", *o2::t1Gus},                       {"t1Bash", *o2::t1Bash},
      {"t1Gunbs", *o2::t1Gunbs},                   {"t1Gun", *o2::t1Gun},
  };
  for (const auto& s : ints) EXPECT_NE(s.value, 0) << s.name;

  // The meshes the unit drawings name exist in the default model group.
  std::ifstream list(std::string(VELMAR_SOURCE_DIR) + "/data/base/msh_sbr0.txt", std::ios::binary);
  int group = -1, meshes = 0;
  TextGetLine(list, line);  // label
  list >> group >> meshes;
  ASSERT_EQ(group, 0);
  for (int mesh : {*o2::AllBuldMesh2, *o2::AllBuldMKoles, *o2::AllTankMKolesBig, *o2::AllTankMKolesMin, *o2::t1Body,
                   *o2::t1Wing, *o2::t1Gus, *o2::t1Bash, *o2::t1Gunbs, *o2::t1Gun, 4, 58, 59, 71})
    EXPECT_LT(mesh, meshes) << mesh;
  const struct {
    const char* name;
    float value;
  } floats[] = {
      {"AllBuldMFwd", *o3::AllBuldMFwd}, {"AllBuldMBwd", *o3::AllBuldMBwd}, {"AllBuldMSide", *o3::AllBuldMSide},
      {"AllBuldMYK", *o3::AllBuldMYK},   {"t1BUp", *o3::t1BUp},             {"t1KMinY", *o3::t1KMinY},
      {"t1BashY", *o3::t1BashY},         {"t1BashZ", *o3::t1BashZ},         {"t1WingX", *o3::t1WingX},
      {"t1GusX", *o3::t1GusX},           {"GameKamHiY", *o3::GameKamHiY},   {"GameKamLowY", *o3::GameKamLowY},
  };
  for (const auto& s : floats) EXPECT_NE(s.value, 0.0f) << s.name;
  EXPECT_GT(*o3::GameKamHiY, *o3::GameKamLowY);
}
