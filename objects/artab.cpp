#include "objects/artab.h"

#include <algorithm>
#include <cstring>
#include <sstream>

#include "core/core.h"
#include "objects/heldranges.h"
#include "objects/tabread.h"
#include "objects/tabwords.h"

t_ArTabOne arOne;
char twUnitName13[13];

// ---------------------------------------------------------------- names

const char* Name12ToBuffer(const int32_t* words) {
  std::memcpy(twUnitName13, words, 12);
  twUnitName13[12] = 0;
  return twUnitName13;
}

void Name12Store(int32_t* words, const char* text) {
  if (!text || !*text) return;
  char c[12] = {};
  std::memcpy(c, text, strnlen(text, 12));
  std::memcpy(words, c, 12);
}

// ---------------------------------------------------------------- one item

t_ArItem::t_ArItem() { Sbros(); }

void t_ArItem::Sbros() {
  std::fill(std::begin(w), std::end(w), 0);
  std::fill(std::begin(f), std::end(f), 0.0f);
  w[51] = 2;
}

int t_ArItem::FromTab(int n) {
  if (!arOne.nomOK(n)) return 0;
  CopyIntSborFrom(arOne.row[n]);
  CopyFloSborFrom(arOne.row[n]);
  return 1;
}

void t_ArItem::CopyIntSborFrom(const t_ArItem& o) { std::copy(o.w, o.w + 82, w); }

void t_ArItem::CopyFloSborFrom(const t_ArItem& o) {
  f[0] = o.f[0];
  f[1] = o.f[1];
}

void t_ArItem::setName(const char* text) { Name12Store(&w[wName], text); }

const char* t_ArItem::getName12simb() const { return Name12ToBuffer(&w[wName]); }

void t_ArItem::AddToFile(FILE* file) const {
  IntWriteMem(&w[0], &w[kInts - 1], file, 300);
  FloWriteMem(&f[0], &f[kFloats - 1], file, 300);
}

void t_ArItem::FromFile(FILE* file) {
  IntReadToMem(&w[0], &w[kInts - 1], file, 300);
  FloReadToMem(&f[0], &f[kFloats - 1], file, 300);
}

// ---------------------------------------------------------------- the table

void t_ArTabOne::Sbros() {
  for (int n = 0; n < kRows; ++n) {
    row[n].Sbros();
    header[n].clear();
    slotLine[n].clear();
  }
}

void t_ArTabOne::LoadTab(std::string path) { tabread::LoadTableFile(*this, path); }

void t_ArTabOne::LoadFrom(std::istream& in) {
  using namespace tabread;
  static const int kWords26[26] = {29, 30, 31, 32, 33, 35, 36, 37, 38, 39, 41, 42, 44,
                                   45, 48, 49, 50, 51, 53, 58, 59, 60, 61, 62, 63, 64};
  static const int kWords8[8] = {55, 56, 57, 81, 65, 66, 46, 47};
  std::string line;
  for (int search = 0; search < 1000; ++search) {
    if (!NextRow(in, line)) return;
    Fields head(line);
    std::string name = head.Next();
    int parGru = parGru_CaseString(head.Next());
    int kind = arType_CaseString(head.Next());
    int unit1 = tabNomUnit_CaseString(head.Next());
    int unit2 = tabNomUnit_CaseString(head.Next());
    int channel = zakRKanal_CaseString(head.Next());
    int n = Int(in);
    int slots = Int(in);
    SkipLine(in);
    if (n < 1 || n >= kRows) {
      for (int k = 0; k < 8; ++k) SkipLine(in);
      continue;
    }
    t_ArItem& r = row[n];
    header[n] = line;
    r.setName(name.c_str());
    r.w[t_ArItem::wParGru] = std::max(parGru, 0);
    r.w[t_ArItem::wKind] = std::max(kind, 0);
    r.w[t_ArItem::wUnit1] = unit1;
    r.w[t_ArItem::wUnit2] = unit2;
    r.w[t_ArItem::wChannel] = channel;
    r.w[t_ArItem::wRow] = n;

    std::string slotText = Line(in);
    if (slots > 0) slotLine[n] = slotText;
    Fields slotFields(slotText);
    for (int k = 0; k < std::min(slots, 9); ++k) r.w[t_ArItem::wSlot + k] = inSlot_CaseString(slotFields.Next());

    IntRun(in, r.w, 15, 7);
    SkipLine(in);
    IntRun(in, r.w, 22, 7);
    SkipLine(in);
    SkipLine(in);  // label
    Ints(in, r.w, kWords26, 26);
    SkipLine(in);
    r.w[34] = r.w[40] = r.w[43] = 0;
    for (int k : {int(t_ArItem::wRange1), int(t_ArItem::wRange2)}) zn::Tram(r.w[k], 0, held::kReachTiles);
    Ints(in, r.w, kWords8, 8);
    SkipLine(in);
    IntRun(in, r.w, 67, 7);
    SkipLine(in);
    int count = Int(in);
    if (count > 0) IntRun(in, r.w, 75, 4);
    r.w[t_ArItem::wListCount] = count;
    SkipLine(in);
    if (in.fail()) {
      // A number that is not one: this row is not loaded and reading ends.
      LogInfo("\n Err: weapon table row %d (%s) unreadable: the table ends before it\n", n, name.c_str());
      r.w[t_ArItem::wRow] = 0;
      return;
    }
  }
}
