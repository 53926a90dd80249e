// What the render engine uses of the program shell and the platform layer:
// the screen record, the 2D projection, the start-up flags and list names of
// konfig.txt, the message base, message boxes and the buffer swap; and of the
// modes, whether the editor is the active mode.
#pragma once

#include "core/core.h"
#include "platform/platform.h"
#include "shell/shell.h"

// The screen record's current width and height in pixels.
inline int ScreenWidth() { return Ekran.W; }
inline int ScreenHeight() { return Ekran.H; }

// A message box with an OK button and the exclamation icon.
inline void ShellMessageBox(const char* text, const char* caption) {
  MessageBoxA(nullptr, text, caption, MB_OK | MB_ICONEXCLAMATION);
}

// Non-zero while the editor is the active mode (the modes' own).
int AktivIPPI_ResidentOfEditor();
// The ground point the game's command code keeps; the ground-light marker is
// drawn around it (the modes' own).
extern vec3 test1PointVec;
