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
  // Hands the stream to a caller that closes it itself, then calls Finish.
  FILE* Take();
  // After the stream is closed: keeps the new file when everything went
  // well (ok and every checked write), else removes it and restores the old.
  int Finish(bool ok);
  // Flushes and closes the stream, then Finish; 1 when all went well.
  int Close();
  ~t_SafeWrite();

 private:
  std::string path_;
  bool hadOld_ = false;
  bool ok_ = true;
};
