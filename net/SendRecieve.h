// The socket object: an own socket (the listening socket of a server or the
// connected socket of a client) and up to two accepted peers, driven by the
// socket events that arrive as window messages.
#pragma once

#include "platform/platform.h"

// The window messages of the socket events, one per slot.
constexpr UINT kNetMsgListen = WM_USER + 1;  // slot 0 of a server: FD_ACCEPT, FD_CLOSE
constexpr UINT kNetMsgClient = WM_USER + 2;  // slot 0 of a client: FD_READ, FD_CLOSE
constexpr UINT kNetMsgPeer1 = WM_USER + 3;   // slot 1, the first peer: FD_READ, FD_CLOSE
constexpr UINT kNetMsgPeer2 = WM_USER + 4;   // slot 2, the second peer: FD_READ, FD_CLOSE

// A received block is read into a zero-filled buffer of this size and kept as
// text up to its first zero byte; one byte always stays zero.
constexpr int kNetRecvBuf = 256;

class t_Sock2 {
 public:
  static constexpr int kSlots = 3;  // 0 own, 1 and 2 the peers

  // Every slot free. Constant, so NetWork2 is ready before any other global is
  // built; closing it at the end touches nothing that may be gone by then.
  constexpr t_Sock2() : s_{INVALID_SOCKET, INVALID_SOCKET, INVALID_SOCKET} {}
  ~t_Sock2();
  t_Sock2(const t_Sock2&) = delete;
  t_Sock2& operator=(const t_Sock2&) = delete;

  // Server: slot 0 becomes a stream (udp 0) or datagram socket bound to port on
  // every local address; on failure every slot is closed.
  bool Bind(HWND wnd, int port, int udp);
  int Listen();  // backlog 4; the result of listen
  // Takes a pending peer into the first free peer slot; with both in use the
  // peer is accepted and closed at once (false).
  bool AcceptConnection(HWND wnd);
  // Client: slot 0 starts connecting to host (a dotted address or a name) at port.
  bool Connect(HWND wnd, const char* host, int port);

  int Send(const char* buf, int len, int flags);  // the whole buffer on slot 0
  int SendFrServer(int which, const char* buf, int len, int flags);  // slot 2 when which, else 1
  int Recv(int which, char* buf, int len, int flags);                // slot 2 when which, else 1
  int RecvOnClient(char* buf, int len, int flags);                   // slot 0
  void Disconnect();  // closes every slot in use

  // The socket messages kNetMsgListen..kNetMsgPeer2 as the window procedure
  // hands them over; always 0.
  LRESULT WndMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

  SOCKET Slot(int i) const { return i >= 0 && i < kSlots ? s_[i] : INVALID_SOCKET; }

 private:
  void CloseSlot(int i);
  void ReadInto(int slot);

  SOCKET s_[kSlots];
};

// The one socket object of the program.
extern t_Sock2 NetWork2;
