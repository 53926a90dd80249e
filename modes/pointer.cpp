#include "modes/pointer.h"

#include "platform/platform.h"
#include "shell/shell.h"

void KursorToCentre() {
  int x = 0, y = 0;
  SetCursorPos_GlazC(x, y, 0);
}

void KursorToWindow(int x, int y) {
  int sx = x, sy = Ekran.H - y;
  if (!Ekran.FullScreen) {
    RECT r{};
    GetWindowRect(hWnd, &r);
    sx += r.left;
    sy += r.top;
    if (Ekran.Framed) {
      sx += GetSystemMetrics(SM_CXEDGE);
      sy += GetSystemMetrics(SM_CYCAPTION);
    }
  }
  SetCursorPos(sx, sy);
}
