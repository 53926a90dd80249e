// Command files: the text form of a binding and the loading of a mode's set
// from base/, with the built-in copy of the default file when the file is
// missing or holds no whole record.
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

}  // namespace

bool t_KmdText::Int(int& v) {
  if (failed) return false;
  while (p < s.size() && Blank(s[p])) ++p;
  size_t q = p;
  bool neg = false;
  if (q < s.size() && (s[q] == '-' || s[q] == '+')) neg = s[q++] == '-';
  int64_t n = 0;
  size_t digits = 0;
  while (q < s.size() && s[q] >= '0' && s[q] <= '9') {
    n = n * 10 + (s[q++] - '0');
    if (n > int64_t(INT32_MAX) + 1) {  // out of range: the read fails
      failed = true;
      return false;
    }
    ++digits;
  }
  if (!digits || (!neg && n > INT32_MAX)) {
    failed = true;
    return false;
  }
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

int IKmd2_InitFromTxtStream(IKmd2& kmd, t_KmdText& in) {
  std::string_view line;
  for (int i = 0; i < 4; ++i) in.Line(line);
  const std::string name = in.Failed() ? std::string() : TrimName(line);

  int mode = 0, k1 = 0, k2 = 0, k3 = 0, shift = 0, spare = 0;
  in.Int(mode), in.Int(k1), in.Int(k2), in.Int(k3), in.Int(shift), in.Int(spare);
  in.SkipLine();
  kmd._Kmd2_StatusInit1(mode, k1, k2, k3, shift, spare, name.c_str());

  int flag = 0, kind = 0, w1 = 0, w2 = 0, suppress = 0;
  in.Int(flag);
  in.SkipLine();
  if (flag) {
    in.Int(kind), in.Int(w1), in.Int(w2), in.Int(suppress);
    kmd.SetInit_SpeType(kind, w1, w2, suppress);
  } else {
    in.Int(kind);
    kmd.SetInit_SpeType(kind);
  }
  in.SkipLine();

  int toggle = 0, value = 0, count = 0, tmode = 0, delay = 0, limit = 0;
  in.Int(toggle);
  in.SkipLine();
  if (toggle) {
    in.Int(value), in.Int(count), in.Int(tmode), in.Int(delay), in.Int(limit);
    kmd.SetInit_ToggleSys(value, count, tmode, delay, limit);
  } else {
    in.Int(value);
    kmd.SetInit_ToggleSys(value);
  }
  in.SkipLine();

  int interval = 0, channel = 0, rank = 0, active = 0;
  in.Int(interval), in.Int(channel), in.Int(rank);
  kmd.SetInit_UseInterval(interval, 0);
  kmd.SetInit_WayPrior(channel, rank);
  in.Int(active);
  if (in.Failed()) {  // a record read in part is no command
    kmd.Sbros();
    return 0;
  }
  if (active) kmd.SetActiveOn();
  in.SkipLine();
  return 1;
}

int KmdSet_FromText(IKmd2* set, int records, int mode, std::string_view bytes) {
  t_KmdText in(bytes);
  int whole = 0;
  for (int i = 0; i < records; ++i) {
    if (IKmd2_InitFromTxtStream(set[i], in)) ++whole;
    else set[i].Sbros();  // it and every slot after it stay off
  }
  Pro_Q7__InitKmdCallOrg(set[records], mode);
  return whole;
}

int KmdSet_Load(IKmd2* set, int records, int mode, const char* file, std::string_view defaults) {
  const char* why = nullptr;
  std::string bytes;
  std::ifstream f;
  if (sysOpenRegular(f, file, &why)) {
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
  int whole = 0;
  if (!why) {
    whole = KmdSet_FromText(set, records, mode, bytes);
    if (whole == 0) why = "no whole command record";
  }
  if (why) {
    LogInfo("\n Err >> %s: %s; the built-in commands are used", file, why);
    KmdSet_FromText(set, records, mode, defaults);
    return 0;
  }
  if (whole < records)
    LogInfo("\n Err >> %s: %d of %d commands read; the rest are off", file, whole, records);
  return 1;
}

int inerQ7MenuKmd::_Load() { return KmdSet_Load(k, kRecords, kMode, "base/menu_kmd.txt", KmdDefaults_Menu()); }
int inerQ7GameKmd::_Load() { return KmdSet_Load(k, kRecords, kMode, "base/game_kmd.txt", KmdDefaults_Game()); }
int inerQ7EditKmd::_Load() { return KmdSet_Load(k, kRecords, kMode, "base/edit_kmd.txt", KmdDefaults_Edit()); }
