// Every test of this program runs on OpenAL Soft's null backend, and message
// boxes answer at once.
#include <cstdlib>

namespace {
const bool kEnv = [] {
  setenv("ALSOFT_DRIVERS", "null", 1);
  setenv("VELMAR_MSGBOX", "auto", 0);
  return true;
}();
}  // namespace
