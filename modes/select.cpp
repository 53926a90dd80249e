#include "modes/select.h"

#include "modes/front.h"
#include "modes/kmd.h"
#include "modes/soundglue.h"
#include "modes/steps.h"
#include "objects/objects.h"
#include "render/render.h"
#include "shell/shell.h"
#include "ui/ui.h"
#include "world/world.h"

void SelectRectangle(int mode, int x0, int y0, int x1, int y1, t_VPortKam* cam) {
  const int w = x1 > x0 ? x1 - x0 : x0 - x1, h = y1 > y0 ? y1 - y0 : y0 - y1;
  oRRezX = (x0 + x1) / 2;
  oRRezY = (y0 + y1) / 2;
  oRRezW = w < 3 ? 3 : w;
  oRRezH = h < 3 ? 3 : h;
  const int hits = OGL_SelectMassObj(mode, oRRezX, oRRezY, cam, oRRezW, oRRezH);
  PlayerSelectedReset();
  for (int i = 0; i < hits && i <= OGL_SelectMassObj_mLast; ++i) {
    Fgr4* f = OGL_SelectMassObj_m[i];
    int side = PlayerBanerID, own = 0;
    if (!f) continue;
    f->Event(31, &side, &own);
    if (own) PlayerSelectedAdd(f);
  }
}

void KamMirror(tw_Fotik* cam) {
  if (!cam) return;
  cam->vp.eye = cam->mb.Pos();
  cam->vp.target = cam->mb.Pos() + cam->mb.Fwd();
}

void KamSetUp(tw_Fotik* cam) {
  if (!cam) return;
  KamMirror(cam);
  cam->vp.Set1();
  cam->vp.Set2_ProjMode(1);
  cam->vp.Set3_Kamera();
  glob_nowVPKam = &cam->vp;
}

namespace {
// The sound of a click on hero source 1.
void ClickSound(int index, float pitchMin, float pitchMax) {
  ZSrcResetStart(ZSrcHero[1], 0, index, 0, 0.85f, pitchMin, pitchMax, 10);
}
}  // namespace

bool KmdKeyDown(IKmd2& k) {
  const int key = k.Get_KeyVersID(1);
  return key > 0 && key <= kKmdLastKey && nsMKeys::n[key] != 0;
}

void ClickLeft(IKmd2& k) {
  if (!*o2::RRezInProgres && !*o2::KursInMenu && *o2::AnyKliHvoWait <= 0) {
    *o2::KliForSelect = k.KliTms();
    if (*o2::KliForSelect) *o2::AnyKliHvoWait = *o2::AnyKliHvoWaitSta;
    if (*o2::KliForSelect == 1) {
      *o2::KlikForSelX = k.gKliX();
      *o2::KlikForSelY = k.gKliY();
      ClickSound(4, 0.7f, 0.9f);
    } else if (*o2::KliForSelect == 2) {
      *o2::KlikForSelX = k.gKliX2();
      *o2::KlikForSelY = k.gKliY2();
      ClickSound(7, 0.7f, 0.9f);
    }
  }
  *o2::gmLKeyIsPush = KmdKeyDown(k) ? 1 : 0;
}

void ClickRight(IKmd2& k, bool needSelection) {
  if (!*o2::RRezInProgres && !*o2::KliForSelect && *o2::AnyKliHvoWait <= 0) {
    *o2::KliForDefAct = k.KliTms();
    if (*o2::KliForDefAct) {
      *o2::AnyKliHvoWait = *o2::AnyKliHvoWaitSta;
      if (*o2::KursInMenu) {
        ClickSound(1, 0.4f, 0.5f);
      } else if (!needSelection || PlayerSelected_Now > 0) {
        ClickSound(2, 0.5f, 0.6f);
        *o2::KlikForSelX = k.gKliX();
        *o2::KlikForSelY = k.gKliY();
        *o2::UseSelVariant = 3;
      }
    }
  }
  *o2::gmRKeyIsPush = KmdKeyDown(k) ? 1 : 0;
}

int OverlayKeys(IKmd2& toggle, IKmd2& stepDown, IKmd2& stepUp) {
  if (toggle.Sig()) {
    if (nsMKeys::n[16]) {
      rea(6);
    } else {
      flagSuperOrg = flagSuperOrg ? 0 : 1;
      if (flagSuperOrg) gOrgAllUp();
      else gOrgAllOut();
      return 1;
    }
  }
  if (stepDown.Sig()) rea(7);
  else if (stepUp.Sig()) rea(8);
  return 0;
}

int ListStep(t_Lin2& list, IKmd2& click) {
  int x = 0, y = 0;
  click.ClickPlace(x, y);
  return list._Exe2(LinCases::Cases, click.Sig(), x, y);
}

void OverlayLists(IKmd2& click) {
  ListStep(org2_li9, click);
  ListStep(orgF_li10, click);
}

void KamOrtho(tw_Fotik* cam, IKmd2* set, int zoomOut, int zoomIn, float grow, float shrink, float lo, float hi) {
  if (set[3].Sig()) cam->Move(0, -3);
  if (set[4].Sig()) cam->Move(0, 3);
  if (set[6].Sig()) cam->Move(2, -3);
  if (set[5].Sig()) cam->Move(2, 3);
  float& h = cam->vp.orthoH;
  if (set[zoomOut].Sig()) h += zn::FrT(grow);
  if (set[zoomIn].Sig()) h -= zn::FrT(shrink);
  zn::Tram(h, lo, hi);
  cam->vp.orthoW = h;
}

void KamSpeed(tw_Fotik* cam, IKmd2& up, IKmd2& down, float step, float lo, float hi) {
  float& speed = cam->mb.speed;
  if (up.Sig()) speed += step;
  if (down.Sig()) speed -= step;
  zn::Tram(speed, lo, hi);
}
