// The steps of the three program modes (3 menu, 4 game, 5 editor), the four
// transitions between them, and the per-frame command steps of each mode.
// A step returns 1 when it drew the frame and 0 when its command file failed
// to load (first frame only); a transition always makes the change.
#pragma once

#include "core/core.h"
#include "modes/kmd.h"

class Fgr4;
class tw_Fotik;
class t_Lin2;

namespace ippi_Q7 {
int Menu_Step();
int Game_Step();
int Edit_Step();
int Menu_ToGame();
int Menu_ToEdit();
int Game_ToMenu();
int Edit_ToMenu();
}  // namespace ippi_Q7

// True while o2::AktivIPPI names the game (4), the editor (5).
int AktivIPPI_ResidentOfGame();
int AktivIPPI_ResidentOfEditor();

namespace MenuSbor {
int _Kmd(inerQ7MenuKmd& kmd, t_Lin2* list);
void Frm001_Upd(inerQ7MenuKmd& kmd);
void Test_Old_Mdl(int n);
void Test_PovToKursor();
}  // namespace MenuSbor

namespace GameSbor {
void gs10_AutoServer();
void gs11_PriemFromServer();
void gs12_AutoPilots();
void gs20_Kmd(inerQ7GameKmd& kmd);
bool gs21_MiniMap(inerQ7GameKmd& kmd);
void gs23_SmenPultFaz(int step, int request);
void gs25_LinMenu(inerQ7GameKmd& kmd);
void gs26_Klik(inerQ7GameKmd& kmd);
void gs27_KlikR(inerQ7GameKmd& kmd);
void gs29_KlientKam(inerQ7GameKmd& kmd, tw_Fotik* camera);
void gs29_SinhroKam();
void gs30_TempUpd();
void gs40_KmdTail(inerQ7GameKmd& kmd);
void gs50_NormSelect();
void gsDraw1();
void UnitLandMark();
void _TestRender1();
void SetSoloFotik(int phase);
bool InRect01(int x, int y);
void UnitsMoveToPoint(vec3 point);
void mLKeyTry(inerQ7GameKmd& kmd);
void mRKeyTry(inerQ7GameKmd& kmd);
}  // namespace GameSbor

namespace EditSbor {
void es20_Kmd(inerQ7EditKmd& kmd);
void es25_LinMenu(inerQ7EditKmd& kmd);
void es26_Klik(inerQ7EditKmd& kmd);
void es27_KlikR(inerQ7EditKmd& kmd);
void es50_NormSelect();
void Kmd1(inerQ7EditKmd& kmd, tw_Fotik* camera);
void KmdKle(inerQ7EditKmd& kmd, int tile);
void KmdKle2(inerQ7EditKmd& kmd, int tile);
void SetSoloFotik();
}  // namespace EditSbor

// The game frame's world half: the per-lap resets at its start, and the
// update of every object by the network role.
void Game_StartLap();
// A view whose camera (named by its pointer) is missing: no view is set and
// the game cannot go on.
void NoCamera(const char* name);
void Game_WorldUpdate();

int Test_AddKnoForBase();
void PultSmenResetGlob();
// The view settings of a panel phase: mouse look (o2::KameraMode) only with
// the free camera (phase 1, or a phase outside 1..3), the top view
// (o2::edTopView) only in phase 3.
void PultFazaView(int phase);
void RenderReflection(int);

// Shared state of the game and editor steps.
extern int ivShadKlik;                // hover pick spacing (ms)
extern Fgr4* PlayerFgrUnderKur;       // the object under the pointer
extern Fgr4* FgrGlobManipul_Sel;      // the last picked object
extern int oRRezX, oRRezY, oRRezW, oRRezH;  // the selection rectangle
extern vec3 test1PointVec;            // the last ground point of an order or a pick
extern vec3 spePLiftTrgVec;           // the point ahead of the camera when a lift began
extern vec3 GlobVector_ViewToSun;     // direction toward the sun
extern vec3 GlobVector_ViewToSunDst;  // the sun flare's offset from the camera
