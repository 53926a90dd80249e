// The append-only message logs. LogInfo appends one printf-style message to
// "log.txt" in the working directory, opening and closing the file for each
// message so that everything written before a crash is on disk. After 1000
// messages the log writes its closing line and takes no more messages for the
// rest of the run. LogInfoOGL is its twin for GL diagnostics ("logOGL.txt"),
// which also drops an immediate repeat of the same message id.
#pragma once

#include <cstdarg>

void LogInfo(const char* format, ...) __attribute__((format(printf, 1, 2)));
void LogInfoOGL(int id, const char* format, ...) __attribute__((format(printf, 2, 3)));

// A failure of a loader whose caller reports it further (a start-up box, the
// line on stderr): written to the log like LogInfo and kept as the last
// failure text, without its surrounding line breaks and blanks.
void LogFail(const char* format, ...) __attribute__((format(printf, 1, 2)));
void LastFailSet(const char* format, ...) __attribute__((format(printf, 1, 2)));  // the same, not logged
const char* LastFailText();  // "" when none since the last clear
void LastFailClear();

// One log file with its message count (the two logs above are instances).
class t_LogSys {
 public:
  static constexpr int MaxMsgs = 1000;
  t_LogSys(const char* path, bool skipRepeats) : path_(path), skipRepeats_(skipRepeats) {}
  void Write(int id, const char* format, va_list args);
  int Count() const { return klvMsg_; }

 private:
  const char* path_;
  bool skipRepeats_;
  int klvMsg_ = 0;
  int indLastMsg_ = -1;
  bool warned_ = false;  // a log that cannot be written is reported once on stderr
};
