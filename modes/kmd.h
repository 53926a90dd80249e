// Command bindings: every keyboard and mouse command of the menu, the game and
// the editor is one IKmd2 record, a binding of up to three key codes to a
// command with a trigger kind (plain press, click counting, release, modifier
// combinations), an optional toggle counter with auto-repeat, a lock interval
// after each firing and an arbitration channel with a rank. Each mode owns a
// fixed set of them, loaded once from its command file; once per frame the
// mode tests its whole set (IKmd2_SensUp_WayWar) and then asks each slot for
// its signal. What a slot does is fixed by the mode's code; the file only
// chooses keys and timing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/a_mem_file.h"

// Key codes 0..320 index the key-state table; 301..303 are the left, right
// and middle mouse buttons, 304 and 305 the wheel down and up.
inline constexpr int kKmdLastKey = 320;
// Interval stored for a command switched off while loading.
inline constexpr int kKmdOffInterval = 9000555;
// Arbitration channels 1..kKmdChannels-1 compete; 0, negative channels and
// channels from kKmdChannels up never do.
inline constexpr int kKmdChannels = 200;
// The longest lock interval, click window or repeat delay a command file may
// give (ms); a longer one is damage, not a binding.
inline constexpr int kKmdLongestMs = 10000;
// A mode's way out answers a tap within this many ms: its single click is
// reported, and the lock after its last firing has run out, by then.
inline constexpr int kKmdWayOutMs = 1000;

// Whether a player can make key code k down in the key-state table: a key
// whose press comes to the window as a key-down (by the platform's key map;
// under the setting ScanCodes by that key's scan code), or one of the three
// buttons. The other codes of 1..255, 0, the wheel's pulses 304 and 305 and
// the codes between and after them no press makes.
bool KmdKeyPressable(int k);

// A command that steps something fires once for a press of ordinary length
// and repeats while held as a desktop's key repeat does: the first repeat
// after this delay (ms), then once per lock interval. The command files give
// it as each stepping record's toggle repeat delay (tools/gen_kmd.py writes
// the same number); the settings overlay's toggle, set up here, takes it too.
inline constexpr int kKmdRepeatDelay = 450;

// Trigger kinds.
enum : int32_t {
  KMD_PLAIN = 0,
  KMD_CLICK = 1,    // click counting: single, double, triple
  KMD_RELEASE = 2,  // fires when the keys go up
  KMD_SHIFT = 3,    // key 1 is the modifier
  KMD_SHIFTS = 4,   // key 1 or key 2 is the modifier, key 3 the main key
};

class IKmd2 {
 public:
  int32_t mode = 0;      // program mode in which the command is live; below 1 off
  int32_t enabled = 0;   // 1: takes part in the frame test (SetActiveOn only)
  int32_t status = 0;    // last ProverKmd result, 0 good
  int32_t interval = 0;  // lock interval (ms) after each firing
  int32_t channel = 0;   // arbitration channel
  int32_t rank = 0;      // arbitration rank; the higher wins
  int32_t kind = KMD_PLAIN;
  int32_t key1 = 0, key2 = 0, key3 = 0;
  int32_t shiftFlag = 0;  // refuse keys the mode marks as shift-like
  int32_t spare = 0;      // the sixth number of the key line; read by nothing
  int32_t singleOff = 0;  // click kind: never report a single click
  int32_t togVal = 0;     // toggle value, 0 = no toggle
  int32_t togCount = 0;   // largest toggle value
  int32_t togMode = 0;    // 0 wrap, 1 stop at the count, 2 back and forth
  int32_t repDelay = 0;   // auto-repeat: first repeat after this many ms
  int32_t repLimit = 0;   // at most this many repeats (0 no limit)
  int32_t togStep = 0;    // +1 / -1, the direction of toggle mode 2
  int32_t repStart = 0;   // gMilli at which the current hold began, 0 none
  int32_t repCount = 0;   // repeats fired in the current hold
  int32_t win1 = 0, win2 = 0;      // click windows (ms)
  int32_t win1Cd = 0, win2Cd = 0;  // their countdowns
  int32_t waitCd = 0;    // running lock interval
  int32_t heldTime = 0;  // release kind: how long the keys have been held
  int32_t signal = 0;    // this frame: 0 none, 1 fired / single, 2 double, 3 triple
  int32_t kx1 = 0, ky1 = 0, kx2 = 0, ky2 = 0, kx3 = 0, ky3 = 0;  // click positions
  int32_t hold = 0;      // click kind: a counted press is still held
  str3int name;

  IKmd2() { SbrosWaitVars(); }
  ~IKmd2() {}

  void Sbros();         // every field but the name := 0
  void SbrosWaitVars();

  int _Kmd2_StatusInit1(int mode, int k1, int k2, int k3, int shift, int spareValue, const char* text);
  void ProverKmd();
  int SetInit_SpeType(int kindArg);
  int SetInit_SpeType(int kindArg, int window1, int window2, int suppress);
  void SetInit_ToggleSys(int v);
  int SetInit_ToggleSys(int value, int count, int mode, int delay, int limit);
  int SetInit_UseInterval(int ms, int reset);
  int SetInit_WayPrior(int chan, int rankArg);
  int SetActiveOn();
  void KeyVersSbros(int a, int b, int c);
  int Get_KeyVersID(int n) const;

  int Sig() const { return signal; }
  int Get_Way() const { return channel; }
  int Get_WayRank() const { return rank; }
  void Kill_Signal() { signal = 0; }
  int gKliX() const { return kx1; }
  int gKliY() const { return ky1; }
  int gKliX2() const { return kx2; }
  int gKliY2() const { return ky2; }
  // Where the press this frame's signal, or the click still being counted,
  // was made; the pointer when there is neither.
  void ClickPlace(int& x, int& y) const;
  int KliTms();
  int normToggle();
  void SdvigToggle();
  int Get_ToggleRunCountMilli(int clamp);

  // The per-frame test of this record.
  void _SensStep_BefPriemKmd();

 private:
  bool Down(int k) const;
  bool ShiftLike(int k) const;
  // Whether the record's keys are held as its kind needs them (modifiers and
  // shift flags aside).
  bool Held() const;
  // Where the press of the record's key now down was made: a button's own
  // press position, else the pointer.
  void PressPoint(int& x, int& y) const;
  int TryKmd_Pure2();
  int TryKmd_OnlyUp();
  int TryKmd_Shift();
  int TryKmd_Shifts();
  int TryKmd_Klik();
  void KlikVers();
  int TryToggleRapid(int sig);
};

// The per-frame test of a set from `first` to `last` inclusive (at most 201
// records): every record sets its signal, then at most one signal survives
// per channel (the higher rank; at equal rank the earlier record).
void IKmd2_SensUp_WayWar(IKmd2* first, IKmd2* last);

// The frame's test of a mode's set (IKmd2_SensUp_WayWar); on the first frame
// of a new stay in the mode (`stay` is the last one's number) every record's
// waits, holds and click windows are cleared first.
void KmdSet_SensUp(IKmd2* first, IKmd2* last, int& stay);

// Command text: the bytes of a command file with a cursor. Numbers are
// whitespace-separated decimal integers; a failed number read makes every
// later read fail too. A number beyond the 32-bit range is read whole (the
// text stays in step), given as the nearest end of the range and counted.
class t_KmdText {
 public:
  explicit t_KmdText(std::string_view bytes) : s(bytes) {}
  bool Int(int& v);
  void SkipLine();      // up to and including the next LF
  bool Line(std::string_view& out);  // the next line without its CR LF
  bool Failed() const { return failed; }
  int OutOfRange() const { return outOfRange; }  // numbers read beyond 32 bits

 private:
  std::string_view s;
  size_t p = 0;
  bool failed = false;
  int outOfRange = 0;
};

// Reads one record (four name lines, the key line, the click lines, the
// toggle lines and the timing line) for a set of `mode`. 1 when the whole
// record was read and every value lies in its range: its mode is `mode` or 0
// (switched off), its key codes are 0..kKmdLastKey and give its trigger kind
// its keys, its click numbers, toggle, interval (0..kKmdLongestMs) and channel
// (0..kKmdChannels-1) are ones a binding can have. Otherwise 0: the record is
// refused and off, and `why` (when given) says why.
int IKmd2_InitFromTxtStream(IKmd2& kmd, t_KmdText& in, int mode, std::string* why = nullptr);

// Sets a binding up as the settings overlay's toggle command of a mode: key
// 192, plain kind, two-state toggle repeating after kKmdRepeatDelay, 200 ms
// interval, no channel, active.
void Pro_Q7__InitKmdCallOrg(IKmd2& kmd, int mode);

// What loading a mode's set needs: the mode, the number of records of its
// file, the slot of its way out (the command that must stay live so that the
// player can always leave the mode; -1 none), the file in base/, the
// built-in copy of the default file, and whether the mode's step takes its
// way out only with Shift held in the frame of its signal.
struct t_KmdSetForm {
  int mode;
  int records;
  int wayOut;
  const char* file;
  std::string_view defaults;
  bool wayOutWithShift = false;
};

// A mode's command set: `Records` slots read from its file, then the overlay
// toggle in the next slot; the last slot is never filled. Slot `WayOut` is
// the mode's way out; with `WayOutWithShift` the mode leaves on its signal
// only while Shift is held in that frame.
template <int Slots, int Records, int Mode, int WayOut, bool WayOutWithShift = false>
struct t_KmdSet {
  static_assert(Records + 2 == Slots, "a set is its records, the overlay toggle and one empty slot");
  static_assert(WayOut >= 0 && WayOut < Records, "the way out is one of the file's records");
  static constexpr int kSlots = Slots;
  static constexpr int kRecords = Records;
  static constexpr int kMode = Mode;
  static constexpr int kWayOut = WayOut;
  IKmd2 k[Slots];
  int stay = -1;  // the stay in the mode the set was last tested in
  IKmd2& operator[](int i) { return k[i]; }
  // The frame's test; the first of a new stay in the mode starts from clear
  // waits, holds and click windows: nothing of the last stay (a lock started
  // by the command that left the mode) holds a command back.
  void SensUp() { KmdSet_SensUp(&k[0], &k[Slots - 1], stay); }
  static t_KmdSetForm Form(const char* file, std::string_view defaults) {
    return {Mode, Records, WayOut, file, defaults, WayOutWithShift};
  }
};

// Fills a set's records from a command file's bytes and sets up its overlay
// toggle. A record IKmd2_InitFromTxtStream refuses is logged and its slot
// takes the record of the built-in copy; the slots after a record that could
// not be read take theirs too (one log line for them all). So does a way out
// that does not answer a tap of the keys a player can press (KmdKeyPressable)
// within kKmdWayOutMs: switched off, keys no press makes, a release or a
// single-click-suppressing kind, a key of it that a record of the set makes
// a modifier, a longer click window or lock, a record outranking it on its
// channel. A way out made with a button (the menu's click on its lines) must
// also fire from that button alone, not held with another key, and report
// the place where it was pressed. One taken with Shift held must fire at the
// press, not count clicks (a counted click fires after its click window,
// when the Shift of the tap may be up). Returns the number of records taken
// from the bytes.
int KmdSet_FromText(IKmd2* set, const t_KmdSetForm& form, std::string_view bytes);
// Loads a set from its file in base/: 1 when the file was read. A missing or
// unreadable file, or one without a single record that could be taken, is
// logged and the built-in copy of the default file is used instead (the
// result is then 0).
int KmdSet_Load(IKmd2* set, const t_KmdSetForm& form);

// The menu's way out is its click on the menu lines (Exit); the game's and
// the editor's is Shift+Esc back to the menu.
struct inerQ7MenuKmd : t_KmdSet<15, 13, 3, 1> {
  int _Load();
};
struct inerQ7GameKmd : t_KmdSet<17, 15, 4, 0, true> {
  int _Load();
};
struct inerQ7EditKmd : t_KmdSet<36, 34, 5, 0, true> {
  int _Load();
};

// The built-in copies of base/menu_kmd.txt, base/game_kmd.txt and
// base/edit_kmd.txt (made from the data files at build time).
std::string_view KmdDefaults_Menu();
std::string_view KmdDefaults_Game();
std::string_view KmdDefaults_Edit();

// Default-constructed at start-up, nothing reads it.
extern IKmd2 kmdScreeenShot;
