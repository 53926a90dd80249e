// The technology box's numbered properties as the editor's object list shows
// and edits them: 1 the banner, 10..597 the twelve fields of records 1..49.
#include "tech/tehbox.h"
#include "tech/tech.h"
#include "ui/ui.h"

namespace {

constexpr int kPropBaner = 1;
constexpr int kPropFirst = 10;
constexpr int kPropLast = kPropFirst + kTehRecLast * kTehFields - 1;  // 597
// The banner steps within 0..9.
constexpr int kBanerMin = 0, kBanerMax = 9;
// Typed entry: signed whole numbers, at most 4 characters.
constexpr int kTypedFilter = 3, kTypedMaxLen = 4;

const char* const kFieldNames[kTehFields] = {"aP",   "kr",   "oil",    "aDom", "a2", "a3",
                                              "a4",   "faza", "time", "staMsg", "d1", "d2"};

// Line kinds: 1 alone, 3 first of a record's block, 4 inside it, 5 its last.
int FieldLineKind(int f) { return f == 0 ? 3 : (f == kTehFields - 1 ? 5 : 4); }

// Opens the typed entry for one int unless another whole-number entry is
// open; the finished value is written through InputInt_pVar.
void TypedEntry(int32_t* field) {
  if (InputInt_Klient.state != 0) return;
  const bool open = InputInt_Klient.GetInputCtrl(kTypedFilter, kTypedMaxLen, "input: now %d", *field);
  InputInt_pVar = open ? field : nullptr;
}

}  // namespace

bool TehProp_Field(int prop, int& r, int& f) {
  if (prop < kPropFirst || prop > kPropLast) return false;
  r = (prop - kPropFirst) / kTehFields + 1;
  f = (prop - kPropFirst) % kTehFields;
  return true;
}

void tw_KomTehBox::TBuf00Set(int prop, int* kind, int* highlight) {
  int r, f;
  if (prop == kPropBaner) {
    TBufUpdate(0, 0, "baner: %d", baner);
    if (kind) *kind = 1;
  } else if (TehProp_Field(prop, r, f)) {
    TBufUpdate(0, 0, "%s.%s: %d", TehRecName(r), kFieldNames[f], recTeh[r].Field(f));
    if (kind) *kind = FieldLineKind(f);
  } else {
    TBufUpdate(0, 0, "xProp %d", prop);
    return;
  }
  if (highlight) *highlight = 0;
}

void tw_KomTehBox::InputProp(int prop, int mode) {
  int r, f;
  if (prop == kPropBaner) {
    if (mode == 1 || mode == 2) zn::Add(baner, mode == 1 ? -1 : 1, kBanerMin, kBanerMax);
    else TypedEntry(&baner);
  } else if (TehProp_Field(prop, r, f)) {
    TypedEntry(&recTeh[r].Field(f));
  }
}
