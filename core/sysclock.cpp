#include "core/sysclock.h"

#include <ctime>

namespace {
t_MonoClockFn gMonoClock = nullptr;
t_WallClockFn gWallClock = nullptr;
}  // namespace

void sysSetMonoClock(t_MonoClockFn fn) { gMonoClock = fn; }
void sysSetWallClock(t_WallClockFn fn) { gWallClock = fn; }

int64_t sysMonoNanos() {
  if (gMonoClock) return gMonoClock();
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return (int64_t)ts.tv_sec * 1000000000 + ts.tv_nsec;
}

uint32_t sysTickCount() { return (uint32_t)(sysMonoNanos() / 1000000); }

void sysGetTime(int local, t_SysTime& out) {
  if (gWallClock) {
    gWallClock(local, out);
    return;
  }
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  tm t{};
  time_t secs = ts.tv_sec;
  if (local) localtime_r(&secs, &t);
  else gmtime_r(&secs, &t);
  out.year = t.tm_year + 1900;
  out.month = t.tm_mon + 1;
  out.dayOfWeek = t.tm_wday;
  out.day = t.tm_mday;
  out.hour = t.tm_hour;
  out.minute = t.tm_min;
  out.second = t.tm_sec;
  out.millis = (int)(ts.tv_nsec / 1000000);
}
