// Public surface of the sound library: the OpenAL device and the sound object
// with its buffer cache, start-up and release, the sound groups and their
// list files, the source functions and the listener, the two chains, the hero
// sources, the 12 positional channels and the mode switches.
#pragma once

#include "objects/soundglue.h"
#include "shell/soundglue.h"
#include "sound/aldevice.h"
#include "sound/chains.h"
#include "sound/channels.h"
#include "sound/remSnd.h"
#include "sound/wavfile.h"
#include "sound/zsrc.h"
#include "sound/zvu.h"
