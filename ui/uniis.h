// The one text input line of the program. A client (a settings cell, an
// object property, the settings-id prompt, the user-name prompt) starts it
// with an input case and a character filter; the window procedure then feeds
// typed characters into nsUniIS::_String, Enter or the length limit finishes
// it and Escape cancels it. Once per frame the mode step calls
// _UniIS_Cases::Cases_UniIStringUpdate, which lets the active case echo the
// string into its prompt and collect the result.
//
// State (o2::UniIS_Input): 0 idle, 1 started, 2 typing, 3 finished,
// 4 cancelled. Cases (o2::UniIS_NowEdit): 1 settings id, 3 whole-number
// client, 4 decimal client, 6 user name. Filters (o2::UniIS_Filter): 0 text,
// 1 signed decimal, 2 unsigned whole, 3 signed whole, 4 unsigned decimal.
#pragma once

#include <string>

#include "core/chars.h"

namespace nsUniIS {
extern std::string _String;       // the text typed so far
extern short FinishFromMaxLen;    // 1 when the length limit finished the input
int TryStart(int kase, int filter);
bool GetCancel();
bool GetFinish();
bool GetProcess(int maxLen);
}  // namespace nsUniIS

namespace a101 {
void UniIStringInputChar(unsigned ch);  // WM_CHAR into the input line
void backInString();
}  // namespace a101

// A number-input client: starts the input line with a prompt and, once the
// input ends, holds the accepted text as a whole number and a float.
class Klient_UniIS {
 public:
  int maxLen = 0;
  int busy = 0;     // 1 from the start until the input ends
  int state = 0;    // 0 idle, 1 open, 2 accepted, -1 cancelled
  int endKind = 0;  // 0 open, 1 Enter, 2 length limit, -1 cancelled
  int resInt = 0;
  float resFlo = 0;
  int taken = 0;    // 1 while the client owns the input
  int tbNom = 0;    // entry of text-buffer group 0 with the prompt and echo
  int kase = 0;     // input case it starts

  explicit Klient_UniIS(int kaseArg) : kase(kaseArg) {}
  int GetInputCtrl(int filter, int maxLenArg, const char* format, ...) __attribute__((format(printf, 4, 5)));
  void FreeInputControl();
  int NomTB() const { return tbNom; }
  // Collects an ended input: accepted (1) stores the result through target
  // (when set), cancelled (-1) stores nothing; either frees the client. 0
  // while the input is still open.
  int TakeResult(int* target);
  int TakeResult(float* target);
};

extern Klient_UniIS InputInt_Klient;  // case 3
extern Klient_UniIS InputFlo_Klient;  // case 4

// The settings-id entry: 1 while it runs, the table (1 int, 2 float) and the id typed.
extern int UniOrg_StringE;
extern int UniOrg_PredOrg;
extern int UniOrg_YchNom;
// The user-name input: progress (2 request, 3 typing, 50 finished, 100
// cancelled, 0 done), 1 while typing, and the resulting name.
extern int GLob_InputNameActive;
extern int InputUserName_StringE;
extern t_Char64 UserNmAchTable;
// Which input line RenderInputString draws (-1 none): a number client names
// its own line when its input opens, kInputLineFlo or kInputLineInt.
extern int Glob_vvodF;
constexpr int kInputLineFlo = -400, kInputLineInt = -402;

bool InputInt_ResTo(int& v);
bool Input_orgF(int id);
bool UserNmAchTable_InputDone(int n);
void RenderInputString();

namespace _UniIS_Cases {
void Cases_UniIStringUpdate();
void priv_InpInt(Klient_UniIS& k);
void priv_InpFlo(Klient_UniIS& k);
void UniOrg_StrUpdate();
void InputUserName();
void InputIntFlo_DrawString(Klient_UniIS& k, int kind);
void UniOrg_DrawString();
void InputUserNameDrawString();
}  // namespace _UniIS_Cases
