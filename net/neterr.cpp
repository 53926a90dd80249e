// The log texts of the socket error numbers.
#include "net/net.h"

namespace {

struct ErrLine {
  int code;
  const char* text;
};

constexpr ErrLine kErrLines[] = {
    {WSA_OPERATION_ABORTED,
     "WSA_OPERATION_ABORTED // \t*\tAn overlapped operation has been canceled due to the closure of "
     "the socket, or the execution of the SIO_FLUSH command in WSAIoctl()"},
    {WSAEINTR, "WSAE INTR // EINTR\t10004\tAs in standard C"},
    {WSAEBADF, "WSAE BADF // EBADF\t10009\tAs in standard C"},
    {WSAEACCES, "WSAE ACCES // EACCES\t10013\tAs in standard C"},
    {WSAEFAULT, "WSAE FAULT // EFAULT\t10014\tAs in standard C"},
    {WSAEINVAL, "WSAE INVAL // EINVAL\t10022\tAs in standard C"},
    {WSAEMFILE, "WSAE MFILE // EMFILE\t10024\tAs in standard C"},
    {WSAEWOULDBLOCK, "WSAE WOULDBLOCK // EWOULDBLOCK\t10035\tAs in BSD"},
    {WSAEINPROGRESS,
     "WSAE INPROGRESS // EINPROGRESS\t10036\tThis error is returned if any WinSock function is "
     "called while a blocking function is in progress."},
    {WSAEALREADY, "WSAE ALREADY // EALREADY\t10037\tAs in BSD"},
    {WSAENOTSOCK, "WSAE NOTSOCK // ENOTSOCK\t10038\tAs in BSD"},
    {WSAEDESTADDRREQ, "WSAE DESTADDRREQ // EDESTADDRREQ\t10039\tAs in BSD"},
    {WSAEMSGSIZE, "WSAE MSGSIZE // EMSGSIZE\t10040\tAs in BSD"},
    {WSAEPROTOTYPE, "WSAE PROTOTYPE // EPROTOTYPE\t10041\tAs in BSD"},
    {WSAENOPROTOOPT, "WSAE NOPROTOOPT // ENOPROTOOPT\t10042\tAs in BSD"},
    {WSAEPROTONOSUPPORT, "WSAE PROTONOSUPPORT // EPROTONOSUPPORT\t10043\tAs in BSD"},
    {WSAESOCKTNOSUPPORT, "WSAE SOCKTNOSUPPORT // ESOCKTNOSUPPORT\t10044\tAs in BSD"},
    {WSAEOPNOTSUPP, "WSAE OPNOTSUPP // EOPNOTSUPP\t10045\tAs in BSD"},
    {WSAEPFNOSUPPORT, "WSAE PFNOSUPPORT // EPFNOSUPPORT\t10046\tAs in BSD"},
    {WSAEAFNOSUPPORT, "WSAE AFNOSUPPORT // EAFNOSUPPORT\t10047\tAs in BSD"},
    {WSAEADDRINUSE, "WSAE ADDRINUSE // EADDRINUSE\t10048\tAs in BSD"},
    {WSAEADDRNOTAVAIL, "WSAE ADDRNOTAVAIL // EADDRNOTAVAIL\t10049\tAs in BSD"},
    {WSAENETDOWN,
     "WSAE NETDOWN // ENETDOWN\t10050\tAs in BSD.  This error may be reported at any time if the "
     "WinSock implementation detects an underlying failure."},
    {WSAENETUNREACH, "WSAE NETUNREACH // ENETUNREACH\t10051\tAs in BSD"},
    {WSAENETRESET, "WSAE NETRESET // ENETRESET\t10052\tAs in BSD"},
    {WSAECONNABORTED, "WSAE CONNABORTED // ECONNABORTED\t10053\tAs in BSD"},
    {WSAECONNRESET, "WSAE CONNRESET // ECONNRESET\t10054\tAs in BSD"},
    {WSAENOBUFS, "WSAE NOBUFS // ENOBUFS\t10055\tAs in BSD"},
    {WSAEISCONN, "WSAE ISCONN // EISCONN\t10056\tAs in BSD"},
    {WSAENOTCONN, "WSAE NOTCONN // ENOTCONN\t10057\tAs in BSD"},
    {WSAESHUTDOWN, "WSAE SHUTDOWN // ESHUTDOWN\t10058\tAs in BSD"},
    {WSAETOOMANYREFS, "WSAE TOOMANYREFS // ETOOMANYREFS\t10059\tAs in BSD"},
    {WSAETIMEDOUT, "WSAE TIMEDOUT // ETIMEDOUT\t10060\tAs in BSD"},
    {WSAECONNREFUSED, "WSAE CONNREFUSED // ECONNREFUSED\t10061\tAs in BSD"},
    {WSAELOOP, "WSAE LOOP // ELOOP\t10062\tAs in BSD"},
    {WSAENAMETOOLONG, "WSAE NAMETOOLONG // ENAMETOOLONG\t10063\tAs in BSD"},
    {WSAEHOSTDOWN, "WSAE HOSTDOWN // EHOSTDOWN\t10064\tAs in BSD"},
    {WSAEHOSTUNREACH, "WSAE HOSTUNREACH // EHOSTUNREACH\t10065\tAs in BSD"},
    {WSASYSNOTREADY,
     "WSA SYSNOTREADY // 10091\tReturned by WSAStartup()   indicating that the network subsystem is "
     "unusable."},
    {WSAVERNOTSUPPORTED,
     "WSA VERNOTSUPPORTED // 10092\tReturned by WSAStartup() indicating that the WinSock DLL cannot "
     "support this app."},
    {WSANOTINITIALISED,
     "WSA NOTINITIALISED // 10093\tReturned by any function except WSAStartup() indicating that a "
     "successful WSAStartup() has not yet been performed."},
    {WSAEDISCON,
     "WSAE DISCON // 100101\tReturned by WSARecv(), WSARecvFrom() to indicate the remote party has "
     "initiated a graceful shutdown sequence."},
    {WSAHOST_NOT_FOUND, "WSA HOST_NOT_FOUND // HOST_NOT_FOUND\t11001\tAs in BSD."},
    {WSATRY_AGAIN, "WSA TRY_AGAIN // TRY_AGAIN\t11002\tAs in BSD"},
    {WSANO_RECOVERY, "WSA NO_RECOVERY // NO_RECOVERY\t11003\tAs in BSD"},
    {WSANO_DATA, "WSA NO_DATA // NO_DATA\t11004\tAs in BSD"},
};
static_assert(sizeof kErrLines / sizeof kErrLines[0] == 46);

}  // namespace

const char* Net_ListErrN(int code) {
  for (const ErrLine& e : kErrLines)
    if (e.code == code) return e.text;
  return " x_err";
}
