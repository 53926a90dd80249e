// Open, save and colour dialogs through zenity.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/system.h"

namespace {

bool Interactive(const char* what) {
  const char* script = std::getenv("VELMAR_MSGBOX");
  if (script && *script) {
    std::fprintf(stderr, "velmar: %s dialog cancelled (non-interactive)\n", what);
    return false;
  }
  if (access("/usr/bin/zenity", X_OK) != 0) {
    std::fprintf(stderr, "velmar: %s dialog cancelled (zenity is not installed)\n", what);
    return false;
  }
  return true;
}

// Runs zenity with the arguments; true with its first output line when it
// ended with status 0 (a choice was made).
bool RunZenity(const std::vector<std::string>& args, std::string* out) {
  int fds[2];
  if (pipe(fds) != 0) return false;
  pid_t pid = fork();
  if (pid < 0) {
    close(fds[0]);
    close(fds[1]);
    return false;
  }
  if (pid == 0) {
    dup2(fds[1], 1);
    close(fds[0]);
    close(fds[1]);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>("zenity"));
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv("/usr/bin/zenity", argv.data());
    _exit(127);
  }
  close(fds[1]);
  std::string text;
  char buf[512];
  ssize_t n;
  while ((n = read(fds[0], buf, sizeof buf)) > 0) text.append(buf, size_t(n));
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  size_t eol = text.find('\n');
  if (eol != std::string::npos) text.resize(eol);
  *out = text;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 && !text.empty();
}

BOOL FileDialog(OPENFILENAMEA* ofn, bool save) {
  if (!ofn || !ofn->lpstrFile || ofn->nMaxFile < 2) return FALSE;
  if (!Interactive(save ? "save-file" : "open-file")) return FALSE;
  std::vector<std::string> args{"--file-selection"};
  if (save) args.push_back("--save");
  if (ofn->lpstrTitle) args.push_back("--title=" + plat_Cp1251ToUtf8(ofn->lpstrTitle));
  if (ofn->lpstrFile[0]) args.push_back("--filename=" + plat_Cp1251ToUtf8(ofn->lpstrFile));
  std::string chosen;
  if (!RunZenity(args, &chosen)) return FALSE;
  std::string name = plat_Utf8ToCp1251(chosen.c_str());
  if (name.size() >= ofn->nMaxFile) {
    std::fprintf(stderr, "velmar: chosen file name is too long\n");
    return FALSE;
  }
  std::memcpy(ofn->lpstrFile, name.c_str(), name.size() + 1);
  return TRUE;
}

}  // namespace

BOOL GetOpenFileNameA(OPENFILENAMEA* ofn) { return FileDialog(ofn, false); }
BOOL GetSaveFileNameA(OPENFILENAMEA* ofn) { return FileDialog(ofn, true); }

BOOL ChooseColorA(CHOOSECOLORA* cc) {
  if (!cc || !Interactive("colour")) return FALSE;
  char initial[48];
  std::snprintf(initial, sizeof initial, "--color=rgb(%d,%d,%d)", GetRValue(cc->rgbResult),
                GetGValue(cc->rgbResult), GetBValue(cc->rgbResult));
  std::string chosen;
  if (!RunZenity({"--color-selection", initial}, &chosen)) return FALSE;
  int r = 0, g = 0, b = 0;
  unsigned hex = 0;
  if (std::sscanf(chosen.c_str(), "rgb(%d,%d,%d)", &r, &g, &b) == 3 ||
      std::sscanf(chosen.c_str(), "rgba(%d,%d,%d", &r, &g, &b) == 3) {
  } else if (std::sscanf(chosen.c_str(), "#%6x", &hex) == 1) {
    r = int(hex >> 16) & 0xFF;
    g = int(hex >> 8) & 0xFF;
    b = int(hex) & 0xFF;
  } else {
    return FALSE;
  }
  cc->rgbResult = RGB(r, g, b);
  return TRUE;
}
