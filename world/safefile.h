// Rewriting a file safely: the old file is moved to its name + "_bak" first;
// when any write or the close fails, the partial new file is removed and the
// old one is put back, so a failed save never leaves a damaged file behind.
#pragma once

#include <cstdio>
#include <string>

class t_SafeWrite {
 public:
  FILE* f = nullptr;

  // Opens name + ext for writing (the old file moved to "_bak"); 0 on failure.
  int Open(const std::string& name, const std::string& ext);
  // Records the outcome of a write the caller checked.
  void Check(bool wroteAll) { ok_ = ok_ && wroteAll; }
  // Flushes and closes; 1 when every write and the close succeeded.
  int Close();
  ~t_SafeWrite();

 private:
  std::string path_;
  bool hadOld_ = false;
  bool ok_ = true;
};
