// Readers of the two font list files. Both are read as a stream of numbers
// separated by any white space, with label lines and names between them.
#include <climits>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

#include "core/core.h"
#include "ui/fonts.h"

namespace {

// The line break after the last number (with anything else left on that
// line), then one whole line: a label or a name.
bool NextLine(std::istream& is, std::string& line) {
  int c = is.get();
  if (c == EOF) return false;
  if (c != '\n') {
    std::string rest;
    if (!TextGetLine(is, rest)) return false;
  }
  return TextGetLine(is, line);
}

short ToShort(long v) {
  if (v < SHRT_MIN) return SHRT_MIN;
  if (v > SHRT_MAX) return SHRT_MAX;
  return static_cast<short>(v);
}

bool Num(std::istream& is, short& v) {
  long x;
  if (!(is >> x)) return false;
  v = ToShort(x);
  return true;
}

}  // namespace

int WFontHeightForMode(int height, int vModeReq) {
  if (vModeReq == 0 || height <= 0) return height;
  int grow = height / 3;
  if (vModeReq >= 2) grow += 2;
  if (vModeReq >= 3) grow += 2;
  grow -= grow % 2;
  return ToShort(static_cast<long>(height) + grow);
}

int WFontList_Parse(const char* text, size_t n, int vModeReq, std::vector<t_WFontSpec>& out) {
  out.clear();
  std::istringstream is(std::string(text ? text : "", text ? n : 0));
  std::string line;
  short fonts = 0;
  if (!TextGetLine(is, line) || !Num(is, fonts)) return 0;
  if (fonts > kWinFonts) fonts = kWinFonts;
  for (int i = 0; i < fonts; ++i) {
    t_WFontSpec s;
    if (!NextLine(is, line) || !Num(is, s.slot)) return 0;
    if (s.slot > kWinFonts - 1) s.slot = kWinFonts - 1;
    std::string face;
    if (!NextLine(is, face)) return 0;
    face = TextTrimS(face);
    if (face.size() > sizeof(s.face) - 1) {
      LogInfo("\n Windows font %d: typeface name of %zu letters cut to %zu\n", s.slot, face.size(),
              sizeof(s.face) - 1);
      face.resize(sizeof(s.face) - 1);
    }
    std::memcpy(s.face, face.data(), face.size());
    short* vals[] = {&s.first,  &s.count,     &s.height,    &s.width,   &s.escapement,
                     &s.orientation, &s.weight, &s.italic,   &s.underline, &s.strikeOut,
                     &s.charSet, &s.outline,  &s.deviation, &s.extrusion};
    for (short* v : vals)
      if (!Num(is, *v)) return 0;
    s.height = static_cast<short>(WFontHeightForMode(s.height, vModeReq));
    out.push_back(s);
  }
  return 1;
}

int TFontList_Parse(const char* text, size_t n, t_TFontList& out) {
  out = t_TFontList();
  std::istringstream is(std::string(text ? text : "", text ? n : 0));
  for (int& pic : out.pics) {
    long v;
    if (!(is >> v)) return 0;
    pic = static_cast<int>(v < INT_MIN ? INT_MIN : v > INT_MAX ? INT_MAX : v);
  }
  short fonts = 0;
  if (!Num(is, fonts)) return 0;
  if (fonts > kTexFonts) fonts = kTexFonts;
  std::string line;
  for (int i = 0; i < fonts; ++i) {
    t_TFontSpec s;
    if (!NextLine(is, line) || !Num(is, s.slot)) return 0;
    if (s.slot > kTexFonts - 1) s.slot = kTexFonts - 1;
    if (!NextLine(is, line)) return 0;
    short* vals[] = {&s.first, &s.count, &s.picW, &s.picH, &s.cols, &s.rows, &s.gridW, &s.gridH};
    for (short* v : vals)
      if (!Num(is, *v)) return 0;
    short mode = 0;
    if (!Num(is, mode)) return 0;
    int glyphs = s.count >= 0 ? s.count + 1 : 0;
    if (mode != 0) {
      short w = 0;
      if (!Num(is, w)) return 0;
      s.widths.assign(glyphs, w);
    } else {
      s.widths.resize(glyphs);
      for (short& w : s.widths)
        if (!Num(is, w)) return 0;
    }
    out.fonts.push_back(std::move(s));
  }
  return 1;
}

bool WFontParamsOK(int slot, const char* face, int first, int count, int outline) {
  const char* why = nullptr;
  if (slot < 0 || slot >= kWinFonts) why = "font number outside 0..12";
  else if (first < 0 || count < 0) why = "negative first code or glyph count";
  else if (first > 255) why = "first code above 255";
  else if (outline && count > 256) why = "more than 256 outline glyphs";
  if (!why) return true;
  LogFail("\n Windows font %d (%s): %s, refused\n", slot, face ? face : "", why);
  return false;
}

bool TFontParamsOK(int slot, int first, int count, int picW, int picH, int cols, int rows) {
  const char* why = nullptr;
  if (slot < 0 || slot >= kTexFonts) why = "slot outside 0..15";
  else if (cols <= 0 || rows <= 0) why = "no columns or rows";
  else if (first < 0 || count < 0) why = "negative first code or last glyph";
  else if (picW <= 0 || picH <= 0) why = "empty picture size";
  if (!why) return true;
  LogFail("\n Texture font %d: %s, refused\n", slot, why);
  return false;
}

bool WFontSizeOK(int slot, const char* face, int height, int width) {
  if (std::abs(height) <= kMaxFontPixels && std::abs(width) <= kMaxFontPixels) return true;
  LogFail("\n Windows font %d (%s): height %d or width %d beyond the %d pixels of a screen, refused\n", slot,
          face ? face : "", height, width, kMaxFontPixels);
  return false;
}

bool WFontSpecOK(const t_WFontSpec& s) {
  return WFontParamsOK(s.slot, s.face, s.first, s.count, s.outline) && WFontSizeOK(s.slot, s.face, s.height, s.width);
}

bool TFontSpecOK(const t_TFontSpec& s) {
  return TFontParamsOK(s.slot, s.first, s.count, s.picW, s.picH, s.cols, s.rows);
}
