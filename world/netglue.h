// What the world model uses of the network link: the network role, 0 none,
// 1 server, above 1 client (a client passes move orders on rather than acting
// on them itself).
#pragma once

extern int Glob_WSA_ProgIs;
