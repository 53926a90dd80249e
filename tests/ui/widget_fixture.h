// Shared set-up of the widget tests: a clean settings registry and input
// line, text-buffer group 0 with its fixed entries as the general resources
// make it, an 800 x 600 screen record, and key presses through the window
// procedure as the platform layer delivers them (key-down, the character,
// key-up).
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "render/render.h"
#include "shell/shell.h"
#include "ui/ui.h"

inline void ResetWidgetState(int width = 800, int height = 600) {
  org2_Init();
  orgF_Init();
  for (int g = 0; g < kTBufGroups; ++g) KillTBufGru(g);
  LoadGeneral_InitTBufs();
  Main_Done = 0;
  Ekran = t_Main_Ekran();
  Ekran.W = static_cast<uint16_t>(width);
  Ekran.H = static_cast<uint16_t>(height);
  Ekran.W2 = static_cast<uint16_t>(width / 2);
  Ekran.H2 = static_cast<uint16_t>(height / 2);
  nsMKeys::nFlushProc();
  WPUM_OnWork = 0;
  GlobKmd_KnoSmenFlag = 0;
  CharPressed = 0;
  glob_PoleTextActive = 0;
  nsUniIS::_String.clear();
  nsUniIS::FinishFromMaxLen = 0;
  InputInt_Klient = Klient_UniIS(3);
  InputFlo_Klient = Klient_UniIS(4);
  InputInt_pVar = nullptr;
  InputFlo_pVar = nullptr;
  UniOrg_StringE = UniOrg_PredOrg = UniOrg_YchNom = UniOrg_PredYchNom = 0;
  GLob_InputNameActive = InputUserName_StringE = 0;
  gOrg2_PartFr0 = gOrgF_PartFr0 = gEdFgr_PartFr0 = 0;
  pGrabFokusLin2 = nullptr;
  gMX = gMY = 0;
}

inline void SendMsg(UINT msg, WPARAM w) { WndProc(nullptr, msg, w, 0); }

// One key press that types ch (0: a key without a character).
inline void Press(int vk, unsigned ch = 0) {
  SendMsg(WM_KEYDOWN, WPARAM(vk));
  if (ch) SendMsg(WM_CHAR, WPARAM(ch));
  SendMsg(WM_KEYUP, WPARAM(vk));
}

inline int KeyOf(char c) {
  if (c >= 'a' && c <= 'z') return c - 'a' + 'A';
  if (c == '-') return VK_OEM_MINUS;
  if (c == '.') return VK_OEM_PERIOD;
  if (c == ',') return VK_OEM_COMMA;
  return static_cast<unsigned char>(c);
}

inline void TypeText(const std::string& s) {
  for (char c : s) Press(KeyOf(c), static_cast<unsigned char>(c));
}

inline void PressEnter() { Press(VK_RETURN, 13); }
inline void PressEscape() { Press(VK_ESCAPE, 27); }
inline void PressBack() { Press(VK_BACK, 8); }

// What the game and editor steps run of the input each frame.
inline void InputFrame() {
  _UniIS_Cases::Cases_UniIStringUpdate();
  UniInputExitRes();
}

inline std::string EntryText(int g, int n) { return gr_TBuf[g] ? std::string(gr_TBuf[g][n].text) : ""; }
