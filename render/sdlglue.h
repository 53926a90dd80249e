// The few calls the render engine makes into SDL, kept apart so that no file
// of the engine mixes SDL's C headers with the foundation's maths.
#pragma once

void* RenderGetProcAddress(const char* name);
bool RenderHaveContext();
int RenderSwapInterval(int interval);
void RenderSwapWindow();
void RenderShowMessageBox(const char* caption, const char* text);
