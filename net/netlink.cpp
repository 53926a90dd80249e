// The start and stop of the socket layer, the link's global state and the test
// exchange of fixed 64-byte blocks.
#include <cstdlib>
#include <cstring>

#include "core/core.h"
#include "net/net.h"
#include "shell/glwindow.h"

int Glob_WSAStartUpOK;
int Glob_WSA_ProgIs;
char IP_ch[256];
char PORT_NUMBER_ch[16];
std::string servLRecvS;
uint32_t servLRecvT;
char s64send1[kNetTestBlock], s64send2[kNetTestBlock], s64send3[kNetTestBlock],
    s64send4[kNetTestBlock];

void Net_Init1() {
  WSADATA data;
  if (WSAStartup(MAKEWORD(2, 0), &data) != 0) {
    LogInfo("\n WinSock2 not load ...\n");
    return;
  }
  if (data.wVersion != MAKEWORD(2, 0)) {
    LogInfo("\n WinSock2 не той версии ...\n");
    return;
  }
  Glob_WSAStartUpOK = 1;
  servLRecvS.reserve(kNetRecvBuf);  // receiving never allocates
}

void Net_Fin() {
  if (!Glob_WSAStartUpOK) return;
  WSACleanup();
  Glob_WSAStartUpOK = 0;
}

namespace {
// The port konfig.txt gives; 0, with a log line, when it is not one.
int KonfigPort() {
  char text[sizeof PORT_NUMBER_ch + 1] = {};
  std::memcpy(text, PORT_NUMBER_ch, sizeof PORT_NUMBER_ch);
  long port = std::strtol(text, nullptr, 10);
  if (port < 1 || port > 65535) {
    LogInfo("\n Net: port \"%s\" is not a port (1..65535)\n", text);
    return 0;
  }
  return int(port);
}

void PutText(char* block, const char* text) {
  std::memset(block, 0, kNetTestBlock);
  std::memcpy(block, text, std::strlen(text));
}
}  // namespace

void old_Strings64Init() {
  PutText(s64send1, "q12");
  PutText(s64send2, "tgb");
  PutText(s64send3, "GOL");
  PutText(s64send4, "ACK");
}

void old_StartServer() {
  if (Glob_WSA_ProgIs != 0) return;
  Net_Init1();
  int port = KonfigPort();
  if (port && NetWork2.Bind(hWnd, port, 0)) {
    Glob_WSA_ProgIs = Glob_WSA_Server;
    NetWork2.Listen();
  }
}

void old_StartClient() {
  if (Glob_WSA_ProgIs != 0) return;
  Net_Init1();
  if (!Glob_WSAStartUpOK) return;
  int port = KonfigPort();
  char host[sizeof IP_ch + 1] = {};
  std::memcpy(host, IP_ch, sizeof IP_ch);
  if (port && NetWork2.Connect(hWnd, host, port)) Glob_WSA_ProgIs = Glob_WSA_C1;
}

void old_SendImit1() {
  if (Glob_WSA_ProgIs == Glob_WSA_Server)
    NetWork2.SendFrServer(0, Rand2(0, 1) == 1 ? s64send1 : s64send2, kNetTestBlock, 0);
  else if (Glob_WSA_ProgIs > Glob_WSA_Server)
    NetWork2.Send(Rand2(0, 1) == 1 ? s64send3 : s64send4, kNetTestBlock, 0);
}
