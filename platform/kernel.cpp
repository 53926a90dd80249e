// Clocks, sleeps, the current directory, the single-instance lock and the
// sound device name.
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "platform/system.h"

namespace {

// A write beyond the process's file-size limit fails (EFBIG) instead of
// ending the program, so that the saver can report it and keep the old file,
// as a full disk does.
struct IgnoreFileSizeSignal {
  IgnoreFileSizeSignal() { signal(SIGXFSZ, SIG_IGN); }
} gIgnoreFileSizeSignal;

int64_t MonotonicNs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return int64_t(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}
}  // namespace

BOOL QueryPerformanceFrequency(int64_t* freq) {
  if (!freq) return FALSE;
  *freq = 1000000000;
  return TRUE;
}

BOOL QueryPerformanceCounter(int64_t* count) {
  if (!count) return FALSE;
  *count = MonotonicNs();
  return TRUE;
}

DWORD timeGetTime() { return DWORD(MonotonicNs() / 1000000); }
DWORD GetTickCount() { return timeGetTime(); }

void Sleep(DWORD ms) {
  timespec ts{time_t(ms / 1000), long(ms % 1000) * 1000000L};
  while (nanosleep(&ts, &ts) != 0 && errno == EINTR) {
  }
}

DWORD GetCurrentDirectoryA(DWORD size, char* buf) {
  char tmp[4096];
  if (!getcwd(tmp, sizeof tmp)) return 0;
  DWORD len = DWORD(std::strlen(tmp));
  if (!buf || size <= len) return len + 1;
  std::memcpy(buf, tmp, len + 1);
  return len;
}

BOOL SetCurrentDirectoryA(const char* path) {
  return path && *path && chdir(path) == 0 ? TRUE : FALSE;
}

BOOL CreateDirectoryA(const char* path, void*) {
  return path && *path && mkdir(path, 0755) == 0 ? TRUE : FALSE;
}

int plat_InstanceLockTaken(const char* name) {
  std::string safe;
  for (const char* p = name ? name : ""; *p; ++p)
    safe += (std::isalnum(static_cast<unsigned char>(*p)) || *p == '-' || *p == '_') ? *p : '_';
  const char* dir = std::getenv("XDG_RUNTIME_DIR");
  std::string path = std::string(dir && *dir ? dir : "/tmp") + "/velmar-" + safe + ".lock";
  int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
  if (fd < 0) return 0;  // no lock to be had: behave as the only instance
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    close(fd);
    return 1;
  }
  return 0;  // the descriptor stays open, and the lock with it, until the process ends
}

const char* plat_SoundDeviceName(const char*) { return nullptr; }
