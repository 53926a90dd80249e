// The weapon and unit tables: the default data set's rows, the readers'
// keyword, block, slot-line and number rules, and what a bad table does.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "objects/heldranges.h"
#include "shell/engine.h"
#include "tests/common/temp_dir.h"
#include "tests/common/unit_tables.h"

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

void LoadArText(const std::string& text) {
  arOne.Sbros();
  std::istringstream in(text);
  arOne.LoadFrom(in);
}

// One weapon row; `slots` and `slotLine` as written, reload and ranges in
// their places of the 26-number line.
std::string ArRow(const std::string& header, int n, int slots, const std::string& slotLine, int reload = 100,
                  int r1 = 1, int r2 = 2) {
  std::ostringstream o;
  o << header << "\n" << n << " " << slots << "\n" << slotLine << "\n1 2 3 4 5 6 7\n8 9 10 11 12 13 14\n| label\n"
    << "0 0 0 0 0 " << reload << " 0 0 0 0 0 0 " << r1 << " " << r2 << " 0 0 0 2 0 0 0 0 0 0 0 0\n"
    << "0 0 0 0 0 0 0 0\n0 0 0 0 0 0 0\n0\n";
  return o.str();
}

// One unit row numbered n with the given name, hit points and armour.
std::string UnitRow(const std::string& name, int n, int hp = 50, int armour = 10, const std::string& extra = "") {
  std::ostringstream o;
  o << name << ", Robo, Mid, Car, Komun, LandCar, Desant\n"
    << n << " 2 0\nFireAtaka, Regener\n| label\n"
    << hp << " " << armour << " 20000 -5 6 -7 0 0 0 0 0 0 0 11 12 13 500 500 50 99 -99 0 0 50 -50\n"
    << "ArmorTest, GunTest, " << extra << "\n, , , , , , , \nX1, Other\n| label\n"
    << "0 0 0 0 0 0 7 0 33 1 0 5 10 0 8 0 0 0 0 0 0 0 400 0 0 0\n"
    << "0 0 0 0 0 0\n0\n| label\n1 2 3 4 5 6 7 8 9 10\n";
  return o.str();
}

class TablesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(tmp_.Ok());
    Main_Done = 0;
    arOne.Sbros();
    origSborU.Sbros();
  }
  TempDir tmp_;
};

}  // namespace

TEST_F(TablesTest, DefaultTablesHoldThePresetsAndWeapons) {
  LoadDefaultUnitTables();
  for (int n = 1; n <= 4; ++n) EXPECT_TRUE(origSborU.nomOK(n)) << n;
  EXPECT_FALSE(origSborU.nomOK(5));
  for (int n = 1; n <= 3; ++n) EXPECT_TRUE(arOne.nomOK(n)) << n;

  const t_ArItem& gun = arOne.row[1];
  EXPECT_STREQ(gun.getName12simb(), "GunTest");
  EXPECT_EQ(gun.w[t_ArItem::wKind], 4);  // Beam
  EXPECT_EQ(gun.w[t_ArItem::wReload], 1500);
  EXPECT_EQ(gun.w[t_ArItem::wRange1], 4);
  EXPECT_EQ(gun.w[t_ArItem::wRange2], 6);

  const tw_Unit& car = origSborU.row[2];
  EXPECT_STREQ(car.getName12simb(), "CarTest");
  EXPECT_EQ(car.iu[uiItem + 1], 1);   // GunTest in the second weapon field
  EXPECT_EQ(car.iu[uiSelect], 0);     // selectable, not selected
  EXPECT_EQ(car.iu[uiRazdel], 2);
  EXPECT_GT(car.iu[uiHP], 0);
  EXPECT_EQ(car.iu[uiHPMax], car.iu[uiHP]);
  EXPECT_GT(car.iu[uiSight], 0);
  EXPECT_EQ(origSborU.row[4].iu[uiRazdel], 4);  // the flyer flies
}

TEST_F(TablesTest, UnitRowValuesClampsAndRunTimeReset) {
  LoadUnitTableText(UnitRow("CarTest", 2, 12000, -20));
  ASSERT_TRUE(origSborU.nomOK(2));
  const tw_Unit& u = origSborU.row[2];
  const struct {
    int index, want;
  } cases[] = {
      {uiHP, 9999},       {uiHPMax, 9999},     {uiArmor, -10},  {uiArmorMax, -10},
      {uiThird, 9999},    {uiThirdMax, 9999},  {uiHPRegen, 5},  {uiArmorRegen, 6},
      {uiThirdRegen, 7},  {uiPrice, 11},       {uiPrice + 2, 13}, {68, 99},
      {69, 99},           {70, 9},             {84, 30},        {85, -10},
      {82, 9},            {83, -10},           {uiSlotCount, 2}, {uiSlot, 10},
      {uiSlot + 1, 3},    {uiLType, 4},        {uiRangSta, 11}, {uiRazdel, 2},
      {uiRod, 1},         {uiPafLayer, 3},     {122, 1},        {uiItem, 2},
      {uiItem + 1, 1},    {uiItem + 2, 0},     {108, 1},        {109, 0},
      {uiTableFlag, 0},   {uiMMapFlag, -1},    {uiSelect, 0},   {uiSndPriority, 33},
      {uiRadius, 5},      {uiSight, 10},       {uiTurnReload, 400}, {uiLoaded, 1},
      {uiSndChannel, -1}, {uiRegTile, -1},     {uiRegTile + 3, -1}, {uiSide, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(u.iu[c.index], c.want) << "index " << c.index;
  EXPECT_FLOAT_EQ(u.fu[1], 1.0f);
  EXPECT_FLOAT_EQ(u.fu[10], 10.0f);
  EXPECT_EQ(origSborU.slotLine[2], "FireAtaka, Regener");
}

TEST_F(TablesTest, NumbersAUnitComputesWithAreHeldWhereTheTablesAreRead) {
  std::string row = UnitRow("CarTest", 2);
  auto put = [&row](const std::string& from, const std::string& to) {
    ASSERT_NE(row.find(from), std::string::npos) << from;
    row.replace(row.find(from), from.size(), to);
  };
  put(" 11 12 13 ", " 2147483647 -2147483648 13 ");                    // price
  put(" 0 5 10 0 8 ", " 0 2147483647 2147483647 0 -5 ");               // radius, sight, second distance
  put("1 2 3 4 5 6 7 8 9 10", "1 2 3 4 5 3e38 -1e30 3e38 7 3e38");  // speeds, acceleration
  LoadUnitTableText(row);
  LoadArText(ArRow("Gun, DmgUp, Beam, , , Fire", 1, 0, "", 100, 2147483647, -2147483647));
  ASSERT_TRUE(origSborU.nomOK(2));
  ASSERT_TRUE(arOne.nomOK(1));
  const tw_Unit& u = origSborU.row[2];
  const struct {
    const char* what;
    double got, want;
  } cases[] = {
      {"credits", double(u.iu[uiPrice]), held::kPriceMax},
      {"fuel", double(u.iu[uiPrice + 1]), 0},
      {"third price", double(u.iu[uiPrice + 2]), 13},
      {"radius", double(u.iu[uiRadius]), held::kRadiusMax},
      {"sight", double(u.iu[uiSight]), held::kReachTiles},
      {"second distance", double(u.iu[uiDist2]), 0},
      {"cruise", u.fu[ufCruise], held::kSpeedMax},
      {"not facing", u.fu[ufSlow], 0},
      {"turning", u.fu[ufTurning], held::kSpeedMax},
      {"waiting", u.fu[ufWaitCap], 7},
      {"acceleration", u.fu[ufAccel], held::kAccelMax},
      {"short range", double(arOne.row[1].w[t_ArItem::wRange1]), held::kReachTiles},
      {"long range", double(arOne.row[1].w[t_ArItem::wRange2]), 0},
  };
  for (const auto& c : cases) EXPECT_EQ(c.got, c.want) << c.what;
}

TEST_F(TablesTest, UnknownKeywordsGiveTheListDefault) {
  LoadUnitTableText(UnitRow("CarTest", 2, 50, 10, "Bazooka"));
  const tw_Unit& u = origSborU.row[2];
  EXPECT_EQ(u.iu[uiItem + 2], 0);
  EXPECT_EQ(u.iu[109], 0);  // "Other" is no technology pass
  LoadArText(ArRow("Gun, Nonsense, Laser, CarTest, Nobody, Kold", 7, 2, "Wibble, Saper"));
  const t_ArItem& a = arOne.row[7];
  EXPECT_EQ(a.w[t_ArItem::wParGru], 0);
  EXPECT_EQ(a.w[t_ArItem::wKind], 0);
  EXPECT_EQ(a.w[t_ArItem::wUnit1], 2);
  EXPECT_EQ(a.w[t_ArItem::wUnit2], 0);
  EXPECT_EQ(a.w[t_ArItem::wChannel], 3);
  EXPECT_EQ(a.w[t_ArItem::wSlot], -1);
  EXPECT_EQ(a.w[t_ArItem::wSlot + 1], 48);
}

TEST_F(TablesTest, WeaponRowsSlotLinesNamesAndBadNumbers) {
  std::string text = "// comment\n\n" + ArRow("NoSlots, DmgUp, Beam, , , Fire", 1, 0, "Free, Saper") +
                     ArRow("AVeryLongGunName, DmgUp, Beam, , , Fire", 2, 1, "Saper", 900, 3, 5) +
                     ArRow("Out, DmgUp, Beam, , , Fire", 201, 1, "Saper") +
                     ArRow("Zero, DmgUp, Beam, , , Fire", 0, 1, "Saper") +
                     ArRow("After, DmgUp, Beam, , , Fire", 3, 1, "Saper");
  LoadArText(text);
  // Slot count 0: the slot line is still consumed (row 2 follows intact).
  EXPECT_TRUE(arOne.nomOK(1));
  EXPECT_EQ(arOne.row[1].w[t_ArItem::wSlot], 0);
  EXPECT_EQ(arOne.slotLine[1], "");
  EXPECT_EQ(arOne.row[1].w[15], 1);
  EXPECT_EQ(arOne.row[1].w[28], 14);
  ASSERT_TRUE(arOne.nomOK(2));
  EXPECT_STREQ(arOne.row[2].getName12simb(), "AVeryLongGun");  // cut to 12
  EXPECT_EQ(arOne.row[2].w[t_ArItem::wReload], 900);
  EXPECT_EQ(arOne.row[2].w[t_ArItem::wRange2], 5);
  EXPECT_EQ(arOne.row[2].w[t_ArItem::wSlot], 48);
  // Rows numbered outside 1..200 are skipped whole; the next row is read.
  EXPECT_TRUE(arOne.nomOK(3));
  EXPECT_STREQ(arOne.row[3].getName12simb(), "After");
}

TEST_F(TablesTest, EndBeginBlocksAreSkipped) {
  std::string text = "skipped until begin: end\n" + UnitRow("AnimTest", 1) + "begin\n" + UnitRow("CarTest", 2) +
                     "the end of everything\n" + UnitRow("TankTest", 3) + "begin again\n" + UnitRow("FlyTest", 4);
  LoadUnitTableText(text);
  EXPECT_FALSE(origSborU.nomOK(1));
  EXPECT_TRUE(origSborU.nomOK(2));
  EXPECT_FALSE(origSborU.nomOK(3));
  EXPECT_TRUE(origSborU.nomOK(4));
}

TEST_F(TablesTest, NameNumberMismatchEndsTheTableButNotTheProgram) {
  LoadUnitTableText(UnitRow("CarTest", 2) + UnitRow("AnimTest", 3) + UnitRow("FlyTest", 4));
  EXPECT_TRUE(origSborU.nomOK(2));
  EXPECT_FALSE(origSborU.nomOK(3));
  EXPECT_FALSE(origSborU.nomOK(4));  // loading ended at the bad row
  EXPECT_EQ(Main_Done, 0);
  EXPECT_NE(ReadFile("log.txt").find("Err NameNom UnitLoadTab"), std::string::npos);
}

TEST_F(TablesTest, BadRowNumbersAndUnreadableRowsEndTheTable) {
  LoadUnitTableText(UnitRow("CarTest", 2) + UnitRow("CarTest", 301) + UnitRow("FlyTest", 4));
  EXPECT_TRUE(origSborU.nomOK(2));
  EXPECT_FALSE(origSborU.nomOK(4));

  // A word where a number belongs: that preset is not loaded.
  std::string bad = UnitRow("FlyTest", 4);
  bad.replace(bad.find("1 2 3 4 5"), 1, "x");
  LoadUnitTableText(UnitRow("CarTest", 2) + bad);
  EXPECT_TRUE(origSborU.nomOK(2));
  EXPECT_FALSE(origSborU.nomOK(4));
  EXPECT_NE(ReadFile("log.txt").find("unreadable"), std::string::npos);
}

TEST_F(TablesTest, ALastRowWithoutALineEndLoadsAndOnlyTheFourPresetsDo) {
  auto noEnd = [](std::string t) {
    t.pop_back();
    return t;
  };
  std::string cut = UnitRow("FlyTest", 4);
  cut.replace(cut.rfind(" 10\n"), 4, "");  // nine of the ten floats
  const struct {
    const char* what;
    bool weapons;
    std::string text;
    int row;
    bool loaded;
  } cases[] = {
      {"a unit row ending the file", false, UnitRow("CarTest", 2) + noEnd(UnitRow("FlyTest", 4)), 4, true},
      {"a weapon row ending the file", true,
       ArRow("Gun, DmgUp, Beam, , , Fire", 1, 0, "") + noEnd(ArRow("Last, DmgUp, Beam, , , Fire", 3, 0, "")), 3, true},
      {"a unit row cut short at the end", false, UnitRow("CarTest", 2) + noEnd(cut), 4, false},
      {"a nameless unit row 5", false, UnitRow("CarTest", 2) + UnitRow("", 5), 5, false},
      {"a nameless unit row 300", false, UnitRow("CarTest", 2) + UnitRow("", 300), 300, false},
  };
  for (const auto& c : cases) {
    if (c.weapons) {
      LoadArText(c.text);
      EXPECT_EQ(arOne.nomOK(c.row), c.loaded) << c.what;
    } else {
      LoadUnitTableText(c.text);
      EXPECT_TRUE(origSborU.nomOK(2)) << c.what;
      EXPECT_EQ(origSborU.nomOK(c.row), c.loaded) << c.what;
      if (c.loaded) {
        EXPECT_FLOAT_EQ(origSborU.row[c.row].fu[10], 10.0f) << c.what;
      }
    }
  }
  const std::string log = ReadFile("log.txt");
  EXPECT_NE(log.find("preset 5 \"\": only presets 1..4 exist"), std::string::npos);
  EXPECT_NE(log.find("preset 300 \"\": only presets 1..4 exist"), std::string::npos);
  EXPECT_EQ(Main_Done, 0);
}

TEST_F(TablesTest, HeaderLinesAtTheEdges) {
  // A header that is the last line, without a line end, is not found: no
  // row is begun (nothing is read as its number).
  LoadUnitTableText(UnitRow("CarTest", 2) + "FlyTest, Robo, Mid, Air, Komun, LowFly,");
  EXPECT_TRUE(origSborU.nomOK(2));
  EXPECT_EQ(ReadFile("log.txt").find("out of range"), std::string::npos);
  // A one-character line counts as a header, even "|".
  std::string row = ArRow("Gun, DmgUp, Beam, , , Fire", 1, 0, "");
  LoadArText("|\n" + row.substr(row.find('\n') + 1));
  ASSERT_TRUE(arOne.nomOK(1));
  EXPECT_STREQ(arOne.row[1].getName12simb(), "|");
}

TEST_F(TablesTest, MissingFilesLeaveEmptyTablesAndSayWhy) {
  arOne.LoadTab("no_such_dir/_ar_tab.h");
  origSborU.LoadTab(".");  // a directory is no table
  for (int n = 1; n <= 4; ++n) EXPECT_FALSE(origSborU.nomOK(n));
  EXPECT_FALSE(arOne.nomOK(1));
  std::string log = ReadFile("log.txt");
  EXPECT_NE(log.find("no_such_dir/_ar_tab.h"), std::string::npos);
  EXPECT_EQ(Main_Done, 0);
}
