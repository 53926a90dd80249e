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
  return 1;
}
void Extras_Kill() {}

// --- text buffers and input ----------------------------------------------------------
orgT_TBuf_* gr_TBuf[41];
void TBufUpdate(int, int, const char*, ...) {}
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
