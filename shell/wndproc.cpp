#include <cstring>

#include "core/core.h"
#include "shell/ekran.h"
#include "shell/glwindow.h"
#include "shell/input.h"
#include "shell/modesglue.h"
#include "shell/netglue.h"
#include "ui/ui.h"

namespace nsMKeys {
uint16_t n[kKeys];
uint16_t Shifts[kModes * kKeys];
uint8_t KScanCode[256];

namespace {
// The key and button changes no frame could see yet, in the order they came.
// A frame sees at most one change of each key: a change of a key that has
// changed since the last frame waits, and every change after it waits too,
// so a press and its release, or a release and the next press, never fall
// into one frame however slow the frames are, and each frame sees the keys
// as they were at one moment of the player's input (Shift still down when
// Escape went down).
constexpr int kButton0 = 301, kButtons = 3;
struct t_Place {
  int x = 0, y = 0;
  bool known = false;
};
struct t_Change {
  int k = 0;
  bool down = false;
  t_Place at;
};
constexpr int kWaiting = 256;  // changes kept waiting; a flood beyond takes effect at once
t_Change waiting[kWaiting];
int waitHead = 0, waitCount = 0;
uint8_t oddWaiting[kKeys];  // an odd number of a key's changes wait: its last state is not n[k]
uint8_t unseen[kKeys];     // changed since the last frame
t_Place shown[kButtons];   // where the press a button shows was made

int Button(int k) { return k >= kButton0 && k < kButton0 + kButtons ? k - kButton0 : -1; }

void Show(const t_Change& c) {
  n[c.k] = c.down ? 1 : 0;
  unseen[c.k] = 1;
  const int b = Button(c.k);
  if (b >= 0) shown[b] = c.down ? c.at : t_Place{};
}

// The next waiting change takes effect.
void ShowNext() {
  const t_Change& c = waiting[waitHead];
  Show(c);
  oddWaiting[c.k] ^= 1;
  waitHead = (waitHead + 1) % kWaiting;
  --waitCount;
}

void Change(int k, bool down, const t_Place& at) {
  if (k < 0 || k >= kKeys) return;
  if (waitCount == kWaiting)
    while (waitCount) ShowNext();
  const bool last = (n[k] != 0) != (oddWaiting[k] != 0);  // the state after the waiting changes
  if (last == down) return;  // a key's repeat, or the release of a key not down
  const t_Change c{k, down, at};
  if (!waitCount && !unseen[k]) {
    Show(c);
    return;
  }
  waiting[(waitHead + waitCount++) % kWaiting] = c;
  oddWaiting[k] ^= 1;
}
}  // namespace

void nFlushProc() {
  std::memset(n, 0, sizeof n);
  std::memset(unseen, 0, sizeof unseen);
  std::memset(oddWaiting, 0, sizeof oddWaiting);
  waitHead = waitCount = 0;
  for (t_Place& p : shown) p = t_Place{};
}

void Press(int k) { Change(k, true, t_Place{}); }
void PressAt(int k, int x, int y) { Change(k, true, t_Place{x, y, true}); }
void Release(int k) { Change(k, false, t_Place{}); }

void FrameSeen() {
  std::memset(unseen, 0, sizeof unseen);
  while (waitCount && !unseen[waiting[waitHead].k]) ShowNext();
}

bool PressedAt(int k, int& x, int& y) {
  const int b = Button(k);
  if (b < 0 || !n[k] || !shown[b].known) return false;
  x = shown[b].x;
  y = shown[b].y;
  return true;
}

void Clear_Shifts() { std::memset(Shifts, 0, sizeof Shifts); }

void KScanCodeInitProc() {
  for (int vk = 0; vk < 256; ++vk) KScanCode[vk] = uint8_t(MapVirtualKeyA(UINT(vk), 0));
}

int ASyncKey(int vk) { return vk < 1 ? 0 : (GetAsyncKeyState(vk) < 0 ? 1 : 0); }
uint16_t midMs() { return n[303]; }
}  // namespace nsMKeys

namespace nsSwapKursor {
uint16_t mouseCtrl;
uint16_t kursor1;

void ProcBegin(int x, int y, int ctrl) {
  mouseCtrl = 0;
  if (*o2::MouseControlView) {
    *o2::MouseControlView = 0;
    mouseCtrl = 1;
  }
  kursor1 = 0;
  if (*o2::Kursor1Mute == 0) {
    *o2::Kursor1Mute = 1;
    kursor1 = 1;
  }
  SetCursorPos(x, y);
  ShowCursor(TRUE);
  *o2::WinExtraToolsOn = ctrl;
}

void ProcEnd() {
  *o2::WinExtraToolsOn = 0;
  SetCursorPos(gMX, gMY);
  if (mouseCtrl) *o2::MouseControlView = 1;
  if (kursor1) *o2::Kursor1Mute = 0;
  if (*o2::Kursor0Mute > 0) ShowCursor(FALSE);
}
}  // namespace nsSwapKursor

int WPUM_OnWork;
int WheelUpTimeMB1, NWheelMinusMB1, NWheelPlusMB1;
uint8_t Main_ExtraZMouseStatus;
int uMSH_MOUSEWHEEL;
int GlobKmd_KnoSmenFlag, GlobKmd_KnoSmenKey;
uint16_t CharPressed;
int gMX, gMY;
int Glob_RealKursorOut;
RECT GClientScreen;

namespace {

int KeyIndex(WPARAM vk) {
  int k = int(vk & 0xFF);
  return *o2::ScanCodes ? nsMKeys::KScanCode[k] : k;
}

void WheelStep(bool towardUser) {
  if (towardUser) {
    nsMKeys::n[304] = 1;
    NWheelMinusMB1 = 0;
  } else {
    nsMKeys::n[305] = 1;
    NWheelPlusMB1 = 0;
  }
}

void KeyDown(WPARAM vk) {
  if (GlobKmd_KnoSmenFlag >= 1) {  // capturing a key for a command binding
    if (GlobKmd_KnoSmenFlag != 1) return;
    if (vk == WPARAM(VK_ESCAPE)) nsMKeys::n[27] = 1;  // the owner may cancel
    else if (vk != WPARAM(VK_RETURN)) {
      GlobKmd_KnoSmenFlag = 2;
      GlobKmd_KnoSmenKey = int(vk);
    }
    return;
  }
  int input = *o2::UniIS_Input;
  if (input != 0 && input != 4) {  // the single-line string input owns the keyboard
    if (input == 1) {
      nsUniIS::_String.clear();
      *o2::UniIS_Input = 2;
    } else if (input == 2 && CharPressed == 0) {
      CharPressed = 1;
      if (vk == WPARAM(VK_RETURN)) *o2::UniIS_Input = 3;
    }
    return;
  }
  nsMKeys::Press(KeyIndex(vk));
}

// A button press with the pointer it was made at, turned from the message's
// window pixels (origin top left) into the game's (origin bottom left).
void ButtonDown(int k, LPARAM l) {
  int x = short(LOWORD(l)), y = int(Ekran.H) - short(HIWORD(l));
  zn::Tram(x, 0, int(Ekran.W));
  zn::Tram(y, 0, int(Ekran.H));
  nsMKeys::PressAt(k, x, y);
}

}  // namespace

LRESULT WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  bool busy = WPUM_OnWork > 0;
  if (Main_ExtraZMouseStatus && uMSH_MOUSEWHEEL && msg == UINT(uMSH_MOUSEWHEEL)) {
    WheelStep(int(wParam) < 0);
    return 0;
  }
  switch (msg) {
    case WM_ACTIVATE:
      Ekran.Status = 1;
      if (HIWORD(wParam) == 0) Ekran.Aktiv = 1;
      return 0;
    case WM_KILLFOCUS:
      Ekran.Status = 0;
      // Only a full-screen window gets out of the way when it loses the focus.
      if (Ekran.FullScreen && Ekran.Aktiv && *o2::WinExtraToolsOn == 0 && !Glob_WSAStartUpOK)
        *o2::HideWnd = 1;
      return 0;
    case WM_CLOSE:
      PostQuitMessage(0);
      return 0;
    case WM_SIZE:
    case WM_COMMAND:
    case WM_CONTEXTMENU:
      return 0;
    case WM_SYSCOMMAND:
      switch (wParam) {
        case SC_SIZE: case SC_MOVE: case SC_MAXIMIZE: case SC_KEYMENU: case SC_SCREENSAVE:
        case SC_HOTKEY: case SC_MONITORPOWER: case SC_CONTEXTHELP:
          return 0;
        default:
          return DefWindowProcA(hwnd, msg, wParam, lParam);
      }
    case WM_KEYDOWN:
      if (!busy) KeyDown(wParam);
      return 0;
    case WM_KEYUP:
      CharPressed = 0;
      nsMKeys::Release(KeyIndex(wParam));
      return 0;
    case WM_CHAR:
      if (busy) return 0;
      if (glob_PoleTextActive) a101::PoleText_InputChar(unsigned(wParam));
      else a101::UniIStringInputChar(unsigned(wParam));
      return 0;
    case WM_LBUTTONDOWN: if (!busy) ButtonDown(301, lParam); return 0;
    case WM_RBUTTONDOWN: if (!busy) ButtonDown(302, lParam); return 0;
    case WM_MBUTTONDOWN: if (!busy) ButtonDown(303, lParam); return 0;
    case WM_LBUTTONUP: nsMKeys::Release(301); return 0;
    case WM_RBUTTONUP: nsMKeys::Release(302); return 0;
    case WM_MBUTTONUP: nsMKeys::Release(303); return 0;
    case WM_MOUSEWHEEL:
      if (!busy) WheelStep(GET_WHEEL_DELTA_WPARAM(wParam) < 0);
      return 0;
    case kNetMsgListen: case kNetMsgClient: case kNetMsgPeer1: case kNetMsgPeer2:
      return NetWork2.WndMessage(hwnd, msg, wParam, lParam);
    default:
      return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

int SetExtraWheelMB(int) {
  Main_ExtraZMouseStatus = 1;
  uMSH_MOUSEWHEEL = int(RegisterWindowMessageA("MSWHEEL_ROLLMSG"));
  if (uMSH_MOUSEWHEEL == 0) {
    Main_ExtraZMouseStatus = 0;
    return 0;
  }
  return 1;
}

void ProcWheelUpMB() {
  if (++NWheelMinusMB1 > WheelUpTimeMB1) {
    NWheelMinusMB1 = 0;
    nsMKeys::n[304] = 0;
  }
  if (++NWheelPlusMB1 > WheelUpTimeMB1) {
    NWheelPlusMB1 = 0;
    nsMKeys::n[305] = 0;
  }
}

namespace {
int ClampCursor(int v, int hi) {
  if (v < 0) {
    Glob_RealKursorOut = 1;
    return 0;
  }
  if (v > hi) {
    Glob_RealKursorOut = 1;
    return hi;
  }
  return v;
}
}  // namespace

int MouseX(short local, short on) {
  if (on != 1) return 0;
  POINT p{};
  GetCursorPos(&p);
  int x = p.x;
  if (local && !Ekran.FullScreen) {
    GetWindowRect(hWnd, &GClientScreen);
    x -= GClientScreen.left;
    if (Ekran.Framed) x -= GetSystemMetrics(SM_CXEDGE);
  }
  return ClampCursor(x, Ekran.W);
}

int MouseY(short local, short on) {
  if (on != 1) return 0;
  POINT p{};
  GetCursorPos(&p);
  int y = p.y;
  if (local && !Ekran.FullScreen) {
    GetWindowRect(hWnd, &GClientScreen);
    y -= GClientScreen.top;
    if (Ekran.Framed) y -= GetSystemMetrics(SM_CYCAPTION);
  }
  y = Ekran.H - y;
  return ClampCursor(y, Ekran.H);
}

void MouseCoordRoot() {
  Glob_RealKursorOut = 0;
  short local = Ekran.FullScreen ? 0 : 1;
  gMX = MouseX(local, 1);
  gMY = MouseY(local, 1);
}

void GetCursorPos_OnLocal(POINT& p) {
  GetCursorPos(&p);
  if (Ekran.FullScreen) return;
  GetWindowRect(hWnd, &GClientScreen);
  p.x -= GClientScreen.left;
  p.y -= GClientScreen.top;
  if (Ekran.Framed) {
    p.x -= GetSystemMetrics(SM_CXEDGE);
    p.y -= GetSystemMetrics(SM_CYCAPTION);
  }
  p.y = Ekran.H - p.y;
}

void SetCursorPos_GlazC(int& x, int& y, int store) {
  int cx = Ekran.W2, cy = Ekran.H2;
  if (!Ekran.FullScreen) {
    GetWindowRect(hWnd, &GClientScreen);
    cx += GClientScreen.left;
    cy += GClientScreen.top;
    if (Ekran.Framed) {
      cx += GetSystemMetrics(SM_CXEDGE);
      cy += GetSystemMetrics(SM_CYCAPTION);
    }
  }
  SetCursorPos(cx, cy);
  if (store) {
    x = cx;
    y = cy;
  }
}

void SetCursorPos_GlazCAccum(int& ax, int& ay, int mx, int my) {
  int cx = 0, cy = 0;
  SetCursorPos_GlazC(cx, cy, 1);
  ax += mx - cx;
  ay += my - cy;
}

int MouseRootRTS_Rot(float& pitch, float& yaw, int mode, float kYaw, float kPitch) {
  float w2 = Ekran.W2 ? float(Ekran.W2) : 1.0f, h2 = Ekran.H2 ? float(Ekran.H2) : 1.0f;
  if (mode == 1) {
    if (gMX == Ekran.W2 && gMY == Ekran.H2) return 0;
    yaw = zn::FrT((w2 - float(gMX)) / w2) * kYaw;
    pitch = zn::FrT((h2 - float(gMY)) / h2) * kPitch;
    return 1;
  }
  if (guiKamRToL()) yaw = zn::FrT(0.03f) * kYaw;
  else if (guiKamRToR()) yaw = -zn::FrT(0.03f) * kYaw;
  else if (guiKamRToDn()) pitch = zn::FrT(0.03f) * kPitch;
  else if (guiKamRToUp()) pitch = -zn::FrT(0.03f) * kPitch;
  return 1;
}
