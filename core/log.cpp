#include "core/log.h"

#include <cstdio>
#include <cstring>

#include "core/sysfs.h"

void t_LogSys::Write(int id, const char* format, va_list args) {
  if (klvMsg_ >= MaxMsgs) return;
  if (skipRepeats_ && id == indLastMsg_) return;
  // Appended only to a regular file: a pipe at the log's name must not stop
  // the program, nor a link carry the messages into another file.
  const char* why = nullptr;
  FILE* f = sysOpenWrite(path_, "a", &why);
  if (!f) {
    // Lost, and not counted: later messages are still tried.
    if (!warned_) std::fprintf(stderr, "velmar: the log %s cannot be written (%s)\n", path_, why);
    warned_ = true;
    return;
  }
  if (skipRepeats_) indLastMsg_ = id;
  if (format) std::vfprintf(f, format, args);
  klvMsg_++;
  if (klvMsg_ == MaxMsgs) std::fprintf(f, "\n(%d) so mach msgs and log-sys close ...\n", klvMsg_);
  std::fclose(f);
}

namespace {
t_LogSys gLog("log.txt", false);
t_LogSys gLogOGL("logOGL.txt", true);
char gLastFail[512];
}  // namespace

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
  gLog.Write(0, format, args);
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
  gLog.Write(0, format, args);
  va_end(args);
}

void LogInfoOGL(int id, const char* format, ...) {
  va_list args;
  va_start(args, format);
  gLogOGL.Write(id, format, args);
  va_end(args);
}
