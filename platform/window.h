// Top-level windows, window classes and the message queue. A window keeps the
// procedure of its class; SDL events become the window messages of win_types.h
// and are handed to that procedure by DispatchMessageA.
#pragma once

#include "platform/win_types.h"

struct WNDCLASSA {
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra, cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;
  const char* lpszMenuName;
  const char* lpszClassName;
};

// Why the window system could not be started ("" while it runs or was not
// tried); with no display it says so.
const char* plat_VideoFailure();

HINSTANCE GetModuleHandleA(const char* name);
ATOM RegisterClassA(const WNDCLASSA* wc);  // 0 when the name is taken or invalid
BOOL UnregisterClassA(const char* className, HINSTANCE inst);

// The window is made when it is shown or gets its pixel format (an SDL window
// picks its GL visual when it is created). x, y, w, h: the client area.
HWND CreateWindowExA(DWORD exStyle, const char* className, const char* title, DWORD style, int x,
                     int y, int w, int h, HWND parent, void* menu, HINSTANCE inst, void* param);
BOOL DestroyWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);
BOOL ShowWindow(HWND hwnd, int cmd);
BOOL IsIconic(HWND hwnd);
BOOL SetForegroundWindow(HWND hwnd);
HWND SetFocus(HWND hwnd);
BOOL GetWindowRect(HWND hwnd, RECT* r);  // outer rectangle in screen pixels
BOOL GetClientRect(HWND hwnd, RECT* r);  // drawable size, origin 0
BOOL AdjustWindowRectEx(RECT* r, DWORD style, BOOL menu, DWORD exStyle);
HDC GetDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC dc);
int GetSystemMetrics(int index);

LRESULT DefWindowProcA(HWND hwnd, UINT msg, WPARAM w, LPARAM l);
BOOL PeekMessageA(MSG* msg, HWND hwnd, UINT first, UINT last, UINT remove);
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessageA(const MSG* msg);
BOOL PostMessageA(HWND hwnd, UINT msg, WPARAM w, LPARAM l);
void PostQuitMessage(int code);
UINT RegisterWindowMessageA(const char* name);  // 0xC000.. per distinct name

// Cursor and keys.
BOOL GetCursorPos(POINT* p);  // screen pixels, y down
BOOL SetCursorPos(int x, int y);
int ShowCursor(BOOL show);      // display counter: visible while >= 0
short GetAsyncKeyState(int vk);  // high bit set while the key or button is down
UINT MapVirtualKeyA(UINT code, UINT mapType);  // type 0: virtual key -> set-1 scan code

// Display modes (the first display).
BOOL EnumDisplaySettingsA(const char* device, DWORD index, DEVMODEA* mode);
LONG ChangeDisplaySettingsA(DEVMODEA* mode, DWORD flags);

// Key translation, shared with the tests: SDL scan code -> virtual key (0 when
// the key has none) and virtual key -> set-1 scan code.
int plat_VkFromSdlScancode(int sdlScancode);
int plat_ScanFromVk(int vk);
// 1 when some key of the keyboard, pressed alone, comes as WM_KEYDOWN with
// the virtual key vk (1..255): a key the translation gives vk, other than
// the system keys Alt and F10. Every other code no key press ever makes.
int plat_KeyDownMakes(int vk);
