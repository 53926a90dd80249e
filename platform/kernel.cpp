// Clocks, sleeps, the current directory, the lock on the run folder and the
// sound device name.
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

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

int plat_InstanceLockTaken(const char* lockFile, const char** why) {
  // Taking a lock this process holds again finds it held by us.
  static std::vector<std::string> held;
  const char* dummy = nullptr;
  const char*& out = why ? *why : dummy;
  out = nullptr;
  if (!lockFile || !*lockFile) {
    out = "no lock file name";
    return -1;
  }
  for (const std::string& h : held)
    if (h == lockFile) return 0;
  // Whatever stands at the name itself and opens this way is locked, a pipe
  // (which a second game then finds held) or a device included.
  int fd = open(lockFile, O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0644);
  if (fd < 0) {
    // flock needs no write access: a file this user may only read, a
    // directory, or either at the end of a link is locked through a
    // read-only descriptor. Nothing else is opened (a device or a pipe
    // behind a link, or one this user may not write).
    const int openErr = errno;
    struct stat st{};
    if (stat(lockFile, &st) != 0) {
      out = std::strerror(openErr == ELOOP ? errno : openErr);  // a link: what its end is
      return -1;
    }
    if (!S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode)) {
      out = "neither a regular file nor a directory";
      return -1;
    }
    fd = open(lockFile, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
      out = std::strerror(errno);
      return -1;
    }
  }
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int err = errno;
    close(fd);
    if (err == EWOULDBLOCK) return 1;
    out = std::strerror(err);
    return -1;
  }
  // The descriptor stays open, and the lock with it, until the process ends:
  // the system lets go of it however the process ends.
  held.push_back(lockFile);
  return 0;
}

const char* plat_SoundDeviceName(const char*) { return nullptr; }
