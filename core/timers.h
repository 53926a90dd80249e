// The millisecond clock and the small time helpers built on it: the frame
// clock globals, the interval meter t_Mej, frame-time scaling and count-downs
// (zn::FrT, zn::ToZero, zn::ToZeroi), the free-disk-space test and the path-name
// helpers that force or cut a folder separator.
#pragma once

#include <cstdint>
#include <string>

#include "core/chars.h"

// The clock record, filled once by TimerInit.
struct t_TimerQPerf {
  int64_t frequency;     // counter ticks per second (1000 for the tick-count clock)
  double resolution;     // seconds per tick
  uint32_t mmStart;      // tick count at start-up (tick-count clock)
  uint32_t mmLast;
  uint8_t counterFlag;   // 1 when the high-resolution counter is used
  int64_t counterStart;  // counter at start-up
  int64_t counterLast;
};
extern t_TimerQPerf timerQPerf;

// Frame clock, renewed once per frame by the frame start.
extern uint32_t gMilli;     // time of the current frame in ms (starts at 1)
extern int32_t GFrameTime;  // length of the last frame in ms, 1..100 (starts at 1)

void TimerInit();     // chooses the clock; sets o2::UseQueryPF
int32_t QueryPFTik();  // ms since TimerInit
uint32_t sysTime();    // the current time in ms, the value stored into gMilli

// Interval meter: fires at most once per frame, when more than one period has
// passed since it last fired.
struct t_Mej {
  uint32_t last;    // gMilli stamp
  uint32_t period;  // ms
  t_Mej();
  int aTry(float& fraction);  // 1 with fraction = periods elapsed
};

namespace zn {
float FrT(float v);  // per-frame step scaled by GFrameTime
void ToZero(int& t);
void ToZero(int& t, int& step);
int ToZeroi(int& t);  // 1 on the frame the count-down ends and after
int res1(int v, int& r);
int res1(float v, float& r);
}  // namespace zn

// 1 when the disk holding dir has at least kHddMinFreeMB (decimal MB) free for
// the caller; with store != 0 also writes o2::UserDirFreeSpaceMB and
// o2::UserDirTotalSpaceMB. Otherwise 0, and why (when given) says whether the
// free space could not be read, or how much there is.
constexpr int kHddMinFreeMB = 11;
int HDD_FreeSpace(const char* dir, short store, std::string* why = nullptr);
// The decision of HDD_FreeSpace for given byte counts.
int HDD_FreeSpaceOf(uint64_t freeToCaller, uint64_t total, short store);

extern t_Char256 GlobalFileName00;
int SetFileName00(const std::string& name);
int ReConstrFolderEnd(std::string& path);
int GetFolderFromFullName(std::string& path);
