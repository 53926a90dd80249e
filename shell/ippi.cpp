#include "shell/ippi.h"
#include "shell/renderglue.h"

#include <GL/gl.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <string>

#include "core/core.h"
#include "shell/ekran.h"
#include "shell/engine.h"
#include "shell/genres.h"
#include "shell/input.h"
#include "shell/soundglue.h"
#include "ui/ui.h"

t_FPS FPS0;
const char chProjectName[12] = "Tervalo";

int gMilli_Old;
int gMilli_SwapEvent;
int GFrameTimePred = 1;
int GFGameTime = 1;
int GFGameTimePred = 1;
int GlobIPPITaktOdd;

namespace {
bool InModes(int n) { return n >= 0 && n < t_Root_IPPI::kModes; }
int Clamp(int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; }
}  // namespace

int t_ippi_2::TryDoCoreProc() { return step && step() > 0 ? 1 : 0; }

void t_Root_IPPI::SetMain(int n, t_ippi_fn fn) {
  if (InModes(n)) m[n].step = fn;
}

void t_Root_IPPI::SetSmena(int a, int b, t_ippi_fn fn) {
  if (InModes(a) && InModes(b) && fn) m[a].smena[b].fn = fn;
}

int t_Root_IPPI::First(int n) {
  if (n < 1 || n >= kModes) return 0;
  cur = n;
  *o2::AktivIPPI = n;
  pCur = &m[n];
  ++entries;
  LogInfo("\n mode %d entered", n);
  ProcFPS(FPS0);
  FPS0.fps = 10;
  FPS0.frameMs = 1;
  return 1;
}

int t_Root_IPPI::TekIPPI_KeyIsShift(int k) const {
  if (k < 0 || k >= nsMKeys::kKeys || !InModes(cur)) return 0;
  return nsMKeys::Shifts[cur * nsMKeys::kKeys + k] != 0;
}

void t_Root_IPPI::TekIPPI_KeyLikeShift(int k) {
  if (k < 0 || k >= nsMKeys::kKeys || !InModes(cur)) return;
  nsMKeys::Shifts[cur * nsMKeys::kKeys + k] = 1;
}

void t_Root_IPPI::_1_FixSysErrors() {
  gMilli_SwapEvent = 0;
  gMilli = sysTime();
  if (uint32_t(gMilli_Old) > gMilli) {  // the clock went backwards
    gMilli_SwapEvent = 1;
    GFrameTime = 1;
  }
  gMilli_Old = int(gMilli);
  GFrameTime = Clamp(GFrameTime, 1, 100);
  GFrameTimePred = Clamp(GFrameTimePred, 1, 100);
  *o2::GSpOfGame = Clamp(*o2::GSpOfGame, 1, 20);
  GFGameTimePred = GFGameTime;
  GFGameTime = *o2::GSpOfGame * GFrameTime;
}

void t_Root_IPPI::_2_ExtraReLoad() {
  ProcWheelUpMB();
  if (*o2::TrySaveGenModelsBinBlo >= 1) {
    *o2::TrySaveGenModelsBinBlo = 0;
    MdlGVBO_SaveGru(0);
  }
}

void t_Root_IPPI::_3_PreUpdate() {
  glob_PoleTextActive = 0;
  GlobIPPITaktOdd = GlobIPPITaktOdd < 1 ? 1 : 0;
  if (WPUM_OnWork > 0) --WPUM_OnWork;
  ZSrcMainKot_StartKadrProc();
}

void t_Root_IPPI::_5_SwapBuf() {
  if (*o2::NeedScreen == 1) {
    SaveScreenShot();
    *o2::NeedScreen = 0;
    return;
  }
  Sys_Video_FinDraw();
  ProcFPS(FPS0);
  Sys_SwapBuf_DC();
}

void t_Root_IPPI::_6_TryChange() {
  if (*o2::ManualAktivIPPI) {
    if (*o2::AktivIPPI != cur) req = *o2::AktivIPPI;
  } else {
    *o2::AktivIPPI = cur;
  }
  if (!InModes(req) || !InModes(cur)) return;
  nsMKeys::nFlushProc();
  t_ippi_fn fn = m[cur].smena[req].fn;
  if (!fn || !fn()) return;  // stays pending
  cur = req;
  pCur = &m[cur];
  *o2::AktivIPPI = cur;
  req = -1;
  ++entries;
  LogInfo("\n mode %d entered", cur);
}

int t_Root_IPPI::_RunGeneral() {
  if (!pCur) return 0;
  _1_FixSysErrors();
  _2_ExtraReLoad();
  _3_PreUpdate();
  if (!pCur->TryDoCoreProc()) return 0;
  _5_SwapBuf();
  _6_TryChange();
  return 1;
}

void ProcFPS(t_FPS& f) {
  int t = int(sysTime());
  GFrameTimePred = GFrameTime;
  if (gMilli_SwapEvent || *o2::NeedScreen > 0) {
    f.secondBeg = f.lastFrame = t;
    f.frameMs = 1;
    GFrameTime = 1;
    f.counted = 0;
    return;
  }
  if (t - f.secondBeg > 1000) {
    f.secondBeg = t;
    f.fps = f.counted;
    if (*o2::DrawFPS) TBufUpdate(0, PrintFPS_TBuf, "FPS %d  %d", f.counted, GFrameTime);
    f.counted = 0;
  }
  f.frameMs = t - f.lastFrame;
  f.lastFrame = t;
  ++f.counted;
  if (f.frameMs < 1) {
    Sleep(1);
    f.frameMs = 1;
  }
  GFrameTime = f.frameMs;
}

namespace {

// Where screenshots go, by its full path.
std::string ScreenShotFolder() { return std::string(game_user_dir0()) + "/screens1"; }
constexpr char kScreenShotExt[] = ".bmp";

// Finishes the frame as usual after a screenshot that did not happen.
int ScreenShotFailed() {
  Sys_Video_FinDraw();
  ProcFPS(FPS0);
  Sys_SwapBuf_DC();
  return 0;
}

}  // namespace

bool MakeFolder(const std::string& folder, std::string& why) {
  const bool made = CreateDirectoryA(folder.c_str(), nullptr);
  const int err = errno;
  if (made || (err == EEXIST && sysCreateDirectory(folder))) return true;
  // A file, a pipe or a link to nothing in the folder's place says what it is.
  why = std::strerror(err);
  const char* what = sysWhatIsAt(folder);
  if (what && std::strcmp(what, "a directory") != 0) why = std::string("it is ") + what;
  return false;
}

void ClearUnfinishedScreenShots() { SafeClearLeftovers(ScreenShotFolder(), kScreenShotExt); }

int t_Root_IPPI::SaveScreenShot() {
  if (!*o2::UserDirE) {
    LogInfo("\n Screenshot not saved: %s\n", UserDirWhy());
    return ScreenShotFailed();
  }
  std::string space;
  if (!HDD_FreeSpace(game_user_dir0(), 1, &space)) {
    LogInfo("\n Screenshot not saved: %s\n", space.c_str());
    return ScreenShotFailed();
  }
  // The counter is a setting the settings file may hold at any value: past
  // the largest int (or below 0) it starts again, the time stamp keeps names apart.
  if (*o2::NomScreen < 0 || *o2::NomScreen == INT_MAX) *o2::NomScreen = 0;
  ++*o2::NomScreen;
  std::string name = std::string(chProjectName) + "_" + SysDateString(1000, 1) + "_" +
                     std::to_string(sysTime()) + "_" + IntToS(*o2::NomScreen, 4) + kScreenShotExt;
  if (name.size() > 255) return ScreenShotFailed();
  // Written by its full path: the current directory is not changed.
  const std::string folder = ScreenShotFolder();
  std::string why;
  const bool inFolder = MakeFolder(folder, why);
  if (!inFolder) {
    LogInfo("\n Screenshot not saved: the folder \"%s\" cannot be used (%s)\n", folder.c_str(), why.c_str());
  }
  bool saved = inFolder && OGL_SaveViewportToBMP(folder + "/" + name);
  if (!saved) return ScreenShotFailed();
  Sys_SwapBuf_DC();
  Sleep(80);
  ProcFPS(FPS0);
  return 1;
}

int ServPlusGame(int n) { return n >= 1 && n < 3 ? 1 : 0; }
int ippi_An_1Pre() { return 1; }
int ippi_An_2Beg() { return 1; }
int ippi_An_3Main() { return 1; }
int ippi_An_4End() { return 1; }
