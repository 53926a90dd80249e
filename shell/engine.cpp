#include "shell/engine.h"
#include "shell/renderglue.h"
#include "shell/worldglue.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "core/core.h"
#include "platform/platform.h"
#include "shell/ekran.h"
#include "shell/genres.h"
#include "shell/glwindow.h"
#include "shell/input.h"
#include "shell/ippi.h"
#include "shell/konfig.h"
#include "shell/msgbase.h"
#include "shell/netglue.h"
#include "shell/modesglue.h"
#include "shell/soundglue.h"
#include "ui/ui.h"
#include "world/pools.h"

int Main_Done;
int Glob_LoadingFail_KillWindow;
unsigned char Main_NotNormZMouse;
t_Char256 game_start_dir0;
t_Char256 game_user_dir0;

namespace {

// What made start-up fail ("" while it goes well) and the log that says more.
std::string gStartFail;
std::string gStartFailLog;
std::string gStopWhy;  // why the run was stopped (Main_Stop)

// The current directory into a 256-byte buffer; false when it does not fit.
bool CurrentDirInto(t_Char256& buf) {
  buf.Clear();
  DWORD len = GetCurrentDirectoryA(255, buf());
  return len > 0 && len < 255;
}

// The run folder is the one holding the start directory (the local settings
// file "../__orgmix.txt" is there). Before anything is written, a game takes
// its lock, held until the process ends, and fixes both logs there, whatever
// the current directory is later. False when another game holds it: then this
// one has said so and written nothing.
bool TakeRunFolder() {
  std::string start;
  if (!sysGetCurrentDirectory(start)) return true;  // Start1 reports it
  const size_t slash = start.rfind('/');
  const std::string run = slash == std::string::npos || slash == 0 ? "/" : start.substr(0, slash);
  const std::string lock = run + (run.back() == '/' ? "" : "/") + "velmar.lock";
  if (WinProgStartOverlap(lock.c_str())) {
    std::fprintf(stderr, "velmar: another game runs in the folder %s (it holds %s); this one ends\n", run.c_str(),
                 lock.c_str());
    MessageBoxA(nullptr, "Another game is already running in this folder. This one ends.", "Velmar",
                MB_OK | MB_ICONHAND);
    return false;
  }
  LogSetFolder(run);
  return true;
}

// The users folder, where screenshots go: made when missing. When it cannot
// be used, the log says why and screenshots are not saved this run.
std::string gUserDirWhy = "the users folder was not set up at start";

void TakeUserDir() {
  std::string why;
  if (MakeFolder("users", why)) {
    if (!SetCurrentDirectoryA("users")) why = std::strerror(errno);
    else if (!CurrentDirInto(game_user_dir0)) why = "its path is longer than 254 characters";
  }
  if (why.empty()) {
    *o2::UserDirE = 1;
    gUserDirWhy.clear();
    ClearUnfinishedScreenShots();
    return;
  }
  gUserDirWhy = std::string("the folder \"") + game_start_dir0() + "/users\" cannot be used (" + why + ")";
  LogInfo("\n %s; no screenshot is saved this run\n", gUserDirWhy.c_str());
}

}  // namespace

const char* UserDirWhy() { return gUserDirWhy.c_str(); }

void Main_Stop(const char* why) {
  Main_Done = 1;
  if (!gStopWhy.empty()) return;
  gStopWhy = why;
  LogInfo("\n the game cannot go on: %s\n", why);
  gStartFailLog = LogPath();
}

bool StartFailed(const char* step) {
  if (!gStartFail.empty()) return false;
  std::string cause = LastFailText();
  gStartFail = cause.empty() ? step : std::string(step) + ": " + cause;
  for (char& c : gStartFail)
    if (c == '\n' || c == '\r') c = ' ';
  LogInfo("\n start-up failed: %s\n", gStartFail.c_str());
  gStartFailLog = LogPath();
  return false;
}

bool Start1() {
  LastFailClear();
  if (!CurrentDirInto(game_start_dir0)) {
    LogFail("\n the start directory cannot be taken, or its path is longer than 254 characters");
    return StartFailed("start directory");
  }
  org2_Init();
  orgF_Init();
  if (!orgUniStaZnaFrFiles("../__orgmix.txt")) return StartFailed("settings files (../__orgmix.txt)");
  for (auto& g : gr_TBuf) g = nullptr;
  for (auto& g : gr_Pix) g = nullptr;
  sysBuildNormTable();
  Sprr1FillCosSin();
  sysSRand(sysTickCount());
  TakeUserDir();
  LastFailClear();
  if (!SetCurrentDirectoryA(game_start_dir0())) return StartFailed("returning to the start directory");
  int greeting = 0;
  if (!ReadKonfig_Txt(greeting)) return StartFailed("configuration");
  LastFailClear();
  if (!LoadMsgBase()) return StartFailed("message base");
  ReadKonfig_Fgr4W();
  if (greeting && msgbaseLast != 0) PrivetUser();
  EkranCheckZna(Ekran);
  if (Main_NotNormZMouse && !SetExtraWheelMB(1)) {
    LogInfo("\n%s..\n %s: %s", MixDateCh(0, 0, 1), MsgBase(23), MsgBase(4));
    MessageBoxA(nullptr, MsgBase(3), MsgBase(4), MB_OK);
  }
  nsMKeys::KScanCodeInitProc();
  nsMKeys::Clear_Shifts();
  return true;
}

int WinProg_PrepOK() {
  TimerInit();
  if (!Start1()) return 0;
  LastFailClear();
  int probe = CreateStartWindow();
  KillStartWindow();
  if (!probe) return StartFailed("the GL probe window");
  LastFailClear();
  if (UseStandardWindow || ForceStandardWindow) {
    if (!CreateGLWindow()) return StartFailed("the GL window");
  } else if (!InitExtendedGLWindow(true)) {
    if (Glob_LoadingFail_KillWindow) return StartFailed("the GL window");
    if (!CreateGLWindow()) return StartFailed("the GL window");
  }
  StartOpenAL();
  return 1;
}

// The steps after the window, each reported by name when it fails.
bool StartModes() {
  LastFailClear();
  if (!LoadGeneralRes()) return StartFailed("general resources");
  LastFailClear();
  if (!NowProj->init()) return StartFailed("the front end (object base and screen frames)");
  LastFailClear();
  if (!Root_IPPI.First(*o2::AktivIPPI)) {
    LogFail("\n the first mode %d (konfig.txt value 7) is not a mode of this program", *o2::AktivIPPI);
    return StartFailed("the first mode");
  }
  return true;
}

int EngineMain() {
  if (!TakeRunFolder()) return 1;
  InitPathfinder();
  if (WinProg_PrepOK()) {
    if (StartModes()) {
      MSG msg;
      while (!Main_Done) {
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
          if (msg.message == WM_QUIT) {
            Main_Done = 1;
          } else {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
          }
        } else if (Ekran.Aktiv || Glob_WSAStartUpOK) {
          Root_IPPI._RunGeneral();
          nsMKeys::FrameSeen();
          if (*o2::HideWnd) {
            *o2::HideWnd = 0;
            Ekran.Aktiv = 0;
            ShowWindow(hWnd, SW_MINIMIZE);
            Ekran.Status = -1;
          }
          if (*o2::NeedExit) Main_Done = 1;
          if (*o2::SleepEachFrame > 0) Sleep(DWORD(*o2::SleepEachFrame));
        } else {
          Sleep(300);
        }
      }
    }
    KillGLWindow();
  }
  if (NeedKillALData) KillALData();
  NetWork2.Disconnect();
  Net_Fin();
  if (msgbase) FreeMsgBase();
  EndPathfinder();
  // A start that failed ends with a line on the terminal and a non-zero exit,
  // besides the program's own log line and box.
  if (!gStartFail.empty()) {
    std::fprintf(stderr, "velmar: start-up failed: %s (log: %s)\n", gStartFail.c_str(), gStartFailLog.c_str());
    return 1;
  }
  if (!gStopWhy.empty()) {
    std::fprintf(stderr, "velmar: the game cannot go on: %s (log: %s)\n", gStopWhy.c_str(), gStartFailLog.c_str());
    return 1;
  }
  return 0;
}

int WinMain(void*, void*, char*, int) { return EngineMain(); }
