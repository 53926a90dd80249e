#include "objects/tabread.h"

#include <limits>

#include "core/core.h"
#include "render/textfile.h"

namespace tabread {

namespace {
// A table file is a few kilobytes; anything far larger is not one.
constexpr size_t kMaxTableBytes = 4u << 20;
}  // namespace

int NextRow(std::istream& in, std::string& line) {
  for (;;) {
    if (!findNonEmptyStr(line, in)) return 0;
    if (!findInStrEND(line)) return 1;
    std::string skipped;
    if (!findInStrBEGIN(skipped, in)) return 0;
  }
}

void SkipLine(std::istream& in) {
  // At the end of the text there is no line left to drop: the stream is left
  // as it is, so that it fails only where a number could not be read.
  if (in.eof()) return;
  in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
}

std::string Line(std::istream& in) {
  std::string s;
  if (!TextGetLine(in, s)) s.clear();
  return s;
}

int Int(std::istream& in) {
  int v = 0;
  if (!(in >> v)) v = 0;
  return v;
}

float Flo(std::istream& in) {
  float v = 0;
  if (!(in >> v)) v = 0;
  return v;
}

void Ints(std::istream& in, int32_t* dst, const int* idx, int n) {
  for (int k = 0; k < n; ++k) dst[idx[k]] = Int(in);
}

void IntRun(std::istream& in, int32_t* dst, int first, int n) {
  for (int k = 0; k < n; ++k) dst[first + k] = Int(in);
}

std::string Fields::Next() { return pos_ < 0 ? std::string() : NextStringBefComa(line_, pos_); }

bool ReadTableFile(const std::string& path, std::string& text) {
  if (!ReadTextFileDropCR(path.c_str(), text, kMaxTableBytes)) {
    LogInfo("\n Err: table file %s missing, not a regular file or too large: the table stays empty\n",
            path.c_str());
    return false;
  }
  return true;
}

}  // namespace tabread
