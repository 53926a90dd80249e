// Feeds arbitrary bytes as a mode's command file to the loader the mode steps
// use, then drives the loaded set through frames of key presses, pointer
// moves and frame times taken from the rest of the input. Whatever the file
// held: every record is of the set's mode or off, with its interval and
// channel in range, the way out of the mode fires for a tap of its keys, and
// through the frames
// key codes stay in 0..320, toggles within their count, countdowns
// non-negative, signals 0..3 and at most one per arbitration channel.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "modes/modes.h"
#include "shell/shell.h"
#include "tests/fuzz/fuzz_script.h"
#include "tests/fuzz/scratch.h"

namespace {

template <class Set>
void Run(const std::string& file, FuzzScript& s, const char* path) {
  FuzzWrite(path, file);
  static Set* set = nullptr;  // a set lives as long as its mode's step
  delete set;
  set = new Set;
  set->_Load();
  for (int i = 0; i < Set::kRecords; ++i) {
    const IKmd2& c = set->k[i];
    if (c.mode != 0 && c.mode != Set::kMode) std::abort();
    if (c.mode && (c.interval < 0 || c.interval > kKmdLongestMs)) std::abort();
    if (c.channel < 0 || c.channel >= kKmdChannels) std::abort();
  }
  const IKmd2& out = set->k[Set::kWayOut];
  if (out.mode != Set::kMode || out.enabled != 1 || out.status != 0) std::abort();
  Root_IPPI.cur = Set::kMode;
  std::memset(nsMKeys::n, 0, sizeof nsMKeys::n);
  nsMKeys::Clear_Shifts();
  // A tap of those of the way out's keys a player can press (the keyboard's
  // and the three buttons): it fires at the press, or once its click window
  // has run out.
  bool left = false;
  for (int frame = 0; frame < 120 && !left; ++frame) {
    for (int key : {out.key1, out.key2, out.key3})
      if ((key >= 1 && key <= 255) || (key >= 301 && key <= 303)) nsMKeys::n[key] = frame == 0;
    GFrameTime = 100;
    gMilli += 100;
    set->SensUp();
    left = out.Sig() != 0;
  }
  if (!left) std::abort();
  std::memset(nsMKeys::n, 0, sizeof nsMKeys::n);
  for (int frame = 0; frame < 200 && s.n; ++frame) {
    int k = s.Byte() | (s.Byte() & 1) << 8;
    if (k <= kKmdLastKey) nsMKeys::n[k] = s.Byte() & 1;
    gMX = s.Coord();
    gMY = s.Coord();
    GFrameTime = 1 + s.Byte() % 100;
    gMilli += static_cast<uint32_t>(GFrameTime);
    set->SensUp();
    bool taken[kKmdChannels] = {};
    for (IKmd2& c : set->k) {
      for (int key : {c.key1, c.key2, c.key3})
        if (c.mode > 0 && (key < 0 || key > kKmdLastKey)) std::abort();
      if (c.togVal < 0 || (c.togVal > 0 && c.togVal > c.togCount)) std::abort();
      if (c.waitCd < 0 || c.win1Cd < 0 || c.win2Cd < 0) std::abort();
      if (c.Sig() < 0 || c.Sig() > 3) std::abort();
      if (c.Sig() && c.channel >= 1 && c.channel < kKmdChannels) {
        if (taken[c.channel]) std::abort();
        taken[c.channel] = true;
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzEnterScratch();
  static bool made = false;
  if (!made) {
    if (system("mkdir -p base") != 0) std::abort();
    made = true;
  }
  if (size < 3) return 0;
  // Byte 0 picks the mode, bytes 1..2 the length of the file text.
  const int which = data[0] % 3;
  size_t len = static_cast<size_t>(data[1] | data[2] << 8);
  if (len > size - 3) len = size - 3;
  const std::string file(reinterpret_cast<const char*>(data + 3), len);
  FuzzScript s{data + 3 + len, size - 3 - len};
  gMilli = 1;
  switch (which) {
    case 0: Run<inerQ7MenuKmd>(file, s, "base/menu_kmd.txt"); break;
    case 1: Run<inerQ7GameKmd>(file, s, "base/game_kmd.txt"); break;
    default: Run<inerQ7EditKmd>(file, s, "base/edit_kmd.txt"); break;
  }
  Root_IPPI.cur = 0;
  return 0;
}
