#include "shell/msgbase.h"

#include <fstream>
#include <new>
#include <string>

#include "core/core.h"
#include "platform/platform.h"
#include "shell/ekran.h"
#include "ui/ui.h"

t_Char128* msgbase;
int16_t msgbaseLast;

namespace {

constexpr int kMaxMessages = 16384;  // 2N - 1 must fit the 16-bit last index

// The text of a slot: trimmed, and cut to the 127 characters a slot holds.
void Store(int slot, const std::string& line) {
  std::string t = TextTrimS(line);
  if (t.size() > 127) {
    LogInfo("\n msgbase.txt: text of slot %d is longer than 127 characters and was cut\n", slot);
    t.resize(127);
  }
  msgbase[slot].Set(t.c_str());
}

}  // namespace

int LoadMsgBase() {
  std::ifstream in;
  const char* why = nullptr;
  if (!sysOpenRegular(in, "base/msgbase.txt", &why)) {
    LogFail("\n base/msgbase.txt: %s", why);
    msgbase = nullptr;
    MessageBoxA(nullptr,
                " \xCD\xE5-\xED\xE0\xE9\xE4\xE5\xED \xF4\xE0\xE9\xEB \xF1\xEE\xEE\xE1\xF9\xE5\xED\xE8\xE9. \n"
                " \xCF\xF0\xE8 \xE2\xEE\xE7\xED\xE8\xEA\xED\xEE\xE2\xE5\xED\xE8\xE8 \xE4\xE0\xEB\xFC\xED\xE5"
                "\xE9\xF8\xE8\xF5 \xEE\xF8\xE8\xE1\xEE\xEA \xF0\xE5\xEA\xEE\xEC\xE5\xED\xE4\xF3\xE5\xEC "
                "\xF3\xE4\xE0\xEB\xE8\xF2\xFC \xEF\xE0\xEF\xEA\xF3 \xE8\xE3\xF0\xFB \xE8 \xF3\xF1\xF2\xE0"
                "\xED\xEE\xE2\xE8\xF2\xFC \xE8\xE3\xF0\xF3 \xE7\xE0\xED\xEE\xE2\xEE. ",
                "Not found <msgbase.txt>", MB_OK);
    return 0;
  }
  int n = 0;
  if (!(in >> n) || n < 1) {
    LogFail("\n base/msgbase.txt: the first line is no message count of 1 or more");
    return 0;
  }
  if (n > kMaxMessages) {
    LogFail("\n base/msgbase.txt: %d messages, more than the %d the base can hold\n", n, kMaxMessages);
    return 0;
  }
  // The rest of the count line (text mode: CR LF is one character).
  if (in.get() == '\r' && in.peek() == '\n') in.get();
  msgbaseLast = int16_t(2 * n - 1);
  msgbase = new (std::nothrow) t_Char128[size_t(msgbaseLast) + 1]();
  if (!msgbase) {
    LogFail("\n base/msgbase.txt: no memory for %d messages", n);
    return 0;
  }
  std::string label, first, second;
  for (int k = 0; k <= msgbaseLast; k += 2) {
    TextGetLine(in, label);
    if (in.eof()) {  // the slots filled so far stay
      LogFail("\n base/msgbase.txt: the file ends after %d of its %d messages", k / 2, n);
      return 0;
    }
    first.clear();
    second.clear();
    TextGetLine(in, first);
    TextGetLine(in, second);
    Store(k, first);
    Store(k + 1, second);
  }
  return 1;
}

const char* MsgBase(int n) {
  if (!msgbase) return "...";
  if (n == 0) return ".0.";
  if (n < 0 || n > (msgbaseLast + 1) / 2) return ".Z.";  // n beyond the last message (no 2n - 1 overflow)
  return msgbase[*o2::EngText ? 2 * (n - 1) : 2 * n - 1]();
}

void FreeMsgBase() {
  delete[] msgbase;
  msgbase = nullptr;
  msgbaseLast = 0;
}

int PrivetUser() {
  int r = Rand2(0, 2);
  int text = r == 1 ? 27 : r == 2 ? 28 : 2;
  if (MessageBoxA(nullptr, MsgBase(text), MsgBase(29), MB_YESNO) == IDYES) Ekran.VModeReq = 1;
  return 1;
}
