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

VELMAR_SHELL_IMPL(5, Car1)
VELMAR_SHELL_IMPL(6, Tank1)
