#include "core/dates.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/a_mem.h"
#include "core/sysclock.h"
#include "ui/ui.h"

char general_datetime[128];

namespace {

const char* const kMonthLatin[13] = {"",      "_Jan-", "_Feb-", "_Mar-", "_Apr-", "_May-", "_Jun-",
                                     "_Jul-", "_Aug-", "_Sep-", "_Okt-", "_Nov-", "_Dec-"};
// The same tags in the Windows Cyrillic code page.
const char* const kMonthCyr[13] = {"",
                                   "_\xDF\xED\xE2-", "_\xD4\xE5\xE2-", "_\xCC\xE0\xF0-", "_\xC0\xEF\xF0-",
                                   "_\xCC\xE0\xE9-", "_\xC8\xFE\xED-", "_\xC8\xFE\xEB-", "_\xC0\xE2\xE3-",
                                   "_\xD1\xE5\xED-", "_\xCE\xEA\xF2-", "_\xCD\xEE\xFF-", "_\xC4\xE5\xEA-"};

// Reads the clock the kind asks for and strips the local-time offset of 1000.
t_SysTime clockFor(short& kind) {
  t_SysTime t{};
  int local = kind >= 1000;
  if (local) kind = (short)(kind - 1000);
  sysGetTime(local, t);
  return t;
}

}  // namespace

std::string SysDateString(short kind, int lang) {
  t_SysTime t = clockFor(kind);
  switch (kind) {
    case 2: {
      char buf[64];
      std::snprintf(buf, sizeof(buf), "%04d_%02d_%02d_%02d_%02d_%02d", t.year, t.month, t.day, t.hour, t.minute,
                    t.second);
      return buf;
    }
    case 1: {
      int m = (t.month >= 1 && t.month <= 12) ? t.month : 0;
      bool latin = lang != 0 || org2n_EngText() != 0;
      return IntToS(t.year) + (latin ? kMonthLatin[m] : kMonthCyr[m]) + IntToS(t.day);
    }
    case 3: return std::string();
    default: return IntToS(t.day) + "_m" + IntToS(t.month) + "_" + IntToS(t.year);
  }
}

std::string SysTimeString(short kind) {
  t_SysTime t = clockFor(kind);
  switch (kind) {
    case 1: return IntToS(t.hour) + "h_" + IntToS(t.minute) + "min_" + IntToS(t.second) + "sec";
    case 2: return IntToS(t.hour, 2) + ":" + IntToS(t.minute, 2);
    case -1: return IntToS(t.hour) + IntToS(t.minute) + IntToS(t.second);
    default: return IntToS(t.hour) + "_" + IntToS(t.minute) + "m_" + IntToS(t.second) + "s";
  }
}

char* MixDateCh(short dateKind, short timeKind, int lang) {
  const char* tag = "<Gr>";
  if (dateKind + timeKind >= 2000) tag = "<Loc>";
  else if (dateKind >= 1000) tag = "<DGr_";
  else if (timeKind >= 1000) tag = "_TGr>";
  std::string s = SysDateString(dateKind, lang) + tag + SysTimeString(timeKind);
  std::memset(general_datetime, 0, sizeof(general_datetime));
  std::memcpy(general_datetime, s.data(), std::min(s.size(), sizeof(general_datetime) - 1));
  return general_datetime;
}

char* MixDateChLoc(int lang) { return MixDateCh(1000, 1000, lang); }
