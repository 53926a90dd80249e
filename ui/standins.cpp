// Smallest bodies of the services declared in ui/standins.h; each goes when
// the library that owns it lands (see the header for which one).
#include "ui/standins.h"

#include <GL/gl.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// ---- replaced by core: log, byte stream, character buffers ----------------
void LogInfo(const char* format, ...) {
  static int klvMsg = 0;
  if (klvMsg >= 1000) return;
  FILE* f = std::fopen("log.txt", "a");
  if (!f) return;
  va_list ap;
  va_start(ap, format);
  std::vfprintf(f, format, ap);
  va_end(ap);
  if (++klvMsg == 1000) std::fprintf(f, "\n(%d) so mach msgs and log-sys close ...\n", klvMsg);
  std::fclose(f);
}

void ByteLenta::Sbros() {
  std::free(data);
  data = nullptr;
  pos = 0;
  size = 0;
}

void ByteLenta::MAlloc(int n, int replace) {
  if (data && !replace) return;
  Sbros();
  data = static_cast<unsigned char*>(std::malloc(n > 0 ? n : 1));
  size = n;
}

void t_Char64::Clear() { std::memset(s, 0, sizeof(s)); }

// ---- replaced by the shell: screen record, stop flag, message base --------
t_Main_Ekran Ekran;
int Main_Done = 0;
const char* MsgBase(int n) { return n == 0 ? ".0." : "..."; }
int UniOrg_TBuf = 0, PrintFPS_TBuf = 0, UserName_TBuf = 0, GTBuf_Lin = 0;

// ---- replaced by render/: picture groups and render-state helpers ---------
Pix_* gr_Pix[26];
uint16_t gr_Pix_Last[26];

void Pix_::Bind() {
  if (texture) glBindTexture(GL_TEXTURE_2D, texture);
}

int gr_PixFail(int g, unsigned i) {
  if (g < 0 || g > 25 || !gr_Pix[g]) return 1;
  return gr_Pix_Last[g] < i;
}

void NomBlend(int n) {
  if (n <= 0) {
    glDisable(GL_BLEND);
    return;
  }
  glEnable(GL_BLEND);
  if (n == 34) glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  else glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

int TexUnit(int unit, int mode) {
  if (unit > 7) return 0;
  if (unit != 0) return 1;  // the stand-in knows only unit 0
  if (mode == -1) glDisable(GL_TEXTURE_2D);
  else if (mode == 1) glEnable(GL_TEXTURE_2D);
  return 1;
}

void ColorMatF(float a, float r, float g, float b) {
  if (a < 0.00001f) {
    glDisable(GL_COLOR_MATERIAL);
    return;
  }
  glEnable(GL_COLOR_MATERIAL);
  glColor4f(r, g, b, a);
}

void ColorMat(unsigned char a, unsigned char r, unsigned char g, unsigned char b) {
  ColorMatF(a / 255.0f, r / 255.0f, g / 255.0f, b / 255.0f);
}

void TexMat(short mode, short g, short i, short, short) {
  if (mode == 0 || gr_PixFail(g, static_cast<unsigned>(i))) {
    glDisable(GL_TEXTURE_2D);
    return;
  }
  glEnable(GL_TEXTURE_2D);
  gr_Pix[g][i].Bind();
}
