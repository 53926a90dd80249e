// Stand-ins; see standins.h.
#include "shell/standins.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "shell/ekran.h"
#include "shell/glwindow.h"
#include "shell/input.h"
#include "shell/ippi.h"
#include "ui/ui.h"

// --- render engine ---------------------------------------------------------------
unsigned char WGL_ARB_extensions_string_supported;
unsigned char WGL_ARB_pixel_format_supported;
unsigned char WGL_ARB_multisample_supported;
unsigned char WGL_EXT_swap_control_supported;
unsigned char GL_ARB_shader_objects_supported;
unsigned char GL_ARB_vertex_shader_supported;
unsigned char GL_ARB_fragment_shader_supported;
unsigned char GL_ARB_shading_language_100_supported;
Pix_* gr_Pix[26];

namespace {
bool HasWord(const char* list, const char* word) {
  size_t n = std::strlen(word);
  for (const char* p = list ? std::strstr(list, word) : nullptr; p; p = std::strstr(p + 1, word))
    if ((p == list || p[-1] == ' ') && (p[n] == ' ' || p[n] == 0)) return true;
  return false;
}
}  // namespace

void initExtensions(HDC dc) {
  const char* wgl = wglGetExtensionsStringARB(dc);
  const char* gl = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  WGL_ARB_extensions_string_supported = wgl != nullptr;
  auto found = [&](const char* name) { return HasWord(wgl, name) || HasWord(gl, name); };
  WGL_ARB_pixel_format_supported = found("WGL_ARB_pixel_format");
  WGL_ARB_multisample_supported = found("WGL_ARB_multisample");
  WGL_EXT_swap_control_supported = found("WGL_EXT_swap_control");
  GL_ARB_shader_objects_supported = HasWord(gl, "GL_ARB_shader_objects");
  GL_ARB_vertex_shader_supported = HasWord(gl, "GL_ARB_vertex_shader");
  GL_ARB_fragment_shader_supported = HasWord(gl, "GL_ARB_fragment_shader");
  GL_ARB_shading_language_100_supported = HasWord(gl, "GL_ARB_shading_language_100");
}

int InitGL() {
  *o2::FirstTimeGL = 0;
  *o2::FrustumE = 1;
  GLint v = 0;
  glGetIntegerv(GL_MAX_LIGHTS, &v);
  *o2::GL_MaxLamps = v;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &v);
  *o2::GL_MaxTexSize = v;
  glShadeModel(GL_SMOOTH);
  glClearDepth(1.0);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  ReshapeGL(Ekran.W, Ekran.H);
  return 1;
}

int OGL_SaveViewportToBMP(const char* path) {
  if (!path || !*path) return 0;
  GLint vp[4] = {};
  glGetIntegerv(GL_VIEWPORT, vp);
  int w = vp[2], h = vp[3];
  if (w <= 0 || h <= 0) return 0;
  int row = (w * 3 + 3) & ~3;
  std::vector<unsigned char> pixels(size_t(row) * size_t(h));
  glFinish();
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glReadPixels(vp[0], vp[1], w, h, GL_BGR, GL_UNSIGNED_BYTE, pixels.data());
  FILE* f = std::fopen(path, "wb");
  if (!f) return 0;
  unsigned char hdr[54] = {'B', 'M'};
  auto put32 = [&](int at, uint32_t v) {
    for (int i = 0; i < 4; ++i) hdr[at + i] = uint8_t(v >> (8 * i));
  };
  put32(2, uint32_t(54 + pixels.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, uint32_t(w));
  put32(22, uint32_t(h));
  hdr[26] = 1;
  hdr[28] = 24;
  bool ok = std::fwrite(hdr, 1, sizeof hdr, f) == sizeof hdr &&
            std::fwrite(pixels.data(), 1, pixels.size(), f) == pixels.size();
  return std::fclose(f) == 0 && ok ? 1 : 0;
}

void MdlGVBO_SaveGru(int) {}

// --- general resources -------------------------------------------------------------
int PrintFPS_TBuf;
int LoadGeneralRes() {
  nsMKeys::nFlushProc();
  return 1;
}
void Extras_Kill() {}

// --- text buffers and input ----------------------------------------------------------
int glob_PoleTextActive;
namespace a101 {
void PoleText_InputChar(unsigned) {}
void UniIStringInputChar(unsigned) {}
}  // namespace a101
namespace nsUniIS {
std::string _String;
}
void UniOrgStartYch(int) {}
void UniOrgRepeatYch() {}
void UniOrgPredYchAdv(int) {}

// --- world model -----------------------------------------------------------------------
void InitPathfinder() {}
void EndPathfinder() {}
int ReadKonfig_Fgr4W() { return 1; }

// --- front end ----------------------------------------------------------------------------
Pro_Q7_Elements Q7;
Pro_Q7_Elements* NowProj = &Q7;

namespace {
int MenuStandIn_Step() {
  MouseCoordRoot();
  Ekran_ClearF(Ekran, 0.10f, 0.14f, 0.22f);
  return 1;
}
}  // namespace

int Pro_Q7_Elements::init() {
  ReshapeGL(Ekran.W, Ekran.H);
  Root_IPPI.SetMain(3, MenuStandIn_Step);
  return 1;
}
int guiKamRToL() { return 0; }
int guiKamRToR() { return 0; }
int guiKamRToDn() { return 0; }
int guiKamRToUp() { return 0; }

// --- sound ------------------------------------------------------------------------------------
int NeedKillALData;
char general_zvu_list0[128];
std::string Glob_GenMusFileName;
int StartOpenAL() { return 0; }
void KillALData() {}
void ZSrcMainKot_StartKadrProc() {}

// --- network link ------------------------------------------------------------------------------
t_Sock2 NetWork2;
int Glob_WSA_ProgIs;
int Glob_WSAStartUpOK;
int servLRecvT;
std::string servLRecvS;
char IP_ch[256];
char PORT_NUMBER_ch[16];
void t_Sock2::Disconnect() {}
int t_Sock2::AcceptConnection(HWND) { return 0; }
int t_Sock2::Recv(int, char*, int, int) { return 0; }
int t_Sock2::RecvOnClient(char*, int, int) { return 0; }
void Net_Fin() { Glob_WSAStartUpOK = 0; }
const char* Net_ListErrN(int) { return "network error"; }
