#include "core/timers.h"

#include <cerrno>
#include <cstring>

#include "core/sysclock.h"
#include "core/sysfs.h"
#include "ui/ui.h"

t_TimerQPerf timerQPerf;
uint32_t gMilli = 1;
int32_t GFrameTime = 1;
t_Char256 GlobalFileName00;

void TimerInit() {
  std::memset(&timerQPerf, 0, sizeof(timerQPerf));
  // The monotonic counter always exists here; it counts nanoseconds.
  timerQPerf.frequency = 1000000000;
  timerQPerf.counterStart = sysMonoNanos();
  timerQPerf.counterFlag = 1;
  *o2::UseQueryPF = 1;
  timerQPerf.resolution = 1.0 / (double)timerQPerf.frequency;
  timerQPerf.counterLast = timerQPerf.counterStart;
}

int32_t QueryPFTik() {
  if (timerQPerf.counterFlag) {
    int64_t ticks = sysMonoNanos() - timerQPerf.counterStart;
    double secs = (double)ticks * timerQPerf.resolution;
    return (int32_t)(uint32_t)(uint64_t)(int64_t)(secs * 1000.0);
  }
  return (int32_t)(sysTickCount() - timerQPerf.mmStart);
}

uint32_t sysTime() {
  if (*o2::UseQueryPF) return (uint32_t)QueryPFTik();
  return sysTickCount();
}

t_Mej::t_Mej() : last(gMilli), period(1000) {}

int t_Mej::aTry(float& fraction) {
  if (!((uint32_t)(last + period) < gMilli)) return 0;
  // A zero period counts as 1 ms so that the fraction stays finite.
  double p = period ? (double)period : 1.0;
  fraction = (float)((double)(gMilli - last) / p);
  last = gMilli;
  return 1;
}

namespace zn {

float FrT(float v) { return GFrameTime <= 1 ? v : (float)GFrameTime * v; }

void ToZero(int& t) {
  if (t > 0) {
    t -= GFrameTime;
    if (t < 1) t = 0;
  }
}

void ToZero(int& t, int& step) {
  if (t > 0) {
    int64_t r = (int64_t)t - step;  // a negative step must not overflow
    t = r < 1 ? 0 : (r > INT32_MAX ? INT32_MAX : (int)r);
  }
}

int ToZeroi(int& t) {
  if (t < 1) return 1;
  t -= GFrameTime;
  if (t < 1) {
    t = 0;
    return 1;
  }
  return 0;
}

int res1(int v, int& r) {
  r = v;
  return 1;
}

int res1(float v, float& r) {
  r = v;
  return 1;
}

}  // namespace zn

int HDD_FreeSpaceOf(uint64_t freeToCaller, uint64_t total, short store) {
  if (store) {
    *o2::UserDirFreeSpaceMB = (int)(uint32_t)(freeToCaller / 1000000);
    *o2::UserDirTotalSpaceMB = (int)(uint32_t)(total / 1000000);
  }
  return freeToCaller / 1000000 >= kHddMinFreeMB ? 1 : 0;
}

int HDD_FreeSpace(const char* dir, short store, std::string* why) {
  const bool named = dir && dir[0] && dir[1];
  uint64_t freeToCaller = 0, total = 0, totalFree = 0;
  if (!named || !sysDiskSpace(dir, freeToCaller, total, totalFree)) {
    if (why)
      *why = "the free space of \"" + std::string(dir ? dir : "") + "\" cannot be read (" +
             (named ? std::strerror(errno) : "no folder") + ")";
    return 0;
  }
  if (HDD_FreeSpaceOf(freeToCaller, total, store)) return 1;
  if (why)
    *why = std::to_string(freeToCaller / 1000000) + " MB free on the disk of \"" + dir + "\", " +
           std::to_string(kHddMinFreeMB) + " MB needed";
  return 0;
}

int SetFileName00(const std::string& name) {
  if (name.size() < 2) return (int)name.size();
  GlobalFileName00.Set(name.c_str());
  return (int)std::strlen(GlobalFileName00.c);
}

int ReConstrFolderEnd(std::string& path) {
  if (path.empty()) return 0;
  char last = path.back();
  if (path.size() == 1 || (last != '/' && last != '\\')) path += '/';
  return 1;
}

int GetFolderFromFullName(std::string& path) {
  if (path.size() < 2) return 0;
  for (size_t i = path.size() - 1; i >= 1; i--) {
    if (path[i] == '/' || path[i] == '\\') {
      path.resize(i);
      path += '/';
      return 1;
    }
  }
  return 0;
}
