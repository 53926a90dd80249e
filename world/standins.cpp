#include "world/standins.h"

int globTexNRamMMap = 51;
