// Key numbers: SDL scan codes (physical keys) to virtual-key codes, virtual
// keys to set-1 scan codes, the keys a press can make, and the live key
// state.
#include "platform/internal.h"

namespace {

struct VkPair { SDL_Scancode sc; int vk; };

// Keys other than letters, digits, F1..F12 and the keypad digits.
constexpr VkPair kVk[] = {
    {SDL_SCANCODE_ESCAPE, VK_ESCAPE},     {SDL_SCANCODE_TAB, VK_TAB},
    {SDL_SCANCODE_RETURN, VK_RETURN},     {SDL_SCANCODE_KP_ENTER, VK_RETURN},
    {SDL_SCANCODE_BACKSPACE, VK_BACK},    {SDL_SCANCODE_SPACE, VK_SPACE},
    {SDL_SCANCODE_LSHIFT, VK_SHIFT},      {SDL_SCANCODE_RSHIFT, VK_SHIFT},
    {SDL_SCANCODE_LCTRL, VK_CONTROL},     {SDL_SCANCODE_RCTRL, VK_CONTROL},
    {SDL_SCANCODE_LALT, VK_MENU},         {SDL_SCANCODE_RALT, VK_MENU},
    {SDL_SCANCODE_LEFT, VK_LEFT},         {SDL_SCANCODE_UP, VK_UP},
    {SDL_SCANCODE_RIGHT, VK_RIGHT},       {SDL_SCANCODE_DOWN, VK_DOWN},
    {SDL_SCANCODE_PAGEUP, VK_PRIOR},      {SDL_SCANCODE_PAGEDOWN, VK_NEXT},
    {SDL_SCANCODE_HOME, VK_HOME},         {SDL_SCANCODE_END, VK_END},
    {SDL_SCANCODE_INSERT, VK_INSERT},     {SDL_SCANCODE_DELETE, VK_DELETE},
    {SDL_SCANCODE_PAUSE, VK_PAUSE},       {SDL_SCANCODE_CAPSLOCK, VK_CAPITAL},
    {SDL_SCANCODE_PRINTSCREEN, VK_SNAPSHOT}, {SDL_SCANCODE_NUMLOCKCLEAR, VK_NUMLOCK},
    {SDL_SCANCODE_SCROLLLOCK, VK_SCROLL}, {SDL_SCANCODE_LGUI, VK_LWIN},
    {SDL_SCANCODE_RGUI, VK_RWIN},         {SDL_SCANCODE_APPLICATION, VK_APPS},
    {SDL_SCANCODE_KP_MULTIPLY, VK_MULTIPLY}, {SDL_SCANCODE_KP_PLUS, VK_ADD},
    {SDL_SCANCODE_KP_MINUS, VK_SUBTRACT}, {SDL_SCANCODE_KP_PERIOD, VK_DECIMAL},
    {SDL_SCANCODE_KP_DIVIDE, VK_DIVIDE},  {SDL_SCANCODE_SEMICOLON, VK_OEM_1},
    {SDL_SCANCODE_EQUALS, VK_OEM_PLUS},   {SDL_SCANCODE_COMMA, VK_OEM_COMMA},
    {SDL_SCANCODE_MINUS, VK_OEM_MINUS},   {SDL_SCANCODE_PERIOD, VK_OEM_PERIOD},
    {SDL_SCANCODE_SLASH, VK_OEM_2},       {SDL_SCANCODE_GRAVE, VK_OEM_3},
    {SDL_SCANCODE_LEFTBRACKET, VK_OEM_4}, {SDL_SCANCODE_BACKSLASH, VK_OEM_5},
    {SDL_SCANCODE_RIGHTBRACKET, VK_OEM_6}, {SDL_SCANCODE_APOSTROPHE, VK_OEM_7},
    {SDL_SCANCODE_NONUSBACKSLASH, VK_OEM_102},
};

// Set-1 scan code of each virtual key (0 for none), as the keyboard of the
// usual 102-key layout reports them; arrows and the editing block share their
// codes with the keypad.
struct ScanPair { int vk; int scan; };
constexpr ScanPair kScan[] = {
    {VK_ESCAPE, 1},    {VK_OEM_MINUS, 12}, {VK_OEM_PLUS, 13}, {VK_BACK, 14},   {VK_TAB, 15},
    {VK_OEM_4, 26},    {VK_OEM_6, 27},     {VK_RETURN, 28},   {VK_CONTROL, 29}, {VK_OEM_1, 39},
    {VK_OEM_7, 40},    {VK_OEM_3, 41},     {VK_SHIFT, 42},    {VK_OEM_5, 43},   {VK_OEM_COMMA, 51},
    {VK_OEM_PERIOD, 52}, {VK_OEM_2, 53},   {VK_DIVIDE, 53},   {VK_MULTIPLY, 55}, {VK_MENU, 56},
    {VK_SPACE, 57},    {VK_CAPITAL, 58},   {VK_NUMLOCK, 69},  {VK_SCROLL, 70},  {VK_HOME, 71},
    {VK_UP, 72},       {VK_PRIOR, 73},     {VK_SUBTRACT, 74}, {VK_LEFT, 75},    {VK_RIGHT, 77},
    {VK_ADD, 78},      {VK_END, 79},       {VK_DOWN, 80},     {VK_NEXT, 81},    {VK_INSERT, 82},
    {VK_DELETE, 83},   {VK_SNAPSHOT, 84},  {VK_OEM_102, 86},  {VK_DECIMAL, 83}, {VK_LWIN, 91},
    {VK_RWIN, 92},     {VK_APPS, 93},
};
constexpr int kScanLetters[26] = {30, 48, 46, 32, 18, 33, 34, 35, 23, 36, 37, 38, 50,
                                  49, 24, 25, 16, 19, 31, 20, 22, 47, 17, 45, 21, 44};
constexpr int kScanKeypad[10] = {82, 79, 80, 81, 75, 76, 77, 71, 72, 73};  // keypad 0..9

}  // namespace

int plat_VkFromSdlScancode(int sc) {
  if (sc >= SDL_SCANCODE_A && sc <= SDL_SCANCODE_Z) return 'A' + (sc - SDL_SCANCODE_A);
  if (sc >= SDL_SCANCODE_1 && sc <= SDL_SCANCODE_9) return '1' + (sc - SDL_SCANCODE_1);
  if (sc == SDL_SCANCODE_0) return '0';
  if (sc >= SDL_SCANCODE_F1 && sc <= SDL_SCANCODE_F12) return VK_F1 + (sc - SDL_SCANCODE_F1);
  if (sc >= SDL_SCANCODE_KP_1 && sc <= SDL_SCANCODE_KP_9) return VK_NUMPAD0 + 1 + (sc - SDL_SCANCODE_KP_1);
  if (sc == SDL_SCANCODE_KP_0) return VK_NUMPAD0;
  for (const VkPair& p : kVk)
    if (p.sc == sc) return p.vk;
  return 0;
}

int plat_ScanFromVk(int vk) {
  if (vk >= 'A' && vk <= 'Z') return kScanLetters[vk - 'A'];
  if (vk >= '1' && vk <= '9') return 2 + (vk - '1');
  if (vk == '0') return 11;
  if (vk >= VK_F1 && vk <= VK_F1 + 9) return 59 + (vk - VK_F1);
  if (vk == VK_F1 + 10) return 87;
  if (vk == VK_F12) return 88;
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9) return kScanKeypad[vk - VK_NUMPAD0];
  for (const ScanPair& p : kScan)
    if (p.vk == vk) return p.scan;
  return 0;
}

bool plat::SysKey(int vk) { return vk == VK_MENU || vk == VK_F10; }

int plat_KeyDownMakes(int vk) {
  struct Made {
    bool vk[256] = {};
    Made() {
      for (int sc = 0; sc < SDL_NUM_SCANCODES; ++sc) {
        const int v = plat_VkFromSdlScancode(sc);
        if (v > 0 && v < 256 && !plat::SysKey(v)) vk[v] = true;
      }
    }
  };
  static const Made made;
  return vk > 0 && vk < 256 && made.vk[vk] ? 1 : 0;
}

UINT MapVirtualKeyA(UINT code, UINT mapType) {
  return mapType == 0 ? UINT(plat_ScanFromVk(int(code))) : 0;
}

// The state as of the last event pump: the main loop drains the events before
// every frame. Pumping here, inside a frame, would make the X library queue
// (and allocate for) whatever events have come since.
short GetAsyncKeyState(int vk) {
  if (vk < 1 || !plat::EnsureVideo()) return 0;
  if (vk == VK_LBUTTON || vk == VK_RBUTTON || vk == VK_MBUTTON) {
    Uint32 b = SDL_GetMouseState(nullptr, nullptr);
    Uint32 mask = vk == VK_LBUTTON ? SDL_BUTTON_LMASK
                  : vk == VK_RBUTTON ? SDL_BUTTON_RMASK : SDL_BUTTON_MMASK;
    return (b & mask) ? short(0x8000) : 0;
  }
  int n = 0;
  const Uint8* state = SDL_GetKeyboardState(&n);
  for (int sc = 0; sc < n; ++sc)
    if (state[sc] && plat_VkFromSdlScancode(sc) == vk) return short(0x8000);
  return 0;
}
