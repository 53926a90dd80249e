// Real GL frames of world objects: a fresh world on the flat test terrain
// with an empty selection, a camera, and frames in which every object's draw
// event fills the render queues (their counts and the model passes called
// back are kept) before the render machine empties them; picking and pixels
// at world points.
#pragma once

#include "objects/modesglue.h"
#include "tests/render/scene_helpers.h"
#include "tests/world/terrain_fixture.h"
#include "tests/world/world_fixture.h"

// The frames' clear colour (blue).
inline bool IsClearColour(Rgba p) { return p.r < 8 && p.g < 8 && p.b > 247; }

class ObjDrawTest : public DefaultSceneTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    FreshWorldWithNewBase();
    ResetTerrain();
    PlayerSelectedReset();
    PlayerFgrUnderKur = nullptr;
  }
  void TearDown() override {
    glob_nowVPKam = nullptr;
    PlayerSelectedReset();
    FgrHld.Sbros();
    Fgr4W.Sbros();
    pMainScrFrm = nullptr;
  }

  void Camera(vec3 eye, vec3 target) {
    SetUpCamera(cam, eye, target, 60, 1, 600);
    glob_nowVPKam = &cam;
    Fru1.Update();
  }

  void Frame() {
    for (int& p : passes) p = 0;
    Fgr4_EventTrace = [](Fgr4*, int code, void* a, void*, void*, void*) {
      if (code == EV_RENDER && a && *static_cast<uint16_t*>(a) < 4) ++passes[*static_cast<uint16_t*>(a)];
    };
    RenderM._ResetOnStartNewLap();
    glClearColor(0, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    StartOfClearDraw1();
    FgrHld.DrawZkz(0, 1);
    queuedModels = RenderM.mdl[0].gNow();
    queuedBoxes = RenderM.box.gNow();
    for (int w = 0; w < 4; ++w) queuedWire[w] = RenderM.wire[w].gNow(), queuedLines[w] = RenderM.line[w].gNow();
    RenderM._Run(&cam);
    Fgr4_EventTrace = nullptr;
  }

  Fgr4* PickAt(vec3 p) {
    int x = 0, y = 0;
    EXPECT_EQ(GetPointToEkran(p, x, y, &cam), 1);
    return OGL_SelectOneObj(0, x, y, &cam, 3, 3);
  }

  Rgba At(vec3 p) { return PixelAt(p, cam); }

  // Model passes called back in the last frame, by pass number 0..3.
  static inline int passes[4] = {};
  t_VPortKam cam;
  int queuedModels = 0, queuedBoxes = 0, queuedWire[4] = {}, queuedLines[4] = {};
};
