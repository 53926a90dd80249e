// Public surface of the program shell: entry and start-up, the main loop, the
// mode machine and its frame, konfig.txt, the message base, the GL window, the
// window procedure and input state, the screen record and the reactions.
#pragma once

#include "shell/ekran.h"
#include "shell/engine.h"
#include "shell/genres.h"
#include "shell/glwindow.h"
#include "shell/input.h"
#include "shell/ippi.h"
#include "shell/konfig.h"
#include "shell/msgbase.h"
#include "shell/netglue.h"
#include "shell/rea.h"
#include "shell/soundglue.h"
