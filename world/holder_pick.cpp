// The picking pass of the holder: GL selection names are slot numbers.
#include <GL/gl.h>

#include "ui/ui.h"
#include "world/holder.h"

#include "render/texstate.h"

void t_FgrHld::AnVDrawSel(WorkList& list, int& mode) {
  for (size_t i = 0; i < list.size(); ++i) {
    Fgr4* h = list[i];
    if (!h) continue;
    bool chosen = mode == 3 ? (*o2::DrawEditHelpLines != 0 || h->IsActive() == 1)
                            : h->active != 0;
    if (!chosen) continue;
    glPushName(static_cast<GLuint>(h->logNom));
    h->Event(EV_DRAW_SELECT, &mode);
    glPopName();
  }
}

void t_FgrHld::DrawForSel(int mode) {
  StartOfClearDraw1();
  for (WorkList& l : lists) AnVDrawSel(l, mode);
}
