#include "shell/konfig.h"

#include <cstring>
#include <fstream>
#include <string>

#include "core/core.h"
#include "platform/platform.h"
#include "shell/ekran.h"
#include "shell/input.h"
#include "shell/netglue.h"
#include "shell/soundglue.h"
#include "ui/ui.h"

t_Char256 game_sys_dir0;
char general_ris_list0[128];
char wfont_list0[128];
char proektor_list0[128];
float Glob_GenFOV = 60.0f, Glob_GenNear = 1.0f, Glog_GenFar = 300.0f;
int GlobTerminator_IfNotPixBuf;
int shader1ErrorAsFatal;

namespace {

class Reader {
 public:
  explicit Reader(std::istream& in) : in_(in) {}

  void Skip() {
    std::string s;
    TextGetLine(in_, s);
  }
  // Label line, then a number at the start of the value line; the rest of that
  // line is skipped. A number that cannot be read leaves the target as it was,
  // and the values after it are read as usual.
  template <class T>
  void Number(T& target, int index) {
    Skip();
    T v{};
    if (in_ >> v) {
      target = v;
    } else if (!in_.eof()) {
      in_.clear();
      LogInfo("\n konfig.txt: value %d is not a number of its kind; it keeps its default\n", index);
    }
    streamGetToZ1310(in_);
  }
  // Label line, then the value line, trimmed and copied into the buffer; a
  // value longer than the buffer is cut.
  void Text(char* buf, size_t size, int index, bool label = true) {
    if (label) Skip();
    std::string s;
    TextGetLine(in_, s);
    Copy(TextTrimS(s), buf, size, index);
  }
  static void Copy(const std::string& s, char* buf, size_t size, int index) {
    std::memset(buf, 0, size);
    size_t n = s.size();
    if (n > size - 1) {
      LogInfo("\n konfig.txt: value %d is longer than %d characters and was cut\n", index,
              int(size - 1));
      n = size - 1;
    }
    std::memcpy(buf, s.data(), n);
  }
  bool Eof() const { return in_.eof(); }

 private:
  std::istream& in_;
};

}  // namespace

int ReadKonfig_Txt(int& greeting) {
  std::ifstream in;
  const char* why = nullptr;
  if (!sysOpenRegular(in, "konfig.txt", &why)) {
    LogFail("\n konfig.txt: %s", why);
    return 0;
  }
  Reader r(in);
  int kind = 0, greet = 0, mode = *o2::AktivIPPI;
  r.Number(kind, 1);
  if (kind == 1) {
    Ekran.FullScreen = 1;
    Ekran.Framed = 0;
  } else if (kind == 2) {
    Ekran.FullScreen = 0;
    Ekran.Framed = 0;
  } else {
    Ekran.FullScreen = 0;
    Ekran.Framed = 1;
  }
  r.Number(Ekran.VModeReq, 2);
  r.Number(Ekran.ClrBitsReq, 3);
  r.Number(Ekran.DepthBitsReq, 4);
  r.Number(Ekran.StencilBitsReq, 5);
  r.Number(greet, 6);
  greeting = greet > 0 ? 1 : 0;
  r.Number(mode, 7);
  *o2::AktivIPPI = mode;
  r.Number(WheelUpTimeMB1, 8);
  r.Number(Glob_GenFOV, 9);
  if (Glob_GenFOV > 150) Glob_GenFOV = 150;
  if (Glob_GenFOV < 30) Glob_GenFOV = 30;
  r.Number(Glob_GenNear, 10);
  r.Number(Glog_GenFar, 11);

  std::memset(general_ris_list0, 0, sizeof general_ris_list0);
  std::memset(wfont_list0, 0, sizeof wfont_list0);
  std::memset(proektor_list0, 0, sizeof proektor_list0);
  std::memset(general_zvu_list0, 0, sizeof general_zvu_list0);
  r.Skip();
  r.Skip();
  r.Skip();
  std::string dir;
  TextGetLine(in, dir);
  if (r.Eof()) {
    LogFail("\n konfig.txt: the file ends before the system directory (value 12)");
    return 0;
  }
  game_sys_dir0.Clear();
  Reader::Copy(TextTrimS(dir), game_sys_dir0(), sizeof game_sys_dir0.c, 12);
  if (!SetCurrentDirectoryA(game_sys_dir0())) {
    LogFail("\n konfig.txt: the system directory \"%s\" cannot be entered", game_sys_dir0());
    return 0;
  }
  DWORD len = GetCurrentDirectoryA(sizeof game_sys_dir0.c, game_sys_dir0());
  if (len == 0 || len >= sizeof game_sys_dir0.c) {
    LogFail("\n konfig.txt: the full path of the system directory is longer than 255 characters");
    return 0;
  }

  r.Text(general_ris_list0, sizeof general_ris_list0, 13);
  r.Text(wfont_list0, sizeof wfont_list0, 14);
  r.Text(proektor_list0, sizeof proektor_list0, 15);
  r.Text(general_zvu_list0, sizeof general_zvu_list0, 16);
  char music[256];
  r.Text(music, sizeof music, 17);
  Glob_GenMusFileName = music;
  r.Number(GlobTerminator_IfNotPixBuf, 18);
  r.Number(shader1ErrorAsFatal, 19);
  r.Number(Ekran.SamplesReq, 20);
  r.Text(IP_ch, sizeof IP_ch, 21);
  r.Text(PORT_NUMBER_ch, sizeof PORT_NUMBER_ch, 22);
  return 1;
}
