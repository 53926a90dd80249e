#include "core/log.h"

#include <cstdio>
#include <cstring>

void t_LogSys::Write(int id, const char* format, va_list args) {
  if (klvMsg_ >= MaxMsgs) return;
  if (skipRepeats_ && id == indLastMsg_) return;
  FILE* f = std::fopen(path_, "a");
  if (!f) return;  // lost, and not counted: later messages are still tried
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
