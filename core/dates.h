// Date and time stamps for log messages and file names. A kind below 1000
// reads the clock in UTC; a kind of 1000 or more reads local time and then
// works with kind - 1000. The log stamp of the program is MixDateCh(0, 0, 1),
// for instance 29_m4_2008<Gr>14_5m_9s.
#pragma once

#include <string>

extern char general_datetime[128];  // the last stamp made by MixDateCh

// 2: 2008_04_29_14_05_09; 1: 2008_Apr-29 (month tag Latin when lang != 0 or
// the setting EngText is set, else Cyrillic in cp1251); 3: empty; other: 29_m4_2008.
std::string SysDateString(short kind, int lang);
// 1: 14h_5min_9sec; 2: 14:05; -1: 1459; other: 14_5m_9s.
std::string SysTimeString(short kind);
// Date, a tag telling which clock each part came from, then time.
char* MixDateCh(short dateKind, short timeKind, int lang);
char* MixDateChLoc(int lang);
