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
void MdlGVBO_SaveGru(int) {}

// --- general resources -------------------------------------------------------------
int PrintFPS_TBuf;
int LoadGeneralRes() {
  nsMKeys::nFlushProc();
  // Text-buffer group 0 and its four fixed entries, in the order the general
  // resources take them (the second is the frame-rate text).
  if (MakeTBufGru(95, 0) != 0) return 0;
  TBufGetNom(0, 1);
  PrintFPS_TBuf = TBufGetNom(0, 1);
  TBufGetNom(0, 1);
  TBufGetNom(0, 1);
  return 1;
}
void Extras_Kill() {
  for (int g = 0; g < kTBufGroups; ++g) KillTBufGru(g);
  for (auto& f : org_WFont) f.Sbros();
  for (auto& t : tex_font) t.Sbros();
}

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

// --- front end ----------------------------------------------------------------------------
Pro_Q7_Elements Q7;
Pro_Q7_Elements* NowProj = &Q7;

namespace {
// Until the menu of the modes lands, its step draws a small scene through the
// render machine each frame: a ring of turning boxes with outlines, a wire
// ring, and the sprite test quad of an order without owner.
int MenuStandIn_Step() {
  MouseCoordRoot();
  Ekran_ClearF(Ekran, 0.10f, 0.14f, 0.22f);
  RenderM._ResetOnStartNewLap();
  static t_VPortKam cam;
  cam.vpW = Ekran.W;
  cam.vpH = Ekran.H;
  cam.aspect = Ekran.H ? static_cast<double>(Ekran.W) / Ekran.H : 1.0;
  cam.znear = 1.0;
  cam.zfar = 500.0;
  cam.eye = vec3(0, 60, 140);
  cam.target = vec3(0, 0, 0);
  cam.Set1();
  cam.Set2_ProjMode(1);
  cam.Set3_Kamera();
  glob_nowVPKam = &cam;
  StartOfClearDraw1();
  float turn = static_cast<float>(gMilli % 20000) * 0.018f;
  for (int k = 0; k < 8; ++k) {
    int a = zn::Ring1i(static_cast<int>(turn) + k * 45, 360);
    vec3 c(getSprSIN(a) * 50, 10, getSprCOS(a) * 50);
    RenderM.box.Add(c.x, c.y, c.z, 6, 6 + k, 6, 0.3f + 0.08f * k, 0.5f, 0.9f - 0.08f * k, 1, 0, k % 4 + 6, -1, 0);
    RenderM.line[0].AddBoxRam(c, vec3(7, 7 + k, 7), 255, 255, 255, 255);
  }
  vec3 ring[36];
  Crt_CircleGoriz(ring, 36, 70, 1);
  RenderM.wire[1].AddChain(ring, nullptr, 36, 250, 200, 60, 255);
  RenderM.quads[3].Add(nullptr, 0, 1, 0, 22, -1, 0);
  RenderM._Run(&cam);
  StartOfClearDraw1();
  TexMat(0, -1, 0, -1, 0);
  if (Begin2D(0, Ekran.W, 0, Ekran.H)) {  // the frame-rate text in Windows font 0
    glColor3f(0.9f, 0.85f, 0.6f);
    Print2D(Ekran.W / 2, Ekran.H - 18, 1, 1, 0, 0, PrintFPS_TBuf, 0, 0, 0);
    End2D();
  }
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
