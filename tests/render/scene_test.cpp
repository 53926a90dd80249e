// A whole frame of the default data set: the sky, the ground with the ground
// light map, a lit model through the model queue and a sprite through the
// sprite queue, drawn by the render machine and checked on its pixels.
#include "tests/render/scene_helpers.h"
#include "world/world.h"

namespace {

const vec3 kHouse(1000, 0, 1000);
const vec3 kSprite(1022, 14, 1000);
const vec3 kGroundLight(984, 0, 1030);

t_SveOkruj houseLights;

// The owners of the queued orders: the house answers the model pass, the
// sprite owner the sprite pass.
void Owner(Fgr4* owner, int code, void*, void*, void*, void*) {
  if (code == 7 && owner == reinterpret_cast<Fgr4*>(1)) {
    glPushMatrix();
    glTranslatef(kHouse.x, kHouse.y, kHouse.z);
    SvetStdForFgr(&houseLights);
    Material_RS::Bind(MatRS[8], 1);
    _Mesh_Sbor::DrawMesh_Uni(MdlGVBO[0].Get_pMesh(6));
    glPopMatrix();
  } else if (code == 12 && !MSprNextQuad_Non()) {
    MSpr_SetQuad(MSpr_qV(w0qv, kSprite, 5, 0), nullptr, MSpr_qTC(w0qt, 1, 4, 1, 4), nullptr);
  }
}

class SceneTest : public DefaultSceneTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    RenderOwnerEvent = Owner;
    *o2::GL_PushClientAll = 0;
    *o2::UseVBO = 1;
    *o2::SveKvadTex4 = 1;
    *o2::SvKvdAlfWait = 1000000;
    *o2::SkyKupBlend = 0;
    *o3::BcgYTrans = 0;
    mSkyKpV_Init();
    SveKvad_InitFromCoeff();
    SveKvad_boxP = kHouse;
    SveKvad_PixBufMtdCopy_Rise(512, 512);
    Create_SkyBelt1(250, 16, 0.3f, 0.5f, 0.9f, 0.7f, 0.7f, 0.7f, 0.3f, 0.5f, 0.9f);
    Glob_KamOptimBoxP = kHouse;
    Glob_KamOptimBoxG = vec3(300, 300, 300);
  }
  void TearDown() override {
    RenderOwnerEvent = Fgr4_Event;
    SveKvad_PixBufMtdCopy_Kill();
    glob_nowVPKam = nullptr;
  }

  // One game-like frame; the scene light stands at `light`, the sprite only
  // when asked for.
  void Frame(vec3 light, bool sprite) {
    // Objects announce their lights; the ground light map is painted.
    BeginSceneFrame(cam, vec3(1000, 30, 1060), vec3(1000, 6, 1000), light);
    Add_LandSvetikPro(kGroundLight, 12, 0, 0.8f, 0.6f, 0.2f, 0.6f);
    PixBuf_RenderSveKvad();
    // Sky, then the ground with the map on unit 3.
    StartOfClearDraw1();
    SkyDekorSbor::Fon_Draw(cam.Pos(), 0);
    TexMat(0, -1, 0, -1, 0);
    ColorMatF(1, 0.5f, 0.5f, 0.5f);
    int layer = needSvetoLayer(SveKvad_boxP.x, SveKvad_boxP.z, SveKvad_boxHaf, 0, 0, 2000);
    glBegin(GL_QUADS);
    glVertex3f(kHouse.x - 300, 0, kHouse.z + 300);
    glVertex3f(kHouse.x + 300, 0, kHouse.z + 300);
    glVertex3f(kHouse.x + 300, 0, kHouse.z - 300);
    glVertex3f(kHouse.x - 300, 0, kHouse.z - 300);
    glEnd();
    if (layer) EndGroundLightLayer();
    // Objects queue their work; the render machine draws it.
    houseLights = t_SveOkruj();
    houseLights.mode = 1;
    houseLights.centre = kHouse;
    houseLights.Fill(vec3(5, 5, 5), 1);
    RenderM.mdl[0].Add(reinterpret_cast<Fgr4*>(1), 1, 0, 0, 1, 0, 38, -1, 0);
    if (sprite) RenderM.quads[0].Add(reinterpret_cast<Fgr4*>(2), 0, 1, 0, 22, -1, 0);
    RenderM._Run(&cam);
  }
  Rgba At(vec3 p) { return PixelAt(p, cam); }
  t_VPortKam cam;
};

}  // namespace

TEST_F(SceneTest, FrameOfTheDefaultDataSet) {
  Frame(kHouse + vec3(0, 10, 40), true);
  // The sky above the horizon.
  Rgba top = ReadRgba(200, kTestH - 2);
  EXPECT_NEAR(top.r, Byte(0.3), 4);
  EXPECT_NEAR(top.g, Byte(0.5), 4);
  EXPECT_NEAR(top.b, Byte(0.9), 4);
  // The ground: grey away from the ground light, brighter and warmer under it.
  Rgba ground = At(kHouse + vec3(10, 0, 20));
  EXPECT_NEAR_RGB(ground, 128, 128, 128, 3);
  Rgba pool = At(kGroundLight);
  EXPECT_NEAR(pool.r, 128 + 0.8 * 0.6 * 255, 6);
  EXPECT_NEAR(pool.b, 128 + 0.2 * 0.6 * 255, 6);
  // The house stands in front of the camera, lit from the front.
  Rgba front = At(kHouse + vec3(-1.5f, 2.5f, 4));
  EXPECT_GT(Sum(front), 60);
  // The sprite is the first atlas cell, added over the scene.
  Rgba withSprite = At(kSprite);

  Frame(kHouse + vec3(0, 10, -40), false);
  Rgba back = At(kHouse + vec3(-1.5f, 2.5f, 4));
  EXPECT_GT(Sum(front), Sum(back) + 60);  // the light behind the house leaves its front dark
  Rgba noSprite = At(kSprite);
  EXPECT_GT(Sum(withSprite), Sum(noSprite) + 60);
  EXPECT_NEAR_RGB(At(kHouse + vec3(10, 0, 20)), 128, 128, 128, 3);
}
