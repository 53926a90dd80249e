// The socket layer the game was written against (WinSock 1.1 with window-message
// selection), over POSIX sockets. Start-up and clean-up succeed and do nothing,
// errors come back as the WinSock error numbers, and a socket selected with
// WSAAsyncSelect is non-blocking; its events are polled once per pass of the
// message queue (PeekMessageA) and posted to its window as that socket's message
// with the event in the low word and the error in the high word of lParam.
// FD_READ and FD_ACCEPT are posted again only after the next recv or accept,
// FD_CLOSE once. FD_WRITE and FD_OOB are not emulated.
//
// The calls that share their names with the C library live in namespace ws; the
// constants whose names the C library takes as macros carry a k in front.
#pragma once

#include <netinet/in.h>

#include <cstdint>

#include "platform/win_types.h"

// With optimisation the C library defines the byte-order calls as macros,
// which would rewrite ws::htons(x) into a name that does not exist. Its
// header is read once, here, and the macros are undone: a later include of
// it (or of arpa/inet.h) defines nothing again.
#undef htons
#undef htonl
#undef ntohs
#undef ntohl

using SOCKET = uint32_t;
constexpr SOCKET INVALID_SOCKET = ~SOCKET(0);
constexpr int SOCKET_ERROR = -1;

// Address families, socket types, addresses (network byte order), send and
// receive flags.
constexpr int kAF_INET = 2;
constexpr int kSOCK_STREAM = 1, kSOCK_DGRAM = 2;
constexpr uint32_t kINADDR_ANY = 0, kINADDR_NONE = 0xFFFFFFFFu;
constexpr int kMSG_OOB = 0x1, kMSG_PEEK = 0x2;

// Events of WSAAsyncSelect.
constexpr long kFD_READ = 0x01, kFD_WRITE = 0x02, kFD_OOB = 0x04, kFD_ACCEPT = 0x08,
               kFD_CONNECT = 0x10, kFD_CLOSE = 0x20;
constexpr LPARAM WSAMAKESELECTREPLY(int event, int error) { return MAKELPARAM(event, error); }
constexpr WORD WSAGETSELECTEVENT(LPARAM l) { return LOWORD(uintptr_t(l)); }
constexpr WORD WSAGETSELECTERROR(LPARAM l) { return HIWORD(uintptr_t(l)); }

// WinSock error numbers.
constexpr int WSA_OPERATION_ABORTED = 995;
constexpr int WSAEINTR = 10004, WSAEBADF = 10009, WSAEACCES = 10013, WSAEFAULT = 10014,
              WSAEINVAL = 10022, WSAEMFILE = 10024;
constexpr int WSAEWOULDBLOCK = 10035, WSAEINPROGRESS = 10036, WSAEALREADY = 10037,
              WSAENOTSOCK = 10038, WSAEDESTADDRREQ = 10039, WSAEMSGSIZE = 10040,
              WSAEPROTOTYPE = 10041, WSAENOPROTOOPT = 10042, WSAEPROTONOSUPPORT = 10043,
              WSAESOCKTNOSUPPORT = 10044, WSAEOPNOTSUPP = 10045, WSAEPFNOSUPPORT = 10046,
              WSAEAFNOSUPPORT = 10047, WSAEADDRINUSE = 10048, WSAEADDRNOTAVAIL = 10049,
              WSAENETDOWN = 10050, WSAENETUNREACH = 10051, WSAENETRESET = 10052,
              WSAECONNABORTED = 10053, WSAECONNRESET = 10054, WSAENOBUFS = 10055,
              WSAEISCONN = 10056, WSAENOTCONN = 10057, WSAESHUTDOWN = 10058,
              WSAETOOMANYREFS = 10059, WSAETIMEDOUT = 10060, WSAECONNREFUSED = 10061,
              WSAELOOP = 10062, WSAENAMETOOLONG = 10063, WSAEHOSTDOWN = 10064,
              WSAEHOSTUNREACH = 10065;
constexpr int WSASYSNOTREADY = 10091, WSAVERNOTSUPPORTED = 10092, WSANOTINITIALISED = 10093,
              WSAEDISCON = 10101;
constexpr int WSAHOST_NOT_FOUND = 11001, WSATRY_AGAIN = 11002, WSANO_RECOVERY = 11003,
              WSANO_DATA = 11004;

constexpr WORD MAKEWORD(int lo, int hi) { return WORD(BYTE(lo) | (WORD(BYTE(hi)) << 8)); }

struct WSADATA {
  WORD wVersion;
  WORD wHighVersion;
  char szDescription[257];
  char szSystemStatus[129];
  unsigned short iMaxSockets;
  unsigned short iMaxUdpDg;
  char* lpVendorInfo;
};

// Always succeeds: grants the version asked for, at most 2.2.
int WSAStartup(WORD versionRequested, WSADATA* data);
int WSACleanup();
int WSAGetLastError();
void WSASetLastError(int error);

// Selects the events of s to be posted to wnd as msg; no events stops the
// posting. The socket becomes non-blocking.
int WSAAsyncSelect(SOCKET s, HWND wnd, UINT msg, long events);
int closesocket(SOCKET s);

namespace ws {

struct in_addr { uint32_t s_addr; };
struct sockaddr { uint16_t sa_family; char sa_data[14]; };
struct sockaddr_in {
  int16_t sin_family;
  uint16_t sin_port;  // network byte order
  in_addr sin_addr;   // network byte order
  char sin_zero[8];
};
struct hostent {
  char* h_name;
  char** h_aliases;
  short h_addrtype;
  short h_length;
  char** h_addr_list;  // addresses in network byte order, ended by a null pointer
};

// A program keeps at most this many sockets open at once.
constexpr int kMaxSockets = 16;

SOCKET socket(int af, int type, int protocol);
int bind(SOCKET s, const sockaddr* name, int nameLen);  // SO_REUSEADDR first
int listen(SOCKET s, int backlog);
SOCKET accept(SOCKET s, sockaddr* addr, int* addrLen);
int connect(SOCKET s, const sockaddr* name, int nameLen);
int send(SOCKET s, const char* buf, int len, int flags);  // never raises SIGPIPE
int recv(SOCKET s, char* buf, int len, int flags);
uint32_t inet_addr(const char* text);  // kINADDR_NONE when not an address
// The first IPv4 address of a host name; the record stays valid until the next
// call. Null when the name does not resolve (the last error tells why).
hostent* gethostbyname(const char* name);
// Byte order.
uint16_t htons(uint16_t v);
uint32_t htonl(uint32_t v);

}  // namespace ws
