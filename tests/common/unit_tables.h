// The weapon and unit tables of the default data set, read afresh; or one
// table from text, for tests of the readers.
#pragma once

#include <sstream>
#include <string>

#include "objects/objects.h"

inline void LoadDefaultUnitTables() {
  arOne.Sbros();
  origSborU.Sbros();
  arOne.LoadTab(std::string(VELMAR_SOURCE_DIR) + "/data/base/_ar_tab.h");
  origSborU.LoadTab(std::string(VELMAR_SOURCE_DIR) + "/data/base/_units_tab.h");
}

inline void LoadUnitTableText(const std::string& text) {
  origSborU.Sbros();
  std::istringstream in(text);
  origSborU.LoadFrom(in);
}
