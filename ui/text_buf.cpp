// Text-buffer entries and groups: taking, filling, measuring and calling the
// glyph lists of an entry.
#include "ui/text_buf.h"

#include <GL/gl.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <new>

#include "ui/fonts.h"
#include "core/core.h"
#include "shell/shell.h"

orgT_TBuf_ orgT_TBuf;
orgT_TBuf_* gr_TBuf[kTBufGroups];
short gr_TBuf_Last[kTBufGroups];

orgT_TBuf_::orgT_TBuf_() {
  std::memset(stat, 0, sizeof(stat));
  std::memset(text, 0, sizeof(text));
  std::memset(wWin, 0, sizeof(wWin));
  std::memset(wTex, 0, sizeof(wTex));
  std::memset(r, 0, sizeof(r));
  std::memset(g, 0, sizeof(g));
  std::memset(b, 0, sizeof(b));
}

void orgT_TBuf_::Clear() { std::memset(text, 0, sizeof(text)); }

void orgT_TBuf_::CopyOther(const orgT_TBuf_& o) {
  if (&o == this) return;
  std::memcpy(stat, o.stat, sizeof(stat));
  std::memcpy(text, o.text, sizeof(text));
  std::memcpy(r, o.r, sizeof(r));
  std::memcpy(g, o.g, sizeof(g));
  std::memcpy(b, o.b, sizeof(b));
  std::memcpy(wWin, o.wWin, sizeof(wWin));
  std::memcpy(wTex, o.wTex, sizeof(wTex));
}

static bool GroupExists(int g) { return g >= 0 && g < kTBufGroups && gr_TBuf[g]; }

// The entry n of an existing group, or null when n is outside 0..last.
static orgT_TBuf_* EntryAt(int g, int n) {
  if (!GroupExists(g) || n < 0 || n > gr_TBuf_Last[g]) return nullptr;
  return &gr_TBuf[g][n];
}

bool TBufGruFail(int g) {
  if (GroupExists(g)) return false;
  LogInfo("\n gr_TBuf[%d] Fail or non INIT ...\n", g);
  Main_Done = 1;
  return true;
}

orgT_TBuf_* pgrTBuf(int g, int n) {
  orgT_TBuf_* e = EntryAt(g, n);
  return (e && e->stat[orgT_TBuf_::n_Bukv] >= 1) ? e : nullptr;
}

int TBufGetNom(int g, int take) {
  if (TBufGruFail(g)) return 0;
  for (int n = 1; n <= gr_TBuf_Last[g]; ++n) {
    orgT_TBuf_& e = gr_TBuf[g][n];
    if (e.stat[orgT_TBuf_::n_Bukv] != 0) continue;
    if (take) e.stat[orgT_TBuf_::n_Bukv] = 1;
    return n;
  }
  return 0;
}

void TBufClear(int g, int n) {
  if (TBufGruFail(g)) return;
  orgT_TBuf_* e = EntryAt(g, n);
  if (!e) return;
  e->stat[orgT_TBuf_::n_Bukv] = 0;
  e->stat[orgT_TBuf_::n_DByte] = 0;
}

void priv_TBufSetStat(int g, int n) {
  orgT_TBuf_* e = EntryAt(g, n);
  if (!e) return;
  e->stat[orgT_TBuf_::n_Bukv] = static_cast<short>(std::strlen(e->text));
  e->stat[orgT_TBuf_::n_DByte] = 0;
  std::memset(e->wWin, 0, sizeof(e->wWin));
  std::memset(e->wTex, 0, sizeof(e->wTex));
}

void TBufUpdate(int g, int n, const char* format, ...) {
  if (!format || TBufGruFail(g)) return;
  if (n < 0) n = TBufGetNom(g, 1);  // a full group writes its scratch entry 0
  orgT_TBuf_* e = EntryAt(g, n);
  if (!e) return;
  e->Clear();
  va_list ap;
  va_start(ap, format);
  std::vsnprintf(e->text, sizeof(e->text), format, ap);  // cut at 192 letters
  va_end(ap);
  priv_TBufSetStat(g, n);
}

void TBufClrBukv(int g, int n, unsigned char r, unsigned char gr, unsigned char b, short from, short count) {
  orgT_TBuf_* e = pgrTBuf(g, n);
  if (!e) return;
  int letters = e->stat[orgT_TBuf_::n_Bukv];
  if (from < 0 || from > letters - 1 || count <= 0) return;
  int end = from + count;
  if (end > letters) end = letters;
  for (int i = from; i < end; ++i) {
    e->r[i] = r;
    e->g[i] = gr;
    e->b[i] = b;
  }
}

void TBuf_1_CopyFrom_2(int g1, int n1, int g2, int n2) {
  if (g1 < 0 || g1 > 40 || g2 < 0 || g2 > 40) return;
  if (TBufGruFail(g1) || TBufGruFail(g2)) return;
  orgT_TBuf_* dst = EntryAt(g1, n1);
  orgT_TBuf_* src = EntryAt(g2, n2);
  if (dst && src) dst->CopyOther(*src);
}

// Sum of the glyph widths of letters [from, end) of an entry in one font;
// letters outside the font's range count 0.
static float LettersWidth(const orgT_TBuf_& e, int font, bool windows, int from, int end) {
  float sum = 0.0f;
  for (int i = from; i < end; ++i) {
    int code = static_cast<unsigned char>(e.text[i]);
    sum += windows ? org_WFont[font].Advance(code) : tex_font[font].TileW(code);
  }
  return sum;
}

float TBufWidthF(short g, short n, short font, bool windows, short skipFirst, short skipLast) {
  if (TBufGruFail(g)) return 0.0f;
  orgT_TBuf_* e = EntryAt(g, n);
  if (!e || font < 0 || font > 12 || skipFirst < 0 || skipLast < 0) return 0.0f;
  int end = e->stat[orgT_TBuf_::n_Bukv] - skipLast;
  return LettersWidth(*e, font, windows, skipFirst, end);
}

int TBufWidth(short g, short n, short font, bool windows, short skipFirst, short skipLast) {
  return static_cast<int>(TBufWidthF(g, n, font, windows, skipFirst, skipLast));
}

int TBufGetW_InPixels(short g, short n, short font, bool windows, short from, short count) {
  orgT_TBuf_* e = EntryAt(g, n);
  if (!e || font < 0 || font > 12) return -1;
  int letters = e->stat[orgT_TBuf_::n_Bukv];
  if (from < 0 || from > letters - 1) return -1;
  int end = from + (count > 0 ? count : 0);
  if (end > letters) end = letters;
  return static_cast<int>(LettersWidth(*e, font, windows, from, end));
}

// Calls the lists of letters [from, end), skipping those outside lo..hi;
// in-range runs go to GL in one call each.
static void CallLetterRuns(const orgT_TBuf_& e, int from, int end, int lo, int hi) {
  int run = from;
  for (int i = from; i <= end; ++i) {
    bool inRange = false;
    if (i < end) {
      int code = static_cast<unsigned char>(e.text[i]);
      inRange = code >= lo && code <= hi;
    }
    if (inRange) continue;
    if (i > run) glCallLists(i - run, GL_UNSIGNED_BYTE, e.text + run);
    run = i + 1;
  }
}

void TBufRunLists(short g, short n, short skipFirst, short skipLast, int lo, int hi) {
  if (TBufGruFail(g)) return;
  orgT_TBuf_* e = EntryAt(g, n);
  if (!e || e->stat[orgT_TBuf_::n_DByte] != 0) return;
  if (skipFirst < 0) skipFirst = 0;
  if (skipLast < 0) skipLast = 0;
  int end = e->stat[orgT_TBuf_::n_Bukv] - skipLast;
  if (end > orgT_TBuf_::kCap) end = orgT_TBuf_::kCap;
  CallLetterRuns(*e, skipFirst, end, lo, hi);
}

void TBufRunLists_Colors(orgT_TBuf_* e, short skipFirst, short skipLast, int lo, int hi) {
  if (!e) return;
  if (skipFirst < 0) skipFirst = 0;
  if (skipLast < 0) skipLast = 0;
  int end = e->stat[orgT_TBuf_::n_Bukv] - skipLast;
  if (end > orgT_TBuf_::kCap) end = orgT_TBuf_::kCap;
  for (int i = skipFirst; i < end; ++i) {
    int code = static_cast<unsigned char>(e->text[i]);
    if (code < lo || code > hi) continue;
    glColor3ub(e->r[i], e->g[i], e->b[i]);
    glCallLists(1, GL_UNSIGNED_BYTE, e->text + i);
  }
}

int gr_TBuf_GetFreeGru() {
  for (int g = 0; g < kTBufFreeGroups; ++g)
    if (!gr_TBuf[g]) return g;
  return -1;
}

int MakeTBufGru(int count, int g) {
  if (g >= kTBufGroups) {
    LogInfo("\n MakeTBufGru: group %d is outside 1..%d, refused\n", g, kTBufGroups - 1);
    return 0;
  }
  if (count < 1 || count > 32767) {
    LogInfo("\n MakeTBufGru: %d entries for group %d refused (1..32767)\n", count, g);
    return 0;
  }
  if (g < 1) {
    g = gr_TBuf_GetFreeGru();
    if (g < 0) return 0;
  } else {
    KillTBufGru(g);
  }
  gr_TBuf[g] = new (std::nothrow) orgT_TBuf_[count];
  if (!gr_TBuf[g]) {
    LogInfo("\n\nErr: Не-выделена память под gr_TBuf[ %d] (class tLinesTxt2)\n", g);
    Main_Done = 1;
    return 0;
  }
  gr_TBuf_Last[g] = static_cast<short>(count - 1);
  return g;
}

int KillTBufGru(int g) {
  if (!GroupExists(g)) return 1;
  delete[] gr_TBuf[g];  // entries are destroyed last to first
  gr_TBuf[g] = nullptr;
  return 1;
}
