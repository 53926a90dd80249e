#include "shell/rea.h"

#include "ui/ui.h"

void s_OneLogRea::CaseSborNegat(int) {}
void s_OneLogRea::CaseSbor100_999(int) {}
void s_OneLogRea::CaseSbor1000_1999(int) {}
void s_OneLogRea::CaseSbor2000_2999(int) {}
void s_OneLogRea::CaseSbor3000_3999(int) {}
void s_OneLogRea::CaseSbor4000_4999(int) {}

void s_OneLogRea::CaseSbor1_99(int n) {
  switch (n) {
    case 1: *o2::NeedExit = 1; break;
    case 2: *o2::HideWnd = 1; break;
    case 3: *o2::NeedScreen = 1; break;
    case 4: UniOrgStartYch(1); break;
    case 5: UniOrgStartYch(2); break;
    case 6: UniOrgRepeatYch(); break;
    case 7: UniOrgPredYchAdv(1); break;
    case 8: UniOrgPredYchAdv(2); break;
    default: break;
  }
}

void rea(int n) {
  if (n == 0) return;
  if (n < 0) s_OneLogRea::CaseSborNegat(n);
  else if (n <= 99) s_OneLogRea::CaseSbor1_99(n);
  else if (n <= 999) s_OneLogRea::CaseSbor100_999(n);
  else if (n <= 1999) s_OneLogRea::CaseSbor1000_1999(n);
  else if (n <= 2999) s_OneLogRea::CaseSbor2000_2999(n);
  else if (n <= 3999) s_OneLogRea::CaseSbor3000_3999(n);
  else if (n <= 4999) s_OneLogRea::CaseSbor4000_4999(n);
}
