// The map generators and the object makers they share with the panel lines.
#include "modes/mapgen.h"

#include "core/core.h"
#include "modes/camzones.h"
#include "modes/standins.h"
#include "modes/steps.h"
#include "render/render.h"
#include "shell/shell.h"
#include "ui/ui.h"
#include "world/world.h"

namespace {

const char* const kHeightMap = "testHMap.tga";

// The part both generators share, after their own first objects.
void SharedSetUp() {
  SveKvad_box_UpdPos();
  GlobVector_ViewToSun = normalize(vec3(0.5f, 0.25f, -0.5f));
  GlobVector_ViewToSunDst = GlobVector_ViewToSun * 50.0f;
  Glob_KamOptimBoxP = vec3(0, 0, 0);
  Glob_KamOptimBoxG = vec3(450, 450, 450);
}

void SkyBelt() {
  Create_SkyBelt1(250.0f, 16, *o3::SkyR, *o3::SkyG, *o3::SkyB, *o3::FogR, *o3::FogG, *o3::FogB, *o3::SkyFogR,
                  *o3::SkyFogG, *o3::SkyFogB);
}

void Terrain() {
  Plit_Init();
  PlitHold.InitHMap(kHeightMap);
}

}  // namespace

int NewUnit(int preset, int side) {
  if (!FgrHld.AddWrkNetElit(27, preset, 1)) return 0;
  (void)side;
  return 1;
}

int NewEnergyBuilding(int side) {
  if (!FgrHld.AddWrkNetElit(26, 0, 1)) return 0;
  (void)side;
  return 1;
}

void MapGen01_General() {
  SkyBelt();
  FgrHld.AddWrk(7, 1, 1);
  for (int r = 0; r < 20; ++r)
    for (int c = 0; c < 20; ++c) FgrHld.AddWrk(19, 1, 1);
  SharedSetUp();
}

void MapGen01_Domiki() {
  for (int i = 0; i < 8; ++i) {
    FgrHld.AddWrk(8, 0, 1);
    FgrHld.AddWrk(8, 2, 1);
  }
}

void MapGen01_Units() {
  NewUnit(3, PlayerBanerID);
  NewUnit(2, PlayerBanerID);
  NewUnit(3, PlayerBanerID + 1);
}

void MapGen01() {
  FgrHld.ResetEtapFgr();
  MapGen01_General();
  Terrain();
  MapGen01_Domiki();
  MapGen01_Units();
  *o2::EtapOK = 1;
}

void MapGen02_General() {
  FgrHld.AddWrk(23, 1, 1);
  FgrHld.AddWrk(23, 2, 1);
  SkyBelt();
  FgrHld.AddWrk(7, 1, 1);
  SharedSetUp();
}

void MapGen02() {
  FgrHld.ResetEtapFgr();
  MapGen02_General();
  Terrain();
  FgrHld.AddWrk(25, 1, 1);
  FgrHld.AddWrk(25, 2, 1);
  *o2::EtapOK = 1;
}
