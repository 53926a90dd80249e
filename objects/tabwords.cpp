#include "objects/tabwords.h"

#include <cstring>

namespace {

struct Word {
  const char* text;
  int value;
};

template <int N>
int Find(const std::string& w, const Word (&list)[N], int other) {
  for (const Word& k : list)
    if (w == k.text) return k.value;
  return other;
}

const Word kInSlot[] = {
    {"None", -1},          {"", -1},
    {"Free", 0},           {"NeverBlind", 1},       {"SelfHealUp", 2},      {"Regener", 3},
    {"BurnBash", 4},       {"Blocking", 5},         {"WaterFast", 6},       {"Skeletal", 7},
    {"AntiMagic", 8},      {"MirrorMagic", 9},      {"FireAtaka", 10},      {"PoisonAtaka", 11},
    {"MorozAtaka", 12},    {"ElectroAtaka", 13},    {"SmokeAtaka", 14},     {"RadioAtaka", 15},
    {"RayAtaka", 16},      {"HaosAtaka", 17},       {"CurseAtaka", 18},     {"PushAtaka", 19},
    {"HamerAtaka", 20},    {"FlashAtaka", 21},      {"GipnozAtaka", 22},    {"GrabAtaka", 23},
    {"AlterBombAtaka", 24}, {"AreaBomb", 25},       {"AreaHand", 26},       {"ManaEat", 27},
    {"TrupEat", 28},       {"TreeEat", 29},         {"IceEat", 30},         {"WarOnSea", 31},
    {"WarInCaves", 32},    {"WardIgnor", 33},       {"ResistIgnor", 34},    {"NatureHacker", 35},
    {"FlashIgnor", 36},    {"First3AtakIgnor", 37}, {"BreakBombersIgnor", 38}, {"WindSmokeAtaka", 39},
    {"FireAura", 40},      {"ElectroAura", 41},     {"SmokeAura", 42},      {"AnimalWard", 43},
    {"GunstWard", 44},     {"SoldatWard", 45},      {"RoboWard", 46},       {"SuperWard", 47},
    {"Saper", 48},         {"LimitAuto", 49},       {"ElectroTwin", 50},    {"AreaHandRand", 51},
    {"MimoHitBar1", 52},   {"UdarHitBar2", 53},     {"UdarHitBar3", 54},    {"UdarHitBar4", 55},
};

const Word kParGru[] = {
    {"None", 0},     {"", 0},         {"DmgUp", 1},    {"DmgDn", 2},    {"LuckUp", 3},   {"LuckDn", 4},
    {"HealUp", 5},   {"HealDn", 6},   {"MoralUp", 7},  {"MoralDn", 8},  {"SkorUp", 9},   {"SkorDn", 10},
    {"SleepUp", 11}, {"SleepDn", 12}, {"ForceUp", 13}, {"ForceDn", 14}, {"ArmorUp", 15}, {"ArmorDn", 16},
    {"SkipUp", 17},  {"SkipDn", 18},  {"WardUp", 19},  {"WardDn", 20},  {"AuraUp", 21},  {"AuraDn", 22},
};

const Word kZakRKanal[] = {
    {"", 0},        {"Fire", 1},  {"Poison", 2}, {"Cold", 3},  {"Kold", 3},  {"Electro", 4},
    {"Elektro", 4}, {"Smoke", 5}, {"Smok", 5},   {"Waves", 6}, {"Wave", 6},
};

const Word kArType[] = {
    {"None", 0}, {"", 0},     {"Hand", 1}, {"Hand2", 2}, {"Snar", 3}, {"Beam", 4},
    {"Bomb", 5}, {"Ark", 6},  {"Rok", 7},  {"Armor", 8}, {"Zak", 9},
};

const Word kArItem[] = {{"", 0}, {"GunTest", 1}, {"ArmorTest", 2}, {"ZakTest", 3}};

const Word kTabNomUnit[] = {{"", 0}, {"AnimTest", 1}, {"CarTest", 2}, {"TankTest", 3}, {"FlyTest", 4}};

const Word kULType[] = {{"Animal", 1}, {"Rab", 2}, {"Soldat", 3}, {"Robo", 4}, {"Elem", 5}};
const Word kURangSta[] = {{"Min", 0}, {"Mid", 11}, {"Kom", 21}, {"Hero", 31}};
const Word kURazdel[] = {{"Inf", 1}, {"Car", 2}, {"Tank", 3}, {"Air", 4}, {"AirT", 5}};
const Word kURod[] = {{"Komun", 1}, {"Fash", 2}, {"Haos", 3}, {"Guard", 4},
                      {"Abor1", 5}, {"Abor2", 6}, {"Netr", 7}};
const Word kUPafLay[] = {{"LowFly", 1}, {"LitCar", 2}, {"LandCar", 3}, {"WaterTank", 4}, {"HardTank", 5}};
const Word kUCall[] = {{"Desant", 1}, {"HaosMark", 2}};
const Word kPassTeh[] = {{"X1", 1}};

}  // namespace

int inSlot_CaseString(const std::string& w) { return Find(w, kInSlot, -1); }
int parGru_CaseString(const std::string& w) { return Find(w, kParGru, 0); }
int zakRKanal_CaseString(const std::string& w) { return Find(w, kZakRKanal, 0); }
int arType_CaseString(const std::string& w) { return Find(w, kArType, 0); }
int arItem_CaseString(const std::string& w) { return Find(w, kArItem, 0); }
int tabNomUnit_CaseString(const std::string& w) { return Find(w, kTabNomUnit, 0); }
int uLType_CaseString(const std::string& w) { return Find(w, kULType, 0); }
int uRangSta_CaseString(const std::string& w) { return Find(w, kURangSta, 0); }
int uRazdel_CaseString(const std::string& w) { return Find(w, kURazdel, 0); }
int uRod_CaseString(const std::string& w) { return Find(w, kURod, 0); }
int uPafLay_CaseString(const std::string& w) { return Find(w, kUPafLay, 0); }
int uCall_CaseString(const std::string& w) { return Find(w, kUCall, 0); }
int passTeh_CaseString(const std::string& w) { return Find(w, kPassTeh, 0); }

const char* tabNomUnit_Word(int n) {
  for (const Word& k : kTabNomUnit)
    if (k.value == n && n != 0) return k.text;
  return "";
}
