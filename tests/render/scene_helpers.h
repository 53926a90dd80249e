// Shared set-ups of the scene tests: a viewport camera over the whole test
// window, and the general pictures of the default data set.
#pragma once

#include "tests/render/render_fixture.h"
#include "tests/render/scratch_dir.h"

// Sets the camera up as a frame does (viewport, projection, view).
inline void SetUpCamera(t_VPortKam& cam, vec3 eye, vec3 target, double fov = 60, double znear = 1,
                        double zfar = 500) {
  cam.vpW = kTestW;
  cam.vpH = kTestH;
  cam.fov = fov;
  cam.znear = znear;
  cam.zfar = zfar;
  cam.eye = eye;
  cam.target = target;
  cam.Set1();
  cam.Set2_ProjMode(1);
  cam.Set3_Kamera();
}

// What the terrain does after drawing with the ground light layer: unit 3's
// texture matrix popped, its texturing, coordinate generation and combiner off.
inline void EndGroundLightLayer() {
  OGL::Tex_PopMatrix(3);
  TexUnit(3, -1);
  glActiveTextureARB(GL_TEXTURE3_ARB);
  OGL::Tex2DGenTC_Dis();
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glActiveTextureARB(GL_TEXTURE0_ARB);
}

inline bool LoadDefaultPictures() {
  EnterDir in(SourceData());
  return LoadRisGru("base/ris_list0.txt") == 1;
}

// The default data set's pictures, materials and general models.
inline void LoadDefaultScene() {
  ASSERT_TRUE(LoadDefaultPictures());
  EnterDir in(SourceData());
  MatRS_InitProc();
  ASSERT_EQ(MatRS_LoadSbor("base/mat_sbr0.txt"), 1);
  ASSERT_EQ(LoadGeneralModels(), 1);
}

// The start of a game-like frame: the queues and the frame's lights emptied,
// the window cleared, the camera set up as the mode does (60 degrees, planes
// 1 and 600), the sprite orientation and the view frustum taken from it, and
// one white scene light of reach 400 at `light`.
inline void BeginSceneFrame(t_VPortKam& cam, vec3 eye, vec3 target, vec3 light) {
  RenderM._ResetOnStartNewLap();
  NowIn_masSvetik = NowIn_masLandSvetik = 0;
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  SetUpCamera(cam, eye, target, 60, 1, 600);
  glob_nowVPKam = &cam;
  Sprr1.UpdMatrix();
  Sprr1.UpdR360();
  Fru1.Update();
  t_Svet* s = GetSvetikPro(0, light, 400);
  ASSERT_NE(s, nullptr);
  s->diffuse = vec4(1, 1, 1, 1);
}

// The pixel a world point is drawn at by the camera. A point that lands
// outside the window fails the test instead of reading a pixel GL does not have.
inline Rgba PixelAt(vec3 p, t_VPortKam& cam) {
  int x = 0, y = 0;
  EXPECT_EQ(GetPointToEkran(p, x, y, &cam), 1);
  if (x < 0 || x >= kTestW || y < 0 || y >= kTestH) {
    ADD_FAILURE() << "(" << p.x << ", " << p.y << ", " << p.z << ") lands at pixel (" << x << ", " << y
                  << "), outside the " << kTestW << " x " << kTestH << " window";
    return {-1, -1, -1, -1};
  }
  return ReadRgba(x, y);
}
inline int Sum(Rgba p) { return p.r + p.g + p.b; }

// The render tests with the default data set's pictures, materials and
// general models loaded for the whole suite.
class DefaultSceneTest : public RenderTest {
 protected:
  static void SetUpTestSuite() {
    RenderTest::SetUpTestSuite();
    LoadDefaultScene();
  }
  static void TearDownTestSuite() {
    MdlGVBO_PreExit();
    RenderTest::TearDownTestSuite();
  }
};
