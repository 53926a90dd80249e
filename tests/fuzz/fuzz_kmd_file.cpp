// Feeds arbitrary bytes as a mode's command file to the loader the mode steps
// use, then drives the loaded set through frames of key presses, pointer
// moves and frame times taken from the rest of the input. Whatever the file
// held: every record is of the set's mode or off, with its interval and
// channel in range; the way out of the mode answers within kKmdWayOutMs every
// tap a player can make of it, after a player has pressed every key once;
// and through the frames key codes stay in 0..320, toggles within their
// count, countdowns non-negative, signals 0..3 and at most one per
// arbitration channel. Every input starts with a new set, no key down, the
// pointer at 0, 0 and the program's values as at start-up.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "modes/modes.h"
#include "shell/shell.h"
#include "tests/fuzz/fuzz_fresh.h"
#include "tests/fuzz/fuzz_script.h"
#include "tests/fuzz/scratch.h"

namespace {

constexpr int kFrameMs = 100;

void Press(int k, int x, int y) {
  if (k >= 301 && k <= 303) nsMKeys::PressAt(k, x, y);
  else nsMKeys::Press(k);
}

// A way out a player cannot use: the fuzzer stops on it.
[[noreturn]] void LockedIn(const char* what, int a = 0, int b = 0) {
  std::fprintf(stderr, "the way out %s (%d, %d)\n", what, a, b);
  std::abort();
}

// The way out as a player uses it. First every key a player can press is
// pressed alone, once (so each modifier of the mode is marked). Then, each
// from a quiet start, a tap of each press the way out's kind takes, with
// only keys a player can press: the modifier held for trigger kinds 3 and 4,
// any one other key tapped; in the game and the editor with Shift held from
// before the tap until one frame after it (two on the second round), as they
// leave on the way out's signal only while their step sees Shift down. Each
// is answered by kKmdWayOutMs after the tap, and so is each again a second
// after its answer. The menu's way out is its click on its lines: the left
// button alone, answered with the place where it was pressed.
template <class Set>
void TapTheWayOut(Set& set, bool menu) {
  const IKmd2& out = set.k[Set::kWayOut];
  nsMKeys::nFlushProc();
  nsMKeys::Clear_Shifts();
  int lastFired = static_cast<int>(gMilli);
  // One frame: the clock advances, the set is tested, and the key changes
  // made since the last frame take effect as the window procedure's do.
  // Whether it answers: the way out's signal, in the game and the editor
  // with Shift down as the step sees it.
  auto frame = [&] {
    GFrameTime = kFrameMs;
    gMilli += kFrameMs;
    set.SensUp();
    if (out.Sig()) lastFired = static_cast<int>(gMilli);
    const bool answered = out.Sig() && (menu || nsMKeys::n[16]);
    nsMKeys::FrameSeen();
    return answered;
  };
  for (int k = 1; k <= kKmdLastKey; ++k) {
    if (!KmdKeyPressable(k)) continue;
    Press(k, 5, 5);
    frame();
    nsMKeys::Release(k);
    frame();
  }
  struct Tap {
    int hold, tap;
  } taps[4];
  int n = 0;
  const int k1 = out.key1, k2 = out.key2, k3 = out.key3;
  if (menu) {
    taps[n++] = {0, 301};
  } else if (out.kind == KMD_SHIFT) {
    for (int t : {k2, k3})
      if (KmdKeyPressable(k1) && KmdKeyPressable(t)) taps[n++] = {k1, t};
  } else if (out.kind == KMD_SHIFTS) {
    for (int h : {k1, k2})
      if (KmdKeyPressable(h) && KmdKeyPressable(k3)) taps[n++] = {h, k3};
  } else {
    for (int t : {k1, k2, k3})
      if (KmdKeyPressable(t)) taps[n++] = {0, t};
  }
  if (!n) LockedIn("has no key a player can press", k1, k2);
  for (int i = 0; i < 2 * n; ++i) {  // each twice: the second a second after the first answer
    const Tap& t = taps[i % n];
    for (int f = 0; f < 200; ++f) {  // quiet: no click being counted, no lock left
      if (out.win1Cd <= 0 && out.win2Cd <= 0 && static_cast<int>(gMilli) - lastFired >= kKmdWayOutMs) break;
      frame();
    }
    const int x = 120 + i, y = 340;
    gMX = 7, gMY = 9;  // the pointer is elsewhere by the time the click is reported
    bool answered = false;
    if (!menu) {
      nsMKeys::Press(16);
      answered |= frame();
    }
    if (t.hold) {
      Press(t.hold, x, y);
      answered |= frame();
    }
    Press(t.tap, x, y);
    const int pressed = static_cast<int>(gMilli) + kFrameMs;
    answered |= frame();
    nsMKeys::Release(t.tap);
    if (!menu) {
      if (i >= n) answered |= frame();
      nsMKeys::Release(16);
    }
    while (!answered && static_cast<int>(gMilli) - pressed < kKmdWayOutMs) answered |= frame();
    if (!answered) LockedIn("does not answer a tap of", t.hold, t.tap);
    if (menu) {
      int px = 0, py = 0;
      out.ClickPlace(px, py);
      if (px != x || py != y) LockedIn("reports a click elsewhere than its press", px, py);
    }
    for (int k : {t.hold, 16}) nsMKeys::Release(k);
    frame();
  }
}

template <class Set>
void Run(const std::string& file, FuzzScript& s, const char* path, bool menu) {
  FuzzWrite(path, file);
  const auto set = std::make_unique<Set>();
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
  TapTheWayOut(*set, menu);
  nsMKeys::nFlushProc();
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
  FuzzFreshGlobals();
  nsMKeys::nFlushProc();
  nsMKeys::Clear_Shifts();
  gMX = gMY = 0;
  Root_IPPI.cur = 0;
  gMilli = 1;
  switch (which) {
    case 0: Run<inerQ7MenuKmd>(file, s, "base/menu_kmd.txt", true); break;
    case 1: Run<inerQ7GameKmd>(file, s, "base/game_kmd.txt", false); break;
    default: Run<inerQ7EditKmd>(file, s, "base/edit_kmd.txt", false); break;
  }
  Root_IPPI.cur = 0;
  return 0;
}
