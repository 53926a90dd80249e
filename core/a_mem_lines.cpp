// Line readers of the keyword tables and list files, and the comma-field reader.
#include <string>

#include "core/a_mem.h"

bool TextGetLine(std::istream& in, std::string& line) {
  if (!std::getline(in, line)) return false;
  if (!in.eof() && !line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

namespace {
constexpr int kMaxLines = 99;

// One line as the readers take it: false at the end of the file, also for a
// last line that has no line end.
bool readLine(std::istream& in, std::string& line) { return TextGetLine(in, line) && !in.eof(); }

bool startsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }
}  // namespace

int findInStrBEGIN(std::string& line, std::istream& in) {
  for (int i = 0; i < kMaxLines; i++) {
    if (!readLine(in, line)) return 0;
    line = TextTrimS(line);
    if (startsWith(line, "begin")) return 1;
  }
  return 0;
}

int findNonEmptyStr(std::string& line, std::istream& in) {
  for (int i = 0; i < kMaxLines; i++) {
    if (!readLine(in, line)) return 0;
    line = TextTrimS(line);
    if (line.size() == 1) return 1;
    if (line.empty() || startsWith(line, "//") || line[0] == '|') continue;
    return 1;
  }
  return 0;
}

int findInStrEND(const std::string& line) { return line.find("end") != std::string::npos ? 1 : 0; }

std::string NextStringBefComa(const std::string& text, int& pos) {
  if (pos < 0) return std::string();
  if ((size_t)pos >= text.size()) {
    pos = -1;
    return std::string();
  }
  size_t start = (size_t)pos, comma = text.find(',', start);
  if (comma == std::string::npos) {
    pos = (int)text.size();
    return TextTrimS(text.substr(start));
  }
  pos = (int)comma + 1;
  return TextTrimS(text.substr(start, comma - start));
}

void NextStringBefComa(std::string& out, const std::string& text, int& pos) { out = NextStringBefComa(text, pos); }

void StringLinkLinesRead(std::string& line, std::istream& in) {
  while (!line.empty() && line.back() == '\\') {
    line.pop_back();
    std::string next;
    if (!TextGetLine(in, next)) break;  // nothing left to join
    line += next;
    line = TextTrimS(line);
  }
}

int BigKomentSkipRead(std::string& line, std::istream& in) {
  int state = 0;
  while (readLine(in, line)) {
    line = TextTrimS(line);
    if (state == 0) {
      if (line == "*/") state = 1;
      continue;
    }
    if (line.empty() || line == "//" || line == "*/") continue;
    if (line.size() != 2) return 1;
    if (line == "/*") {
      state = 0;
      continue;
    }
    return 1;
  }
  return state;
}

int SMF_PreWord_AnyName_(const std::string& name, int line, int column, int& nameLine, int& namePos, int& nameLen) {
  if (name.empty()) return 0;
  nameLen = (int)name.size();
  nameLine = line;
  namePos = column;
  return 1;
}

int SMasFind_PreWord_AnyName(const std::string* lines, int index, int count, const std::string& keyword, int from,
                             int& keyPos, int& keyLen, int& nameLine, int& namePos, int& nameLen) {
  if (!lines || from < 0 || index < 0 || index >= count) return 0;
  const std::string& line = lines[index];
  int k = FindInLineIgnorStrings(line, keyword, from, 1);
  if (k < 0) return 0;
  keyPos = k;
  keyLen = (int)keyword.size();
  size_t behind = (size_t)k + keyword.size();
  if (behind < line.size()) {
    if (line[behind] != ' ') return 0;
    if (line.find_first_not_of(" \t", behind) != std::string::npos) {
      int end = 0, column = (int)behind + 1;
      std::string name = AnTextWordFrom(line, column, end, gWordDelimChars);
      return SMF_PreWord_AnyName_(name, index, column, nameLine, namePos, nameLen);
    }
  }
  if (index + 1 >= count) return 0;
  int end = 0;
  std::string name = AnTextWordFrom(lines[index + 1], 0, end, gWordDelimChars);
  return SMF_PreWord_AnyName_(name, index + 1, 0, nameLine, namePos, nameLen);
}
