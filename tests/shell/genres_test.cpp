// General resources: what LoadGeneralRes leaves behind (text-buffer groups
// and their fixed entries, panel sizes in pixels, empty key states and
// walkability grids) and what Extras_Kill releases, also twice or when
// nothing was ever loaded.
#include <filesystem>
#include <memory>

#include "tests/common/data_copy.h"

#include "tests/render/render_fixture.h"
#include "world/world.h"

namespace {

// The general models and the material list are read from a copy of the
// default data set.
class GeneralResTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    for (auto& g : gr_TBuf) g = nullptr;
    data_ = std::make_unique<DataCopy>();
    ASSERT_TRUE(data_->Copied());
  }
  void TearDown() override {
    Extras_Kill();
    data_.reset();
  }
  std::unique_ptr<DataCopy> data_;
};

}  // namespace

TEST_F(GeneralResTest, LoadsTextGroupsPanelSizesAndClearsKeysAndGrids) {
  SetScreen(1024, 800);
  *o2::guiMidGorizW = 999;
  *o2::guiUp4w = -999;
  *o2::guiBokaH = 250;
  *o2::guiUp1x = 0;
  nsMKeys::n[65] = 1;
  nsMKeys::n[301] = 1;
  walkab4(3, 4, 1);
  ASSERT_EQ(LoadGeneralRes(), 1);

  EXPECT_EQ(*o2::guiMidGorizW, 1022) << "999 thousandths of 1024, the fraction dropped";
  EXPECT_EQ(*o2::guiUp4w, -1022);
  EXPECT_EQ(*o2::guiBokaH, 200);
  EXPECT_EQ(*o2::guiUp1x, 0);
  EXPECT_EQ(nsMKeys::n[65], 0);
  EXPECT_EQ(nsMKeys::n[301], 0);
  EXPECT_EQ(walkability4[3][4], 0);

  ASSERT_NE(gr_TBuf[0], nullptr);
  EXPECT_EQ(gr_TBuf_Last[0], 94);
  ASSERT_EQ(TBufGruForSelLevel, 5);
  ASSERT_NE(gr_TBuf[5], nullptr);
  EXPECT_EQ(gr_TBuf_Last[5], 40);
  EXPECT_EQ(UniOrg_TBuf, 1);
  EXPECT_EQ(PrintFPS_TBuf, 2);
  EXPECT_EQ(UserName_TBuf, 3);
  EXPECT_EQ(GTBuf_Lin, 4);
  EXPECT_EQ(TBufGetNom(0, 0), 5) << "the four fixed entries are taken";
  TBufUpdate(0, PrintFPS_TBuf, "FPS %d  %d", 60, 16);
  EXPECT_STREQ(gr_TBuf[0][PrintFPS_TBuf].text, "FPS 60  16");
}

TEST_F(GeneralResTest, TeardownReleasesEverythingAndMaySkipWhatIsAbsent) {
  Extras_Kill();  // nothing loaded yet
  ASSERT_EQ(LoadGeneralRes(), 1);
  static const uint8_t kWhite[2][4] = {{255, 255, 255, 255}, {9, 9, 9, 255}};
  MakeFlatGroup(3, 2, kWhite);
  PlitHold.FirstLayout();
  ASSERT_NE(PlitHold.VrtID, 0u);
  minimap1.Init(120, 148);
  ASSERT_NE(minimap1.pic.texture, 0u);

  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glClientActiveTextureARB(GL_TEXTURE1_ARB);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  Extras_Kill();
  EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
  EXPECT_FALSE(glIsEnabled(GL_COLOR_ARRAY));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
  for (auto* g : gr_TBuf) EXPECT_EQ(g, nullptr);
  for (auto* g : gr_Pix) EXPECT_EQ(g, nullptr);
  EXPECT_EQ(PlitHold.VrtID, 0u);
  EXPECT_EQ(PlitHold.Losk[5].elemID, 0u);
  EXPECT_EQ(PlitHold.Losk[5].count, 0);
  EXPECT_EQ(minimap1.pic.texture, 0u);
  Extras_Kill();
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
