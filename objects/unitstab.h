// The unit preset table origSborU, read from base/_units_tab.h: up to 300
// presets, each a whole unit body whose int and float runs a new unit copies.
// Only presets 1..4 can be loaded: a preset's name must be the test-variant
// word of its number.
#pragma once

#include <istream>
#include <string>

#include "core/core.h"
#include "objects/unit.h"

class t_Unt1TabOne {
 public:
  static constexpr int kRows = 301;  // presets 1..300; row 0 is never filled

  tw_Unit row[kRows];
  std::string header[kRows];
  std::string slotLine[kRows];
  std::string itemLine1[kRows];
  std::string itemLine2[kRows];
  std::string tehLine[kRows];

  int nomIN(int n) const { return n > 0 && n < kRows; }
  int nomOK(int n) const { return nomIN(n) && row[n].iu[uiPreset] == n; }

  void Sbros();
  // Reads base/_units_tab.h; failures are logged and leave the presets read
  // so far.
  void LoadTab(std::string path);
  // The same from text already in memory.
  void LoadFrom(std::istream& in);
};

extern t_Unt1TabOne origSborU;

// Both tables from base/ (start-up, after the general models).
void LoadArAndUnitsTab();
// Copies preset n's number runs into u when the preset is loaded.
void SetPresetUnitsTabForUnit(int n, tw_Unit* u);

// Twenty blank table records, built at start-up; nothing reads them.
struct objTableRec {
  typeTableRec rec[20];
};
extern objTableRec AchTab1, AchTab_Pauz, AchTetTemp, AchTetPole1;
