// The game (program mode 4): its step, frame by frame. Commands and clicks
// become selection, orders and camera moves; every world object updates
// through the object holder; then the scene, the panels and the 2D overlays
// are drawn.
#include <GL/gl.h>

#include "core/core.h"
#include "modes/camzones.h"
#include "modes/front.h"
#include "modes/pointer.h"
#include "modes/select.h"
#include "modes/soundglue.h"
#include "modes/steps.h"
#include "net/net.h"
#include "objects/objects.h"
#include "render/render.h"
#include "shell/shell.h"
#include "ui/ui.h"
#include "world/world.h"

int ivShadKlik;
Fgr4* PlayerFgrUnderKur;
Fgr4* FgrGlobManipul_Sel;
int oRRezX, oRRezY, oRRezW, oRRezH;
vec3 test1PointVec;
vec3 spePLiftTrgVec;
vec3 GlobVector_ViewToSun;
vec3 GlobVector_ViewToSunDst;

// Per-lap lists, queues, sound and terrain buffers at the start of the frame.
void Game_StartLap() {
  RenderM._ResetOnStartNewLap();
  PlayerUnitsOkrug_OnStartLap();
  PlayerUnits_OnStartLap();
  PlaEnemyUnits_OnStartLap();
  KlientMiniMapFgr_OnStartLap();
  UnitBars_ramAlf_Upd();
  ZSrcChain_Rezident();
  ProjSndUpdate();
  NowIn_masSvetik = 0;
  NowIn_masLandSvetik = 0;
  PlitHold.Resident();
}

namespace {

void GroundLights(bool byTexture) {
  PeregonSvetikTo_LandSvetik();
  if (byTexture) PixBuf_RenderSveKvad2();
  else PixBuf_RenderSveKvad();
}

}  // namespace

void Game_WorldUpdate() {
  if (Glob_WSA_ProgIs == Glob_WSA_Server) {
    FgrHld.Update(2, 1);
  } else if (Glob_WSA_ProgIs > Glob_WSA_Server) {
    FgrHld.Update(0, 1);
    GroundLights(false);
  } else if (Glob_WSA_ProgIs == 0 && Ekran.Status > -1) {
    GameSbor::gs30_TempUpd();
    FgrHld.Update(2, 1);
    if (*o2::SveKvadTex4) GroundLights(*o2::PixelBufE == 2);
  }
}

namespace {

// The overlay's frame: its keys and its lists. 1 when it was closed (the
// frame ends at once).
int OverlayCommands(inerQ7GameKmd& kmd) {
  if (OverlayKeys(kmd[15], kmd[7], kmd[8])) return 1;
  OverlayLists(kmd[1]);
  return 0;
}

void Outline(float x, float y, float w, float h) { d2::Q_(x, y, w, h, 0); }

void Game_2D() {
  const int W = Ekran.W, H = Ekran.H;
  glLineWidth(1);
  glViewport(0, 0, W, H);
  if (!Begin2D(0, W, 0, H)) return;
  TexMat(0, -1, 0, -1, 0);
  NomBlend(0);
  if (*o2::RRezInProgres) {
    const float x = static_cast<float>(*o2::KlikForSelX), y = static_cast<float>(*o2::KlikForSelY);
    ColorMat(255, 40, 80, 50);
    Outline(x, y, gMX - x, gMY - y);
    ColorMat(255, 0, 200, 130);
    Outline(x + 1, y + 1, gMX - x, gMY - y);
  }
  if (*o2::PultFaza == 2) {
    ColorMat(255, 240, 80, 90);
    Outline(static_cast<float>(W / 2 - spePultRotQHaf), static_cast<float>(H - spePultRotQHaf - spePultRotQHh),
            static_cast<float>(2 * spePultRotQHaf), static_cast<float>(2 * spePultRotQHh));
    if (*o2::spePultLift) {
      NomBlend(38);
      ColorMat(255, 255, 255, 255);
      TexMat(1, 0, 8, -1, 0);
      d2::Q(static_cast<float>(*o2::spePLiftKurX - 16), static_cast<float>(*o2::spePLiftKurY - 16), 32, 32);
      TexMat(0, -1, 0, -1, 0);
    }
  }
  if (p1FgrKomPult && p1FgrKomPult->Status()) {
    int side = PlayerBanerID, own = 0;
    p1FgrKomPult->Event(48, &side, &own);
    if (own) NowProj->PrintFromPlayerKomPult(PlayerBanerID);
  }
  TBufUpdate(0, 0, "< kX:%1.3f  kY:%1.3f >", W ? static_cast<float>(gMX) / W : 0.0f,
             H ? static_cast<float>(gMY) / H : 0.0f);
  ColorMat(255, 30, 20, 10);
  Print2D(static_cast<short>(gPultBortTextX + 1), static_cast<short>(gPultBortTextY - 1), 0, 0, 100, 0, 0, 0, 0, 0);
  ColorMat(255, 255, 0, 0);
  Print2D(static_cast<short>(gPultBortTextX), static_cast<short>(gPultBortTextY), 0, 0, 100, 0, 0, 0, 0, 0);
  if (flagSuperOrg) {
    gOrg2MenuDraw(&org2_li9);
    gOrgFMenuDraw(&orgF_li10);
  }
  End2D();
}

}  // namespace

int ippi_Q7::Game_Step() {
  static int first = 1;
  static inerQ7GameKmd kmd;
  if (first) {
    first = 0;
    if (!kmd._Load()) return 0;
  }
  MouseCoordRoot();
  if (*o2::KameraMode) {
    if (!flagSuperOrg) KursorToCentre();
  } else if (*o2::spePultRot || nsMKeys::n[17]) {
    KursorToCentre();
  } else if (*o2::spePultLift) {
    spePultLift_PrepZna();
  }
  kmd[1].KeyVersSbros(0, 1, 1);
  kmd[2].KeyVersSbros(0, 1, 1);
  kmd.SensUp();
  Game_StartLap();
  zn::ToZero(*o2::PultSmenPauz);
  zn::ToZero(*o2::AnyKliHvoWait);
  zn::ToZero(ivShadKlik);
  if (!flagSuperOrg) GameSbor::gs10_AutoServer();
  GameSbor::SetSoloFotik(*o2::PultFaza);
  if (kmd[14].Sig()) {
    *o2::NeedScreen = 1;
    ZSrcResetStart(ZSrcHero[1], 0, 4, 0, 0.8f, 0.65f, 0.7f, 5);
  }
  if (*o2::RRezInProgres || flagSuperOrg) *o2::KursInMiniMap = 0;
  *o2::gmLKeyIsPush = *o2::gmRKeyIsPush = 0;
  *o2::UseSelVariant = *o2::KliForSelect = *o2::KliForDefAct = 0;
  oRRezX = oRRezY = oRRezW = oRRezH = 0;
  if (flagSuperOrg) {
    if (OverlayCommands(kmd)) return 1;
  } else {
    GameSbor::gs20_Kmd(kmd);
  }
  Game_WorldUpdate();
  _UniIS_Cases::Cases_UniIStringUpdate();
  GameSbor::gs40_KmdTail(kmd);
  if (Ekran.Status > -1) GameSbor::gs50_NormSelect();
  UniInputExitRes();
  GameSbor::gsDraw1();
  glDisable(GL_SCISSOR_TEST);
  Svet::ProcCase(0);
  if (!*o2::KursInMenu) PlayerSelected_IconsUp(glob_nowVPKam);
  NowProj->Game_RenderExtra(*o2::KursInMenu);
  Game_2D();
  RenderInputString();
  return 1;
}

void NoCamera(const char* name) {
  LogInfo("\nErr: %s now ZERO", name);
  pSoloFotik = nullptr;
  glob_nowVPKam = nullptr;
  const std::string why = std::string("the view's camera ") + name + " is missing";
  Main_Stop(why.c_str());
}

void GameSbor::SetSoloFotik(int phase) {
  tw_Fotik* cam = pGameFotik;
  const char* missing = "pGameFotik";
  if (phase == 2) {
    cam = pPultFotik;
    missing = "pPultFotik";
  } else if (phase == 3) {
    cam = pTopFotik;
    missing = "pTopFotik";
    if (!*o2::edTopView) *o2::edTopView = 1;
  }
  if (!cam) {
    NoCamera(missing);
    return;
  }
  glob_nowVPKam = &cam->vp;
  pSoloFotik = cam;
}

void GameSbor::gs10_AutoServer() {
  if (Glob_WSA_ProgIs >= 2) {
    priv_force_EventsFromServer = 1;
    gs11_PriemFromServer();
    priv_force_EventsFromServer = 0;
  } else if (Glob_WSA_ProgIs == 1) {
    gs12_AutoPilots();
  }
}

void GameSbor::gs11_PriemFromServer() {}
void GameSbor::gs12_AutoPilots() {}
void RenderReflection(int) {}

void PultSmenResetGlob() {
  *o2::KursInMiniMap = 0;
  *o2::KursInMenu = 0;
}

void GameSbor::gs30_TempUpd() {
  if (t_Svet* sun = GetSvetikPro(1, GlobVector_ViewToSun, 5000)) {
    sun->ambient = vec4(*o3::sSveAX, *o3::sSveAY, *o3::sSveAZ, 1);
    sun->diffuse = vec4(*o3::sSveDX, *o3::sSveDY, *o3::sSveDZ, 1);
    sun->specular = vec4(*o3::sSveSX, *o3::sSveSY, *o3::sSveSZ, 1);
    sun->position = vec4(GlobVector_ViewToSun.x, GlobVector_ViewToSun.y, GlobVector_ViewToSun.z, 0);
  }
  if (t_Svet* mark = GetSvetikPro(0, test1PointVec, 90)) {
    mark->position.y += 8;
    mark->diffuse = vec4(0.1f, 1.0f, 0.1f, 1);
    mark->specular = vec4(0.1f, 1.0f, 0.1f, 1);
    mark->ambient = vec4(0.4f, 0.8f, 0.8f, 1);
  }
}
