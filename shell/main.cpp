// The program entry: the window-system entry with its arguments ignored.
#include "shell/shell.h"

int main() { return WinMain(nullptr, nullptr, nullptr, 0); }
