// The built-in technology table and the records' display names.
#include "tech/tehbox.h"

int32_t t_RecDomTeh::*const t_RecDomTeh::kField[kTehFields] = {
    &t_RecDomTeh::aP,   &t_RecDomTeh::kr,   &t_RecDomTeh::oil,  &t_RecDomTeh::aDom,
    &t_RecDomTeh::a2,   &t_RecDomTeh::a3,   &t_RecDomTeh::a4,   &t_RecDomTeh::faza,
    &t_RecDomTeh::time, &t_RecDomTeh::staMsg, &t_RecDomTeh::d1, &t_RecDomTeh::d2};

void t_RecDomTeh::s(int kr_, int oil_, int x, int timeSec, int aP_, int a2_, int a3_, int a4_, int faza_,
                    int aDom_) {
  aP = aP_;
  kr = kr_;
  oil = oil_;
  aDom = aDom_;
  a2 = a2_;
  a3 = a3_;
  a4 = a4_;
  faza = faza_;
  time = timeSec * 1000;
  d1 = 0;
  d2 = 0;
}

namespace {

// One row of the built-in table; the duration in seconds.
struct t_TehRow {
  const char* name;
  int kr, oil, timeSec, aP, aDom, a2, a3, a4;
};

// Rows 1..49 (index 0 is record 1). Rows 38, 39 and 44 hold their links to
// records 1 and 2, which the first flag of SetStart_K takes away.
constexpr t_TehRow kRows[kTehRecLast] = {
    {"BunkElsorb", 7, 0, 7, 2, -3, 0, 0, 0},
    {"BunkBoostYrd", 12, 0, 8, 1, -3, 0, 0, 0},
    {"BunkScoutUp", 10, 15, 15, 0, -3, -6, 0, 0},
    {"BunkTrafikUp", 20, 1, 10, 0, -3, 0, 0, 0},
    {"BunkArtefD", 30, 20, 35, 0, -3, -5, 0, 0},
    {"1Targ", 10, 15, 15, 0, -2, -9, 0, 0},
    {"1A", 20, 5, 15, 8, -1, -6, 6, 0},
    {"1S", 20, 5, 15, 7, -1, -6, 6, 0},
    {"1RokLok", 10, 5, 15, 0, -2, 7, 8, -1},
    {"1RokLok2", 20, 5, 15, 0, -2, 9, -1, 0},
    {"1RokLok3", 30, 20, 15, 0, -1, 10, 0, 0},
    {"1eA", 20, 5, 15, 508, -1, 11, 8, 0},
    {"1eS", 20, 5, 15, 507, -1, 11, 7, 0},
    {"2Form", 10, 5, 15, 0, -2, -9, 0, 0},
    {"2Armor", 10, 5, 15, 0, -2, -9, 14, -6},
    {"2TrashV1", 20, 15, 15, 0, -1, 15, -13, 0},
    {"2TrashV2", 20, 15, 15, 0, -1, 15, -13, 0},
    {"2Armor2", 20, 15, 15, 0, -1, 16, 17, -13},
    {"2Form2", 20, 15, 15, 0, -1, 18, 0, 0},
    {"2Fantoms", 50, 30, 31, 0, -29, -12, 19, 0},
    {"3BeamStar", 20, 5, 15, 0, -2, -6, 0, 0},
    {"3Filters", 10, 5, 15, 0, -2, -6, -15, 0},
    {"3XCold", 20, 15, 15, 0, -1, -31, 21, 22},
    {"3KorBolt", 20, 15, 15, 25, -28, 23, 0, 0},
    {"3KorPlazma", 20, 15, 15, 24, -28, 23, 0, 0},
    {"3BeamStar2", 20, 15, 15, 0, -1, 24, 25, -10},
    {"3Filters2", 20, 15, 15, 0, -1, 24, 25, -10},
    {"3eKorBolt", 20, 15, 15, 529, -28, -31, 26, 27},
    {"3eKorPlazma", 20, 15, 15, 528, -28, -31, 26, 27},
    {"4PompForce", 20, 15, 15, 0, -1, -21, -22, 0},
    {"4ExtraCiv", 20, 15, 15, 0, -1, 30, -22, 0},
    {"4KargoHarv", 20, 15, 15, 0, -1, 30, -22, 0},
    {"4Mikroner", 20, 15, 15, 0, -1, -31, 31, 32},
    {"4SmartBall", 20, 15, 15, 0, -30, -31, 31, 32},
    {"5Bomb", 10, 5, 15, 0, -2, -9, 0, 0},
    {"5Bomb2", 20, 15, 15, 0, -1, -9, 35, 0},
    {"5PyroKor", 30, 20, 15, 0, -28, -22, 36, 0},
    {"6BenzoMix", 10, 15, 15, 0, -2, -21, 1, 2},
    {"6DeepMind", 10, 5, 15, 0, -1, -5, 1, 2},
    {"6UltraBase", 50, 20, 15, 0, -2, -31, 38, 39},
    {"6UnRadio", 50, 20, 15, 0, -1, -31, 38, 39},
    {"6SunStone", 50, 30, 15, 0, -2, -31, 40, 41},
    {"6MasterKod", 50, 30, 15, 0, -1, -31, 40, 41},
    {"7Defense", 20, 5, 15, 0, -2, -19, 1, 2},
    {"7FlyWing", 10, 15, 15, 0, -2, -14, 44, 0},
    {"7Holding", 50, 30, 15, 0, -1, -23, 45, 0},
    {"7KaptaPwr", 50, 30, 15, 0, -26, -23, 45, 0},
    {"7MakeFront", 50, 30, 15, 0, -1, 46, -25, 0},
    {"7OptForm", 50, 30, 15, 0, -27, 46, 14, -16},
};

// The argument every fill passes as its unstored third value.
constexpr int kFillX = 5;

}  // namespace

const char* TehRecName(int i) { return i >= 1 && i <= kTehRecLast ? kRows[i - 1].name : ""; }

void tw_KomTehBox::SetStart_K(int a, int b, int c) {
  for (int i = 1; i <= kTehRecLast; ++i) {
    const bool blank = (a && (i == 1 || i == 2)) || (b && i == 3) || (c && i == 20);
    t_RecDomTeh& r = recTeh[i];
    if (blank) {
      r.s();
      continue;
    }
    const t_TehRow& w = kRows[i - 1];
    r.s(w.kr, w.oil, kFillX, w.timeSec, w.aP, w.a2, w.a3, w.a4, 1, w.aDom);
    // Without records 1 and 2 the links to them go.
    if (a && (i == 38 || i == 39 || i == 44)) r.a3 = r.a4 = 0;
  }
}
