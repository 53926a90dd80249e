// Command files: the text form of a binding and the loading of a mode's set
// from base/. A record that is no binding of the set takes the built-in
// copy's record of its slot; a missing or useless file the whole copy.
#include <cstdio>
#include <fstream>
#include <string>

#include "core/core.h"
#include "modes/kmd.h"

namespace {

constexpr size_t kMaxKmdFile = 1 << 20;

bool Blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

// The name line with its blanks and tabs cut off both ends.
std::string TrimName(std::string_view line) {
  size_t a = 0, b = line.size();
  while (a < b && (line[a] == ' ' || line[a] == '\t')) ++a;
  while (b > a && (line[b - 1] == ' ' || line[b - 1] == '\t')) --b;
  return std::string(line.substr(a, b - a));
}

// The numbers of one record as its file gives them.
struct t_KmdNumbers {
  int mode = 0, keys[3] = {}, shift = 0, spare = 0;
  int click = 0, kind = 0, win1 = 0, win2 = 0, suppress = 0;
  int toggle = 0, value = 0, count = 0, togMode = 0, delay = 0, limit = 0;
  int interval = 0, channel = 0, rank = 0, active = 0;
};

std::string Fault(const char* format, int a, int b = 0) {
  char text[160];
  std::snprintf(text, sizeof text, format, a, b);
  return text;
}

bool Ms(int v) { return v >= 0 && v <= kKmdLongestMs; }

// Why a record read whole is no binding of a set of `mode` ("" when it is
// one); `kmd` is the record as its set-up calls made it.
std::string RecordFault(const t_KmdNumbers& r, const IKmd2& kmd, int mode) {
  if (r.mode == 0) return "";  // switched off in the file
  if (r.mode != mode) return Fault("mode %d, not %d", r.mode, mode);
  for (int k : r.keys)
    if (k < 0 || k > kKmdLastKey) return Fault("key code %d outside 0..%d", k, kKmdLastKey);
  if (r.click && r.kind != KMD_CLICK) return Fault("click windows for trigger kind %d", r.kind);
  if (!r.click && r.kind == KMD_CLICK) return "trigger kind 1 without its click windows";
  if (r.kind < KMD_PLAIN || r.kind > KMD_SHIFTS) return Fault("trigger kind %d", r.kind);
  if (r.click && !Ms(r.win1)) return Fault("click window %d ms outside 0..%d", r.win1, kKmdLongestMs);
  if (r.click && !Ms(r.win2)) return Fault("click window %d ms outside 0..%d", r.win2, kKmdLongestMs);
  if (r.toggle) {
    if (r.count < 2 || r.value < 1 || r.value > r.count) return Fault("toggle value %d of %d", r.value, r.count);
    if (r.togMode < 0 || r.togMode > 2) return Fault("toggle mode %d", r.togMode);
    if (!Ms(r.delay)) return Fault("repeat delay %d ms outside 0..%d", r.delay, kKmdLongestMs);
    if (r.limit < 0) return Fault("repeat limit %d", r.limit);
  } else if (r.value != 0 && r.value != 1) {
    return Fault("toggle value %d without the toggle numbers", r.value);
  }
  if (!Ms(r.interval)) return Fault("lock interval %d ms outside 0..%d", r.interval, kKmdLongestMs);
  if (r.channel < 0 || r.channel >= kKmdChannels) return Fault("channel %d outside 0..%d", r.channel, kKmdChannels - 1);
  IKmd2 probe = kmd;  // the key check for the kind the record ended with
  probe.mode = mode;
  probe.ProverKmd();
  static const char* const kKeyFaults[] = {"", "no key", "a shift combination without its modifier",
                                           "a shift combination without a second key",
                                           "a two-modifier combination without a modifier",
                                           "a two-modifier combination without its main key"};
  if (probe.status > 0 && probe.status <= 5) return kKeyFaults[probe.status];
  if (kmd.mode != mode) return "switched off by its numbers";
  return "";
}

// The keys the live records of a set make modifiers: a record of trigger
// kind 3 marks its key 1 when that is pressed, one of kind 4 its key 1 or
// key 2. A marked key stays marked in the mode and is refused wherever it is
// not the modifier; any key a player can press may have been by the time the
// way out is wanted.
struct t_Modifiers {
  bool key[kKmdLastKey + 1] = {};
  bool operator()(int k) const { return k > 0 && k <= kKmdLastKey && key[k]; }
};

t_Modifiers ModifiersOf(const IKmd2* set, int records, int mode) {
  t_Modifiers m;
  auto mark = [&m](int k) {
    if (KmdKeyPressable(k)) m.key[k] = true;
  };
  for (int i = 0; i < records; ++i) {
    const IKmd2& r = set[i];
    if (r.mode != mode || r.enabled <= 0) continue;
    if (r.kind == KMD_SHIFT) mark(r.key1);
    if (r.kind == KMD_SHIFTS) mark(r.key1), mark(r.key2);
  }
  return m;
}

// Some of a record's keys.
struct t_Keys {
  int k[3] = {};
  int n = 0;
  const int* begin() const { return k; }
  const int* end() const { return k + n; }
};

// "code 7", "codes 7 and 65", "codes 7, 65 and 90": the codes of `keys`
// that are not 0.
std::string Codes(const t_Keys& keys) {
  int left = 0;
  for (int k : keys) left += k != 0;
  std::string out = left > 1 ? "codes " : "code ";
  for (int k : keys) {
    if (!k) continue;
    out += std::to_string(k);
    if (--left > 1) out += ", ";
    else if (left == 1) out += " and ";
  }
  return out;
}

bool AnyPressable(const t_Keys& keys) {
  for (int k : keys)
    if (KmdKeyPressable(k)) return true;
  return false;
}

// Why no press a player can make fires a record's kind ("" when every one
// does): the modifiers of kind 3 (key 1) and kind 4 (key 1 or key 2) held,
// one of the other keys tapped. The tests of kinds 3 and 4, and the others'
// under the shift flag, refuse a key marked as a modifier wherever it stands
// among the keys, so none of them may be one.
std::string KeysFault(const IKmd2& r, const t_Modifiers& mod) {
  t_Keys held, tapped;
  if (r.kind == KMD_SHIFT) held = {{r.key1}, 1}, tapped = {{r.key2, r.key3}, 2};
  else if (r.kind == KMD_SHIFTS) held = {{r.key1, r.key2}, 2}, tapped = {{r.key3}, 1};
  else tapped = {{r.key1, r.key2, r.key3}, 3};
  const bool combination = held.n > 0;
  if (combination || r.shiftFlag)
    for (int k : tapped)
      if (mod(k)) return Fault("key %d is a modifier of the mode, which its test refuses", k);
  if (combination && !AnyPressable(held)) return "no key or button makes its modifier key " + Codes(held);
  if (AnyPressable(tapped)) return "";
  for (int k : tapped)
    if (k == 304 || k == 305) return "the wheel makes no press";
  return "no key or button makes its key " + Codes(tapped);
}

// Why the way out of a set as loaded does not answer a tap a player can make
// within kKmdWayOutMs, so that the player could be kept in the mode ("" when
// it does). `builtIn` is the built-in record of its slot: a way out made with
// a button (the menu's click on its lines) fires from that button alone and
// knows where it was pressed. One the mode takes with Shift held fires in
// the frame of the press.
std::string WayOutFault(const IKmd2* set, const t_KmdSetForm& form, const IKmd2& builtIn) {
  const IKmd2& w = set[form.wayOut];
  if (w.mode != form.mode || w.enabled <= 0) return "the way out of the mode cannot be switched off";
  const int button = builtIn.key1 >= 301 && builtIn.key1 <= 303 ? builtIn.key1 : 0;
  if (button && w.key1 != button && w.key2 != button && w.key3 != button)
    return Fault("the way out is made with button %d, which is not among its keys", button);
  if (w.kind == KMD_RELEASE) return "the way out fires on a release, not on a press";
  if (w.kind == KMD_CLICK && w.singleOff) return "the way out suppresses single clicks";
  const bool counted = w.kind == KMD_CLICK && w.win1 > 0 && w.togVal > 0;
  if (button && (w.kind == KMD_SHIFT || w.kind == KMD_SHIFTS))
    return Fault("the way out fires from button %d alone, but trigger kind %d holds it with another key", button,
                 w.kind);
  if (button && w.kind == KMD_CLICK && !counted)
    return w.togVal > 0 ? "the way out's click is not counted with a click window 1 of 0 ms: it has no place"
                        : "the way out's click is not counted with toggle value 0: it has no place";
  std::string keys = KeysFault(w, ModifiersOf(set, form.records, form.mode));
  if (!keys.empty()) return "the way out can never fire: " + keys;
  if (counted && w.win1 > kKmdWayOutMs)
    return Fault("the way out answers a single tap after its click window of %d ms, not within %d", w.win1,
                 kKmdWayOutMs);
  if (counted && form.wayOutWithShift)
    return "the way out counts clicks: it fires after its click window, when the Shift held with the tap may be up";
  if (w.interval > kKmdWayOutMs)
    return Fault("the way out ignores taps for its lock interval of %d ms after each firing, longer than %d",
                 w.interval, kKmdWayOutMs);
  if (w.channel < 1 || w.channel >= kKmdChannels) return "";
  for (int i = 0; i < form.records; ++i) {
    const IKmd2& r = set[i];
    if (i == form.wayOut || r.mode != form.mode || r.enabled <= 0 || r.channel != w.channel) continue;
    if (r.rank > w.rank || (r.rank == w.rank && i < form.wayOut))
      return Fault("slot %d outranks the way out on channel %d", i, w.channel);
  }
  return "";
}

}  // namespace

bool t_KmdText::Int(int& v) {
  if (failed) return false;
  while (p < s.size() && Blank(s[p])) ++p;
  size_t q = p;
  bool neg = false;
  if (q < s.size() && (s[q] == '-' || s[q] == '+')) neg = s[q++] == '-';
  const int64_t limit = neg ? -int64_t(INT32_MIN) : INT32_MAX;
  int64_t n = 0;
  size_t digits = 0;
  bool beyond = false;
  while (q < s.size() && s[q] >= '0' && s[q] <= '9') {
    if (!beyond) n = n * 10 + (s[q] - '0');
    if (n > limit) {  // read on to the number's end, but keep it in range
      beyond = true;
      n = limit;
    }
    ++q;
    ++digits;
  }
  if (!digits) {
    failed = true;
    return false;
  }
  if (beyond) ++outOfRange;
  p = q;
  v = static_cast<int>(neg ? -n : n);
  return true;
}

void t_KmdText::SkipLine() {
  if (failed) return;
  while (p < s.size() && s[p] != '\n') ++p;
  if (p < s.size()) ++p;
}

bool t_KmdText::Line(std::string_view& out) {
  if (failed || p >= s.size()) {
    failed = true;
    return false;
  }
  size_t e = p;
  while (e < s.size() && s[e] != '\n') ++e;
  out = s.substr(p, e - p);
  if (!out.empty() && out.back() == '\r') out.remove_suffix(1);
  p = e < s.size() ? e + 1 : e;
  return true;
}

int IKmd2_InitFromTxtStream(IKmd2& kmd, t_KmdText& in, int setMode, std::string* why) {
  const int hugeBefore = in.OutOfRange();
  std::string_view line;
  for (int i = 0; i < 4; ++i) in.Line(line);
  const std::string name = in.Failed() ? std::string() : TrimName(line);

  t_KmdNumbers r;
  in.Int(r.mode), in.Int(r.keys[0]), in.Int(r.keys[1]), in.Int(r.keys[2]), in.Int(r.shift), in.Int(r.spare);
  in.SkipLine();
  kmd._Kmd2_StatusInit1(r.mode, r.keys[0], r.keys[1], r.keys[2], r.shift, r.spare, name.c_str());

  in.Int(r.click);
  in.SkipLine();
  if (r.click) {
    in.Int(r.kind), in.Int(r.win1), in.Int(r.win2), in.Int(r.suppress);
    kmd.SetInit_SpeType(r.kind, r.win1, r.win2, r.suppress);
  } else {
    in.Int(r.kind);
    kmd.SetInit_SpeType(r.kind);
  }
  in.SkipLine();

  in.Int(r.toggle);
  in.SkipLine();
  if (r.toggle) {
    in.Int(r.value), in.Int(r.count), in.Int(r.togMode), in.Int(r.delay), in.Int(r.limit);
    kmd.SetInit_ToggleSys(r.value, r.count, r.togMode, r.delay, r.limit);
  } else {
    in.Int(r.value);
    kmd.SetInit_ToggleSys(r.value);
  }
  in.SkipLine();

  in.Int(r.interval), in.Int(r.channel), in.Int(r.rank);
  kmd.SetInit_UseInterval(r.interval, 0);
  kmd.SetInit_WayPrior(r.channel, r.rank);
  in.Int(r.active);
  in.SkipLine();

  std::string fault;
  if (in.Failed()) fault = "the text ends or a number cannot be read";
  else if (in.OutOfRange() != hugeBefore) fault = "a number beyond the 32-bit range";
  else fault = RecordFault(r, kmd, setMode);
  if (!fault.empty()) {
    kmd.Sbros();
    if (why) *why = fault;
    return 0;
  }
  if (r.active) kmd.SetActiveOn();
  return 1;
}

int KmdSet_FromText(IKmd2* set, const t_KmdSetForm& form, std::string_view bytes) {
  t_KmdText in(bytes), builtIn(form.defaults);
  int taken = 0, firstUnread = -1;
  std::string why;
  IKmd2 wayOutBuiltIn;
  auto refuse = [&](int slot, const std::string& reason) {
    LogInfo("\n Err >> %s: the record of slot %d is refused (%s); the built-in one is used", form.file, slot,
            reason.c_str());
  };
  for (int i = 0; i < form.records; ++i) {
    IKmd2 fallback;
    IKmd2_InitFromTxtStream(fallback, builtIn, form.mode);  // the copies hold every record whole
    if (i == form.wayOut) wayOutBuiltIn = fallback;
    const bool unread = in.Failed();
    why.clear();
    if (IKmd2_InitFromTxtStream(set[i], in, form.mode, &why)) {
      ++taken;
      continue;
    }
    if (unread) {
      if (firstUnread < 0) firstUnread = i;
    } else {
      refuse(i, why);
    }
    set[i] = fallback;
  }
  if (firstUnread >= 0)
    LogInfo("\n Err >> %s: slots %d..%d are not read; their built-in records are used", form.file, firstUnread,
            form.records - 1);
  // The way out is judged with the whole set read: other records can take
  // it. (The built-in record, taken when the file's was refused, always can.)
  if (form.wayOut >= 0 && form.wayOut < form.records) {
    why = WayOutFault(set, form, wayOutBuiltIn);
    if (!why.empty()) {
      refuse(form.wayOut, why);
      set[form.wayOut] = wayOutBuiltIn;
      --taken;
    }
  }
  Pro_Q7__InitKmdCallOrg(set[form.records], form.mode);
  return taken;
}

int KmdSet_Load(IKmd2* set, const t_KmdSetForm& form) {
  const char* why = nullptr;
  std::string bytes;
  std::ifstream f;
  if (sysOpenRegular(f, form.file, &why)) {
    // A command file is a few kilobytes; anything far larger is not one.
    char buf[4096];
    while (f.read(buf, sizeof buf) || f.gcount() > 0) {
      bytes.append(buf, static_cast<size_t>(f.gcount()));
      if (bytes.size() > kMaxKmdFile) {
        why = "too large to be a command file";
        break;
      }
    }
    if (!why && f.bad()) why = "unreadable";
  }
  if (!why && KmdSet_FromText(set, form, bytes) == 0) why = "no record that can be used";
  if (why) {
    LogInfo("\n Err >> %s: %s; the built-in commands are used", form.file, why);
    KmdSet_FromText(set, form, form.defaults);
    return 0;
  }
  return 1;
}

int inerQ7MenuKmd::_Load() { return KmdSet_Load(k, Form("base/menu_kmd.txt", KmdDefaults_Menu())); }
int inerQ7GameKmd::_Load() { return KmdSet_Load(k, Form("base/game_kmd.txt", KmdDefaults_Game())); }
int inerQ7EditKmd::_Load() { return KmdSet_Load(k, Form("base/edit_kmd.txt", KmdDefaults_Edit())); }
