// Weapons and equipment: one item (t_ArItem, 83 ints and 3 floats, saved raw
// in unit records) and the weapon table arOne read from base/_ar_tab.h. A unit
// copies up to five items from the table when it is made.
#pragma once

#include <cstdint>
#include <cstdio>
#include <istream>
#include <string>

class t_ArItem {
 public:
  static constexpr int kInts = 83;    // words 0..82
  static constexpr int kFloats = 3;   // words 83..85
  // Words with a role of their own.
  enum : int {
    wRow = 1,        // row number; non-zero: the row is loaded
    wKind = 2,       // arType
    wName = 3,       // words 3..5: the name, 12 characters
    wSlot = 6,       // words 6..14: inSlot abilities
    wReloadLeft = 34,
    wReload = 35,    // reload time, ms
    wRange1 = 44,    // short range (tiles in the table, world units in a unit's copy)
    wRange2 = 45,    // long range
    wChannel = 52,   // zakRKanal
    wParGru = 54,
    wListCount = 74, // values in words 75..78
    wUnit1 = 79,     // tabNomUnit
    wUnit2 = 80,
  };

  int32_t w[kInts];
  float f[kFloats];

  t_ArItem();
  void Sbros();

  // Copies weapon-table row n; 0 (nothing copied) when the row is not loaded.
  int FromTab(int n);
  // Stores at most 12 characters, zero-filled; null or empty leaves the name.
  void setName(const char* text);
  // The name zero-terminated in the shared buffer twUnitName13.
  const char* getName12simb() const;
  void AddToFile(FILE* f) const;
  void FromFile(FILE* f);

  void CopyIntSborFrom(const t_ArItem& o);  // words 0..81
  void CopyFloSborFrom(const t_ArItem& o);  // words 83 and 84
};

// Shared 13-byte buffer of the name getters (items and units).
extern char twUnitName13[13];
// Copies a 12-character name out of three int words into twUnitName13.
const char* Name12ToBuffer(const int32_t* words);
// Stores at most 12 characters of text into three int words, zero-filled.
void Name12Store(int32_t* words, const char* text);

class t_ArTabOne {
 public:
  static constexpr int kRows = 201;  // rows 1..200; row 0 is never filled

  t_ArItem row[kRows];
  std::string header[kRows];
  std::string slotLine[kRows];

  int nomIN(int n) const { return n > 0 && n < kRows; }
  int nomOK(int n) const { return nomIN(n) && row[n].w[t_ArItem::wRow] != 0; }

  void Sbros();
  // Reads base/_ar_tab.h; a missing or unreadable file leaves the table
  // empty (logged).
  void LoadTab(std::string path);
  // The same from text already in memory.
  void LoadFrom(std::istream& in);
};

extern t_ArTabOne arOne;
