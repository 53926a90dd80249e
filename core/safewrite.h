// Rewriting a file safely: the new contents go to a temporary file beside the
// target ("<name>_new", always created anew: a file, link or pipe left at that
// name is removed, never written through); only when every write and the
// close succeeded, and the data are on the disk, does the old file become
// "<name>_bak" (replacing an older one) and the new one take its name. The
// old file gets its backup name as a second name (a hard link, made at
// "<name>_bak_new" first; on a file system without hard links a copy of it,
// synced there) and the new one replaces it at the name in one step, so that
// the name holds a whole file at every moment, even when the program is
// stopped in between. "_bak" only ever receives a regular file: a link
// (dangling or not), a pipe or a device at the name is kept aside as
// "<name>_bad" instead, never followed (without hard links it is moved there
// before the new file takes the name). What an unfinished save left at the
// temporary names ("<name>_new", "<name>_bak_new" and the copy's
// "<name>_bak_new_new") is removed by the next save, whether or not a file
// stands at the name, and the log names it. A directory at
// "_bak" or "_bak_new" refuses the save, and without hard links so does one
// at "_bak_new_new". A failed save logs the system's cause, removes
// the temporary file and leaves the old file and its backup as they were.
#pragma once

#include <cstdio>
#include <string>

class t_SafeWrite {
 public:
  FILE* f = nullptr;

  // Opens the temporary file of name + ext for binary writing; 0 on failure.
  int Open(const std::string& name, const std::string& ext);
  // Records the outcome of a write the caller checked.
  void Check(bool wroteAll) {
    if (!wroteAll) Fail();
    ok_ = ok_ && wroteAll;
  }
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
  void Fail();  // keeps the cause (errno) of the first failure
  // Gives the whole temporary file the name, the old one (hadOld) kept
  // aside; false, with the log line, when it stays as it was.
  bool PutInPlace(const std::string& tmp, bool hadOld);
  std::string path_;
  std::string tmp_;
  bool ok_ = true;
  int err_ = 0;
};

// Where the old file at a save's name goes: "<path>_bak" for a regular file,
// "<path>_bad" for anything else that stands there (a link, dangling or not,
// a pipe, a device), which is no file the program wrote.
std::string SafeAsideName(const std::string& path);

// Before a file that could not be read is written anew: what stands at its
// name (the file, a link, a pipe) is kept aside as "<name>_bad", replacing an
// older one, so that the new file finds no old one and "<name>_bak" stays as
// it was. 1 when the name is free now. `said` receives the end of the
// caller's log line: where the file went and whether a backup is kept, or
// why it could not be moved (the caller then writes nothing).
int SafeKeepAsBad(const std::string& path, std::string& said);

// For files whose names never repeat (a save of one never meets what an
// earlier save of another left): removes from `folder` what unfinished saves
// of its "*<ext>" files left at their temporary names, regular files only
// (links and directories stay), each named in the log as the safe write
// names a leftover. A folder that cannot be read is left alone.
void SafeClearLeftovers(const std::string& folder, const std::string& ext);

// The writer's test of a stream it is about to close: flushed without error.
bool SafeFlushOK(FILE* f);
