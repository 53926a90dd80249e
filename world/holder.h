// The object holder: owns every object handle of the run (one fixed array of
// slots), hands out free slots, and updates and draws the objects through six
// work lists.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "world/fgr4.h"
#include "world/type_list.h"

class tw_Fotik;
class tw_ScrFrm;

// A work list: handle pointers or null; it never shrinks, null entries are
// reused.
using WorkList = std::vector<Fgr4*>;

class t_FgrHld {
 public:
  static constexpr int kLists = 6;
  static constexpr int kFirstGeneralSlot = 256;  // below: slots 2..255 of AddWrkNetElit

  WorkList lists[kLists];
  int32_t firstScrFrm = -1;
  Fgr4* fgrs = nullptr;
  int32_t klv = 0;
  int32_t cursor = kFirstGeneralSlot;

  t_FgrHld() = default;
  t_FgrHld(const t_FgrHld&) = delete;
  t_FgrHld& operator=(const t_FgrHld&) = delete;
  ~t_FgrHld() { Sbros(); }

  int Init0(int n);
  void Sbros();

  // Slot searches (reset non-zero: the handle is reset before it is handed out).
  int GetFreeNext(int reset);
  Fgr4* GetFreeNext_(int reset);
  Fgr4* GetFree255_(int reset);
  Fgr4* GetFree_(int reset);
  void next1();
  int nowFindFree_next1();
  int AdrOK(int n) const { return n >= 1 && n < klv; }
  Fgr4* pFgrFromLogNom(int n) { return fgrs && AdrOK(n) ? &fgrs[n] : nullptr; }

  // Object creation.
  int AddWrk(int type, int kind, int makeCurrent);
  int AddWrkNetElit(int type, int kind, int makeCurrent);
  int Add_ScrFrm(int kind);
  tw_Fotik* Add_Fotik(int kind);

  // Work lists.
  static int ListOfType(int type);  // 0..5, -1 for screen frames and bad codes
  void VvdAddTo_xJob(int type, Fgr4* handle);
  void VvdAddIn(int list, Fgr4* handle);
  void VvdSbros();
  void VvdFillJobGru();
  int SetFirstScrFrm();
  void InitBase();

  // Per frame.
  void Update(int a, int b);
  void DrawZkz(int a, int b);
  // Picking: every chosen object is drawn (event 13) under its slot number as
  // GL selection name; resolve a hit with pFgrFromLogNom(name).
  void DrawForSel(int mode);

  // The object base file base/gen.fgh.
  static constexpr uint32_t kBaseMagic = 0x6BDE3;
  int SaveBase();
  int LoadBase(int reset);
  // The same from the bytes of a whole file.
  int LoadBaseFrom(const uint8_t* data, size_t size, int reset);
  // Why the last load failed (which check, at which record), for the
  // caller's log line; empty after a load that succeeded.
  const std::string& LoadFailWhy() const { return loadWhy; }
  int FHdr(FILE* f, uint32_t magic);
  int FHdrChk(FILE* f, uint32_t magic);
  int FHdrClose(FILE* f);
  int AddToFile_TryAllFgr(FILE* f, int k0, int k1, int k2, int k3, int k4);
  // The block of records and the first screen frame from f, which reads
  // `data` (the whole file); `slots` are the slots its records are taken to
  // fill, ascending.
  int FromFile_BlokFgr(FILE* f, const uint8_t* data, size_t size, const std::vector<int>& slots);

  // Kills the objects of the categories flagged (1 kills), and of every
  // category above 4; screen frames' category 0 and cameras are kept.
  void ResetOn_modeSaveFlags(int k1, int k2, int k3, int k4);
  // A new level's reset: every category but 0 and 1.
  static constexpr int kLevelKill[5] = {0, 0, 1, 1, 1};
  void ResetEtapFgr() { ResetOn_modeSaveFlags(kLevelKill[1], kLevelKill[2], kLevelKill[3], kLevelKill[4]); }
  // Whether an object of a type and save category lives through it.
  static bool OutlivesLevelReset(int type, int category);

  // Room a loaded base must leave in each type's pool, per type code: for
  // what start-up makes once the base is loaded, and for what every new
  // level makes besides the objects that outlive its reset. The front end
  // sets them before it loads the base.
  int roomAtStart[FGR4_TYPE_COUNT + 1] = {};
  int roomPerLevel[FGR4_TYPE_COUNT + 1] = {};

  // The handle that a link read from a file names, null for none: while a
  // base loads, only a slot that one of its records fills; otherwise only a
  // slot that holds an object. Slot 0 and slots out of range are none.
  Fgr4* LinkFromFile(int n);

  int InPass() const { return inPass; }

 private:
  std::string loadWhy;
  // While a base loads: per slot, 1 where one of its records is (or is taken
  // to be), 2 once a link read from it has reached that slot; empty
  // otherwise. Links it keeps from reaching a slot are counted.
  std::vector<uint8_t> fileSlots;
  int droppedLinks = 0;
  int loadRecords(FILE* f, const uint8_t* data, size_t size, std::vector<int>& loaded);
  // Slots of killed objects whose list entries were dropped during the pass;
  // they become free at its end.
  std::vector<int32_t> toRelease;
  int inPass = 0;
  // Per list, an index below which no entry is null (where the search for
  // the first empty entry starts).
  size_t gapFrom[kLists] = {};

  static int isFree(const Fgr4& h) { return !h.body && h.wrkNom >= 0; }
  int initListed(Fgr4* h, int type, int kind, int makeCurrent);
  void priv_Release(Fgr4* h);
  void dropEntry(int list, size_t i);
  void AnVUp1(int list, int& a, int& b);
  void AnVUp2(int list, int& a, int& b);
  void KillDeadLinksV(int& a);
  void AnVEmptyUp();
  void FreeBlockedSlots();
  void AnVDraw(WorkList& list, int& a, int& b);
  void AnVDrawSel(WorkList& list, int& mode);
};

extern t_FgrHld FgrHld;
// The object base's file extension (".fgh").
extern std::string FgHFileType;

// The main screen frame's handle, null when there is none.
Fgr4* pMainScrFrmFgr();
void SetMainScrFrm(tw_ScrFrm* frame);
void VvdFillMainScrFrm();

int FgrHld_AddWrk(int type, int kind, int makeCurrent);
int FgrHld_AddWrkNetElit(int type, int kind, int makeCurrent);
