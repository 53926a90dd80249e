// The object handle: its three states, creation, trigger links and dispatch.
#include <gtest/gtest.h>

#include "tests/world/world_fixture.h"

using HandleTest = WorldTest;

TEST_F(HandleTest, KillBlocksAndSbrosFreesAtOnce) {
  Fgr4 empty;
  empty.Kill(1);
  EXPECT_EQ(empty.wrkNom, -2);  // also when it was empty
  EXPECT_EQ(empty.WrkNom(), 0);

  Fgr4* h = Make(15);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(h->WrkNom(), 15);
  EXPECT_EQ(h->LogNom(), h->logNom);
  h->Sbros();
  EXPECT_EQ(h->wrkNom, 0);
  EXPECT_FALSE(h->Status());
  EXPECT_EQ(h->LogNom(), 0);

  h = Make(15);
  h->Kill(1);
  EXPECT_EQ(h->wrkNom, -2);
  EXPECT_EQ(h->body, nullptr);
  EXPECT_EQ(h->active, 0);
  EXPECT_EQ(Fgr4W.Laser.InUse(), 0);  // the laser's kill step freed its body
}

TEST_F(HandleTest, InitRefusesBadTypesFilledHandlesAndFullPools) {
  Fgr4 h;
  EXPECT_EQ(h.Init(0, 0, 0, nullptr), 0);
  EXPECT_EQ(h.Init(28, 0, 0, nullptr), 0);
  EXPECT_EQ(h.Init(-3, 0, 0, nullptr), 0);
  EXPECT_EQ(h.wrkNom, 0);
  ASSERT_EQ(h.Init(18, 0, 0, nullptr), 1);
  void* body = h.body;
  EXPECT_EQ(h.Init(17, 0, 0, nullptr), 0);
  EXPECT_EQ(h.body, body);
  EXPECT_EQ(h.wrkNom, 18);

  // tw_EtapLink has capacity 3: two objects, the third creation fails.
  Fgr4 h2, h3;
  EXPECT_EQ(h2.Init(18, 0, 0, nullptr), 1);
  EXPECT_EQ(h3.Init(18, 0, 0, nullptr), 0);
  EXPECT_EQ(h3.body, nullptr);
  EXPECT_EQ(h3.wrkNom, 0);
  h.Sbros();
  h2.Sbros();
}

TEST_F(HandleTest, CreationSetsFrameFieldsLinkAndCurrentObject) {
  pTekDekor = nullptr;
  Fgr4* h = FgrHld.GetFree_(1);
  ASSERT_EQ(h->Init(17, 0, 0, nullptr), 1);
  EXPECT_EQ(pTekDekor, nullptr);  // not made current
  EXPECT_EQ(h->active, 1);
  EXPECT_EQ(h->draw, 1);
  EXPECT_EQ(h->SaveCategory, FGR4_SAVE_ETAP);
  EXPECT_EQ(h->linkB, pMainScrFrmFgr());
  EXPECT_EQ(h->wasSelfUpd, 0);
  EXPECT_EQ(static_cast<tw_Dekor*>(h->body)->owner, h);
  Fgr4* h2 = FgrHld.GetFree_(1);
  ASSERT_EQ(h2->Init(17, 0, 1, nullptr), 1);
  EXPECT_EQ(pTekDekor, h2->body);
}

TEST_F(HandleTest, EventsToEmptyAndLivingHandles) {
  Fgr4 empty;
  Fgr4_Event_LastCallToDeadFgr = 0;
  empty.Event(EV_IS_ACTIVE);
  EXPECT_EQ(Fgr4_Event_LastCallToDeadFgr, 2);
  EXPECT_EQ(empty.IsActive(), 0);
  Fgr4_Event(nullptr, 3);  // nothing for a null handle
  EXPECT_EQ(Fgr_WrkNom(nullptr), 0);
  EXPECT_EQ(Fgr4_Status_LogNom(nullptr), 0);

  Fgr4* h = Make(17);  // a decoration
  h->Event(EV_IS_ACTIVE);
  EXPECT_EQ(Fgr4_Event_LastCallToDeadFgr, 0);
  EXPECT_EQ(h->IsActive(), 1);
  h->Event(EV_DEACT);
  EXPECT_EQ(h->IsActive(), 0);

  int a = 0, b = 0;
  h->Event(EV_UPD_SELF, &a, &b);
  EXPECT_EQ(h->Get_wasSelfUpd(), 1);
  h->Event(EV_UPD, &a, &b);
  EXPECT_EQ(h->Get_wasSelfUpd(), 0);
}

TEST_F(HandleTest, BadTypeCodeStopsTheProgram) {
  Fgr4* h = Make(17);
  h->wrkNom = 31;
  h->Event(EV_IS_ACTIVE);
  EXPECT_EQ(Main_Done, 1);
  h->wrkNom = 17;
  h->Sbros();
}

TEST_F(HandleTest, ReusedHandleAnswersItsSlotAgain) {
  Fgr4* h = Make(17);
  int slot = h->logNom;
  h->Kill(1);
  EXPECT_EQ(Fgr4_Status_LogNom(h), 0);
  FgrHld.Update(2, 1);  // the end of the pass frees the slot
  EXPECT_EQ(h->wrkNom, 0);
  ASSERT_EQ(h->Init(13, 0, 0, nullptr), 1);
  EXPECT_EQ(Fgr4_Status_LogNom(h), slot);
  EXPECT_EQ(Etap_pFgrFromLogNom(slot), h);
}

TEST_F(HandleTest, SlotNumbersAreFixedOnce) {
  Fgr4 h;
  h.priv1_SetLogNom(-1);
  EXPECT_EQ(h.logNom, -1);
  h.priv1_SetLogNom(7);
  h.priv1_SetLogNom(9);
  EXPECT_EQ(h.logNom, 7);
}

TEST_F(HandleTest, TriggerLinksFindKillAndDropDeadTargets) {
  Fgr4* owner = Make(23);
  Fgr4* a = Make(24);
  Fgr4* b = Make(24);
  Fgr4* bunker = Make(25);
  Fgr4* owned = Make(13);
  owner->trigAdd(nullptr, 0);  // ignored
  owner->trigAdd(a, 1);
  owner->trigAdd(b, 0);
  owner->trigAdd(bunker, 0);
  owner->trigAdd(owned, 1);
  ASSERT_EQ(owner->trigs.size(), 4u);

  EXPECT_EQ(owner->trigFind(24, 0), b);  // the first kind-0 link of the type
  EXPECT_EQ(owner->trigFind(25, 0), bunker);
  // A shell bunker does not answer event 49: a key finds nothing.
  EXPECT_EQ(owner->trigFind(25, 7), nullptr);
  EXPECT_EQ(owner->trigFind(13, 0), nullptr);  // kind 1 is not findable

  b->Kill(1);
  EXPECT_EQ(owner->trigFind(24, 0), nullptr);
  int arg = 0;
  owner->Event(EV_DROP_DEAD_LINKS, &arg);
  ASSERT_EQ(owner->trigs.size(), 4u);  // entries are emptied, never removed
  EXPECT_EQ(owner->trigs[1].target, nullptr);
  EXPECT_EQ(owner->trigs[1].kind, 0);
  EXPECT_EQ(owner->trigs[0].target, a);

  owner->Kill(1);  // kind-1 links die with their owner
  EXPECT_FALSE(a->Status());
  EXPECT_FALSE(owned->Status());
  EXPECT_TRUE(bunker->Status());
  EXPECT_TRUE(owner->trigs.empty());
}

TEST_F(HandleTest, OwnershipCyclesEndWhenTheFirstOwnerIsCleared) {
  Fgr4* a = Make(24);
  Fgr4* b = Make(24);
  a->trigAdd(b, 1);
  b->trigAdd(a, 1);
  a->Kill(1);
  EXPECT_FALSE(a->Status());
  EXPECT_FALSE(b->Status());
}

TEST_F(HandleTest, LinksToDeadObjectsAreDropped) {
  Fgr4* a = Make(24);
  Fgr4* b = Make(24);
  a->linkA = b;
  b->Kill(1);
  int arg = 0;
  a->Event(EV_DROP_DEAD_LINKS, &arg);
  EXPECT_EQ(a->linkA, nullptr);
  EXPECT_EQ(a->linkB, pMainScrFrmFgr());  // the main frame is alive
}

TEST_F(HandleTest, OrdersOfANetworkClientGoToTheServer) {
  Fgr4* u = Make(24);
  int code = EV_MOVE_TO_POINT;
  EXPECT_EQ(u->eventServerKmd(code), 0);
  Glob_WSA_ProgIs = 1;
  EXPECT_EQ(u->eventServerKmd(code), 0);
  Glob_WSA_ProgIs = 100;
  EXPECT_EQ(u->eventServerKmd(code), 1);
  code = EV_MOVE_TO_TARGET;
  EXPECT_EQ(u->eventServerKmd(code), 1);
  code = EV_POSITION;
  EXPECT_EQ(u->eventServerKmd(code), 0);
  u->Event(EV_MOVE_TO_POINT);
  EXPECT_EQ(priv_Fgr4_EventSendToServer, 1);
  priv_force_EventsFromServer = 1;
  u->Event(EV_MOVE_TO_POINT);
  EXPECT_EQ(priv_Fgr4_EventSendToServer, 0);
}

TEST_F(HandleTest, ObjectKilledInItsOwnUpdateLeavesAnEmptyHandle) {
  Fgr4* h = Make(15);
  script.act = [](Fgr4* x, int code) {
    if (code == EV_UPD_SELF && x->Status()) x->Kill(1);
  };
  int a = 2, b = 1;
  h->Event(EV_UPD_SELF, &a, &b);
  EXPECT_FALSE(h->Status());
  EXPECT_EQ(h->wrkNom, -2);
}
