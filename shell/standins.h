// Stand-ins for what the shell calls in subsystems that are not here yet.
// Each has the name and signature the real one will have, so that deleting it
// here (and its definition in standins.cpp) is all it takes when the real one
// arrives. The comment on each says which part of the program replaces it.
#pragma once

#include <string>

#include "platform/platform.h"

// --- render engine ---------------------------------------------------------------
// GL set-up, extension flags, pictures and screenshots come from the render engine.
#include "render/render.h"

// --- services the general resources load and release ------------------------------
// Replaced by sound: clears the queued sound-chain orders.
void ZSrcChain_zz_Init();
// Replaced by the text editor of the text library: fills the test text field.
void Test_Pole2_Init();

// --- text buffers, text input and the settings editor --------------------------
extern int glob_PoleTextActive;
namespace a101 {
void PoleText_InputChar(unsigned ch);
void UniIStringInputChar(unsigned ch);
}  // namespace a101
namespace nsUniIS {
extern std::string _String;
}
void UniOrgStartYch(int kind);
void UniOrgRepeatYch();
void UniOrgPredYchAdv(int dir);

// --- world model: path-finder and object pools come from the world model --------
#include "world/world.h"

// --- game, editor and menu modes: the front end ---------------------------------
// Replaced by the front end; this one sets up the world model's part of it and
// registers a menu step (3) that draws a small scene and a game step (4) that
// shows the terrain.
class Pro_Q7_Elements {
 public:
  int init();
};
extern Pro_Q7_Elements Q7;
extern Pro_Q7_Elements* NowProj;
int guiKamRToL();
int guiKamRToR();
int guiKamRToDn();
int guiKamRToUp();

// --- sound ------------------------------------------------------------------------
extern int NeedKillALData;
extern char general_zvu_list0[128];
extern std::string Glob_GenMusFileName;
int StartOpenAL();
void KillALData();
void ZSrcMainKot_StartKadrProc();

// --- network link ---------------------------------------------------------------
constexpr int kFD_READ = 0x01, kFD_ACCEPT = 0x08;
class t_Sock2 {
 public:
  void Disconnect();
  int AcceptConnection(HWND wnd);
  int Recv(int peer, char* buf, int len, int flags);
  int RecvOnClient(char* buf, int len, int flags);
};
extern t_Sock2 NetWork2;
extern int Glob_WSA_ProgIs;
extern int Glob_WSAStartUpOK;
extern int servLRecvT;
extern std::string servLRecvS;
extern char IP_ch[256];
extern char PORT_NUMBER_ch[16];
void Net_Fin();
const char* Net_ListErrN(int code);
