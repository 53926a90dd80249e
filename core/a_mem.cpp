#include "core/a_mem.h"

#include <cfloat>
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

const char gEngTextSimbChar[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
const char gEngVarNameCharCPPAftFirst[] = "0123456789_ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
const char gEngVarNameCharCPGenAftFirst[] = ".:0123456789_ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
const char gWordDelimChars[] = " \t\r\n\"'\\{}()[]*+-/=><,.:;~&^%!|?@#$";

namespace {

const char kBlanks[] = " \t";

// atoi of a 32-bit runtime: the leading decimal number, saturated to the int range.
int32_t leadingInt(const std::string& s) {
  long long v = std::strtoll(s.c_str(), nullptr, 10);
  if (v < INT32_MIN) return INT32_MIN;
  if (v > INT32_MAX) return INT32_MAX;
  return (int32_t)v;
}

double leadingDouble(const std::string& s) { return std::strtod(s.c_str(), nullptr); }

bool isLatin(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

// ---- number parsing ------------------------------------------------------

unsigned char SToByte(const std::string& s) {
  if (s.empty()) return 0;
  int v = leadingInt(s);
  if (v > 255) return 255;
  if (v >= 0) return (unsigned char)v;
  if (v >= -128) return (unsigned char)(256 + v);
  return 0;
}

short SToShort(const std::string& s) {
  if (s.empty()) return 0;
  int v = leadingInt(s);
  if (v < -32768) return 0;
  if (v > 32767) return 32767;
  return (short)v;
}

unsigned short SToUShort(const std::string& s) {
  if (s.empty()) return 0;
  int v = leadingInt(s);
  if (v < 0 || v > 65535) return 0;
  return (unsigned short)v;
}

int SToInt(const std::string& s) { return leadingInt(s); }

unsigned int SToUInt(const std::string& s) { return (unsigned int)leadingInt(s); }

float SToFlo(const std::string& s) {
  double d = leadingDouble(s);
  if (d > FLT_MAX) return HUGE_VALF;
  if (d < -FLT_MAX) return -HUGE_VALF;
  return (float)d;
}

double SToDbl(const std::string& s) { return leadingDouble(s); }

// ---- formatting ----------------------------------------------------------

std::string IntToS(int v) { return std::to_string(v); }

std::string ByteToS(unsigned char v) { return std::to_string((unsigned)v); }

std::string IntToS(int v, int width) {
  std::string s = std::to_string(v);
  if (width < 2 || width > 10) return s;
  // Digit count by signed comparisons: every negative value counts as one digit.
  int d = 1;
  for (int64_t lim = 9; d < 10 && v > lim; lim = lim * 10 + 9) d++;
  if (d >= width) return s;
  return std::string((size_t)(width - d), '0') + s;
}

namespace {
template <size_t N>
std::string mixFormat(const char* format, va_list args) {
  if (!format) return std::string();
  char buf[N + 1] = {};
  std::vsnprintf(buf, sizeof(buf), format, args);
  return std::string(buf);
}
}  // namespace

std::string MixForString64(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string r = mixFormat<64>(format, args);
  va_end(args);
  return r;
}

std::string MixForString300(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string r = mixFormat<300>(format, args);
  va_end(args);
  return r;
}

// ---- case and trimming ---------------------------------------------------

std::string TextUpperS(const std::string& s) {
  std::string r = s;
  for (char& c : r)
    if (c >= 'a' && c <= 'z') c = (char)(c - 'a' + 'A');
  return r;
}

std::string TextLowerS(const std::string& s) {
  std::string r = s;
  for (char& c : r)
    if (c >= 'A' && c <= 'Z') c = (char)(c - 'A' + 'a');
  return r;
}

std::string TextTrimS(const std::string& s) {
  if (s.empty()) return s;
  size_t b = s.find_first_not_of(kBlanks);
  if (b == std::string::npos) return std::string();
  size_t e = s.find_last_not_of(kBlanks);
  return s.substr(b, e - b + 1);
}

// ---- searching and comparing ---------------------------------------------

int TextPos(const char* hay, const std::string& needle, int from) {
  if (!hay) return -1;
  return TextPos(std::string(hay), needle, from);
}

int TextPos(const std::string& hay, const std::string& needle, int from) {
  if (from < 0 || (size_t)from > hay.size()) return -1;
  size_t p = std::string_view(hay).find(needle, (size_t)from);
  return p == std::string::npos ? -1 : (int)p;
}

int TextPartSame(const std::string& a, int ia, const std::string& b, int ib, int n) {
  if (ia < 0 || ib < 0 || (size_t)ia > a.size() || (size_t)ib > b.size()) return 0;
  std::string_view ta = std::string_view(a).substr((size_t)ia), tb = std::string_view(b).substr((size_t)ib);
  if (n <= 0) return ta == tb ? 1 : 0;
  size_t un = (size_t)n;
  if (ta.size() != tb.size() && (ta.size() < un || tb.size() < un)) return 0;
  return ta.substr(0, un) == tb.substr(0, un) ? 1 : 0;
}

int FindInLineIgnorStrings(const std::string& line, const std::string& what, int from, int nth) {
  if (line.empty() || what.empty() || what[0] == '"' || from < 0 || nth < 1) return -1;
  size_t n = line.size(), i = (size_t)from;
  bool inString = false;
  int count = 0;
  while (i < n) {
    char c = line[i];
    if (inString) {
      if (c == '"' && line[i - 1] != '\\') inString = false;
      i++;
      continue;
    }
    if (c == '"' && (i == (size_t)from || line[i - 1] != '\\')) {
      inString = true;
      i++;
      continue;
    }
    if (line.compare(i, what.size(), what) == 0) {
      if (++count == nth) return (int)i;
      i += what.size();
      continue;
    }
    i++;
  }
  return -1;
}

int EngTextSimb(char ch) { return isLatin((unsigned char)ch) ? 1 : 0; }
int EngTextSimb(unsigned char ch) { return isLatin(ch) ? 1 : 0; }
int EngTextSimb(const std::string& text, int index) {
  return (index >= 0 && (size_t)index < text.size() && isLatin((unsigned char)text[(size_t)index])) ? 1 : 0;
}

std::string AnTextWordFrom(const std::string& text, int from, int& end, const char* delimiters) {
  if (from < 0 || (size_t)from > text.size() || !delimiters) {
    end = -1;
    return std::string();
  }
  size_t p = text.find_first_of(delimiters, (size_t)from);
  end = p == std::string::npos ? -1 : (int)p;
  if (end == 0) return std::string();
  if (end < 0) return text.substr((size_t)from);
  return text.substr((size_t)from, p - (size_t)from);
}

// ---- replacing and removing ----------------------------------------------

std::string TextReplaceS(const std::string& text, const std::string& from, const std::string& to) {
  if (from.empty() || text.find(from) == std::string::npos) return text;
  // Positions are gathered on a working copy from which each occurrence is
  // deleted and the search restarted at its start, so that occurrences formed
  // where a deleted one joined its neighbours are found too.
  std::string work = text, result = text;
  std::vector<size_t> positions;
  size_t offset = 0, p;
  while ((p = work.find(from)) != std::string::npos) {
    positions.push_back(p + offset);
    offset += to.size();
    work.erase(p, from.size());
  }
  for (size_t pos : positions)
    if (pos <= result.size()) result.replace(pos, from.size(), to);
  return result;
}

int RemoveBloksFromString(std::string& text, const std::string& open, const std::string& close) {
  if (open.empty() || close.empty()) return 0;
  int removed = 0;
  for (;;) {
    size_t a = text.find(open);
    if (a == std::string::npos) break;
    size_t b = text.find(close, a + open.size());
    if (b == std::string::npos) break;
    text.erase(a, b + close.size() - a);
    removed = 1;
  }
  return removed;
}

int RemoveBloksFrLineWfStrings(std::string& text, const std::string& open, const std::string& close) {
  if (text.size() < 2 || open.empty() || close.empty()) return 0;
  if (open[0] == '"' || open[0] == '\'' || close[0] == '"' || close[0] == '\'') return 0;
  int removed = 0;
  for (bool again = true; again;) {
    again = false;
    bool inString = false, inBlock = false;
    size_t blockStart = 0;
    for (size_t i = 0; i < text.size();) {
      char c = text[i];
      bool quote = c == '"' && (i == 0 || text[i - 1] != '\\');
      if (inString && quote) {
        inString = false;
      } else if (inBlock && !inString && text.compare(i, close.size(), close) == 0) {
        text.erase(blockStart, i + close.size() - blockStart);
        removed = 1;
        again = true;  // rescan from the start
        break;
      } else if (quote && !inString) {
        inString = true;
      } else if (!inString && !inBlock && text.compare(i, open.size(), open) == 0) {
        inBlock = true;
        blockStart = i;
        i += open.size();
        continue;
      }
      i++;
    }
  }
  return removed;
}

// ---- identifier checks ---------------------------------------------------

namespace {
int validName(const std::string& raw, const char* allowed, bool qualified) {
  std::string name = TextTrimS(raw);
  if (name.empty()) return 0;
  size_t first = 0;
  if (qualified && name[0] == ':') {
    if (name.size() < 3 || name[1] != ':') return 0;
    first = 2;
  }
  unsigned char f = (unsigned char)name[first];
  if (!isLatin(f) && f != '_') return 0;
  return name.find_first_not_of(allowed) == std::string::npos ? 1 : 0;
}
}  // namespace

int ValidNameVarCPP(const std::string& name) { return validName(name, gEngVarNameCharCPPAftFirst, false); }
int ValidNameVarCPGen(const std::string& name) { return validName(name, gEngVarNameCharCPGenAftFirst, true); }
