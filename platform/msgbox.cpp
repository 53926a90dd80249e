// Message boxes: modal SDL boxes, or answered at once under VELMAR_MSGBOX.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/internal.h"

namespace {

struct Button { int id; const char* word; const char* label; };

std::vector<Button> ButtonsOf(UINT type) {
  switch (type & 0xF) {
    case MB_OKCANCEL: return {{IDOK, "ok", "OK"}, {IDCANCEL, "cancel", "Cancel"}};
    case MB_YESNOCANCEL:
      return {{IDYES, "yes", "Yes"}, {IDNO, "no", "No"}, {IDCANCEL, "cancel", "Cancel"}};
    case MB_YESNO: return {{IDYES, "yes", "Yes"}, {IDNO, "no", "No"}};
    default: return {{IDOK, "ok", "OK"}};
  }
}

size_t DefaultIndex(UINT type, size_t count) {
  size_t i = (type & MB_DEFBUTTON3) ? 2 : (type & MB_DEFBUTTON2) ? 1 : 0;
  return i < count ? i : 0;
}

// The next word of the scripted answers ("" when the list is used up). A
// script that goes on from the words already read is read on after them; any
// other script starts from its first word.
std::string NextScriptWord(const char* script) {
  static std::string read;  // the words read so far, each with its comma
  const std::string s = std::string(script) + ",";
  if (s.compare(0, read.size(), read) != 0) read.clear();
  const size_t pos = read.size();
  if (pos >= s.size()) return "";
  const size_t end = s.find(',', pos);
  read = s.substr(0, end + 1);
  return s.substr(pos, end - pos);
}

}  // namespace

int MessageBoxA(HWND, const char* text, const char* caption, UINT type) {
  std::vector<Button> buttons = ButtonsOf(type);
  size_t def = DefaultIndex(type, buttons.size());
  std::string utext = plat_Cp1251ToUtf8(text), ucaption = plat_Cp1251ToUtf8(caption);
  const char* script = std::getenv("VELMAR_MSGBOX");
  if (script && *script) {
    std::string word = NextScriptWord(script);
    size_t pick = def;
    for (size_t i = 0; i < buttons.size(); ++i)
      if (word == buttons[i].word) pick = i;
    std::fprintf(stderr, "velmar: message box [%s] %s -> %s\n", ucaption.c_str(), utext.c_str(),
                 buttons[pick].word);
    return buttons[pick].id;
  }
  std::vector<SDL_MessageBoxButtonData> data;
  for (size_t i = 0; i < buttons.size(); ++i) {
    Uint32 flags = i == def ? SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT : 0;
    if (buttons[i].id == IDCANCEL || (buttons.size() == 1)) flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
    data.push_back(SDL_MessageBoxButtonData{flags, buttons[i].id, buttons[i].label});
  }
  UINT icon = type & 0xF0;
  Uint32 kind = icon == MB_ICONHAND          ? SDL_MESSAGEBOX_ERROR
                : icon == MB_ICONEXCLAMATION ? SDL_MESSAGEBOX_WARNING
                                             : SDL_MESSAGEBOX_INFORMATION;
  SDL_MessageBoxData box{kind | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT, nullptr, ucaption.c_str(),
                         utext.c_str(), int(data.size()), data.data(), nullptr};
  int answer = -1;
  if (SDL_ShowMessageBox(&box, &answer) != 0 || answer < 0) answer = buttons[def].id;
  std::fprintf(stderr, "velmar: message box [%s] %s -> %d\n", ucaption.c_str(), utext.c_str(),
               answer);
  return answer;
}
