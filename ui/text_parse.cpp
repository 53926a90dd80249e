// Filling text-buffer entries from byte streams (with syntax colours) and a
// whole group from a text file.
#include <cstring>
#include <sstream>
#include <string>

#include "core/core.h"
#include "ui/text_buf.h"

int Glob_komentTail = 0;
int Glob_wasQvch = 0;

namespace {

enum : int {
  kPlain = 0,
  kString = 4,
  kQuoteEnd = 5,
  kNumber = 7,
  kComment = 8,
  kSign = 9,
};

orgT_TBuf_* EntryOf(int g, int n) {
  if (g < 0 || g >= kTBufGroups || !gr_TBuf[g] || n < 0 || n > gr_TBuf_Last[g]) return nullptr;
  return &gr_TBuf[g][n];
}

}  // namespace

bool TBufFromLenta_IsSpecZnakChar(unsigned char c) {
  return c == 33 || c == 37 || c == 38 || (c >= 40 && c <= 46) || (c >= 58 && c <= 63) || c == 91 || c == 93 ||
         c == 94 || (c >= 123 && c <= 126);
}

bool TBufFromLenta_IsQvch(unsigned char c) { return c == 34; }

bool TBufFromLenta_IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

void TBufPrivParseSelColor(orgT_TBuf_* e, int pos, int cls) {
  if (!e || pos < 0 || pos > orgT_TBuf_::kCap) return;
  unsigned char r = 245, g = 245, b = 245;
  switch (cls) {
    case kString: r = g = b = 180; break;
    case kQuoteEnd: r = g = b = 140; break;
    case kNumber: r = 220, g = 200, b = 125; break;
    case kComment: r = 10, g = 170, b = 90; break;
    case kSign: r = 250, g = 50, b = 30; break;
    default: break;
  }
  e->r[pos] = r;
  e->g[pos] = g;
  e->b[pos] = b;
}

int TBufFromLenta_LenAndParse(int g, int n, ByteLenta* bl, int maxLen, int parse, int& hitMax) {
  hitMax = 0;
  if (!bl || !bl->data || bl->size <= 0) return 0;
  orgT_TBuf_* e = EntryOf(g, n);
  if (!e) return 0;
  const int size = bl->size;
  if (bl->pos > static_cast<uint32_t>(size)) bl->pos = static_cast<uint32_t>(size);
  int avail = size - static_cast<int>(bl->pos);
  if (maxLen < avail) avail = maxLen;
  int take = avail < orgT_TBuf_::kCap ? avail : orgT_TBuf_::kCap;
  if (take < 0) take = 0;
  const unsigned char* d = bl->data;

  if (!parse) {
    std::memcpy(e->text, d + bl->pos, take);
    e->text[take] = 0;
    bl->pos += take;
    if (bl->pos > static_cast<uint32_t>(size - 1)) bl->pos = static_cast<uint32_t>(size - 1);
    if (take > 0) priv_TBufSetStat(g, n);
    return take;
  }

  int cls = Glob_komentTail;
  int prevSep = 1;
  int i = 0;
  bool lineEnd = false;
  while (i < take) {
    int sep;
    bool open = cls == kComment || cls == kString;
    if (!open) {
      cls = kPlain;
      sep = prevSep;
    } else {
      sep = 0;
    }
    const unsigned char c = d[bl->pos];
    const bool hasNext = static_cast<int>(bl->pos) + 1 < size;
    if (TBufFromLenta_IsSpecZnakChar(c)) {
      if (!open) {
        cls = kSign;
        sep = 1;
      }
    } else if (TBufFromLenta_IsQvch(c)) {
      if (Glob_wasQvch) {
        cls = kQuoteEnd;
        Glob_wasQvch = 0;
        sep = 1;
      } else if (cls != kComment) {
        cls = kString;
        Glob_wasQvch = 1;
      }
    } else if (TBufFromLenta_IsDigit(c)) {
      if (sep && !open) {
        cls = kNumber;
        sep = 1;
        if (i > 0 && e->text[i - 1] == '.') TBufPrivParseSelColor(e, i - 1, kNumber);
      }
    } else if (c == 13 && hasNext && d[bl->pos + 1] == 10) {
      lineEnd = true;
      break;
    } else if (c == 9) {
      e->text[i] = ' ';
      TBufPrivParseSelColor(e, i, cls);
      ++bl->pos;
      ++i;
      prevSep = 1;
      if (static_cast<int>(bl->pos) >= size) break;
      continue;
    } else if (c == '/' && !Glob_wasQvch) {
      if (hasNext && d[bl->pos + 1] == '/') {
        cls = kComment;
      } else if (cls != kComment) {
        cls = kSign;
        sep = 1;
      }
    } else {
      sep = c == ' ' ? 1 : 0;
    }
    e->text[i] = static_cast<char>(c);
    TBufPrivParseSelColor(e, i, cls);
    ++bl->pos;
    if (i == take - 1) hitMax = 1;
    ++i;
    prevSep = sep;
    if (static_cast<int>(bl->pos) >= size) break;  // the end of the data ends the line
  }
  e->text[i] = 0;
  if (lineEnd) {  // strings and comments never span lines
    Glob_wasQvch = 0;
    Glob_komentTail = kPlain;
    bl->pos += 2;
    if (i == 0) return 0;
    priv_TBufSetStat(g, n);
    return i + 2;
  }
  Glob_komentTail = cls;
  if (i == 0) return 0;
  priv_TBufSetStat(g, n);
  return i;
}

int TBufFromLentaBlok(int g, int n, ByteLenta* bl, int start) {
  if (!bl || !bl->data || bl->size <= 0) return 0;
  if (TBufGruFail(g)) return 0;
  orgT_TBuf_* e = EntryOf(g, n);
  if (!e) return 0;
  const int size = bl->size;
  if (start > -1 && start <= size - 6) bl->pos = static_cast<uint32_t>(start);
  if (static_cast<int64_t>(bl->pos) + 4 > size) return 0;
  int32_t len;
  std::memcpy(&len, bl->data + bl->pos, 4);
  bl->pos += 4;
  if (len < 2) return 0;
  int avail = size - static_cast<int>(bl->pos);
  int copy = len < orgT_TBuf_::kCap ? len : orgT_TBuf_::kCap;  // a longer block keeps 192 letters
  if (copy > avail) copy = avail;
  e->Clear();
  std::memcpy(e->text, bl->data + bl->pos, copy);
  e->text[copy] = 0;
  priv_TBufSetStat(g, n);
  int64_t next = static_cast<int64_t>(bl->pos) + len;
  if (next > size - 1) next = size - 1;
  bl->pos = static_cast<uint32_t>(next);
  return 1;
}

int LoadTBufGru(const char* name, int make) {
  ByteLenta bl;
  if (!name || !*name || !GetByteLenta(bl, name, "", "", 0)) return 0;
  std::istringstream is(std::string(reinterpret_cast<const char*>(bl.data), bl.data ? bl.size : 0));
  std::string line;
  long group = 0, count = 0;
  // Numbers are followed by their line break (and anything else on that line).
  if (!TextGetLine(is, line) || !(is >> group >> count) || !TextGetLine(is, line)) return 0;
  if (group < 1 || group > 40 || count < 0 || count > 32766) {
    LogInfo("\n Text group file \"%s\": group %ld with %ld texts refused\n", name, group, count);
    return 0;
  }
  int g = static_cast<int>(group);
  if (make > 0) {
    if (MakeTBufGru(static_cast<int>(count) + 1, g) != g) return 0;
  } else if (!gr_TBuf[g]) {
    LogInfo("\n Text group file \"%s\": group %d does not exist\n", name, g);
    return 0;
  }
  const int last = gr_TBuf_Last[g];
  auto entry = [last](long v) { return static_cast<int>(v < 1 ? 1 : v > last ? last : v); };
  for (long read = 0; read < count; read += 2) {
    long a = 0, b = 0;
    std::string ta, tb;
    bool ok = TextGetLine(is, line) && TextGetLine(is, line) && (is >> a >> b) && TextGetLine(is, line) &&
              TextGetLine(is, ta) && TextGetLine(is, tb);
    if (!ok) {
      KillTBufGru(g);
      return 0;
    }
    // Texts are stored as they stand: a % in a file is a letter, not a format.
    TBufUpdate(g, entry(a), "%s", TextTrimS(ta).c_str());
    TBufUpdate(g, entry(b), "%s", TextTrimS(tb).c_str());
  }
  return 1;
}
