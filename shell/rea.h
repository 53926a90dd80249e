// Numbered reactions: commands and panel entries carry a reaction number and
// rea performs it; one handler per range of numbers.
#pragma once

class s_OneLogRea {
 public:
  static void CaseSborNegat(int n);
  static void CaseSbor1_99(int n);
  static void CaseSbor100_999(int n);
  static void CaseSbor1000_1999(int n);
  static void CaseSbor2000_2999(int n);
  static void CaseSbor3000_3999(int n);
  static void CaseSbor4000_4999(int n);
};

void rea(int n);
