#include "ui/settings.h"

#include <cmath>
#include <cstring>

int org2n[org2n_Count];
float orgFn[orgFn_Count];

void org2_Init() { std::memset(org2n, 0, sizeof(org2n)); }
void orgF_Init() { std::memset(orgFn, 0, sizeof(orgFn)); }

int org2_ReadOut(int id) {
  if (id < 1 || id >= org2n_Count) return 1;
  for (short r : org2_ReadOnlyIds)
    if (r == id) return 1;
  return 0;
}

int orgF_ReadOut(int id) {
  if (id < 1 || id >= orgFn_Count) return 1;
  for (short r : orgF_ReadOnlyIds)
    if (r == id) return 1;
  return 0;
}

void org2_PrrInt(int id) {
  if (id < 1 || id >= org2n_Count) return;
  for (const t_OrgClampInt& c : org2_Clamps) {
    if (c.id != id) continue;
    int& v = org2n[id];
    if (v < c.lo) v = c.lo;
    else if (v > c.hi) v = c.hi;
    return;
  }
}

void orgF_PrrFlo(int id) {
  if (id < 1 || id >= orgFn_Count) return;
  for (const t_OrgClampFlo& c : orgF_Clamps) {
    if (c.id != id) continue;
    float& v = orgFn[id];
    if (std::isnan(v)) return;
    if (v < c.lo) v = c.lo;
    else if (v > c.hi) v = c.hi;
    return;
  }
}

int org2n_EngText() { return *o2::EngText; }
int org2n_UseQueryPF() { return *o2::UseQueryPF; }
int SavePersonSet(const char*) { return 0; }
