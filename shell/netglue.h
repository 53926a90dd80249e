// What the program shell uses of the network link: the socket object (handed
// the socket messages by the window procedure, closed at exit), the flag that
// keeps frames running while the window is inactive, the host and port that
// konfig.txt gives, and the stop of the socket layer.
#pragma once

#include "net/SendRecieve.h"

extern int Glob_WSAStartUpOK;    // 1 while the socket layer is started
extern char IP_ch[256];          // the server's host: a dotted address or a name
extern char PORT_NUMBER_ch[16];  // the server's port in decimal
void Net_Fin();                  // stops the socket layer when it is started
