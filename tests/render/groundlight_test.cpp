// The ground light map: the decal rings, scene lights turned into ground
// lights, the map painted both ways and read back texel by texel, the
// terrain layer that adds it, and the target marker.
#include <algorithm>
#include <vector>

#include "render/shellglue.h"
#include "tests/render/scene_helpers.h"

namespace {

const vec3 kCentre(1000, 0, 2000);

class GroundLightTest : public RenderTest {
 protected:
  static void SetUpTestSuite() {
    RenderTest::SetUpTestSuite();
    ASSERT_TRUE(LoadDefaultPictures());
  }
  void SetUp() override {
    RenderTest::SetUp();
    NowIn_masLandSvetik = NowIn_masSvetik = 0;
    SveKvad_InitFromCoeff();
    SveKvad_boxP = kCentre;
    *o2::SveKvadTex4 = 1;
    *o2::SvetoKv_SnarBoomLand = 0;
    *o2::SvetoKv_JetSled = 0;
    *o2::SvKvdAlfWait = 1000000;  // marker hidden
    *o3::SvKvdAlf = 0;
    masSnarBoomLand_Sbros();
    masJetSled_Sbros();
    GFrameTime = 1;
    test1PointVec = kCentre;
  }
  void TearDown() override {
    SveKvad_PixBufMtdCopy_Kill();
    SveKvad_PixBufMtdTex_Kill();
    GFrameTime = 1;
  }
  // The texels of a texture, RGB bytes, rows from the bottom.
  static std::vector<uint8_t> Texels(unsigned texture, int w, int h) {
    std::vector<uint8_t> px(static_cast<size_t>(w) * h * 3);
    glActiveTextureARB(GL_TEXTURE0_ARB);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, px.data());
    return px;
  }
  // The texel of the map under world point (x, z).
  static Rgba Under(const std::vector<uint8_t>& px, int w, int h, float x, float z) {
    float s = 0.5f + 0.002f * (x - kCentre.x), t = 0.5f - 0.002f * (z - kCentre.z);
    int i = static_cast<int>(s * w), j = static_cast<int>(t * h);
    const uint8_t* p = &px[(static_cast<size_t>(j) * w + i) * 3];
    return {p[0], p[1], p[2], 255};
  }
  // 0.5 + colour x alpha, as bytes (saturating).
  static void ExpectLit(Rgba p, float r, float g, float b, float a) {
    auto lit = [a](float c) { return std::min(255.0f, 128 + 255 * c * a); };
    EXPECT_NEAR(p.r, lit(r), 2.5);
    EXPECT_NEAR(p.g, lit(g), 2.5);
    EXPECT_NEAR(p.b, lit(b), 2.5);
  }
};

}  // namespace

TEST_F(GroundLightTest, CraterRingKeepsItsSpacingAndWraps) {
  masSnarBoomLand_AddElem(vec3(0, 0, 0));  // recorded only while the setting is on
  EXPECT_EQ(masSnarBoomLand_PrivNext, 0);
  *o2::SvetoKv_SnarBoomLand = 1;
  masSnarBoomLand_AddElem(vec3(0, 0, 0));
  masSnarBoomLand_AddElem(vec3(4, 0, 0));  // inside the 8.75 square
  EXPECT_EQ(masSnarBoomLand_PrivNext, 1);
  masSnarBoomLand_AddElem(vec3(5, 0, 0));
  EXPECT_EQ(masSnarBoomLand_PrivNext, 2);
  EXPECT_EQ(masSnarBoomLand_ElemPere(0, 4.375f), 1);  // edges count
  EXPECT_EQ(masSnarBoomLand_ElemPere(0, 4.5f), 0);
  for (int i = 2; i < 81; ++i) masSnarBoomLand_AddElem(vec3(100.0f * i, 0, 0));
  EXPECT_EQ(masSnarBoomLand_PrivFirstFill, 80);
  EXPECT_EQ(masSnarBoomLand_PrivNext, 0);
  masSnarBoomLand_AddElem(vec3(0, 0, 500));  // the 82nd overwrites slot 0
  EXPECT_EQ(masSnarBoomLand[0].z, 500);
  EXPECT_EQ(masSnarBoomLand_PrivFirstFill, 80);
  EXPECT_EQ(masSnarBoomLand_PrivNext, 1);
}

TEST_F(GroundLightTest, TrailRingWaitsForItsCountdown) {
  *o2::SvetoKv_JetSled = 1;
  masJetSled_AddElem(0, 0, 0.5f, 0.5f);  // the countdown starts at 2000 and nothing counts it down
  EXPECT_EQ(masJetSled_PrivFirstFill, 0);
  EXPECT_EQ(masJetSledB[0], 0);
  masJetSled_PrivMej = 0;
  masJetSled_AddElem(10, 20, 0.5f, 0.25f);
  EXPECT_EQ(masJetSledB[0], 1);
  EXPECT_EQ(masJetSled[0][0], 10);
  EXPECT_EQ(masJetSled[0][3], 0.25f);
  EXPECT_TRUE(masJetSled[0][2] == 0.5f || masJetSled[0][2] == 1.0f);
  EXPECT_EQ(masJetSled_PrivMej, 21);
  masJetSled_PrivMej = 0;
  masJetSled_AddElem(20, 20, 0.5f, 0.25f);  // within the 21.6 square
  EXPECT_EQ(masJetSled_PrivNext, 1);
  masJetSled_AddElem(40, 20, 0.5f, 0.25f);
  EXPECT_EQ(masJetSled_PrivNext, 2);
}

TEST_F(GroundLightTest, PointLightsNearTheGroundBecomeGroundLights) {
  Glob_KamOptimBoxP = kCentre;
  Glob_KamOptimBoxG = vec3(1000, 1000, 1000);
  t_Svet* low = GetSvetikPro(0, kCentre + vec3(0, 30, 0), 100);
  t_Svet* high = GetSvetikPro(0, kCentre + vec3(0, 50, 0), 100);
  t_Svet* sun = GetSvetikPro(1, vec3(0, 1, 0), 100);
  ASSERT_TRUE(low && high && sun);
  low->diffuse = vec4(1, 0.2f, 0.7f, 1);
  PeregonSvetikTo_LandSvetik();
  ASSERT_EQ(NowIn_masLandSvetik, 1);
  const t_SvetLand& l = masLandSvetik[1];
  EXPECT_EQ(l.range, 9);  // 100 / 2.5 - 30 - 1
  EXPECT_EQ(l.kind, 18);
  EXPECT_FLOAT_EQ(l.colour.x, 0.9f);
  EXPECT_FLOAT_EQ(l.colour.y, 0.55f);
  EXPECT_FLOAT_EQ(l.colour.z, 0.7f);
  EXPECT_FLOAT_EQ(l.colour.w, 0.2f);
}

TEST_F(GroundLightTest, CopyWayTexelUnderALightIsGreyPlusColourTimesAlpha) {
  SveKvad_PixBufMtdCopy_Rise(512, 512);
  ASSERT_EQ(*o2::PixelBufE, 1);
  ASSERT_NE(texSveKvad.texture, 0u);
  std::vector<uint8_t> px = Texels(texSveKvad.texture, 512, 512);
  EXPECT_NEAR_RGB(Under(px, 512, 512, kCentre.x, kCentre.z), 128, 128, 128, 1);  // neutral before painting
  Add_LandSvetikPro(kCentre, 40, 0, 0.4f, 0.2f, 0.1f, 0.5f);                       // picture 0: white
  Add_LandSvetikPro(kCentre + vec3(100, 300, 50), 20, 0, 0.2f, 0.4f, 0.6f, 1.0f);  // painted flat
  Add_LandSvetikPro(kCentre + vec3(-240, 0, -240), 30, 0, 1, 1, 1, 1);           // under the frame
  ASSERT_EQ(NowIn_masLandSvetik, 3);
  GLint vp[4];
  glGetIntegerv(GL_VIEWPORT, vp);
  PixBuf_RenderSveKvad();
  GLint after[4];
  glGetIntegerv(GL_VIEWPORT, after);
  EXPECT_EQ(after[2], vp[2]);
  px = Texels(texSveKvad.texture, 512, 512);
  ExpectLit(Under(px, 512, 512, kCentre.x, kCentre.z), 0.4f, 0.2f, 0.1f, 0.5f);
  ExpectLit(Under(px, 512, 512, kCentre.x + 30, kCentre.z - 30), 0.4f, 0.2f, 0.1f, 0.5f);
  ExpectLit(Under(px, 512, 512, kCentre.x + 100, kCentre.z + 50), 0.2f, 0.4f, 0.6f, 1.0f);
  EXPECT_NEAR_RGB(Under(px, 512, 512, kCentre.x + 60, kCentre.z), 128, 128, 128, 1);
  EXPECT_NEAR_RGB(Under(px, 512, 512, kCentre.x - 150, kCentre.z + 150), 128, 128, 128, 1);
  // The frame fades the map to neutral grey at its border.
  EXPECT_NEAR_RGB(Under(px, 512, 512, kCentre.x - 249, kCentre.z - 249), 128, 128, 128, 2);
}

TEST_F(GroundLightTest, RenderToTextureWayPaintsTheSameMap) {
  SveKvad_PixBufMtdTex_Rise(256, 256);
  ASSERT_EQ(*o2::PixelBufE, 2);
  ASSERT_NE(pbufferTexLand, 0u);
  Add_LandSvetikPro(kCentre, 40, 0, 0.4f, 0.2f, 0.1f, 0.5f);
  EXPECT_EQ(PixBuf_RenderSveKvad2(), 1);
  std::vector<uint8_t> px = Texels(pbufferTexLand, 256, 256);
  ExpectLit(Under(px, 256, 256, kCentre.x, kCentre.z), 0.4f, 0.2f, 0.1f, 0.5f);
  EXPECT_NEAR_RGB(Under(px, 256, 256, kCentre.x + 100, kCentre.z), 128, 128, 128, 1);
}

TEST_F(GroundLightTest, CratersDarkenTheMap) {
  *o2::SvetoKv_SnarBoomLand = 1;
  masSnarBoomLand_AddElem(kCentre);
  SveKvad_PixBufMtdCopy_Rise(512, 512);
  PixBuf_RenderSveKvad();
  std::vector<uint8_t> px = Texels(texSveKvad.texture, 512, 512);
  Rgba c = Under(px, 512, 512, kCentre.x, kCentre.z);
  EXPECT_LT(c.r, 110);
  EXPECT_NEAR_RGB(Under(px, 512, 512, kCentre.x + 20, kCentre.z), 128, 128, 128, 1);
}

TEST_F(GroundLightTest, TerrainLayerAddsTheMapSigned) {
  SveKvad_PixBufMtdCopy_Rise(512, 512);
  Add_LandSvetikPro(kCentre, 40, 0, 0.4f, 0.2f, 0.1f, 0.5f);
  PixBuf_RenderSveKvad();
  // The ground seen from above, grey 0.5, with the map on unit 3.
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-250, 250, -250, 250, -100, 100);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glRotatef(90, 1, 0, 0);
  glTranslatef(-kCentre.x, 0, -kCentre.z);
  TexMat(0, -1, 0, -1, 0);
  ColorMatF(1, 0.5f, 0.5f, 0.5f);
  *o2::SveKvadTex4 = 0;
  EXPECT_EQ(needSvetoLayer(kCentre.x, kCentre.z, 250, 0, 0, 2000), 0);
  *o2::SveKvadTex4 = 1;
  EXPECT_EQ(needSvetoLayer(9000, 9000, 250, 0, 0, 2000), 0);
  ASSERT_EQ(needSvetoLayer(kCentre.x, kCentre.z, 250, 0, 0, 2000), 1);
  glDisable(GL_CULL_FACE);
  glBegin(GL_QUADS);
  glVertex3f(kCentre.x - 250, 0, kCentre.z - 250);
  glVertex3f(kCentre.x + 250, 0, kCentre.z - 250);
  glVertex3f(kCentre.x + 250, 0, kCentre.z + 250);
  glVertex3f(kCentre.x - 250, 0, kCentre.z + 250);
  glEnd();
  EndGroundLightLayer();
  // Under the light: 0.5 + (texel - 0.5); away from it: unchanged.
  Rgba lit = ReadRgba(200, 200);
  EXPECT_NEAR(lit.r, 128 + 51, 3);
  EXPECT_NEAR(lit.g, 128 + 25.5, 3);
  Rgba light = ReadRgba(200 + 80, 200);  // world x + 100
  EXPECT_NEAR_RGB(light, 128, 128, 128, 2);
}

TEST_F(GroundLightTest, MarkerFadesInAfterTheCameraStops) {
  *o2::SvKvdAlfWaitSta = 300;
  *o3::SvKvdAlf = 0.8f;
  uzorSvKvadAlf_OnKamMove();
  EXPECT_EQ(*o2::SvKvdAlfWait, 300);
  EXPECT_EQ(*o3::SvKvdAlf, 0);
  GFrameTime = 100;
  SveKvad_PixBufMtdCopy_Rise(512, 512);
  for (int frame = 0; frame < 2; ++frame) PixBuf_RenderSveKvad();
  EXPECT_EQ(*o2::SvKvdAlfWait, 100);
  EXPECT_EQ(*o3::SvKvdAlf, 0);  // still waiting
  PixBuf_RenderSveKvad();
  EXPECT_EQ(*o2::SvKvdAlfWait, 0);
  EXPECT_FLOAT_EQ(*o3::SvKvdAlf, 0.2f);  // 0.002 a millisecond
  for (int frame = 0; frame < 3; ++frame) PixBuf_RenderSveKvad();
  EXPECT_FLOAT_EQ(*o3::SvKvdAlf, 0.8f);
  PixBuf_RenderSveKvad();
  EXPECT_EQ(*o3::SvKvdAlf, 1.0f);
  // Drawn at full alpha: black outlines around the kept ground point.
  std::vector<uint8_t> px = Texels(texSveKvad.texture, 512, 512);
  int darkest = 255;
  for (float dx = 8; dx <= 12; dx += 0.5f) darkest = std::min(darkest, Under(px, 512, 512, kCentre.x + dx, kCentre.z).r);
  EXPECT_LT(darkest, 40);
  EXPECT_NEAR_RGB(Under(px, 512, 512, kCentre.x + 30, kCentre.z + 30), 128, 128, 128, 1);
}
