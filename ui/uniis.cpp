// The input line: its start, the character filters, the number clients, the
// settings-id entry and the user-name entry, stepped once per frame.
#include "ui/uniis.h"

#include <cstdarg>
#include <cstdio>

#include "core/core.h"
#include "shell/shell.h"
#include "ui/org_edit.h"
#include "ui/settings.h"
#include "ui/text_buf.h"

namespace {

enum : int { kIdle = 0, kStarted = 1, kTyping = 2, kFinished = 3, kCancelled = 4 };
enum : int { kCaseOrgId = 1, kCaseInt = 3, kCaseFlo = 4, kCaseUserName = 6 };

// The input line holds at most this many characters between two frames; the
// clients' own limits are far below it.
constexpr size_t kStringHardCap = 255;
constexpr int kOrgIdMaxLen = 4;     // the id entry finishes on its fifth character
constexpr int kUserNameMaxLen = 15;

bool IsDigit(unsigned c) { return c >= '0' && c <= '9'; }

// A number entry with no digit at all (empty, a lone sign or point) is no
// number: it is dropped like a cancel instead of being read as 0.
bool HoldsDigit(const std::string& s) {
  for (char c : s)
    if (IsDigit(static_cast<unsigned char>(c))) return true;
  return false;
}

void AppendChar(unsigned c) {
  if (nsUniIS::_String.size() < kStringHardCap) nsUniIS::_String.push_back(static_cast<char>(c));
}

// Filters 1 and 4: one decimal point, typed as '.' or ',' and kept as '.'.
void TryPoint() {
  if (*o2::UniIS_DotIn != 0) return;
  AppendChar('.');
  *o2::UniIS_DotIn = static_cast<int>(nsUniIS::_String.size());
}

void BackToIdle() {
  *o2::UniIS_Input = kIdle;
  *o2::UniIS_NowEdit = 0;
}

void ClientCancelled(Klient_UniIS& k) {
  k.busy = 0;
  k.state = -1;
  k.endKind = -1;
}

// One frame of a number client; whole selects the result kind and the echo.
void ClientStep(Klient_UniIS& k, bool whole) {
  if (nsUniIS::GetCancel()) {
    ClientCancelled(k);
  } else if (nsUniIS::GetFinish()) {
    if (!HoldsDigit(nsUniIS::_String)) {
      ClientCancelled(k);
      return;
    }
    k.busy = 0;
    k.state = 2;
    k.endKind = nsUniIS::FinishFromMaxLen ? 2 : 1;
    if (whole) k.resInt = SToInt(nsUniIS::_String);
    else k.resFlo = SToFlo(nsUniIS::_String);
  } else if (nsUniIS::GetProcess(k.maxLen)) {
    TBufUpdate(0, k.tbNom, whole ? "Int: %s" : "Flo: %s", nsUniIS::_String.c_str());
  }
}

// A random three-letter name: x|z, e|o, t|d.
void RandomUserName() {
  UserNmAchTable.c[0] = Rand2(0, 1) == 1 ? 'x' : 'z';
  UserNmAchTable.c[1] = Rand2(0, 1) == 1 ? 'e' : 'o';
  UserNmAchTable.c[2] = Rand2(0, 1) == 1 ? 't' : 'd';
}

}  // namespace

namespace nsUniIS {

std::string _String;
short FinishFromMaxLen = 0;

int TryStart(int kase, int filter) {
  if (kase < 1 || kase > 6 || filter < 0 || filter > 4 || *o2::UniIS_Input != kIdle) return 0;
  *o2::UniIS_Input = kStarted;
  *o2::UniIS_Filter = filter;
  *o2::UniIS_DotIn = 0;
  FinishFromMaxLen = 0;
  *o2::UniIS_NowEdit = kase;
  return 1;
}

bool GetCancel() {
  if (*o2::UniIS_Input != kCancelled) return false;
  BackToIdle();
  return true;
}

bool GetFinish() {
  if (*o2::UniIS_Input != kFinished) return false;
  BackToIdle();
  return true;
}

bool GetProcess(int maxLen) {
  if (*o2::UniIS_Input != kTyping) return false;
  if (maxLen >= 1 && _String.size() > static_cast<size_t>(maxLen)) {
    *o2::UniIS_Input = kFinished;
    FinishFromMaxLen = 1;
  }
  return true;
}

}  // namespace nsUniIS

namespace a101 {

void UniIStringInputChar(unsigned c) {
  if (*o2::UniIS_Input != kTyping) return;
  if (c == 27) {
    *o2::UniIS_Input = kCancelled;
    return;
  }
  int filter = *o2::UniIS_Filter;
  if (filter < 0 || filter > 4) return;
  if (c == 8) {
    backInString();
    return;
  }
  if (c > 255) return;  // one CP1251 byte per character
  const bool first = nsUniIS::_String.empty();
  const bool point = c == '.' || c == ',';
  switch (filter) {
    case 0:
      if (c >= 32) AppendChar(c);
      break;
    case 1:
    case 3:
      if (IsDigit(c) || (c == '-' && first)) AppendChar(c);
      else if (point && filter == 1) TryPoint();
      break;
    case 2:
      if (IsDigit(c)) AppendChar(c);
      break;
    case 4:
      if (IsDigit(c)) AppendChar(c);
      else if (point) TryPoint();
      break;
  }
}

void backInString() {
  std::string& s = nsUniIS::_String;
  if (s.size() > 1) s.pop_back();
  else s.clear();
  if (static_cast<int>(s.size()) < *o2::UniIS_DotIn) *o2::UniIS_DotIn = 0;
}

}  // namespace a101

Klient_UniIS InputInt_Klient(kCaseInt);
Klient_UniIS InputFlo_Klient(kCaseFlo);

int UniOrg_StringE = 0;
int UniOrg_PredOrg = 0;
int UniOrg_YchNom = 0;
int GLob_InputNameActive = 0;
int InputUserName_StringE = 0;
t_Char64 UserNmAchTable;
int Glob_vvodF = -1;

int Klient_UniIS::GetInputCtrl(int filter, int maxLenArg, const char* format, ...) {
  if (taken || !format) return 0;
  if (tbNom) {
    TBufClear(0, tbNom);
    tbNom = 0;
  }
  if (!nsUniIS::TryStart(kase, filter)) return 0;
  maxLen = maxLenArg;
  tbNom = TBufGetNom(0, 1);  // 0 when the group is full: the scratch entry
  char text[orgT_TBuf_::kCap + 1];
  va_list ap;
  va_start(ap, format);
  std::vsnprintf(text, sizeof text, format, ap);
  va_end(ap);
  TBufUpdate(0, tbNom, "%s", text);
  Glob_vvodF = kase == kCaseFlo ? kInputLineFlo : kInputLineInt;  // the line drawn while it is open
  endKind = 0;
  taken = 1;
  busy = 1;
  state = 1;
  return 1;
}

void Klient_UniIS::FreeInputControl() {
  busy = 0;
  state = 0;
  taken = 0;
}

template <class T>
static int TakeClientResult(Klient_UniIS& k, T* target, T result) {
  if (k.state != 2 && k.state != -1) return 0;
  int ended = k.state == 2 ? 1 : -1;
  if (ended == 1 && target) *target = result;
  k.FreeInputControl();
  return ended;
}

int Klient_UniIS::TakeResult(int* target) { return TakeClientResult(*this, target, resInt); }
int Klient_UniIS::TakeResult(float* target) { return TakeClientResult(*this, target, resFlo); }

bool InputInt_ResTo(int& v) { return InputInt_Klient.TakeResult(&v) == 1; }

bool Input_orgF(int id) {
  return InputFlo_Klient.TakeResult(id >= 1 && id < orgFn_Count ? &orgFn[id] : nullptr) == 1;
}

bool UserNmAchTable_InputDone(int n) {
  int& progress = GLob_InputNameActive;
  if (progress < 2) return false;
  if (progress == 2) {
    if (!nsUniIS::TryStart(kCaseUserName, 0)) return false;
    TBufUpdate(0, UserName_TBuf, "(%d) %s: ???", n, MsgBase(31));
    progress = 3;
    InputUserName_StringE = 1;
    return false;
  }
  if (progress != 50 && progress != 100) return false;
  bool typed = progress == 50;
  UserNmAchTable.Clear();
  progress = 0;
  size_t len = nsUniIS::_String.size();
  if (typed && len >= 2 && len <= static_cast<size_t>(kUserNameMaxLen)) UserNmAchTable.Set(nsUniIS::_String.c_str());
  else RandomUserName();
  return true;
}

namespace _UniIS_Cases {

void Cases_UniIStringUpdate() {
  switch (*o2::UniIS_NowEdit) {
    case kCaseOrgId: UniOrg_StrUpdate(); break;
    case kCaseInt: priv_InpInt(InputInt_Klient); break;
    case kCaseFlo: priv_InpFlo(InputFlo_Klient); break;
    case kCaseUserName: InputUserName(); break;
    default: break;
  }
}

void priv_InpInt(Klient_UniIS& k) { ClientStep(k, true); }
void priv_InpFlo(Klient_UniIS& k) { ClientStep(k, false); }

void UniOrg_StrUpdate() {
  if (nsUniIS::GetCancel()) {
    UniOrg_StringE = 0;
  } else if (nsUniIS::GetFinish()) {
    UniOrg_StringE = 0;
    if (!HoldsDigit(nsUniIS::_String)) return;  // nothing typed: nothing opens
    UniOrg_YchNom = SToInt(nsUniIS::_String);
    if (UniOrg_PredOrg == 1) org2_InputProp(UniOrg_YchNom, 0);
    else if (UniOrg_PredOrg == 2) orgF_InputProp(UniOrg_YchNom, 0);
  } else if (nsUniIS::GetProcess(kOrgIdMaxLen)) {
    const char* format = UniOrg_PredOrg == 2 ? "\xDF\xF7\xE5\xE9\xEA\xE0 orgFn[ %s ]"  // "Ячейка orgFn[ %s ]"
                                             : "\xCD\xEE\xEC\xE5\xF0 org2n[ %s ]";     // "Номер org2n[ %s ]"
    TBufUpdate(0, UniOrg_TBuf, format, nsUniIS::_String.c_str());
  }
}

void InputUserName() {
  if (nsUniIS::GetCancel()) {
    InputUserName_StringE = 0;
    GLob_InputNameActive = 100;
  } else if (nsUniIS::GetFinish()) {
    InputUserName_StringE = 0;
    GLob_InputNameActive = 50;
  } else if (nsUniIS::GetProcess(kUserNameMaxLen)) {
    TBufUpdate(0, UserName_TBuf, "%s: %s", MsgBase(167), nsUniIS::_String.c_str());
  }
}

}  // namespace _UniIS_Cases
