#include "net/SendRecieve.h"

#include <cstring>

#include "core/core.h"
#include "net/net.h"

constinit t_Sock2 NetWork2;

t_Sock2::~t_Sock2() { Disconnect(); }

bool t_Sock2::Bind(HWND wnd, int port, int udp) {
  CloseSlot(0);
  s_[0] = ws::socket(kAF_INET, udp ? kSOCK_DGRAM : kSOCK_STREAM, 0);
  if (s_[0] == INVALID_SOCKET) return false;
  WSAAsyncSelect(s_[0], wnd, kNetMsgListen, kFD_ACCEPT | kFD_CLOSE);
  ws::sockaddr_in addr{};
  addr.sin_family = kAF_INET;
  addr.sin_addr.s_addr = ws::htonl(kINADDR_ANY);
  addr.sin_port = ws::htons(uint16_t(port));
  if (ws::bind(s_[0], reinterpret_cast<ws::sockaddr*>(&addr), sizeof addr) == SOCKET_ERROR) {
    Disconnect();
    return false;
  }
  return true;
}

int t_Sock2::Listen() { return ws::listen(s_[0], 4); }

bool t_Sock2::AcceptConnection(HWND wnd) {
  int slot = s_[1] == INVALID_SOCKET ? 1 : s_[2] == INVALID_SOCKET ? 2 : 0;
  SOCKET peer = ws::accept(s_[0], nullptr, nullptr);
  if (peer == INVALID_SOCKET) return false;
  if (slot == 0) {  // no room: turned away rather than left waiting
    closesocket(peer);
    return false;
  }
  s_[slot] = peer;
  WSAAsyncSelect(peer, wnd, slot == 1 ? kNetMsgPeer1 : kNetMsgPeer2, kFD_READ | kFD_CLOSE);
  return true;
}

bool t_Sock2::Connect(HWND wnd, const char* host, int port) {
  uint32_t address = ws::inet_addr(host);
  if (address == kINADDR_NONE) {
    ws::hostent* h = ws::gethostbyname(host);
    if (!h || !h->h_addr_list || !h->h_addr_list[0]) {
      WSASetLastError(WSAEINVAL);
      return false;
    }
    std::memcpy(&address, h->h_addr_list[0], sizeof address);
  }
  CloseSlot(0);
  s_[0] = ws::socket(kAF_INET, kSOCK_STREAM, 0);
  if (s_[0] == INVALID_SOCKET) return false;
  WSAAsyncSelect(s_[0], wnd, kNetMsgClient, kFD_READ | kFD_CLOSE);
  ws::sockaddr_in addr{};
  addr.sin_family = kAF_INET;
  addr.sin_addr.s_addr = address;
  addr.sin_port = ws::htons(uint16_t(port));
  ws::connect(s_[0], reinterpret_cast<ws::sockaddr*>(&addr), sizeof addr);  // usually under way
  return true;
}

int t_Sock2::Send(const char* buf, int len, int flags) {
  int sent = 0;
  while (sent < len) {
    int n = ws::send(s_[0], buf + sent, len - sent, flags);
    if (n <= 0) break;
    sent += n;
  }
  return sent;
}

int t_Sock2::SendFrServer(int which, const char* buf, int len, int flags) {
  return ws::send(which ? s_[2] : s_[1], buf, len, flags);
}

int t_Sock2::Recv(int which, char* buf, int len, int flags) {
  return ws::recv(which ? s_[2] : s_[1], buf, len, flags);
}

int t_Sock2::RecvOnClient(char* buf, int len, int flags) { return ws::recv(s_[0], buf, len, flags); }

void t_Sock2::CloseSlot(int i) {
  if (s_[i] == INVALID_SOCKET) return;
  closesocket(s_[i]);
  s_[i] = INVALID_SOCKET;
}

void t_Sock2::Disconnect() {
  for (int i = 0; i < kSlots; ++i) CloseSlot(i);
}

// One block from a slot as the last received text, stamped with the time.
void t_Sock2::ReadInto(int slot) {
  char buf[kNetRecvBuf] = {};
  servLRecvT = GetTickCount();
  if (slot == 0) RecvOnClient(buf, kNetRecvBuf - 1, 0);
  else Recv(slot - 1, buf, kNetRecvBuf - 1, 0);
  servLRecvS = buf;
}

LRESULT t_Sock2::WndMessage(HWND wnd, UINT msg, WPARAM, LPARAM lParam) {
  if (msg < kNetMsgListen || msg > kNetMsgPeer2 || !Glob_WSAStartUpOK) return 0;
  bool client = msg == kNetMsgClient;
  if (client ? Glob_WSA_ProgIs <= Glob_WSA_Server : Glob_WSA_ProgIs != Glob_WSA_Server) return 0;
  int error = WSAGETSELECTERROR(lParam);
  if (error) {
    LogInfo(client ? "\n On Client net_err: %s\n" : "\n On Server net_err: %s\n", Net_ListErrN(error));
    Net_Fin();
    return 0;
  }
  long event = WSAGETSELECTEVENT(lParam);
  if (msg == kNetMsgListen) {
    if (event == kFD_ACCEPT) AcceptConnection(wnd);
    return 0;
  }
  int slot = client ? 0 : msg == kNetMsgPeer1 ? 1 : 2;
  if (event == kFD_READ) ReadInto(slot);
  else if (event == kFD_CLOSE) CloseSlot(slot);  // the peer has gone: its slot is free again
  return 0;
}
