// The keyword lists of the weapon and unit tables: the words the table files
// use in place of numbers. Each list turns a (trimmed) word into its number;
// a word outside the list gives the list's default.
#pragma once

#include <string>

int inSlot_CaseString(const std::string& w);      // slot abilities; default -1
int parGru_CaseString(const std::string& w);      // parameter group; default 0
int zakRKanal_CaseString(const std::string& w);   // damage channel; default 0
int arType_CaseString(const std::string& w);      // item kind; default 0
int arItem_CaseString(const std::string& w);      // weapon row of a unit; default 0
int tabNomUnit_CaseString(const std::string& w);  // unit test variant; default 0
int uLType_CaseString(const std::string& w);      // living type; default 0
int uRangSta_CaseString(const std::string& w);    // rank; default 0
int uRazdel_CaseString(const std::string& w);     // class (4 and 5 fly); default 0
int uRod_CaseString(const std::string& w);        // faction; default 0
int uPafLay_CaseString(const std::string& w);     // walkability layer; default 0
int uCall_CaseString(const std::string& w);       // call-in kind; default 0
int passTeh_CaseString(const std::string& w);     // technology pass; default 0

// The test-variant word of a unit preset number 1..4, "" for any other.
const char* tabNomUnit_Word(int n);
