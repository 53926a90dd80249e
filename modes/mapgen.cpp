// The map generators and the object makers they share with the panel lines.
#include "modes/mapgen.h"

#include "core/core.h"
#include "modes/camzones.h"
#include "modes/standins.h"
#include "modes/steps.h"
#include "objects/objects.h"
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

// The level's sun: a flare of kind 1 with its shining and dark phases (ms).
void SunFlare(int onTime, int offTime) {
  pSunFlr2 = nullptr;
  if (!FgrHld.AddWrk(7, 1, 1) || !pTekFlr2) return;
  pSunFlr2 = pTekFlr2;
  pSunFlr2->onBase = pSunFlr2->onTime = onTime;
  pSunFlr2->offTime = offTime;
}

// The level's objects go; the posts' vertices go with the last post.
void LevelReset() {
  FgrHld.ResetEtapFgr();
  if (Fgr4W.Stolb.InUse() == 0) testGenVrt.Sbros();
}

void Terrain() {
  Plit_Init();
  PlitHold.InitHMap(kHeightMap);
}

}  // namespace

int NewUnit(int preset, int side) {
  if (!FgrHld.AddWrkNetElit(27, preset, 1) || !pTekUnit) return 0;
  pTekUnit->iu[uiSide] = side;
  return 1;
}

int NewEnergyBuilding(int side) {
  if (!FgrHld.AddWrkNetElit(26, 0, 1)) return 0;
  (void)side;
  return 1;
}

void MapGen01_General() {
  SkyBelt();
  SunFlare(15000, 500);
  constexpr int kCells = 20;
  constexpr float kCell = 4000.0f / kCells;
  for (int r = 0; r < kCells; ++r)
    for (int c = 0; c < kCells; ++c) {
      if (!FgrHld.AddWrk(19, 1, 1) || !pTekSektor) continue;
      pTekSektor->mb.Pos(kCell / 2 + kCell * c, 50.0f, kCell / 2 + kCell * r);
      pTekSektor->mb.setGbr(kCell / 2, 50.0f, kCell / 2);
      pTekSektor->weather = 1;
    }
  SharedSetUp();
}

namespace {
void Post(int kind, float x, float z) {
  if (FgrHld.AddWrk(8, kind, 1) && pTekStolb) pTekStolb->PosUpd_SetOpora(x, 0.0f, z, 0.0f);
}
}  // namespace

void MapGen01_Domiki() {
  for (int i = 0; i < 8; ++i) {
    Post(0, 2010.0f + 20.0f * i, 2010.0f);
    Post(2, 1930.0f, 2010.0f + 20.0f * i);
  }
}

void MapGen01_Units() {
  NewUnit(3, PlayerBanerID);
  NewUnit(2, PlayerBanerID);
  if (NewUnit(3, PlayerBanerID + 1)) {
    pTekUnit->mb.Pos(2000.0f, 0.0f, 2000.0f);
    pTekUnit->mb.PosYOpor();
  }
}

void MapGen01() {
  LevelReset();
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
  SunFlare(999000, 0);
  SharedSetUp();
}

void MapGen02() {
  LevelReset();
  MapGen02_General();
  Terrain();
  FgrHld.AddWrk(25, 1, 1);
  FgrHld.AddWrk(25, 2, 1);
  *o2::EtapOK = 1;
}
