// Stand-ins; see standins.h.
#include "shell/standins.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "shell/ekran.h"
#include "shell/genres.h"
#include "shell/glwindow.h"
#include "shell/input.h"
#include "shell/ippi.h"
#include "shell/konfig.h"
#include "ui/ui.h"
#include "world/world.h"

// --- services the general resources load and release ------------------------------

// --- world model -----------------------------------------------------------------------

// --- front end ----------------------------------------------------------------------------
Pro_Q7_Elements Q7;
Pro_Q7_Elements* NowProj = &Q7;

namespace {
// Until the menu of the modes lands, its step draws a small scene through the
// render machine each frame: a ring of turning boxes with outlines, a wire
// ring, and the sprite test quad of an order without owner.
int MenuStandIn_Step() {
  MouseCoordRoot();
  Ekran_ClearF(Ekran, 0.10f, 0.14f, 0.22f);
  RenderM._ResetOnStartNewLap();
  static t_VPortKam cam;
  cam.vpW = Ekran.W;
  cam.vpH = Ekran.H;
  cam.aspect = Ekran.H ? static_cast<double>(Ekran.W) / Ekran.H : 1.0;
  cam.znear = 1.0;
  cam.zfar = 500.0;
  cam.eye = vec3(0, 60, 140);
  cam.target = vec3(0, 0, 0);
  cam.Set1();
  cam.Set2_ProjMode(1);
  cam.Set3_Kamera();
  glob_nowVPKam = &cam;
  StartOfClearDraw1();
  float turn = static_cast<float>(gMilli % 20000) * 0.018f;
  for (int k = 0; k < 8; ++k) {
    int a = zn::Ring1i(static_cast<int>(turn) + k * 45, 360);
    vec3 c(getSprSIN(a) * 50, 10, getSprCOS(a) * 50);
    RenderM.box.Add(c.x, c.y, c.z, 6, 6 + k, 6, 0.3f + 0.08f * k, 0.5f, 0.9f - 0.08f * k, 1, 0, k % 4 + 6, -1, 0);
    RenderM.line[0].AddBoxRam(c, vec3(7, 7 + k, 7), 255, 255, 255, 255);
  }
  vec3 ring[36];
  Crt_CircleGoriz(ring, 36, 70, 1);
  RenderM.wire[1].AddChain(ring, nullptr, 36, 250, 200, 60, 255);
  RenderM.quads[3].Add(nullptr, 0, 1, 0, 22, -1, 0);
  RenderM._Run(&cam);
  StartOfClearDraw1();
  TexMat(0, -1, 0, -1, 0);
  if (Begin2D(0, Ekran.W, 0, Ekran.H)) {  // the frame-rate text in Windows font 0
    glColor3f(0.9f, 0.85f, 0.6f);
    Print2D(Ekran.W / 2, Ekran.H - 18, 1, 1, 0, 0, PrintFPS_TBuf, 0, 0, 0);
    End2D();
  }
  return 1;
}
}  // namespace

namespace {
// The game camera of the stand-in front end: the placement a camera object
// would have, high over the south of the test level and looking north over
// its centre.
t_MBase1 gStandInCamera;

// Until the game mode lands, its step shows the terrain from that camera,
// with the minimap in its corner.
int GameStandIn_Step() {
  MouseCoordRoot();
  PlitHold.Resident();
  minimap1.DrawToTexPlus(&gStandInCamera);
  Ekran_ClearF(Ekran, 0.45f, 0.55f, 0.70f);
  RenderM._ResetOnStartNewLap();
  static t_VPortKam cam;
  cam.vpW = Ekran.W;
  cam.vpH = Ekran.H;
  cam.aspect = Ekran.H ? static_cast<double>(Ekran.W) / Ekran.H : 1.0;
  cam.fov = Glob_GenFOV;
  cam.znear = Glob_GenNear;
  cam.zfar = Glog_GenFar;
  cam.eye = gStandInCamera.Pos();
  cam.target = gStandInCamera.Fwd(100.0f);
  cam.Set1();
  cam.Set2_ProjMode(1);
  cam.Set3_Kamera();
  glob_nowVPKam = &cam;
  Fru1.Update();
  StartOfClearDraw1();
  PlitHold.Plit_Draw();
  StartOfClearDraw1();
  FgrHld.DrawZkz(0, 1);
  RenderM._Run(&cam);
  StartOfClearDraw1();
  if (Begin2D(0, Ekran.W, 0, Ekran.H)) {
    minimap1.Draw1(0);
    End2D();
  }
  return 1;
}
}  // namespace

// The front end's set-up as far as the world model goes: the holder, the
// object base (loaded, or made new, saved and loaded again), the first screen
// frame, the minimap and the test level's terrain.
int Pro_Q7_Elements::init() {
  if (!FgrHld.Init0(11500)) return 0;
  if (FgrHld.LoadBase(1)) {
    LogInfo("\n OK >> Pro_Q7_Elements::init()-->FgrHld.LoadBase()");
  } else {
    LogInfo("\n Err >> Pro_Q7_Elements::init()-->FgrHld.LoadBase() // now make new");
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
  }
  if (!FgrHld.SetFirstScrFrm()) return 0;
  ReshapeGL(Ekran.W, Ekran.H);
  SetMainScrFrm(pMainScrFrm);
  minimap1.Init(Ekran.W * 15 / 100, Ekran.W * 185 / 1000);
  Plit_Init();
  PlitHold.InitHMap("testHMap.tga");
  gStandInCamera.Sbros();
  SetStdMonolitZoneXZ(gStandInCamera.zoneMinX, gStandInCamera.zoneMinZ, gStandInCamera.zoneMaxX,
                      gStandInCamera.zoneMaxZ, 20);
  gStandInCamera.zoneOn = 1;
  gStandInCamera.Pos(Plit_GlobCentrX(), 170.0f, Plit_GlobCentrZ() - 420.0f);
  gStandInCamera.setMatr(-22.0f, 0.0f, 0.0f);
  Root_IPPI.SetMain(3, MenuStandIn_Step);
  Root_IPPI.SetMain(4, GameStandIn_Step);
  return 1;
}

