// The network link as a hostile peer meets it: the input chooses the role
// (a server with up to four raw peers, or a client of a raw server) and then
// scripts connects, byte streams of any content and length, orderly ends,
// resets, passes of the message pump, socket messages with any event and
// error, test sends and the start flag, in any order. Everything goes over
// real sockets on loopback into the real message queue and window procedure.
// The sanitizers catch bad accesses; the checks below catch the rest. Every
// input starts with no role, no address, nothing received, no socket error,
// no socket message noted and the program's values as at start-up.
#include <sys/socket.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "net/net.h"
#include "tests/common/link_window.h"
#include "tests/common/raw_peer.h"
#include "tests/fuzz/fuzz_fresh.h"
#include "tests/fuzz/fuzz_script.h"
#include "tests/fuzz/scratch.h"

namespace {

constexpr int kPeers = 4;

void Check() {
  if (servLRecvS.size() >= size_t(kNetRecvBuf)) std::abort();
  if (Glob_WSAStartUpOK != 0 && Glob_WSAStartUpOK != 1) std::abort();
}

void SetPort(int port) { std::snprintf(PORT_NUMBER_ch, sizeof PORT_NUMBER_ch, "%d", port); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool ready = [] {
    FuzzEnterScratch();
    OpenLinkWindow();
    old_Strings64Init();
    return true;
  }();
  (void)ready;
  FuzzFreshGlobals();
  WSASetLastError(0);
  std::memset(IP_ch, 0, sizeof IP_ch);
  std::memset(PORT_NUMBER_ch, 0, sizeof PORT_NUMBER_ch);
  servLRecvS.clear();
  servLRecvT = 0;
  SockMsgs().clear();
  FuzzScript in{data, size};
  const bool server = (in.Byte() & 1) == 0;
  int peers[kPeers] = {-1, -1, -1, -1};
  int listener = -1, port = 0;
  if (server) {
    raw::HeldPort held;
    port = held.port();
    SetPort(port);
    old_StartServer();
  } else {
    listener = raw::Listen(&port);
    std::snprintf(IP_ch, sizeof IP_ch, "127.0.0.1");
    SetPort(port);
    old_StartClient();
    peers[0] = raw::Accept(listener, 200);
  }

  for (int step = 0; in.n && step < 64; ++step) {
    const int op = in.Byte();
    int& fd = peers[server ? (op >> 3) % kPeers : 0];
    switch (op % 8) {
      case 0:
        if (server && fd < 0) fd = raw::Connect(port, 5);
        break;
      case 1: {
        size_t len = in.Byte() + size_t(in.Byte() % 4) * 256;
        std::string bytes;
        for (size_t i = 0; i < len && in.n; ++i) bytes.push_back(char(in.Byte()));
        if (fd >= 0) raw::SendSome(fd, bytes);
        break;
      }
      case 2:
        if (fd >= 0) shutdown(fd, SHUT_WR);
        break;
      case 3:
        if (fd >= 0) raw::Reset(fd);
        fd = -1;
        break;
      case 4:
      case 5:
        PumpPass();
        break;
      case 6: {
        UINT msg = kNetMsgListen + UINT(in.Byte() % 4);
        int event = in.Byte();
        int error = in.Byte() % 4 == 0 ? in.Coord() & 0xFFFF : 0;
        PostMessageA(hWnd, msg, 0, WSAMAKESELECTREPLY(event, error));
        break;
      }
      default:
        if (in.Byte() % 2) old_SendImit1();
        else Glob_WSAStartUpOK = in.Byte() % 2;
        break;
    }
    Check();
  }
  for (int i = 0; i < 4; ++i) PumpPass();
  Check();

  // Back to no role: the peers go first (with a reset, so that no closed
  // connection lingers), then the link; what is still queued finds it stopped.
  for (int& fd : peers)
    if (fd >= 0) raw::Reset(fd);
  if (listener >= 0) close(listener);
  NetWork2.Disconnect();
  Glob_WSAStartUpOK = 0;
  Glob_WSA_ProgIs = 0;
  PumpPass();
  servLRecvS.clear();
  return 0;
}
