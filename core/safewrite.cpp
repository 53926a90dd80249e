#include "core/safewrite.h"

#include <cstring>

#include "core/log.h"
#include "core/sysfs.h"

int t_SafeWrite::Open(const std::string& name, const std::string& ext) {
  if (f) return 0;
  path_ = name + ext;
  tmp_.clear();
  ok_ = true;
  if (name.empty()) return 0;
  // A directory in the file's place is no file to replace; anything else that
  // is there (a pipe, a link, dangling or not) goes to the backup like an old
  // file, never followed.
  const char* what = sysWhatIsAt(path_);
  if (what && std::strcmp(what, "a directory") == 0) {
    LogFail("\n write of \"%s\" refused: it is a directory", path_.c_str());
    return 0;
  }
  // The temporary file is always a new one: a file, link or pipe left at its
  // name is removed, never written through.
  std::string tmp = path_ + "_new";
  const char* why = nullptr;
  f = sysOpenWrite(tmp, "wb", &why);
  if (!f) {
    LogFail("\n write of \"%s\" failed: \"%s\" cannot be created (%s)\n", path_.c_str(), tmp.c_str(), why);
    return 0;
  }
  tmp_ = tmp;
  return 1;
}

FILE* t_SafeWrite::Take() {
  FILE* taken = f;
  f = nullptr;
  return taken;
}

int t_SafeWrite::Finish(bool ok) {
  ok_ = ok_ && ok;
  if (tmp_.empty()) return 0;
  std::string tmp = tmp_;
  tmp_.clear();
  if (ok_) {
    std::string bak = path_ + "_bak";
    // Links at either name count as themselves: moved aside or removed.
    bool hadOld = sysNameTaken(path_);
    if (hadOld && sysWhatIsAt(bak) && !sysDeleteFile(bak)) {
      LogFail("\n write of \"%s\": the old backup \"%s\" cannot be removed\n", path_.c_str(), bak.c_str());
      ok_ = false;
    } else if (hadOld && !sysMoveFile(path_, bak)) {
      LogFail("\n write of \"%s\": the old file cannot be moved to \"%s\"\n", path_.c_str(), bak.c_str());
      ok_ = false;
    } else if (!sysMoveFile(tmp, path_)) {
      LogFail("\n write of \"%s\": the new file cannot take its name\n", path_.c_str());
      if (hadOld) sysMoveFile(bak, path_);
      ok_ = false;
    }
    if (ok_) return 1;
  } else {
    LogFail("\n write of \"%s\" failed: the old file is kept\n", path_.c_str());
  }
  sysDeleteFile(tmp);
  return 0;
}

bool SafeFlushOK(FILE* f) { return f && std::fflush(f) == 0 && !std::ferror(f); }

int t_SafeWrite::Close() {
  if (!f) return Finish(false);
  bool ok = SafeFlushOK(f);
  if (std::fclose(f) != 0) ok = false;
  f = nullptr;
  return Finish(ok);
}

t_SafeWrite::~t_SafeWrite() {
  if (f) {
    std::fclose(f);
    f = nullptr;
  }
  if (!tmp_.empty()) Finish(false);
}
