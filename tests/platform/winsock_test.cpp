// The socket layer on loopback: selected events come as window messages, each
// told once until the call that takes it, and failures come back as WinSock
// error numbers.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "tests/common/hidden_window.h"
#include "tests/common/raw_peer.h"

namespace {

struct Posted {
  UINT msg;
  WPARAM sock;
  int event, error;
};
std::vector<Posted> g_posted;

LRESULT Recorder(HWND, UINT m, WPARAM w, LPARAM l) {
  if (m >= WM_USER) g_posted.push_back(Posted{m, w, WSAGETSELECTEVENT(l), WSAGETSELECTERROR(l)});
  return 0;
}

constexpr UINT kListenMsg = WM_USER + 50, kPeerMsg = WM_USER + 51;

class Winsock : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    wnd_ = HiddenWindow("velmarSockTest", Recorder);
  }
  void TearDown() override {
    for (SOCKET s : opened_) closesocket(s);
  }
  // One pass of the queue; what it posted.
  std::vector<Posted> Pass() {
    g_posted.clear();
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
    return g_posted;
  }
  // Passes (1 ms apart) until one posts something; that pass's messages.
  std::vector<Posted> NextPosted() {
    for (int i = 0; i < 2000; ++i) {
      std::vector<Posted> got = Pass();
      if (!got.empty()) return got;
      Sleep(1);
    }
    return {};
  }
  SOCKET Keep(SOCKET s) {
    if (s != INVALID_SOCKET) opened_.push_back(s);
    return s;
  }
  static ws::sockaddr_in Address(int port) {
    ws::sockaddr_in a{};
    a.sin_family = kAF_INET;
    a.sin_port = ws::htons(uint16_t(port));
    a.sin_addr.s_addr = ws::inet_addr("127.0.0.1");
    return a;
  }
  static const ws::sockaddr* Name(const ws::sockaddr_in& a) {
    return reinterpret_cast<const ws::sockaddr*>(&a);
  }
  // A selected listening socket on a free port.
  SOCKET Listener(int* port) {
    raw::HeldPort held;
    *port = held.port();
    SOCKET s = Keep(ws::socket(kAF_INET, kSOCK_STREAM, 0));
    ws::sockaddr_in a = Address(*port);
    EXPECT_EQ(ws::bind(s, Name(a), sizeof a), 0);
    EXPECT_EQ(ws::listen(s, 4), 0);
    EXPECT_EQ(WSAAsyncSelect(s, wnd_, kListenMsg, kFD_ACCEPT | kFD_CLOSE), 0);
    return s;
  }
  // A connection accepted from a raw peer, selected for reads and the close.
  SOCKET Accepted(int* peer) {
    int port;
    SOCKET l = Listener(&port);
    *peer = raw::Connect(port);
    EXPECT_EQ(NextPosted().size(), 1u);
    SOCKET s = Keep(ws::accept(l, nullptr, nullptr));
    EXPECT_EQ(WSAAsyncSelect(s, wnd_, kPeerMsg, kFD_READ | kFD_CLOSE), 0);
    return s;
  }

  static HWND wnd_;
  std::vector<SOCKET> opened_;
};
HWND Winsock::wnd_;

TEST_F(Winsock, AcceptIsToldOnceUntilTheNextAccept) {
  int port;
  SOCKET l = Listener(&port);
  int a = raw::Connect(port), b = raw::Connect(port);
  std::vector<Posted> got = NextPosted();
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].msg, kListenMsg);
  EXPECT_EQ(got[0].sock, WPARAM(l));
  EXPECT_EQ(got[0].event, kFD_ACCEPT);
  EXPECT_TRUE(Pass().empty());  // the second peer waits for the accept
  ws::sockaddr_in from{};
  int len = sizeof from;
  EXPECT_NE(Keep(ws::accept(l, reinterpret_cast<ws::sockaddr*>(&from), &len)), INVALID_SOCKET);
  EXPECT_EQ(from.sin_addr.s_addr, ws::inet_addr("127.0.0.1"));
  EXPECT_EQ(NextPosted().size(), 1u);
  EXPECT_NE(Keep(ws::accept(l, nullptr, nullptr)), INVALID_SOCKET);
  // Nobody waits: the accept fails without blocking.
  EXPECT_EQ(ws::accept(l, nullptr, nullptr), INVALID_SOCKET);
  EXPECT_EQ(WSAGetLastError(), WSAEWOULDBLOCK);
  close(a), close(b);
}

TEST_F(Winsock, ReadIsToldOnceUntilTheNextRecvAndCloseOnceAfterTheData) {
  int peer;
  SOCKET s = Accepted(&peer);
  ASSERT_TRUE(raw::SendAll(peer, "0123456789"));
  std::vector<Posted> got = NextPosted();
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].msg, kPeerMsg);
  EXPECT_EQ(got[0].event, kFD_READ);
  EXPECT_TRUE(Pass().empty());
  char buf[16] = {};
  EXPECT_EQ(ws::recv(s, buf, 4, 0), 4);
  got = Pass();  // six bytes are left
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].event, kFD_READ);
  close(peer);  // the close waits until the data is read
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(Pass().empty()), Sleep(1);
  EXPECT_EQ(ws::recv(s, buf, sizeof buf, 0), 6);
  EXPECT_EQ(std::string(buf, 6), "456789");
  got = NextPosted();
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].event, kFD_CLOSE);
  EXPECT_EQ(got[0].error, 0);
  EXPECT_EQ(ws::recv(s, buf, sizeof buf, 0), 0);
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(Pass().empty()), Sleep(1);
}

TEST_F(Winsock, AResetIsACloseWithTheResetError) {
  int peer;
  SOCKET s = Accepted(&peer);
  raw::Reset(peer);
  std::vector<Posted> got = NextPosted();
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].event, kFD_CLOSE);
  EXPECT_EQ(got[0].error, WSAECONNRESET);
  // Sending to the gone peer fails with a number, not a signal.
  char c = 'x';
  int sent = 0;
  for (int i = 0; i < 3 && sent != SOCKET_ERROR; ++i) sent = ws::send(s, &c, 1, 0);
  EXPECT_EQ(sent, SOCKET_ERROR);
  EXPECT_EQ(WSAGetLastError(), WSAECONNRESET);
}

TEST_F(Winsock, AConnectUnderWayCompletesOrIsRefused) {
  int port;
  SOCKET l = Listener(&port);
  raw::HeldPort refusing;
  for (int target : {port, refusing.port()}) {
    SOCKET s = Keep(ws::socket(kAF_INET, kSOCK_STREAM, 0));
    ASSERT_EQ(WSAAsyncSelect(s, wnd_, kPeerMsg, kFD_CONNECT), 0);
    ws::sockaddr_in a = Address(target);
    int rc = ws::connect(s, Name(a), sizeof a);
    if (rc == SOCKET_ERROR) {
      EXPECT_EQ(WSAGetLastError(), WSAEWOULDBLOCK);
    }
    std::vector<Posted> got;
    for (int i = 0; i < 2000 && got.empty(); ++i) {
      for (const Posted& p : Pass())
        if (p.msg == kPeerMsg) got.push_back(p);
      Sleep(1);
    }
    if (rc == 0) continue;  // done at once: nothing to tell
    ASSERT_EQ(got.size(), 1u) << target;
    EXPECT_EQ(got[0].event, kFD_CONNECT);
    EXPECT_EQ(got[0].error, target == port ? 0 : WSAECONNREFUSED);
  }
  (void)l;
}

TEST_F(Winsock, FailuresComeBackAsWinsockNumbers) {
  int port;
  Listener(&port);
  raw::HeldPort refusing;
  ws::sockaddr_in taken = Address(port), refused = Address(refusing.port());
  SOCKET s = Keep(ws::socket(kAF_INET, kSOCK_STREAM, 0));
  char c = 0;
  struct Case {
    const char* what;
    std::function<int()> call;
    int error;
  };
  const Case cases[] = {
      {"close of no socket", [] { return closesocket(SOCKET(12345)); }, WSAENOTSOCK},
      {"recv on no socket", [&] { return ws::recv(INVALID_SOCKET, &c, 1, 0); }, WSAENOTSOCK},
      {"unknown family", [] { return int(ws::socket(99, kSOCK_STREAM, 0)); }, WSAEAFNOSUPPORT},
      {"port in use", [&] { return ws::bind(s, Name(taken), sizeof taken); }, WSAEADDRINUSE},
      {"short address", [&] { return ws::bind(s, Name(taken), 4); }, WSAEFAULT},
      {"refused",
       [&] {
         return ws::connect(Keep(ws::socket(kAF_INET, kSOCK_STREAM, 0)), Name(refused),
                            sizeof refused);
       },
       WSAECONNREFUSED},
      {"not connected", [&] { return ws::send(s, &c, 1, 0); }, WSAENOTCONN},
      {"odd flags", [&] { return ws::recv(s, &c, 1, 0x40); }, WSAEOPNOTSUPP},
      {"accept without listen", [&] { return int(ws::accept(s, nullptr, nullptr)); }, WSAEINVAL},
      {"no window", [&] { return WSAAsyncSelect(s, nullptr, kPeerMsg, kFD_READ); }, WSAEINVAL},
      {"unknown host", [] { return ws::gethostbyname("no-such-host.invalid") ? 0 : -1; },
       WSAHOST_NOT_FOUND},
  };
  for (const Case& k : cases) {
    WSASetLastError(0);
    EXPECT_EQ(k.call(), SOCKET_ERROR) << k.what;
    EXPECT_EQ(WSAGetLastError(), k.error) << k.what;
  }
  EXPECT_EQ(ws::inet_addr("1.2.3.4"), ws::htonl(0x01020304u));
  EXPECT_EQ(ws::inet_addr("not an address"), kINADDR_NONE);
}

TEST_F(Winsock, TheTableOfSocketsIsBounded) {
  std::vector<SOCKET> made;
  for (int i = 0; i < ws::kMaxSockets + 4; ++i) {
    SOCKET s = ws::socket(kAF_INET, kSOCK_DGRAM, 0);
    if (s == INVALID_SOCKET) break;
    made.push_back(Keep(s));
  }
  EXPECT_EQ(made.size(), size_t(ws::kMaxSockets));
  EXPECT_EQ(WSAGetLastError(), WSAEMFILE);
  closesocket(made.back());
  opened_.pop_back();
  EXPECT_NE(Keep(ws::socket(kAF_INET, kSOCK_DGRAM, 0)), INVALID_SOCKET);  // a freed entry is reused
}

}  // namespace
