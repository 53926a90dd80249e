// The text editor's window and page: creation, attaching a text, the page
// parse, the caret and page moves, the byte edits, the pointer handling, the
// keyboard path and the two loaders.
#include "ui/lines_txt.h"

#include <climits>
#include <cstdlib>
#include <new>

#include "shell/shell.h"
#include "ui/fonts.h"
#include "ui/text_buf.h"

tLinesTxt2 masPole1[3];
ByteLenta masBL[3];
int glob_PoleTextActive = 0;

namespace {

constexpr unsigned char kCR = 13, kLF = 10;
constexpr int kTestLines = 105;  // lines of the editor's text group

bool PairAt(const ByteLenta& b, int i) { return i >= 0 && i + 1 < b.size && b.data[i] == kCR && b.data[i + 1] == kLF; }

int Widest(int font) {
  int slot = font - 100;
  return slot >= 0 && slot < kTexFonts ? tex_font[slot].MaxTilePixW() : 1;
}

// Clamp into lo..hi that lands on lo when the range is empty.
int ClampLow(int v, int lo, int hi) {
  if (v > hi) v = hi;
  return v < lo ? lo : v;
}

}  // namespace

void tLinesTxt2::defSet1() {
  font = 100;
  lineH = 15;
  anim.Init(0.45f, 0.4f, 0.8f, 0.004f, 2, 10);
  capacity = page = wrapped = firstLine = 0;
  resizing = moving = 0;
  barW = 8;
  butH = 12;
  margin = 60;
  karet = karetLine = 0;
  totalLines = 0;
}

void tLinesTxt2::Sbros(int killGroup) {
  delete[] lineKind;
  delete[] lineStart;
  lineKind = lineStart = nullptr;
  if (killGroup && gru > 0) {  // a closed editor owns no group (0 is the system's)
    KillTBufGru(gru);
    gru = 0;
  }
}

void tLinesTxt2::ReInit(int cx, int cy, int width, int height, int lines) {
  Sbros(0);
  if (lines < 2) {
    LogInfo("\n tLinesTxt2::ReInit: %d lines refused (2 at least)\n", lines);
    return;
  }
  if (gru < 1 && gr_TBuf_GetFreeGru() < 1) {  // group 0 belongs to the system texts
    LogInfo("\n tLinesTxt2::ReInit: no free text group\n");
    gru = 0;
    return;
  }
  gru = MakeTBufGru(lines, gru);
  if (!gru) return;
  defSet1();
  x = static_cast<float>(cx - width / 2);
  y = static_cast<float>(cy - height / 2);
  w = static_cast<float>(width);
  h = static_cast<float>(height);
  capacity = lines;
  lineKind = new (std::nothrow) int[lines];
  lineStart = new (std::nothrow) int[lines];
  if (!lineKind || !lineStart) {
    LogInfo("\n tLinesTxt2::ReInit: no memory for %d lines\n", lines);
    Sbros(1);
    return;
  }
  for (int i = 0; i < lines; ++i) lineKind[i] = lineStart[i] = -1;
  karet = karetLine = 0;
  for (int i = 0; i < lines; ++i)
    TBufUpdate(gru, i, "\xD1\xF2\xF0\xEE\xEA\xE0 %d 33333337987 --90-980--++", i);  // "Строка %d ..."
}

int tLinesTxt2::SetBLenta(ByteLenta* stream) {
  if (!stream) return 0;
  bl = stream;
  if (!bl->data || bl->size < 1) {  // the text never has size 0
    bl->pos = 0;
    bl->ByteWrite(' ', 1);
  }
  totalLines = bl->CountEOL(1);
  karet = karetLine = 0;
  NewTextFromLenta();
  return 1;
}

void tLinesTxt2::NewTextFromLenta() {
  if (!bl || !lineKind || !lineStart) return;
  Glob_komentTail = 0;
  Glob_wasQvch = 0;
  for (int i = 0; i < capacity; ++i) lineKind[i] = lineStart[i] = -1;
  if (!HasText()) return;
  bl->pos = 0;
  for (int k = 0; k < firstLine; ++k)
    if (!bl->SkipToEOL()) return;  // the text ends above the page
  page = ClampLow(static_cast<int>(h / lineH) + 1, 1, capacity - 1);
  int widest = Widest(font);
  int limit = static_cast<int>((w - margin - widest) / widest);
  if (limit < 1) limit = 1;
  wrapped = 0;
  for (int i = 0; i < page; ++i) {
    if (static_cast<int>(bl->pos) >= bl->size) continue;  // beyond the text: stays -1
    lineStart[i] = static_cast<int>(bl->pos);
    if (karet >= lineStart[i]) karetLine = i;
    int hit = 0;
    if (TBufFromLenta_LenAndParse(gru, i, bl, limit, 1, hit) > 0) {
      lineKind[i] = 1;
      if (hit) ++wrapped;
    }
  }
  ProKaretka();
}

void tLinesTxt2::ProKaretka() {
  if (!lineStart || page < 1) return;
  bool pulled = false;
  if (lineStart[0] >= 0 && karet < lineStart[0]) {
    karet = lineStart[0];
    karetLine = 0;
    pulled = true;
  }
  int last = lineStart[page - 1];
  if (last >= 0 && karet > last) {
    karet = last;
    karetLine = page - 1;
    pulled = true;
  }
  // A caret pulled onto a page the user scrolled to must not scroll the page
  // back: only a caret that moved to an edge line scrolls.
  OffPairAndEdges(1, !pulled);
}

void tLinesTxt2::ScrollForLine(int line) {
  if (line == 0) firstLine -= 2;
  else if (line > page - 3) firstLine += 2;
}

void tLinesTxt2::ClampFirstLine(int hi) { firstLine = ClampLow(firstLine, 0, hi); }

void tLinesTxt2::ProKaretka1310(int dir) { OffPairAndEdges(dir, true); }

void tLinesTxt2::OffPairAndEdges(int dir, bool scroll) {
  if (HasText() && karet > 0 && PairAt(*bl, karet - 1)) {  // on the LF of a pair
    if (dir >= 1 && karet + 2 <= bl->size) {
      ++karet;
      ++karetLine;
    } else {
      --karet;
    }
  }
  if (scroll) ScrollForLine(karetLine);
  ClampFirstLine(totalLines - 2);
}

void tLinesTxt2::Tram11() { ClampFirstLine(totalLines - 2); }

void tLinesTxt2::MoveKaretka(int n) {
  if (!n || !HasText()) return;
  karet = ClampLow(karet + n, 0, bl->size - 1);
  ProKaretka1310(n);
}

void tLinesTxt2::JumpKaretLine(int n) {
  if (!lineStart || capacity < 2) return;
  int hi = firstLine + page > totalLines ? totalLines - firstLine : capacity - 2;
  if (hi > capacity - 1) hi = capacity - 1;
  int line = ClampLow(karetLine + n, 0, hi);
  ScrollForLine(line);
  if (lineStart[line] >= 0) {  // a line beyond the text has no start to go to
    karet = lineStart[line];
    karetLine = line;
  }
  ClampFirstLine(totalLines - 2);
}

void tLinesTxt2::MoveKaretHome(int mode) {
  if (!lineStart || !HasText() || karetLine < 0 || karetLine >= capacity) return;
  int start = lineStart[karetLine];
  if (start < 0) return;
  karet = start;
  if (mode == 0 && lineKind[karetLine] == 1) {
    bl->pos = static_cast<uint32_t>(start);
    if (bl->SetPosToFirstNormCharInLine('0')) karet = static_cast<int>(bl->pos);
  }
}

void tLinesTxt2::MoveKaretEnd() {
  if (!lineStart || !HasText() || karetLine < 0 || karetLine >= capacity) return;
  int start = lineStart[karetLine];
  if (start < 0) return;
  bl->pos = static_cast<uint32_t>(start);
  karet = bl->SkipToEOL() ? static_cast<int>(bl->pos) - 2 : start;
}

void tLinesTxt2::TextNextPage() {
  // A page of wrapped lines still moves on by one line, never back.
  int step = page - wrapped - 1;
  firstLine += step < 1 ? 1 : step;
  ClampFirstLine(totalLines - page + 2);
}

void tLinesTxt2::TextPrevPage() {
  int step = page - wrapped - 1;
  firstLine -= step < 1 ? 1 : step;
  ClampFirstLine(totalLines - 2);
}

// ---- byte edits ------------------------------------------------------------

bool tLinesTxt2::OpenGap(int n) {
  if (!HasText()) return false;
  karet = ClampLow(karet, 0, bl->size - 1);
  int old = bl->size;
  bl->SdvigLenPlus(karet, n);
  return bl->size == old + n;
}

void tLinesTxt2::Recount() { totalLines = bl->CountEOL(1); }

int tLinesTxt2::BL_InsertChar(unsigned c, int moveCursor) {
  if (c < 32 || c > 255 || !OpenGap(1)) return 0;
  bl->data[karet] = static_cast<unsigned char>(c);
  karet = ClampLow(karet + 1, 0, bl->size - 1);
  if (moveCursor) bl->pos = static_cast<uint32_t>(karet);
  Recount();  // a letter between a CR and an LF splits their pair
  return 1;
}

int tLinesTxt2::BL_InsertTabSpe(int moveCursor) {
  if (!OpenGap(2)) return 0;
  bl->data[karet] = ' ';
  bl->data[karet + 1] = ' ';
  karet = ClampLow(karet + 2, 0, bl->size - 1);
  if (moveCursor) bl->pos = static_cast<uint32_t>(karet);
  Recount();
  return 1;
}

int tLinesTxt2::BL_Insert1310(int moveCursor) {
  if (!OpenGap(2)) return 0;
  bl->data[karet] = kCR;
  bl->data[karet + 1] = kLF;
  karet = ClampLow(karet + 2, 0, bl->size - 2);
  if (moveCursor) bl->pos = static_cast<uint32_t>(karet);
  Recount();
  return 1;
}

int tLinesTxt2::BL_BackChar() {
  if (!HasText()) return 0;
  karet = ClampLow(karet, 0, bl->size - 1);
  if (PairAt(*bl, karet - 2)) {
    bl->SdvigLenMinus(karet, 2);
    karet -= 2;
  } else if (karet > 0) {
    bl->SdvigLenMinus(karet, 1);
    karet -= 1;
  }
  Recount();
  return 1;
}

int tLinesTxt2::BL_Del_Kmd() {
  if (!HasText()) return 0;
  karet = ClampLow(karet, 0, bl->size - 1);
  if (karet < bl->size - 2 && PairAt(*bl, karet)) bl->CutLenMinus(karet, 2);
  else if (karet < bl->size - 1) bl->CutLenMinus(karet, 1);  // the last byte always stays
  Recount();
  return 1;
}

// ---- pointer -----------------------------------------------------------------

bool tLinesTxt2::KursorIn(int mx, int my, int pressed, int held) {
  if (!gru) return false;
  bool inside = PointInRect2D(static_cast<float>(mx), static_cast<float>(my), x, y, w, h);
  glob_PoleTextActive = 1;
  const float b = static_cast<float>(barW), k = static_cast<float>(butH);
  const float barX = x + w - b, top = y + h;
  if (pressed) {
    if (mx >= barX && mx <= x + w && my >= y + k && my <= top - k) {
      float trackLo = y + 2 * k, trackLen = h - 4 * k;
      if (my >= trackLo && my <= top - 2 * k && trackLen > 0) {
        firstLine = totalLines - static_cast<int>((my - trackLo) / trackLen * totalLines) - page / 2;
      } else if (my >= y + h / 2) {
        firstLine -= 2;
      } else {
        firstLine += 2;
      }
      ClampFirstLine(totalLines - page + 2);
      NewTextFromLenta();
    } else if (mx >= barX && mx <= x + w && my >= top - b && my <= top) {
      resizing = 1;
    } else if (mx >= x && mx <= x + b && my >= top - b && my <= top) {
      Sbros(1);  // closed: nothing is drawn any more
      return inside;
    } else if (mx >= x && mx <= x + b && my >= y && my <= y + b) {
      moving = 1;
    } else if (inside && lineH > 0) {
      JumpKaretLine(static_cast<int>((top - my - 1) / lineH) - karetLine);  // to the line clicked
    }
  }
  if (resizing) {
    if (held) {
      w = static_cast<float>(mx) - x;
      h = static_cast<float>(my) - y;
    } else {
      resizing = 0;
      NewTextFromLenta();
    }
  }
  if (moving) {
    if (held) {
      x = static_cast<float>(mx - 2);
      y = static_cast<float>(my - 2);
    } else {
      moving = 0;
      NewTextFromLenta();
    }
  }
  const float W = Ekran.W, H = Ekran.H;
  x = zn::fTram(x, 5, W - 5);
  y = zn::fTram(y, 5, H - 5);
  w = zn::fTram(w, 10 * b, W - 10);
  h = zn::fTram(h, 7 * k, H - 10);
  return inside;
}

// ---- keyboard and loaders ------------------------------------------------------------

namespace a101 {

void PoleText_InputChar(unsigned c) {
  tLinesTxt2& p = masPole1[0];
  int changed = 0;
  if (c == 8) {
    p.BL_BackChar();
    changed = 1;
  } else if (c == 9) {
    changed = p.BL_InsertTabSpe(0);
  } else if (c == 13) {
    changed = p.BL_Insert1310(0);
  } else if (c >= 32) {
    changed = p.BL_InsertChar(c, 0);
  }
  if (changed) p.NewTextFromLenta();
}

}  // namespace a101

namespace {

// A lone LF (a Unix line end) becomes CR LF, the line end the field works
// with; a text without one is left as it is.
void PairLoneLineFeeds(ByteLenta& read) {
  auto loneAt = [&read](int i) { return read.data[i] == kLF && (i == 0 || read.data[i - 1] != kCR); };
  int64_t lone = 0;
  for (int i = 0; i < read.size; ++i) lone += loneAt(i);
  if (lone == 0) return;
  const int64_t size = read.size + lone;
  auto* d = size <= INT32_MAX ? static_cast<unsigned char*>(std::malloc(static_cast<size_t>(size))) : nullptr;
  if (!d) {
    LogInfo("\n the text's %lld LF line ends are left unpaired: no memory for %lld bytes\n",
            static_cast<long long>(lone), static_cast<long long>(size));
    return;
  }
  int64_t o = 0;
  for (int i = 0; i < read.size; ++i) {
    if (loneAt(i)) d[o++] = kCR;
    d[o++] = read.data[i];
  }
  std::free(read.data);
  read.data = d;
  read.size = static_cast<int32_t>(size);
}

// Shows a freshly read text in the menu's text field.
void ShowInTestField(ByteLenta& read) {
  PairLoneLineFeeds(read);
  ByteLenta& text = masBL[0];
  text.Sbros();
  text.data = read.data;
  text.size = read.size;
  text.pos = 0;
  read.data = nullptr;
  read.size = 0;
  masPole1[0].ReInit(300, 300, 500, 392, kTestLines);
  masPole1[0].SetBLenta(&text);
}

}  // namespace

void Test_Pole2_Init() {
  ByteLenta read;
  if (GetByteLenta(read, "test-pole1/0.txt", "", "", 0)) ShowInTestField(read);
}

void Test_Pole2_OpenFile() {
  // Read aside first: a file that cannot be read leaves the text shown now.
  ByteLenta read;
  if (GetByteLenta(read, GlobalFileName00(), "", "", 0)) ShowInTestField(read);
  else LogInfo("\n err: Test_Pole2_OpenFile (GetByteLenta)\n");
}
