// The socket layer over POSIX sockets, with WSAAsyncSelect emulated by a poll
// without waiting once per pass of the message queue. Every socket of the game
// is a slot of one fixed table, so a stray handle never reaches a descriptor the
// game did not open, and nothing here allocates.
#include "platform/winsock.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/internal.h"

namespace {

enum class SockState : uint8_t { kFree, kIdle, kListening, kConnecting, kConnected, kDead };

struct SockRec {
  int fd = -1;
  SockState state = SockState::kFree;
  bool nonBlocking = false;
  HWND wnd = nullptr;
  UINT msg = 0;
  long events = 0;
  bool readArmed = false, acceptArmed = false, closePosted = false;
};

SockRec g_socks[ws::kMaxSockets];
int g_lastError;

int WsaFromErrno(int e) {
  switch (e) {
    case EINTR: return WSAEINTR;
    case EBADF: return WSAEBADF;
    case EACCES: case EPERM: return WSAEACCES;
    case EFAULT: return WSAEFAULT;
    case EINVAL: return WSAEINVAL;
    case EMFILE: case ENFILE: return WSAEMFILE;
    case EAGAIN: case EINPROGRESS: return WSAEWOULDBLOCK;  // a non-blocking connect under way
    case EALREADY: return WSAEALREADY;
    case ENOTSOCK: return WSAENOTSOCK;
    case EDESTADDRREQ: return WSAEDESTADDRREQ;
    case EMSGSIZE: return WSAEMSGSIZE;
    case EPROTOTYPE: return WSAEPROTOTYPE;
    case ENOPROTOOPT: return WSAENOPROTOOPT;
    case EPROTONOSUPPORT: return WSAEPROTONOSUPPORT;
    case ESOCKTNOSUPPORT: return WSAESOCKTNOSUPPORT;
    case EOPNOTSUPP: return WSAEOPNOTSUPP;
    case EPFNOSUPPORT: return WSAEPFNOSUPPORT;
    case EAFNOSUPPORT: return WSAEAFNOSUPPORT;
    case EADDRINUSE: return WSAEADDRINUSE;
    case EADDRNOTAVAIL: return WSAEADDRNOTAVAIL;
    case ENETDOWN: return WSAENETDOWN;
    case ENETUNREACH: return WSAENETUNREACH;
    case ENETRESET: return WSAENETRESET;
    case ECONNABORTED: return WSAECONNABORTED;
    case ECONNRESET: case EPIPE: return WSAECONNRESET;  // sending to a peer that has gone
    case ENOBUFS: case ENOMEM: return WSAENOBUFS;
    case EISCONN: return WSAEISCONN;
    case ENOTCONN: return WSAENOTCONN;
    case ESHUTDOWN: return WSAESHUTDOWN;
    case ETOOMANYREFS: return WSAETOOMANYREFS;
    case ETIMEDOUT: return WSAETIMEDOUT;
    case ECONNREFUSED: return WSAECONNREFUSED;
    case ELOOP: return WSAELOOP;
    case ENAMETOOLONG: return WSAENAMETOOLONG;
    case EHOSTDOWN: return WSAEHOSTDOWN;
    case EHOSTUNREACH: return WSAEHOSTUNREACH;
    default: return WSAENETDOWN;  // any other failure underneath
  }
}

int Fail(int wsaError) {
  g_lastError = wsaError;
  return SOCKET_ERROR;
}
int FailErrno() { return Fail(WsaFromErrno(errno)); }
SOCKET NoSocket(int wsaError) {
  Fail(wsaError);
  return INVALID_SOCKET;
}

SockRec* Find(SOCKET s) {
  if (s == INVALID_SOCKET) return nullptr;
  for (SockRec& r : g_socks)
    if (r.state != SockState::kFree && SOCKET(r.fd) == s) return &r;
  return nullptr;
}

// The free slot of the table, made ready for fd; null when the table is full.
SockRec* Take(int fd, SockState state) {
  for (SockRec& r : g_socks)
    if (r.state == SockState::kFree) {
      r = SockRec{};
      r.fd = fd;
      r.state = state;
      return &r;
    }
  return nullptr;
}

bool TableFull() {
  for (const SockRec& r : g_socks)
    if (r.state == SockState::kFree) return false;
  return true;
}

// A WinSock IPv4 address as the system's; false when it is not one.
bool NativeAddress(const ws::sockaddr* name, int nameLen, ::sockaddr_in* out) {
  if (!name || nameLen < int(sizeof(ws::sockaddr_in))) {
    Fail(WSAEFAULT);
    return false;
  }
  ws::sockaddr_in in;
  std::memcpy(&in, name, sizeof in);
  if (in.sin_family != kAF_INET) {
    Fail(WSAEAFNOSUPPORT);
    return false;
  }
  *out = ::sockaddr_in{};
  out->sin_family = AF_INET;
  out->sin_port = in.sin_port;
  out->sin_addr.s_addr = in.sin_addr.s_addr;
  return true;
}

int NativeFlags(int flags, bool* ok) {
  *ok = (flags & ~(kMSG_OOB | kMSG_PEEK)) == 0;
  return ((flags & kMSG_OOB) ? MSG_OOB : 0) | ((flags & kMSG_PEEK) ? MSG_PEEK : 0);
}

void PostEvent(SockRec& r, long event, int error) {
  PostMessageA(r.wnd, r.msg, WPARAM(r.fd), WSAMAKESELECTREPLY(int(event), error));
}

// A connected socket that poll reported: data, the peer's close or an error.
void ConnectedEvent(SockRec& r) {
  char probe;
  ssize_t got = ::recv(r.fd, &probe, 1, MSG_PEEK | MSG_DONTWAIT);
  if (got > 0) {
    if ((r.events & kFD_READ) && r.readArmed) {
      r.readArmed = false;
      PostEvent(r, kFD_READ, 0);
    }
    return;
  }
  if (got < 0 && (errno == EAGAIN || errno == EINTR)) return;
  if ((r.events & kFD_CLOSE) && !r.closePosted) {
    r.closePosted = true;
    PostEvent(r, kFD_CLOSE, got == 0 ? 0 : WsaFromErrno(errno));
  }
}

void ConnectingEvent(SockRec& r, short revents) {
  int err = 0;
  socklen_t len = sizeof err;
  if (getsockopt(r.fd, SOL_SOCKET, SO_ERROR, &err, &len) != 0) err = errno;
  if (err == 0 && !(revents & POLLOUT)) return;
  r.state = err ? SockState::kDead : SockState::kConnected;
  if (r.events & kFD_CONNECT) PostEvent(r, kFD_CONNECT, err ? WsaFromErrno(err) : 0);
}

}  // namespace

namespace plat {

void PollSockets() {
  pollfd fds[ws::kMaxSockets];
  SockRec* recs[ws::kMaxSockets];
  nfds_t n = 0;
  for (SockRec& r : g_socks) {
    if (r.state == SockState::kFree || !r.wnd || !r.events) continue;
    short want = 0;
    if (r.state == SockState::kListening && (r.events & kFD_ACCEPT) && r.acceptArmed)
      want = POLLIN;
    else if (r.state == SockState::kConnecting)
      want = POLLOUT;
    else if (r.state == SockState::kConnected &&
             (((r.events & kFD_READ) && r.readArmed) || ((r.events & kFD_CLOSE) && !r.closePosted)))
      want = POLLIN | POLLRDHUP;
    if (!want) continue;
    fds[n] = pollfd{r.fd, want, 0};
    recs[n++] = &r;
  }
  if (n == 0 || ::poll(fds, n, 0) <= 0) return;
  for (nfds_t i = 0; i < n; ++i) {
    if (!fds[i].revents) continue;
    SockRec& r = *recs[i];
    switch (r.state) {
      case SockState::kListening:
        r.acceptArmed = false;
        PostEvent(r, kFD_ACCEPT, 0);
        break;
      case SockState::kConnecting:
        ConnectingEvent(r, fds[i].revents);
        break;
      case SockState::kConnected:
        ConnectedEvent(r);
        break;
      default:
        break;
    }
  }
}

}  // namespace plat

int WSAStartup(WORD versionRequested, WSADATA* data) {
  if (!data) return WSAEFAULT;
  *data = WSADATA{};
  WORD highest = MAKEWORD(2, 2);
  int lo = versionRequested & 0xFF, hi = versionRequested >> 8;
  data->wVersion = (lo > 2 || (lo == 2 && hi > 2)) ? highest : versionRequested;
  data->wHighVersion = highest;
  std::strcpy(data->szDescription, "POSIX sockets");
  std::strcpy(data->szSystemStatus, "Running");
  data->iMaxSockets = ws::kMaxSockets;
  return 0;
}

int WSACleanup() { return 0; }
int WSAGetLastError() { return g_lastError; }
void WSASetLastError(int error) { g_lastError = error; }

int WSAAsyncSelect(SOCKET s, HWND wnd, UINT msg, long events) {
  SockRec* r = Find(s);
  if (!r) return Fail(WSAENOTSOCK);
  if (events && !IsWindow(wnd)) return Fail(WSAEINVAL);
  int fl = fcntl(r->fd, F_GETFL);
  if (fl < 0 || fcntl(r->fd, F_SETFL, fl | O_NONBLOCK) != 0) return FailErrno();
  r->nonBlocking = true;
  r->wnd = wnd;
  r->msg = msg;
  r->events = events;
  r->readArmed = r->acceptArmed = true;
  r->closePosted = false;
  return 0;
}

int closesocket(SOCKET s) {
  SockRec* r = Find(s);
  if (!r) return Fail(WSAENOTSOCK);
  ::close(r->fd);
  *r = SockRec{};
  return 0;
}

namespace ws {

SOCKET socket(int af, int type, int protocol) {
  if (af != kAF_INET) return NoSocket(WSAEAFNOSUPPORT);
  if (type != kSOCK_STREAM && type != kSOCK_DGRAM) return NoSocket(WSAESOCKTNOSUPPORT);
  if (TableFull()) return NoSocket(WSAEMFILE);
  int fd = ::socket(AF_INET, (type == kSOCK_STREAM ? SOCK_STREAM : SOCK_DGRAM) | SOCK_CLOEXEC,
                    protocol);
  if (fd < 0) return NoSocket(WsaFromErrno(errno));
  Take(fd, SockState::kIdle);
  return SOCKET(fd);
}

int bind(SOCKET s, const sockaddr* name, int nameLen) {
  SockRec* r = Find(s);
  if (!r) return Fail(WSAENOTSOCK);
  ::sockaddr_in addr;
  if (!NativeAddress(name, nameLen, &addr)) return SOCKET_ERROR;
  // A restarted server takes its port back at once, as it may on Windows.
  int on = 1;
  setsockopt(r->fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  if (::bind(r->fd, reinterpret_cast<::sockaddr*>(&addr), sizeof addr) != 0) return FailErrno();
  return 0;
}

int listen(SOCKET s, int backlog) {
  SockRec* r = Find(s);
  if (!r) return Fail(WSAENOTSOCK);
  if (::listen(r->fd, backlog) != 0) return FailErrno();
  r->state = SockState::kListening;
  r->acceptArmed = true;
  return 0;
}

SOCKET accept(SOCKET s, sockaddr* addr, int* addrLen) {
  SockRec* r = Find(s);
  if (!r) return NoSocket(WSAENOTSOCK);
  if (r->state != SockState::kListening) return NoSocket(WSAEINVAL);
  r->acceptArmed = true;  // the next pending peer is told of again
  if (addr && (!addrLen || *addrLen < int(sizeof(sockaddr_in))))
    return NoSocket(WSAEFAULT);
  ::sockaddr_in peer{};
  socklen_t len = sizeof peer;
  int fd = ::accept4(r->fd, reinterpret_cast<::sockaddr*>(&peer), &len,
                     SOCK_CLOEXEC | (r->nonBlocking ? SOCK_NONBLOCK : 0));
  if (fd < 0) return NoSocket(WsaFromErrno(errno));
  bool nonBlocking = r->nonBlocking;
  SockRec* rec = Take(fd, SockState::kConnected);
  if (!rec) {
    ::close(fd);
    return NoSocket(WSAEMFILE);
  }
  rec->nonBlocking = nonBlocking;
  if (addr) {
    sockaddr_in out{};
    out.sin_family = kAF_INET;
    out.sin_port = peer.sin_port;
    out.sin_addr.s_addr = peer.sin_addr.s_addr;
    std::memcpy(addr, &out, sizeof out);
    *addrLen = int(sizeof out);
  }
  return SOCKET(fd);
}

int connect(SOCKET s, const sockaddr* name, int nameLen) {
  SockRec* r = Find(s);
  if (!r) return Fail(WSAENOTSOCK);
  ::sockaddr_in addr;
  if (!NativeAddress(name, nameLen, &addr)) return SOCKET_ERROR;
  if (::connect(r->fd, reinterpret_cast<::sockaddr*>(&addr), sizeof addr) == 0) {
    r->state = SockState::kConnected;
    return 0;
  }
  int err = errno;
  if (err == EINPROGRESS) r->state = SockState::kConnecting;
  return Fail(WsaFromErrno(err));
}

int send(SOCKET s, const char* buf, int len, int flags) {
  SockRec* r = Find(s);
  if (!r) return Fail(WSAENOTSOCK);
  if (len < 0 || (!buf && len > 0)) return Fail(WSAEFAULT);
  bool ok;
  int native = NativeFlags(flags, &ok);
  if (!ok) return Fail(WSAEOPNOTSUPP);
  ssize_t n = ::send(r->fd, buf, size_t(len), native | MSG_NOSIGNAL);
  if (n >= 0) return int(n);
  // The system says "broken pipe" for a socket that never connected, too.
  if (errno == EPIPE && r->state != SockState::kConnected) return Fail(WSAENOTCONN);
  return FailErrno();
}

int recv(SOCKET s, char* buf, int len, int flags) {
  SockRec* r = Find(s);
  if (!r) return Fail(WSAENOTSOCK);
  r->readArmed = true;  // the next data is told of again
  if (len < 0 || (!buf && len > 0)) return Fail(WSAEFAULT);
  bool ok;
  int native = NativeFlags(flags, &ok);
  if (!ok) return Fail(WSAEOPNOTSUPP);
  ssize_t n = ::recv(r->fd, buf, size_t(len), native);
  return n < 0 ? FailErrno() : int(n);
}

uint32_t inet_addr(const char* text) { return text ? ::inet_addr(text) : kINADDR_NONE; }

hostent* gethostbyname(const char* name) {
  static char hostName[256];
  static uint32_t address;
  static char* addressList[2];
  static char* noAliases[1];
  static hostent entry;
  if (!name || std::strlen(name) >= sizeof hostName) {
    Fail(name ? WSAEINVAL : WSAEFAULT);
    return nullptr;
  }
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  int rc = getaddrinfo(name, nullptr, &hints, &found);
  if (rc != 0 || !found) {
    if (found) freeaddrinfo(found);
    g_lastError = rc == EAI_AGAIN ? WSATRY_AGAIN
                  : rc == EAI_FAIL ? WSANO_RECOVERY
                  : rc == EAI_NODATA ? WSANO_DATA
                                     : WSAHOST_NOT_FOUND;
    return nullptr;
  }
  address = reinterpret_cast<::sockaddr_in*>(found->ai_addr)->sin_addr.s_addr;
  freeaddrinfo(found);
  std::strcpy(hostName, name);
  addressList[0] = reinterpret_cast<char*>(&address);
  addressList[1] = nullptr;
  noAliases[0] = nullptr;
  entry = hostent{hostName, noAliases, short(kAF_INET), short(sizeof address), addressList};
  return &entry;
}

uint16_t htons(uint16_t v) { return ::htons(v); }
uint32_t htonl(uint32_t v) { return ::htonl(v); }

}  // namespace ws
