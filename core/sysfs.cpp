#include "core/sysfs.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

int sysFileExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::exists(path, ec) ? 1 : 0;
}

const char* sysNotRegularFile(const std::string& path) {
  struct stat st {};
  if (path.empty()) return "missing";
  // A link that leads nowhere stands at the name: it is not missing.
  if (::stat(path.c_str(), &st) != 0) return ::lstat(path.c_str(), &st) == 0 ? "a link to nothing" : "missing";
  if (S_ISDIR(st.st_mode)) return "a directory";
  if (!S_ISREG(st.st_mode)) return "not a regular file";
  return nullptr;
}

const char* sysWhatIsAt(const std::string& path) {
  struct stat st {};
  if (path.empty() || ::lstat(path.c_str(), &st) != 0) return nullptr;
  if (S_ISLNK(st.st_mode)) return ::stat(path.c_str(), &st) == 0 ? "a link" : "a link to nothing";
  if (S_ISDIR(st.st_mode)) return "a directory";
  if (S_ISREG(st.st_mode)) return "a regular file";
  if (S_ISFIFO(st.st_mode)) return "a pipe";
  return "not a regular file";
}

int sysNameTaken(const std::string& path) {
  const char* what = sysWhatIsAt(path);
  return what && std::strcmp(what, "a directory") != 0 ? 1 : 0;
}

namespace {

// What keeps a path from being opened as a regular file (null when nothing
// does), with errno set to match.
const char* NotOpenable(const std::string& path) {
  const char* not_ = sysNotRegularFile(path);
  if (!not_) return nullptr;
  // Missing, or a link to nothing: the failed stat's own cause stands.
  if (std::strcmp(not_, "a directory") == 0)
    errno = EISDIR;
  else if (std::strcmp(not_, "not a regular file") == 0)
    errno = EINVAL;
  else if (path.empty())
    errno = ENOENT;
  return not_;
}

}  // namespace

FILE* sysOpenRegular(const std::string& path, const char** why) {
  const char* not_ = NotOpenable(path);
  FILE* f = not_ ? nullptr : std::fopen(path.c_str(), "rb");
  if (why) *why = not_ ? not_ : f ? nullptr : "unreadable";
  return f;
}

bool sysOpenRegular(std::ifstream& in, const std::string& path, const char** why) {
  const char* not_ = NotOpenable(path);
  if (!not_) in.open(path, std::ios::binary);
  bool ok = !not_ && in.is_open();
  if (why) *why = not_ ? not_ : ok ? nullptr : "unreadable";
  return ok;
}

namespace {

const char* OpenFailure(int err) {
  switch (err) {
    case ELOOP: return "a link";
    case EISDIR: return "a directory";
    case ENXIO: return "not a regular file";  // a pipe nobody reads
    default: return std::strerror(err);
  }
}

}  // namespace

FILE* sysOpenWrite(const std::string& path, const char* mode, const char** why) {
  const char* fail = nullptr;
  int err = 0;
  const char* dummy = nullptr;
  const char*& out = why ? *why : dummy;
  out = nullptr;
  const bool plus = mode && std::strchr(mode, '+');
  int flags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | (plus ? O_RDWR : O_WRONLY);
  struct stat st {};
  const bool there = !path.empty() && ::lstat(path.c_str(), &st) == 0;
  if (path.empty() || !mode || !std::strchr("war", mode[0]) || (mode[0] == 'r' && !plus)) {
    fail = "no file name or mode", err = EINVAL;
  } else if (there && S_ISDIR(st.st_mode)) {
    fail = "a directory", err = EISDIR;
  } else if (mode[0] == 'w') {
    // Created anew: nothing that stood at the name is opened.
    if (there && ::unlink(path.c_str()) != 0) err = errno, fail = std::strerror(err);
    flags |= O_CREAT | O_EXCL;
  } else if (there && S_ISLNK(st.st_mode)) {
    fail = "a link", err = ELOOP;
  } else if (there && !S_ISREG(st.st_mode)) {
    fail = "not a regular file", err = EINVAL;
  } else if (mode[0] == 'a') {
    flags |= O_CREAT | O_APPEND;
  } else if (!there) {
    fail = "missing", err = ENOENT;
  }
  if (fail) {
    out = fail;
    errno = err;
    return nullptr;
  }
  int fd = ::open(path.c_str(), flags, 0666);
  if (fd < 0) {
    out = OpenFailure(errno);
    return nullptr;
  }
  // What was opened is checked too: the name may have changed in between.
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    out = "not a regular file";
    errno = EINVAL;
    return nullptr;
  }
  int fl = ::fcntl(fd, F_GETFL);
  if (fl != -1) ::fcntl(fd, F_SETFL, fl & ~O_NONBLOCK);
  FILE* f = ::fdopen(fd, mode);
  if (!f) {
    err = errno;
    out = std::strerror(err);
    ::close(fd);
    errno = err;
  }
  return f;
}

std::string sysTempName(const std::string& path) { return path + "_new"; }

int sysCopyFile(const std::string& from, const std::string& to, int failIfExists) {
  if (to.empty()) return errno = ENOENT, 0;
  if (failIfExists && sysWhatIsAt(to)) return errno = EEXIST, 0;
  FILE* in = sysOpenRegular(from);
  if (!in) return 0;
  const std::string tmp = sysTempName(to);
  FILE* out = sysOpenWrite(tmp, "wb");
  // The cause of the first step that failed.
  int err = 0;
  auto failed = [&err](bool failure) {
    if (failure && !err) err = errno ? errno : EIO;
  };
  failed(!out);
  char buf[65536];
  for (size_t n; !err && (n = std::fread(buf, 1, sizeof buf, in)) > 0;) {
    errno = 0;
    failed(std::fwrite(buf, 1, n, out) != n);
  }
  failed(!err && std::ferror(in));
  std::fclose(in);
  // The copy's data are on the disk before it takes the name.
  failed(!err && (std::fflush(out) != 0 || ::fsync(fileno(out)) != 0));
  if (out) failed(std::fclose(out) != 0);
  // rename replaces a file, link or pipe at `to`, not a directory.
  failed(!err && ::rename(tmp.c_str(), to.c_str()) != 0);
  if (err && out) ::unlink(tmp.c_str());
  errno = err;
  return err ? 0 : 1;
}

int sysMoveFile(const std::string& from, const std::string& to) {
  std::error_code ec;
  if (from.empty() || to.empty() || !fs::exists(fs::symlink_status(from, ec))) return errno = ENOENT, 0;
  if (fs::exists(fs::symlink_status(to, ec))) return errno = EEXIST, 0;
  fs::rename(from, to, ec);
  if (ec) errno = ec.value();
  return ec ? 0 : 1;
}

int sysDeleteFile(const std::string& path) {
  std::error_code ec;
  if (path.empty()) return errno = ENOENT, 0;
  if (fs::is_directory(fs::symlink_status(path, ec))) return errno = EISDIR, 0;
  if (fs::remove(path, ec) && !ec) return 1;
  errno = ec ? ec.value() : ENOENT;
  return 0;
}

int sysCreateDirectory(const std::string& path) {
  std::error_code ec;
  if (path.empty()) return 0;
  fs::create_directory(path, ec);
  return !ec && fs::is_directory(path, ec) ? 1 : 0;
}

int sysGetCurrentDirectory(std::string& out) {
  std::error_code ec;
  fs::path p = fs::current_path(ec);
  if (ec) return 0;
  out = p.string();
  return 1;
}

int sysSetCurrentDirectory(const std::string& path) {
  return !path.empty() && ::chdir(path.c_str()) == 0 ? 1 : 0;
}

int sysDiskSpace(const std::string& dir, uint64_t& freeToCaller, uint64_t& total, uint64_t& totalFree) {
  struct statvfs s {};
  if (dir.empty() || ::statvfs(dir.c_str(), &s) != 0) return 0;
  uint64_t unit = s.f_frsize ? s.f_frsize : s.f_bsize;
  freeToCaller = (uint64_t)s.f_bavail * unit;
  total = (uint64_t)s.f_blocks * unit;
  totalFree = (uint64_t)s.f_bfree * unit;
  return 1;
}
