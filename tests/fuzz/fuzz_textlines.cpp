// Feeds arbitrary text to the line readers of the keyword tables and list files
// and to the string helpers they use. The input is split at its first byte 0:
// the part before it is a marker or keyword, the rest the text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "core/core.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string all((const char*)data, size);
  size_t cut = all.find('\0');
  std::string key = cut == std::string::npos ? std::string("end") : all.substr(0, cut);
  std::string text = cut == std::string::npos ? all : all.substr(cut + 1);
  if (key.size() > 16) key.resize(16);

  std::string line;
  {
    std::istringstream in(text);
    while (findNonEmptyStr(line, in)) {
      findInStrEND(line);
      StringLinkLinesRead(line, in);
    }
  }
  {
    std::istringstream in(text);
    findInStrBEGIN(line, in);
    BigKomentSkipRead(line, in);
    while (streamGetToZ1310(in)) {
    }
  }
  std::vector<std::string> lines;
  {
    std::istringstream in(text);
    while (TextGetLine(in, line) && lines.size() < 64) lines.push_back(line);
  }
  for (size_t i = 0; i < lines.size(); i++) {
    const std::string& l = lines[i];
    int pos = 0, guard = 0;
    while (pos != -1 && guard++ <= (int)l.size() + 1) NextStringBefComa(l, pos);
    if (pos != -1) std::abort();  // every field list ends
    int kp, kl, nl, np, nlen;
    if (SMasFind_PreWord_AnyName(lines.data(), (int)i, (int)lines.size(), key, 0, kp, kl, nl, np, nlen)) {
      const std::string& nameLine = lines[(size_t)nl];
      if (np < 0 || nlen < 1 || (size_t)(np + nlen) > nameLine.size()) std::abort();
    }
    FindInLineIgnorStrings(l, key, 0, 2);
    std::string r = l;
    RemoveBloksFrLineWfStrings(r, key.empty() ? "/*" : key, "*/");
    r = l;
    RemoveBloksFromString(r, "/*", key.empty() ? "*/" : key);
    if (l.size() < 2048) TextReplaceS(l, key, "<>");
    TextTrimS(l);
    ValidNameVarCPGen(l);
    SToByte(l);
    SToShort(l);
    SToUShort(l);
    SToUInt(l);
    SToFlo(l);
    IntToS(SToInt(l), (int)l.size() % 12);
    int end;
    AnTextWordFrom(l, (int)key.size(), end, gWordDelimChars);
  }
  return 0;
}
