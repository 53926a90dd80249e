#include "core/safewrite.h"

#include <cerrno>
#include <cstring>

#include "core/log.h"
#include "core/sysfs.h"

namespace {

const char* Cause(int err) { return err > 0 ? std::strerror(err) : "cause unknown"; }

// Renames what stands at `from` (a link as itself) to `to`, replacing what
// stands there unless it is a directory. 1 on success, else 0 with errno set.
int MoveReplacing(const std::string& from, const std::string& to) {
  if (std::rename(from.c_str(), to.c_str()) != 0) return 0;
  // Two names of one file: rename leaves both, the contents are at `to`.
  return !sysWhatIsAt(from) || sysDeleteFile(from);
}

}  // namespace

void t_SafeWrite::Fail() {
  if (!err_) err_ = errno ? errno : -1;
}

int t_SafeWrite::Open(const std::string& name, const std::string& ext) {
  if (f) return 0;
  path_ = name + ext;
  tmp_.clear();
  ok_ = true;
  if (name.empty()) return 0;
  // A directory in the file's place is no file to replace; anything else that
  // is there (a pipe, a link, dangling or not) is moved aside, never followed.
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
  err_ = errno = 0;
  return 1;
}

FILE* t_SafeWrite::Take() {
  FILE* taken = f;
  f = nullptr;
  return taken;
}

int t_SafeWrite::Finish(bool ok) {
  if (!ok) Fail();
  ok_ = ok_ && ok;
  if (tmp_.empty()) return 0;
  std::string tmp = tmp_;
  tmp_.clear();
  // Links at the name count as themselves: moved aside, never followed.
  const bool hadOld = sysNameTaken(path_);
  if (ok_) {
    const std::string aside = SafeAsideName(path_);
    if (hadOld && !MoveReplacing(path_, aside)) {
      Fail();
      LogFail("\n write of \"%s\": the old file cannot be moved to \"%s\" (%s); it is kept\n", path_.c_str(),
              aside.c_str(), Cause(err_));
      ok_ = false;
    } else if (!sysMoveFile(tmp, path_)) {
      Fail();
      LogFail("\n write of \"%s\": the new file cannot take its name (%s)\n", path_.c_str(), Cause(err_));
      if (hadOld) sysMoveFile(aside, path_);
      ok_ = false;
    }
    if (ok_) return 1;
  } else {
    LogFail("\n write of \"%s\" failed (%s)%s\n", path_.c_str(), Cause(err_), hadOld ? ": the old file is kept" : "");
  }
  sysDeleteFile(tmp);
  return 0;
}

bool SafeFlushOK(FILE* f) { return f && std::fflush(f) == 0 && !std::ferror(f); }

int t_SafeWrite::Close() {
  if (!f) return Finish(false);
  bool ok = SafeFlushOK(f);
  if (!ok) Fail();
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

std::string SafeAsideName(const std::string& path) {
  const char* what = sysWhatIsAt(path);
  return path + (what && std::strcmp(what, "a regular file") == 0 ? "_bak" : "_bad");
}

int SafeKeepAsBad(const std::string& path, std::string& said) {
  const std::string bad = path + "_bad", bak = path + "_bak";
  said.clear();
  if (sysNameTaken(path)) {
    if (!MoveReplacing(path, bad)) {
      said = "it cannot be kept as \"" + bad + "\" (" + Cause(errno) + "), so nothing is written";
      return 0;
    }
    said = "it is kept as \"" + bad + "\", ";
  }
  said += sysNameTaken(bak) ? "the backup \"" + bak + "\" is kept" : "there is no backup \"" + bak + "\"";
  return 1;
}
