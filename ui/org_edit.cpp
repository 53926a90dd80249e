// The settings editor's rules: the display line of a setting, its edit rule,
// stepping and typed entry, the settings-id prompt, the last edited setting
// and the hand-over of typed values.
#include "ui/org_edit.h"

#include "shell/shell.h"
#include "ui/settings.h"
#include "ui/text_buf.h"
#include "ui/uniis.h"

int* InputInt_pVar = nullptr;
float* InputFlo_pVar = nullptr;
int UniOrg_PredYchNom = 0;

namespace {

// Settings beyond these ids have no display line.
constexpr int kOrg2_LastShown = 386;
constexpr int kOrgF_LastShown = 356;
constexpr int kTypedMaxLen = 6;

struct t_NameIndex {
  const char* name[org2n_Count];
};

template <size_t N>
constexpr t_NameIndex IndexNames(const t_OrgNameRec (&recs)[N]) {
  t_NameIndex t{};
  for (const t_OrgNameRec& r : recs) t.name[r.id] = r.name;
  return t;
}

constexpr t_NameIndex kOrg2Names = IndexNames(org2_Names);
constexpr t_NameIndex kOrgFNames = IndexNames(orgF_Names);

// Integer settings that take typed entry only; every other editable integer
// steps by 1.
constexpr short kOrg2TypedOnly[] = {3,   4,   24,  27,  28,  35,  39,  42,  55,  61,  62,  63,
                                    64,  66,  90,  110, 111, 112, 113, 136, 138, 372, 373, 374,
                                    376, 377, 378, 379, 380, 381, 382, 383, 385, 386};
static_assert(sizeof kOrg2TypedOnly / sizeof kOrg2TypedOnly[0] == 34);

// Float steps by id range; a step of 0 is typed entry only.
struct t_FloStep {
  short lo, hi;
  float step;
};
constexpr t_FloStep kOrgFSteps[] = {
    {1, 1, 0.5f},     {20, 20, 0.5f},   {5, 6, 1.0f},     {300, 300, 1.0f}, {315, 316, 1.0f},
    {11, 19, 0.05f},  {21, 24, 0.1f},   {301, 309, 0.1f}, {311, 314, 0.1f}, {320, 320, 0.1f},
    {322, 326, 0.1f}, {329, 334, 0.1f}, {338, 338, 0.1f}, {340, 346, 0.1f}, {352, 356, 0.1f},
    {8, 8, 0.0f},     {351, 351, 0.0f},
};

// Floats shown with six decimals.
constexpr short kOrgFSixDigits[] = {1, 15, 23, 24, 309, 312, 313, 320, 322, 323, 324, 333, 334};

template <class T, size_t N>
bool Holds(const T (&list)[N], int id) {
  for (T v : list)
    if (v == id) return true;
  return false;
}

void RememberLastEdited(int table, int id) {
  UniOrg_PredOrg = table;
  UniOrg_PredYchNom = id;
}

}  // namespace

const char* org2_Name(int id) { return id >= 1 && id < org2n_Count ? kOrg2Names.name[id] : nullptr; }
const char* orgF_Name(int id) { return id >= 1 && id < orgFn_Count ? kOrgFNames.name[id] : nullptr; }

bool org2_EditRule(int id, int& step) {
  if (!org2_Name(id) || org2_ReadOut(id)) return false;
  step = Holds(kOrg2TypedOnly, id) ? 0 : 1;
  return true;
}

bool orgF_EditRule(int id, float& step) {
  if (!orgF_Name(id) || orgF_ReadOut(id)) return false;
  for (const t_FloStep& s : kOrgFSteps)
    if (id >= s.lo && id <= s.hi) {
      step = s.step;
      return true;
    }
  return false;
}

void org2_TBuf00Set(int id, int& kind, int& readOnly) {
  if (id < 1 || id > kOrg2_LastShown || !org2_Name(id)) return;
  org2_PrrInt(id);
  TBufUpdate(0, 0, "%s: %d", org2_Name(id), org2n[id]);
  kind = 1;
  readOnly = org2_ReadOut(id);
}

void orgF_TBuf00Set(int id, int& kind, int& readOnly) {
  if (id < 1 || id > kOrgF_LastShown || !orgF_Name(id)) return;
  orgF_PrrFlo(id);
  double v = orgFn[id];
  if (Holds(kOrgFSixDigits, id)) TBufUpdate(0, 0, "%s: %1.6f", orgF_Name(id), v);
  else TBufUpdate(0, 0, "%s: %3.3f", orgF_Name(id), v);
  kind = 2;
  readOnly = orgF_ReadOut(id);
}

void org2_InputProp(int id, int act) {
  if (id >= 1 && id <= 436) priv_org2_InputProp(id, act);
}

void orgF_InputProp(int id, int act) {
  if (id >= 1 && id <= 406) priv_orgF_InputProp(id, act);
}

void priv_org2_InputProp(int id, int act) {
  int step;
  if (!org2_EditRule(id, step)) return;
  if (act == 1 || act == 2) {
    if (step) org2n[id] += act == 1 ? -step : step;  // no clamp: the display line brings it back
  } else if (InputInt_Klient.state == 0) {
    bool open = InputInt_Klient.GetInputCtrl(3, kTypedMaxLen, "input: now %d", org2n[id]);
    InputInt_pVar = open ? &org2n[id] : nullptr;
  }
  RememberLastEdited(1, id);
}

void priv_orgF_InputProp(int id, int act) {
  float step;
  if (!orgF_EditRule(id, step)) return;
  if (act == 1 || act == 2) {
    if (step != 0.0f) orgFn[id] += act == 1 ? -step : step;
  } else if (InputFlo_Klient.state == 0) {
    bool open = InputFlo_Klient.GetInputCtrl(1, kTypedMaxLen, "input: now %3.4f", static_cast<double>(orgFn[id]));
    InputFlo_pVar = open ? &orgFn[id] : nullptr;
  }
  RememberLastEdited(2, id);
}

void UniOrgStartYch(int kind) {
  if (kind != 1 && kind != 2) return;
  if (!nsUniIS::TryStart(1, 2)) return;
  if (kind == 1)
    TBufUpdate(0, UniOrg_TBuf, "\xCD\xEE\xEC\xE5\xF0 org2n[ x ] (\xE2 \xEF\xF0\xE5\xE4\xE5\xEB\xE0\xF5 1..%d)",
               org2n_Count - 1);  // "Номер org2n[ x ] (в пределах 1..%d)"
  else
    TBufUpdate(0, UniOrg_TBuf,
               "\xDF\xF7\xE5\xE9\xEA\xE0 orgFn[ z ] (\xE2 \xEF\xF0\xE5\xE4\xE5\xEB\xE0\xF5 1..%d)",
               orgFn_Count - 1);  // "Ячейка orgFn[ z ] (в пределах 1..%d)"
  UniOrg_StringE = 1;
  UniOrg_PredOrg = kind;
}

void UniOrgRepeatYch() { UniOrgPredYchAdv(0); }

void UniOrgPredYchAdv(int act) {
  if (UniOrg_PredOrg == 1) org2_InputProp(UniOrg_PredYchNom, act);
  else if (UniOrg_PredOrg == 2) orgF_InputProp(UniOrg_PredYchNom, act);
}

void UniInputExitRes() {
  if (InputInt_Klient.TakeResult(InputInt_pVar)) InputInt_pVar = nullptr;
  if (InputFlo_Klient.TakeResult(InputFlo_pVar)) InputFlo_pVar = nullptr;
}
