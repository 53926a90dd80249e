// Stand-ins for what the world objects call in libraries that are not here
// yet. Each has the real name and signature; delete it when the real one lands.
// stand-in: replaced by the unit helpers (the selection, the local side, the
// sectors' random point and the shot decoration).
#include "objects/laser.h"
#include "objects/standins_scene.h"
#include "world/world.h"

int PlayerBanerID = 1;

int PlayerSelected_AnIn(Fgr4* f) {
  if (!f) return 0;
  for (int i = 1; i <= PlayerSelected_Now && i <= 50; ++i)
    if (PlayerSelected_[i] == f) return 1;
  return 0;
}

void RandRavnoMerXZ(float& x, float& z, vec3 c, float r) {
  int n = static_cast<int>(r + 0.5f);
  if (n < 2) n = 20;
  x = Rand2F(c.x - r, c.x + r, n);
  z = Rand2F(c.z - r, c.z + r, n);
}

void DekorCrt_Laser(vec3 from, vec3 to, int, int brightness) {
  if (!FgrHld_AddWrk(15, 0, 1) || !pTekLaser) return;
  pTekLaser->brightness = brightness;
  pTekLaser->fadeStep = 4;
  pTekLaser->fadeCountdown = 24;
  pTekLaser->fadePeriod = 24;
  pTekLaser->mb.Pos(from);
  pTekLaser->setPointV(to);
}
