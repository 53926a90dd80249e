// The technology box of a side: a small world object (type 21) that holds the
// side's 49 technology records with their prices, durations, partners and
// requirement links, the current technology of each of five tiers, and the
// numbered properties through which the editor shows and edits them. The
// side's command post links to it and forwards the tier query (event 47).
#pragma once

#include <cstdint>
#include <cstdio>

#include "world/mbase1.h"

class Fgr4;

// Records 1..49 hold the technologies; record 0 is never filled.
constexpr int kTehRecLast = 49;
// Tiers 1..5 of the current technology.
constexpr int kTehTiers = 5;
// Fields of one record, in file and property order.
constexpr int kTehFields = 12;
// What the tier query answers when a tier has no technology.
constexpr int kTehNoName = 5;

// One technology record: twelve signed 32-bit fields.
struct t_RecDomTeh {
  int32_t aP;      // exclusive partner: 0 none, 1..49 a record, 500 + n off with starts whose partner is n
  int32_t kr;      // price in credits
  int32_t oil;     // price in fuel
  int32_t aDom;    // requirement code
  int32_t a2, a3, a4;  // requirement links
  int32_t faza;    // 1 available, 0 switched off or blank
  int32_t time;    // duration in ms
  int32_t staMsg;  // message-base number of the technology's name
  int32_t d1, d2;

  // Field f (0..11) in the order above.
  static int32_t t_RecDomTeh::*const kField[kTehFields];

  t_RecDomTeh() : aP(0), kr(0), oil(0), aDom(0), a2(0), a3(0), a4(0), faza(0), time(0), staMsg(0), d1(0), d2(0) {}
  int32_t& Field(int f) { return this->*kField[f]; }
  int32_t Field(int f) const { return this->*kField[f]; }
  // Blank: only switched off; prices, links and duration stay.
  void s() { faza = 0; }
  // Fill; x is not stored, the duration is given in seconds.
  void s(int kr_, int oil_, int x, int timeSec, int aP_, int a2_, int a3_, int a4_, int faza_, int aDom_);
};

class tw_KomTehBox {
 public:
  static constexpr int kType = 21;

  Fgr4* owner;
  // The int run of the record, res1..res2.
  int32_t res1;
  int32_t baner;   // the side; the property editor steps it within 0..9
  int32_t sel;     // in the player's selection
  int32_t vis;     // the last draw found it in the view frustum
  int32_t nearTeh[kTehTiers];  // current record of tiers 1..5
  int32_t res2;
  t_MBase1 mb;
  t_RecDomTeh recTeh[kTehRecLast + 1];

  tw_KomTehBox();
  void Sbros();
  int Status() const { return owner != nullptr; }
  Fgr4* mf_forKomPult() const { return owner; }
  void OnEvent(int code, void* a, void* b, void* c, void* d);

  void IFC_x(int kind);
  void UpdSelf(int mode, int flag);
  void Upd(int mode, int ex);
  void UpdEx() {}
  void Draw();
  void DrawForSelect();
  void OnKill();

  // The record after the handle part: the ten ints res1..res2 and the
  // placement (160 bytes). The table is not part of it.
  int AddToFile(FILE* f);
  int FromFile(FILE* f);
  template <class IO>
  void Record(IO& io);

  // Every record as construction leaves it: blank, all zero, with its
  // message number; record 0 all zero.
  void ResetTable();
  // The built-in table. a: records 1 and 2 blank, and 38, 39, 44 without
  // their links to them; b: record 3 blank; c: record 20 blank.
  void SetStart_K(int a, int b, int c);
  // The second side's start: the records stay blank.
  void SetStart_F(int a, int b, int c) {}
  // Starts record i (1..49): its copy into *out, and its partner (and the
  // records that go off with starts of that partner) switched off.
  void TehDoStart(int i, t_RecDomTeh* out);
  // off + the message number of tier 1..5's current technology; 5 for a tier
  // outside 1..5 or one without a technology.
  int TehNearBloGetName(int tier, int off) const;

  // The editor's properties: 1 the banner, 10..597 field (prop - 10) % 12 of
  // record (prop - 10) / 12 + 1.
  void TBuf00Set(int prop, int* kind, int* highlight);
  void InputProp(int prop, int mode);
};

extern tw_KomTehBox* pTekKomTehBox;

// Display name of record 1..49 ("" outside).
const char* TehRecName(int i);
