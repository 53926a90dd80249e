// The scene objects on real GL frames of the default data set: every kind
// that draws shows its shape where it stands, and the flare's occlusion test
// reads the depth buffer (seen it brightens, hidden or far it only fades).
#include "objects/unithelp.h"
#include "objects/unitlists.h"
#include "tests/render/scene_helpers.h"
#include "objects/modesglue.h"
#include "tests/world/world_fixture.h"
#include "world/world.h"

namespace {

const vec3 kEye(1000, 30, 1060);
const vec3 kTarget(1000, 8, 1000);

class SceneGLTest : public DefaultSceneTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    FreshWorldWithNewBase();
    GFrameTime = 10;
    *o2::UseVBO = 1;
    *o2::GL_PushClientAll = 0;
    *o2::TestFgrDrawStolb = 1;
    *o2::TestFgrDrawFlare = 1;
    *o2::TestFgrDekMesh = 51;  // the default data set's tree
    *o2::TestFgrDekTex = 52;
    *o2::AktivIPPI = 4;
    Glob_KamOptimBoxP = kTarget;
    Glob_KamOptimBoxG = vec3(300, 300, 300);
    PlayerSelected_Now = 0;
  }
  void TearDown() override {
    glob_nowVPKam = nullptr;
    PlayerSelected_Now = 0;
    *o2::AktivIPPI = 0;
    GFrameTime = 1;
  }

  // Makes an object and returns its body.
  template <class T>
  T* Made(int type, int kind = 0) {
    EXPECT_EQ(FgrHld.AddWrk(type, kind, 1), 1) << type;
    Fgr4* h = nullptr;
    switch (type) {
#define CASE(code, Name, capacity) \
  case code:                       \
    h = pTek##Name ? pTek##Name->owner : nullptr; \
    break;
      VELMAR_OBJECT_TYPES(CASE)
#undef CASE
    }
    return h ? static_cast<T*>(h->body) : nullptr;
  }
  void Select(Fgr4* h) {
    PlayerSelected_[++PlayerSelected_Now] = h;
  }

  // One game frame: the camera, a scene light, the objects' updates and
  // draw orders, optionally a grey wall across the view at z, and the
  // render machine.
  void Frame(vec3 eye = kEye, float wallZ = 0) {
    BeginSceneFrame(cam, eye, kTarget, kTarget + vec3(0, 30, 30));
    StartOfClearDraw1();
    if (wallZ != 0) {
      TexMat(0, -1, 0, -1, 0);
      ColorMatF(1, 0.25f, 0.25f, 0.25f);
      glBegin(GL_QUADS);
      glVertex3f(900, -50, wallZ);
      glVertex3f(1100, -50, wallZ);
      glVertex3f(1100, 100, wallZ);
      glVertex3f(900, 100, wallZ);
      glEnd();
      ColorMat(0, 255, 255, 255);
    }
    FgrHld.Update(2, 1);
    FgrHld.DrawZkz(0, 1);
    RenderM._Run(&cam);
  }
  Rgba At(vec3 p) { return PixelAt(p, cam); }

  t_VPortKam cam;
};

}  // namespace

TEST_F(SceneGLTest, AFrameShowsEveryKindThatDraws) {
  // A post of variant 0 on the left, a tree, a shot across the right, smoke,
  // a snowflake of a sector, selected markers and a command point.
  test1PointVec = vec3(975, 0, 1000);
  tw_Stolb* post = Made<tw_Stolb>(8, 0);
  ASSERT_NE(post, nullptr);
  post->PosUpd(975, 0, 1000);
  test1PointVec = vec3(990, 0, 1015);
  ASSERT_NE(Made<tw_Dekor>(17), nullptr);
  DekorCrt_Laser(vec3(1005, 2, 1000), vec3(1025, 2, 1000), 0, 255);
  ASSERT_NE(pTekLaser, nullptr);
  tw_Smoke* smoke = Made<tw_Smoke>(12);
  smoke->mb.Pos(1012, 4, 1025);
  tw_Sektor* sector = Made<tw_Sektor>(19);
  sector->mb.Pos(1000, 0, 1000);
  sector->mb.setGbr(100, 5, 100);
  tw_Snow* flake = Made<tw_Snow>(11, 1);
  flake->fgrSectorSet(sector->owner);
  flake->x = 997, flake->y = 22, flake->z = 1030;
  tw_TailStrip* tail = Made<tw_TailStrip>(16);
  tail->p.m.mb.Pos(985, 4, 1030);
  Select(tail->owner);
  tw_Kmd3* point = Made<tw_Kmd3>(2);
  point->owner->draw = 1;  // as its loaded record would say
  point->mb.Pos(1022, 0, 1025);
  Select(point->owner);
  tw_Boom* boom = Made<tw_Boom>(13);
  boom->owner->draw = 1;
  boom->p.mb.Pos(1008, 12, 1030);
  boom->p.colourFlag = 2;
  Select(boom->owner);
  tw_Flr2* flare = Made<tw_Flr2>(7, 1);
  flare->mb.Pos(1000, 25, 990);

  Frame();
  ASSERT_EQ(Sum(At(vec3(950, 0, 900))), 0) << "an empty spot stays black";
  EXPECT_GT(Sum(At(vec3(975, 2, 1000))), 60) << "the post's body";
  EXPECT_GT(Sum(At(vec3(975, 12.0f, 1000))), 60) << "the post's cap";
  EXPECT_GT(Sum(At(vec3(990, 1.5f, 1015))), 30) << "the tree's trunk";
  EXPECT_GT(Sum(At(vec3(1015, 2, 1000))), 60) << "the beam";
  EXPECT_GT(Sum(At(vec3(1025, 2, 1000))), 60) << "the impact";
  EXPECT_GT(Sum(At(Plit_GetOporaPos(smoke->mb.Pos()).ay(2))), 30) << "the smoke lying low";
  EXPECT_GT(Sum(At(flake->Pos())), 60) << "the snowflake";
  EXPECT_GT(Sum(At(vec3(985, 4, 1030))), 60) << "the tail marker's sprite";
  EXPECT_GT(Sum(At(vec3(985, 10, 1030))), 60) << "the tail marker's box";
  EXPECT_GT(Sum(At(vec3(1022, 6, 1025))), 60) << "the command point's box";
  EXPECT_GT(Sum(At(vec3(1008, 18, 1030))), 60) << "the explosion's box";
  EXPECT_GT(Sum(ReadRgba(flare->scrX, flare->scrY)), 60) << "the flare's glow";
  const vec3 trigMark(1018, 1.5f, 1010);
  EXPECT_EQ(Sum(At(trigMark)), 0) << "the trigger's spot, empty so far";

  // In the editor a trigger stands as an upright mark.
  *o2::AktivIPPI = 5;
  tw_Trig1* trig = Made<tw_Trig1>(10);
  trig->mb.Pos(trigMark.x, 0, trigMark.z);
  Frame();
  EXPECT_GT(Sum(At(trigMark)), 60) << "the trigger";
}

TEST_F(SceneGLTest, AFlareSeenBrightensHiddenOrFarItOnlyFades) {
  tw_Flr2* f = Made<tw_Flr2>(7, 1);
  f->mb.Pos(1000, 20, 1000);
  float last = f->brightness;
  for (int i = 0; i < 5; ++i) {
    Frame();
    EXPECT_GT(f->brightness, last);
    last = f->brightness;
  }
  int x = 0, y = 0;
  ASSERT_EQ(GetPointToEkran(f->mb.Pos(), x, y, &cam), 1);
  EXPECT_EQ(f->scrX, x);
  EXPECT_EQ(f->scrY, y);
  const int seen = Sum(ReadRgba(x, y));
  EXPECT_GT(seen, 150);

  // A wall between the eye and the flare: the depth read finds it nearer.
  const int wall = 3 * Byte(0.25);
  int frames = 0;
  for (; frames < 200 && f->brightness >= 0.05f; ++frames) {
    Frame(kEye, 1030);
    EXPECT_LT(f->brightness, last);
    last = f->brightness;
    EXPECT_EQ(f->scrX, x) << "it stays where it was last seen";
  }
  EXPECT_GT(frames, 3);
  EXPECT_LT(frames, 200);
  Frame(kEye, 1030);
  EXPECT_NEAR(Sum(ReadRgba(x, y)), wall, 6) << "faded out: the wall alone";

  // Seen again it comes back; then from 100 away it fades too.
  for (int i = 0; i < 20; ++i) Frame();
  EXPECT_GT(f->brightness, 0.2f);
  last = f->brightness;
  Frame(vec3(1000, 30, 1100));
  EXPECT_GT(f->distance, 80.0f);
  EXPECT_LT(f->brightness, last);
}
