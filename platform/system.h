// Kernel services: clocks and sleeps, the current directory, a lock held for
// the life of the process, message boxes, the three common dialogs and the
// code-page conversion between the game's 8-bit Cyrillic texts (CP1251) and
// UTF-8.
#pragma once

#include <cstdint>
#include <string>

#include "platform/win_types.h"

// Clocks: the high-resolution counter is CLOCK_MONOTONIC in nanoseconds.
BOOL QueryPerformanceFrequency(int64_t* freq);
BOOL QueryPerformanceCounter(int64_t* count);
DWORD timeGetTime();   // milliseconds of the monotonic clock
DWORD GetTickCount();  // the same clock
void Sleep(DWORD ms);

// Directories. GetCurrentDirectoryA returns the length written, the size
// needed (with the terminating zero) when the buffer is too small, 0 on failure.
DWORD GetCurrentDirectoryA(DWORD size, char* buf);
BOOL SetCurrentDirectoryA(const char* path);
BOOL CreateDirectoryA(const char* path, void* security);

// An exclusive lock on a file (flock), created when missing: 1 when another
// process holds it; 0 when it is taken (or already held by this process), and
// then kept until the process ends, however it ends; -1 when it cannot be
// taken at all (why, when given, receives the cause). What stands at the
// name itself and opens for reading and writing is locked, a pipe included;
// a file that cannot be opened for writing, a directory, or either reached
// through a link is locked read-only; a link to anything else (a device, a
// pipe) or to nothing is not opened and gives -1.
int plat_InstanceLockTaken(const char* lockFile, const char** why = nullptr);

// Message boxes. Modal, unless the environment variable VELMAR_MSGBOX is set:
// then the box is written to stderr and answered without waiting, by the next
// word of VELMAR_MSGBOX when it is a comma-separated list of ok, cancel, yes, no
// (a word the box does not offer, or "auto", answers its default button).
int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type);

// Sound devices: the OpenAL device to open for a Windows device name
// ("DirectSound3D"). Those names do not exist here, so every name
// opens the default device (null).
const char* plat_SoundDeviceName(const char* name);

// Common dialogs, through zenity when it is installed; otherwise, and always
// under VELMAR_MSGBOX, they report "cancelled" on stderr and return FALSE.
struct OPENFILENAMEA {
  DWORD lStructSize;
  HWND hwndOwner;
  const char* lpstrFilter;  // pairs of zero-terminated strings, ended by an empty one
  DWORD nFilterIndex;
  char* lpstrFile;          // in: initial name; out: the chosen name (CP1251)
  DWORD nMaxFile;
  const char* lpstrTitle;
  DWORD Flags;
};
constexpr DWORD OFN_PATHMUSTEXIST = 0x800, OFN_FILEMUSTEXIST = 0x1000;
BOOL GetOpenFileNameA(OPENFILENAMEA* ofn);
BOOL GetSaveFileNameA(OPENFILENAMEA* ofn);

struct CHOOSECOLORA {
  DWORD lStructSize;
  HWND hwndOwner;
  COLORREF rgbResult;
  COLORREF* lpCustColors;  // 16 entries
  DWORD Flags;
};
constexpr DWORD CC_RGBINIT = 0x1, CC_FULLOPEN = 0x2;
BOOL ChooseColorA(CHOOSECOLORA* cc);

// Code pages. Bytes and code points without a counterpart become '?'.
std::string plat_Cp1251ToUtf8(const char* text);
std::string plat_Utf8ToCp1251(const char* text);
