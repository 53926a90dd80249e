// Plain POSIX sockets on loopback for the other end of a network-link test: a
// peer that connects, sends, reads with a deadline, closes or resets, and a
// listener. Every call is bounded in time.
#pragma once

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace raw {

inline sockaddr_in Loopback(int port) {
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(uint16_t(port));
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return a;
}

// A loopback port kept for the test while the object lives: a socket stays
// bound to it (SO_REUSEADDR, never listening), so that no other program on
// the machine, another test run among them, takes it meanwhile and a connect
// to it is refused, while a listener of the test's own binding it with
// SO_REUSEADDR (as the socket layer does) still can. Once that listener is
// bound, the port is its own and the object may go.
class HeldPort {
 public:
  HeldPort() {
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    int on = 1;
    sockaddr_in a = Loopback(0);
    socklen_t len = sizeof a;
    if (fd_ >= 0 && ::setsockopt(fd_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) == 0 &&
        ::bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
        getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &len) == 0)
      port_ = ntohs(a.sin_port);
  }
  ~HeldPort() {
    if (fd_ >= 0) ::close(fd_);
  }
  HeldPort(const HeldPort&) = delete;
  HeldPort& operator=(const HeldPort&) = delete;
  int port() const { return port_; }

 private:
  int fd_ = -1;
  int port_ = 0;
};

// The wait for what should come at once: only a safety net for a loaded
// machine.
constexpr int kSafetyNetMs = 60000;

// A peer connected within timeoutMs (a server that no longer accepts lets the
// handshake wait), or -1. The socket blocks afterwards.
inline int Connect(int port, int timeoutMs = kSafetyNetMs) {
  int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
  if (fd < 0) return -1;
  sockaddr_in a = Loopback(port);
  bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
  if (!ok && errno == EINPROGRESS) {
    pollfd p{fd, POLLOUT, 0};
    int err = 0;
    socklen_t len = sizeof err;
    ok = ::poll(&p, 1, timeoutMs) > 0 && getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len) == 0 &&
         err == 0;
  }
  if (!ok || fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

inline bool SendAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
    if (n <= 0) return false;
    done += size_t(n);
  }
  return true;
}

// Sends what the socket takes without waiting; the count sent.
inline size_t SendSome(int fd, const std::string& bytes) {
  ssize_t n = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
  return n > 0 ? size_t(n) : 0;
}

inline bool Readable(int fd, int timeoutMs) {
  pollfd p{fd, POLLIN, 0};
  return ::poll(&p, 1, timeoutMs) > 0;
}

// Reads until want bytes have come, the peer has gone or timeoutMs passed.
inline std::string Read(int fd, size_t want, int timeoutMs) {
  std::string got;
  char buf[4096];
  while (got.size() < want && Readable(fd, timeoutMs)) {
    size_t ask = want - got.size() < sizeof buf ? want - got.size() : sizeof buf;
    ssize_t n = ::recv(fd, buf, ask, MSG_DONTWAIT);
    if (n <= 0) break;
    got.append(buf, size_t(n));
  }
  return got;
}

// True once the other end has closed (end of stream or reset) within timeoutMs.
inline bool Closed(int fd, int timeoutMs) {
  char buf[256];
  while (Readable(fd, timeoutMs)) {
    ssize_t n = ::recv(fd, buf, sizeof buf, MSG_DONTWAIT);
    if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) return true;
  }
  return false;
}

// Closes with a reset rather than an orderly end.
inline void Reset(int fd) {
  linger l{1, 0};
  setsockopt(fd, SOL_SOCKET, SO_LINGER, &l, sizeof l);
  ::close(fd);
}

// A listener on a free loopback port (written to *port), or -1.
inline int Listen(int* port) {
  int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a = Loopback(0);
  socklen_t len = sizeof a;
  if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || ::listen(fd, 4) != 0 ||
      getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) != 0) {
    if (fd >= 0) ::close(fd);
    return -1;
  }
  *port = ntohs(a.sin_port);
  return fd;
}

// A peer that connected to the listener within timeoutMs, or -1.
inline int Accept(int listener, int timeoutMs = kSafetyNetMs) {
  if (!Readable(listener, timeoutMs)) return -1;
  return ::accept(listener, nullptr, nullptr);
}

// A block of the test exchange: text, then zeros up to size.
inline std::string Block(const char* text, size_t size = 64) {
  std::string b(size, '\0');
  b.replace(0, std::string(text).size(), text);
  return b;
}

}  // namespace raw
