// Command bindings: set-up of one record, its per-frame test and the test of
// a whole set with channel arbitration.
#include "modes/kmd.h"

#include "core/core.h"
#include "shell/shell.h"
#include "ui/ui.h"

IKmd2 kmdScreeenShot;

bool KmdKeyPressable(int k) {
  if (k >= 301 && k <= 303) return true;
  if (k < 1 || k > 255) return false;
  if (!*o2::ScanCodes) return plat_KeyDownMakes(k) != 0;
  for (int vk = 1; vk < 256; ++vk)  // the window procedure's scan-code index
    if (nsMKeys::KScanCode[vk] == k && plat_KeyDownMakes(vk)) return true;
  return false;
}

void IKmd2::Sbros() {
  str3int keep = name;
  *this = IKmd2();
  name = keep;
}

void IKmd2::SbrosWaitVars() {
  waitCd = 0;
  heldTime = 0;
  hold = 0;
  repStart = 0;
  win1Cd = 0;
  win2Cd = 0;
}

int IKmd2::_Kmd2_StatusInit1(int modeArg, int k1, int k2, int k3, int shift, int spareValue,
                             const char* text) {
  Sbros();
  if (modeArg < 1) return 0;
  mode = modeArg;
  key1 = k1;
  key2 = k2;
  key3 = k3;
  shiftFlag = shift;
  spare = spareValue;
  name.LoadText(text ? text : "");
  ProverKmd();
  if (status != 0) mode = 0;
  return mode;
}

void IKmd2::ProverKmd() {
  if (mode < 1) {
    enabled = 0;
    status = 1;
    return;
  }
  for (int32_t* k : {&key1, &key2, &key3})
    if (*k < 0 || *k > kKmdLastKey) *k = 0;
  int bad = 0;
  if (key1 < 1 && key2 < 1 && key3 < 1) bad = 1;
  else if (kind == KMD_SHIFT && key1 < 1) bad = 2;
  else if (kind == KMD_SHIFT && key2 < 1 && key3 < 1) bad = 3;
  else if (kind == KMD_SHIFTS && key1 < 1 && key2 < 1) bad = 4;
  else if (kind == KMD_SHIFTS && key3 < 1) bad = 5;
  if (bad) {
    enabled = 0;
    status = bad;
  }
}

int IKmd2::SetInit_SpeType(int kindArg) {
  SbrosWaitVars();
  singleOff = 0;
  if (kindArg == KMD_CLICK) mode = 0;  // a click command needs its windows
  else if (kindArg == KMD_RELEASE || kindArg == KMD_SHIFT || kindArg == KMD_SHIFTS) kind = kindArg;
  else kind = KMD_PLAIN;
  return mode;
}

int IKmd2::SetInit_SpeType(int kindArg, int window1, int window2, int suppress) {
  SbrosWaitVars();
  singleOff = 0;
  if (kindArg != KMD_CLICK) {
    mode = 0;
    return mode;
  }
  kind = KMD_CLICK;
  win1 = window1 > 0 ? window1 : 0;
  win2 = window2 > 0 ? window2 : 0;
  singleOff = suppress;
  return mode;
}

void IKmd2::SetInit_ToggleSys(int v) {
  if (v == 1) {
    togVal = 1;
    togCount = 2;
    togMode = 0;
    repDelay = 0;
    repLimit = 0;
    return;
  }
  if (v < 1) togVal = 0;
  else if (togCount < v) togVal = togCount;
}

int IKmd2::SetInit_ToggleSys(int value, int count, int modeArg, int delay, int limit) {
  if (count <= 1 || value < 1 || value > count) {
    mode = 0;
    return 0;
  }
  togVal = value;
  togCount = count;
  togMode = (modeArg == 1 || modeArg == 2) ? modeArg : 0;
  repDelay = delay < 0 ? 0 : delay;
  repLimit = limit < 0 ? 0 : limit;
  return mode;
}

int IKmd2::SetInit_UseInterval(int ms, int reset) {
  if (mode > 0) {
    if (reset) SbrosWaitVars();
    interval = ms;
  } else {
    interval = kKmdOffInterval;
  }
  return interval;
}

int IKmd2::SetInit_WayPrior(int chan, int rankArg) {
  channel = 0;
  if (mode > 0) {
    channel = chan;
    rank = rankArg;
  }
  return channel;
}

int IKmd2::SetActiveOn() {
  SbrosWaitVars();
  enabled = mode != 0 ? 1 : 0;
  return enabled;
}

void IKmd2::KeyVersSbros(int a, int b, int c) {
  if (!a && !b && !c) return;
  if (a) key1 = 0;
  if (b) key2 = 0;
  if (c) key3 = 0;
  ProverKmd();
}

int IKmd2::Get_KeyVersID(int n) const {
  switch (n) {
    case 1: return key1;
    case 2: return key2;
    case 3: return key3;
    default: return 0;
  }
}

int IKmd2::KliTms() {
  if (!normToggle()) return 0;
  return kind == KMD_CLICK ? signal : 0;
}

int IKmd2::normToggle() {
  if (togVal < 1) togVal = 0;
  if (togCount < 2) togCount = togVal + 1;
  return togVal;
}

void IKmd2::SdvigToggle() {
  switch (togMode) {
    case 0:
      if (++togVal > togCount) togVal = 1;
      break;
    case 1:
      if (++togVal > togCount) togVal = togCount;
      break;
    default:
      if (togStep != 1 && togStep != -1) togStep = 1;
      togVal += togStep;
      if (togVal > togCount) {
        togVal = togCount;
        togStep = -togStep;
      } else if (togVal < 1) {
        togVal = 1;
        togStep = -togStep;
      }
      break;
  }
}

int IKmd2::Get_ToggleRunCountMilli(int clamp) {
  if (repDelay == 0) return 0;
  int d = static_cast<int>(gMilli) - repStart;
  if (d <= 0) {
    repStart = 0;
    return 0;
  }
  if (clamp && d > repDelay) d = repDelay;
  return d;
}

bool IKmd2::Down(int k) const { return k > 0 && k <= kKmdLastKey && nsMKeys::n[k] != 0; }

bool IKmd2::Held() const {
  switch (kind) {
    case KMD_SHIFT: return Down(key1) && (Down(key2) || Down(key3));
    case KMD_SHIFTS: return (Down(key1) || Down(key2)) && Down(key3);
    default: return Down(key1) || Down(key2) || Down(key3);
  }
}

void IKmd2::PressPoint(int& x, int& y) const {
  for (int k : {key1, key2, key3})
    if (Down(k) && nsMKeys::PressedAt(k, x, y)) return;
  x = gMX;
  y = gMY;
}

void IKmd2::ClickPlace(int& x, int& y) const {
  if (signal == 3) {
    x = kx3, y = ky3;
  } else if (signal == 2 || win2Cd > 0) {
    x = kx2, y = ky2;
  } else if (signal == 1 || win1Cd > 0) {
    x = kx1, y = ky1;
  } else {
    x = gMX, y = gMY;
  }
}

bool IKmd2::ShiftLike(int k) const { return Root_IPPI.TekIPPI_KeyIsShift(k) != 0; }

// 2 a key is down, 1 none is, 0 refused (a shift-like key under the shift flag).
int IKmd2::TryKmd_Pure2() {
  for (int k : {key1, key2}) {
    if (k <= 0) continue;
    if (shiftFlag && ShiftLike(k)) return 0;
    if (Down(k)) return 2;
  }
  if (key3 < 1) return 1;
  if (shiftFlag && ShiftLike(key3)) return 0;
  return Down(key3) ? 2 : 1;
}

int IKmd2::TryKmd_OnlyUp() {
  int r = TryKmd_Pure2();
  if (r == 1 && heldTime) {
    heldTime = 0;
    return 1;
  }
  if (r == 2) heldTime = heldTime ? heldTime + GFrameTime : 1;
  return 0;
}

int IKmd2::TryKmd_Shift() {
  if (key1 < 1 || !Down(key1)) return 0;
  Root_IPPI.TekIPPI_KeyLikeShift(key1);
  if (key2 > 0) {
    if (ShiftLike(key2)) return 0;
    if (Down(key2)) return 1;
  }
  if (key3 < 1 || ShiftLike(key3)) return 0;
  return Down(key3) ? 1 : 0;
}

int IKmd2::TryKmd_Shifts() {
  if (key1 < 1 && key2 < 1) return 0;
  if (key1 > 0 && Down(key1)) {
    Root_IPPI.TekIPPI_KeyLikeShift(key1);
    if (key3 > 0) {
      if (ShiftLike(key3)) return 0;
      if (Down(key3)) return 1;
    }
  }
  if (key2 < 1 || !Down(key2)) return 0;
  Root_IPPI.TekIPPI_KeyLikeShift(key2);
  if (key3 < 1 || ShiftLike(key3)) return 0;
  return Down(key3) ? 1 : 0;
}

// 1 for a new press; while a counted press is held nothing counts until one
// of the keys goes up.
int IKmd2::TryKmd_Klik() {
  if (hold) {
    for (int k : {key1, key2, key3})
      if (k > 0 && !Down(k)) {
        hold = 0;
        break;
      }
    return 0;
  }
  return TryKmd_Pure2() == 2 ? 1 : 0;
}

void IKmd2::KlikVers() {
  const int press = TryKmd_Klik();
  if (win2Cd > 0) {
    if (press) {
      hold = 1;
      signal = 3;
      win2Cd = 0;
      PressPoint(kx3, ky3);
    } else if ((win2Cd -= GFrameTime) <= 0) {
      win2Cd = 0;
      signal = 2;
    }
  } else if (win1Cd <= 0) {
    if (press) {
      hold = 1;
      win1Cd = win1;
      PressPoint(kx1, ky1);
    }
  } else if (press) {
    hold = 1;
    win1Cd = 0;
    PressPoint(kx2, ky2);
    if (win2) win2Cd = win2;
    else signal = 2;
  } else if ((win1Cd -= GFrameTime) <= 0) {
    win1Cd = 0;
    signal = 1;
  }
  if (singleOff && signal < 2) signal = 0;
}

int IKmd2::TryToggleRapid(int sig) {
  if (!sig) {
    repStart = 0;
    return 0;
  }
  if (repStart != 0) {
    if (static_cast<int>(gMilli) - repStart < repDelay) return 0;
    ++repCount;
    if (repLimit && repCount > repLimit) return 0;
    return 1;
  }
  repStart = static_cast<int>(gMilli);
  repCount = 0;
  return kind == KMD_RELEASE ? 0 : 1;
}

void IKmd2::_SensStep_BefPriemKmd() {
  signal = 0;
  waitCd -= GFrameTime;
  if (waitCd < 0) waitCd = 0;
  if (mode != Root_IPPI.Get_NomTekIPPI() || enabled <= 0) return;
  normToggle();
  const bool waiting = waitCd > 0;
  if (kind == KMD_CLICK && win1 && togVal) {
    KlikVers();
    if (waiting) {
      signal = 0;
      return;
    }
  } else {
    if (waiting) {
      if (!Held()) repStart = 0;  // a press after this one is a new press, not the hold going on
      return;
    }
    switch (kind) {
      case KMD_RELEASE: signal = TryKmd_OnlyUp(); break;
      case KMD_SHIFT: signal = TryKmd_Shift(); break;
      case KMD_SHIFTS: signal = TryKmd_Shifts(); break;
      default: signal = TryKmd_Pure2() == 2 ? 1 : 0; break;
    }
  }
  if (togVal && repDelay) signal = TryToggleRapid(signal);
  if (!signal) return;
  if (kind != KMD_CLICK && signal == 1) PressPoint(kx1, ky1);
  if (togVal) SdvigToggle();
  if (interval > 0) waitCd = interval;
}

void IKmd2_SensUp_WayWar(IKmd2* first, IKmd2* last) {
  if (!first || !last || last < first) return;
  IKmd2* owner[kKmdChannels] = {};
  for (int i = 0; i <= kKmdChannels; ++i) {
    IKmd2* k = first + i;
    k->_SensStep_BefPriemKmd();
    const int ch = k->Get_Way();
    if (k->Sig() && ch >= 1 && ch < kKmdChannels) {
      if (!owner[ch]) {
        owner[ch] = k;
      } else if (owner[ch]->Get_WayRank() < k->Get_WayRank()) {
        owner[ch]->Kill_Signal();
        owner[ch] = k;
      } else {
        k->Kill_Signal();
      }
    }
    if (k == last) break;
  }
}

void KmdSet_SensUp(IKmd2* first, IKmd2* last, int& stay) {
  if (stay != Root_IPPI.Entries()) {
    stay = Root_IPPI.Entries();
    for (IKmd2* k = first; k <= last; ++k) k->SbrosWaitVars();
  }
  IKmd2_SensUp_WayWar(first, last);
}

void Pro_Q7__InitKmdCallOrg(IKmd2& kmd, int mode) {
  kmd._Kmd2_StatusInit1(mode, 192, 0, 0, 0, 0, "x");
  kmd.SetInit_SpeType(KMD_PLAIN);
  kmd.SetInit_ToggleSys(1, 2, 0, kKmdRepeatDelay, 0);
  kmd.SetInit_UseInterval(200, 0);
  kmd.SetInit_WayPrior(0, 0);
  kmd.SetActiveOn();
}
