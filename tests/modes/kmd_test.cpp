// Command bindings: click counting, plain keys with and without lock
// intervals, release, modifier combinations, toggles with auto-repeat and
// channel arbitration, driven frame by frame through the key-state table;
// and the command files: the shipped ones, short and damaged ones, the
// built-in copies.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "modes/modes.h"
#include "shell/shell.h"
#include "tests/common/temp_dir.h"
#include "ui/ui.h"

namespace {

constexpr int kMode = 4;
constexpr int kFrame = 10;  // ms

class KmdTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::memset(nsMKeys::n, 0, sizeof nsMKeys::n);
    nsMKeys::Clear_Shifts();
    Root_IPPI.cur = kMode;
    GFrameTime = kFrame;
    gMilli = 1000;
    gMX = gMY = 0;
  }
  void TearDown() override {
    std::memset(nsMKeys::n, 0, sizeof nsMKeys::n);
    nsMKeys::Clear_Shifts();
    Root_IPPI.cur = 0;
    GFrameTime = 1;
    *o2::ScanCodes = 0;
  }
  // One frame of the set k[0..n-1]: the clock advances, then the test.
  void Frame(IKmd2* k, int n = 1) {
    gMilli += kFrame;
    IKmd2_SensUp_WayWar(k, k + n - 1);
  }
  // Frames for ms milliseconds; the signals of record `watch` summed.
  int Frames(IKmd2* k, int n, int ms, int watch = 0) {
    int fired = 0;
    for (int t = 0; t < ms; t += kFrame) {
      Frame(k, n);
      fired += k[watch].Sig() ? 1 : 0;
    }
    return fired;
  }
  static void Plain(IKmd2& k, int key, int interval = 0, int chan = 0, int rank = 0) {
    k._Kmd2_StatusInit1(kMode, key, 0, 0, 0, 0, "k");
    k.SetInit_SpeType(KMD_PLAIN);
    k.SetInit_ToggleSys(0);
    k.SetInit_UseInterval(interval, 0);
    k.SetInit_WayPrior(chan, rank);
    k.SetActiveOn();
  }
  static void Click(IKmd2& k, int key, int w1, int w2, int suppress = 0) {
    k._Kmd2_StatusInit1(kMode, key, 0, 0, 0, 0, "click");
    k.SetInit_SpeType(KMD_CLICK, w1, w2, suppress);
    k.SetInit_ToggleSys(1);
    k.SetInit_UseInterval(0, 0);
    k.SetInit_WayPrior(0, 0);
    k.SetActiveOn();
  }
};

TEST_F(KmdTest, ButtonHeldLongerThanItsWindowGivesOneClickAtThePressPosition) {
  IKmd2 k;
  Click(k, 301, 300, 0);
  gMX = 120, gMY = 340;
  nsMKeys::n[301] = 1;
  Frame(&k);
  EXPECT_EQ(k.Sig(), 0);  // no signal at the press
  gMX = 500, gMY = 50;    // the pointer moves while the button stays down
  int fired = 0, at = -1;
  for (int t = 0; t < 1000; t += kFrame) {
    Frame(&k);
    if (k.Sig()) {
      ++fired;
      at = t;
      EXPECT_EQ(k.Sig(), 1);
    }
  }
  EXPECT_EQ(fired, 1);
  EXPECT_NEAR(at, 300, 2 * kFrame);
  EXPECT_EQ(k.gKliX(), 120);
  EXPECT_EQ(k.gKliY(), 340);
  EXPECT_EQ(k.KliTms(), 0);  // the signal of the last frame is gone
  nsMKeys::n[301] = 0;
  EXPECT_EQ(Frames(&k, 1, 1000), 0);
}

TEST_F(KmdTest, ClickCounting) {
  struct Case {
    const char* name;
    int w1, w2, suppress;
    int presses;     // presses 50 ms apart (30 ms down each)
    int want;        // the signal reported
  } cases[] = {
      {"second press within window 1 is a double click at once", 300, 0, 0, 2, 2},
      {"with window 2 a double click waits for it to run out", 300, 200, 0, 2, 2},
      {"a third press within window 2 is a triple click", 300, 200, 0, 3, 3},
      {"single clicks suppressed", 300, 0, 1, 1, 0},
      {"double click survives the suppression", 300, 0, 1, 2, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    IKmd2 k;
    Click(k, 301, c.w1, c.w2, c.suppress);
    std::vector<int> sigs;
    for (int p = 0; p < c.presses; ++p) {
      gMX = 10 * (p + 1);
      nsMKeys::n[301] = 1;
      for (int t = 0; t < 30; t += kFrame) Frame(&k), sigs.push_back(k.Sig());
      nsMKeys::n[301] = 0;
      for (int t = 0; t < 20; t += kFrame) Frame(&k), sigs.push_back(k.Sig());
    }
    for (int t = 0; t < 1000; t += kFrame) Frame(&k), sigs.push_back(k.Sig());
    int nonzero = 0, got = 0;
    for (int s : sigs)
      if (s) ++nonzero, got = s;
    EXPECT_EQ(nonzero, c.want ? 1 : 0);
    EXPECT_EQ(got, c.want);
    if (c.want >= 2) {
      EXPECT_EQ(k.gKliX(), 10);
      EXPECT_EQ(k.gKliX2(), 20);
    }
  }
}

TEST_F(KmdTest, PlainKeysAndLockIntervals) {
  IKmd2 cam, shot, step;
  Plain(cam, 'A');        // camera: every frame while held
  Plain(shot, 123, 500);  // one-shot
  Plain(step, 'B', 200);
  nsMKeys::n['A'] = nsMKeys::n[123] = 1;
  EXPECT_EQ(Frames(&cam, 1, 100), 10);
  EXPECT_EQ(Frames(&shot, 1, 100), 1);  // held 100 ms: once
  nsMKeys::n[123] = 0;
  EXPECT_EQ(Frames(&shot, 1, 600), 0);
  nsMKeys::n['B'] = 1;
  EXPECT_EQ(Frames(&step, 1, 1000), 5);  // once per 200 ms
}

// The command that leaves a mode starts its lock in the mode's last frame;
// the first press of a new stay in the mode is answered all the same.
TEST_F(KmdTest, TheFirstPressOfANewStayInTheModeIsAnswered) {
  inerQ7GameKmd set;
  ASSERT_EQ(KmdSet_FromText(set.k, inerQ7GameKmd::Form("base/game_kmd.txt", KmdDefaults_Game()),
                            KmdDefaults_Game()),
            15);
  nsMKeys::n[27] = 1;
  gMilli += kFrame;
  set.SensUp();
  EXPECT_EQ(set[0].Sig(), 1);  // Shift+Esc: to the menu
  nsMKeys::n[27] = 0;
  ++Root_IPPI.entries;  // the menu
  ++Root_IPPI.entries;  // and back
  nsMKeys::n[27] = 1;
  gMilli += kFrame;
  set.SensUp();
  EXPECT_EQ(set[0].Sig(), 1);
}

TEST_F(KmdTest, ReleaseFiresInTheFrameTheKeyGoesUp) {
  IKmd2 k;
  Plain(k, 'R');
  k.SetInit_SpeType(KMD_RELEASE);
  k.SetActiveOn();
  nsMKeys::n['R'] = 1;
  EXPECT_EQ(Frames(&k, 1, 300), 0);
  nsMKeys::n['R'] = 0;
  Frame(&k);
  EXPECT_EQ(k.Sig(), 1);
  EXPECT_EQ(Frames(&k, 1, 300), 0);
}

TEST_F(KmdTest, ModifierCombinationsMarkTheirModifierShiftLikeForTheMode) {
  IKmd2 k[2];
  // Ctrl + S.
  k[0]._Kmd2_StatusInit1(kMode, 17, 'S', 0, 0, 0, "ctrlS");
  k[0].SetInit_SpeType(KMD_SHIFT);
  k[0].SetActiveOn();
  // Plain Ctrl with the shift flag.
  k[1]._Kmd2_StatusInit1(kMode, 17, 0, 0, 1, 0, "ctrl");
  k[1].SetActiveOn();
  nsMKeys::n['S'] = 1;
  Frame(k, 2);
  EXPECT_EQ(k[0].Sig(), 0);  // no modifier
  nsMKeys::n[17] = 1;
  nsMKeys::n['S'] = 0;
  Frame(k, 2);
  EXPECT_EQ(k[0].Sig(), 0);
  EXPECT_EQ(k[1].Sig(), 0);  // Ctrl is shift-like now
  nsMKeys::n['S'] = 1;
  Frame(k, 2);
  EXPECT_EQ(k[0].Sig(), 1);
  Root_IPPI.cur = 5;  // the mark belongs to mode 4 only
  k[1].mode = 5;
  Frame(&k[1]);
  EXPECT_EQ(k[1].Sig(), 1);

  // Two modifiers: Ctrl or Alt with X; X alone does nothing.
  Root_IPPI.cur = kMode;
  IKmd2 two;
  two._Kmd2_StatusInit1(kMode, 17, 18, 'X', 0, 0, "two");
  two.SetInit_SpeType(KMD_SHIFTS);
  two.SetActiveOn();
  std::memset(nsMKeys::n, 0, sizeof nsMKeys::n);
  nsMKeys::n['X'] = 1;
  Frame(&two);
  EXPECT_EQ(two.Sig(), 0);
  nsMKeys::n[18] = 1;
  Frame(&two);
  EXPECT_EQ(two.Sig(), 1);
}

TEST_F(KmdTest, ChannelArbitrationByRankThenSlot) {
  IKmd2 k[4];
  Plain(k[0], 'A', 0, 7, 1);
  Plain(k[1], 'B', 0, 7, 3);
  Plain(k[2], 'C', 0, 7, 3);
  Plain(k[3], 'D', 0, 0, 9);  // channel 0 never competes
  k[2].SetInit_ToggleSys(1);
  k[2].SetInit_UseInterval(100, 0);
  for (int key : {'A', 'B', 'C', 'D'}) nsMKeys::n[key] = 1;
  Frame(k, 4);
  EXPECT_EQ(k[0].Sig(), 0);
  EXPECT_EQ(k[1].Sig(), 1);  // highest rank, earlier slot
  EXPECT_EQ(k[2].Sig(), 0);
  EXPECT_EQ(k[3].Sig(), 1);
  // The loser keeps the rest of its firing: toggle advanced, lock running.
  EXPECT_EQ(k[2].togVal, 2);
  EXPECT_GT(k[2].waitCd, 0);
  nsMKeys::n['B'] = 0;
  Frame(k, 4);
  EXPECT_EQ(k[0].Sig(), 1);  // C is locked, A wins now
}

TEST_F(KmdTest, ToggleAutoRepeatAfterItsDelayUpToItsLimit) {
  IKmd2 k;
  Plain(k, 'T', 100);
  ASSERT_EQ(k.SetInit_ToggleSys(1, 3, 0, 300, 2), kMode);
  nsMKeys::n['T'] = 1;
  // At the press; then nothing until the delay; then every interval, twice.
  EXPECT_EQ(Frames(&k, 1, 250), 1);
  EXPECT_EQ(Frames(&k, 1, 1000), 2);
  EXPECT_EQ(k.togVal, 1);  // 1 -> 2 -> 3 -> wraps to 1
  nsMKeys::n['T'] = 0;
  Frames(&k, 1, 200);
  nsMKeys::n['T'] = 1;
  EXPECT_EQ(Frames(&k, 1, 100), 1);  // a new hold starts over
}

TEST_F(KmdTest, ToggleModes) {
  struct Case {
    int mode, count;
    std::vector<int> values;  // after each firing
  } cases[] = {{0, 3, {2, 3, 1, 2}}, {1, 3, {2, 3, 3, 3}}, {2, 3, {2, 3, 3, 2, 1, 1, 2}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    IKmd2 k;
    Plain(k, 'T');
    k.SetInit_ToggleSys(1, c.count, c.mode, 0, 0);
    for (int v : c.values) {
      k.SdvigToggle();
      EXPECT_EQ(k.togVal, v);
    }
  }
}

TEST_F(KmdTest, RecordsThatNeverFire) {
  IKmd2 off, other, sleeping, bad;
  Plain(off, 'A');
  off.enabled = 0;  // active flag 0 in the file
  Plain(other, 'A');
  other.mode = 3;  // another mode: skipped whole
  Plain(sleeping, 'A');
  EXPECT_EQ(bad._Kmd2_StatusInit1(kMode, 999, -4, 0, 0, 0, "bad"), 0);  // keys out of range
  EXPECT_EQ(bad.key1, 0);
  EXPECT_EQ(bad.status, 1);
  nsMKeys::n['A'] = 1;
  for (IKmd2* k : {&off, &other, &bad}) EXPECT_EQ(Frames(k, 1, 100), 0);
  IKmd2 clickNoWindows;
  Plain(clickNoWindows, 'A');
  EXPECT_EQ(clickNoWindows.SetInit_SpeType(KMD_CLICK), 0);  // a click needs its windows
  IKmd2 plainWithWindows;
  Plain(plainWithWindows, 'A');
  EXPECT_EQ(plainWithWindows.SetInit_SpeType(KMD_PLAIN, 300, 0, 0), 0);
  IKmd2 badToggle;
  Plain(badToggle, 'A');
  EXPECT_EQ(badToggle.SetInit_ToggleSys(3, 2, 0, 0, 0), 0);
  EXPECT_EQ(badToggle.mode, 0);
}

// --- command files ---

std::string Record(const std::string& name, const std::string& keyLine, const std::string& clickLines,
                   const std::string& toggleLines, const std::string& timing) {
  return "// x\r\nwhat\r\n-\r\n  " + name + "\t \r\n" + keyLine + "   comment 1 2 3\r\n" + clickLines + toggleLines +
         timing + "\r\n";
}

std::string Slurp(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// A plain record on key Z: the built-in record of every slot of the sets below.
const std::string kBuiltInZ = Record("Z", "4 90 0 0 0 0", "0\r\n0\r\n", "0\r\n0\r\n", "0 0 0 1");

// Four records of mode 4 with the Z records as their built-in copy, no way out.
t_KmdSetForm FourRecords() {
  static const std::string defaults = kBuiltInZ + kBuiltInZ + kBuiltInZ + kBuiltInZ;
  return {kMode, 4, -1, "base/test_kmd.txt", defaults};
}

TEST_F(KmdTest, RecordFieldsFromText) {
  std::string text =
      Record("VeryLongNameCut", "4 301 0 0 0 7", "1\r\n1 300 0 1\r\n", "0\r\n1\r\n", "0 0 0\r\n1") +
      Record("Rep", "4 65 66 0 1 0", "0\r\n0\r\n", "1\r\n1 4 2 250 3\r\n", "150 12 5 1") +
      Record("Mode0", "0 65 0 0 0 0", "0\r\n0\r\n", "0\r\n0\r\n", "0 0 0 1") +
      Record("Off", "4 65 0 0 0 0", "0\r\n0\r\n", "0\r\n0\r\n", "0 0 0 0");
  IKmd2 k[6];
  ASSERT_EQ(KmdSet_FromText(k, FourRecords(), text), 4);
  EXPECT_STREQ(k[0].name.pCharStr(), "VeryLongName");
  EXPECT_EQ(k[0].kind, KMD_CLICK);
  EXPECT_EQ(k[0].win1, 300);
  EXPECT_EQ(k[0].singleOff, 1);
  EXPECT_EQ(k[0].spare, 7);
  EXPECT_EQ(k[0].togVal, 1);
  EXPECT_EQ(k[0].enabled, 1);
  EXPECT_EQ(k[1].key2, 66);
  EXPECT_EQ(k[1].shiftFlag, 1);
  EXPECT_EQ(k[1].togCount, 4);
  EXPECT_EQ(k[1].togMode, 2);
  EXPECT_EQ(k[1].repDelay, 250);
  EXPECT_EQ(k[1].interval, 150);
  EXPECT_EQ(k[1].channel, 12);
  EXPECT_EQ(k[1].rank, 5);
  EXPECT_EQ(k[2].mode, 0);  // switched off in the file
  EXPECT_EQ(k[2].interval, kKmdOffInterval);
  EXPECT_EQ(k[3].enabled, 0);
  // The overlay toggle follows the records.
  EXPECT_EQ(k[4].key1, 192);
  EXPECT_STREQ(k[4].name.pCharStr(), "x");
  EXPECT_EQ(k[4].interval, 200);
  EXPECT_EQ(k[4].enabled, 1);
  EXPECT_EQ(k[5].mode, 0);
}

TEST_F(KmdTest, ShortOrUnreadableTextLeavesTheRestToTheBuiltInRecords) {
  TempDir dir;  // the refusals are logged
  ASSERT_TRUE(dir.Ok());
  const std::string one = Record("A", "4 65 0 0 0 0", "0\r\n0\r\n", "0\r\n0\r\n", "0 0 0 1");
  struct Case {
    const char* name;
    std::string text;
    int taken;
    const char* fromFile;  // per slot: 'A' taken from the text, 'Z' built in
  } cases[] = {
      {"ends after two records", one + one, 2, "AAZZ"},
      {"ends inside the third", one + one + one.substr(0, one.size() / 2), 2, "AAZZ"},
      {"a word where a number belongs", one + "// x\r\nw\r\n-\r\nB\r\n4 x 0 0 0 0\r\n" + one, 1, "AZZZ"},
      {"a number beyond 32 bits refuses its record only",
       one + Record("B", "4 99999999999 0 0 0 0", "0\r\n0\r\n", "0\r\n0\r\n", "0 0 0 1") + one + one, 3, "AZAA"},
      {"empty", "", 0, "ZZZZ"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    IKmd2 k[6];
    EXPECT_EQ(KmdSet_FromText(k, FourRecords(), c.text), c.taken);
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(k[i].key1, c.fromFile[i] == 'A' ? 65 : 90) << i;
      EXPECT_EQ(k[i].enabled, 1) << i;
    }
    EXPECT_EQ(k[4].enabled, 1);  // the overlay toggle is there whatever the file held
  }
}

// A shipped file with a record damaged: a refused record is logged and its
// slot takes the built-in record, the records around it are still read; a
// record switched off on purpose is taken as it is. The way out of the mode
// (the game's Shift+Esc, the menu's click on its lines) is judged with the
// whole set: one that does not answer within a second a tap of keys a player
// can press (the menu's: of the left button alone, at its press point) is
// refused too.
TEST_F(KmdTest, DamagedRecordsTakeTheBuiltInRecordWithALogLine) {
  TempDir dir;
  ASSERT_TRUE(dir.Ok());
  const char* const kKindLine = "0                       kind";
  const char* const kEscKeys =
      "4 27 0 0 0 0            mode, key 1, key 2, key 3, shift flag, spare\r\n0                       no click "
      "counting\r\n0";
  const char* const kLeftClick =
      "3 301 0 0 0 0           mode, key 1, key 2, key 3, shift flag, spare\r\n1                       click "
      "counting\r\n1 50 0 0";
  // Slot 0 of the game and the editor (Shift+Esc) from its key 1 to its toggle line.
  const char* const kEscTaken =
      "27 0 0 0 0            mode, key 1, key 2, key 3, shift flag, spare\r\n0                       no click "
      "counting\r\n0                       kind: 0 press, 2 release, 3 shift, 4 two modifiers\r\n1                "
      "       toggle flag\r\n1 2 0 450 0";
  const char* const kCounted =
      "the way out counts clicks: it fires after its click window, when the Shift held with the tap may be up";
  const char* const kMenuEsc =
      "3 27 0 0 0 0            mode, key 1, key 2, key 3, shift flag, spare\r\n0                       no click "
      "counting\r\n0";
  // Game slot 3 (arrow left or A) from its kind to its active flag.
  const char* const kCamLeftRest =
      "0                       kind: 0 press, 2 release, 3 shift, 4 two modifiers\r\n0                       toggle "
      "flag\r\n0                       no toggle\r\n0 0 0 1";
  enum Set { kGame, kMenu, kEdit };
  struct Case {
    int slot;
    const char* from;
    const char* to;
    const char* refused;  // what the log line says; nullptr: taken from the file
    Set set = kGame;
    int slot2 = -1;  // a second record changed, with the refused one
    const char* from2 = "";
    const char* to2 = "";
    int scanCodes = 0;  // the setting ScanCodes
  } cases[] = {
      {3, "4 37 65 0", "4 999999 65 0", "key code 999999 outside 0..320"},
      {3, "4 37 65 0", "4 37 -4 0", "key code -4 outside 0..320"},
      {3, "4 37 65 0", "4 0 0 0", "no key"},
      {4, "4 39 68", "3 39 68", "mode 3, not 4"},
      {4, "4 39 68", "-1 39 68", "mode -1, not 4"},
      {5, "0 0 0 1 ", "99999999 0 0 1 ", "lock interval 99999999 ms outside 0..10000"},
      {5, "0 0 0 1 ", "-5 0 0 1 ", "lock interval -5 ms outside 0..10000"},
      {6, "0 0 0 1 ", "0 99999 0 1 ", "channel 99999 outside 0..199"},
      {6, "0 0 0 1 ", "0 200 0 1 ", "channel 200 outside 0..199"},
      {6, "0 0 0 1 ", "0 -1 0 1 ", "channel -1 outside 0..199"},
      {9, "150 0 0 1", "99999999999 0 0 1", "a number beyond the 32-bit range"},
      {2, "1 50 0 0 ", "1 99999999 0 0 ", "click window 99999999 ms outside 0..10000"},
      {2, "1 50 0 0 ", "0 50 0 0 ", "click windows for trigger kind 0"},
      {3, kKindLine, "1 kind", "trigger kind 1 without its click windows"},
      {3, kKindLine, "9 kind", "trigger kind 9"},
      {13, kKindLine, "3 kind", "a shift combination without a second key"},
      {3, kKindLine, "4 kind", "a two-modifier combination without its main key"},
      {3, "0                       no toggle", "7", "toggle value 7 without the toggle numbers"},
      {3, "0                       toggle flag\r\n0 ", "1\r\n3 2 0 0 0 ", "toggle value 3 of 2"},
      {3, "0 0 0 1 ", "0 0 0 0 ", nullptr},   // active flag 0: off on purpose
      {4, "4 39 68", "0 39 68", nullptr},     // mode 0: off on purpose
      {3, "4 37 65 0", "4 90 65 0", nullptr}, // another key
      // The way out.
      {0, "300 0 0 1", "300 0 0 0", "the way out of the mode cannot be switched off"},
      {0, "4 27 0", "0 27 0", "the way out of the mode cannot be switched off"},
      {0, "4 27 0", "4 320 0", "the way out can never fire: no key or button makes its key code 320"},
      // Codes of 1..255 no key press makes, and the system keys Alt and F10.
      {0, "5 27 0", "5 160 0", "the way out can never fire: no key or button makes its key code 160", kEdit},
      {0, "4 27 0", "4 124 0", "the way out can never fire: no key or button makes its key code 124"},
      {0, "4 27 0", "4 18 121 0", "the way out can never fire: no key or button makes its key codes 18 and 121"},
      {0, "4 27 0", "4 7 27 0", nullptr},  // Esc makes it
      // Under ScanCodes a key line holds scan codes: 1 is Esc, nothing makes 100.
      {0, "4 27 0", "4 100 0", "the way out can never fire: no key or button makes its key code 100", kGame, -1, "",
       "", 1},
      {0, "4 27 0", "4 1 0", nullptr, kGame, -1, "", "", 1},
      {0, "4 27 0", "4 304 0", "the way out can never fire: the wheel makes no press"},
      {0, kEscKeys, "4 27 27 0 0 0\r\n0\r\n3",
       "the way out can never fire: key 27 is a modifier of the mode, which its test refuses"},
      // A modifier of the mode anywhere among the keys, under the shift flag.
      {0, "4 27 0 0 0", "4 27 37 0 1",
       "the way out can never fire: key 37 is a modifier of the mode, which its test refuses", kGame, 3, kCamLeftRest,
       "3\r\n0\r\n0\r\n0 0 0 1"},
      {0, "4 27 0 0 0", "4 27 37 0 1", nullptr, kGame, 3, kCamLeftRest, "3\r\n0\r\n0\r\n0 0 0 0"},  // switched off
      {0, kKindLine, "2 kind", "the way out fires on a release, not on a press"},
      // A single tap answered within a second.
      {0, kEscKeys, "4 27 0 0 0 0\r\n1\r\n1 10000 0 0",
       "the way out answers a single tap after its click window of 10000 ms, not within 1000"},
      // The game and the editor leave on it with Shift held in the frame of
      // its signal: a counted click comes after its window, when the Shift of
      // the tap may be up.
      {0, kEscTaken, "27 0 0 0 0\r\n1\r\n1 300 0 0\r\n0\r\n1", kCounted},
      {0, kEscTaken, "27 0 0 0 0\r\n1\r\n1 1000 0 0\r\n0\r\n1", kCounted},
      {0, kEscTaken, "27 0 0 0 0\r\n1\r\n1 1000 10000 0\r\n0\r\n1", kCounted},
      {0, kEscTaken, "27 0 0 0 0\r\n1\r\n1 300 0 0\r\n0\r\n1", kCounted, kEdit},
      {0, "300 0 0 1", "1001 0 0 1",
       "the way out ignores taps for its lock interval of 1001 ms after each firing, longer than 1000"},
      {0, "300 0 0 1", "300 7 0 1", "slot 13 outranks the way out on channel 7", kGame, 13, "300 0 0 1",
       "300 7 5 1"},
      {0, "300 0 0 1", "300 7 0 1", nullptr, kGame, 13, "300 0 0 1", "300 7 0 1"},  // the earlier slot wins
      {0, "4 27 0", "4 81 0", nullptr},                                           // Q leaves the game
      {0, kEscKeys, "4 16 27 0 0 0\r\n0\r\n3", nullptr},                          // Shift+Esc as a combination
      {1, "3 301 0 0", "3 320 0 0", "the way out is made with button 301, which is not among its keys", kMenu},
      {1, "3 301 0 0", "3 302 0 0", "the way out is made with button 301, which is not among its keys", kMenu},
      {1, "1 50 0 0", "1 50 0 1", "the way out suppresses single clicks", kMenu},
      {1, "3 301 0 0", "3 303 301 0", nullptr, kMenu},
      // The menu's click on its lines: the left button alone, where it was pressed.
      {1, kLeftClick, "3 301 7 0 0 0\r\n0\r\n3",
       "the way out fires from button 301 alone, but trigger kind 3 holds it with another key", kMenu},
      {1, kLeftClick, "3 7 0 301 0 0\r\n0\r\n4",
       "the way out fires from button 301 alone, but trigger kind 4 holds it with another key", kMenu},
      {1, kLeftClick, "3 301 65 0 0 0\r\n0\r\n3",
       "the way out fires from button 301 alone, but trigger kind 3 holds it with another key", kMenu},
      {1, "3 301 0 0 0", "3 7 301 0 1",
       "the way out can never fire: key 301 is a modifier of the mode, which its test refuses", kMenu, 0, kMenuEsc,
       "3 301 27 0 0 0\r\n0\r\n3"},
      {1, "1                       two-state", "0",
       "the way out's click is not counted with toggle value 0: it has no place", kMenu},
      {1, "1 50 0 0", "1 0 0 0", "the way out's click is not counted with a click window 1 of 0 ms: it has no place",
       kMenu},
      {1, "1 50 0 0", "1 1001 0 0",
       "the way out answers a single tap after its click window of 1001 ms, not within 1000", kMenu},
      {1, "1 50 0 0", "1 1000 0 0", nullptr, kMenu},
      {1, kLeftClick, "3 301 0 0 0 0\r\n0\r\n0", nullptr, kMenu},  // a plain press of the button
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.from) + " -> " + c.to);
    const t_KmdSetForm form = c.set == kGame   ? inerQ7GameKmd::Form("base/game_kmd.txt", KmdDefaults_Game())
                              : c.set == kMenu ? inerQ7MenuKmd::Form("base/menu_kmd.txt", KmdDefaults_Menu())
                                               : inerQ7EditKmd::Form("base/edit_kmd.txt", KmdDefaults_Edit());
    *o2::ScanCodes = c.scanCodes;
    nsMKeys::KScanCodeInitProc();
    // The records of the file, ten lines each.
    const std::string shipped(form.defaults);
    std::vector<std::string> records;
    for (size_t p = 0; p < shipped.size();) {
      size_t e = p;
      for (int line = 0; line < 10; ++line) e = shipped.find("\r\n", e) + 2;
      records.push_back(shipped.substr(p, e - p));
      p = e;
    }
    ASSERT_EQ(int(records.size()), form.records);
    IKmd2 builtIn[36];
    ASSERT_EQ(KmdSet_FromText(builtIn, form, shipped), form.records);
    auto edit = [](std::string& r, const char* from, const char* to) {
      const size_t at = r.find(from);
      ASSERT_NE(at, std::string::npos) << from;
      r.replace(at, std::strlen(from), to);
    };
    std::string text;
    for (int i = 0; i < form.records; ++i) {
      std::string r = records[i];
      if (i == c.slot) edit(r, c.from, c.to);
      if (i == c.slot2) edit(r, c.from2, c.to2);
      text += r;
    }
    const size_t logged = Slurp("log.txt").size();
    IKmd2 k[36];
    EXPECT_EQ(KmdSet_FromText(k, form, text), form.records - (c.refused ? 1 : 0));
    const std::string log = Slurp("log.txt").substr(logged);
    if (c.refused) {
      EXPECT_NE(log.find(std::string(form.file) + ": the record of slot " + std::to_string(c.slot) +
                         " is refused (" + c.refused + "); the built-in one is used"),
                std::string::npos)
          << log;
      auto fields = [](const IKmd2& r) {
        return std::vector<int>{r.mode, r.enabled, r.key1,     r.key2,     r.key3,    r.kind, r.win1,
                                r.win2, r.togVal,  r.togCount, r.interval, r.channel, r.rank};
      };
      EXPECT_EQ(fields(k[c.slot]), fields(builtIn[c.slot]));
      EXPECT_STREQ(k[c.slot].name.pCharStr(), builtIn[c.slot].name.pCharStr());
    } else {
      EXPECT_EQ(log, "");
    }
    EXPECT_EQ(k[form.wayOut].enabled, 1);  // the way out is always there
  }
}

// Every record of the shipped files is read; a command that steps something
// (a lock interval), the settings overlay's toggle among them, fires once
// for a press of ordinary length and repeats while held as a desktop's key
// repeat does.
TEST_F(KmdTest, ShippedFilesHoldEveryRecordAndAPressStepsOnce) {
  const std::string base = std::string(VELMAR_SOURCE_DIR) + "/data/base/";
  struct Case {
    const char* file;
    std::string_view builtIn;
    int records, mode;
  } cases[] = {{"menu_kmd.txt", KmdDefaults_Menu(), 13, 3},
               {"game_kmd.txt", KmdDefaults_Game(), 15, 4},
               {"edit_kmd.txt", KmdDefaults_Edit(), 34, 5}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    std::string text = Slurp(base + c.file);
    IKmd2 k[40];
    EXPECT_EQ(KmdSet_FromText(k, {c.mode, c.records, -1, c.file, c.builtIn}, text), c.records);
    // Slots 1 and 2 are the left and right buttons, counted as clicks.
    for (int s : {1, 2}) {
      EXPECT_EQ(k[s].key1, 300 + s);
      EXPECT_EQ(k[s].kind, KMD_CLICK);
      EXPECT_EQ(k[s].togVal, 1);
      EXPECT_EQ(k[s].enabled, 1);
    }
    int stepping = 0;
    for (int i = 0; i <= c.records; ++i) {
      if (k[i].mode != c.mode || k[i].kind != KMD_PLAIN || k[i].interval <= 0) continue;
      SCOPED_TRACE(i);
      ++stepping;
      // As shipped, and as the main key of Ctrl + key (kind 3) and of Ctrl or
      // nothing + key (kind 4) with Ctrl held all along.
      for (int kind : {KMD_PLAIN, KMD_SHIFT, KMD_SHIFTS}) {
        SCOPED_TRACE(kind);
        IKmd2 r = k[i];
        r.mode = kMode;
        r.kind = kind;
        const int main = r.key1;
        if (kind == KMD_SHIFT) r.key1 = 17, r.key2 = main, r.key3 = 0;
        if (kind == KMD_SHIFTS) r.key1 = 17, r.key2 = 0, r.key3 = main;
        nsMKeys::n[17] = kind != KMD_PLAIN;
        uint16_t& key = nsMKeys::n[main];
        key = 1;
        EXPECT_EQ(Frames(&r, 1, 250), 1);  // a press of ordinary length
        key = 0;
        Frames(&r, 1, 1000);
        // A second press made while the first one's lock runs is a press of
        // its own, not the first one held (the modifier held does not make
        // it one): it fires as soon as the lock is over.
        key = 1;
        int twice = Frames(&r, 1, 50);
        key = 0;
        twice += Frames(&r, 1, r.interval - 70);
        key = 1;
        twice += Frames(&r, 1, 40);  // the lock runs out 20 ms into it
        EXPECT_EQ(twice, 2);
        key = 0;
        Frames(&r, 1, 1000);
        key = 1;
        std::vector<int> fired;  // when, in a hold of two seconds
        for (int t = 0; t < 2000; t += kFrame) {
          Frame(&r);
          if (r.Sig()) fired.push_back(t);
        }
        key = 0;
        ASSERT_GE(fired.size(), 3u);
        EXPECT_EQ(fired[0], 0);
        EXPECT_NEAR(fired[1], std::max(kKmdRepeatDelay, r.interval), kFrame);
        EXPECT_NEAR(fired[2] - fired[1], r.interval, kFrame);
      }
      nsMKeys::n[17] = 0;
    }
    EXPECT_GE(stepping, 5);
  }
}

TEST_F(KmdTest, MissingFileIsLoggedAndTheBuiltInCommandsServe) {
  TempDir dir;
  ASSERT_TRUE(dir.Ok());
  inerQ7GameKmd set;
  EXPECT_EQ(set._Load(), 0);
  EXPECT_NE(Slurp("log.txt").find("base/game_kmd.txt: missing; the built-in commands are used"), std::string::npos);
  EXPECT_EQ(set[1].key1, 301);
  EXPECT_EQ(set[15].key1, 192);
  std::filesystem::create_directories("base/game_kmd.txt");  // not a file
  inerQ7GameKmd set2;
  EXPECT_EQ(set2._Load(), 0);
  EXPECT_EQ(set2[3].enabled, 1);
}

}  // namespace
