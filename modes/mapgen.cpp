// The map generators and the object makers they share with the panel lines.
#include "modes/mapgen.h"

#include "core/core.h"
#include "modes/camzones.h"
#include "modes/soundglue.h"
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
  if (!FgrHld.AddWrkNetElit(26, 0, 1) || !pTekDomXEner) return 0;
  pTekDomXEner->side = side;
  pTekDomXEner->LandUp();
  return 1;
}

namespace {

// A side's command post (kind 1 or 2) at (0, 50, postZ), with its
// technology box at (0, 50, boxZ): the first side's with the built-in
// records, the second's blank. The post, or null when none was made.
tw_KomPult* CommandPost(int kind, int side, float postZ, float boxZ) {
  if (!FgrHld.AddWrk(23, kind, 1) || !pTekKomPult) return nullptr;
  tw_KomPult* post = pTekKomPult;
  post->side = side;
  post->mb.Pos(0.0f, 50.0f, postZ);
  if (FgrHld.AddWrk(21, 0, 1) && pTekKomTehBox) {
    tw_KomTehBox* box = pTekKomTehBox;
    if (kind == 1) box->SetStart_K(1, 1, 1);
    else box->SetStart_F(1, 1, 1);
    box->baner = side;
    box->mb.Pos(0.0f, 50.0f, boxZ);
    post->fgrTehBoxSet(box);
  }
  return post;
}

// A side's bunker (kind 1 or 2) on the ground at (x, x), where the side's
// post finds it through a trigger link and produces its units.
void Bunker(int kind, int side, float x, Fgr4* post) {
  if (!FgrHld.AddWrk(25, kind, 1) || !pTekDomXBunk) return;
  tw_DomXBunk* b = pTekDomXBunk;
  b->side = side;
  b->mb.Pos(x, 0.0f, x);
  b->mb.PosYOpor();
  b->LandUp();
  b->spawnMark = 1;
  if (post) post->trigAdd(b->MyFgr(), 0);
}

}  // namespace

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
  p1KomPult = CommandPost(1, PlayerBanerID, 25.0f, 50.0f);
  p1FgrKomPult = p1KomPult ? p1KomPult->priv_MyFgr() : nullptr;
  p2KomPult = CommandPost(2, PlayerBanerID + 1, -25.0f, -50.0f);
  p2FgrKomPult = p2KomPult ? p2KomPult->priv_MyFgr() : nullptr;
  SkyBelt();
  SunFlare(999000, 0);
  SharedSetUp();
}

// Its two command posts with their technology boxes, the sun's flare and the
// two bunkers.
const t_MadeObjects MapGen02_Makes[4] = {{23, 2}, {21, 2}, {7, 1}, {25, 2}};

void MapGen02() {
  LevelReset();
  MapGen02_General();
  Terrain();
  Bunker(1, PlayerBanerID, 1160.0f, p1FgrKomPult);
  Bunker(2, PlayerBanerID + 1, 2840.0f, p2FgrKomPult);
  *o2::EtapOK = 1;
  LogInfo("\n new level made");
}
