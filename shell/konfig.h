// The start-up configuration konfig.txt: 22 positional values, each after a
// label line. Reading it makes the system directory current.
#pragma once

#include "core/chars.h"

extern t_Char256 game_sys_dir0;
extern char general_ris_list0[128];
extern char wfont_list0[128];
extern char proektor_list0[128];
extern float Glob_GenFOV, Glob_GenNear, Glog_GenFar;
extern int GlobTerminator_IfNotPixBuf;
extern int shader1ErrorAsFatal;

int ReadKonfig_Txt(int& greeting);
