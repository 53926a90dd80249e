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

VELMAR_SHELL_IMPL(21, KomTehBox)
VELMAR_SHELL_IMPL(23, KomPult)
VELMAR_SHELL_IMPL(24, Dom)
VELMAR_SHELL_IMPL(25, DomXBunk)
VELMAR_SHELL_IMPL(26, DomXEner)
