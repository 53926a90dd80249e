// Temporary declarations of neighbouring services that the text layer calls and
// that other libraries will provide. Each block names what replaces it; delete
// the block (and its body in ui/standins.cpp) when that library lands.
#pragma once

#include <cstdint>

// ---- replaced by core/core.h (foundation) ---------------------------------
void LogInfo(const char* format, ...) __attribute__((format(printf, 1, 2)));

struct ByteLenta {  // growable byte stream with one cursor
  unsigned char* data = nullptr;
  uint32_t pos = 0;
  int32_t size = 0;
  ByteLenta() = default;
  ByteLenta(const ByteLenta&) = delete;
  ByteLenta& operator=(const ByteLenta&) = delete;
  ~ByteLenta() { Sbros(); }
  void Sbros();
  void MAlloc(int n, int replace);
};

struct t_Char64 {  // fixed 64-byte character buffer
  char s[64] = {};
  void Clear();
};

// ---- replaced by the shell (screen record, stop flag, message base) -------
struct t_Main_Ekran {
  uint16_t vModeReq = 0;  // requested video mode 0..5
  uint16_t width = 800;
  uint16_t height = 600;
};
extern t_Main_Ekran Ekran;
extern int Main_Done;
const char* MsgBase(int n);
// Fixed entries of text-buffer group 0, taken by the general resources.
extern int UniOrg_TBuf, PrintFPS_TBuf, UserName_TBuf, GTBuf_Lin;

// ---- replaced by render/ (pictures and render-state helpers) --------------
struct Pix_ {
  uint32_t texture = 0;
  void Bind();
};
extern Pix_* gr_Pix[26];
extern uint16_t gr_Pix_Last[26];
int gr_PixFail(int g, unsigned i);
void NomBlend(int n);
int TexUnit(int unit, int mode);
void ColorMat(unsigned char a, unsigned char r, unsigned char g, unsigned char b);
void ColorMatF(float a, float r, float g, float b);
void TexMat(short mode, short g, short i, short g2, short i2);
