// The command post, the technology box and the three buildings on real GL
// frames of the default data set: each shows its shape where it stands, in
// its side's colours where it should; an enemy bunker outside every sight
// circle is neither drawn nor picked, and is both once it is seen.
#include "objects/objects.h"
#include "objects/modesglue.h"
#include "tech/tech.h"
#include "tests/render/scene_helpers.h"
#include "tests/world/world_fixture.h"
#include "world/world.h"
#include "tests/common/lists_lap.h"

namespace {

const vec3 kEye(1000, 120, 1250);
const vec3 kTarget(1000, 10, 1000);

class ForcesGLTest : public DefaultSceneTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    FreshWorldWithNewBase();
    walkabil_Init();
    GFrameTime = 10;
    *o2::UseVBO = 1;
    *o2::GL_PushClientAll = 0;
    *o2::TestFgrDrawUnit = 1;
    *o2::TestFgrDrawDom = 1;
    *o2::AktivIPPI = 4;
    Glob_KamOptimBoxP = kTarget;
    Glob_KamOptimBoxG = vec3(400, 400, 400);
    PlayerSelected_Now = 0;
    PlayerFgrUnderKur = nullptr;
  }
  void TearDown() override {
    glob_nowVPKam = nullptr;
    PlayerSelected_Now = 0;
    *o2::AktivIPPI = 0;
    GFrameTime = 1;
    walkabil_Init();
  }

  template <class T>
  T* Made(int type, vec3 at, int side) {
    test1PointVec = at;
    EXPECT_EQ(FgrHld.AddWrk(type, 1, 1), 1) << type;
    T* b = nullptr;
    switch (type) {
      case 21: b = reinterpret_cast<T*>(pTekKomTehBox); break;
      case 23: b = reinterpret_cast<T*>(pTekKomPult); break;
      case 24: b = reinterpret_cast<T*>(pTekDom); break;
      case 25: b = reinterpret_cast<T*>(pTekDomXBunk); break;
      case 26: b = reinterpret_cast<T*>(pTekDomXEner); break;
    }
    b->mb.Pos(at);
    return b;
  }

  // One game frame: the camera, a light over the scene, the lists emptied,
  // the objects' updates and draw orders, and the render machine.
  void Frame() {
    BeginSceneFrame(cam, kEye, kTarget, kTarget + vec3(0, 80, 120));
    StartOfClearDraw1();
    UnitListsStartLap();
    FgrHld.Update(2, 1);
    FgrHld.DrawZkz(0, 1);
    RenderM._Run(&cam);
  }
  Rgba At(vec3 p) { return PixelAt(p, cam); }
  Fgr4* PickAt(vec3 p) {
    int x = 0, y = 0;
    EXPECT_EQ(GetPointToEkran(p, x, y, &cam), 1);
    return OGL_SelectOneObj(0, x, y, &cam, 3, 3);
  }

  t_VPortKam cam;
};

}  // namespace

TEST_F(ForcesGLTest, AFrameShowsEveryForcesType) {
  auto* ener = Made<tw_DomXEner>(26, vec3(900, 0, 1000), 1);
  ener->side = 1;
  auto* bunker = Made<tw_DomXBunk>(25, vec3(980, 0, 1000), 1);
  bunker->side = 1;
  auto* dom = Made<tw_Dom>(24, vec3(1060, 0, 1000), 1);
  dom->side = 1;
  auto* post = Made<tw_KomPult>(23, vec3(1110, 10, 1000), 1);
  post->side = 1;
  auto* box = Made<tw_KomTehBox>(21, vec3(1135, 10, 1000), 2);
  box->baner = 2;

  Frame();
  EXPECT_EQ(Sum(At(vec3(1000, 0, 900))), 0) << "an empty spot stays black";
  EXPECT_GT(Sum(At(vec3(900, 8, 1000))), 60) << "the energy building's tower";
  EXPECT_GT(Sum(At(vec3(900, 3, 1028))), 60) << "the energy building's pipes";
  EXPECT_GT(Sum(At(vec3(980, 5, 1000))), 60) << "the bunker's body";
  EXPECT_GT(Sum(At(vec3(980, 25, 1000))), 60) << "the bunker's mast";
  const Rgba flag = At(vec3(998, 31.5f, 1014));
  EXPECT_GT(flag.b, 150) << "the flag in side 1's blue";
  EXPECT_LT(flag.r, 60);
  EXPECT_GT(Sum(At(vec3(1060, 6, 1000))), 60) << "the house";
  const Rgba postBox = At(vec3(1110, 10, 1000));
  EXPECT_GT(postBox.b, 150) << "the post in its side's colour";
  const Rgba cross = At(vec3(1135, 10, 1000));
  EXPECT_GT(cross.r, 100) << "the technology box's cross in banner 2's colour";
  EXPECT_LT(cross.g, 60);

  // Each is picked where it stands.
  EXPECT_EQ(PickAt(vec3(980, 5, 1000)), bunker->owner);
  EXPECT_EQ(PickAt(vec3(1135, 10, 1000)), box->owner);
  EXPECT_EQ(PickAt(vec3(1110, 10, 1000)), post->owner);
}

TEST_F(ForcesGLTest, AnUnseenEnemyBunkerIsNeitherDrawnNorPicked) {
  auto* bunker = Made<tw_DomXBunk>(25, vec3(1000, 0, 1000), 2);
  bunker->side = 2;
  Frame();
  EXPECT_EQ(bunker->seen, 0);
  EXPECT_EQ(Sum(At(vec3(1000, 5, 1000))), 0) << "not drawn";
  EXPECT_EQ(PickAt(vec3(1000, 5, 1000)), nullptr) << "not picked";

  // A building of the local side nearby sees it.
  auto* dom = Made<tw_Dom>(24, vec3(1080, 0, 1060), 1);
  dom->side = 1;
  Frame();
  Frame();
  EXPECT_EQ(bunker->seen, 1);
  EXPECT_GT(Sum(At(vec3(1000, 5, 1000))), 60);
  EXPECT_EQ(PickAt(vec3(1000, 5, 1000)), bunker->owner);
}
