#include "shell/engine.h"

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
#include "shell/soundglue.h"
#include "shell/standins.h"
#include "ui/ui.h"
#include "world/pools.h"

int Main_Done;
int Glob_LoadingFail_KillWindow;
unsigned char Main_NotNormZMouse;
t_Char256 game_start_dir0;
t_Char256 game_user_dir0;

namespace {

// The current directory into a 256-byte buffer; false when it does not fit.
bool CurrentDirInto(t_Char256& buf) {
  buf.Clear();
  DWORD len = GetCurrentDirectoryA(255, buf());
  return len > 0 && len < 255;
}

}  // namespace

bool Start1() {
  if (!CurrentDirInto(game_start_dir0)) return false;
  org2_Init();
  orgF_Init();
  if (!orgUniStaZnaFrFiles("../__orgmix.txt")) return false;
  for (auto& g : gr_TBuf) g = nullptr;
  for (auto& g : gr_Pix) g = nullptr;
  sysBuildNormTable();
  Sprr1FillCosSin();
  sysSRand(sysTickCount());
  if (SetCurrentDirectoryA("users") && CurrentDirInto(game_user_dir0)) *o2::UserDirE = 1;
  if (!SetCurrentDirectoryA(game_start_dir0())) return false;
  int greeting = 0;
  if (!ReadKonfig_Txt(greeting)) return false;
  if (!LoadMsgBase()) return false;
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
  int probe = CreateStartWindow();
  KillStartWindow();
  if (!probe) return 0;
  if (UseStandardWindow || ForceStandardWindow) {
    if (!CreateGLWindow()) return 0;
  } else if (!InitExtendedGLWindow(true)) {
    if (Glob_LoadingFail_KillWindow) return 0;
    if (!CreateGLWindow()) return 0;
  }
  StartOpenAL();
  return 1;
}

int EngineMain() {
  InitPathfinder();
  if (WinProg_PrepOK()) {
    if (LoadGeneralRes() && NowProj->init() && Root_IPPI.First(*o2::AktivIPPI)) {
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
  return 0;
}

int WinMain(void*, void*, char*, int) {
  EngineMain();
  return 0;
}
