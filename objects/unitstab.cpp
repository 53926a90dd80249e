#include "objects/unitstab.h"

#include <algorithm>
#include <climits>
#include <sstream>

#include "core/core.h"
#include "objects/heldranges.h"
#include "objects/tabread.h"
#include "objects/tabwords.h"

t_Unt1TabOne origSborU;
objTableRec AchTab1, AchTab_Pauz, AchTetTemp, AchTetPole1;

namespace {

int AbsSat(int v) { return v == INT_MIN ? INT_MAX : (v < 0 ? -v : v); }

// What the table does to the values it has just read: bounds, maxima from
// the starting values, flags from the table words, and the run-time values
// every new unit starts with.
void SettlePreset(tw_Unit& u) {
  int32_t* i = u.iu;
  for (int k : {uiHP, uiArmor, uiThird}) zn::Tram(i[k], -10, 9999);
  i[uiHPMax] = i[uiHP];
  i[uiArmorMax] = i[uiArmor];
  i[uiThirdMax] = i[uiThird];
  zn::Tram(i[uiThirdMax], 0, 9999);
  for (int k : {uiHPRegen, uiArmorRegen, uiThirdRegen}) i[k] = AbsSat(i[k]);
  zn::Tram(i[68], -10, 99);
  zn::Tram(i[69], -10, 99);
  zn::Tram(i[70], -10, 9);
  for (int k = 84; k <= 87; ++k) zn::Tram(i[k], -10, 30);
  zn::Tram(i[82], -10, 9);
  zn::Tram(i[83], -10, 9);
}

void FlagsFromTable(tw_Unit& u) {
  for (int k : {uiTableFlag, uiMMapFlag, uiSelect}) u.iu[k] = u.iu[k] != 0 ? 0 : -1;
}

void ResetRunTime(tw_Unit& u) {
  int32_t* i = u.iu;
  for (int k : {9, 10, 47, 51, 55, 57, 124, 126, 128, 129, 130}) i[k] = 0;
  for (int k = 12; k <= 19; ++k) i[k] = 0;
  for (int k = 24; k <= 27; ++k) i[k] = 0;
  i[uiSndChannel] = -1;
  for (int k = uiRegTile; k < uiRegTile + 4; ++k) i[k] = -1;
  for (int k = 11; k <= 22; ++k) u.fu[k] = 0;
}

}  // namespace

void t_Unt1TabOne::Sbros() {
  for (int n = 0; n < kRows; ++n) {
    row[n].Sbros();
    header[n].clear();
    slotLine[n].clear();
    itemLine1[n].clear();
    itemLine2[n].clear();
    tehLine[n].clear();
  }
}

void t_Unt1TabOne::LoadTab(std::string path) { tabread::LoadTableFile(*this, path); }

void t_Unt1TabOne::LoadFrom(std::istream& in) {
  using namespace tabread;
  static const int kLine5[25] = {45, 49, 53, 48, 52, 56, 66, 67, 40, 41, 92, 93, 94,
                                 42, 43, 44, 68, 69, 70, 84, 85, 86, 87, 82, 83};
  static const int kLine10[26] = {88, 89, 90, 91, 58, 59, 34, 35, 36, 37, 39, 60, 61,
                                  64, 62, 63, 116, 117, 118, 119, 120, 121, 65, 125, 127, 123};
  std::string line;
  for (int search = 0; search < 1500; ++search) {
    if (!NextRow(in, line)) return;
    Fields head(line);
    std::string name = head.Next();
    int lType = uLType_CaseString(head.Next());
    int rang = uRangSta_CaseString(head.Next());
    int razdel = uRazdel_CaseString(head.Next());
    int rod = uRod_CaseString(head.Next());
    int pafLay = uPafLay_CaseString(head.Next());
    int call = uCall_CaseString(head.Next());
    int n = Int(in);
    if (n < 1 || n >= kRows) {
      if (n != 0 || in.fail()) LogInfo("\n Err: unit table row number %d out of range: the table ends\n", n);
      return;
    }
    const char* word = tabNomUnit_Word(n);
    if (!*word || name != word) {
      // The table ends here; the game runs on with the presets read so far.
      // Only the test variants have presets: a number without a variant
      // word names none, whatever (or however empty) the row's name.
      if (*word)
        LogInfo("\n Err NameNom UnitLoadTab \n (preset %d is named \"%s\", not \"%s\")\n", n, name.c_str(), word);
      else
        LogInfo("\n Err NameNom UnitLoadTab \n (preset %d \"%s\": only presets 1..4 exist)\n", n, name.c_str());
      return;
    }
    tw_Unit& u = row[n];
    u.iu[uiPreset] = n;
    u.setName(name.c_str());
    header[n] = line;
    u.iu[uiSlotCount] = Int(in);
    Int(in);  // not used
    SkipLine(in);
    u.iu[uiLoaded] = 1;
    u.iu[uiLType] = lType;
    u.iu[uiRangSta] = rang;
    u.iu[uiRazdel] = razdel;
    u.iu[uiRod] = rod;
    u.iu[uiPafLayer] = pafLay;
    u.iu[122] = call;

    std::string slotText = Line(in);
    if (u.iu[uiSlotCount] > 0) slotLine[n] = slotText;
    Fields slotFields(slotText);
    for (int k = 0; k < std::min(u.iu[uiSlotCount], 9); ++k) u.iu[uiSlot + k] = inSlot_CaseString(slotFields.Next());

    SkipLine(in);  // label
    Ints(in, u.iu, kLine5, 25);
    SkipLine(in);
    SettlePreset(u);

    itemLine1[n] = Line(in);
    Fields items1(itemLine1[n]);
    for (int k = 0; k < 5; ++k) u.iu[uiItem + k] = arItem_CaseString(items1.Next());
    itemLine2[n] = Line(in);
    Fields items2(itemLine2[n]);
    for (int k = 0; k < 8; ++k) u.iu[100 + k] = arItem_CaseString(items2.Next());
    tehLine[n] = Line(in);
    Fields teh(tehLine[n]);
    for (int k = 0; k < 8; ++k) u.iu[108 + k] = passTeh_CaseString(teh.Next());

    SkipLine(in);  // label
    Ints(in, u.iu, kLine10, 26);
    SkipLine(in);
    FlagsFromTable(u);
    IntRun(in, u.iu, uiModel, 6);
    SkipLine(in);
    Int(in);  // not used
    SkipLine(in);
    SkipLine(in);  // label
    for (int k = 1; k <= 10; ++k) u.fu[k] = Flo(in);
    SkipLine(in);
    ResetRunTime(u);
    u.HoldRanges(held::kReachTiles);
    if (in.fail()) {
      LogInfo("\n Err: unit table preset %d (%s) unreadable: the table ends before it\n", n, name.c_str());
      u.iu[uiPreset] = 0;
      return;
    }
  }
}

void LoadArAndUnitsTab() {
  arOne.LoadTab("base/_ar_tab.h");
  origSborU.LoadTab("base/_units_tab.h");
}

void SetPresetUnitsTabForUnit(int n, tw_Unit* u) {
  if (!u || !origSborU.nomOK(n)) return;
  u->CopyIntSborFrom(&origSborU.row[n]);
  u->CopyFloSborFrom(&origSborU.row[n]);
}
