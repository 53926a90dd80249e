// The message queue: posted messages first, then the quit request, then SDL
// input turned into window messages, then the socket events (polled once each
// time the queue runs dry, so that a busy socket cannot hold the frame back).
// Key and button messages come in the order they were made; the window
// procedure's owner decides what a frame sees of them.
#include <map>

#include "platform/internal.h"

namespace {

// The posted messages: a fixed ring, so that posting never allocates; like the
// window system's queue it has a limit, and a post to a full queue fails.
class MsgRing {
 public:
  static constexpr unsigned kCap = 4096;
  bool empty() const { return n_ == 0; }
  MSG& front() { return buf_[head_]; }
  void pop_front() {
    head_ = (head_ + 1) % kCap;
    --n_;
  }
  bool push_back(const MSG& m) {
    if (n_ == kCap) return false;
    buf_[(head_ + n_++) % kCap] = m;
    return true;
  }
  bool push_front(const MSG& m) {
    if (n_ == kCap) return false;
    head_ = (head_ + kCap - 1) % kCap;
    buf_[head_] = m;
    ++n_;
    return true;
  }

 private:
  MSG buf_[kCap];
  unsigned head_ = 0, n_ = 0;
};

MsgRing g_queue;
unsigned g_epoch = 1;            // grows each time the queue runs dry
unsigned g_socketEpoch = 0;      // the epoch the sockets were last polled in
bool g_quit = false;
int g_quitCode = 0;

bool Post(HWND h, UINT m, WPARAM w, LPARAM l) {
  return g_queue.push_back(MSG{h, m, w, l, GetTickCount()});
}

LPARAM KeyLParam(int vk, bool up, bool repeat, bool alt) {
  LPARAM l = 1 | (LPARAM(plat_ScanFromVk(vk) & 0xFF) << 16);
  bool extended = vk == VK_LEFT || vk == VK_RIGHT || vk == VK_UP || vk == VK_DOWN ||
                  vk == VK_HOME || vk == VK_END || vk == VK_PRIOR || vk == VK_NEXT ||
                  vk == VK_INSERT || vk == VK_DELETE || vk == VK_DIVIDE;
  if (extended) l |= LPARAM(1) << 24;
  if (alt) l |= LPARAM(1) << 29;
  if (repeat || up) l |= LPARAM(1) << 30;
  if (up) l |= LPARAM(1) << 31;
  return l;
}

PlatWindow* AnyWindow() {
  for (PlatWindow* w : plat::Windows())
    if (w->sdl && w->visible) return w;
  return nullptr;
}

void Translate(const SDL_Event& e) {
  switch (e.type) {
    case SDL_QUIT: {  // signal or the last window closed: ask the window to close
      if (PlatWindow* w = AnyWindow()) Post(w, WM_CLOSE, 0, 0);
      else PostQuitMessage(0);
      return;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      PlatWindow* w = plat::FromSdlId(e.key.windowID);
      int vk = plat_VkFromSdlScancode(e.key.keysym.scancode);
      if (!w || vk <= 0 || vk > 255) return;
      bool up = e.type == SDL_KEYUP;
      bool alt = (e.key.keysym.mod & KMOD_ALT) != 0;
      bool sys = alt || plat::SysKey(vk);
      LPARAM l = KeyLParam(vk, up, e.key.repeat != 0, alt);
      Post(w, up ? (sys ? WM_SYSKEYUP : WM_KEYUP) : (sys ? WM_SYSKEYDOWN : WM_KEYDOWN), WPARAM(vk), l);
      return;
    }
    case SDL_TEXTINPUT: {
      PlatWindow* w = plat::FromSdlId(e.text.windowID);
      if (!w) return;
      std::string bytes = plat_Utf8ToCp1251(e.text.text);
      for (unsigned char c : bytes) Post(w, WM_CHAR, WPARAM(c), 1);
      return;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      PlatWindow* w = plat::FromSdlId(e.button.windowID);
      int b = e.button.button;
      if (!w || b < SDL_BUTTON_LEFT || b > SDL_BUTTON_RIGHT) return;
      static constexpr UINT kDown[] = {0, WM_LBUTTONDOWN, WM_MBUTTONDOWN, WM_RBUTTONDOWN};
      LPARAM l = MAKELPARAM(e.button.x, e.button.y);
      Post(w, e.type == SDL_MOUSEBUTTONDOWN ? kDown[b] : kDown[b] + 1, 0, l);
      return;
    }
    case SDL_MOUSEWHEEL: {
      PlatWindow* w = plat::FromSdlId(e.wheel.windowID);
      int y = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
      if (!w || y == 0) return;
      Post(w, WM_MOUSEWHEEL, MAKEWPARAM(0, y * WHEEL_DELTA), 0);
      return;
    }
    case SDL_MOUSEMOTION: {
      PlatWindow* w = plat::FromSdlId(e.motion.windowID);
      if (w) Post(w, WM_MOUSEMOVE, 0, MAKELPARAM(e.motion.x, e.motion.y));
      return;
    }
    case SDL_WINDOWEVENT: {
      PlatWindow* w = plat::FromSdlId(e.window.windowID);
      if (!w) return;
      switch (e.window.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED:
          Post(w, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, w->minimized ? 1 : 0), 0);
          Post(w, WM_SETFOCUS, 0, 0);
          break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
          Post(w, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, w->minimized ? 1 : 0), 0);
          Post(w, WM_KILLFOCUS, 0, 0);
          break;
        case SDL_WINDOWEVENT_MINIMIZED:
          w->minimized = true;
          Post(w, WM_SIZE, SIZE_MINIMIZED, 0);
          break;
        case SDL_WINDOWEVENT_RESTORED:
          w->minimized = false;
          Post(w, WM_SIZE, SIZE_RESTORED, MAKELPARAM(w->w, w->h));
          Post(w, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), 0);
          break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
          Post(w, WM_SIZE, SIZE_RESTORED, MAKELPARAM(e.window.data1, e.window.data2));
          break;
        case SDL_WINDOWEVENT_CLOSE:
          Post(w, WM_CLOSE, 0, 0);
          break;
        default:
          break;
      }
      return;
    }
    default:
      return;
  }
}

void PumpSdl() {
  if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
  SDL_Event e;
  while (SDL_PollEvent(&e)) Translate(e);
}

}  // namespace

BOOL PeekMessageA(MSG* msg, HWND, UINT, UINT, UINT remove) {
  if (!msg) return FALSE;
  if (g_queue.empty()) PumpSdl();
  if (g_queue.empty() && g_socketEpoch != g_epoch) {
    g_socketEpoch = g_epoch;
    plat::PollSockets();
  }
  if (!g_queue.empty()) {
    *msg = g_queue.front();
    if (remove & PM_REMOVE) g_queue.pop_front();
    return TRUE;
  }
  if (g_quit) {
    *msg = MSG{nullptr, WM_QUIT, WPARAM(g_quitCode), 0, GetTickCount()};
    if (remove & PM_REMOVE) g_quit = false;
    return TRUE;
  }
  if (remove & PM_REMOVE) ++g_epoch;
  return FALSE;
}

BOOL TranslateMessage(const MSG* msg) {
  if (!msg || msg->message != WM_KEYDOWN) return FALSE;
  int vk = int(msg->wParam);
  // Keys that type a control character; printable text arrives as WM_CHAR already.
  if (vk == VK_BACK || vk == VK_TAB || vk == VK_RETURN || vk == VK_ESCAPE) {
    g_queue.push_front(MSG{msg->hwnd, WM_CHAR, WPARAM(vk), msg->lParam, msg->time});
    return TRUE;
  }
  return FALSE;
}

LRESULT DispatchMessageA(const MSG* msg) {
  if (!msg) return 0;
  PlatWindow* w = plat::Live(msg->hwnd);
  if (!w || !w->proc) return 0;
  return w->proc(w, msg->message, msg->wParam, msg->lParam);
}

BOOL PostMessageA(HWND hwnd, UINT m, WPARAM w, LPARAM l) {
  if (hwnd && !plat::Live(hwnd)) return FALSE;
  return Post(hwnd, m, w, l) ? TRUE : FALSE;
}

void PostQuitMessage(int code) {
  g_quit = true;
  g_quitCode = code;
}

LRESULT DefWindowProcA(HWND hwnd, UINT m, WPARAM w, LPARAM l) {
  PlatWindow* win = plat::Live(hwnd);
  if (!win) return 0;
  // Alt+F4 closes the window, through the system command as the window system does.
  if (m == WM_SYSKEYDOWN && w == WPARAM(VK_F4) && (l & (LPARAM(1) << 29)))
    return win->proc(win, WM_SYSCOMMAND, SC_CLOSE, 0);
  if (m == WM_SYSCOMMAND && (w & 0xFFF0) == SC_CLOSE) return win->proc(win, WM_CLOSE, 0, 0);
  return 0;
}

UINT RegisterWindowMessageA(const char* name) {
  static std::map<std::string, UINT> names;
  if (!name || !*name) return 0;
  auto it = names.find(name);
  if (it != names.end()) return it->second;
  UINT id = 0xC000 + UINT(names.size());
  names[name] = id;
  return id;
}
