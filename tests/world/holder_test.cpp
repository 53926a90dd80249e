// The object holder: slot searches, creation, the update pass and its work
// lists, killed slots, the draw pass and the level reset.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/world/world_fixture.h"

using HolderTest = WorldTest;

TEST_F(HolderTest, NewBaseHasTwoScreenFramesInNoList) {
  EXPECT_EQ(FgrHld.firstScrFrm, 256);
  Fgr4& menu = FgrHld.fgrs[256];
  Fgr4& game = FgrHld.fgrs[257];
  ASSERT_EQ(menu.WrkNom(), 4);
  ASSERT_EQ(game.WrkNom(), 4);
  auto* m = static_cast<tw_ScrFrm*>(menu.body);
  auto* g = static_cast<tw_ScrFrm*>(game.body);
  EXPECT_EQ(m->ints[1], static_cast<int>(int4simb("Menu")));
  EXPECT_EQ(g->ints[1], static_cast<int>(int4simb("Game")));
  EXPECT_FLOAT_EQ(m->floats[3], 0.9f);
  EXPECT_EQ(pMainScrFrm, g);
  EXPECT_EQ(menu.linkB, nullptr);
  EXPECT_EQ(menu.SaveCategory, 0);
  EXPECT_EQ(menu.draw, 0);
  for (const WorkList& l : FgrHld.lists) EXPECT_TRUE(l.empty());
  EXPECT_EQ(FgrHld.SetFirstScrFrm(), 1);
  EXPECT_EQ(pMainScrFrm, m);
}

TEST_F(HolderTest, FirstScreenFrameMustBeAGeneralSlot) {
  FgrHld.firstScrFrm = 255;
  EXPECT_EQ(FgrHld.SetFirstScrFrm(), 0);
  FgrHld.firstScrFrm = 300;  // empty slot
  EXPECT_EQ(FgrHld.SetFirstScrFrm(), 0);
}

TEST_F(HolderTest, SlotRangesAndLookups) {
  EXPECT_EQ(FgrHld.Init0(11500), 0);
  EXPECT_EQ(FgrHld.pFgrFromLogNom(0), nullptr);
  EXPECT_EQ(FgrHld.pFgrFromLogNom(-4), nullptr);
  EXPECT_EQ(FgrHld.pFgrFromLogNom(11500), nullptr);
  EXPECT_EQ(FgrHld.pFgrFromLogNom(11499), &FgrHld.fgrs[11499]);
  for (int i = 0; i < 11500; i += 997) EXPECT_EQ(FgrHld.fgrs[i].logNom, i);

  Fgr4* elite = nullptr;
  ASSERT_EQ(FgrHld.AddWrkNetElit(17, 0, 1), 1);
  elite = pTekDekor->owner;
  EXPECT_EQ(elite->logNom, 2);
  Fgr4* general = Make(17);
  EXPECT_GE(general->logNom, 256);
}

TEST_F(HolderTest, HolderSizeLimits) {
  t_FgrHld h;
  EXPECT_EQ(h.Init0(511), 0);
  EXPECT_EQ(h.Init0(20501), 0);
  EXPECT_EQ(h.Init0(512), 1);
  EXPECT_EQ(h.klv, 512);
}

TEST_F(HolderTest, NothingIsMadeWithoutAMainFrame) {
  pMainScrFrm = nullptr;
  EXPECT_EQ(FgrHld.AddWrk(17, 0, 1), 0);
  EXPECT_EQ(FgrHld.AddWrkNetElit(17, 0, 1), 0);
  EXPECT_EQ(FgrHld.Add_Fotik(4), nullptr);
  int n = FgrHld.Add_ScrFrm(0);
  EXPECT_GE(n, 256);
  EXPECT_EQ(FgrHld.fgrs[n].WrkNom(), 4);
}

TEST_F(HolderTest, UnitsNeedAValidPreset) {
  EXPECT_EQ(FgrHld.AddWrk(27, 2, 1), 0);
  EXPECT_EQ(FgrHld.AddWrkNetElit(27, 2, 1), 0);
  LoadDefaultUnitTables();
  EXPECT_EQ(FgrHld.AddWrk(27, 2, 1), 1);
  EXPECT_EQ(FgrHld.AddWrkNetElit(27, 2, 1), 1);
  EXPECT_EQ(FgrHld.AddWrk(27, 5, 1), 0);
  EXPECT_EQ(FgrHld.AddWrkNetElit(27, 5, 1), 0);
  EXPECT_EQ(FgrHld.AddWrk(0, 2, 1), 0);
  EXPECT_EQ(FgrHld.AddWrk(28, 2, 1), 0);
}

TEST_F(HolderTest, ScreenFrameThroughAddWrkStopsTheProgramButIsMade) {
  EXPECT_EQ(FgrHld.AddWrk(4, 0, 1), 1);
  EXPECT_EQ(Main_Done, 1);
  for (const WorkList& l : FgrHld.lists) EXPECT_TRUE(l.empty());
}

TEST_F(HolderTest, CamerasGoIntoTheirList) {
  tw_Fotik* cam = FgrHld.Add_Fotik(4);
  ASSERT_NE(cam, nullptr);
  EXPECT_EQ(FgrHld.lists[2].size(), 1u);
  EXPECT_EQ(FgrHld.lists[2][0], cam->owner);
  EXPECT_EQ(cam->owner->SaveCategory, 4);
}

TEST_F(HolderTest, UpdatePassOrder) {
  Fgr4* unit = Make(24);     // list 5
  Fgr4* kmd = Make(2);       // list 0
  Fgr4* sektor = Make(19);   // list 4
  Fgr4* kno = Make(3);       // list 1
  Fgr4* cam = Make(1);       // list 2
  Fgr4* land = FgrHld.GetFreeNext_(1);  // list 3 (the terrain holder answers no creation)
  ASSERT_EQ(land->Init(20, 0, 0, nullptr), 1);
  FgrHld.VvdAddTo_xJob(20, land);
  Fgr4* laser = Make(15);    // list 5
  script.seen.clear();
  FgrHld.Update(2, 1);

  std::vector<std::pair<int, int>> got;
  for (const EventRec& e : script.seen) got.push_back({e.slot, e.code});
  std::vector<std::pair<int, int>> want = {
      {kmd->logNom, 3},  {kno->logNom, 3},  {cam->logNom, 3},  {land->logNom, 3},
      {sektor->logNom, 3}, {kmd->logNom, 4}, {kno->logNom, 4}, {cam->logNom, 4},
      {land->logNom, 4}, {sektor->logNom, 4}, {unit->logNom, 3}, {laser->logNom, 3},
      {unit->logNom, 4}, {laser->logNom, 4}, {kmd->logNom, 57}, {kno->logNom, 57},
      {cam->logNom, 57}, {land->logNom, 57}, {sektor->logNom, 57}, {unit->logNom, 57},
      {laser->logNom, 57}};
  EXPECT_EQ(got, want);
}

TEST_F(HolderTest, UpdateArgumentsReachTheObjects) {
  Make(15);
  int seenA = -1, seenB = -1;
  script.seen.clear();
  Fgr4_EventTrace = [](Fgr4*, int code, void* a, void* b, void*, void*) {
    if (code == EV_UPD_SELF) {
      gScript->seen.push_back({*static_cast<int*>(a), *static_cast<int*>(b)});
    }
  };
  FgrHld.Update(0, 1);
  ASSERT_EQ(script.seen.size(), 1u);
  seenA = script.seen[0].slot;
  seenB = script.seen[0].code;
  EXPECT_EQ(seenA, 0);
  EXPECT_EQ(seenB, 1);
}

TEST_F(HolderTest, ObjectsMadeDuringThePassJoinItBehindTheirMaker) {
  Fgr4* maker = Make(24);
  Fgr4* made = nullptr;
  script.act = [&](Fgr4* h, int code) {
    if (h == maker && code == EV_UPD_SELF && !made) made = Make(13);
  };
  FgrHld.Update(2, 1);
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(CodesOf(made->logNom), (std::vector<int>{3, 4, 57}));
}

TEST_F(HolderTest, FrozenObjectsGetOnlyLinkDropAndDraw) {
  Fgr4* h = Make(17);
  h->freeze = 1;
  FgrHld.Update(2, 1);
  FgrHld.DrawZkz(0, 1);
  EXPECT_EQ(CodesOf(h->logNom), (std::vector<int>{57, 6}));
}

TEST_F(HolderTest, DrawPassSkipsObjectsWithoutTheDrawFlag) {
  Fgr4* drawn = Make(17);
  Fgr4* cam = Make(1);  // cameras are not drawn
  Fgr4* hidden = Make(17);
  hidden->draw = 0;
  FgrHld.DrawZkz(3, 1);
  EXPECT_EQ(CodesOf(drawn->logNom), std::vector<int>{6});
  EXPECT_TRUE(CodesOf(cam->logNom).empty());
  EXPECT_TRUE(CodesOf(hidden->logNom).empty());
}

TEST_F(HolderTest, SelfKilledSlotIsBlockedForThePassAndFreeAfterIt) {
  Fgr4* shot = Make(15);
  Fgr4* later = Make(24);  // listed behind the shot
  int shotSlot = shot->logNom;
  bool checked = false;
  script.act = [&](Fgr4* h, int code) {
    if (h == shot && code == EV_UPD_SELF && h->Status()) h->Kill(1);
    if (h == later && code == EV_UPD) {
      // Within the pass the dead shot's slot is never handed out.
      EXPECT_LT(shot->wrkNom, 0);
      Fgr4* f = FgrHld.GetFree_(0);
      ASSERT_NE(f, nullptr);
      EXPECT_NE(f->logNom, shotSlot);
      Fgr4* made = Make(13);
      ASSERT_NE(made, nullptr);
      EXPECT_NE(made->logNom, shotSlot);
      checked = true;
    }
  };
  FgrHld.Update(2, 1);
  EXPECT_TRUE(checked);
  EXPECT_EQ(shot->wrkNom, 0);
  EXPECT_EQ(FgrHld.GetFree_(0), shot);  // the lowest free general slot again
  for (const WorkList& l : FgrHld.lists)
    EXPECT_EQ(std::count(l.begin(), l.end(), shot), 0);
}

TEST_F(HolderTest, EveryLaserShotGetsASlot) {
  // A shot lives for one update and kills itself; more shots than the holder
  // has slots must all be made.
  script.act = [](Fgr4* h, int code) {
    if (h->WrkNom() == 15 && code == EV_UPD_SELF) h->Kill(1);
  };
  for (int i = 0; i < 25000; ++i) {
    ASSERT_EQ(FgrHld.AddWrk(15, 0, 0), 1) << "shot " << i;
    FgrHld.Update(2, 1);
    script.seen.clear();
  }
  EXPECT_EQ(Fgr4W.Laser.InUse(), 0);
}

TEST_F(HolderTest, ObjectKilledByALaterOneIsFreedAtTheEndOfThePass) {
  Fgr4* victim = Make(24);
  Fgr4* killer = Make(13);
  script.act = [&](Fgr4* h, int code) {
    if (h == killer && code == EV_UPD && victim->Status()) victim->Kill(1);
  };
  FgrHld.Update(2, 1);
  EXPECT_EQ(victim->wrkNom, 0);
  EXPECT_EQ(CodesOf(victim->logNom), (std::vector<int>{3, 4}));  // no 57: dead by then
  // Its slot taken again, the new object is listed once and updated once.
  ASSERT_EQ(victim->Init(17, 0, 0, nullptr), 1);
  FgrHld.VvdAddTo_xJob(17, victim);
  script.act = nullptr;
  script.seen.clear();
  FgrHld.Update(2, 1);
  EXPECT_EQ(CodesOf(victim->logNom), (std::vector<int>{3, 4, 57}));
}

TEST_F(HolderTest, FailedCreationLeavesNoEntryBehind) {
  // Fill the car pool; the next car fails in slot 2 of the reserved range.
  for (int i = 0; i < 14; ++i) ASSERT_EQ(FgrHld.AddWrkNetElit(5, 2, 0), 1);
  size_t listed = FgrHld.lists[5].size();
  EXPECT_EQ(FgrHld.AddWrkNetElit(5, 2, 0), 0);
  EXPECT_EQ(FgrHld.lists[5].size(), listed);
  // The same slot goes to the next object, which is updated once per pass.
  ASSERT_EQ(FgrHld.AddWrkNetElit(13, 0, 1), 1);
  Fgr4* boom = pTekBoom->owner;
  EXPECT_EQ(boom->logNom, 16);
  FgrHld.Update(2, 1);
  EXPECT_EQ(CodesOf(boom->logNom), (std::vector<int>{3, 4, 57}));
}

TEST_F(HolderTest, ListsReuseEmptyEntriesAndAreRebuiltFromTheMainFrame) {
  Fgr4* a = Make(17);
  Fgr4* b = Make(17);
  a->Kill(1);
  FgrHld.Update(2, 1);
  ASSERT_EQ(FgrHld.lists[5].size(), 2u);
  EXPECT_EQ(FgrHld.lists[5][0], nullptr);
  Fgr4* c = Make(17);
  EXPECT_EQ(FgrHld.lists[5][0], c);

  FgrHld.VvdSbros();
  SetMainScrFrm(pMainScrFrm);
  EXPECT_EQ(FgrHld.lists[5].size(), 2u);
  EXPECT_NE(std::find(FgrHld.lists[5].begin(), FgrHld.lists[5].end(), b),
            FgrHld.lists[5].end());

  // Objects of another frame are not listed.
  b->linkB = nullptr;
  VvdFillMainScrFrm();
  EXPECT_EQ(FgrHld.lists[5].size(), 1u);
}

TEST_F(HolderTest, LevelResetKeepsFramesBaseObjectsAndCameras) {
  LoadDefaultUnitTables();
  Fgr4* kno = Make(3);        // category 1
  Fgr4* dekor = Make(17);     // 2
  Fgr4* unit = Make(27, 2);   // 3
  Fgr4* snow = Make(11);      // 4
  Fgr4* cam = Make(1);        // 4, a camera
  tw_Fotik* camBody = pTekFotik;
  FgrHld.ResetEtapFgr();
  EXPECT_TRUE(kno->Status());
  EXPECT_FALSE(dekor->Status());
  EXPECT_FALSE(unit->Status());
  EXPECT_FALSE(snow->Status());
  EXPECT_TRUE(cam->Status());
  EXPECT_EQ(camBody->owner, cam);
  EXPECT_EQ(FgrHld.fgrs[256].WrkNom(), 4);
  EXPECT_EQ(FgrHld.fgrs[257].WrkNom(), 4);
  // The cleared slots are free once the next pass is over.
  FgrHld.Update(2, 1);
  EXPECT_EQ(dekor->wrkNom, 0);
  EXPECT_EQ(unit->wrkNom, 0);
  EXPECT_EQ(snow->wrkNom, 0);
}

// A level reset frees every slot and body it kills: lights (whose type has
// no kill step) and the level objects of a screen frame that is not the main
// one. Levels can be built again and again.
TEST_F(HolderTest, LevelResetsFreeEverySlotTheyKill) {
  const int lights = Fgr4W_Capacity(9) - 1 - 40;  // most of the light pool each level
  for (int level = 0; level < 4; ++level) {
    SCOPED_TRACE(level);
    for (int k = 0; k < lights; ++k) ASSERT_NE(Make(9), nullptr) << k;
    EXPECT_EQ(Fgr4W.Svet1.InUse(), lights);
    FgrHld.ResetEtapFgr();
    EXPECT_EQ(Fgr4W.Svet1.InUse(), 0);
  }
  // Decorations made while the game frame is main, reset while the menu frame is.
  tw_ScrFrm* game = pMainScrFrm;
  tw_ScrFrm* menu = static_cast<tw_ScrFrm*>(FgrHld.fgrs[FgrHld.firstScrFrm].body);
  ASSERT_NE(game, menu);
  const int decorations = Fgr4W_Capacity(17) - 1;
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    SetMainScrFrm(game);
    for (int k = 0; k < decorations; ++k) ASSERT_NE(Make(17), nullptr) << k;
    SetMainScrFrm(menu);
    FgrHld.ResetEtapFgr();
    EXPECT_EQ(Fgr4W.Dekor.InUse(), 0);
    int blocked = 0;
    for (int i = 1; i < FgrHld.klv; ++i) blocked += FgrHld.fgrs[i].wrkNom < 0;
    EXPECT_EQ(blocked, 0);
  }
}

// A reset during the update pass (a handler that starts a new level) keeps
// the killed slots blocked until the pass is over, then frees them.
TEST_F(HolderTest, ResetDuringAPassFreesItsSlotsAtTheEnd) {
  Fgr4* trigger = Make(10);
  Fgr4* light = Make(9);
  const int lightSlot = light->logNom;
  script.act = [&](Fgr4* h, int code) {
    if (h == trigger && code == EV_UPD_SELF) {
      FgrHld.ResetEtapFgr();
      EXPECT_LT(FgrHld.fgrs[lightSlot].wrkNom, 0) << "blocked within the pass";
    }
  };
  FgrHld.Update(2, 1);
  EXPECT_EQ(FgrHld.fgrs[lightSlot].wrkNom, 0);
  EXPECT_EQ(trigger->wrkNom, 0);
  EXPECT_EQ(Fgr4W.Svet1.InUse(), 0);
}

TEST_F(HolderTest, ResetByChosenCategories) {
  Fgr4* kno = Make(3);
  Fgr4* dekor = Make(17);
  FgrHld.ResetOn_modeSaveFlags(1, 0, 0, 0);
  EXPECT_FALSE(kno->Status());
  EXPECT_TRUE(dekor->Status());
  dekor->SaveCategory = 9;  // categories above 4 always go
  FgrHld.ResetOn_modeSaveFlags(0, 0, 0, 0);
  EXPECT_FALSE(dekor->Status());
}

TEST_F(HolderTest, GeneralSearchWrapsAndSkipsBlockedSlots) {
  FgrHld.cursor = 11499;
  Fgr4* a = FgrHld.GetFreeNext_(1);
  EXPECT_EQ(a->logNom, 11499);
  EXPECT_EQ(FgrHld.cursor, 256);
  FgrHld.fgrs[258].wrkNom = -2;  // blocked (256 and 257 hold the frames)
  Fgr4* b = FgrHld.GetFreeNext_(1);
  EXPECT_EQ(b->logNom, 259);
  FgrHld.fgrs[258].wrkNom = 0;
}

TEST_F(HolderTest, NewEntriesTakeTheFirstEmptyOne) {
  std::vector<Fgr4*> made;
  for (int i = 0; i < 5; ++i) made.push_back(Make(17));
  made[3]->Kill(1);
  made[1]->Kill(1);
  FgrHld.Update(2, 1);
  WorkList& l = FgrHld.lists[5];
  ASSERT_EQ(l.size(), 5u);
  EXPECT_EQ(l[1], nullptr);
  EXPECT_EQ(l[3], nullptr);
  Fgr4* a = Make(17);
  Fgr4* b = Make(17);
  Fgr4* c = Make(17);
  EXPECT_EQ(l[1], a);
  EXPECT_EQ(l[3], b);
  EXPECT_EQ(l[5], c);
  made[0]->Kill(1);
  FgrHld.Update(2, 1);
  EXPECT_EQ(l[0], nullptr);
  Fgr4* d = Make(17);
  EXPECT_EQ(l[0], d);
}
