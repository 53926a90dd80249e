// The menu (program mode 3): its step, the keys of its text field, its
// background drawings, and the four transitions between the modes.
#include <GL/gl.h>

#include <cmath>

#include "core/core.h"
#include "modes/front.h"
#include "modes/select.h"
#include "modes/soundglue.h"
#include "modes/steps.h"
#include "net/net.h"
#include "objects/objects.h"
#include "render/render.h"
#include "shell/shell.h"
#include "ui/ui.h"
#include "world/world.h"

namespace {

// The menu's 3D drawings use the window's own projection.
void MenuProjection() {
  ReshapeGL(Ekran.W, Ekran.H);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void Menu_2D() {
  glViewport(0, 0, Ekran.W, Ekran.H);
  if (!Begin2D(0, Ekran.W, 0, Ekran.H)) return;
  masPole1[0].DrawIn22();
  MenuSbor::Test_PovToKursor();
  NowProj->Menu_li1_Draw(&NowProj->li1);
  if (Glob_WSA_ProgIs == Glob_WSA_Server || Glob_WSA_ProgIs == Glob_WSA_C1) {
    const bool server = Glob_WSA_ProgIs == Glob_WSA_Server;
    TBufUpdate(0, 0, server ? "%d server last recv (%d): %s" : "%d client last recv (%d): %s", Glob_WSAStartUpOK,
               static_cast<int>(servLRecvT), servLRecvS.c_str());
    ColorMat(255, 0, 0, 0);
    Print2D(1, static_cast<short>(server ? 29 : 9), 0, 0, 100, 0, 0, 0, 0, 0);
    ColorMat(255, 255, 255, 255);
    Print2D(0, static_cast<short>(server ? 30 : 10), 0, 0, 100, 0, 0, 0, 0, 0);
  }
  NowProj->DrawFPSec();
  NowProj->DrawKursor1(0, 0, 3, 1, 1, 1, 1);
  End2D();
}

}  // namespace

int ippi_Q7::Menu_Step() {
  static int first = 1;
  static inerQ7MenuKmd kmd;
  if (first) {
    first = 0;
    if (!kmd._Load()) return 0;
  }
  MouseCoordRoot();
  kmd.SensUp();
  RenderM._ResetOnStartNewLap();
  ZSrcChain_Rezident();
  ProjSndUpdate();
  if (Ekran.Status > 0) {
    if (kmd[12].Sig()) *o2::NeedScreen = 1;
    MenuSbor::_Kmd(kmd, &NowProj->li1);
    int px = gMX, py = gMY;  // a click works the text field where it was pressed
    if (kmd[1].Sig()) kmd[1].ClickPlace(px, py);
    masPole1[0].KursorIn(px, py, kmd[1].Sig(), nsMKeys::n[301]);
    MenuSbor::Frm001_Upd(kmd);
    if (kmd[1].Sig()) ZSrcResetStart(ZSrcHero[1], 0, Rand2(1, 2), 0, 0.95f, 0.5f, 0.55f, 5);
  }
  _UniIS_Cases::Cases_UniIStringUpdate();

  glDisable(GL_SCISSOR_TEST);
  Ekran_ClearF(Ekran, 0, 0, 0);
  MenuProjection();
  MenuSbor::Test_Old_Mdl(10);
  RenderM.box.Add(-4, 1, -9, 1, 3, 1, 1, 0, 0, 0, -1, -1, -1, 0);
  RenderM.box.Add(-6, -1, -9, 1, 3, 1, 1, 1, 0, 0, -1, -1, -1, 0);
  RenderM.box.Add(0, 3, -9, 1, 1, 1, 1, 0, 1, 1, 0, 12, -1, 0);
  RenderM._Run(nullptr);
  StartOfClearDraw1();
  Menu_2D();
  RenderInputString();
  return 1;
}

int MenuSbor::_Kmd(inerQ7MenuKmd& kmd, t_Lin2* list) {
  return list ? ListStep(*list, kmd[1]) : 0;
}

void MenuSbor::Frm001_Upd(inerQ7MenuKmd& kmd) {
  tLinesTxt2& t = masPole1[0];
  const bool ctrl = nsMKeys::n[17] != 0;
  int acted = 1;
  if (kmd[6].Sig()) {
    if (ctrl) --t.firstLine;
    else t.JumpKaretLine(-1);
  } else if (kmd[5].Sig()) {
    if (ctrl) ++t.firstLine;
    else t.JumpKaretLine(1);
  } else if (kmd[3].Sig()) {
    t.MoveKaretka(-1);
  } else if (kmd[4].Sig()) {
    t.MoveKaretka(1);
  } else if (kmd[7].Sig()) {
    t.BL_Del_Kmd();
  } else if (kmd[8].Sig()) {
    t.MoveKaretHome(1);
  } else if (kmd[9].Sig()) {
    t.MoveKaretEnd();
  } else if (kmd[10].Sig()) {
    t.TextNextPage();
  } else if (kmd[11].Sig()) {
    t.TextPrevPage();
  } else {
    acted = 0;
  }
  if (!acted) return;
  t.Tram11();
  t.NewTextFromLenta();
}

void MenuSbor::Test_Old_Mdl(int n) {
  static t_FintFloat spin(0.0f, 0.0f, 360.0f, 1.5f, 0, 20);
  const float angle = spin._Update();
  Bind_MGru(0, 1);
  Svet::ProcCase(0);
  glDisable(GL_FOG);
  NomBlend(0);
  ColorMatF(0.7f, 1.0f, 0.85f, 0.3f);
  TexMat(1, 0, 5, -1, 0);
  glDisable(GL_DEPTH_TEST);
  glDepthMask(GL_FALSE);
  glDisable(GL_CULL_FACE);
  Mesh0* mesh = MdlGVBO[0].Get_pMesh(6);
  for (int i = 0; mesh && i < n; ++i) {
    glPushMatrix();
    glTranslatef(static_cast<float>(i - 5), 2.5f, -17.0f);
    glRotatef(90.0f, 0, 0, 1);
    glRotatef(angle, 0, 1, 0);
    _Mesh_Sbor::DrawMesh_Uni(mesh);
    glPopMatrix();
  }
  BindClear_MGru();
  glEnable(GL_DEPTH_TEST);
  glDepthMask(GL_TRUE);
  TexMat(0, -1, 0, -1, 0);
}

void MenuSbor::Test_PovToKursor() {
  static float angle = 0;
  const float cx = 200.0f, cy = static_cast<float>(Ekran.H - 200);
  TexMat(0, -1, 0, -1, 0);
  NomBlend(0);
  ColorMat(255, 255, 0, 0);
  d2::Q(cx - 10, cy - 10, 20, 20);
  const float target = UgFromVecPart(static_cast<float>(gMX) - cx, static_cast<float>(gMY) - cy, 0);
  zn::Climb2(angle, zn::FrT(0.03f), target, 2.0f, 360.0f);
  const float rad = angle * 3.14159265f / 180.0f;
  ColorMat(255, 0, 255, 128);
  d2::Q(cx + std::sin(rad) * 50.0f - 5, cy + std::cos(rad) * 50.0f - 5, 10, 10);
}

int AktivIPPI_ResidentOfGame() { return *o2::AktivIPPI == 4; }

int ippi_Q7::Menu_ToGame() {
  ZSrc_SwitchToGame(0);
  Music1.Stop();
  for (int index : {5, 3, 6}) ZSrcChain_Zakaz(0, 0, index, 0.8f, 1.0f);
  // Mouse look and the top view may have been switched in the editor: the
  // game's view is its panel phase's.
  PultFazaView(*o2::PultFaza);
  int x = 0, y = 0;
  SetCursorPos_GlazC(x, y, 0);
  return 1;
}

int ippi_Q7::Menu_ToEdit() {
  ZSrc_SwitchToGame(0);
  Music1.Stop();
  int x = 0, y = 0;
  SetCursorPos_GlazC(x, y, 0);
  if (pGameFotik) {
    pGameFotik->mb.hiYSet(200.0f);
    pGameFotik->mb.lowYSet(-25.0f);
  }
  return 1;
}

int ippi_Q7::Game_ToMenu() {
  ZSrc_SwitchToMenu(0);
  Music1.Play();
  return 1;
}

int ippi_Q7::Edit_ToMenu() {
  ZSrc_SwitchToMenu(0);
  if (pGameFotik) {
    pGameFotik->mb.hiYSet(*o3::GameKamHiY);
    pGameFotik->mb.lowYSet(*o3::GameKamLowY);
  }
  return 1;
}
