// The append-only message logs. LogInfo appends one printf-style message to
// "log.txt", opening and closing the file for each message so that everything
// written before a crash is on disk. After 1000 messages the log writes its
// closing line and takes no more messages for the rest of the run. LogInfoOGL
// is its twin for GL diagnostics ("logOGL.txt"), which also drops an
// immediate repeat of the same message id.
#pragma once

#include <cstdarg>
#include <string>

// The folder of both logs, fixed by the program once at start-up: later
// changes of the current directory do not move them. Until then, and after
// an empty folder, they are opened in the current directory.
void LogSetFolder(const std::string& folder);
const char* LogPath();  // the path "log.txt" is opened by

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
  void SetPath(std::string path) { path_ = std::move(path); }
  const char* Path() const { return path_.c_str(); }

 private:
  void Failed(const char* why);

  std::string path_;
  bool skipRepeats_;
  int klvMsg_ = 0;
  int indLastMsg_ = -1;
  // A message that could not be written (the file not opened, or a write or
  // its close failing) is reported on stderr with the path and the cause:
  // once while the log keeps failing for that cause, again after the log
  // worked or when the cause changes.
  bool failing_ = false;
  char failWhy_[64] = {};
};
