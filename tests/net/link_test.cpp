// The network link over real sockets on loopback. The network role is global
// and set only once, so every test that starts a role runs in a process of its
// own (with its own working directory for the log); the other end is a plain
// socket. Pump loops are bounded.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "net/net.h"
#include "tests/common/link_window.h"
#include "tests/common/raw_peer.h"
#include "tests/net/link_fixture.h"

namespace {

std::string LogText() {
  std::ifstream f("log.txt", std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

bool Seen(UINT msg, long event, int error = 0) {
  for (const SockMsg& m : SockMsgs())
    if (m.msg == msg && m.event == event && m.error == error) return true;
  return false;
}

bool IsBlock(const std::string& got, const char* a, const char* b) {
  return got.size() == size_t(kNetTestBlock) && (got == raw::Block(a) || got == raw::Block(b));
}

const char kServerReset[] = "\n On Server net_err: WSAE CONNRESET // ECONNRESET\t10054\tAs in BSD\n";
const char kClientReset[] = "\n On Client net_err: WSAE CONNRESET // ECONNRESET\t10054\tAs in BSD\n";

TEST(LinkServer, PeersTakeSlotsOneAndTwoAndAThirdIsTurnedAway) {
  InOwnProcess([] {
    int port = StartServer();
    ASSERT_EQ(Glob_WSA_ProgIs, Glob_WSA_Server);
    ASSERT_EQ(Glob_WSAStartUpOK, 1);
    int a = ConnectPeer(port, 1);
    int b = ConnectPeer(port, 2);
    EXPECT_TRUE(Seen(kNetMsgListen, kFD_ACCEPT));

    ASSERT_TRUE(raw::SendAll(a, raw::Block("GOL")));
    EXPECT_TRUE(PumpUntil([] { return servLRecvS == "GOL"; }));
    EXPECT_TRUE(Seen(kNetMsgPeer1, kFD_READ));
    ASSERT_TRUE(raw::SendAll(b, raw::Block("tgb")));
    EXPECT_TRUE(PumpUntil([] { return servLRecvS == "tgb"; }));
    EXPECT_TRUE(Seen(kNetMsgPeer2, kFD_READ));

    // A third peer is accepted and closed at once; what it sent is never read.
    SOCKET one = NetWork2.Slot(1), two = NetWork2.Slot(2);
    int c = raw::Connect(port);
    ASSERT_GE(c, 0);
    raw::SendAll(c, raw::Block("BAD"));
    EXPECT_TRUE(PumpUntil([c] { return raw::Closed(c, 0); }));
    for (int i = 0; i < 20; ++i) PumpPass();
    EXPECT_EQ(servLRecvS, "tgb");
    EXPECT_EQ(NetWork2.Slot(1), one);
    EXPECT_EQ(NetWork2.Slot(2), two);

    // The test send goes to the first peer only, 64 bytes.
    old_SendImit1();
    EXPECT_TRUE(IsBlock(raw::Read(a, 1000, 500), "q12", "tgb"));
    EXPECT_FALSE(raw::Readable(b, 200));
    close(a), close(b), close(c);
  });
}

TEST(LinkServer, AReceiveKeepsAtMost255LettersAndTheRestComesNext) {
  InOwnProcess([] {
    int a = ConnectPeer(StartServer(), 1);
    ASSERT_TRUE(raw::SendAll(a, std::string(300, 'x')));
    EXPECT_TRUE(PumpUntil([] { return !servLRecvS.empty(); }));
    EXPECT_EQ(servLRecvS, std::string(255, 'x'));
    EXPECT_TRUE(PumpUntil([] { return servLRecvS.size() != 255; }));
    EXPECT_EQ(servLRecvS, std::string(45, 'x'));
    close(a);
  });
}

TEST(LinkServer, APeerResetIsLoggedAndStopsTheLink) {
  InOwnProcess([] {
    int port = StartServer();
    raw::Reset(ConnectPeer(port, 1));
    EXPECT_TRUE(PumpUntil([] { return Glob_WSAStartUpOK == 0; }));
    EXPECT_NE(LogText().find(kServerReset), std::string::npos) << LogText();
    EXPECT_EQ(Glob_WSA_ProgIs, Glob_WSA_Server);  // the role stays
    // Stopped: a new peer is neither taken nor read.
    int b = raw::Connect(port);
    raw::SendAll(b, raw::Block("GOL"));
    for (int i = 0; i < 30; ++i) PumpPass(), Sleep(1);
    EXPECT_EQ(servLRecvS, "");
    EXPECT_EQ(NetWork2.Slot(2), INVALID_SOCKET);
    close(b);
  });
}

TEST(LinkServer, AClosedPeerFreesItsSlotForTheNext) {
  InOwnProcess([] {
    int port = StartServer();
    int a = ConnectPeer(port, 1);
    int b = ConnectPeer(port, 2);
    SOCKET two = NetWork2.Slot(2);
    close(a);
    EXPECT_TRUE(PumpUntil([] { return NetWork2.Slot(1) == INVALID_SOCKET; }));
    EXPECT_TRUE(Seen(kNetMsgPeer1, kFD_CLOSE));
    EXPECT_EQ(NetWork2.Slot(2), two);
    EXPECT_EQ(Glob_WSAStartUpOK, 1);

    SockMsgs().clear();
    int c = ConnectPeer(port, 1);
    ASSERT_TRUE(raw::SendAll(c, raw::Block("q12")));
    EXPECT_TRUE(PumpUntil([] { return servLRecvS == "q12"; }));
    EXPECT_TRUE(Seen(kNetMsgPeer1, kFD_READ));
    close(b), close(c);
  });
}

// Two peers flood the server: every pass of the pump still ends, with at most
// one read for each peer, and the text stays bounded.
TEST(LinkServer, AFloodCannotHoldThePump) {
  InOwnProcess([] {
    int port = StartServer();
    int a = ConnectPeer(port, 1);
    int b = ConnectPeer(port, 2);
    std::string chunk(65536, 'f');
    for (int pass = 0; pass < 300; ++pass) {
      raw::SendSome(a, chunk);
      raw::SendSome(b, chunk);
      SockMsgs().clear();
      PumpPass();
      ASSERT_LE(SockMsgs().size(), 2u) << "pass " << pass;
      ASSERT_LE(servLRecvS.size(), 255u);
    }
    EXPECT_EQ(servLRecvS, std::string(255, 'f'));
    close(a), close(b);
  });
}

TEST(LinkClient, ExchangesBlocksAndASilentServerCannotHoldIt) {
  InOwnProcess([] {
    int port = 0;
    int listener = raw::Listen(&port);
    ASSERT_GE(listener, 0);
    std::snprintf(IP_ch, sizeof IP_ch, "localhost");  // through the name lookup
    SetPort(port);
    old_StartClient();
    ASSERT_EQ(Glob_WSA_ProgIs, Glob_WSA_C1);
    int s = raw::Accept(listener);
    ASSERT_GE(s, 0);

    ASSERT_TRUE(raw::SendAll(s, raw::Block("q12")));
    EXPECT_TRUE(PumpUntil([] { return servLRecvS == "q12"; }));
    EXPECT_TRUE(Seen(kNetMsgClient, kFD_READ));
    old_SendImit1();
    EXPECT_TRUE(IsBlock(raw::Read(s, 1000, 500), "GOL", "ACK"));

    // The server stops reading: a send that no longer fits ends at once.
    int last = kNetTestBlock;
    for (int i = 0; i < 1000000 && last == kNetTestBlock; ++i)
      last = NetWork2.Send(s64send3, kNetTestBlock, 0);
    EXPECT_LT(last, kNetTestBlock);
    EXPECT_EQ(WSAGetLastError(), WSAEWOULDBLOCK);

    raw::Reset(s);
    EXPECT_TRUE(PumpUntil([] { return Glob_WSAStartUpOK == 0; }));
    EXPECT_NE(LogText().find(kClientReset), std::string::npos) << LogText();
    close(listener);
  });
}

TEST(LinkClient, TheServerClosingFreesTheOwnSlot) {
  InOwnProcess([] {
    int port = 0;
    int listener = raw::Listen(&port);
    std::snprintf(IP_ch, sizeof IP_ch, "127.0.0.1");
    SetPort(port);
    old_StartClient();
    int s = raw::Accept(listener);
    ASSERT_GE(s, 0);
    close(s);
    EXPECT_TRUE(PumpUntil([] { return NetWork2.Slot(0) == INVALID_SOCKET; }));
    EXPECT_TRUE(Seen(kNetMsgClient, kFD_CLOSE));
    EXPECT_EQ(Glob_WSAStartUpOK, 1);
    close(listener);
  });
}

TEST(LinkClient, AHostThatDoesNotResolveLeavesInvalidArgument) {
  InOwnProcess([] {
    EXPECT_FALSE(NetWork2.Connect(hWnd, "no-such-host.invalid", 4000));
    EXPECT_EQ(WSAGetLastError(), WSAEINVAL);
    EXPECT_EQ(NetWork2.Slot(0), INVALID_SOCKET);
  });
}

// A port that is no port starts nothing and says why in the log.
TEST(LinkStart, APortOutOfRangeStartsNoRole) {
  for (const char* port : {"0", "65536", "abc", "-80", "999999999999999"}) {
    InOwnProcess([port] {
      std::snprintf(PORT_NUMBER_ch, sizeof PORT_NUMBER_ch, "%s", port);
      old_StartServer();
      EXPECT_EQ(Glob_WSA_ProgIs, 0) << port;
      EXPECT_EQ(NetWork2.Slot(0), INVALID_SOCKET) << port;
      EXPECT_NE(LogText().find("is not a port"), std::string::npos) << port;
      std::snprintf(IP_ch, sizeof IP_ch, "127.0.0.1");
      old_StartClient();
      EXPECT_EQ(Glob_WSA_ProgIs, 0) << port;
    });
  }
}

// Which socket messages the window procedure passes to the link: an error
// reported with a message that is served stops the link and is logged.
TEST(LinkFilter, MessagesOfTheOtherRoleOrOfAStoppedLinkAreIgnored) {
  struct Case {
    int started, role;
    UINT msg;
    const char* logged;  // null: ignored
  };
  const char kServer[] = "\n On Server net_err: WSAE NETDOWN";
  const char kClient[] = "\n On Client net_err: WSAE NETDOWN";
  const Case cases[] = {
      {0, 1, kNetMsgListen, nullptr},  {0, 1, kNetMsgPeer1, nullptr},
      {0, 1, kNetMsgPeer2, nullptr},   {0, 100, kNetMsgClient, nullptr},
      {1, 0, kNetMsgListen, nullptr},  {1, 0, kNetMsgClient, nullptr},
      {1, 100, kNetMsgListen, nullptr}, {1, 100, kNetMsgPeer1, nullptr},
      {1, 100, kNetMsgPeer2, nullptr}, {1, 1, kNetMsgClient, nullptr},
      {1, 100, kNetMsgClient, kClient}, {1, 101, kNetMsgClient, kClient},
      {1, 1, kNetMsgListen, kServer},  {1, 1, kNetMsgPeer1, kServer},
      {1, 1, kNetMsgPeer2, kServer},
  };
  InOwnProcess([&] {
    for (const Case& c : cases) {
      std::remove("log.txt");
      Glob_WSAStartUpOK = c.started;
      Glob_WSA_ProgIs = c.role;
      EXPECT_EQ(WndProc(hWnd, c.msg, 0, WSAMAKESELECTREPLY(kFD_READ, WSAENETDOWN)), 0);
      bool handled = c.logged != nullptr;
      EXPECT_EQ(Glob_WSAStartUpOK, handled ? 0 : c.started) << c.role << " " << c.msg;
      std::string log = LogText();
      EXPECT_EQ(log.find(handled ? c.logged : "net_err") != std::string::npos, handled)
          << c.role << " " << c.msg << log;
    }
  });
}

TEST(LinkErrors, EachCodeHasItsLineAndOthersTheFallback) {
  const std::pair<int, const char*> lines[] = {
      {10054, "WSAE CONNRESET // ECONNRESET\t10054\tAs in BSD"},
      {10014, "WSAE FAULT // EFAULT\t10014\tAs in standard C"},
      {11001, "WSA HOST_NOT_FOUND // HOST_NOT_FOUND\t11001\tAs in BSD."},
      {10091, "WSA SYSNOTREADY // 10091\tReturned by WSAStartup()   indicating that the network "
              "subsystem is unusable."},
      {10101, "WSAE DISCON // 100101\tReturned by WSARecv(), WSARecvFrom() to indicate the remote "
              "party has initiated a graceful shutdown sequence."},
      {995, "WSA_OPERATION_ABORTED // \t*\tAn overlapped operation has been canceled due to the "
            "closure of the socket, or the execution of the SIO_FLUSH command in WSAIoctl()"},
      {0, " x_err"}, {12345, " x_err"}, {-1, " x_err"}, {10000, " x_err"},
  };
  for (const auto& [code, text] : lines) EXPECT_STREQ(Net_ListErrN(code), text) << code;
  // Exactly the 46 numbers of the table have a line of their own.
  int known = 0;
  for (int code = 0; code < 20000; ++code) known += std::string(Net_ListErrN(code)) != " x_err";
  EXPECT_EQ(known, 46);
}

}  // namespace
