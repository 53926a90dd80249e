// The editor (program mode 5): a free or top camera over the level, terrain
// painting, raising and lowering, picks, and the numbered properties of the
// selected object through the editor-object list.
#include <GL/gl.h>

#include "core/core.h"
#include "modes/front.h"
#include "modes/pointer.h"
#include "modes/select.h"
#include "modes/soundglue.h"
#include "modes/steps.h"
#include "objects/objects.h"
#include "render/render.h"
#include "shell/shell.h"
#include "ui/ui.h"
#include "world/world.h"

namespace {

bool Shift() { return nsMKeys::n[16] != 0; }

// The tile of the last ground click, -1 when there is none or the setting
// holds no tile number.
int ChosenTile() {
  const int t = *o2::Plit_OfsNom;
  return t >= 0 && t < kPlitTiles ? t : -1;
}

int OverlayCommands(inerQ7EditKmd& kmd) {
  static bool testButtonMade = false;
  if (OverlayKeys(kmd[34], kmd[7], kmd[8])) return 1;
  if (kmd[15].Sig() && !testButtonMade) {
    testButtonMade = true;
    Test_AddKnoForBase();
  }
  OverlayLists(kmd[1]);
  return 0;
}

// After the clicks: a drag starts on a single click with the button held
// and ends on its release as a rectangle or a single pick; a single click
// whose button was released before it was reported (at the end of its
// double-click window) is a single pick at once.
void SelectionTail() {
  if (!*o2::KliForSelect && !*o2::RRezInProgres) return;
  if (*o2::KameraMode) {
    *o2::UseSelVariant = 1;
  } else if (!*o2::RRezInProgres) {
    if (*o2::KliForSelect == 1) {
      if (*o2::gmLKeyIsPush) *o2::RRezInProgres = 1;
      else *o2::UseSelVariant = 1;
    }
  } else if (!*o2::gmLKeyIsPush) {
    *o2::RRezInProgres = 0;
    const int dx = zn::Absi(gMX - *o2::KlikForSelX), dy = zn::Absi(gMY - *o2::KlikForSelY);
    *o2::UseSelVariant = dx > 3 || dy > 3 ? 2 : 1;
  }
}

// The ground point of a right click chooses the tile, and paints it with the
// last type when that is asked for.
void GroundClick() {
  if (*o2::UseSelVariant != 3) return;
  vec3 p;
  if (!GetPointUnderKurs(p, *o2::KlikForSelX, *o2::KlikForSelY, glob_nowVPKam)) return;
  test1PointVec = p;
  *o2::Plit_OfsNom = t_PlitHold::YchFrCoord(p.x, p.z);
  const int tile = ChosenTile();
  if (tile >= 0 && *o2::EditLandKlikType && *o2::PlitLastLandT) Plit_SetTypeAnUV(tile, *o2::PlitLastLandT);
}

void Scene(tw_Fotik* cam) {
  glDisable(GL_SCISSOR_TEST);
  Ekran_ClearF(Ekran, *o3::SkyR, *o3::SkyG, *o3::SkyB);
  StartOfClearDraw1();
  if (!cam) return;
  KamSetUp(cam);
  Sprr1.UpdMatrix();
  Sprr1.UpdR360();
  Fru1.Update();
  Svet::ProcCase(0);
  Fog_ProcCase(0, 1.0f, 0, 0, 0);
  PlitHold.Plit_Draw();
  GroundClick();
  TexMat(0, -1, 0, -1, 0);
  NomBlend(0);
  glColor3f(0.1f, 1.0f, 0.1f);
  d3::Kub(test1PointVec.x, test1PointVec.y, test1PointVec.z, 1.0f);
  Svet::ProcCase(0);
  Fog_ProcCase(0, 1.0f, 0, 0, 0);
  FgrHld.DrawZkz(3, 1);
  RenderM._Run(glob_nowVPKam);
}

void ShadowText(int x, int y, uint8_t r, uint8_t g, uint8_t b, int centre) {
  ColorMat(255, 30, 20, 10);
  Print2D(static_cast<short>(x + 1), static_cast<short>(y - 1), static_cast<short>(centre), 0, 100, 0, 0, 0, 0, 0);
  ColorMat(255, r, g, b);
  Print2D(static_cast<short>(x), static_cast<short>(y), static_cast<short>(centre), 0, 100, 0, 0, 0, 0, 0);
}

void Edit_2D() {
  const int W = Ekran.W, H = Ekran.H;
  glViewport(0, 0, W, H);
  if (!Begin2D(0, W, 0, H)) return;
  TexMat(0, -1, 0, -1, 0);
  NomBlend(0);
  if (*o2::RRezInProgres) {
    glLineWidth(1);
    ColorMat(255, 0, 200, 130);
    d2::Q_(static_cast<float>(*o2::KlikForSelX), static_cast<float>(*o2::KlikForSelY),
           static_cast<float>(gMX - *o2::KlikForSelX), static_cast<float>(gMY - *o2::KlikForSelY), 0);
  }
  if (NowProj->li8.lineUK < 0) {
    const int tile = ChosenTile();
    TBufUpdate(0, 0, "Plit_OfsNom:%d    (ug1 %d)", *o2::Plit_OfsNom, tile >= 0 ? t_PlitHold::NearUg1(tile) : -1);
    ShadowText(10, H / 2 + 75, 255, 225, 0, 0);
    TBufUpdate(0, 0, "testWnZ:%3.6f     (%3.3f  %3.3f  %3.3f)", GetPointUnderKurs_testWnZ, test1PointVec.x,
               test1PointVec.y, test1PointVec.z);
    ShadowText(10, H / 2 + 35, 255, 0, 0, 0);
    ColorMat(255, 0, 50, 50);
    Print2D(static_cast<short>(W / 2 + 1), 54, 1, 0, 100, 0, 0, 0, 0, 0);
    ColorMat(255, 255, 255, 255);
    Print2D(static_cast<short>(W / 2), 55, 1, 0, 100, 0, 0, 0, 0, 0);
  }
  if (flagSuperOrg) {
    gOrg2MenuDraw(&org2_li9);
    gOrgFMenuDraw(&orgF_li10);
  }
  End2D();
}

}  // namespace

int ippi_Q7::Edit_Step() {
  static int first = 1;
  static inerQ7EditKmd kmd;
  if (first) {
    first = 0;
    if (!kmd._Load()) return 0;
  }
  MouseCoordRoot();
  if ((*o2::KameraMode || nsMKeys::n[17]) && !flagSuperOrg) KursorToCentre();
  kmd[1].KeyVersSbros(0, 1, 1);
  kmd[2].KeyVersSbros(0, 1, 1);
  kmd.SensUp();
  RenderM._ResetOnStartNewLap();
  PlitHold.Resident();
  zn::ToZero(*o2::AnyKliHvoWait);
  EditSbor::SetSoloFotik();
  if (kmd[11].Sig()) *o2::NeedScreen = 1;
  *o2::KursInMiniMap = 0;
  *o2::gmLKeyIsPush = *o2::gmRKeyIsPush = 0;
  *o2::UseSelVariant = *o2::KliForSelect = *o2::KliForDefAct = 0;
  oRRezX = oRRezY = oRRezW = oRRezH = 0;
  if (flagSuperOrg) {
    if (OverlayCommands(kmd)) return 1;
  } else {
    EditSbor::es20_Kmd(kmd);
  }
  _UniIS_Cases::Cases_UniIStringUpdate();
  SelectionTail();
  EditSbor::es50_NormSelect();
  UniInputExitRes();
  tw_Fotik* cam = pSoloFotik;
  minimap1.DrawToTexPlus(cam ? &cam->mb : nullptr);
  Scene(cam);
  Svet::ProcCase(0);
  NowProj->Edit_RenderExtra();
  Edit_2D();
  RenderInputString();
  return 1;
}

void EditSbor::SetSoloFotik() {
  tw_Fotik* cam = *o2::edTopView ? pTopFotik : pGameFotik;
  if (!cam) {
    NoCamera(*o2::edTopView ? "pTopFotik" : "pGameFotik");
    return;
  }
  pSoloFotik = cam;
  glob_nowVPKam = &cam->vp;
}

void EditSbor::es20_Kmd(inerQ7EditKmd& kmd) {
  if (Ekran.Status <= 0) return;
  if (OverlayKeys(kmd[34], kmd[7], kmd[8])) return;
  if (kmd[0].Sig()) {
    if (Shift()) Root_IPPI.Set_ChangeTo(3);
    else if (zn::FlagSwap(*o2::KameraMode)) KursorToCentre();
  }
  if (kmd[12].Sig()) zn::FlagSwap(*o2::edTopView);
  const int tile = ChosenTile();
  if (tile >= 0) {
    KmdKle(kmd, tile);
    KmdKle2(kmd, tile);
  }
  es25_LinMenu(kmd);
  es26_Klik(kmd);
  es27_KlikR(kmd);
  if (!*o2::RRezInProgres && !*o2::KursInMenu) Kmd1(kmd, pSoloFotik);
}

void EditSbor::es25_LinMenu(inerQ7EditKmd& kmd) {
  if (*o2::RRezInProgres) return;
  bool took = ListStep(NowProj->li3, kmd[1]) != 0;
  if (!took) took = ListStep(NowProj->li8, kmd[1]) != 0;
  *o2::KursInMenu = took ? 1 : 0;
}

void EditSbor::es26_Klik(inerQ7EditKmd& kmd) { ClickLeft(kmd[1]); }

void EditSbor::es27_KlikR(inerQ7EditKmd& kmd) { ClickRight(kmd[2], false); }

void EditSbor::es50_NormSelect() {
  t_VPortKam* cam = glob_nowVPKam;
  const int x = *o2::KlikForSelX, y = *o2::KlikForSelY;
  switch (*o2::UseSelVariant) {
    case 1:
      if (Fgr4* f = OGL_SelectOneObj(3, x, y, cam, 3, 3)) {
        PlayerSelectedOne(f);
        FgrGlobManipul_Sel = f;
      }
      break;
    case 2: SelectRectangle(3, x, y, gMX, gMY, cam); break;
    case 3:
      if (Fgr4* f = OGL_SelectOneObj(3, x, y, cam, 3, 3)) {
        *o2::UseSelVariant = 0;
        PlayerSelected_AllToTarget(f);
      }
      break;
    default: break;
  }
}

void EditSbor::KmdKle(inerQ7EditKmd& kmd, int tile) {
  if (kmd[15].Sig()) Plit_SetTypeAnUV(tile, 1);
  else if (kmd[16].Sig()) Plit_SetTypeAnUV(tile, 2);
  else if (kmd[17].Sig()) Plit_SetTypeAnUV_Sand(tile);
  else if (kmd[18].Sig()) Plit_SetTypeAnUV(tile, 4);
  else if (kmd[19].Sig()) Plit_SetTypeAnUV_Holm(tile);
}

void EditSbor::KmdKle2(inerQ7EditKmd& kmd, int tile) {
  float& fade = *o3::PlitFadeBelt;
  if (kmd[28].Sig()) fade += 0.1f;
  else if (kmd[29].Sig()) fade -= 0.1f;
  zn::Tram(fade, -3.0f, 3.0f);
  int slot = 0;
  for (int s = 30; s <= 33 && !slot; ++s)
    if (kmd[s].Sig()) slot = s;
  if (!slot) return;
  float step = slot == 30 || slot == 32 ? 1.0f : -1.0f;
  if (nsMKeys::n[101]) step *= 0.5f;
  if (slot <= 31) PlitHold.MoveY_3x3(tile, step, fade);
  else PlitHold.MoveY(tile, step);
}

void EditSbor::Kmd1(inerQ7EditKmd& kmd, tw_Fotik* cam) {
  if (!cam) return;
  if (cam->vp.mode != 0) {
    KamOrtho(cam, kmd.k, 13, 14, 0.3f, 0.15f, 8.0f, 4500.0f);
  } else {
    cam->Rotate(*o2::KameraMode, 3.0f, -2.0f);
    if (kmd[3].Sig()) cam->Move(0, 1);
    if (kmd[4].Sig()) cam->Move(0, -1);
    if (kmd[6].Sig()) cam->Move(2, 1);
    if (kmd[5].Sig()) cam->Move(2, -1);
  }
  const vec3 pos = cam->mb.Pos();
  SetListenerV(pos, vec3(0, 0, 0), cam->mb.Fwd(), vec3(0, 1, 0));
  Glob_KamOptimBoxP = pos;
  KamSpeed(cam, kmd[9], kmd[10], 0.02f, 0.01f, 0.1f);
  KamMirror(cam);
}

int Test_AddKnoForBase() {
  if (!FgrHld.AddWrk(3, 1, 1) || !pTekKno) return 0;
  tw_Kno& k = *pTekKno;
  k.ints[1] = 0;
  k.ints[2] = 22;
  k.ints[3] = 4;
  k.ints[4] = 2;
  k.floats[2] = 0.5f;
  k.floats[3] = Rand2F(0.45f, 0.55f, 10);
  k.floats[4] = 200.0f;
  k.floats[5] = 180.0f;
  return FgrHld.SaveBase();
}
