// The window procedure's input rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "shell/shell.h"
#include "ui/ui.h"

namespace {

class Input : public ::testing::Test {
 protected:
  void SetUp() override {
    org2_Init();
    nsMKeys::nFlushProc();
    nsMKeys::KScanCodeInitProc();
    WPUM_OnWork = 0;
    GlobKmd_KnoSmenFlag = 0;
    CharPressed = 0;
    GFrameTime = 1;
    Ekran = t_Main_Ekran();
  }
  static void Send(UINT msg, WPARAM w, LPARAM l = 0) { WndProc(nullptr, msg, w, l); }
};

}  // namespace

TEST_F(Input, KeysSetAndClearTheirWords) {
  Send(WM_KEYDOWN, 'A');
  EXPECT_EQ(nsMKeys::n[65], 1);
  nsMKeys::FrameSeen();
  Send(WM_KEYUP, 'A');
  EXPECT_EQ(nsMKeys::n[65], 0);
}

// Keys and buttons are sampled once a frame: every change of a key is seen
// by a frame, one change of a key a frame and in the order they came, however
// many come between two frames; a button shows where each of its presses was
// made.
TEST_F(Input, EveryChangeOfAKeyIsSeenByAFrame) {
  const struct {
    UINT down, up;
    WPARAM w;
    int key;
  } cases[] = {{WM_LBUTTONDOWN, WM_LBUTTONUP, 0, 301},
               {WM_RBUTTONDOWN, WM_RBUTTONUP, 0, 302},
               {WM_MBUTTONDOWN, WM_MBUTTONUP, 0, 303},
               {WM_KEYDOWN, WM_KEYUP, 'Q', 'Q'}};
  auto frames = [](int key, int count) {
    std::vector<int> seen;
    for (int f = 0; f < count; ++f) {
      seen.push_back(nsMKeys::n[key]);
      nsMKeys::FrameSeen();
    }
    return seen;
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    // Two taps between two frames, a repeat of the held key among them.
    Send(c.down, c.w);
    Send(c.down, c.w);
    Send(c.up, c.w);
    Send(c.down, c.w);
    Send(c.up, c.w);
    EXPECT_EQ(frames(c.key, 5), (std::vector<int>{1, 0, 1, 0, 0}));
    // Held across a frame, the release takes effect at once.
    Send(c.down, c.w);
    nsMKeys::FrameSeen();
    Send(c.up, c.w);
    EXPECT_EQ(nsMKeys::n[c.key], 0);
    // A flood between two frames is bounded and ends as its last change.
    for (int i = 0; i < 1000; ++i) Send(c.down, c.w), Send(c.up, c.w);
    Send(c.down, c.w);
    const std::vector<int> seen = frames(c.key, 300);
    EXPECT_EQ(std::vector<int>(seen.end() - 40, seen.end()), std::vector<int>(40, 1));
    Send(c.up, c.w);
    frames(c.key, 1);
  }
  // 256 changes wait for frames, one a frame; the next one has every waiting
  // change take effect at once and waits alone.
  for (int waiting : {256, 257}) {
    SCOPED_TRACE(waiting);
    Send(WM_KEYDOWN, 'Q');
    for (int i = 0; i < waiting; ++i) Send(i % 2 ? WM_KEYDOWN : WM_KEYUP, 'Q');
    std::vector<int> want;
    for (int f = 0; f <= 256; ++f) want.push_back(waiting == 256 ? (f + 1) % 2 : f == 0);
    EXPECT_EQ(frames('Q', 257), want);
    Send(WM_KEYUP, 'Q');
    frames('Q', 1);
  }
  // Shift+Escape tapped between two frames, Shift seen down a frame before:
  // the frame that sees Escape down still sees Shift down.
  Send(WM_KEYDOWN, VK_SHIFT);
  nsMKeys::FrameSeen();
  Send(WM_KEYDOWN, VK_ESCAPE);
  Send(WM_KEYUP, VK_ESCAPE);
  Send(WM_KEYUP, VK_SHIFT);
  EXPECT_EQ(nsMKeys::n[VK_ESCAPE] + nsMKeys::n[VK_SHIFT], 2);
  nsMKeys::FrameSeen();
  EXPECT_EQ(nsMKeys::n[VK_ESCAPE] + nsMKeys::n[VK_SHIFT], 0);
  Ekran.W = 800, Ekran.H = 600;
  Send(WM_LBUTTONDOWN, 0, MAKELPARAM(10, 20));
  Send(WM_LBUTTONUP, 0, MAKELPARAM(500, 500));
  Send(WM_LBUTTONDOWN, 0, MAKELPARAM(30, 900));
  int x = -1, y = -1;
  EXPECT_TRUE(nsMKeys::PressedAt(301, x, y));
  EXPECT_EQ(std::make_pair(x, y), std::make_pair(10, 580));
  nsMKeys::FrameSeen();
  EXPECT_FALSE(nsMKeys::PressedAt(301, x, y));
  nsMKeys::FrameSeen();
  EXPECT_TRUE(nsMKeys::PressedAt(301, x, y));
  EXPECT_EQ(std::make_pair(x, y), std::make_pair(30, 0));  // below the window: its edge
}

TEST_F(Input, ScanCodeModeIndexesByScanCode) {
  *o2::ScanCodes = 1;
  Send(WM_KEYDOWN, 'A');
  EXPECT_EQ(nsMKeys::n[30], 1);
  EXPECT_EQ(nsMKeys::n[65], 0);
  nsMKeys::FrameSeen();
  Send(WM_KEYUP, 'A');
  EXPECT_EQ(nsMKeys::n[30], 0);
}

TEST_F(Input, BusyBlocksPressesButNotReleases) {
  Send(WM_LBUTTONDOWN, 0);
  WPUM_OnWork = 2;
  Send(WM_KEYDOWN, 'B');
  Send(WM_RBUTTONDOWN, 0);
  Send(WM_MOUSEWHEEL, MAKEWPARAM(0, -120));
  EXPECT_EQ(nsMKeys::n['B'], 0);
  EXPECT_EQ(nsMKeys::n[302], 0);
  EXPECT_EQ(nsMKeys::n[304], 0);
  nsMKeys::FrameSeen();
  Send(WM_LBUTTONUP, 0);
  EXPECT_EQ(nsMKeys::n[301], 0);
}

TEST_F(Input, KeyCaptureTakesOneKey) {
  GlobKmd_KnoSmenFlag = 1;
  Send(WM_KEYDOWN, VK_ESCAPE);
  EXPECT_EQ(nsMKeys::n[27], 1);
  EXPECT_EQ(GlobKmd_KnoSmenFlag, 1);
  Send(WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(GlobKmd_KnoSmenFlag, 1);
  Send(WM_KEYDOWN, 'K');
  EXPECT_EQ(GlobKmd_KnoSmenFlag, 2);
  EXPECT_EQ(GlobKmd_KnoSmenKey, 'K');
  EXPECT_EQ(nsMKeys::n['K'], 0);
  Send(WM_KEYDOWN, 'L');
  EXPECT_EQ(GlobKmd_KnoSmenKey, 'K');
}

TEST_F(Input, StringInputOwnsTheKeyboardAndEnterFinishesOnce) {
  nsUniIS::_String = "old";
  *o2::UniIS_Input = 1;
  Send(WM_KEYDOWN, 'A');
  EXPECT_EQ(*o2::UniIS_Input, 2);
  EXPECT_TRUE(nsUniIS::_String.empty());
  Send(WM_KEYDOWN, 'B');
  EXPECT_EQ(CharPressed, 1);
  Send(WM_KEYDOWN, VK_RETURN);  // same press still held: ignored
  EXPECT_EQ(*o2::UniIS_Input, 2);
  Send(WM_KEYUP, 'B');
  Send(WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(*o2::UniIS_Input, 3);
  EXPECT_EQ(nsMKeys::n[13], 0);
  *o2::UniIS_Input = 4;
  Send(WM_KEYDOWN, 'C');
  EXPECT_EQ(nsMKeys::n['C'], 1);
}

TEST_F(Input, WheelStepsAreHeldForTheConfiguredFrames) {
  WheelUpTimeMB1 = 3;
  Send(WM_MOUSEWHEEL, MAKEWPARAM(0, -120));
  EXPECT_EQ(nsMKeys::n[304], 1);
  for (int frame = 1; frame <= 3; ++frame) {
    ProcWheelUpMB();
    EXPECT_EQ(nsMKeys::n[304], 1) << frame;
  }
  ProcWheelUpMB();
  EXPECT_EQ(nsMKeys::n[304], 0);
  WheelUpTimeMB1 = 0;
  Send(WM_MOUSEWHEEL, MAKEWPARAM(0, 120));
  EXPECT_EQ(nsMKeys::n[305], 1);
  ProcWheelUpMB();
  EXPECT_EQ(nsMKeys::n[305], 0);
}

TEST_F(Input, FocusLossMinimisesOnlyInFullScreen) {
  Send(WM_KILLFOCUS, 0);
  EXPECT_EQ(Ekran.Status, 0);
  EXPECT_EQ(*o2::HideWnd, 0);
  Ekran.FullScreen = 1;
  *o2::WinExtraToolsOn = 1;  // a dialog has the cursor
  Send(WM_KILLFOCUS, 0);
  EXPECT_EQ(*o2::HideWnd, 0);
  *o2::WinExtraToolsOn = 0;
  Send(WM_KILLFOCUS, 0);
  EXPECT_EQ(*o2::HideWnd, 1);
  Ekran.Aktiv = 0;
  Send(WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 1));  // minimised: not active yet
  EXPECT_EQ(Ekran.Aktiv, 0);
  EXPECT_EQ(Ekran.Status, 1);
  Send(WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0));
  EXPECT_EQ(Ekran.Aktiv, 1);
}

TEST_F(Input, CloseAsksToQuit) {
  Send(WM_CLOSE, 0);
  MSG m;
  bool quit = false;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) quit = quit || m.message == WM_QUIT;
  EXPECT_TRUE(quit);
}

TEST_F(Input, RotationAtTheCentreChangesNothing) {
  Ekran.W2 = 400;
  Ekran.H2 = 300;
  gMX = 400;
  gMY = 300;
  float pitch = 1, yaw = 2;
  EXPECT_EQ(MouseRootRTS_Rot(pitch, yaw, 1, 1, 1), 0);
  EXPECT_EQ(pitch, 1);
  EXPECT_EQ(yaw, 2);
  gMX = 200;
  EXPECT_EQ(MouseRootRTS_Rot(pitch, yaw, 1, 2, 1), 1);
  EXPECT_FLOAT_EQ(yaw, 1.0f);  // (400 - 200) / 400 * 2 at a 1 ms frame
}
