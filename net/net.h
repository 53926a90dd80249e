// Public surface of the network link: the start and stop of the socket layer,
// the network role, the socket object NetWork2 with its socket messages, the
// text last received, the error texts of the log, and the test exchange of
// fixed 64-byte blocks that nothing in the program's flow starts.
#pragma once

#include <cstdint>
#include <string>

#include "net/SendRecieve.h"
#include "shell/netglue.h"
#include "world/netglue.h"

// Values of Glob_WSA_ProgIs: only 0, Glob_WSA_Server and Glob_WSA_C1 are ever
// set, and every value above Glob_WSA_Server counts as a client.
constexpr int Glob_WSA_Server = 1, Glob_WSA_C1 = 100, Glob_WSA_C2 = 101;

extern std::string servLRecvS;  // the text last received
extern uint32_t servLRecvT;     // GetTickCount at the last receive

void Net_Init1();  // starts the socket layer (version 2.0)
// The log line of a socket error number; " x_err" for a number it does not know.
const char* Net_ListErrN(int code);

// The test exchange.
constexpr int kNetTestBlock = 64;
extern char s64send1[kNetTestBlock], s64send2[kNetTestBlock], s64send3[kNetTestBlock],
    s64send4[kNetTestBlock];
void old_Strings64Init();  // the texts of the four blocks
void old_StartServer();    // in role 0: a server on PORT_NUMBER_ch
void old_StartClient();    // in role 0: a client of IP_ch at PORT_NUMBER_ch
void old_SendImit1();      // one block: server to the first peer, client to the server
