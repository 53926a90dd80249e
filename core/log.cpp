#include "core/log.h"

#include <cstdio>

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
}  // namespace

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
