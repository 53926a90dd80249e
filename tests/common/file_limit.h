// A file-size limit for the life of the object (RLIMIT_FSIZE), with SIGXFSZ
// ignored so that a write beyond it fails (EFBIG) instead of ending the test:
// the way to make a save fail part-way.
#pragma once

#include <signal.h>
#include <sys/resource.h>

class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    signal(SIGXFSZ, SIG_IGN);
    ok_ = getrlimit(RLIMIT_FSIZE, &saved_) == 0;
    rlimit small = saved_;
    small.rlim_cur = bytes;
    ok_ = ok_ && setrlimit(RLIMIT_FSIZE, &small) == 0;
  }
  ~FileSizeLimit() {
    if (ok_) setrlimit(RLIMIT_FSIZE, &saved_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  bool Ok() const { return ok_; }

 private:
  rlimit saved_{};
  bool ok_ = false;
};
