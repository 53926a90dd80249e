// Stand-ins for what the text and settings library calls in libraries that
// are not here yet. Each has the real name and signature; delete it when the
// real one lands.
#include "ui/lin2.h"
#include "ui/modesglue.h"

// stand-in: replaced by the front end's layout values (modes).
int Menu_li8_WHaf;

// stand-in: replaced by the front end's editor-object list (modes).
t_Lin2* EdFgr_li8() {
  static t_Lin2 li8;
  return &li8;
}
