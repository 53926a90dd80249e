// Placing the system pointer from the mode steps: at the window centre, or at
// a window pixel (x from the left, y upward from the bottom edge).
#pragma once

void KursorToCentre();
void KursorToWindow(int x, int y);
