// The system clocks: a monotonic counter (the high-resolution clock of the
// timers), the tick count (milliseconds since the system started) and the
// wall clock broken into fields, in UTC or local time. Tests replace the
// monotonic counter and the wall clock with fixed ones.
#pragma once

#include <cstdint>

// Wall-clock time broken into fields, as the date stamps use it.
struct t_SysTime {
  int year, month, dayOfWeek, day, hour, minute, second, millis;  // month 1..12, dayOfWeek 0 = Sunday
};

int64_t sysMonoNanos();     // monotonic counter in nanoseconds
uint32_t sysTickCount();    // milliseconds since the system started (wraps after 49.7 days)
void sysGetTime(int local, t_SysTime& out);  // local != 0: local time, else UTC

// Replacement clocks; nullptr restores the real one.
using t_MonoClockFn = int64_t (*)();
using t_WallClockFn = void (*)(int local, t_SysTime& out);
void sysSetMonoClock(t_MonoClockFn fn);
void sysSetWallClock(t_WallClockFn fn);
