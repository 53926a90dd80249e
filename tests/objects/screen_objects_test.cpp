// Cameras, screen frames and screen buttons: their records round-trip byte
// for byte and a damaged one loads nothing; the cameras' views by kind on a
// 1024 x 768 screen; steering stays inside the zone and the height band;
// frames and buttons turn; a button keeps its relative place on another
// screen size.
#include <cmath>
#include <cstring>
#include <limits>

#include "render/render.h"
#include "shell/shell.h"
#include "tests/common/temp_dir.h"
#include "tests/objects/record_io.h"
#include "tests/world/world_fixture.h"
#include "ui/ui.h"

namespace {

void SetScreen(int w, int h) {
  Ekran.W = static_cast<uint16_t>(w);
  Ekran.H = static_cast<uint16_t>(h);
  Ekran.W2 = static_cast<uint16_t>(w / 2);
  Ekran.H2 = static_cast<uint16_t>(h / 2);
}

class ScreenObjectsTest : public WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    SetScreen(1024, 768);
    GFrameTime = 1;
    *o3::GameKamHiY = 320;
    *o3::GameKamLowY = 25;
    Glob_GenFOV = 45;
    Glob_GenNear = 2;
    Glog_GenFar = 3000;
  }
  void TearDown() override {
    GFrameTime = 1;
    gMX = gMY = 0;
    WorldTest::TearDown();
  }

  // One object of each type with every saved member away from its default.
  Fgr4* Filled(int type) {
    if (type == 4) {
      Fgr4* h = &FgrHld.fgrs[FgrHld.firstScrFrm];
      auto* s = static_cast<tw_ScrFrm*>(h->body);
      s->angle = 45.5f;
      for (int k = 0; k < 4; ++k) s->ints[k] = 100 + k;
      for (int k = 0; k < 5; ++k) s->floats[k] = 0.1f * (k + 1);
      return h;
    }
    Fgr4* h = Make(type, 2);
    if (!h) return nullptr;
    if (type == 1) {
      auto* c = static_cast<tw_Fotik*>(h->body);
      c->link = &FgrHld.fgrs[FgrHld.firstScrFrm];
      c->float3 = 2.5f;
      for (int k = 0; k < 5; ++k) c->ints[k] = 11 + k;
      c->vp.vpX = 3;
      c->vp.vpY = 4;
      c->vp.mode = 5;
      c->vp.orthoW = 300;
      c->vp.orthoH = 200;
      c->vp.target = vec3(1, 2, 3);
      c->vp.fov = 50;
      c->mb.setMatr(-20, 30, 0);
      c->mb.Pos(1500, 100, 2500);
    } else {
      auto* k = static_cast<tw_Kno*>(h->body);
      for (int i = 0; i < 7; ++i) k->ints[i] = 21 + i;
      k->floats[0] = 8.5f;
      k->Angle() = 123.5f;
      k->RelX() = 0.5f;
      k->RelY() = 0.25f;
      k->ScrX() = 512;  // where loading on this screen puts it
      k->ScrY() = 192;
      k->floats[6] = 14.5f;
    }
    return h;
  }

  // A free handle far from the ones Make hands out.
  Fgr4& FreeSlot() { return FgrHld.fgrs[5000]; }

  TempDir tmp_;  // the log of refused records lands here
};

}  // namespace

TEST_F(ScreenObjectsTest, RecordsRoundTripByteForByte) {
  const struct {
    int type;
    size_t bytes;
  } want[] = {{1, 204}, {3, 56}, {4, 40}};
  for (const auto& w : want) {
    Fgr4* h = Filled(w.type);
    ASSERT_NE(h, nullptr) << w.type;
    std::vector<uint8_t> once = SaveRecord(h);
    EXPECT_EQ(once.size(), kHandleBytes + w.bytes) << w.type;
    ASSERT_EQ(LoadRecord(FreeSlot(), w.type, once), 1) << w.type;
    EXPECT_EQ(SaveRecord(&FreeSlot()), once) << w.type;
    FreeSlot().Sbros();
  }
}

TEST_F(ScreenObjectsTest, LoadedCameraHasItsValuesButNotTheUnsavedOnes) {
  Fgr4* h = Filled(1);
  static_cast<tw_Fotik*>(h->body)->int2 = 7;
  pTekFotik = nullptr;
  ASSERT_EQ(LoadRecord(FreeSlot(), 1, SaveRecord(h)), 1);
  auto* c = static_cast<tw_Fotik*>(FreeSlot().body);
  EXPECT_EQ(pTekFotik, c);
  EXPECT_EQ(c->link, &FgrHld.fgrs[FgrHld.firstScrFrm]);
  EXPECT_EQ(c->int2, 0);
  EXPECT_EQ(c->vp.mode, 5);
  EXPECT_DOUBLE_EQ(c->vp.fov, 50.0);
  EXPECT_FLOAT_EQ(c->mb.posx(), 1500);
  EXPECT_FLOAT_EQ(c->mb.YRot(), 30);
}

TEST_F(ScreenObjectsTest, ADamagedRecordLoadsNothing) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  const RecordDamage damage[] = {
      {1, 0, false, 0, 11500, "link slot outside the holder"},
      {1, 4, true, nan, 0, "float 3 not a number"},
      {1, 16, false, 0, -1, "viewport width negative"},
      {1, 24, false, 0, 7, "projection mode 7"},
      {1, 60, true, inf, 0, "far plane infinite"},
      {1, 84, true, inf, 0, "eye x infinite"},
      {1, 84 + 64, true, nan, 0, "yaw not a number"},
      {3, 32, true, 1e30f, 0, "angle far outside a turn"},
      {3, 36, true, nan, 0, "relative x not a number"},
      {3, 40, true, 1e30f, 0, "relative y far off any screen"},
      {4, 0, true, -5.0f, 0, "angle negative"},
      {4, 24, true, nan, 0, "red not a number"},
  };
  for (const auto& w : {std::pair<int, size_t>{1, 204}, {3, 56}, {4, 40}})
    ExpectDamagedRecordsRefused(Filled(w.first), FreeSlot(), w.second, &FgrHld.fgrs[FgrHld.firstScrFrm], damage,
                                std::size(damage));
}

TEST_F(ScreenObjectsTest, CamerasOnA1024By768Screen) {
  ASSERT_NE(Make(1, 2), nullptr);
  tw_Fotik* game = pTekFotik;
  tw_Fotik* panel = FgrHld.Add_Fotik(4);
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(pTekFotik, game) << "the panel camera is not made current";
  ASSERT_NE(Make(1, 3), nullptr);
  tw_Fotik* top = pTekFotik;
  ASSERT_NE(Make(1, 1), nullptr);
  tw_Fotik* plain = pTekFotik;

  EXPECT_EQ(top->vp.mode, 6);
  EXPECT_EQ(top->vp.vpX, 256);
  EXPECT_EQ(top->vp.vpY, 0);
  EXPECT_EQ(top->vp.vpW, 768);
  EXPECT_EQ(top->vp.vpH, 768);
  EXPECT_DOUBLE_EQ(top->vp.znear, -300);
  EXPECT_DOUBLE_EQ(top->vp.zfar, 300);
  EXPECT_FLOAT_EQ(top->vp.orthoW, 256);
  EXPECT_FLOAT_EQ(top->vp.orthoH, 256);
  EXPECT_DOUBLE_EQ(top->vp.fov, 60) << "unchanged";

  const struct {
    tw_Fotik* cam;
    double fov, znear, zfar;
  } perspective[] = {{game, 60, 2, 3000}, {panel, 45, 2, 3000}, {plain, 60, 1, 200}};
  for (const auto& p : perspective) {
    EXPECT_EQ(p.cam->vp.mode, 0);
    EXPECT_EQ(p.cam->vp.vpX, 0);
    EXPECT_EQ(p.cam->vp.vpW, 1024);
    EXPECT_EQ(p.cam->vp.vpH, 768);
    EXPECT_DOUBLE_EQ(p.cam->vp.aspect, 1024.0 / 768.0);
    EXPECT_DOUBLE_EQ(p.cam->vp.fov, p.fov);
    EXPECT_DOUBLE_EQ(p.cam->vp.znear, p.znear);
    EXPECT_DOUBLE_EQ(p.cam->vp.zfar, p.zfar);
  }
  EXPECT_GT(plain->vp.znear, 0) << "a perspective camera's near plane lies in front of the eye";

  for (tw_Fotik* c : {game, panel, top, plain}) {
    EXPECT_EQ(c->owner->SaveCategory, 4);
    EXPECT_EQ(c->owner->draw, 0);
    EXPECT_FLOAT_EQ(c->float3, 1.0f);
    EXPECT_EQ(c->link, nullptr);
    EXPECT_FLOAT_EQ(c->mb.posx(), 2000);
    EXPECT_FLOAT_EQ(c->mb.posy(), 65);
    EXPECT_FLOAT_EQ(c->mb.posz(), 2001);
    EXPECT_FLOAT_EQ(c->mb.hiY, 320);
    EXPECT_FLOAT_EQ(c->mb.lowY, 25);
    EXPECT_EQ(c->mb.zoneOn, 1);
    EXPECT_FLOAT_EQ(c->mb.zoneMinX, 200);
    EXPECT_FLOAT_EQ(c->mb.zoneMaxZ, 3800);
    EXPECT_FLOAT_EQ(c->mb.Skor(), 0.2f);
    EXPECT_FLOAT_EQ(c->mb.Hf().y, 2);
    float x = 0, y = 0, z = 0;
    c->owner->Event(EV_POSITION, &x, &y, &z);
    EXPECT_FLOAT_EQ(x, 2000);
    EXPECT_FLOAT_EQ(y, 65);
    EXPECT_FLOAT_EQ(z, 2001);
  }
}

TEST_F(ScreenObjectsTest, SteeringKeepsTheEyeInsideTheZoneAndTheHeightBand) {
  ASSERT_NE(Make(1, 2), nullptr);
  tw_Fotik* c = pTekFotik;
  GFrameTime = 100;  // 20 units a step
  c->mb.setMatr(0, 45, 0);
  *o2::SvKvdAlfWaitSta = 7;
  *o2::SvKvdAlfWait = 0;
  c->Move(2, 1.0f);
  EXPECT_EQ(*o2::SvKvdAlfWait, 7) << "a move restarts the ground light's fade wait";
  for (int i = 0; i < 300; ++i) c->Move(2, 1.0f);
  EXPECT_FLOAT_EQ(c->mb.posx(), 3800);
  EXPECT_FLOAT_EQ(c->mb.posz(), 3800);
  for (int i = 0; i < 300; ++i) c->Move(0, 1.0f);
  for (int i = 0; i < 300; ++i) c->Move(2, -1.0f);
  EXPECT_FLOAT_EQ(c->mb.posx(), 200);
  EXPECT_FLOAT_EQ(c->mb.posz(), 200);
  for (int i = 0; i < 50; ++i) c->Move(1, 1.0f);
  EXPECT_FLOAT_EQ(c->mb.posy(), 320);
  for (int i = 0; i < 50; ++i) c->Move(1, -1.0f);
  EXPECT_FLOAT_EQ(c->mb.posy(), 25);

  c->mb.setMatr(-60, 0, 0);
  for (int i = 0; i < 300; ++i) c->Move2D(2, 1.0f);
  EXPECT_FLOAT_EQ(c->mb.posy(), 25) << "a ground-plane move keeps the height";
  EXPECT_FLOAT_EQ(c->mb.posz(), 3800);

  // Turning with the pointer held at a corner: the pitch stops at +-88.
  gMX = gMY = 0;
  for (int i = 0; i < 5; ++i) c->Rotate(1, 3.0f, -2.0f);
  EXPECT_FLOAT_EQ(c->mb.XRot(), -88);
  gMY = 768;
  for (int i = 0; i < 5; ++i) c->Rotate(1, 3.0f, -2.0f);
  EXPECT_FLOAT_EQ(c->mb.XRot(), 88);
  EXPECT_GE(c->mb.YRot(), 0);
  EXPECT_LT(c->mb.YRot(), 360);

  tw_Fotik freeBody;  // a free slot: nothing moves
  freeBody.mb.Pos(1, 2, 3);
  freeBody.Move(2, 1.0f);
  freeBody.Move2D(0, 1.0f);
  freeBody.Rotate(1, 3.0f, -2.0f);
  EXPECT_FLOAT_EQ(freeBody.mb.posz(), 3);
  EXPECT_FLOAT_EQ(freeBody.mb.XRot(), 0);
}

TEST_F(ScreenObjectsTest, FramesAndButtonsTurnWithinATurn) {
  Fgr4* frameH = &FgrHld.fgrs[FgrHld.firstScrFrm];
  auto* frame = static_cast<tw_ScrFrm*>(frameH->body);
  Fgr4* knoH = Make(3, 1);
  ASSERT_NE(knoH, nullptr);
  auto* kno = pTekKno;
  EXPECT_FLOAT_EQ(kno->Angle(), 1.0f);
  EXPECT_EQ(knoH->SaveCategory, 1);
  EXPECT_EQ(knoH->draw, 1);

  int mode = 2, ex = 0;
  frame->angle = 10;
  kno->Angle() = 10;
  frameH->Event(EV_UPD, &mode, &ex);
  knoH->Event(EV_UPD, &mode, &ex);
  EXPECT_FLOAT_EQ(frame->angle, 10) << "a frame turns only with ex";
  EXPECT_NEAR(kno->Angle(), 10.07f, 1e-4) << "a button turns whatever ex says";

  ex = 1;
  frame->angle = 359.99f;
  kno->Angle() = 359.99f;
  frameH->Event(EV_UPD, &mode, &ex);
  knoH->Event(EV_UPD, &mode, &ex);
  EXPECT_NEAR(frame->angle, 0.06f, 1e-3);
  EXPECT_NEAR(kno->Angle(), 0.06f, 1e-3);
  frame->angle = 359.93f;
  frameH->Event(EV_UPD, &mode, &ex);
  EXPECT_GE(frame->angle, 0.0f);
  EXPECT_LT(frame->angle, 360.0f);

  knoH->Event(EV_DEACT);
  EXPECT_EQ(knoH->active, 0);
  knoH->Kill(1);
  EXPECT_EQ(Fgr4W.Kno.InUse(), 0);
}

TEST_F(ScreenObjectsTest, AButtonKeepsItsRelativePlaceOnAnotherScreen) {
  Fgr4* h = Filled(3);
  std::vector<uint8_t> bytes = SaveRecord(h);
  SetScreen(800, 600);
  ASSERT_EQ(LoadRecord(FreeSlot(), 3, bytes), 1);
  auto* k = static_cast<tw_Kno*>(FreeSlot().body);
  EXPECT_FLOAT_EQ(k->ScrX(), 400);
  EXPECT_FLOAT_EQ(k->ScrY(), 150);
  EXPECT_FLOAT_EQ(k->RelX(), 0.5f);
  EXPECT_EQ(pTekKno, k);
}
