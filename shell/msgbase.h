// The message base: numbered user texts in two language variants, read at
// start-up from base/msgbase.txt; o2::EngText chooses the variant.
#pragma once

#include <cstdint>

#include "core/chars.h"

extern t_Char128* msgbase;   // 2 slots per message; null until loaded
extern int16_t msgbaseLast;  // index of the last slot, 2N - 1

int LoadMsgBase();
const char* MsgBase(int n);
void FreeMsgBase();
int PrivetUser();
