// The front end's start: the object base, the cameras, the panel bands, the
// mode table, the minimap and the panel lists.
#include "modes/front.h"

#include "core/core.h"
#include "modes/mapgen.h"
#include "modes/soundglue.h"
#include "modes/steps.h"
#include "objects/objects.h"
#include "render/render.h"
#include "shell/shell.h"
#include "ui/modesglue.h"
#include "ui/ui.h"
#include "world/world.h"

Pro_Q7_Elements Q7;
Pro_Q7_Elements* NowProj = &Q7;

int speHPultDnQuad, speHPultUpQuad;
int speHPultDnMort, speHPultUpMort;
int speHPultDnSrez, speHPultUpSrez;
int spePultRotQHaf, spePultRotQHh;
int Menu_li1_WHaf, Menu_li8_WHaf;
int gPultBortTextX, gPultBortTextY;
int gPultNizText1Y, gPultNizText2Y, gPultNizText3Y;

t_Lin2* EdFgr_li8() { return &Q7.li8; }

namespace {

int PxW(float f) { return static_cast<int>(Ekran.W * f); }
int PxH(float f) { return static_cast<int>(Ekran.H * f); }

// The object base: loaded, or made new, saved and loaded again. A file that
// could not be read is kept aside as "_bad" first, so that the backup of the
// last good base is not replaced by it.
int BringUpBase() {
  Pro_Q7_Elements::SetBaseRoom();
  if (FgrHld.LoadBase(1)) {
    LogInfo("\n OK >> Pro_Q7_Elements::init()-->FgrHld.LoadBase()");
    return 1;
  }
  const std::string path = "base/gen" + FgHFileType;
  std::string kept;
  const int nameFree = SafeKeepAsBad(path, kept);
  LogInfo("\n Err >> Pro_Q7_Elements::init()-->FgrHld.LoadBase() // now make new: \"%s\" cannot be read (%s); %s",
          path.c_str(), FgrHld.LoadFailWhy().c_str(), kept.c_str());
  if (!nameFree) {
    LastFailSet("\"%s\" cannot be read (%s); %s", path.c_str(), FgrHld.LoadFailWhy().c_str(), kept.c_str());
    return 0;
  }
  FgrHld.InitBase();
  if (!FgrHld.SaveBase()) {
    LogInfo("\n ... Error Save new base. END");
    return 0;
  }
  if (!FgrHld.LoadBase(1)) {
    LogInfo("\n ... Error Load new base. END");
    return 0;
  }
  LogInfo("\n ... OK >> FgrHld.LoadBase()");
  return 1;
}

void Bands() {
  speHPultDnQuad = PxH(0.123f);
  speHPultUpQuad = PxH(0.106f);
  speHPultDnMort = PxH(0.091f);
  speHPultUpMort = PxH(0.05f);
  speHPultDnSrez = PxH(0.09f);
  speHPultUpSrez = PxH(0.08f);
}

void ModeTable() {
  Root_IPPI.SetMain(3, ippi_Q7::Menu_Step);
  Root_IPPI.SetSmena(3, 4, ippi_Q7::Menu_ToGame);
  Root_IPPI.SetSmena(3, 5, ippi_Q7::Menu_ToEdit);
  Root_IPPI.SetMain(4, ippi_Q7::Game_Step);
  Root_IPPI.SetSmena(4, 3, ippi_Q7::Game_ToMenu);
  Root_IPPI.SetMain(5, ippi_Q7::Edit_Step);
  Root_IPPI.SetSmena(5, 3, ippi_Q7::Edit_ToMenu);
}

// The panel band pictures are stretched, never repeated.
void ClampBandPictures() {
  for (unsigned n : {23u, 24u}) {
    Tex_UnitSet(0, 0, n);
    OGL::TexClamp(1);
  }
  TexUnitAllOff();
}

}  // namespace

void Pro_Q7_Elements::SetBaseRoom() {
  for (int& n : FgrHld.roomAtStart) n = 0;
  for (int& n : FgrHld.roomPerLevel) n = 0;
  FgrHld.roomAtStart[1] = kCameras;
  for (const t_MadeObjects& m : MapGen02_Makes) FgrHld.roomPerLevel[m.type] += m.count;
}

int Pro_Q7_Elements::MakeCameras() {
  pGameFotik = FgrHld.AddWrk(1, 2, 1) ? pTekFotik : nullptr;
  pPultFotik = FgrHld.Add_Fotik(4);
  pTopFotik = FgrHld.AddWrk(1, 3, 1) ? pTekFotik : nullptr;
  return pGameFotik && pPultFotik && pTopFotik;
}

void Pro_Q7_Elements::gPultTextInit() {
  gPultBortTextX = PxW(0.3f);
  gPultBortTextY = PxH(0.085f);
  gPultNizText1Y = PxH(0.052f);
  gPultNizText2Y = PxH(0.032f);
  gPultNizText3Y = PxH(0.012f);
}

int Pro_Q7_Elements::init() {
  if (!FgrHld.Init0(11500)) return 0;
  if (!BringUpBase()) return 0;
  if (!FgrHld.SetFirstScrFrm()) return 0;
  if (!MakeCameras()) {
    LastFailSet("its %d cameras cannot be made: their pool is full", kCameras);
    return 0;
  }
  Bands();
  ReshapeGL(Ekran.W, Ekran.H);
  SetMainScrFrm(pMainScrFrm);
  ModeTable();
  gPultTextInit();
  iconX = Ekran.W - PxW(0.15f);
  iconY = PxH(0.25f);
  ZSrc_ResetOnStartLevel();
  ClampBandPictures();
  minimap1.Init(PxW(0.15f), PxW(0.185f));

  li1.InitLin(101, 1, 17, 0.8f, 0.1f, 0.505f, 0.04f, 0.5f, 0.1f, 0.505f, 0.04f, 0, 1, 1);
  li2.InitLin(141, 0, 20, 0.215f, 0.005f, 0.025f, 0.08f, 0.15f, 0.0f, 0.2f, 0.035f, 0, 1, 1);
  li3.InitLin(181, 0, 18, 0.0f, 0.95f, 0.03f, 0.04f, 0.0f, 1.0f, 0.3f, 0.035f, 0, 1, 1);
  li4.InitLin(213, 0, 17, 0.0f, 0.29f, 0.07f, 0.04f, 0.0f, 0.07f, 0.23f, 0.035f, 0, 1, 1);
  li5.InitLin(253, 0, 19, 0.925f, 0.2f, 0.08f, 0.04f, 0.78f, 0.0f, 0.23f, 0.035f, 0, 1, 1);
  li6.InitLin(304, 0, 15, 0.875f, 0.917f, 0.09f, 0.035f, 0.81f, 0.38f, 0.2f, 0.04f, 0, 1, 1);
  li7.InitLin(355, 0, 17, 0.033f, 0.917f, 0.09f, 0.035f, 0.0f, 0.38f, 0.3f, 0.035f, 0, 1, 1);
  li8.InitLin(406, 0, 26, 0.0f, 0.0f, 0.05f, 0.05f, 0.0f, 0.0f, 0.3f, 0.035f, 0, 1, 1);
  li2.clickOnly = li6.clickOnly = li7.clickOnly = 1;
  Menu_li1_WHaf = PxW(0.7f);
  Menu_li8_WHaf = PxW(0.15f);
  spePultRotQHaf = PxH(0.05f);
  spePultRotQHh = PxH(0.025f);

  gOrgAllMenuInit();
  // The level flag is run-time state: a level exists only once a map
  // generator has made one in this run.
  *o2::EtapOK = 0;
  if (*o2::AktivIPPI == 4 || *o2::AktivIPPI == 5) {
    LogInfo("\n Pro_Q7_Elements::init(): no level yet, the program starts in the menu (not mode %d)",
            *o2::AktivIPPI);
    *o2::AktivIPPI = 3;
  }
  return 1;
}
