// The settings editor: every named setting can be shown and changed while the
// program runs. Two overlay lists (integers at the left edge, floats at the
// right) show a page of 50 settings each, one line per setting with its name
// and value; a click in the left quarter of a row steps the value down, in
// the right quarter up, and in the middle opens a typed entry. A click on a
// list's title row turns its page, or in its middle asks for a setting id.
// The mode steps open and close the overlay, feed it clicks and keys, apply
// typed values each frame (UniInputExitRes) and draw it.
#pragma once

#include "ui/lin2.h"

// The two overlay lists: line 0 the title row, lines 1..50 the settings of
// the current page, line 51 empty.
extern t_Lin2 org2_li9;
extern t_Lin2 orgF_li10;
inline constexpr int kOrg2_BaseId = 457;
inline constexpr int kOrgF_BaseId = 513;
inline constexpr int kOrgPages = 50;  // pages 0..49
extern int gOrg2_PartFr0, gOrgF_PartFr0;    // current page of each list
extern const int gOrg2_DynLines, gOrgF_DynLines;  // 50 rows a page
// The editor's object-property list (li8 of the front end): its page and rows.
extern int gEdFgr_PartFr0;
extern const int gEdFgr_DynLines;
// 1 while the overlay is open.
extern int flagSuperOrg;
// Cells that receive the value typed into the whole-number and the decimal
// client (null when no entry is pending).
extern int* InputInt_pVar;
extern float* InputFlo_pVar;
// The last edited setting: table (1 int, 2 float, 0 none yet) and id.
extern int UniOrg_PredYchNom;

// Display line of a setting into entry 0 of text-buffer group 0: kind := 1
// (int) or 2 (float), readOnly := 1 or 0. No line: both left unchanged.
void org2_TBuf00Set(int id, int& kind, int& readOnly);
void orgF_TBuf00Set(int id, int& kind, int& readOnly);
// act 1 steps down, 2 up, any other opens the typed entry.
void org2_InputProp(int id, int act);
void orgF_InputProp(int id, int act);
void priv_org2_InputProp(int id, int act);
void priv_orgF_InputProp(int id, int act);
void UniOrgStartYch(int kind);    // the settings-id prompt (1 int, 2 float)
void UniOrgRepeatYch();           // typed entry of the last edited setting
void UniOrgPredYchAdv(int act);   // steps the last edited setting
void UniInputExitRes();           // applies or drops a finished typed value

// Edit rules: the step of a setting (0 = typed entry only); false when the
// setting cannot be edited (unnamed, read-only or outside the table).
bool org2_EditRule(int id, int& step);
bool orgF_EditRule(int id, float& step);
const char* org2_Name(int id);  // null for an unnamed id
const char* orgF_Name(int id);

void gOrgAllMenuInit();
void gOrgAllUp();
void gOrgAllOut();
void gOrg2_PartFr0_UpKlik();
void gOrgF_PartFr0_UpKlik();
void gOrg2_GetSpe(int& side);
void gOrgF_GetSpe(int& side);
void gEdFgr_PartFr0_UpKlik();
void gEdFgr_GetSpe(int& side);
void gOrg2MenuDraw(t_Lin2* li);
void gOrgFMenuDraw(t_Lin2* li);
// The line commands of both overlay lists (457..507, 513..563), as the front
// end's line handler passes them on; false for any other id.
bool gOrgAll_LinCase(int id);
