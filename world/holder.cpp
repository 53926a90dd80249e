#include "world/holder.h"

#include <new>

#include "core/core.h"
#include "objects/objects.h"
#include "shell/engine.h"
#include "world/objectsglue.h"
#include "world/pools.h"

int t_FgrHld::Init0(int n) {
  if (fgrs) {
    LogInfo("\n Error: повторная иница (t_FgrHld+)\n");
    return 0;
  }
  if (n < 512 || n > 20500) {
    LogInfo("\n Error: иница (t_FgrHld+)  see setKlv:%d  \n", n);
    return 0;
  }
  fgrs = new (std::nothrow) Fgr4[n];
  if (!fgrs) {
    LogInfo("\n Error: fgrs = new Fgr4 [%d];\n", n);
    return 0;
  }
  klv = n;
  for (int i = 0; i < n; ++i) fgrs[i].priv1_SetLogNom(i);
  // Room for every object the lists can hold, so that the frame never grows
  // them: twice a pool (an object killed between passes keeps its entry until
  // the next pass while its slot is taken again), all slots for the last list.
  static const int kListTypes[kLists - 1] = {2, 3, 1, 20, 19};
  for (int l = 0; l < kLists - 1; ++l) lists[l].reserve(2 * Fgr4W_Capacity(kListTypes[l]));
  lists[kLists - 1].reserve(n);
  toRelease.reserve(n);
  return 1;
}

void t_FgrHld::Sbros() {
  delete[] fgrs;
  fgrs = nullptr;
  klv = 0;
  cursor = kFirstGeneralSlot;
  VvdSbros();
  toRelease.clear();
}

// ---------------------------------------------------------------- slot searches

void t_FgrHld::next1() {
  if (++cursor > klv - 1) cursor = kFirstGeneralSlot;
}

int t_FgrHld::nowFindFree_next1() {
  int n = cursor;
  next1();
  return n;
}

int t_FgrHld::GetFreeNext(int reset) {
  if (!fgrs || klv <= kFirstGeneralSlot) return 0;
  if (!isFree(fgrs[cursor])) {
    int i = 0;
    for (; i < klv; ++i) {
      next1();
      if (isFree(fgrs[cursor])) break;
    }
    if (i == klv) return 0;
  }
  if (reset) fgrs[cursor].Sbros();
  return nowFindFree_next1();
}

Fgr4* t_FgrHld::GetFreeNext_(int reset) {
  int n = GetFreeNext(reset);
  return n ? &fgrs[n] : nullptr;
}

Fgr4* t_FgrHld::GetFree255_(int reset) {
  if (!fgrs) return nullptr;
  for (int i = 2; i < kFirstGeneralSlot && i < klv; ++i) {
    if (!isFree(fgrs[i])) continue;
    if (reset) fgrs[i].Sbros();
    return &fgrs[i];
  }
  return nullptr;
}

Fgr4* t_FgrHld::GetFree_(int reset) {
  if (!fgrs) return nullptr;
  for (int i = kFirstGeneralSlot; i < klv; ++i) {
    if (!isFree(fgrs[i])) continue;
    if (reset) fgrs[i].Sbros();
    return &fgrs[i];
  }
  return nullptr;
}

// ---------------------------------------------------------------- creation

// Creates the object and lists its handle only when that succeeded, so a
// failed creation leaves no stale entry behind.
int t_FgrHld::initListed(Fgr4* h, int type, int kind, int makeCurrent) {
  int r = h->Init(type, kind, makeCurrent, nullptr);
  if (r) VvdAddTo_xJob(type, h);
  else priv_Release(h);
  return r;
}

int t_FgrHld::AddWrk(int type, int kind, int makeCurrent) {
  if (type < 1) return 0;
  if (!pMainScrFrmFgr()) return 0;
  if (type == 4) {
    LogInfo("\nERR:AddWrk for ScrFrm (use Add_ScrFrm)");
    Main_Done = 1;
  }
  if (type == 27 && !origSborU.nomOK(kind)) return 0;
  Fgr4* h = GetFreeNext_(1);
  if (!h) return 0;
  return initListed(h, type, kind, makeCurrent);
}

int t_FgrHld::AddWrkNetElit(int type, int kind, int makeCurrent) {
  if (type < 1) return 0;
  if (!pMainScrFrmFgr()) return 0;
  if (type == 4) {
    LogInfo("\nERR:AddWrk for ScrFrm (use Add_ScrFrm)");
    Main_Done = 1;
  }
  if (type == 27 && !origSborU.nomOK(kind)) return 0;
  Fgr4* h = GetFree255_(1);
  if (!h) return AddWrk(type, kind, makeCurrent);
  return initListed(h, type, kind, makeCurrent);
}

int t_FgrHld::Add_ScrFrm(int kind) {
  int n = GetFreeNext(1);
  if (!AdrOK(n)) return n;
  if (!fgrs[n].Init(4, kind, 1, nullptr)) return 0;  // no frame made: say so
  fgrs[n].linkB = nullptr;
  return n;
}

tw_Fotik* t_FgrHld::Add_Fotik(int kind) {
  if (!pMainScrFrmFgr()) return nullptr;
  Fgr4* h = GetFree_(1);
  if (!h) return nullptr;
  if (!initListed(h, 1, kind, 0)) return nullptr;
  return static_cast<tw_Fotik*>(h->body);
}

// ---------------------------------------------------------------- work lists

int t_FgrHld::ListOfType(int type) {
  switch (type) {
    case 2: return 0;
    case 3: return 1;
    case 1: return 2;
    case 20: return 3;
    case 19: return 4;
    case 4: return -1;
    default: return type >= 1 ? 5 : -1;
  }
}

void t_FgrHld::VvdAddTo_xJob(int type, Fgr4* handle) {
  int l = ListOfType(type);
  if (l >= 0 && handle) VvdAddIn(l, handle);
}

void t_FgrHld::VvdAddIn(int list, Fgr4* handle) {
  if (!handle || list < 0 || list >= kLists) return;
  WorkList& l = lists[list];
  for (size_t i = gapFrom[list]; i < l.size(); ++i) {
    if (!l[i]) {
      l[i] = handle;
      gapFrom[list] = i + 1;
      return;
    }
  }
  l.push_back(handle);
  gapFrom[list] = l.size();
}

void t_FgrHld::VvdSbros() {
  for (int l = 0; l < kLists; ++l) {
    lists[l].clear();
    gapFrom[l] = 0;
  }
}

void t_FgrHld::VvdFillJobGru() {
  VvdSbros();
  Fgr4* main = pMainScrFrmFgr();
  if (!main || !fgrs) return;
  for (int i = 1; i < klv; ++i) {
    Fgr4& h = fgrs[i];
    if (h.WrkNom() != 0 && h.linkB == main) VvdAddTo_xJob(h.WrkNom(), &h);
  }
}

int t_FgrHld::SetFirstScrFrm() {
  if (firstScrFrm > 255 && AdrOK(firstScrFrm)) {
    Fgr4& h = fgrs[firstScrFrm];
    if (h.WrkNom() == 4) {
      SetMainScrFrm(static_cast<tw_ScrFrm*>(h.body));
      return 1;
    }
    if (h.WrkNom() == 0) {
      LogInfo("\n Err: SetFirstScrFrm() //wrk==0");
      return 0;
    }
  }
  LogInfo("\n Err: SetFirstScrFrm()");
  return 0;
}

void t_FgrHld::InitBase() {
  static const struct {
    float r, g, b;
    const char* name;
  } kFrames[2] = {{0.3f, 0.6f, 0.9f, "Menu"}, {0.3f, 0.3f, 0.3f, "Game"}};
  for (int k = 0; k < 2; ++k) {
    int n = Add_ScrFrm(k);
    if (k == 0) firstScrFrm = n;
    if (!AdrOK(n)) continue;
    tw_ScrFrm* f = static_cast<tw_ScrFrm*>(fgrs[n].body);
    f->FonC(kFrames[k].r, kFrames[k].g, kFrames[k].b);
    f->DName(static_cast<int>(int4simb(kFrames[k].name)));
    pMainScrFrm = f;
  }
}

// ---------------------------------------------------------------- the passes

void t_FgrHld::priv_Release(Fgr4* h) {
  if (h->wrkNom < 0 && toRelease.size() < toRelease.capacity())
    toRelease.push_back(h->logNom);
}

// Empties entry i of a list whose handle has lost its object.
void t_FgrHld::dropEntry(int list, size_t i) {
  Fgr4* h = lists[list][i];
  lists[list][i] = nullptr;
  if (i < gapFrom[list]) gapFrom[list] = i;
  priv_Release(h);
}

void t_FgrHld::AnVUp1(int list, int& a, int& b) {
  WorkList& l = lists[list];
  for (size_t i = 0; i < l.size(); ++i) {  // objects made in the pass join it
    Fgr4* h = l[i];
    if (!h) continue;
    if (!h->freeze) h->Event(EV_UPD_SELF, &a, &b);
    if (!h->Status()) dropEntry(list, i);
  }
}

void t_FgrHld::AnVUp2(int list, int& a, int& b) {
  WorkList& l = lists[list];
  for (size_t i = 0; i < l.size(); ++i) {
    Fgr4* h = l[i];
    if (!h || h->wasSelfUpd != 1) continue;
    if (!h->freeze) h->Event(EV_UPD, &a, &b);
    if (!h->Status()) dropEntry(list, i);
  }
}

void t_FgrHld::KillDeadLinksV(int& a) {
  for (WorkList& l : lists) {
    for (size_t i = 0; i < l.size(); ++i) {
      if (l[i]) l[i]->Event(EV_DROP_DEAD_LINKS, &a);
    }
  }
}

void t_FgrHld::AnVEmptyUp() {
  // A killed object's entry goes with its slot, so the slot cannot be listed
  // twice once it is taken again.
  for (int l = 0; l < kLists; ++l) {
    for (size_t i = 0; i < lists[l].size(); ++i) {
      Fgr4*& e = lists[l][i];
      if (e && e->wrkNom < 0) {
        e->wrkNom = 0;
        e = nullptr;
        if (i < gapFrom[l]) gapFrom[l] = i;
      }
    }
  }
  for (int32_t n : toRelease) {
    if (AdrOK(n) && fgrs[n].wrkNom < 0) fgrs[n].wrkNom = 0;
  }
  toRelease.clear();
}

void t_FgrHld::Update(int a, int b) {
  inPass = 1;
  for (int l = 0; l < kLists - 1; ++l) AnVUp1(l, a, b);
  for (int l = 0; l < kLists - 1; ++l) AnVUp2(l, a, b);
  AnVUp1(kLists - 1, a, b);
  AnVUp2(kLists - 1, a, b);
  KillDeadLinksV(a);
  AnVEmptyUp();
  inPass = 0;
}

void t_FgrHld::AnVDraw(WorkList& list, int& a, int& b) {
  for (size_t i = 0; i < list.size(); ++i) {
    Fgr4* h = list[i];
    if (h && h->draw) h->Event(EV_DRAW, &a, &b);
  }
}

void t_FgrHld::DrawZkz(int a, int b) {
  for (WorkList& l : lists) AnVDraw(l, a, b);
}

namespace {
// Whether a reset that kills the categories flagged in kill[1..4] keeps an
// object. Cameras live for the whole run; a level reset must not take them
// away.
bool KeptByReset(int type, int category, const int (&kill)[5]) {
  return type == 1 || !(category > 4 || (category >= 1 && kill[category] != 0));
}
}  // namespace

bool t_FgrHld::OutlivesLevelReset(int type, int category) { return KeptByReset(type, category, kLevelKill); }

void t_FgrHld::ResetOn_modeSaveFlags(int k1, int k2, int k3, int k4) {
  if (!fgrs) return;
  const int kill[5] = {0, k1, k2, k3, k4};
  for (int i = 1; i < klv; ++i) {
    Fgr4& h = fgrs[i];
    if (!h.body || KeptByReset(h.wrkNom, h.SaveCategory, kill)) continue;
    h.Kill(1);
    priv_Release(&h);  // in a pass: free at its end
  }
  // Outside a pass nothing visits the killed objects any more: every slot
  // the reset blocked (objects of any screen frame, and the objects they own)
  // is free at once.
  if (!inPass) FreeBlockedSlots();
}

void t_FgrHld::FreeBlockedSlots() {
  AnVEmptyUp();
  for (int i = 1; i < klv; ++i)
    if (!fgrs[i].body && fgrs[i].wrkNom < 0) fgrs[i].wrkNom = 0;
}

// ---------------------------------------------------------------- free functions

Fgr4* pMainScrFrmFgr() { return pMainScrFrm ? pMainScrFrm->MyFgrForMainScrFrm() : nullptr; }

void SetMainScrFrm(tw_ScrFrm* frame) {
  if (!frame) return;
  pMainScrFrm = frame;
  FgrHld.VvdFillJobGru();
}

void VvdFillMainScrFrm() { FgrHld.VvdFillJobGru(); }

int FgrHld_AddWrk(int type, int kind, int makeCurrent) {
  return FgrHld.AddWrk(type, kind, makeCurrent);
}

int FgrHld_AddWrkNetElit(int type, int kind, int makeCurrent) {
  return FgrHld.AddWrkNetElit(type, kind, makeCurrent);
}
