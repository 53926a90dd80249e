// Every test of this program runs on OpenAL Soft's null backend.
#include "tests/sound/sound_fixture.h"

namespace {
const bool kEnv = sndtest::UseSoundBackend("null");
}  // namespace
