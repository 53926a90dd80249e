#include "core/safewrite.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

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

// Sends a closed file's data to the disk, whoever closed its stream. 1 on
// success, else 0 with errno set.
int SyncFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return 0;
  const int r = ::fsync(fd);
  const int err = errno;
  ::close(fd);
  errno = err;
  return r == 0;
}

// Sends the names in the folder holding `path` to the disk, as far as it can.
void SyncFolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  const std::string dir = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Removes what a save of `path` stopped before its end left at `leftover`,
// one of its temporary names (a file, a link as itself, a pipe; never a
// directory), and the log names it.
void ClearLeftover(const std::string& path, const std::string& leftover) {
  if (!sysNameTaken(leftover)) return;
  if (sysDeleteFile(leftover))
    LogInfo("\n write of \"%s\": \"%s\", left by an unfinished save, is removed\n", path.c_str(), leftover.c_str());
  else
    LogFail("\n write of \"%s\": \"%s\", left by an unfinished save, cannot be removed (%s)\n", path.c_str(),
            leftover.c_str(), std::strerror(errno));
}

// A hard link that failed for one of these causes: the file system has none.
bool NoHardLinks(int err) {
  return err == EPERM || err == EXDEV || err == ENOTSUP || err == EOPNOTSUPP || err == EMLINK;
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
  std::string tmp = sysTempName(path_);
  ClearLeftover(path_, tmp);
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
  // The new file's data are on the disk before it takes the name.
  if (ok_ && !SyncFile(tmp)) {
    Fail();
    ok_ = false;
  }
  // Links at the name count as themselves: moved aside, never followed.
  const bool hadOld = sysNameTaken(path_);
  if (ok_) {
    if (PutInPlace(tmp, hadOld)) return 1;
    ok_ = false;
  } else {
    LogFail("\n write of \"%s\" failed (%s)%s\n", path_.c_str(), Cause(err_), hadOld ? ": the old file is kept" : "");
  }
  sysDeleteFile(tmp);
  return 0;
}

bool t_SafeWrite::PutInPlace(const std::string& tmp, bool hadOld) {
  const std::string aside = SafeAsideName(path_);
  const std::string asideNew = sysTempName(aside);
  const std::string copyNew = sysTempName(asideNew);  // where the backup copy is made
  // A directory at a name the old file passes through refuses the save.
  auto blockedBy = [&](const std::string& name) {
    const char* there = sysWhatIsAt(name);
    if (!there || std::strcmp(there, "a directory") != 0) return false;
    errno = EISDIR;
    Fail();
    LogFail("\n write of \"%s\": the old file cannot be kept as \"%s\": \"%s\" is a directory; it is kept\n",
            path_.c_str(), aside.c_str(), name.c_str());
    return true;
  };
  if (hadOld && (blockedBy(aside) || blockedBy(asideNew))) return false;
  // What a stopped save left at the backup's temporary names is removed by
  // every save, also one that finds no file (or no regular one) at the name.
  const std::string bakNew = sysTempName(path_ + "_bak");
  ClearLeftover(path_, bakNew);
  ClearLeftover(path_, sysTempName(bakNew));
  // The old file's second name: a hard link, or where the file system has
  // none a synced copy; only a link, pipe or device there is moved aside.
  bool second = false, moved = false;
  if (hadOld) {
    ClearLeftover(path_, asideNew);
    ClearLeftover(path_, copyNew);
    second = ::linkat(AT_FDCWD, path_.c_str(), AT_FDCWD, asideNew.c_str(), 0) == 0;
    if (!second && NoHardLinks(errno)) {
      if (aside != path_ + "_bak")
        moved = MoveReplacing(path_, aside);
      else if (blockedBy(copyNew))
        return false;
      else
        second = sysCopyFile(path_, asideNew, 0) == 1;
    }
    if (!second && !moved) {
      Fail();
      LogFail("\n write of \"%s\": the old file cannot be kept as \"%s\" (%s); it is kept\n", path_.c_str(),
              aside.c_str(), Cause(err_));
      return false;
    }
  }
  // With the second name, one step replaces the old file at the name by the new one.
  if (second ? std::rename(tmp.c_str(), path_.c_str()) != 0 : !sysMoveFile(tmp, path_)) {
    Fail();
    LogFail("\n write of \"%s\": the new file cannot take its name (%s)\n", path_.c_str(), Cause(err_));
    if (second) sysDeleteFile(asideNew);
    if (moved) sysMoveFile(aside, path_);
    return false;
  }
  SyncFolderOf(path_);
  if (second && !MoveReplacing(asideNew, aside))
    LogFail("\n write of \"%s\": the old file is kept as \"%s\", not as \"%s\" (%s)\n", path_.c_str(),
            asideNew.c_str(), aside.c_str(), std::strerror(errno));
  return true;
}

void SafeClearLeftovers(const std::string& folder, const std::string& ext) {
  namespace fs = std::filesystem;
  const std::string tail = sysTempName(ext);
  std::vector<std::string> found;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.size() > tail.size() && name.compare(name.size() - tail.size(), tail.size(), tail) == 0)
      found.push_back(it->path().string());
  }
  for (const std::string& leftover : found) {
    const char* what = sysWhatIsAt(leftover);
    if (!what || std::strcmp(what, "a regular file") != 0) continue;
    ClearLeftover(leftover.substr(0, leftover.size() - (tail.size() - ext.size())), leftover);
  }
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
