#include "core/dirstack.h"

#include <cstring>

#include "core/log.h"
#include "core/sysclock.h"
#include "core/sysfs.h"

t_FileDirStek FileDir1(8);
const char* const ctZaglavName = "zaglav.bin";

namespace {
// The current directory into a slot; false when it does not fit in 255 characters.
bool readCurrent(t_Char256& slot) {
  std::string cwd;
  slot.Clear();
  if (!sysGetCurrentDirectory(cwd) || cwd.size() > 255) return false;
  std::memcpy(slot.c, cwd.data(), cwd.size());
  return true;
}
}  // namespace

t_FileDirStek::t_FileDirStek(int d) {
  if (d > 2 && d < 65535) {
    depth = (uint16_t)d;
    slots = new t_Char256[(size_t)depth + 1];
    Reset();
  }
}

t_FileDirStek::~t_FileDirStek() { delete[] slots; }

void t_FileDirStek::Reset() {
  if (!slots) return;
  for (int i = 0; i <= depth; i++) slots[i].Clear();
  top = 0;
}

void t_FileDirStek::_SaveStartPoint() {
  if (!slots) return;
  Reset();
  readCurrent(slots[0]);
}

void t_FileDirStek::CallStartPoint() {
  if (slots && slots[0].c[0]) sysSetCurrentDirectory(slots[0].c);
}

int t_FileDirStek::PushDir() {
  if (!slots || top >= depth) return 0;
  // A directory that cannot be remembered is not counted, so that pushes and
  // pops stay balanced.
  if (!readCurrent(slots[top + 1])) return 0;
  return ++top;
}

int t_FileDirStek::PopDir() {
  if (!slots || top == 0) return 0;
  if (!sysSetCurrentDirectory(slots[top].c)) return 0;
  return top--;
}

int Run_BakSysZaglav(const std::string& folder) {
  std::string dir = folder;
  while (dir.size() > 1 && (dir.back() == '/' || dir.back() == '\\')) dir.pop_back();
  if (dir.empty() || !sysFileExists(dir + "/" + ctZaglavName)) return 1;
  std::string bak = dir + "_BAK_" + "_" + std::to_string(sysTickCount());
  if (sysMoveFile(dir, bak)) return 1;
  LogInfo("\n Save folder \"%s\" could not be moved to \"%s\"\n", dir.c_str(), bak.c_str());
  return 0;
}

int SysZaglavForSave(const std::string& folder) {
  // A full stack refuses: entering without a remembered way back would leave
  // the caller's PopDir returning to the wrong folder.
  if (!FileDir1.PushDir()) return 0;
  // A save folder whose old save cannot be kept is not written over.
  if (Run_BakSysZaglav(folder) && (sysCreateDirectory(folder), sysSetCurrentDirectory(folder))) return 1;
  FileDir1.PopDir();
  return 0;
}

int SysZaglavForLoad(const std::string& folder) {
  if (!FileDir1.PushDir()) return 0;
  if (sysSetCurrentDirectory(folder)) return 1;
  FileDir1.PopDir();
  return 0;
}

int errPopD() {
  FileDir1.PopDir();
  return 0;
}
