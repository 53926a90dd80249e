// The directory stack: remembered working directories to step into a folder
// and return, with a start point (slot 0) it can always go back to; and the
// save-folder operations built on the global stack FileDir1 (depth 8).
#pragma once

#include <cstdint>
#include <string>

#include "core/chars.h"

class t_FileDirStek {
 public:
  explicit t_FileDirStek(int depth);  // depth 2 or less: no storage, every operation does nothing
  ~t_FileDirStek();
  t_FileDirStek(const t_FileDirStek&) = delete;
  t_FileDirStek& operator=(const t_FileDirStek&) = delete;

  void Reset();
  void _SaveStartPoint();  // Reset, then slot 0 = the current directory
  void CallStartPoint();   // back to slot 0
  int PushDir();           // the new top (1..depth), 0 when full or unreadable
  int PopDir();            // the old top, 0 when nothing is pushed or it cannot be entered
  int Top() const { return top; }

 private:
  t_Char256* slots = nullptr;
  uint16_t depth = 0;
  uint16_t top = 0;
};

extern t_FileDirStek FileDir1;
extern const char* const ctZaglavName;  // "zaglav.bin": marks a save folder

int SysZaglavForSave(const std::string& folder);  // back up an old save, create, enter
int SysZaglavForLoad(const std::string& folder);  // enter
int errPopD();                                    // leave after an error; 0
int Run_BakSysZaglav(const std::string& folder);  // 0 when an old save could not be moved aside
