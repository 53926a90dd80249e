// The game's per-frame command steps: commands, panel phases, panel lists,
// left and right clicks, the camera, the drag and grab tails, selection and
// orders.
#include "core/core.h"
#include "modes/camzones.h"
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

constexpr int kOrderPause = 180;
int orderPause = 0;  // ms until the minimap takes the next order

bool Shift() { return nsMKeys::n[16] != 0; }

// Where the click of a button's record was made: the press its key shows now,
// else the click it is counting or reporting; false when it has neither.
bool ClickAt(IKmd2& k, int& x, int& y) {
  if (KmdKeyDown(k)) {
    if (!nsMKeys::PressedAt(k.Get_KeyVersID(1), x, y)) x = gMX, y = gMY;
    return true;
  }
  if (!k.Sig() && k.win1Cd <= 0 && k.win2Cd <= 0) return false;
  k.ClickPlace(x, y);
  return true;
}

// Whether a panel list drawn over the scene in this phase has a line at
// window pixel (x, y), as its field is now.
bool PanelAt(int x, int y) {
  if (*o2::PultFaza == 1) return false;  // the free camera shows no lists
  const Pro_Q7_Elements& q = *NowProj;
  for (const t_Lin2* li : {&q.li2, &q.li4, &q.li6, &q.li7})
    if (li->LineAt(x, y) >= 0) return true;
  return *o2::PultFaza == 2 && q.li5.LineAt(x, y) >= 0;
}

// Whether window pixel (x, y) shows the map: on its shape and under no list
// drawn over it (such a list's lines are the list's, for clicks and keys).
bool OnMap(int x, int y) { return minimap1.KursIn(x, y) && !PanelAt(x, y); }

// A click this frame reports that was made on the map: the map's, not the scene's.
bool ClickOnMap(IKmd2& k) {
  int x = 0, y = 0;
  return k.Sig() && ClickAt(k, x, y) && OnMap(x, y);
}

bool buttonWasDown[2];  // the left and right buttons' records' keys in the last frame

}  // namespace

// A press made on the map is the map's until its button goes up: it acts
// where it was made, then, while the button is held, where the pointer drags
// it over the map; the left button moves the camera there, the right one
// orders the selection there. The map takes the frame's input while it holds
// a button, or while the pointer is over it and no click made elsewhere waits
// to be worked.
bool GameSbor::gs21_MiniMap(inerQ7GameKmd& kmd) {
  bool held = false, elsewhere = false;
  for (int b = 0; b < 2; ++b) {
    IKmd2& k = kmd[1 + b];
    const bool down = KmdKeyDown(k), first = down && !buttonWasDown[b];
    buttonWasDown[b] = down;
    int x = 0, y = 0;
    if (!ClickAt(k, x, y)) continue;
    if (!OnMap(x, y) || (first && *o2::RRezInProgres)) {
      elsewhere = true;
      continue;
    }
    if (!down || held) continue;
    held = true;
    if (!first) {
      if (!OnMap(gMX, gMY)) continue;
      x = gMX, y = gMY;
    }
    minimap1.Press(x, y, b + 1);
    if (b == 0) {
      if (pSoloFotik) pSoloFotik->mb.PosEff(minimap1.pressX, minimap1.pressZ);
    } else if (orderPause == 0) {
      orderPause = kOrderPause;
      UnitsMoveToPoint(vec3(minimap1.pressX, 20.0f, minimap1.pressZ));
    }
  }
  *o2::KursInMiniMap = !*o2::RRezInProgres && OnMap(gMX, gMY);
  if (!held && (elsewhere || !*o2::KursInMiniMap)) return false;
  mLKeyTry(kmd);
  if (!*o2::gmLKeyIsPush) mRKeyTry(kmd);
  return true;
}

void PultFazaView(int phase) {
  *o2::KameraMode = phase == 2 || phase == 3 ? 0 : 1;  // any other phase has the free camera
  *o2::edTopView = phase == 3 ? 1 : 0;
}

void CopyLook(tw_Fotik* to, tw_Fotik* from, int posOnly) {
  if (to && from) to->mb.CopyLookFr(from->mb, posOnly);
}

bool GameSbor::InRect01(int x, int y) {
  const int W = Ekran.W, H = Ekran.H;
  return PointInRect2Di(x, y, W / 2 - spePultRotQHaf, H - spePultRotQHaf - spePultRotQHh, 2 * spePultRotQHaf,
                        2 * spePultRotQHh) != 0;
}

void GameSbor::UnitsMoveToPoint(vec3 point) { PlayerSelected_AllToPoint(&point, 1); }

void GameSbor::mLKeyTry(inerQ7GameKmd& kmd) { *o2::gmLKeyIsPush = KmdKeyDown(kmd[1]) ? 1 : 0; }
void GameSbor::mRKeyTry(inerQ7GameKmd& kmd) { *o2::gmRKeyIsPush = KmdKeyDown(kmd[2]) ? 1 : 0; }

void GameSbor::gs20_Kmd(inerQ7GameKmd& kmd) {
  if (Ekran.Status <= 0) return;
  orderPause -= GFrameTime;
  if (orderPause < 0) orderPause = 0;
  if (kmd[0].Sig() && Shift()) Root_IPPI.Set_ChangeTo(3);  // wherever the pointer is
  if (gs21_MiniMap(kmd)) {
    gs29_SinhroKam();
    return;
  }
  if (OverlayKeys(kmd[15], kmd[7], kmd[8])) return;
  const int request = *o2::PultFaza != 3 && (kmd[11].Sig() || kmd[12].Sig()) ? 3 : 0;
  gs23_SmenPultFaz(kmd[13].Sig(), request);
  gs25_LinMenu(kmd);
  gs26_Klik(kmd);
  gs27_KlikR(kmd);
  if (!*o2::RRezInProgres && !*o2::KursInMenu) gs29_KlientKam(kmd, pSoloFotik);
  gs29_SinhroKam();
}

void GameSbor::gs23_SmenPultFaz(int step, int request) {
  zn::Tram(request, 0, 3);
  const bool shift = nsMKeys::ASyncKey(16) != 0;
  int& phase = *o2::PultFaza;
  if (*o2::PultSmenPauz <= 0 && request == 3) {
    *o2::PultSmenPauz = *o2::PultSmenPzSta;
    phase = 3;
    PultSmenResetGlob();
    PultFazaView(3);
    if (shift) CopyLook(pTopFotik, pPultFotik, 1);
    return;
  }
  if (*o2::PultSmenPauz > 0 || !step) return;
  *o2::PultSmenPauz = *o2::PultSmenPzSta;
  phase = phase >= 3 || phase < 1 ? 1 : phase + 1;
  bool skipShift = false;
  if (*o2::SkipTopView && phase == 3) {
    phase = 1;
    skipShift = shift;
  }
  PultSmenResetGlob();
  PultFazaView(phase);
  switch (phase) {
    case 2:
      if (shift) CopyLook(pPultFotik, pGameFotik, 0);
      break;
    case 3:
      if (shift) CopyLook(pTopFotik, pPultFotik, 1);
      break;
    default:
      KursorToCentre();
      if (skipShift) CopyLook(pGameFotik, pPultFotik, 0);
      else if (shift) CopyLook(pGameFotik, pTopFotik, 0);
      break;
  }
}

void GameSbor::gs25_LinMenu(inerQ7GameKmd& kmd) {
  if (*o2::RRezInProgres) return;
  Pro_Q7_Elements& q = *NowProj;
  // Runs a list, or folds it to its zero line.
  auto run = [&](t_Lin2& li, bool allowed) {
    if (!allowed) {
      li.SetOnlyZeroLinePole();
      return false;
    }
    return ListStep(li, kmd[1]) != 0;
  };
  bool took = run(q.li2, q.li7.lineUK < 0);
  took = run(q.li4, !took && q.li5.lineUK < 0) || took;
  took = run(q.li5, *o2::PultFaza == 2 && !took) || took;
  took = run(q.li6, !took) || took;
  took = run(q.li7, !took) || took;
  int over = took ? 1 : 0;
  if (q.li2.lineUK >= 0) over = 2;
  else if (q.li7.lineUK >= 0 || q.li6.lineUK >= 0) over = 1;
  *o2::KursInMenu = over;
}

void GameSbor::gs26_Klik(inerQ7GameKmd& kmd) {
  if (ClickOnMap(kmd[1])) mLKeyTry(kmd);
  else ClickLeft(kmd[1]);
}

void GameSbor::gs27_KlikR(inerQ7GameKmd& kmd) {
  if (ClickOnMap(kmd[2])) mRKeyTry(kmd);
  else ClickRight(kmd[2], true);
}

void GameSbor::gs29_KlientKam(inerQ7GameKmd& kmd, tw_Fotik* cam) {
  if (!cam) return;
  if (cam->vp.mode != 0) {
    KamOrtho(cam, kmd.k, 11, 12, 0.25f, 0.2f, 48.0f, 1200.0f);
  } else {
    const bool grabbed = *o2::spePultRot || nsMKeys::n[17];
    cam->Rotate(grabbed ? 1 : *o2::KameraMode, 3.0f, -2.0f);
    if (kmd[3].Sig() || guiKamLeft()) cam->Move(0, 1);
    if (kmd[4].Sig() || guiKamRit()) cam->Move(0, -1);
    if (*o2::PultFaza != 1) {
      if (guiKamFwd() || nsMKeys::midMs()) cam->Move(2, 1);
      if (guiKamBwd()) cam->Move(2, -1);
      if (kmd[6].Sig() || guiKamFwd2D()) cam->Move2D(2, 1);
      if (kmd[5].Sig() || guiKamBwd2D()) cam->Move2D(2, -1);
    } else {
      if (kmd[6].Sig() || nsMKeys::midMs()) cam->Move(2, 1);
      if (kmd[5].Sig()) cam->Move(2, -1);
    }
    if (*o2::spePultLift) {
      cam->mb.PosY(*o3::spePLiftYSrc + static_cast<float>(*o2::spePLiftY));
      const int dx = *o2::spePLiftX;
      float side = 0;
      if (dx >= 121) side = -2;
      else if (dx >= 31) side = -1;
      else if (dx < -120) side = 2;
      else if (dx < -30) side = 1;
      if (side != 0) {
        cam->Move(0, side);
        cam->mb.AnTurnTo(spePLiftTrgVec, 0.3f);
      }
    }
  }
  KamSpeed(cam, kmd[9], kmd[10], 0.05f, 0.1f, 0.5f);
}

void GameSbor::gs29_SinhroKam() {
  tw_Fotik* cam = pSoloFotik;
  if (!cam) return;
  cam->mb.hiLowY_FlyStolbUpdate(1, 0.003f);
  cam->mb.hiYSet(*o3::GameKamHiY);
  cam->mb.lowYSet(*o3::GameKamLowY);
  const vec3 pos = cam->mb.Pos();
  SetListenerV(pos, vec3(0, 0, 0), cam->mb.Fwd(), vec3(0, 1, 0));
  Glob_KamOptimBoxP = pos;
  GKlodKamX = pos.x / 5000.0f;
  GKlodKamZ = pos.z / 5000.0f;
  if (!AktivIPPI_ResidentOfEditor()) SveKvad_box_UpdPos();
  KamMirror(cam);
}

void GameSbor::gs40_KmdTail(inerQ7GameKmd& kmd) {
  const int W = Ekran.W;
  const bool taken = *o2::KliForSelect || *o2::RRezInProgres;
  if (*o2::spePultRot) {
    if (!*o2::gmLKeyIsPush) {
      *o2::spePultRot = 0;
      KursorToWindow(W / 2, Ekran.H - spePultRotQHaf);
    }
  } else if (taken && *o2::PultFaza != 1) {
    if (*o2::RRezInProgres && !*o2::gmLKeyIsPush) {
      *o2::RRezInProgres = 0;
      const int dx = zn::Absi(gMX - *o2::KlikForSelX), dy = zn::Absi(gMY - *o2::KlikForSelY);
      *o2::UseSelVariant = dx > 3 || dy > 3 ? 2 : 1;
    } else if (!*o2::RRezInProgres && *o2::KliForSelect == 1) {
      // The single click is reported when its double-click window has run
      // out: held then, it starts a drag or the rotation grab; released by
      // then, it is a pick at the press position.
      if (*o2::PultFaza == 2 && InRect01(*o2::KlikForSelX, *o2::KlikForSelY)) {
        if (*o2::gmLKeyIsPush) {
          *o2::spePultRot = 1;
          KursorToCentre();
        }
      } else if (*o2::gmLKeyIsPush) {
        *o2::RRezInProgres = 1;
      } else {
        *o2::UseSelVariant = 1;
      }
    }
  } else if (taken) {
    *o2::UseSelVariant = 1;
  }
  if (*o2::spePultLift) {
    if (!*o2::gmRKeyIsPush) {
      *o2::spePultLift = 0;
      KursorToWindow(W / 2, Ekran.H - spePultRotQHaf);
    }
  } else if (*o2::PultFaza == 2 && *o2::gmRKeyIsPush && *o2::KliForDefAct == 1 &&
             InRect01(kmd[2].gKliX(), kmd[2].gKliY()) && pSoloFotik) {
    *o2::spePultLift = 1;
    *o2::spePLiftX = *o2::spePLiftY = 0;
    pSoloFotik->mb.hiLowY_FlyStolbUpdate(1, 0.003f);
    *o3::spePLiftYSrc = pSoloFotik->mb.posy();
    spePLiftTrgVec = pSoloFotik->mb.Fwd(90.0f);
    KursorToCentre();
  }
}

void GameSbor::gs50_NormSelect() {
  if (*o2::KursInMenu) return;
  // A click works where it was pressed; without one the pick follows the pointer.
  const int x = *o2::KlikForSelX, y = *o2::KlikForSelY;
  const bool click = *o2::UseSelVariant != 0;
  if (click ? OnMap(x, y) : *o2::KursInMiniMap) return;
  const int py = click ? y : gMY;
  if (py <= speHPultDnQuad || py >= Ekran.H - speHPultUpQuad) return;
  t_VPortKam* cam = glob_nowVPKam;
  switch (*o2::UseSelVariant) {
    case 1:
      if (Fgr4* f = OGL_SelectOneObj(0, x, y, cam, 3, 3)) {
        PlayerSelectedOne(f);
        FgrGlobManipul_Sel = f;
      }
      break;
    case 2: SelectRectangle(0, x, y, gMX, gMY, cam); break;
    case 3:
      if (Fgr4* f = OGL_SelectOneObj(0, x, y, cam, 3, 3)) {
        *o2::UseSelVariant = 0;
        FgrGlobManipul_Sel = f;
        PlayerSelected_AllToTarget(f);
      }
      break;
    default:
      if (ivShadKlik <= 0) {
        ivShadKlik = *o2::ShadKlikIvalSta;
        PlayerFgrUnderKur = OGL_SelectOneObj(0, gMX, gMY, cam, 3, 3);
      }
      break;
  }
}
