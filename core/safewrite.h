// Rewriting a file safely: the new contents go to a temporary file beside the
// target ("<name>_new", always created anew: a file, link or pipe left at that
// name is removed, never written through); only when every write and the
// close succeeded does the old file become "<name>_bak" (replacing an older
// one) and the new one take its name. A link at the name or at "<name>_bak",
// dangling or not, is moved aside or removed like any other old file, never
// followed. A failed save logs, removes the temporary file and leaves the old
// file and its backup as they were.
#pragma once

#include <cstdio>
#include <string>

class t_SafeWrite {
 public:
  FILE* f = nullptr;

  // Opens the temporary file of name + ext for binary writing; 0 on failure.
  int Open(const std::string& name, const std::string& ext);
  // Records the outcome of a write the caller checked.
  void Check(bool wroteAll) { ok_ = ok_ && wroteAll; }
  // Hands the stream to a caller that closes it itself, then calls Finish.
  FILE* Take();
  // After the stream is closed: puts the new file in place when everything
  // went well (ok and every checked write), else drops it; 1 when in place.
  int Finish(bool ok);
  // Flushes and closes the stream, then Finish; 1 when all went well.
  int Close();
  ~t_SafeWrite();

  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  std::string tmp_;
  bool ok_ = true;
};

// The writer's test of a stream it is about to close: flushed without error.
bool SafeFlushOK(FILE* f);
