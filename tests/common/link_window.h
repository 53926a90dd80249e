// The program window of a network-link test: hidden (no display needed), with
// a procedure that notes each socket message and hands every message on to the
// game's window procedure, and a bounded pump over the real message queue.
#pragma once

#include <vector>

#include "net/net.h"
#include "shell/glwindow.h"
#include "shell/input.h"
#include "tests/common/hidden_window.h"

struct SockMsg {
  UINT msg;
  int event, error;
};

inline std::vector<SockMsg>& SockMsgs() {
  static std::vector<SockMsg> seen;
  return seen;
}

inline LRESULT LinkTestProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m >= kNetMsgListen && m <= kNetMsgPeer2)
    SockMsgs().push_back(SockMsg{m, WSAGETSELECTEVENT(l), WSAGETSELECTERROR(l)});
  return WndProc(h, m, w, l);
}

// Makes the window and takes it as the program window (hWnd).
inline HWND OpenLinkWindow() {
  static HWND w = hWnd = HiddenWindow("velmarLinkTest", LinkTestProc);
  return w;
}

// One pass of the main loop's message pump: every message until the queue runs
// dry. Returns the number handled.
inline int PumpPass() {
  int n = 0;
  MSG m;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
    ++n;
  }
  return n;
}

// Passes until done() holds or timeoutMs has gone by; whether it held. The
// default is only a safety net for a loaded machine.
template <class Done>
bool PumpUntil(Done done, int timeoutMs = 60000) {
  DWORD end = GetTickCount() + DWORD(timeoutMs);
  for (;;) {
    PumpPass();
    if (done()) return true;
    if (GetTickCount() > end) return false;
    Sleep(1);
  }
}
