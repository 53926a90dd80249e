// The shell's globals built before the program entry, in the order the program
// builds its globals (the screen record before the mode machine).
#include "shell/ekran.h"
#include "shell/ippi.h"

t_Main_Ekran Ekran;
t_Root_IPPI Root_IPPI;
