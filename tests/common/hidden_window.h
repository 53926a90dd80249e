// A hidden window of its own class: enough for posted messages and socket
// events, with no display needed.
#pragma once

#include "platform/platform.h"

inline HWND HiddenWindow(const char* className, WNDPROC proc) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = proc;
  wc.lpszClassName = className;
  RegisterClassA(&wc);
  return CreateWindowExA(0, className, className, WS_POPUP, 0, 0, 8, 8, nullptr, nullptr, nullptr,
                         nullptr);
}
