// Text buffers: every text drawn on screen lives first in an entry of a
// numbered group. An entry holds up to 192 CP1251 letters with a colour per
// letter and cached pixel widths per font. Components take a free entry of a
// group (TBufGetNom), fill it printf-style (TBufUpdate) and print it.
#pragma once

#include <cstdint>

class ByteLenta;

struct orgT_TBuf_ {
  static constexpr short n_Bukv = 0;   // stat index: number of letters
  static constexpr short n_DByte = 1;  // stat index: do-not-draw flag
  static constexpr short n_Last = 1;   // last stat index
  static constexpr uint16_t kCap = 192;
  static constexpr uint16_t kWin = 10;
  static constexpr uint16_t kTex = 10;

  short stat[n_Last + 1];
  char text[kCap + 1];                  // NUL-terminated CP1251 letters
  float wWin[kWin + 1];                 // width in Windows fonts 0..10 (0 = not measured)
  uint16_t wTex[kTex + 1];              // width in texture fonts 0..10 (0 = not measured)
  unsigned char r[kCap + 1], g[kCap + 1], b[kCap + 1];  // letter colours
  uint16_t cap = kCap;
  uint16_t nWin = kWin;
  uint16_t nTex = kTex;

  orgT_TBuf_();
  void Clear();                          // text := all zero bytes
  void CopyOther(const orgT_TBuf_& o);   // whole copy of another entry
  short Letters() const { return stat[n_Bukv]; }
};

inline constexpr int kTBufGroups = 48;     // group slots
inline constexpr int kTBufFreeGroups = 40; // the free-group search hands out 0..39

extern orgT_TBuf_ orgT_TBuf;               // default entry
extern orgT_TBuf_* gr_TBuf[kTBufGroups];   // null = group absent
extern short gr_TBuf_Last[kTBufGroups];    // last entry index of each group

// Syntax-colour state carried from one parsed line to the next.
extern int Glob_komentTail;
extern int Glob_wasQvch;

bool TBufGruFail(int g);                       // absent group: logs, stops the program
orgT_TBuf_* pgrTBuf(int g, int n);             // entry in use, or null
int TBufGetNom(int g, int take);               // first free entry 1..last, 0 when none
void TBufClear(int g, int n);                  // frees the entry
void TBufUpdate(int g, int n, const char* format, ...) __attribute__((format(printf, 3, 4)));
void priv_TBufSetStat(int g, int n);           // count := strlen, caches cleared
void TBufClrBukv(int g, int n, unsigned char r, unsigned char gr, unsigned char b, short from, short count);
void TBuf_1_CopyFrom_2(int g1, int n1, int g2, int n2);
int TBufWidth(short g, short n, short font, bool windows, short skipFirst, short skipLast);
// The same sum untruncated (outline fonts measure in em units).
float TBufWidthF(short g, short n, short font, bool windows, short skipFirst, short skipLast);
int TBufGetW_InPixels(short g, short n, short font, bool windows, short from, short count);
// Calls one display list per letter. lo..hi is the code range the current list
// base serves: letters outside it are not drawn.
void TBufRunLists(short g, short n, short skipFirst, short skipLast, int lo = 0, int hi = 255);
void TBufRunLists_Colors(orgT_TBuf_* e, short skipFirst, short skipLast, int lo = 0, int hi = 255);
int gr_TBuf_GetFreeGru();
int MakeTBufGru(int count, int g);
int KillTBufGru(int g);

// Reading entries from byte streams and files.
int TBufFromLenta_LenAndParse(int g, int n, ByteLenta* bl, int maxLen, int parse, int& hitMax);
int TBufFromLentaBlok(int g, int n, ByteLenta* bl, int start);
int LoadTBufGru(const char* name, int make);
bool TBufFromLenta_IsSpecZnakChar(unsigned char c);
bool TBufFromLenta_IsQvch(unsigned char c);
bool TBufFromLenta_IsDigit(unsigned char c);
void TBufPrivParseSelColor(orgT_TBuf_* e, int pos, int cls);
