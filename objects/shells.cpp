#include "objects/shells.h"

#include "objects/frame.h"

// A shell answers the frame's codes only.
#define VELMAR_SHELL_IMPL(code_, Name)                            \
  tw_##Name* pTek##Name = nullptr;                                          \
  void tw_##Name::OnEvent(int code, void* a, void* b, void* c, void* d) {   \
    (void)d;                                                                \
    if (!ObjFrame_Enter(owner, code_, code)) return;                        \
    ObjFrame_Common(owner, code_, code, a, b);                              \
    if (code_ != 20 && ObjFrame_WantsCurrent(code, b, c)) pTek##Name = this; \
  }

VELMAR_SHELL_IMPL(2, Kmd3)
VELMAR_SHELL_IMPL(5, Car1)
VELMAR_SHELL_IMPL(6, Tank1)
VELMAR_SHELL_IMPL(7, Flr2)
VELMAR_SHELL_IMPL(8, Stolb)
VELMAR_SHELL_IMPL(9, Svet1)
VELMAR_SHELL_IMPL(10, Trig1)
VELMAR_SHELL_IMPL(11, Snow)
VELMAR_SHELL_IMPL(12, Smoke)
VELMAR_SHELL_IMPL(13, Boom)
VELMAR_SHELL_IMPL(14, Oblom1)
VELMAR_SHELL_IMPL(15, Laser)
VELMAR_SHELL_IMPL(16, TailStrip)
VELMAR_SHELL_IMPL(17, Dekor)
VELMAR_SHELL_IMPL(18, EtapLink)
VELMAR_SHELL_IMPL(19, Sektor)
VELMAR_SHELL_IMPL(20, Land)
VELMAR_SHELL_IMPL(21, KomTehBox)
VELMAR_SHELL_IMPL(22, Sputnik)
VELMAR_SHELL_IMPL(23, KomPult)
VELMAR_SHELL_IMPL(24, Dom)
VELMAR_SHELL_IMPL(25, DomXBunk)
VELMAR_SHELL_IMPL(26, DomXEner)
