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

// The render tests with the pictures, materials and general models of the
// default data set loaded for the whole suite.
class DefaultSceneTest : public RenderTest {
 protected:
  static void SetUpTestSuite() {
    RenderTest::SetUpTestSuite();
    ASSERT_TRUE(LoadDefaultPictures());
    EnterDir in(SourceData());
    MatRS_InitProc();
    ASSERT_EQ(MatRS_LoadSbor("base/mat_sbr0.txt"), 1);
    ASSERT_EQ(LoadGeneralModels(), 1);
  }
  static void TearDownTestSuite() {
    MdlGVBO_PreExit();
    RenderTest::TearDownTestSuite();
  }
};
