#include "core/log.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "core/sysfs.h"

void t_LogSys::Write(int id, const char* format, va_list args) {
  if (klvMsg_ >= MaxMsgs) return;
  if (skipRepeats_ && id == indLastMsg_) return;
  // Appended only to a regular file: a pipe at the log's name must not stop
  // the program, nor a link carry the messages into another file.
  // A message that is lost is not counted: later messages are still tried.
  const char* why = nullptr;
  FILE* f = sysOpenWrite(path_, "a", &why);
  if (!f) return Failed(why);
  if (skipRepeats_) indLastMsg_ = id;
  int err = 0;
  if (format && std::vfprintf(f, format, args) < 0) err = errno;
  if (!err && klvMsg_ + 1 == MaxMsgs && std::fprintf(f, "\n(%d) so mach msgs and log-sys close ...\n", MaxMsgs) < 0)
    err = errno;
  if (!err && std::fflush(f) != 0) err = errno;  // the buffered text reaches the disk here
  if (std::fclose(f) != 0 && !err) err = errno;
  if (err) return Failed(std::strerror(err));
  klvMsg_++;
  failing_ = false;
}

void t_LogSys::Failed(const char* why) {
  if (!why) why = "unknown cause";
  if (failing_ && std::strncmp(why, failWhy_, sizeof failWhy_ - 1) == 0) return;
  std::fprintf(stderr, "velmar: the log %s cannot be written (%s)\n", path_.c_str(), why);
  failing_ = true;
  std::snprintf(failWhy_, sizeof failWhy_, "%s", why);
}

namespace {
// Made on first use and never destroyed: a message from another object's
// construction or destruction still finds its log.
t_LogSys& MainLog() {
  static t_LogSys* const log = new t_LogSys("log.txt", false);
  return *log;
}
t_LogSys& GlLog() {
  static t_LogSys* const log = new t_LogSys("logOGL.txt", true);
  return *log;
}
char gLastFail[512];
}  // namespace

void LogSetFolder(const std::string& folder) {
  std::string base = folder;
  if (!base.empty() && base.back() != '/') base += '/';
  MainLog().SetPath(base + "log.txt");
  GlLog().SetPath(base + "logOGL.txt");
}

const char* LogPath() { return MainLog().Path(); }

namespace {
void KeepFail(const char* format, va_list args) {
  char text[sizeof gLastFail];
  std::vsnprintf(text, sizeof text, format, args);
  const char* b = text;
  while (*b == '\n' || *b == '\r' || *b == ' ') ++b;
  size_t n = std::strlen(b);
  while (n > 0 && (b[n - 1] == '\n' || b[n - 1] == '\r' || b[n - 1] == ' ')) --n;
  std::memcpy(gLastFail, b, n);
  gLastFail[n] = 0;
}
}  // namespace

void LogFail(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  MainLog().Write(0, format, args);
  KeepFail(format, copy);
  va_end(copy);
  va_end(args);
}

void LastFailSet(const char* format, ...) {
  va_list args;
  va_start(args, format);
  KeepFail(format, args);
  va_end(args);
}

const char* LastFailText() { return gLastFail; }
void LastFailClear() { gLastFail[0] = 0; }

void LogInfo(const char* format, ...) {
  va_list args;
  va_start(args, format);
  MainLog().Write(0, format, args);
  va_end(args);
}

void LogInfoOGL(int id, const char* format, ...) {
  va_list args;
  va_start(args, format);
  GlLog().Write(id, format, args);
  va_end(args);
}
