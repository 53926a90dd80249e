// SDL input becomes window messages, in order, with the game's numbers.
#include <gtest/gtest.h>
#include <SDL2/SDL.h>

#include <cstring>
#include <vector>

#include "platform/internal.h"
#include "platform/platform.h"

namespace {

std::vector<MSG> g_seen;

LRESULT RecordProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  g_seen.push_back(MSG{h, m, w, l, 0});
  return DefWindowProcA(h, m, w, l);
}

class Messages : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSA wc{};
    wc.lpfnWndProc = RecordProc;
    wc.lpszClassName = "velmarMsgTest";
    ASSERT_NE(RegisterClassA(&wc), 0);
    w_ = CreateWindowExA(0, "velmarMsgTest", "msgs", WS_POPUP | WS_VISIBLE, 0, 0, 100, 80, nullptr,
                         nullptr, nullptr, nullptr);
    ASSERT_NE(w_, nullptr);
    id_ = SDL_GetWindowID(w_->sdl);
    Drain();  // whatever the window system said on showing the window
    g_seen.clear();
  }
  void TearDown() override {
    DestroyWindow(w_);
    UnregisterClassA("velmarMsgTest", nullptr);
  }
  // Messages the window system may send at any time (pointer, focus, size).
  static bool WindowSystems(UINT m) {
    return m == WM_MOUSEMOVE || m == WM_SETFOCUS || m == WM_ACTIVATE || m == WM_KILLFOCUS || m == WM_SIZE;
  }
  // The next message that is not the window system's own; false when none.
  static bool Next(MSG& m) {
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE))
      if (!WindowSystems(m.message)) return true;
    return false;
  }
  // Takes messages until the queue runs dry (one frame's worth); returns them.
  std::vector<MSG> Drain() {
    std::vector<MSG> got;
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
      if (WindowSystems(m.message)) continue;
      got.push_back(m);
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
    return got;
  }
  void Key(SDL_Scancode sc, bool down, Uint16 mod = 0) {
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.windowID = id_;
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.scancode = sc;
    e.key.keysym.mod = mod;
    SDL_PushEvent(&e);
  }
  void Button(int b, bool down) {
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.windowID = id_;
    e.button.button = Uint8(b);
    e.button.x = 10;
    e.button.y = 20;
    SDL_PushEvent(&e);
  }
  HWND w_ = nullptr;
  Uint32 id_ = 0;
};

}  // namespace

// A tap and a click made between two frames come in the order they were
// made, with the game's numbers; what a frame sees of them is the window
// procedure's business.
TEST_F(Messages, KeysAndButtonsComeInTheOrderTheyWereMade) {
  Key(SDL_SCANCODE_A, true);
  Key(SDL_SCANCODE_A, false);
  Button(SDL_BUTTON_RIGHT, true);
  Button(SDL_BUTTON_RIGHT, false);
  Key(SDL_SCANCODE_LEFT, true);
  std::vector<MSG> f = Drain();
  ASSERT_EQ(f.size(), 5u);
  const UINT want[] = {WM_KEYDOWN, WM_KEYUP, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_KEYDOWN};
  for (size_t i = 0; i < f.size(); ++i) EXPECT_EQ(f[i].message, want[i]) << i;
  EXPECT_EQ(f[0].wParam, WPARAM('A'));
  EXPECT_EQ((f[0].lParam >> 16) & 0xFF, 30);  // set-1 scan code of A
  EXPECT_EQ(LOWORD(WPARAM(f[2].lParam)), 10);
  EXPECT_EQ(HIWORD(WPARAM(f[2].lParam)), 20);
  EXPECT_EQ(f[4].wParam, WPARAM(VK_LEFT));
}

TEST_F(Messages, WheelStepsCarryTheSignedDelta) {
  SDL_Event e{};
  e.type = SDL_MOUSEWHEEL;
  e.wheel.windowID = id_;
  e.wheel.y = -1;
  SDL_PushEvent(&e);
  e.wheel.y = 2;
  SDL_PushEvent(&e);
  std::vector<MSG> f = Drain();
  ASSERT_EQ(f.size(), 2u);
  EXPECT_EQ(f[0].message, WM_MOUSEWHEEL);
  EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(f[0].wParam), -120);
  EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(f[1].wParam), 240);
}

TEST_F(Messages, TextArrivesAsCp1251CharactersAndEnterTypesThirteen) {
  SDL_Event e{};
  e.type = SDL_TEXTINPUT;
  e.text.windowID = id_;
  std::strcpy(e.text.text, "a\xD0\xAF");  // "aЯ"
  SDL_PushEvent(&e);
  Key(SDL_SCANCODE_RETURN, true);
  std::vector<MSG> f = Drain();
  ASSERT_EQ(f.size(), 4u);
  EXPECT_EQ(f[0].message, WM_CHAR);
  EXPECT_EQ(f[0].wParam, WPARAM('a'));
  EXPECT_EQ(f[1].wParam, WPARAM(0xDF));
  EXPECT_EQ(f[2].message, WM_KEYDOWN);
  EXPECT_EQ(f[3].message, WM_CHAR);
  EXPECT_EQ(f[3].wParam, WPARAM(13));
}

TEST_F(Messages, AltF4AsksTheWindowToClose) {
  Key(SDL_SCANCODE_F4, true, KMOD_LALT);
  std::vector<MSG> f = Drain();
  ASSERT_EQ(f.size(), 1u);
  EXPECT_EQ(f[0].message, WM_SYSKEYDOWN);
  ASSERT_GE(g_seen.size(), 3u);
  EXPECT_EQ(g_seen[1].message, WM_SYSCOMMAND);
  EXPECT_EQ(g_seen[2].message, WM_CLOSE);
}

TEST_F(Messages, CloseRequestAndQuitOrder) {
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.windowID = id_;
  e.window.event = SDL_WINDOWEVENT_CLOSE;
  SDL_PushEvent(&e);
  std::vector<MSG> f = Drain();
  ASSERT_EQ(f.size(), 1u);
  EXPECT_EQ(f[0].message, WM_CLOSE);
  // Quit comes after the messages already posted.
  PostMessageA(w_, WM_USER + 2, 7, 8);
  PostQuitMessage(3);
  MSG m;
  ASSERT_TRUE(Next(m));
  EXPECT_EQ(m.message, WM_USER + 2);
  EXPECT_EQ(m.wParam, 7u);
  ASSERT_TRUE(Next(m));
  EXPECT_EQ(m.message, WM_QUIT);
  EXPECT_EQ(m.wParam, 3u);
  EXPECT_FALSE(Next(m)) << "message " << m.message << " after the quit";
}

TEST_F(Messages, FocusChangesBecomeActivationMessages) {
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.windowID = id_;
  e.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
  SDL_PushEvent(&e);
  MSG m;
  std::vector<MSG> got;  // the X server may add focus messages of its own
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE))
    if (m.message != WM_MOUSEMOVE) got.push_back(m);
  bool pair = false;
  for (size_t i = 1; i < got.size(); ++i)
    pair = pair || (got[i].message == WM_KILLFOCUS && got[i - 1].message == WM_ACTIVATE &&
                    LOWORD(got[i - 1].wParam) == WA_INACTIVE);
  EXPECT_TRUE(pair);
}

TEST_F(Messages, RegisteredMessageNumbersAreStable) {
  UINT a = RegisterWindowMessageA("MSWHEEL_ROLLMSG");
  EXPECT_GE(a, 0xC000u);
  EXPECT_EQ(RegisterWindowMessageA("MSWHEEL_ROLLMSG"), a);
  EXPECT_NE(RegisterWindowMessageA("other"), a);
  EXPECT_EQ(RegisterWindowMessageA(""), 0u);
}

// The queue is a fixed ring: posting never allocates, and a post to a full
// queue fails without losing what is queued.
TEST(MessageQueue, HoldsAFixedNumberAndRefusesMore) {
  MSG m;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
  }
  int posted = 0;
  while (posted < 100000 && PostMessageA(nullptr, WM_USER + 9, WPARAM(posted), 0)) ++posted;
  EXPECT_EQ(posted, 4096);
  int taken = 0;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE))
    if (m.message == WM_USER + 9 && m.wParam == WPARAM(taken)) ++taken;
  EXPECT_EQ(taken, posted);
}
