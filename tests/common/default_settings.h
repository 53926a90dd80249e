// The settings of the default data set's main settings file, read into the
// registry without touching its binary cache.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "ui/ui.h"

inline void LoadDefaultSettings() {
  org2_Init();
  orgF_Init();
  std::ifstream in(std::string(VELMAR_SOURCE_DIR) + "/data/base/__orgmix.txt", std::ios::binary);
  ASSERT_TRUE(in);
  std::string line;
  while (TextGetLine(in, line))
    if (TextTrimS(line).rfind("//==", 0) == 0) orgReadRecForInit(in, line);
}
